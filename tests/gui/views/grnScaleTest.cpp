#include "data/docFieldHdr.h"
#include "gui/views/testImageDC.h"
#include "support/guiSupport.h"
#include "views/grnDC.h"
#include "views/grnScale.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/dcmemory.h>

namespace {

CgrnScale MakeScale(float min, float max, bool whole = false)
{
    CgrnScale scale;
    scale.m_range.Set(max, min);
    scale.m_whole = whole;
    return scale;
}

TEST(Scale, TickStepsAndLabels)
{
    struct Case
    {
        const char* name;
        float min;
        float max;
        bool whole;
        int length;
        int numerator;
        int denominator;
        int places;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"large", 0.0f, 1000000.0f, false, 500, 200000, 1, 0,
         {"0", "200000", "400000", "600000", "800000", "1000000"}},
        {"hundred", 0.0f, 100.0f, false, 500, 20, 1, 0, {"0", "20", "40", "60", "80", "100"}},
        {"unit", 0.0f, 1.0f, false, 2000, 1, 10, 1,
         {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
        {"small", 0.0f, 0.002f, false, 2000, 2, 10000, 4,
         {"0", "0.0002", "0.0004", "0.0006", "0.0008", "0.001", "0.0012", "0.0014", "0.0016", "0.0018", "0.002"}},
        {"negative", -50.0f, -10.0f, false, 500, 5, 1, 0,
         {"-50", "-45", "-40", "-35", "-30", "-25", "-20", "-15", "-10"}},
        {"across zero", -2.5f, 2.5f, false, 400, 1, 1, 0, {"-2", "-1", "0", "1", "2"}},
        {"narrow, away from zero", 100.2f, 100.5f, false, 500, 5, 100, 2,
         {"100.2", "100.25", "100.3", "100.35", "100.4", "100.45", "100.5"}},
        {"whole numbers", 0.0f, 3.0f, true, 2000, 1, 1, 0, {"0", "1", "2", "3"}},
        {"fractions", 0.0f, 3.0f, false, 2000, 2, 10, 1,
         {"0", "0.2", "0.4", "0.6", "0.8", "1", "1.2", "1.4", "1.6", "1.8", "2", "2.2", "2.4", "2.6", "2.8", "3"}},
    };
    for (const Case& c : cases) {
        const CgrnScale scale = MakeScale(c.min, c.max, c.whole);
        float step = 0.0f;
        int numerator = 0;
        int denominator = 0;
        int places = -1;
        ASSERT_TRUE(scale.GetTickStep(c.length, 40, step, numerator, denominator, places)) << c.name;
        EXPECT_EQ(numerator, c.numerator) << c.name;
        EXPECT_EQ(denominator, c.denominator) << c.name;
        EXPECT_EQ(places, c.places) << c.name;
        EXPECT_FLOAT_EQ(step, float(c.numerator) / float(c.denominator)) << c.name;
        const float first = scale.GetFirstTick(step);
        std::vector<std::string> labels;
        for (size_t i = 0; i < c.labels.size(); ++i)
            labels.push_back(CgrnScale::FormatLabel(places, first + float(i) * step).ToStdString());
        EXPECT_EQ(labels, c.labels) << c.name;
        EXPECT_GT(first + float(c.labels.size()) * step, c.max * 1.00001f) << c.name << ": no tick beyond the last";
    }
}

TEST(Scale, NoTicksWithoutARangeOrRoom)
{
    struct Case
    {
        const char* name;
        float min;
        float max;
        int length;
    };
    const Case cases[] = {
        {"reversed", 10.0f, 0.0f, 500},
        {"empty", 5.0f, 5.0f, 500},
        {"shorter than a label", 0.0f, 100.0f, 40},
        {"more ticks than pixels", -1.0e30f, 1.0e30f, 500},
    };
    for (const Case& c : cases) {
        float step = 0.0f;
        int numerator = 0;
        int denominator = 0;
        int places = 0;
        EXPECT_FALSE(MakeScale(c.min, c.max).GetTickStep(c.length, 40, step, numerator, denominator, places))
            << c.name;
    }
}

TEST(Scale, FirstTickIsTheFirstMultipleAtOrAboveTheMinimum)
{
    struct Case
    {
        float min;
        float step;
        float first;
    };
    const Case cases[] = {
        {-2.5f, 1.0f, -2.0f}, {2.5f, 1.0f, 3.0f},     {2.0f, 1.0f, 2.0f},     {-2.0f, 1.0f, -2.0f},
        {2.000005f, 1.0f, 2.0f}, {0.0f, 0.1f, 0.0f},  {-0.05f, 0.1f, 0.0f},   {0.05f, 0.1f, 0.1f},
        {-47.0f, 5.0f, -45.0f},  {1234.5f, 200.0f, 1400.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(MakeScale(c.min, c.min + 100.0f).GetFirstTick(c.step), c.first) << c.min << " by " << c.step;
}

TEST(Scale, LabelsShowNoTrailingZerosAndAtMostSixDigits)
{
    struct Case
    {
        int places;
        float value;
        const char* label;
    };
    const Case cases[] = {
        {0, 2.0f, "2"},        {0, 1000000.0f, "1000000"}, {1, 0.5f, "0.5"},     {1, 1.0f, "1"},
        {1, -1.5f, "-1.5"},    {2, 0.1f + 0.2f, "0.3"},     {4, 0.0002f, "0.0002"}, {2, 12345.25f, "12345.2"},
        {3, 0.0f, "0"},        {1, 0.30000001f, "0.3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CgrnScale::FormatLabel(c.places, c.value), c.label) << c.value;
}

TEST(Scale, RoundingToSixPlacesGoesHalfAwayFromZero)
{
    EXPECT_FLOAT_EQ(grnRound6(0.1234565f), 0.123457f);
    EXPECT_FLOAT_EQ(grnRound6(-0.1234565f), -0.123457f);
    EXPECT_FLOAT_EQ(grnRound6(0.30000001f), 0.3f);
    EXPECT_EQ(grnRound6(-0.0000001f), 0.0f);
    EXPECT_FALSE(std::signbit(grnRound6(-0.0f)));
}

TEST(Scale, WideningForBars)
{
    struct Case
    {
        float max;
        float min;
        float wideMax;
        float wideMin;
    };
    const Case cases[] = {
        {10.0f, 1.0f, 10.96f, 0.45f},
        {-1.2f, -3.7f, -0.04f, -3.55f},
        {1.0f, 10.0f, 0.45f, 10.96f}, // held reversed, stays reversed
        {0.5f, 0.5f, 0.96f, -0.55f},
    };
    for (const Case& c : cases) {
        CgrnScale scale = MakeScale(c.min, c.max);
        scale.WidenForBars();
        EXPECT_FLOAT_EQ(scale.m_range.m_max, c.wideMax) << c.max << ".." << c.min;
        EXPECT_FLOAT_EQ(scale.m_range.m_min, c.wideMin) << c.max << ".." << c.min;
    }
    // An unset range is left as it is, not turned into numbers to label.
    CgrnScale unset;
    unset.m_range.Unset();
    unset.WidenForBars();
    EXPECT_FALSE(unset.m_range.IsMaxSet());
    EXPECT_FALSE(unset.m_range.IsMinSet());
}

TEST(Scale, SetTakesTheChannelsRangeAndWholeNumbers)
{
    CdocFieldHdr reading;
    reading.InitReading(1000.0f, 50.0f, 20.0f);
    CgrnScale scale;
    scale.Set(&reading, true, 1, 1);
    EXPECT_EQ(scale.m_range, CxhwMinMax(50.0f, 1.0f));
    EXPECT_TRUE(scale.m_whole);
    EXPECT_EQ(scale.m_side, 1);
    EXPECT_EQ(scale.m_large, 1);
    scale.Set(&reading, false, 0, 0);
    EXPECT_EQ(scale.m_range, CxhwMinMax(20.0f, 1.0f));

    CdocFieldHdr decimals;
    decimals.m_gain = 0.5f;
    decimals.m_now.Set(7.5f, -2.5f);
    scale.Set(&decimals, false, 0, 0);
    EXPECT_FALSE(scale.m_whole);
    EXPECT_EQ(scale.m_range, CxhwMinMax(7.5f, -2.5f));

    scale.Set(nullptr, false, 0, 0);
    EXPECT_EQ(scale.m_range, CxhwMinMax(100.0f, 0.0f));
    EXPECT_FALSE(scale.m_whole);
    EXPECT_EQ(CgrnScale().m_range, CxhwMinMax(10.0f, 0.0f));
}

// Axes drawn into pictures.
class ScaleDrawing : public testing::Test
{
protected:
    void SetUp() override { qvtest::CreateApp(); }

    wxImage Draw(int width, int height, const std::function<void(CgrnDC&)>& draw)
    {
        wxBitmap bitmap(width, height, 24);
        {
            wxMemoryDC memory(bitmap);
            memory.SetBackground(*wxWHITE_BRUSH);
            memory.Clear();
            memory.SetPen(*wxBLACK_PEN);
            memory.SetTextForeground(*wxBLACK);
            memory.SetFont(*wxNORMAL_FONT);
            m_label = memory.GetTextExtent("12345");
            CgrnDC dc;
            dc.SetDC(&memory);
            draw(dc);
            dc.SetDC(nullptr);
        }
        return bitmap.ConvertToImage();
    }

    static bool Dark(const wxImage& image, int x, int y) { return image.GetRed(x, y) < 128; }

    // The box around the dark pixels within the area.
    static wxRect Ink(const wxImage& image, const wxRect& within)
    {
        const wxRect area = within.Intersect(wxRect(image.GetSize()));
        int left = area.GetRight() + 1;
        int right = area.x - 1;
        int top = area.GetBottom() + 1;
        int bottom = area.y - 1;
        for (int y = area.y; y <= area.GetBottom(); ++y)
            for (int x = area.x; x <= area.GetRight(); ++x)
                if (Dark(image, x, y)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return wxRect(wxPoint(left, top), wxPoint(right, bottom));
    }

    // The rows from the line down that a tick at column x covers whole
    // (line ends are drawn round, so the pixel past a line's end is partly
    // covered).
    static int TickLength(const wxImage& image, int x, int lineY)
    {
        int n = 1;
        while (lineY + n < image.GetHeight() && image.GetRed(x, lineY + n) < 16)
            ++n;
        return n;
    }

    wxSize m_label;
};

TEST_F(ScaleDrawing, HorizontalAxisPutsTicksAndLabelsWhereTheMappingSays)
{
    const CgrnScale scale = MakeScale(0.0f, 100.0f);
    const int x = 40;
    const int y = 10;
    const int length = 400;
    bool drawn = false;
    const wxImage image = Draw(500, 80, [&](CgrnDC& dc) { drawn = scale.DrawAxisX(dc, x, y, length); });
    ASSERT_TRUE(drawn);
    for (int i = x + 1; i < x + length; i += 37)
        EXPECT_TRUE(Dark(image, i, y)) << "the line at " << i;

    // At 96 ppi: major ticks 6 pixels, medium (half steps) 5, minor (tenths) 3.
    struct Tick
    {
        float value;
        int length;
    };
    const Tick ticks[] = {{20.0f, 6}, {40.0f, 6}, {10.0f, 5}, {50.0f, 5}, {2.0f, 3}, {38.0f, 3}};
    for (const Tick& t : ticks)
        EXPECT_EQ(TickLength(image, scale.GetPositionX(t.value, x, length), y), t.length) << t.value;
    EXPECT_EQ(scale.GetPositionX(20.0f, x, length), 120);

    const int labelTop = y + 7;
    for (int v = 0; v <= 100; v += 20) {
        const int p = scale.GetPositionX(float(v), x, length);
        const wxRect ink = Ink(image, wxRect(p - 35, labelTop, 70, m_label.y + 2));
        ASSERT_FALSE(ink.IsEmpty()) << v;
        EXPECT_NEAR(ink.x + ink.width / 2.0, p, 2.0) << "label " << v << " centred on its tick";
    }
}

TEST_F(ScaleDrawing, VerticalAxisPutsLabelsLeftOfTheLine)
{
    const CgrnScale scale = MakeScale(0.0f, 100.0f);
    const int x = 60;
    const int y = 10;
    const int length = 300;
    const wxImage image = Draw(120, 330, [&](CgrnDC& dc) { EXPECT_TRUE(scale.DrawAxisY(dc, x, y, length)); });
    EXPECT_EQ(scale.GetPositionY(0.0f, y, length), y + length);
    EXPECT_EQ(scale.GetPositionY(100.0f, y, length), y);
    for (int v = 0; v <= 100; v += 20) {
        const int p = scale.GetPositionY(float(v), y, length);
        EXPECT_TRUE(Dark(image, x - 5, p)) << "tick " << v;
        EXPECT_FALSE(Dark(image, x - 7, p)) << "tick " << v;
        const wxRect ink = Ink(image, wxRect(0, p - m_label.y, x - 6, 2 * m_label.y));
        ASSERT_FALSE(ink.IsEmpty()) << v;
        EXPECT_LE(ink.GetRight(), x - 7) << v;
        EXPECT_NEAR(ink.y + ink.height / 2.0, p, 3.0) << "label " << v << " centred on its tick";
    }
}

TEST_F(ScaleDrawing, WholeNumbersGetNoInBetweenTicks)
{
    const CgrnScale scale = MakeScale(0.0f, 3.0f, true);
    const wxImage image = Draw(500, 60, [&](CgrnDC& dc) { EXPECT_TRUE(scale.DrawAxisX(dc, 40, 10, 400)); });
    EXPECT_EQ(TickLength(image, scale.GetPositionX(1.0f, 40, 400), 10), 6);
    for (float v : {0.5f, 0.1f, 1.5f, 2.2f})
        EXPECT_EQ(TickLength(image, scale.GetPositionX(v, 40, 400), 10), 1) << v;
}

TEST_F(ScaleDrawing, GridLinesStandAtTheLabelledTicks)
{
    const CgrnScale scale = MakeScale(0.0f, 100.0f);
    const wxImage image = Draw(500, 300, [&](CgrnDC& dc) {
        EXPECT_TRUE(scale.DrawGridX(dc, 40, 250, 400, 20));
        EXPECT_TRUE(scale.DrawGridY(dc, 40, 20, 230, 440));
    });
    EXPECT_TRUE(Dark(image, 120, 100));
    EXPECT_FALSE(Dark(image, 80, 100));
    // 230 pixels hold four labels: a step of 50.
    const int row = scale.GetPositionY(50.0f, 20, 230);
    EXPECT_TRUE(Dark(image, 300, row));
    EXPECT_FALSE(Dark(image, 300, row + 5));
}

TEST_F(ScaleDrawing, RoomForLabels)
{
    int width = 0;
    int empty = 0;
    int height = 0;
    int labelWidth = 0;
    Draw(10, 10, [&](CgrnDC& dc) {
        width = MakeScale(0.0f, 100.0f).GetAxisWidth(dc, 300);
        empty = MakeScale(5.0f, 5.0f).GetAxisWidth(dc, 300);
        height = MakeScale(0.0f, 100.0f).GetAxisHeight(dc);
        labelWidth = dc.GetDC()->GetTextExtent("100").x;
    });
    EXPECT_EQ(empty, 7) << "only the label offset";
    EXPECT_EQ(width, 7 + labelWidth);
    EXPECT_EQ(height, 7 + m_label.y);
}

TEST_F(ScaleDrawing, AxisOnAPrinterOfHigherResolution)
{
    // 180 ppi: a normal major tick is 12 pixels, the label offset 14.
    struct Case
    {
        int large;
        int side;
        int height; // label offset below the line
        int width;  // label offset beside a vertical line
    };
    const Case cases[] = {{0, 0, 14, 14}, {0, 1, 12, 16}, {1, 0, 20, 20}, {1, 1, 18, 24}};
    for (const Case& c : cases) {
        wxImage image = qvtest::MakeWhiteImage(500, 100);
        int textHeight = 0;
        int height = 0;
        int width = 0;
        {
            qvtest::CtestImageDC target(image, 180);
            target.SetPen(*wxBLACK_PEN);
            target.SetFont(*wxNORMAL_FONT);
            textHeight = target.GetTextExtent("12345").y;
            CgrnDC dc;
            dc.SetDC(&target);
            CgrnScale scale = MakeScale(0.0f, 100.0f);
            scale.m_large = c.large;
            scale.m_side = c.side;
            height = scale.GetAxisHeight(dc);
            CgrnScale empty = MakeScale(1.0f, 1.0f);
            empty.m_large = c.large;
            empty.m_side = c.side;
            width = empty.GetAxisWidth(dc, 300);
            if (c.large == 0 && c.side == 0) {
                EXPECT_TRUE(scale.DrawAxisX(dc, 40, 20, 400));
                target.DrawLine(480, 20, 480, 32);
            }
        }
        EXPECT_EQ(height, c.height + textHeight) << c.large << c.side;
        EXPECT_EQ(width, c.width) << c.large << c.side;
        if (c.large == 0 && c.side == 0) {
            EXPECT_EQ(TickLength(image, 40, 20), TickLength(image, 480, 20)) << "as a 12-pixel line";
        }
    }
}

TEST_F(ScaleDrawing, RangesFloatsCannotStepThroughStillEnd)
{
    // At 1e8 a float cannot step by 1; at 1e30 the largest step would need
    // more ticks than pixels.
    const CgrnScale coarse = MakeScale(100000000.0f, 100000008.0f);
    const CgrnScale vast = MakeScale(-1.0e30f, 1.0e30f);
    bool coarseDrawn = false;
    bool vastDrawn = true;
    int vastWidth = 0;
    Draw(500, 60, [&](CgrnDC& dc) {
        coarseDrawn = coarse.DrawAxisX(dc, 40, 10, 400);
        coarse.GetAxisWidth(dc, 400);
        coarse.DrawGridX(dc, 40, 50, 400, 10);
        vastDrawn = vast.DrawAxisX(dc, 40, 10, 400);
        vastWidth = vast.GetAxisWidth(dc, 400);
    });
    EXPECT_TRUE(coarseDrawn);
    EXPECT_FALSE(vastDrawn);
    EXPECT_EQ(vastWidth, 7);
}

} // namespace
