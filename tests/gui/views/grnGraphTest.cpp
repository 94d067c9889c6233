#include "document/docDoc.h"
#include "gui/views/testImageDC.h"
#include "support/guiSupport.h"
#include "views/grnGraph.h"

#include <cmath>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/overlay.h>

namespace {

const wxColour RED(200, 0, 0);
const wxColour BLUE(0, 0, 200);
const wxColour GREEN(0, 150, 0);

class GraphRenderer : public testing::Test
{
protected:
    void SetUp() override
    {
        qvtest::CreateApp();
        m_doc = std::make_unique<CdocDoc>();
        m_doc->m_viewGauge = false;
        m_doc->m_viewTitle = false;
        m_doc->m_graph.m_heavy = false;
        m_doc->m_graph.m_grid = false;
        m_doc->m_graph.m_lines = true;
        m_doc->m_graph.m_points = false;
        m_doc->m_graph.m_bars = false;
    }

    CdocFieldV& Fields() { return m_doc->m_data.m_fields; }

    // A reading-number x channel over 0 to xMax.
    CdocField& AddReading(float xMax)
    {
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        field.InitReading(xMax, xMax, xMax);
        field.m_now.Set(xMax, 0.0f);
        return field;
    }
    // A manual channel over 0 to 100 in the colour.
    CdocField& AddChannel(const wxColour& colour, const char* name = "Level")
    {
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        field.InitManual();
        field.m_name = name;
        field.m_unit = "cm";
        field.m_now.Set(100.0f, 0.0f);
        field.m_colour = CdocColour(colour.Red(), colour.Green(), colour.Blue());
        return field;
    }
    // Records i = 0 .. ys.size() - 1 with x = i.
    void Fill(CdocField& x, CdocField& y, const std::vector<float>& ys)
    {
        for (size_t i = 0; i < ys.size(); ++i) {
            x.m_samples[i] = float(i);
            y.m_samples[i] = ys[i];
        }
        m_doc->m_data.m_records = int(ys.size());
    }

    // Draws the whole graph on a white image through the test context
    // (lines not smoothed, so that pixels can be counted).
    wxImage Render(CgrnGraph& graph, const wxRect& rect, int ppi = 96)
    {
        wxImage image = qvtest::MakeWhiteImage(rect.x + rect.width, rect.y + rect.height);
        {
            qvtest::CtestImageDC dc(image, ppi);
            dc.SetFont(*wxNORMAL_FONT);
            EXPECT_TRUE(graph.Draw(dc, rect, false));
        }
        return image;
    }

    // Runs a drawing call on a context over the image.
    static void On(wxImage& image, const std::function<void(wxDC&)>& draw, int ppi = 96)
    {
        qvtest::CtestImageDC dc(image, ppi);
        draw(dc);
    }

    static wxColour At(const wxImage& image, int x, int y)
    {
        if (x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight())
            return wxNullColour;
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

    static int Count(const wxImage& image, const wxColour& colour, const wxRect& area)
    {
        int n = 0;
        for (int y = area.y; y < area.y + area.height; ++y)
            for (int x = area.x; x < area.x + area.width; ++x)
                n += At(image, x, y) == colour ? 1 : 0;
        return n;
    }

    static wxRect Plot(const CgrnGraph& graph)
    {
        return wxRect(wxPoint(graph.m_plotLeft, graph.m_plotTop), wxPoint(graph.m_plotRight, graph.m_plotBottom));
    }

    // The band above the plot, over its width.
    static wxRect Above(const CgrnGraph& graph)
    {
        return wxRect(graph.m_plotLeft, 0, graph.m_plotRight - graph.m_plotLeft + 1, graph.m_plotTop);
    }

    static bool SameImages(const wxImage& a, const wxImage& b)
    {
        return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
               std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
    }

    std::unique_ptr<CdocDoc> m_doc;
};

// The pixel the mapping puts a sample on.
wxPoint SamplePixel(const CgrnGraph& graph, const CdocField& channel, float x, float y)
{
    const CxhwMinMax& scale = graph.m_scaleX.m_range;
    const int px = int((x - scale.m_min) * float(graph.m_plotRight - graph.m_plotLeft) / (scale.m_max - scale.m_min) +
                       float(graph.m_plotLeft) + 0.5f);
    const CxhwMinMax& now = channel.m_now;
    const float along = (y - now.m_min) * float(graph.m_plotTop - graph.m_plotBottom) / (now.m_max - now.m_min);
    const int py = int(double(along) + double(graph.m_plotBottom) + 0.5);
    return wxPoint(px, py);
}

TEST_F(GraphRenderer, NothingWithoutADocument)
{
    CgrnGraph graph;
    wxImage image = qvtest::MakeWhiteImage(200, 100);
    On(image, [&](wxDC& dc) {
        EXPECT_FALSE(graph.Draw(dc, wxRect(0, 0, 200, 100), false));
        EXPECT_FALSE(graph.m_layoutValid);
        EXPECT_FALSE(graph.DrawSamples(dc, wxRect(0, 0, 200, 100), 0, 0));
    });
    EXPECT_EQ(Count(image, *wxWHITE, wxRect(0, 0, 200, 100)), 200 * 100) << "nothing drawn";
}

TEST_F(GraphRenderer, SamplesLandOnTheMappedPixels)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {0.0f, 12.5f, 37.0f, 81.0f, 100.0f, 64.0f, 3.0f, 55.5f, 20.0f, 99.0f, 50.0f});
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxImage image = Render(graph, wxRect(0, 0, 500, 320));
    ASSERT_TRUE(graph.m_layoutValid);
    for (int i = 0; i <= 10; ++i) {
        const wxPoint p = SamplePixel(graph, y, float(i), y.m_samples[i]);
        EXPECT_EQ(At(image, p.x, p.y), RED) << "sample " << i << " at " << p.x << "," << p.y;
    }
    EXPECT_EQ(Count(image, RED, Above(graph)), 0) << "nothing above the plot";
}

