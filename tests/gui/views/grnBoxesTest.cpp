// The boxes renderer: which boxes and in what order, their layout at several
// resolutions, squares, digits and ticks, texts by run state, the timing
// band and gates, the incremental pass and the hit test, drawn into images.
#include "app/gumApp.h"
#include "document/docDoc.h"
#include "gui/views/testImageDC.h"
#include "hardware/xhwBoxTypes.h"
#include "support/guiSupport.h"
#include "views/grnBoxes.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include <wx/image.h>

namespace {

const wxColour BLUE(0, 0, 200);
const wxColour BROWN(140, 90, 20);
const wxColour PURPLE(150, 0, 150);
const wxColour TICK_GREEN(0, 128, 0);
const wxColour GATE_RED(255, 0, 0);
const wxColour LIGHT_GREY(192, 192, 192);

class BoxesRenderer : public testing::Test, protected qvtest::CtestPixels
{
protected:
    void SetUp() override
    {
        CgumApp& app = qvtest::CreateApp();
        // The built-in pictures are PNG images.
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        ASSERT_TRUE(app.m_res.Load());
        app.m_options.SetUserLevel(4);
        m_doc = std::make_unique<CdocDoc>();
        m_doc->m_boxInfo.m_info.m_hardware = BOX_TYPE_SIMULATED;
        m_doc->m_boxInfo.m_info.m_maxSensors = 3;
        m_doc->m_state = DOC_STATE_STOPPED;
    }

    CdocFieldV& Fields() { return m_doc->m_data.m_fields; }

    CdocField& AddTime()
    {
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        field.InitElapsedTime();
        return field;
    }
    CdocField& AddSensor(int input, const wxColour& colour, const char* units = "V")
    {
        CxhwSensor sensor;
        sensor.m_idCode = 20;
        sensor.m_calib.m_ident = 20;
        sensor.m_calib.m_name = wxString::Format("Input %d", input + 1);
        sensor.m_calib.m_units = units;
        sensor.m_calib.m_places = 2;
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        field.InitSensor(input, sensor);
        field.m_show = true;
        field.m_colour = CdocColour(colour.Red(), colour.Green(), colour.Blue());
        field.m_current = 1.25f;
        return field;
    }
    CdocField& AddFormula(const wxColour& colour)
    {
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        field.InitFormula();
        field.m_name = "Sum";
        field.m_colour = CdocColour(colour.Red(), colour.Green(), colour.Blue());
        field.m_show = true;
        return field;
    }
    void AllowTimeAndDate()
    {
        m_doc->m_viewTimeAndDate = true;
        m_doc->m_data.m_startDate = 20240305;
        m_doc->m_data.m_startTime = 93005;
    }

    wxImage Render(CgrnBoxes& boxes, const wxSize& size, int ppi = 96)
    {
        wxImage image = qvtest::MakeWhiteImage(size.x, size.y);
        On(image, [&](wxDC& dc) { EXPECT_TRUE(boxes.Draw(dc, wxRect(wxPoint(0, 0), size))); }, ppi);
        return image;
    }

    // The smallest rectangle holding every pixel that differs; empty when none.
    static wxRect Changed(const wxImage& a, const wxImage& b)
    {
        wxRect changed;
        for (int y = 0; y < a.GetHeight(); ++y)
            for (int x = 0; x < a.GetWidth(); ++x)
                if (At(a, x, y) != At(b, x, y))
                    changed.Union(wxRect(x, y, 1, 1));
        return changed;
    }

    static wxRect UpperLine(const CgrnBoxes& b, int i)
    {
        return wxRect(b.m_textLeft, b.m_upperTop + i * b.m_pitch, b.m_textWidth, b.m_ch);
    }
    static wxRect LowerLine(const CgrnBoxes& b, int i)
    {
        return wxRect(b.m_textLeft, b.m_lowerTop + i * b.m_pitch, b.m_textWidth, b.m_ch);
    }
    static wxRect Symbol(const CgrnBoxes& b, int i)
    {
        const int s = b.m_symbolSize;
        return wxRect(b.m_symbolLeft, b.GetBoxTop(i) + b.m_u2 + (b.m_boxHeight - s) / 2, s, s);
    }

