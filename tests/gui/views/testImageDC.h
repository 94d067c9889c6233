#pragma once
#include <functional>
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

// Reading back what a renderer drew into an image.
class CtestPixels
{
public:
    // Runs a drawing call on a context over the image.
    static void On(wxImage& image, const std::function<void(wxDC&)>& draw, int ppi = 96)
    {
        CtestImageDC dc(image, ppi);
        draw(dc);
    }

    // The colour of a pixel; none outside the image.
    static wxColour At(const wxImage& image, int x, int y)
    {
        if (x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
            return wxNullColour;
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

    // How many pixels of the area have the colour.
    static int Count(const wxImage& image, const wxColour& colour, const wxRect& area)
    {
        int n = 0;
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x)
                n += At(image, x, y) == colour ? 1 : 0;
        return n;
    }
};

} // namespace qvtest