TEST_F(GraphRenderer, AGapIsBridgedByOneSegment)
{
    CdocField& x = AddReading(4.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {10.0f, 50.0f, DOC_NO_VALUE, 50.0f, 10.0f});
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxImage image = Render(graph, wxRect(0, 0, 400, 300));
    const wxPoint a = SamplePixel(graph, y, 1.0f, 50.0f);
    const wxPoint b = SamplePixel(graph, y, 3.0f, 50.0f);
    ASSERT_EQ(a.y, b.y);
    for (int px = a.x; px <= b.x; ++px)
        EXPECT_EQ(At(image, px, a.y), RED) << "x " << px;
    // The missing record draws nothing of its own: its column holds the
    // bridge only.
    const int middle = SamplePixel(graph, y, 2.0f, 0.0f).x;
    EXPECT_EQ(Count(image, RED, wxRect(middle, graph.m_plotTop, 1, graph.m_plotBottom - graph.m_plotTop + 1)), 1);
}

TEST_F(GraphRenderer, ASegmentFarAboveEndsOnTheTopEdge)
{
    CdocField& x = AddReading(2.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {50.0f, 1.0e7f, 50.0f});
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxImage image = Render(graph, wxRect(0, 0, 400, 300));
    const wxPoint a = SamplePixel(graph, y, 0.0f, 50.0f);
    const wxPoint far = SamplePixel(graph, y, 1.0f, 1.0e7f);
    const int xTop = a.x + int(double(far.x - a.x) * double(graph.m_plotTop - a.y) / double(far.y - a.y));
    EXPECT_EQ(At(image, xTop, graph.m_plotTop), RED);
    EXPECT_EQ(Count(image, RED, Above(graph)), 0) << "nothing above the plot";
}

TEST_F(GraphRenderer, ClipSegmentCases)
{
    CgrnGraph graph;
    graph.m_plotLeft = 10;
    graph.m_plotRight = 110;
    graph.m_plotTop = 20;
    graph.m_plotBottom = 120;
    struct Case
    {
        const char* name;
        int in[4];
        bool kept;
        int out[4];
    } cases[] = {
        {"inside", {20, 30, 100, 110}, true, {20, 30, 100, 110}},
        {"on the edges", {10, 20, 110, 120}, true, {10, 20, 110, 120}},
        {"both left", {0, 30, 5, 100}, false, {}},
        {"both right", {120, 30, 200, 100}, false, {}},
        {"both above", {20, 0, 100, 19}, false, {}},
        {"both below", {20, 121, 100, 500}, false, {}},
        {"into the left edge", {0, 50, 20, 70}, true, {10, 60, 20, 70}},
        {"across both sides", {0, 50, 200, 50}, true, {10, 50, 110, 50}},
        {"far above", {60, 70, 70, -100000}, true, {60, 70, 60, 20}},
        {"from above, order kept", {70, -100000, 60, 70}, true, {60, 20, 60, 70}},
        {"out of the bottom", {30, 100, 50, 140}, true, {30, 100, 40, 120}},
        {"right to left through the right edge", {130, 40, 90, 80}, true, {110, 60, 90, 80}},
    };
    for (const Case& c : cases) {
        int v[4] = {c.in[0], c.in[1], c.in[2], c.in[3]};
        EXPECT_EQ(graph.ClipSegment(v[0], v[1], v[2], v[3]), c.kept) << c.name;
        if (c.kept) {
            EXPECT_EQ(std::vector<int>(v, v + 4), std::vector<int>(c.out, c.out + 4)) << c.name;
        }
    }
}

