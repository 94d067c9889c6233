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

class GraphRenderer : public testing::Test, protected qvtest::CtestPixels
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

wxColour grnChannelColourOf(const CdocField& field)
{
    const CdocColour& colour = field.m_colour;
    return colour.IsOk() ? wxColour(colour.Red(), colour.Green(), colour.Blue()) : *wxBLACK;
}

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

TEST_F(GraphRenderer, PenWidthsFollowTheResolution)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    struct Case
    {
        int ppi;
        int w[4];
    } cases[] = {{72, {1, 2, 3, 4}}, {96, {1, 2, 3, 4}}, {192, {2, 4, 6, 8}}};
    for (const Case& c : cases) {
        CgrnGraph graph;
        graph.SetDoc(m_doc.get());
        wxImage image = qvtest::MakeWhiteImage(600, 400);
        On(image, [&](wxDC& dc) { graph.Layout(dc, wxRect(0, 0, 600, 400)); }, c.ppi);
        ASSERT_TRUE(graph.m_layoutValid) << c.ppi;
        EXPECT_EQ(std::vector<int>({graph.m_w1, graph.m_w2, graph.m_w3, graph.m_w4}),
                  std::vector<int>(c.w, c.w + 4))
            << c.ppi;
        EXPECT_EQ(graph.m_inner, wxRect(c.w[2], c.w[2], 600 - 2 * c.w[2], 400 - 2 * c.w[2])) << c.ppi;
    }
}

TEST_F(GraphRenderer, GaugeColumnAndPlotEdges)
{
    CdocField& x = AddReading(10.0f);
    CdocField& a = AddChannel(RED);
    AddChannel(BLUE);
    AddChannel(GREEN);
    CdocField& hidden = AddChannel(RED);
    hidden.m_show = false;
    m_doc->m_graph.SetAxes(&x, &a, nullptr);
    m_doc->m_viewGauge = true;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    wxImage image = qvtest::MakeWhiteImage(800, 500);
    On(image, [&](wxDC& dc) { graph.Layout(dc, wxRect(0, 0, 800, 500)); });
    ASSERT_TRUE(graph.m_layoutValid);
    EXPECT_EQ(graph.m_gaugeCount, 3) << "shown channels other than x";
    EXPECT_EQ(graph.m_gaugeWidth, 16);
    EXPECT_EQ(graph.m_gaugeStep, 20);
    EXPECT_EQ(graph.m_gaugeLeft, 799 - 0 - 16 - 4 - 2 * 20);
    EXPECT_EQ(graph.m_inner.width, graph.m_gaugeLeft - (4 + 0 + graph.m_inner.x));
    EXPECT_LT(graph.m_plotRight, graph.m_gaugeLeft);
    EXPECT_EQ(graph.m_plotTop, 3 + 2 + 0 + 2 * graph.m_textHeight);

    // Without a right channel the plot ends w2 + traceHalf + w2 from the
    // inner edge, or half the widest x label from it when that is more.
    const int rightRoom = graph.m_inner.x + graph.m_inner.width - 1 - 0 - 2 - graph.m_plotRight;
    EXPECT_GE(rightRoom, 2);
}