    int Hit(CgrnBoxes& boxes, int x, int y, CdocFieldKey* key = nullptr)
    {
        CgrnBoxesHit hit;
        hit.m_x = x;
        hit.m_y = y;
        boxes.HitTest(hit);
        if (key)
            *key = hit.m_key;
        return hit.m_kind;
    }

    std::unique_ptr<CdocDoc> m_doc;
};

TEST_F(BoxesRenderer, NothingWithoutADocument)
{
    CgrnBoxes boxes;
    wxImage image = qvtest::MakeWhiteImage(100, 100);
    On(image, [&](wxDC& dc) {
        EXPECT_FALSE(boxes.Draw(dc, wxRect(0, 0, 100, 100)));
        EXPECT_FALSE(boxes.DrawChanges(dc, wxRect(0, 0, 100, 100)));
        boxes.Prepare(dc, wxRect(0, 0, 100, 100));
    });
    EXPECT_FALSE(boxes.m_layoutValid);
    EXPECT_EQ(Count(image, *wxWHITE, wxRect(0, 0, 100, 100)), 100 * 100);
}

TEST_F(BoxesRenderer, BoxesInTheirOrder)
{
    CdocField& s1 = AddSensor(0, BLUE);
    CdocField& time = AddTime();
    CdocField& s2 = AddSensor(1, BROWN);
    CdocField& f = AddFormula(PURPLE);
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    Render(boxes, wxSize(200, 400));
    auto keys = [&boxes] {
        std::vector<int> k;
        for (int i = 0; i < boxes.m_count; ++i)
            k.push_back(boxes.m_boxes[size_t(i)].m_key);
        return k;
    };
    EXPECT_EQ(keys(), (std::vector<int>{time.m_key, s1.m_key, s2.m_key, f.m_key}));

    AllowTimeAndDate();
    boxes.SetDoc(m_doc.get());
    Render(boxes, wxSize(200, 400));
    EXPECT_EQ(keys(), (std::vector<int>{time.m_key, 0, s1.m_key, s2.m_key, f.m_key}));

    // 20 channels and the time and date fill all 21 boxes.
    while (Fields().GetCount() < DOC_MAX_FIELDS)
        AddFormula(PURPLE);
    boxes.SetDoc(m_doc.get());
    Render(boxes, wxSize(200, 400));
    EXPECT_EQ(boxes.m_count, 21);
}

TEST_F(BoxesRenderer, AReadingNumberLeadsWithoutElapsedTime)
{
    CdocField& s1 = AddSensor(0, BLUE);
    CdocField& reading = *Fields().GetAt(Fields().Add(1));
    reading.InitReading(10.0f, 10.0f, 10.0f);
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    Render(boxes, wxSize(200, 200));
    ASSERT_EQ(boxes.m_count, 2);
    EXPECT_EQ(boxes.m_boxes[0].m_key, reading.m_key);
    EXPECT_EQ(boxes.m_boxes[1].m_key, s1.m_key);
}

TEST_F(BoxesRenderer, LayoutFollowsTheResolution)
{
    AddSensor(0, BLUE);
    const struct
    {
        int ppi;
        int u2;
        int u3;
        int u4;
    } cases[] = {{72, 2, 3, 4}, {96, 2, 3, 4}, {180, 4, 6, 8}, {300, 6, 10, 13}};
    for (const auto& c : cases) {
        CgrnBoxes boxes;
        boxes.SetDoc(m_doc.get());
        Render(boxes, wxSize(300, 300), c.ppi);
        SCOPED_TRACE(c.ppi);
        EXPECT_EQ(boxes.m_u2, c.u2);
        EXPECT_EQ(boxes.m_u3, c.u3);
        EXPECT_EQ(boxes.m_u4, c.u4);
        const int ch = boxes.m_ch;
        ASSERT_GT(ch, 0);
        EXPECT_EQ(boxes.m_inner, wxRect(c.u2, c.u2, 300 - 2 * c.u2, 300 - 2 * c.u2));
        EXPECT_EQ(boxes.m_boxHeight, 2 * (ch + c.u3));
        EXPECT_EQ(boxes.m_pitch, 2 * (ch + c.u3) + c.u4);
        EXPECT_EQ(boxes.m_symbolSize, int(1.5 * ch));
        EXPECT_EQ(boxes.m_textLeft, c.u2 + c.u3 + boxes.m_symbolSize + c.u2);
        EXPECT_EQ(boxes.m_textLeft + boxes.m_textWidth, 300 - c.u2 - c.u3);
        EXPECT_EQ(boxes.m_lowerTop - boxes.m_upperTop, ch);
    }
}

TEST_F(BoxesRenderer, ARectangleTooNarrowGivesBoxesOfNoWidth)
{
    AddSensor(0, BLUE);
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    wxImage image = qvtest::MakeWhiteImage(50, 100);
    On(image, [&](wxDC& dc) { boxes.Prepare(dc, wxRect(10, 0, 3, 100)); });
    ASSERT_TRUE(boxes.m_layoutValid);
    EXPECT_EQ(boxes.m_boxWidth, 0);
    EXPECT_EQ(boxes.m_boxLeft, 11);
}

TEST_F(BoxesRenderer, SquaresCarryTheInputAndTheTick)
{
    CdocField& time = AddTime();
    CdocField& first = AddSensor(0, BLUE);
    CdocField& third = AddSensor(2, BROWN);
    CdocField& formula = AddFormula(PURPLE);
    CdocField& axis = AddSensor(1, BLUE);
    m_doc->m_graph.SetAxes(&axis, &first, nullptr);
    // Hidden channels: the digits alone, no tick over them.
    first.m_show = false;
    third.m_show = false;
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    const wxImage image = Render(boxes, wxSize(240, 400));
    ASSERT_EQ(boxes.m_count, 5);
    ASSERT_EQ(boxes.m_boxes[4].m_key, axis.m_key);

    auto square = [&](int i) { return At(image, Symbol(boxes, i).x, Symbol(boxes, i).y + 2); };
    EXPECT_NE(square(0), *wxBLACK) << "elapsed time has no square";
    EXPECT_EQ(square(1), *wxBLACK);
    EXPECT_EQ(square(2), *wxBLACK);
    EXPECT_EQ(square(3), *wxBLACK);
    EXPECT_NE(square(4), *wxBLACK) << "the graph's x channel has no square";

    // The digit's strokes at the square's lower right: "1" has a vertical
    // stroke at a + 1, "3" at a + 2; the formula's square holds none.
    auto anchor = [&](int i) {
        const wxRect s = Symbol(boxes, i);
        return wxPoint(s.x + s.width - 1 - boxes.m_u2 - boxes.m_u3, s.y + s.height - 1 - boxes.m_u3 - boxes.m_u4);
    };
    const wxPoint one = anchor(1);
    EXPECT_EQ(At(image, one.x + 1, one.y + 2), *wxBLACK);
    EXPECT_EQ(At(image, one.x + 2, one.y + 2), *wxWHITE);
    const wxPoint three = anchor(2);
    EXPECT_EQ(At(image, three.x + 2, three.y + 1), *wxBLACK);
    EXPECT_EQ(At(image, three.x, three.y + 1), *wxWHITE);
    const wxRect f = Symbol(boxes, 3);
    EXPECT_GT(Count(image, TICK_GREEN, wxRect(f.x, f.y - boxes.m_u4, f.width, f.height + boxes.m_u4)), 0)
        << "the shown formula's tick";
    EXPECT_EQ(Count(image, *wxBLACK, wxRect(f.x + 1, f.y + 1, f.width - 2, f.height - 2)), 0);
    for (int i : {1, 2})
        EXPECT_EQ(Count(image, TICK_GREEN, Symbol(boxes, i)), 0) << "hidden " << i;
    (void)time;
    (void)formula;
}

TEST_F(BoxesRenderer, AHiddenChannelIsWrittenInGrey)
{
    CdocField& shown = AddSensor(0, BLUE);
    CdocField& hidden = AddSensor(1, BROWN);
    hidden.m_show = false;
    CdocField& unset = AddSensor(2, BLUE);
    unset.m_colour = CdocColour();
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    const wxImage image = Render(boxes, wxSize(240, 300));
    EXPECT_GT(Count(image, BLUE, UpperLine(boxes, 0)), 0);
    EXPECT_EQ(Count(image, BROWN, UpperLine(boxes, 1)), 0);
    EXPECT_GT(Count(image, LIGHT_GREY, UpperLine(boxes, 1)), 0);
    EXPECT_GT(Count(image, *wxBLACK, UpperLine(boxes, 2)), 0);
    (void)shown;
}

TEST_F(BoxesRenderer, TextsByRunState)
{
    CdocField& time = AddTime();
    time.m_current = 2.5f;
    CdocField& volts = AddSensor(0, BLUE, "V");
    CdocField& bare = AddSensor(1, BLUE, "");
    const wxString waiting = wxGetApp().m_res.GetString(2448);
    wxString current;
    volts.GetCurrentText(current);
    struct Case
    {
        const char* name;
        int state;
        int activity;
        int records;
        CdocField* channel;
        wxString upper;
        wxString lower;
    } cases[] = {
        {"stopped", DOC_STATE_STOPPED, ACTIVITY_AUTOLOG, 5, &volts, "Input 1", "(V)"},
        {"stopped, no units", DOC_STATE_STOPPED, ACTIVITY_AUTOLOG, 5, &bare, "Input 2", ""},
        {"running", DOC_STATE_RUNNING, ACTIVITY_AUTOLOG, 5, &volts, current, "V"},
        {"fetching", DOC_STATE_FETCHING, ACTIVITY_PERIODIC, 5, &volts, current, "V"},
        {"oscilloscope", DOC_STATE_RUNNING, ACTIVITY_SCOPE, 5, &volts, "Input 1", "(V)"},
        {"fast before the first reading", DOC_STATE_RUNNING, ACTIVITY_FAST, 0, &time, waiting, time.m_unit},
        {"fast, a sensor before the first reading", DOC_STATE_RUNNING, ACTIVITY_FAST, 0, &volts, current, "V"},
    };
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    for (const Case& c : cases) {
        m_doc->m_state = c.state;
        m_doc->m_activity = c.activity;
        m_doc->m_data.m_records = c.records;
        wxString upper;
        wxString lower;
        boxes.GetTexts(*c.channel, upper, lower);
        EXPECT_EQ(upper, c.upper) << c.name;
        EXPECT_EQ(lower, c.lower) << c.name;
    }
}

TEST_F(BoxesRenderer, TheIncrementalPassRedrawsOnlyWhatChanged)
{
    AddTime();
    CdocField& first = AddSensor(0, BLUE);
    AddSensor(1, BROWN);
    m_doc->m_state = DOC_STATE_RUNNING;
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 240, 300);
    const wxImage before = Render(boxes, rect.GetSize());

