#pragma once
#include <wx/dc.h>
#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace qvtest {

// A drawing context of a chosen resolution that draws into an image, as a
// printer page would at its own resolution. Lines are not smoothed, so that
// pixels can be counted. The image holds the drawing once the context is
// gone.
class CtestImageDC : public wxDC
{
public:
    CtestImageDC(wxImage& image, int ppi) : wxDC(new Impl(this, ppi))
    {
        wxGraphicsContext* context = wxGraphicsContext::Create(image);
        context->SetAntialiasMode(wxANTIALIAS_NONE);
        context->EnableOffset(true);
        static_cast<Impl*>(GetImpl())->SetGraphicsContext(context);
    }

private:
    class Impl : public wxGCDCImpl
    {
    public:
        Impl(wxDC* owner, int ppi) : wxGCDCImpl(owner), m_ppi(ppi) {}
        wxSize GetPPI() const override { return wxSize(m_ppi, m_ppi); }

    private:
        int m_ppi;
    };
};

// A white image of the size.
inline wxImage MakeWhiteImage(int width, int height)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), 255, 255, 255);
    return image;
}

} // namespace qvtest