TEST_F(GraphRenderer, HitAreas)
{
    CdocField& x = AddReading(10.0f);
    CdocField& a = AddChannel(RED);
    CdocField& b = AddChannel(BLUE);
    CdocField& c = AddChannel(GREEN);
    m_doc->m_graph.SetAxes(&x, &a, &b);
    m_doc->m_viewGauge = true;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    wxImage image = qvtest::MakeWhiteImage(800, 500);
    On(image, [&](wxDC& dc) { graph.Layout(dc, wxRect(0, 0, 800, 500)); });
    ASSERT_TRUE(graph.m_layoutValid);
    const int midX = (graph.m_plotLeft + graph.m_plotRight) / 2;
    const int midY = (graph.m_plotTop + graph.m_plotBottom) / 2;
    const int g = graph.m_gaugeLeft;
    struct Case
    {
        const char* name;
        int x;
        int y;
        int area;
        const CdocField* channel;
    } cases[] = {
        {"plot", midX, midY, HIT_PLOT, nullptr},
        {"plot corner", graph.m_plotLeft, graph.m_plotTop, HIT_PLOT, nullptr},
        {"above", midX, graph.m_plotTop - 1, HIT_TITLE, nullptr},
        {"below", midX, graph.m_plotBottom + 1, HIT_AXIS_X, nullptr},
        {"left", graph.m_plotLeft - 1, midY, HIT_AXIS_LEFT, nullptr},
        {"right", graph.m_plotRight + 1, midY, HIT_AXIS_RIGHT, nullptr},
        {"first gauge", g + 1, midY, HIT_GAUGE, &a},
        {"second gauge", g + 20 + 3, 5, HIT_GAUGE, &b},
        {"third gauge", g + 40 + 15, midY, HIT_GAUGE, &c},
        {"beyond the last gauge", g + 60 + 1, midY, HIT_NONE, nullptr},
    };
    for (const Case& k : cases) {
        CgrnGraphHit hit;
        hit.m_x = k.x;
        hit.m_y = k.y;
        graph.HitTest(hit);
        EXPECT_EQ(hit.m_area, k.area) << k.name;
        EXPECT_EQ(hit.m_key.m_field, k.channel) << k.name;
        EXPECT_EQ(hit.m_key.m_key, k.channel ? k.channel->m_key : 0) << k.name;
        EXPECT_EQ(hit.m_key.m_index, -1) << k.name;
    }
    CgrnGraphHit corner;
    corner.m_x = graph.m_plotRight;
    corner.m_y = graph.m_plotTop;
    graph.HitTest(corner);
    EXPECT_FLOAT_EQ(corner.m_fx, 1.0f);
    EXPECT_FLOAT_EQ(corner.m_fy, 1.0f);
    corner.m_x = graph.m_plotLeft - (graph.m_plotRight - graph.m_plotLeft);
    corner.m_y = graph.m_plotBottom;
    graph.HitTest(corner);
    EXPECT_FLOAT_EQ(corner.m_fx, -1.0f) << "not clamped";
    EXPECT_FLOAT_EQ(corner.m_fy, 0.0f);
}

// With the x scale widened for bars, fractions stay fractions of the x
// channel's own range.
TEST_F(GraphRenderer, FractionsFollowTheXChannelsRange)
{
    CdocField& x = AddReading(10.0f);
    x.m_now.Set(10.0f, 1.0f);
    CdocField& a = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &a, nullptr);
    m_doc->m_graph.m_bars = true;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    wxImage image = qvtest::MakeWhiteImage(600, 400);
    On(image, [&](wxDC& dc) { graph.Layout(dc, wxRect(0, 0, 600, 400)); });
    for (float f : {0.0f, 0.25f, 1.0f}) {
        const int px = graph.FractionToX(f);
        EXPECT_EQ(px, graph.ValueToX(1.0f + 9.0f * f)) << f;
        EXPECT_NEAR(graph.XToFraction(px), f, 0.01f) << f;
    }
    EXPECT_GT(graph.FractionToX(0.0f), graph.m_plotLeft) << "the widened scale starts left of the range";
}