    // Nothing changed: nothing drawn.
    wxImage same = before.Copy();
    On(same, [&](wxDC& dc) { EXPECT_TRUE(boxes.DrawChanges(dc, rect)); });
    EXPECT_TRUE(Changed(before, same).IsEmpty());

    // One value changed: exactly its line.
    first.m_current = 3.75f;
    wxImage after = before.Copy();
    On(after, [&](wxDC& dc) { EXPECT_TRUE(boxes.DrawChanges(dc, rect)); });
    const wxRect changed = Changed(before, after);
    ASSERT_FALSE(changed.IsEmpty());
    EXPECT_TRUE(UpperLine(boxes, 1).Contains(changed)) << changed.x << "," << changed.y << " " << changed.width
                                                       << "x" << changed.height;

    // A new size: refused, nothing drawn, and the layout made again later.
    wxImage resized = before.Copy();
    On(resized, [&](wxDC& dc) { EXPECT_FALSE(boxes.DrawChanges(dc, wxRect(0, 0, 200, 300))); });
    EXPECT_TRUE(Changed(before, resized).IsEmpty());
    EXPECT_FALSE(boxes.m_layoutValid);
}

TEST_F(BoxesRenderer, GatesShowTheirStateAndPhase)
{
    AddTime();
    AddSensor(0, BLUE);
    m_doc->m_state = DOC_STATE_RUNNING;
    m_doc->m_activity = ACTIVITY_TIMING;
    m_doc->m_setup.m_bars = 3;
    m_doc->m_boxInfo.m_boxTimingIdentify = 0x1;
    m_doc->m_timing.m_stateText = "Timing";
    CdocTiming& timing = m_doc->m_timing;
    timing.m_stateLast = 0x2;
    timing.m_stateStart = 0x0;
    const wxSize size(240, 300);

    struct Case
    {
        const char* name;
        int count;
        int stateLast;
        int phase;
    } cases[] = {
        {"first event", 1, 0x2, 0},
        {"second event", 2, 0x2, 1},
        {"third event, gate still changed", 3, 0x3, 2},
        {"third event, gate back", 3, 0x2, -1},
        {"fourth event", 4, 0x2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        timing.m_cardCount[0] = c.count;
        timing.m_stateLast = c.stateLast;
        CgrnBoxes boxes;
        boxes.SetDoc(m_doc.get());
        const wxImage image = Render(boxes, size);
        const wxRect inner = boxes.m_inner;
        const int m = 3;
        const int side = boxes.m_ch + 2 * boxes.m_u2;
        const int gap = (inner.width - m * side) / (m + 1);
        const int k = (side - 1) / 3;
        const int gy = inner.y + inner.height - 1 - boxes.m_u2 - side;
        auto gx = [&](int i) { return inner.x + gap + i * (side + gap); };
        for (int i = 0; i < m; ++i) {
            const bool set = (c.stateLast >> i) & 1;
            EXPECT_EQ(At(image, gx(i) + 1, gy + 1), set ? *wxBLACK : *wxWHITE) << "gate " << i + 1;
            // Its number, in the other colour.
            EXPECT_GT(Count(image, set ? *wxWHITE : *wxBLACK, wxRect(gx(i) + 2, gy + 2, side - 4, side - 4)), 0);
        }
        const int row = gy + side;
        const int red = Count(image, GATE_RED, wxRect(gx(0), row, side + 1, 2));
        if (c.phase < 0) {
            EXPECT_EQ(red, 0);
        } else {
            EXPECT_EQ(At(image, gx(0) + c.phase * k + 1, row), GATE_RED);
            EXPECT_EQ(At(image, gx(0) + c.phase * k + 1, row + 1), GATE_RED);
            EXPECT_LE(red, 2 * (k + 2));
        }
        EXPECT_EQ(Count(image, GATE_RED, wxRect(gx(1), row, side + 1, 2)), 0) << "not a timing input";
        // The status band above the gates.
        EXPECT_GT(Count(image, *wxBLACK, wxRect(inner.x, gy - boxes.m_ch - boxes.m_u4, inner.width, boxes.m_ch)),
                  0);
    }
}

TEST_F(BoxesRenderer, GatesRedrawOnlyWhatChanged)
{
    AddTime();
    m_doc->m_state = DOC_STATE_RUNNING;
    m_doc->m_activity = ACTIVITY_TIMING;
    m_doc->m_setup.m_bars = 2;
    m_doc->m_timing.m_stateText = "Timing";
    m_doc->m_timing.m_stateLast = 0x1;
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    const wxRect rect(0, 0, 240, 300);
    const wxImage before = Render(boxes, rect.GetSize());
    m_doc->m_timing.m_stateLast = 0x3;
    wxImage after = before.Copy();
    On(after, [&](wxDC& dc) { EXPECT_TRUE(boxes.DrawChanges(dc, rect)); });
    const wxRect changed = Changed(before, after);
    const wxRect inner = boxes.m_inner;
    const int side = boxes.m_ch + 2 * boxes.m_u2;
    const int gap = (inner.width - 3 * side) / 4;
    const wxRect second(inner.x + gap + side + gap, inner.y + inner.height - 1 - boxes.m_u2 - side, side, side);
    EXPECT_TRUE(second.Contains(changed)) << "only the second gate";
    EXPECT_EQ(boxes.m_gateWord, 0x3);
}

TEST_F(BoxesRenderer, HitTestFindsTheBoxAndItsPart)
{
    CdocField& time = AddTime();
    CdocField& sensor = AddSensor(0, BLUE);
    AllowTimeAndDate();
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    Render(boxes, wxSize(240, 300));
    ASSERT_EQ(boxes.m_count, 3); // elapsed time, time and date, the sensor
    const CgrnBoxes& b = boxes;
    const int textX = b.m_textLeft + 5;
    const int squareX = b.m_symbolLeft + 1;
    struct Case
    {
        const char* name;
        int x;
        int y;
        int kind;
        int key;
    } cases[] = {
        {"elapsed time, upper", textX, b.GetBoxTop(0) + b.m_u3 + 1, BOXES_HIT_UPPER, time.m_key},
        {"elapsed time, left edge: no square", squareX, b.m_lowerTop + 1, BOXES_HIT_LOWER, time.m_key},
        {"a little above the first box", textX, b.m_firstBoxTop - 2, BOXES_HIT_UPPER, time.m_key},
        {"time and date", textX, b.GetBoxTop(1) + 5, BOXES_HIT_NONE, 0},
        {"sensor's square", squareX, b.GetBoxTop(2) + b.m_boxHeight / 2, BOXES_HIT_SYMBOL, sensor.m_key},
        {"above the square", squareX, b.GetBoxTop(2) + 1, BOXES_HIT_SYMBOL, sensor.m_key},
        {"sensor's upper line", textX, b.m_upperTop + 2 * b.m_pitch, BOXES_HIT_UPPER, sensor.m_key},
        {"sensor's lower line", textX, b.m_lowerTop + 2 * b.m_pitch, BOXES_HIT_LOWER, sensor.m_key},
        {"the gap below a box", textX, b.GetBoxTop(2) + b.m_boxHeight + 1, BOXES_HIT_LOWER, sensor.m_key},
        {"below the last box", textX, b.GetBoxTop(3) + 1, BOXES_HIT_NONE, 0},
        {"far above", textX, b.m_firstBoxTop - b.m_pitch - 1, BOXES_HIT_NONE, 0},
    };
    for (const Case& c : cases) {
        CdocFieldKey key;
        EXPECT_EQ(Hit(boxes, c.x, c.y, &key), c.kind) << c.name;
        if (c.kind != BOXES_HIT_NONE) {
            EXPECT_EQ(key.m_key, c.key) << c.name;
        }
    }
}

TEST_F(BoxesRenderer, ASetUpWithoutBarsOrWithTooManyInputsStillDraws)
{
    // A file may carry no bars and a logger any input count: drawn as one
    // bar and at most six gates.
    AddTime();
    m_doc->m_state = DOC_STATE_RUNNING;
    m_doc->m_activity = ACTIVITY_TIMING;
    m_doc->m_setup.m_bars = 0;
    m_doc->m_boxInfo.m_info.m_maxSensors = 9;
    m_doc->m_boxInfo.m_boxTimingIdentify = 0x1FF;
    m_doc->m_timing.m_stateLast = 0x1FF;
    m_doc->m_timing.m_cardCount[0] = -4;
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    const wxImage image = Render(boxes, wxSize(300, 300));
    const wxRect inner = boxes.m_inner;
    const int side = boxes.m_ch + 2 * boxes.m_u2;
    const int gap = (inner.width - 6 * side) / 7;
    const int gy = inner.y + inner.height - 1 - boxes.m_u2 - side;
    EXPECT_EQ(At(image, inner.x + gap + 5 * (side + gap) + 1, gy + 1), *wxBLACK) << "the sixth gate";
    EXPECT_GT(Count(image, GATE_RED, wxRect(inner.x, gy + side, inner.width, 2)), 0);
}

} // namespace

