#include "app/gumApp.h"
#include "gui/views/testImageDC.h"
#include "support/guiSupport.h"
#include "views/grnDC.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/overlay.h>

namespace {

class DrawingContext : public testing::Test
{
protected:
    void SetUp() override { qvtest::CreateApp(); }

    // Draws on a white bitmap through a CgrnDC and returns the picture.
    static wxImage Draw(int width, int height, const std::function<void(CgrnDC&, wxDC&)>& draw)
    {
        wxBitmap bitmap(width, height, 24);
        {
            wxMemoryDC memory(bitmap);
            memory.SetBackground(*wxWHITE_BRUSH);
            memory.Clear();
            CgrnDC dc;
            dc.SetDC(&memory);
            draw(dc, memory);
            dc.SetDC(nullptr);
        }
        return bitmap.ConvertToImage();
    }

    static wxColour At(const wxImage& image, int x, int y)
    {
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }
};

TEST_F(DrawingContext, SetFontSelectsOnlyAChangedFont)
{
    wxBitmap bitmap(10, 10, 24);
    wxMemoryDC memory(bitmap);
    wxFont a(wxFontInfo(11).Family(wxFONTFAMILY_SWISS));
    wxFont b(wxFontInfo(23).Family(wxFONTFAMILY_ROMAN));
    CgrnDC dc;
    dc.SetDC(&memory);

    dc.SetFont(&a);
    EXPECT_EQ(memory.GetFont().GetPointSize(), 11);
    memory.SetFont(b);
    dc.SetFont(&a);
    EXPECT_EQ(memory.GetFont().GetPointSize(), 23) << "the same font is not selected again";

    dc.SetFont(nullptr);
    EXPECT_EQ(memory.GetFont().GetPointSize(), 23) << "none selects nothing";
    dc.SetFont(&a);
    EXPECT_EQ(memory.GetFont().GetPointSize(), 11) << "after none the font is selected again";

    // A fresh wxDC forgets the font too.
    memory.SetFont(b);
    dc.SetDC(&memory);
    dc.SetFont(&a);
    EXPECT_EQ(memory.GetFont().GetPointSize(), 11);
}

TEST_F(DrawingContext, BevelIsASunkenFrame)
{
    for (bool fill : {true, false}) {
        const wxImage image = Draw(40, 30, [&](CgrnDC& dc, wxDC& memory) {
            memory.SetBrush(*wxBLACK_BRUSH);
            memory.SetPen(*wxBLACK_PEN);
            memory.DrawRectangle(7, 7, 22, 12);
            dc.DrawBevel(5, 5, 30, 20, fill);
        });
        struct Case
        {
            int x;
            int y;
            wxColour colour;
        };
        const Case cases[] = {
            {15, 5, wxColour(128, 128, 128)},  {5, 12, wxColour(128, 128, 128)},  // outer top, left
            {15, 20, wxColour(255, 255, 255)}, {30, 12, wxColour(255, 255, 255)}, // outer bottom, right
            {15, 6, wxColour(64, 64, 64)},     {6, 12, wxColour(64, 64, 64)},     // inner top, left
            {15, 19, wxColour(192, 192, 192)}, {29, 12, wxColour(192, 192, 192)}, // inner bottom, right
            {15, 12, fill ? wxColour(255, 255, 255) : wxColour(0, 0, 0)},        // inside
        };
        for (const Case& c : cases)
            EXPECT_EQ(At(image, c.x, c.y), c.colour) << c.x << "," << c.y << (fill ? " filled" : " open");
    }
}

TEST_F(DrawingContext, LevelBoxFillsTheBottomFraction)
{
    const wxColour blue(0, 0, 255);
    const wxColour white(255, 255, 255);
    const wxColour grey(100, 100, 100);
    struct Case
    {
        const char* name;
        wxRect rect;
        float fraction;
        int colouredRows; // of the inner rectangle
        bool framed;
    };
    const Case cases[] = {
        {"narrow, half", wxRect(10, 10, 3, 7), 0.5f, 3, false},
        {"framed, half", wxRect(10, 10, 10, 12), 0.5f, 5, true},
        {"framed, full", wxRect(10, 10, 10, 12), 1.0f, 10, true},
        {"framed, over full", wxRect(10, 10, 10, 12), 7.0f, 10, true},
        {"framed, empty", wxRect(10, 10, 10, 12), 0.0f, 0, true},
        {"framed, no value", wxRect(10, 10, 10, 12), -987654.0f, 0, true},
        {"framed, no number", wxRect(10, 10, 10, 12), std::nanf(""), 0, true},
        {"framed, a sliver", wxRect(10, 10, 10, 12), 0.05f, 0, true},
    };
    for (const Case& c : cases) {
        const wxImage image = Draw(40, 40, [&](CgrnDC& dc, wxDC&) {
            dc.FillLevel(c.rect.x, c.rect.y, c.rect.width, c.rect.height, blue, c.fraction);
        });
        const wxRect inner = c.framed ? wxRect(c.rect).Deflate(1) : c.rect;
        for (int y = inner.y; y < inner.GetBottom() + 1; ++y) {
            const bool coloured = y >= inner.GetBottom() + 1 - c.colouredRows;
            EXPECT_EQ(At(image, inner.x, y), coloured ? blue : white) << c.name << " row " << y;
            EXPECT_EQ(At(image, inner.GetRight(), y), coloured ? blue : white) << c.name << " row " << y;
        }
        const int middle = c.rect.y + c.rect.height / 2;
        if (c.framed) {
            EXPECT_EQ(At(image, c.rect.x, middle), grey) << c.name;
            EXPECT_EQ(At(image, c.rect.x + 4, c.rect.y), grey) << c.name;
        }
        EXPECT_EQ(At(image, c.rect.x - 1, middle), white) << c.name << ": nothing outside";
    }
}

// Changing a level draws the picture that drawing the new level whole does.
TEST_F(DrawingContext, LevelChangeMatchesAWholeLevelBox)
{
    const wxColour blue(0, 0, 255);
    const struct
    {
        float from;
        float to;
    } cases[] = {{0.2f, 0.7f}, {0.7f, 0.2f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {-987654.0f, 0.5f}, {0.5f, std::nanf("")},
                 {0.5f, 0.5f}, {3.0f, 0.9f}};
    for (const wxRect rect : {wxRect(5, 5, 10, 30), wxRect(5, 5, 3, 30)}) {
        for (const auto& c : cases) {
            const wxImage changed = Draw(40, 40, [&](CgrnDC& dc, wxDC&) {
                dc.FillLevel(rect.x, rect.y, rect.width, rect.height, blue, c.from);
                dc.ChangeLevel(rect.x, rect.y, rect.width, rect.height, blue, c.from, c.to);
            });
            const wxImage whole = Draw(40, 40, [&](CgrnDC& dc, wxDC&) {
                dc.FillLevel(rect.x, rect.y, rect.width, rect.height, blue, c.to);
            });
            int differing = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x)
                    differing += At(changed, x, y) != At(whole, x, y) ? 1 : 0;
            EXPECT_EQ(differing, 0) << c.from << " to " << c.to << ", width " << rect.width;
        }
    }
}

TEST_F(DrawingContext, SizesFollowTheResolution)
{
    struct Case
    {
        int ppi;
        int tick;    // 6/90 inch
        int offset;  // -7/90 inch
        int pen3;    // a 3-pixel pen of a 96-ppi screen
    };
    const Case cases[] = {{96, 6, -7, 3},     {90, 6, -7, 3},      {72, 4, -5, 3},
                          {180, 12, -14, 5}, {192, 12, -14, 6}, {600, 40, -46, 18}};
    for (const Case& c : cases) {
        wxImage image = qvtest::MakeWhiteImage(60, 60);
        {
            qvtest::CtestImageDC target(image, c.ppi);
            CgrnDC dc;
            dc.SetDC(&target);
            EXPECT_EQ(dc.GetPPI(), wxSize(c.ppi, c.ppi));
            EXPECT_EQ(dc.GetPixelsX(6), c.tick) << c.ppi;
            EXPECT_EQ(dc.GetPixelsY(6), c.tick) << c.ppi;
            EXPECT_EQ(dc.GetPixelsX(-7), c.offset) << c.ppi;
            EXPECT_EQ(dc.GetPenWidth(3), c.pen3) << c.ppi;
            EXPECT_EQ(dc.GetPenWidth(1), std::max(1, c.ppi / 96)) << c.ppi;
            target.SetPen(wxPen(*wxBLACK, std::min(dc.GetPenWidth(3), 20)));
            target.DrawLine(5, 30, 55, 30);
        }
        int rows = 0;
        for (int y = 0; y < 60; ++y)
            rows += image.GetRed(30, y) < 128 ? 1 : 0;
        EXPECT_EQ(rows, std::min(c.pen3, 20)) << "a line's thickness at " << c.ppi << " ppi";
    }
}

TEST_F(DrawingContext, FitFontFindsTheLargestSizeThatFits)
{
    wxBitmap bitmap(10, 10, 24);
    wxMemoryDC memory(bitmap);
    CgrnDC dc;
    dc.SetDC(&memory);
    auto fits = [&](const wxFont& font, int size, const wxString& text, int width, int height) {
        wxFont probe(font);
        probe.SetPointSize(size);
        memory.SetFont(probe);
        const wxSize extent = memory.GetTextExtent(text);
        return extent.x <= width && extent.y <= height;
    };
    struct Case
    {
        const char* text;
        int start;
        int width;
        int height;
    };
    const Case cases[] = {
        {"888", 8, 200, 60},      // grows
        {"-8888.8", 72, 60, 20},  // shrinks
        {"888", 12, 1000, 40},    // height bound
        {"888", 30, 1, 1},        // nothing fits: 1 point
    };
    for (const Case& c : cases) {
        wxFont font(wxFontInfo(c.start).Family(wxFONTFAMILY_SWISS));
        dc.FitFont(font, c.width, c.height, c.text, false);
        const int s = font.GetPointSize();
        if (s > 1) {
            EXPECT_TRUE(fits(font, s, c.text, c.width, c.height)) << c.text << " at " << s;
        }
        EXPECT_FALSE(fits(font, s + 1, c.text, c.width, c.height)) << c.text << " at " << s + 1;
    }

    // A text that fits keeps its size when asked to, though larger would fit.
    wxFont kept(wxFontInfo(8).Family(wxFONTFAMILY_SWISS));
    dc.FitFont(kept, 400, 200, "88", true);
    EXPECT_EQ(kept.GetPointSize(), 8);
    wxFont grown(kept);
    dc.FitFont(grown, 400, 200, "88", false);
    EXPECT_GT(grown.GetPointSize(), 8);

    wxFont empty(wxFontInfo(9));
    dc.FitFont(empty, 100, 100, wxString(), false);
    EXPECT_EQ(empty.GetPointSize(), 9);
}

TEST_F(DrawingContext, CursorsOnTheOverlayReplaceEachOtherAndGoOnReset)
{
    wxBitmap bitmap(60, 60, 24);
    wxOverlay overlay;
    wxMemoryDC memory(bitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    memory.SetPen(*wxBLACK_PEN);
    memory.DrawLine(0, 40, 60, 40);
    CgrnDC dc;
    EXPECT_FALSE(dc.BeginXor(overlay)) << "no wxDC to draw on";
    dc.SetDC(&memory);

    auto cursor = [&](int x, const wxColour& colour) {
        ASSERT_TRUE(dc.BeginXor(overlay));
        memory.SetPen(wxPen(colour, 1));
        memory.DrawLine(x, 0, x, 60);
        dc.EndXor();
    };
    auto picture = [&] {
        memory.SelectObject(wxNullBitmap);
        const wxImage image = bitmap.ConvertToImage();
        memory.SelectObject(bitmap);
        return image;
    };

    cursor(10, *wxRED);
    wxImage image = picture();
    EXPECT_EQ(At(image, 10, 20), *wxRED);

    cursor(30, *wxBLUE);
    image = picture();
    EXPECT_EQ(At(image, 10, 20), *wxWHITE) << "the earlier cursor is gone";
    EXPECT_EQ(At(image, 30, 20), *wxBLUE);
    EXPECT_EQ(At(image, 20, 40), *wxBLACK);

    dc.ResetXor(overlay);
    image = picture();
    EXPECT_EQ(At(image, 30, 20), *wxWHITE);
    EXPECT_EQ(At(image, 10, 40), *wxBLACK) << "what lay under the cursors is back";

    // After a reset the overlay saves the picture anew: a line drawn since
    // stays when the next cursor goes.
    memory.SetPen(*wxGREEN_PEN);
    memory.DrawLine(0, 50, 60, 50);
    cursor(20, *wxRED);
    dc.ResetXor(overlay);
    image = picture();
    EXPECT_EQ(At(image, 20, 20), *wxWHITE);
    EXPECT_EQ(At(image, 5, 50), *wxGREEN);
    dc.SetDC(nullptr);
}

TEST_F(DrawingContext, DefaultFontIsTheApplicationsGuiFont)
{
    wxFont& gui = wxGetApp().GetGuiFont();
    wxFont font(wxFontInfo(31).Bold().Family(wxFONTFAMILY_ROMAN));
    grnUseDefaultFont(font);
    EXPECT_EQ(font, gui);
    EXPECT_EQ(font.GetWeight(), wxFONTWEIGHT_NORMAL);

    grnUseDefaultFont(gui);
    EXPECT_EQ(&gui, &wxGetApp().GetGuiFont());
    EXPECT_TRUE(gui.IsOk());
}

} // namespace