TEST_F(GraphRenderer, IncrementalDrawingMatchesAFullDrawing)
{
    CdocField& x = AddReading(20.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    std::vector<float> ys;
    for (int i = 0; i <= 20; ++i)
        ys.push_back(50.0f + 40.0f * std::sin(float(i) * 0.7f));
    ys[12] = DOC_NO_VALUE;
    const wxRect rect(0, 0, 500, 300);

    Fill(x, y, ys);
    CgrnGraph whole;
    whole.SetDoc(m_doc.get());
    const wxImage expected = Render(whole, rect);

    for (int split : {1, 5, 12, 13, 20}) {
        CgrnGraph graph;
        graph.SetDoc(m_doc.get());
        m_doc->m_data.m_records = split;
        wxImage image = Render(graph, rect);
        On(image, [&](wxDC& dc) {
            for (int i = split; i <= 20; ++i) {
                m_doc->m_data.m_records = i + 1;
                EXPECT_TRUE(graph.DrawSamples(dc, rect, i, i)) << i;
            }
        });
        // The same trace; where two segments meet, the segments drawn in one
        // batch may set a pixel that they leave out when drawn one by one.
        int differing = 0;
        for (int py = 0; py < rect.height; ++py)
            for (int px = 0; px < rect.width; ++px)
                differing += At(image, px, py) != At(expected, px, py) ? 1 : 0;
        EXPECT_LE(differing, 4) << "records from " << split << " added one by one";
        for (int i = 0; i <= 20; ++i) {
            if (i == 12)
                continue;
            const wxPoint p = SamplePixel(graph, y, float(i), ys[size_t(i)]);
            EXPECT_EQ(At(image, p.x, p.y), RED) << "from " << split << ", sample " << i;
        }
    }
}

TEST_F(GraphRenderer, IncrementalCallsRefuseAChangedRectangle)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {10.0f, 20.0f, 30.0f});
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 400, 300);
    wxImage image = Render(graph, rect);
    const wxImage before = image;
    On(image, [&](wxDC& dc) {
        const wxRect other(0, 0, 420, 300);
        EXPECT_FALSE(graph.DrawSamples(dc, other, 2, 2));
        EXPECT_FALSE(graph.m_layoutValid);
        EXPECT_FALSE(graph.DrawSamples(dc, other, 2, 2)) << "the layout must be made by a full drawing first";
        EXPECT_FALSE(graph.DrawMarks(dc, other, 0, 2));
        EXPECT_FALSE(graph.DrawToolReadouts(dc, other));
        wxRect cursor = other;
        EXPECT_FALSE(graph.DrawAnnotationCursor(dc, cursor));
        EXPECT_EQ(cursor, other);
    });
    EXPECT_TRUE(SameImages(image, before)) << "nothing drawn";
    On(image, [&](wxDC& dc) {
        EXPECT_TRUE(graph.Draw(dc, rect, false));
        EXPECT_TRUE(graph.DrawSamples(dc, rect, 2, 2));
    });

    graph.SetDoc(m_doc.get());
    On(image, [&](wxDC& dc) { EXPECT_FALSE(graph.DrawSamples(dc, rect, 2, 2)) << "a new document"; });
}

// last -1 redraws the gauges whose value changed, and nothing else.
TEST_F(GraphRenderer, GaugesOnlyWhenNoSampleIsGiven)
{
    CdocField& x = AddReading(10.0f);
    CdocField& a = AddChannel(RED);
    CdocField& b = AddChannel(BLUE);
    m_doc->m_graph.SetAxes(&x, &a, nullptr);
    m_doc->m_viewGauge = true;
    Fill(x, a, {10.0f, 20.0f, 30.0f});
    b.m_samples[0] = b.m_samples[1] = b.m_samples[2] = 70.0f;
    a.m_current = 30.0f;
    b.m_current = 70.0f;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 600, 400);
    wxImage image = Render(graph, rect);
    const int top = graph.m_plotTop;
    const int bottom = graph.m_plotBottom;
    const int left = graph.m_gaugeLeft;
    const int step = graph.m_gaugeStep;
    const int middle = graph.m_gaugeWidth / 2;
    auto level = [&](const wxImage& picture, int gauge, const wxColour& colour) {
        return Count(picture, colour, wxRect(left + gauge * step + middle, top, 1, bottom - top + 1));
    };
    // Inside the gauge's grey frame.
    const int height = bottom - top - 1;
    EXPECT_NEAR(level(image, 0, RED), 0.3 * height, 2);
    EXPECT_NEAR(level(image, 1, BLUE), 0.7 * height, 2);

    // A new reading of a only, not yet stored; b's gauge is wiped to show
    // whether it is drawn again.
    a.m_current = 90.0f;
    a.m_samples[3] = 90.0f;
    m_doc->m_data.m_records = 4;
    image.SetRGB(wxRect(left + step, 0, graph.m_gaugeWidth, image.GetHeight()), 255, 255, 255);
    const wxImage before = image;
    On(image, [&](wxDC& dc) { EXPECT_TRUE(graph.DrawSamples(dc, rect, 3, -1)); });
    EXPECT_NEAR(level(image, 0, RED), 0.9 * height, 2);
    EXPECT_EQ(level(image, 1, BLUE), 0) << "an unchanged gauge is not drawn again";
    image.SetRGB(wxRect(left, 0, graph.m_gaugeWidth, image.GetHeight()), 255, 255, 255);
    wxImage plain = before;
    plain.SetRGB(wxRect(left, 0, graph.m_gaugeWidth, image.GetHeight()), 255, 255, 255);
    EXPECT_TRUE(SameImages(image, plain)) << "no trace drawn";
}