// A timing channel shows its measurement's running time until the row is
// stored; a channel without a measurement shows its current value.
TEST_F(BoxesRenderer, TimingChannelsShowTheirRunningTime)
{
    CdocField& gate = AddSensor(0, BLUE);
    CdocField& other = AddSensor(1, BLUE);
    other.m_current = 1.5f;
    m_doc->m_state = DOC_STATE_RUNNING;
    m_doc->m_activity = ACTIVITY_TIMING;
    m_doc->m_boxInfo.m_boxTimingIdentify = 0x3;
    m_doc->m_boxInfo.m_boxTimingTicksPerSecond = 1000.0;
    CdocTiming& timing = m_doc->m_timing;
    timing.m_input = 0;
    timing.m_inputBit = 1;
    timing.m_eventsNeeded = 1;
    CdocTimer* timer = timing.m_timers.AddTimer();
    timer->Start(timing);
    timer->m_elapsedTicks = 300;
    timer->m_pendingTicks = 120;
    CgrnBoxes boxes;
    boxes.SetDoc(m_doc.get());
    wxString upper, lower;
    boxes.GetTexts(gate, upper, lower);
    EXPECT_EQ(upper, "0.42");
    EXPECT_EQ(lower, "s");
    boxes.GetTexts(other, upper, lower);
    EXPECT_EQ(upper, other.GetValueText(-1, 1.5f));
    EXPECT_EQ(lower, other.m_unit);
    timing.m_timers.DeleteAll();
}
