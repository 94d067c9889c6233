#include "protocol/xhwSystemImage.h"

#include <algorithm>
#include <iterator>

bool xhwSystemUpdateOffer[101] = {};

CxhwSystemImage::CxhwSystemImage()
{
    static const bool offered = [] {
        std::fill(std::begin(xhwSystemUpdateOffer), std::end(xhwSystemUpdateOffer), true);
        return true;
    }();
    (void)offered;
}

void CxhwSystemImage::Reset()
{
    *this = CxhwSystemImage();
}

void CxhwSystemImage::CopyStateFrom(const CxhwSystemImage& other)
{
    uint8_t* byteImage = m_byteImage;
    int32_t* wordImage = m_wordImage;
    *this = other;
    m_byteImage = byteImage;
    m_wordImage = wordImage;
}

float xhwGetSystemVersion(int boxType)
{
    switch (boxType) {
    case 5: return 1.09f;
    case 6: return 1.13f;
    case 7: return 0.0f;
    case 8: return 1.05f;
    case 9: return 1.0f;
    case 10: return 1.08f;
    case 11: return 1.08f;
    case 12: return 1.0f;
    case 13: return 1.0f;
    default: return 0.0f;
    }
}