TEST_F(GraphRenderer, MarksOnlyInsideTheXRange)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {10.0f, 20.0f, 30.0f, 40.0f});
    x.m_samples[3] = 12.0f;
    m_doc->m_data.m_marks[1] = 1;
    m_doc->m_data.m_marks[3] = 1;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxImage image = Render(graph, wxRect(0, 0, 500, 300));
    const int e = graph.m_plotTop - graph.m_traceHalf - graph.m_w2;
    const int marked = graph.ValueToX(1.0f);
    EXPECT_EQ(At(image, marked, e), *wxBLACK);
    EXPECT_EQ(At(image, marked, e - 2), *wxBLACK);
    EXPECT_EQ(At(image, marked - graph.m_w3 + 1, e - graph.m_w3 + 1), *wxBLACK) << "the arrow's head";
    EXPECT_EQ(At(image, graph.ValueToX(2.0f), e), *wxWHITE) << "no mark";
    const int above = Count(image, *wxBLACK, wxRect(graph.m_plotLeft, 0, graph.m_plotRight - graph.m_plotLeft + 1,
                                                     graph.m_plotTop - 1));
    EXPECT_EQ(above, Count(image, *wxBLACK, wxRect(marked - 10, 0, 21, graph.m_plotTop - 1)))
        << "the record whose x lies beyond the range has no mark";
}

TEST_F(GraphRenderer, BestFitLinesRunBeyondThePlot)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {0.0f, 10.0f});
    m_doc->m_state = DOC_STATE_STOPPED;
    m_doc->m_graph.m_best = true;
    m_doc->m_graph.m_lines = false;
    y.m_fitM = 20.0f;
    y.m_fitC = -50.0f;
    y.m_fitLabel = "y = 20x - 50";
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxImage image = Render(graph, wxRect(0, 0, 500, 400));
    // The line leaves the plot at y = 100 (x = 7.5) and goes on above it.
    const int above = graph.m_plotTop - 5;
    const double xAbove = 7.5 + 25.0 / double(graph.m_plotBottom - graph.m_plotTop);
    const int px = graph.ValueToX(float(xAbove));
    EXPECT_GT(Count(image, RED, wxRect(px - 2, above, 5, 1)), 0) << "drawn above the plot";
    EXPECT_GT(Count(image, RED, wxRect(graph.m_plotLeft + graph.m_textHeight, graph.m_plotTop + graph.m_gap, 60,
                                      graph.m_textHeight)),
              0)
        << "the label";
}

