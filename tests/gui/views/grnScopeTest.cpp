// The oscilloscope renderer: the scaled picture, its screen area and grid,
// the traces over it, and a missing picture.
#include "document/docDoc.h"
#include "gui/views/testImageDC.h"
#include "support/guiSupport.h"
#include "views/grnScope.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <memory>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

const wxColour FRAME(200, 200, 200);

wxImage Picture(int width, int height)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), FRAME.Red(), FRAME.Green(), FRAME.Blue());
    return image;
}

class ScopeRenderer : public testing::Test
{
protected:
    void SetUp() override
    {
        qvtest::CreateApp();
        m_doc = std::make_unique<CdocDoc>();
        // No logger: the single default timebase of 101 samples; gain 0.2 V,
        // a sensor of 0 to 100 drawn around 50.
        m_doc->m_boxInfo.m_sensors[0].m_idCode = 9;
        m_scope.SetDoc(m_doc.get());
    }

    // A full pass into an image of the size; the image afterwards.
    wxImage DrawInto(int width, int height, bool* result = nullptr)
    {
        wxImage image = qvtest::MakeWhiteImage(width, height);
        {
            qvtest::CtestImageDC dc(image, 96);
            const bool drawn = m_scope.Draw(dc, wxRect(0, 0, width, height));
            if (result)
                *result = drawn;
        }
        return image;
    }

    static bool IsGreen(const wxImage& image, int x, int y)
    {
        return image.GetRed(x, y) < 40 && image.GetGreen(x, y) > 200 && image.GetBlue(x, y) < 40;
    }

    std::unique_ptr<CdocDoc> m_doc;
    CgrnScope m_scope;
};

} // namespace

TEST_F(ScopeRenderer, PictureIsScaledToFitAndCentred)
{
    const wxImage square = Picture(100, 100);
    m_scope.m_picture = &square;
    DrawInto(400, 200);
    EXPECT_EQ(m_scope.m_bitmapRect, wxRect(100, 0, 200, 200));
    // The screen area of 70 % of the picture, moved with it.
    EXPECT_EQ(m_scope.m_trace, wxRect(130, 30, 140, 140));
}

TEST_F(ScopeRenderer, AreaTextGivesFractionsOfTheBitmap)
{
    const wxImage picture = Picture(500, 400);
    m_scope.m_picture = &picture;
    DrawInto(500, 400);
    EXPECT_EQ(m_scope.m_trace, wxRect(75, 60, 350, 280));
    EXPECT_EQ(m_scope.ParseArea("Screen,0.1,0.2,0.5,0.5"), wxRect(50, 80, 250, 200));
    EXPECT_EQ(m_scope.ParseArea("Screen,0.1,oops"), wxRect(0, 0, 500, 400));
    EXPECT_EQ(m_scope.ParseArea("Screen,0.5,0.5,0.001,0.001"), wxRect(0, 0, 1, 1));
}

TEST_F(ScopeRenderer, GridHasMinorTicksOnlyFromAHundredPixels)
{
    const struct
    {
        int height;
        bool ticks;
    } cases[] = {{101, true}, {100, false}};
    for (const auto& c : cases) {
        wxBitmap bitmap(200, 200, 24);
        wxImage before;
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            m_scope.DrawGrid(dc, wxRect(0, 0, 101, c.height));
        }
        const wxImage image = bitmap.ConvertToImage();
        // A tick left of the centre column, between two grid lines.
        const int cx = 50;
        const int y = int(float(c.height - 1) / 50.0f);
        EXPECT_EQ(image.GetRed(cx - 1, y) < 128, c.ticks) << c.height;
    }
}

TEST_F(ScopeRenderer, SamplesFollowTheGainAroundTheMidValue)
{
    const wxImage picture = Picture(500, 400);
    m_scope.m_picture = &picture;
    CdocScope& scope = m_doc->m_scope;
    scope.m_gainbase = 5; // 0.2 per division
    scope.m_dataNext = 101;
    for (int i = 0; i < 101; ++i)
        scope.m_inputValues[i] = i < 50 ? 51.0f : 52.0f; // five and ten gains up
    const wxImage image = DrawInto(500, 400);
    const wxRect trace = m_scope.m_trace;
    EXPECT_EQ(m_scope.m_step, 3.5f);
    EXPECT_EQ(m_scope.m_penWidth, 1);
    // Five gains above the mid value on the top edge; ten just above it.
    EXPECT_TRUE(IsGreen(image, trace.x + 40, trace.y + trace.height / 2 - trace.height / 2));
    EXPECT_TRUE(IsGreen(image, trace.x + 300, trace.y + trace.height / 2 - trace.height / 2 - m_scope.m_u2));
}

TEST_F(ScopeRenderer, MissingPictureDrawsAPlainScreen)
{
    const wxImage none;
    m_scope.m_picture = &none;
    CdocScope& scope = m_doc->m_scope;
    scope.m_dataNext = 101;
    for (int i = 0; i < 101; ++i)
        scope.m_inputValues[i] = 50.0f;
    bool drawn = false;
    const wxImage image = DrawInto(300, 200, &drawn);
    EXPECT_TRUE(drawn);
    EXPECT_EQ(m_scope.m_bitmapRect, wxRect(0, 0, 300, 200));
    // The screen is filled, not left white, and the trace crosses its middle.
    EXPECT_LT(image.GetRed(5, 5), 100);
    EXPECT_TRUE(IsGreen(image, 150, m_scope.m_y0));
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    EXPECT_TRUE(image.SaveFile(std::string(QV_SCREENSHOT_DIR) + "/scope-no-picture.png", wxBITMAP_TYPE_PNG));
}

TEST_F(ScopeRenderer, NothingWithoutDocument)
{
    m_scope.SetDoc(nullptr);
    bool drawn = true;
    const wxImage image = DrawInto(100, 100, &drawn);
    EXPECT_FALSE(drawn);
    EXPECT_EQ(image.GetRed(50, 50), 255);
}

TEST_F(ScopeRenderer, IncrementalPassNeedsTheSameRectangle)
{
    const wxImage picture = Picture(500, 400);
    m_scope.m_picture = &picture;
    m_doc->m_scope.m_dataNext = 0;
    DrawInto(500, 400);
    for (int i = 0; i < 101; ++i)
        m_doc->m_scope.m_inputValues[i] = 50.0f;
    wxImage image = qvtest::MakeWhiteImage(500, 400);
    {
        qvtest::CtestImageDC dc(image, 96);
        EXPECT_TRUE(m_scope.DrawNew(dc, wxRect(0, 0, 500, 400), 40, 60, false));
        EXPECT_FALSE(m_scope.DrawNew(dc, wxRect(0, 0, 400, 400), 40, 60, false));
    }
    const int y = m_scope.m_y0;
    EXPECT_TRUE(IsGreen(image, int(39 * 3.5f) + 75 + 2, y));  // from sample 39
    EXPECT_FALSE(IsGreen(image, int(38 * 3.5f) + 75, y));
    EXPECT_FALSE(IsGreen(image, int(60 * 3.5f) + 75 + 2, y));
}