TEST_F(GraphRenderer, ASingleSampleShowsOnlyWithinBothRanges)
{
    struct Case
    {
        const char* name;
        bool heavy;
        float x;
        float y;
        int pixels;
    } cases[] = {
        {"thin", false, 2.0f, 40.0f, 1},
        {"heavy", true, 2.0f, 40.0f, 9},
        {"above the channel's range", false, 2.0f, 140.0f, 0},
        {"beyond the x range", false, 12.0f, 40.0f, 0},
    };
    for (const Case& c : cases) {
        m_doc->m_data.RemoveAllFields();
        CdocField& x = AddReading(10.0f);
        CdocField& y = AddChannel(RED);
        m_doc->m_graph.SetAxes(&x, &y, nullptr);
        m_doc->m_graph.m_heavy = c.heavy;
        x.m_samples[0] = c.x;
        y.m_samples[0] = c.y;
        m_doc->m_data.m_records = 1;
        CgrnGraph graph;
        graph.SetDoc(m_doc.get());
        const wxImage image = Render(graph, wxRect(0, 0, 400, 300));
        EXPECT_EQ(Count(image, RED, Plot(graph)), c.pixels) << c.name;
        if (c.pixels > 0) {
            const wxPoint p = SamplePixel(graph, y, c.x, c.y);
            EXPECT_EQ(At(image, p.x, p.y), RED) << c.name;
        }
    }
}

// The reading number over 1 to 10, the x scale widened for bars to 0.45 to
// 10.96, on a plot 500 pixels wide: bars 27 pixels wide, the first channel's
// starting 13 pixels left of their x, the second's 8.
TEST_F(GraphRenderer, BarWidthsAndOffsets)
{
    CdocField& x = AddReading(10.0f);
    x.m_now.Set(10.0f, 1.0f);
    CdocField& a = AddChannel(RED);
    CdocField& b = AddChannel(BLUE);
    m_doc->m_graph.SetAxes(&x, &a, nullptr);
    m_doc->m_graph.m_lines = false;
    m_doc->m_graph.m_bars = true;
    for (int i = 0; i < 10; ++i) {
        x.m_samples[i] = float(i + 1);
        a.m_samples[i] = 50.0f;
        b.m_samples[i] = 50.0f;
    }
    m_doc->m_data.m_records = 10;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    EXPECT_FLOAT_EQ(graph.m_scaleX.m_range.m_min, 0.45f);
    EXPECT_FLOAT_EQ(graph.m_scaleX.m_range.m_max, 10.96f);

    wxImage image = qvtest::MakeWhiteImage(700, 400);
    On(image, [&](wxDC& dc) {
        graph.Attach(dc);
        graph.m_plotLeft = 60;
        graph.m_plotRight = 560;
        graph.m_plotTop = 40;
        graph.m_plotBottom = 340;
        graph.DrawBars(b, 0, 10);
        graph.DrawBars(a, 0, 10);
        graph.Detach();
    });
    const int px = graph.ValueToX(5.0f);
    const int mid = graph.ValueToY(a, 50.0f) + 10;
    // First channel drawn last: its bar covers px - 13 .. px + 13.
    EXPECT_EQ(At(image, px - 14, mid), *wxWHITE);
    EXPECT_EQ(At(image, px - 13, mid), RED);
    EXPECT_EQ(At(image, px + 13, mid), RED);
    // The second channel's bar, px - 8 .. px + 18, shows right of the first.
    EXPECT_EQ(At(image, px + 14, mid), BLUE);
    EXPECT_EQ(At(image, px + 18, mid), BLUE);
    EXPECT_EQ(At(image, px + 19, mid), *wxWHITE);
}

} // namespace