TEST_F(GraphRenderer, ToolCursorsReplaceEachOtherOnTheOverlay)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    Fill(x, y, {10.0f, 20.0f, 30.0f});
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 400, 300);
    wxBitmap bitmap(400, 300, 24);
    wxMemoryDC memory(bitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    ASSERT_TRUE(graph.Draw(memory, rect, false));
    auto picture = [&] {
        memory.SelectObject(wxNullBitmap);
        const wxImage image = bitmap.ConvertToImage();
        memory.SelectObject(bitmap);
        return image;
    };
    const wxImage plain = picture();

    CdocToolState& state = m_doc->m_tool.m_now;
    state.m_tool = TOOL_DIFFERENCE;
    state.m_active = true;
    state.m_fracX = 0.75f;
    state.m_fracY = 0.5f;
    state.m_fracX0 = 0.25f;
    state.m_fracY0 = 0.25f;
    wxOverlay overlay;
    graph.DrawToolCursors(memory, rect, overlay);
    graph.DrawToolCursors(memory, rect, overlay);
    const wxImage drawn = picture();
    const int cx = graph.FractionToX(0.75f);
    const int cy = graph.FractionToY(0.5f);
    const int cx0 = graph.FractionToX(0.25f);
    const int cy0 = graph.FractionToY(0.25f);
    EXPECT_EQ(At(drawn, cx, (graph.m_plotTop + cy) / 2), *wxBLACK) << "solid vertical line";
    EXPECT_EQ(At(drawn, (cx0 + graph.m_plotLeft) / 2, cy), *wxBLACK) << "solid horizontal line";
    const int dashes = Count(drawn, *wxBLACK, wxRect(cx0, graph.m_plotTop, 1, graph.m_plotBottom - graph.m_plotTop));
    EXPECT_GT(dashes, 0);
    EXPECT_LT(dashes, graph.m_plotBottom - graph.m_plotTop - 2) << "the reference line is dashed";
    EXPECT_GT(Count(drawn, *wxBLACK, wxRect(graph.m_plotLeft, cy0, graph.m_plotRight - graph.m_plotLeft, 1)), 0);

    state.m_fracX = 0.5f;
    graph.DrawToolCursors(memory, rect, overlay);
    const wxImage moved = picture();
    EXPECT_EQ(At(moved, cx, (graph.m_plotTop + cy) / 2), At(plain, cx, (graph.m_plotTop + cy) / 2))
        << "the old cursor is gone";
    EXPECT_EQ(At(moved, graph.FractionToX(0.5f), (graph.m_plotTop + cy) / 2), *wxBLACK);

    CgrnDC dc;
    dc.SetDC(&memory);
    dc.ResetXor(overlay);
    dc.SetDC(nullptr);
    EXPECT_TRUE(SameImages(picture(), plain)) << "the graph as it was";
}

TEST_F(GraphRenderer, AnnotationCursorArea)
{
    CdocField& x = AddReading(10.0f);
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    m_doc->m_annotations.BeginPlace("Boiling", &x, &y);
    m_doc->m_tool.m_was.m_fracX = 0.1f;
    m_doc->m_tool.m_was.m_fracY = 0.2f;
    m_doc->m_tool.m_now.m_fracX = 0.6f;
    m_doc->m_tool.m_now.m_fracY = 0.9f;
    m_doc->m_tool.m_now.m_active = true;
    m_doc->m_tool.m_now.m_annotate = true;
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 500, 300);
    wxImage image = Render(graph, rect);
    wxRect area = rect;
    wxSize text;
    On(image, [&](wxDC& dc) {
        dc.SetFont(*wxNORMAL_FONT);
        EXPECT_TRUE(graph.DrawAnnotationCursor(dc, area));
    });
    EXPECT_EQ(area.x, graph.FractionToX(0.1f));
    EXPECT_EQ(area.y, graph.FractionToY(0.9f) - graph.m_textHeight / 2);
    EXPECT_GT(area.GetRight(), graph.FractionToX(0.6f));
    EXPECT_GT(area.GetBottom(), graph.FractionToY(0.2f) - graph.m_textHeight / 2);
    EXPECT_GT(Count(image, RED, wxRect(graph.FractionToX(0.6f), area.y, area.GetRight() - graph.FractionToX(0.6f),
                                      graph.m_textHeight)),
              0)
        << "the annotation being placed, in its channel's colour";
}

// Many samples to a pixel column: the trace covers the pixels that drawing
// every segment on its own covers.
TEST_F(GraphRenderer, ACrowdedTraceCoversItsSegments)
{
    const int n = 4001;
    CdocField& x = AddReading(float(n - 1));
    CdocField& y = AddChannel(RED);
    m_doc->m_graph.SetAxes(&x, &y, nullptr);
    std::vector<float> ys;
    uint32_t noise = 7;
    for (int i = 0; i < n; ++i) {
        noise = noise * 1664525u + 1013904223u;
        ys.push_back(50.0f + 45.0f * std::sin(float(i) * 0.004f) + float(noise >> 26) - 32.0f);
    }
    ys[1000] = DOC_NO_VALUE;
    Fill(x, y, ys);
    CgrnGraph graph;
    graph.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 500, 300);
    const wxImage image = Render(graph, rect);

    // The same segments, each drawn by a line of its own.
    wxImage expected = qvtest::MakeWhiteImage(rect.width, rect.height);
    On(expected, [&](wxDC& dc) {
        wxPen pen(RED, 1, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_PROJECTING);
        dc.SetPen(pen);
        wxPoint previous = SamplePixel(graph, y, 0.0f, ys[0]);
        for (int i = 1; i < n; ++i) {
            if (docIsNoValue(ys[size_t(i)]))
                continue;
            const wxPoint next = SamplePixel(graph, y, float(i), ys[size_t(i)]);
            wxPoint a = previous;
            wxPoint b = next;
            if (graph.ClipSegment(a.x, a.y, b.x, b.y))
                dc.DrawLine(a, b);
            previous = next;
        }
    });
    // Segments drawn in one stroke may set a pixel beside a steep segment
    // that the same segment drawn alone leaves out; none is lost.
    const wxRect plot = Plot(graph);
    const int traced = Count(expected, RED, plot);
    int missing = 0;
    int extra = 0;
    int astray = 0;
    for (int py = plot.y; py <= plot.GetBottom(); ++py) {
        for (int px = plot.x; px <= plot.GetRight(); ++px) {
            const bool drawn = At(image, px, py) == RED;
            const bool wanted = At(expected, px, py) == RED;
            missing += wanted && !drawn ? 1 : 0;
            if (drawn && !wanted) {
                ++extra;
                astray += At(expected, px - 1, py) != RED && At(expected, px + 1, py) != RED ? 1 : 0;
            }
        }
    }
    EXPECT_GT(traced, 5000);
    EXPECT_EQ(missing, 0);
    EXPECT_LE(extra, traced / 50) << "of " << traced << " trace pixels";
    EXPECT_EQ(astray, 0) << "extra pixels lie beside the trace";
}

// Pictures of typical graphs for a person to look at, drawn as the window
// draws them; each must hold its traces.
TEST_F(GraphRenderer, Pictures)
{
    struct Case
    {
        const char* name;
        bool lines;
        bool points;
        bool bars;
        bool heavy;
        bool grid;
        int scheme;
        int records;
    } cases[] = {
        {"graph-lines", true, false, false, false, true, 0, 201},
        {"graph-points", false, true, false, false, false, 0, 41},
        {"graph-bars", false, false, true, false, true, 0, 12},
        {"graph-heavy", true, false, false, true, false, 0, 201},
        {"graph-high-contrast", true, true, false, false, true, 1, 61},
    };
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    for (const Case& c : cases) {
        m_doc = std::make_unique<CdocDoc>();
        m_doc->m_title = "Cooling water";
        m_doc->m_viewTitle = true;
        m_doc->m_viewGauge = true;
        m_doc->m_state = DOC_STATE_STOPPED;
        CdocGraph& graph = m_doc->m_graph;
        graph.m_lines = c.lines;
        graph.m_points = c.points;
        graph.m_bars = c.bars;
        graph.m_heavy = c.heavy;
        graph.m_grid = c.grid;
        CdocField& x = AddReading(float(c.records - 1));
        x.m_name = "Reading";
        x.m_unit = "";
        CdocField& temperature = AddChannel(RED, "Temperature");
        temperature.m_unit = "C";
        CdocField& light = AddChannel(BLUE, "Light");
        light.m_unit = "%";
        CdocField& pressure = AddChannel(GREEN, "Pressure");
        pressure.m_unit = "kPa";
        pressure.m_now.Set(110.0f, 90.0f);
        for (int i = 0; i < c.records; ++i) {
            const float t = float(i) / float(c.records - 1);
            x.m_samples[i] = float(i);
            temperature.m_samples[i] = 20.0f + 60.0f * std::exp(-3.0f * t);
            light.m_samples[i] = 50.0f + 30.0f * std::sin(t * 12.0f);
            pressure.m_samples[i] = 100.0f + 4.0f * std::cos(t * 5.0f) + (i % 7 == 0 ? 2.0f : 0.0f);
        }
        for (CdocField* field : {&temperature, &light, &pressure})
            field->m_current = field->m_samples[c.records - 1];
        m_doc->m_data.m_records = c.records;
        m_doc->m_data.m_marks[size_t(c.records / 3)] = 1;
        m_doc->m_data.SetColourScheme(c.scheme);
        graph.SetAxes(&x, &temperature, &pressure);

        CgrnGraph renderer;
        renderer.SetDoc(m_doc.get());
        wxBitmap bitmap(800, 500, 24);
        {
            wxMemoryDC memory(bitmap);
            memory.SetBackground(*wxWHITE_BRUSH);
            memory.Clear();
            EXPECT_TRUE(renderer.Draw(memory, wxRect(0, 0, 800, 500), false)) << c.name;
        }
        const std::string path = std::string(QV_SCREENSHOT_DIR) + "/" + c.name + ".png";
        EXPECT_TRUE(bitmap.SaveFile(path, wxBITMAP_TYPE_PNG)) << path;
        const wxImage image = bitmap.ConvertToImage();
        const wxColour colour = grnChannelColourOf(light);
        EXPECT_GT(Count(image, colour, Plot(renderer)), 10) << c.name << ": the light trace";
    }
}

// With the time-of-day axis the first and last moments take the place of the
// start caption.
TEST_F(GraphRenderer, TimeOfDayAxisReplacesTheStartCaption)
{
    CdocField& time = *Fields().GetAt(Fields().Add(1));
    time.InitElapsedTime();
    time.m_now.Set(7200.0f, 0.0f);
    CdocField& y = AddChannel(RED, "Temperature");
    for (int i = 0; i <= 120; ++i) {
        time.m_samples[i] = float(i) * 60.0f;
        y.m_samples[i] = 40.0f + 30.0f * std::sin(float(i) * 0.05f);
    }
    m_doc->m_data.m_records = 121;
    m_doc->m_data.SetStartDateTime(20240315, 93000);
    m_doc->m_graph.SetAxes(&time, &y, nullptr);
    const wxRect rect(0, 0, 800, 400);

    const struct
    {
        bool timeOfDay;
        const char* picture;
    } cases[] = {{false, "graph-elapsed-time"}, {true, "graph-time-of-day"}};
    std::vector<wxImage> images;
    for (const auto& c : cases) {
        m_doc->m_graphTimeAndDate = c.timeOfDay;
        CgrnGraph graph;
        graph.SetDoc(m_doc.get());
        wxBitmap bitmap(rect.width, rect.height, 24);
        {
            wxMemoryDC memory(bitmap);
            memory.SetBackground(*wxWHITE_BRUSH);
            memory.Clear();
            EXPECT_TRUE(graph.Draw(memory, rect, false));
        }
        EXPECT_EQ(graph.m_clockActive, c.timeOfDay);
        std::filesystem::create_directories(QV_SCREENSHOT_DIR);
        bitmap.SaveFile(std::string(QV_SCREENSHOT_DIR) + "/" + c.picture + ".png", wxBITMAP_TYPE_PNG);
        images.push_back(bitmap.ConvertToImage());
    }
    // The bottom line: "Started ..." from the left edge, or the first moment.
    wxBitmap text(rect.width, 40, 24);
    int startedWidth = 0;
    int firstWidth = 0;
    {
        wxMemoryDC memory(text);
        CgrnGraph graph;
        graph.SetDoc(m_doc.get());
        graph.Layout(memory, rect);
        memory.SetFont(graph.m_font);
        startedWidth = memory.GetTextExtent("Started " + m_doc->m_data.GetStartText()).x;
        firstWidth = memory.GetTextExtent(graph.m_clock.m_firstText).x;
    }
    ASSERT_GT(startedWidth, firstWidth + 10);
    auto inked = [&](const wxImage& image, int x0, int x1) {
        return Count(image, *wxBLACK, wxRect(x0, rect.height - 8, x1 - x0, 6)) +
               Count(image, *wxBLACK, wxRect(x0, rect.height - 14, x1 - x0, 6));
    };
    EXPECT_GT(inked(images[0], firstWidth + 8, startedWidth - 4), 0) << "the start caption";
    EXPECT_EQ(inked(images[1], firstWidth + 8, startedWidth - 4), 0) << "no start caption";
}

} // namespace
