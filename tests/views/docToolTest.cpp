// The graph's measuring tools: selection, gestures, snapping and read-outs.
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>
#include <limits>

using qvtest::DataTest;

namespace {

// Eleven stopped records one second apart: the elapsed time 0..10 s on x
// and a speed of 2t + 1 m/s, shown 0..40, on the left axis.
class Tool : public DataTest
{
protected:
    Tool()
    {
        m_time = &AddChannel(CONTENT_ELAPSED_TIME, "Time", "s");
        m_speed = &AddChannel(CONTENT_MANUAL, "Speed", "m/s");
        for (int i = 0; i < 11; ++i) {
            m_time->SetSample(i, float(i));
            m_speed->SetSample(i, 2.0f * float(i) + 1.0f);
        }
        Data().SetRecords(11);
        Data().m_interval = 1.0;
        m_time->m_now.Set(10.0f, 0.0f);
        m_speed->m_now.Set(40.0f, 0.0f);
        m_doc.m_graph.SetAxes(m_time, m_speed, nullptr);
        m_doc.m_state = DOC_STATE_STOPPED;
        m_owner.m_hints.clear();
    }
    CdocField& AddChannel(int content, const char* name, const char* unit)
    {
        CdocField& field = At(Fields().Add(1));
        field.InitManual();
        field.m_content = content;
        field.m_name = name;
        field.m_unit = unit;
        field.m_places = 1;
        field.m_gain = 1.0f;
        return field;
    }
    CdocTool& T() { return m_doc.m_tool; }
    CdocToolState& Now() { return m_doc.m_tool.m_now; }
    // Shows the cursors of a type where given, without snapping.
    void Show(int type, float x, float y, float x0, float y0)
    {
        Now().m_tool = type;
        Now().m_active = true;
        Now().m_fracX = x;
        Now().m_fracY = y;
        Now().m_fracX0 = x0;
        Now().m_fracY0 = y0;
    }

    CdocField* m_time = nullptr;
    CdocField* m_speed = nullptr;
};

} // namespace

// The first cursor at 6.2 s and half height, the second at 3.1 s and a
// quarter: each type's read-out of a y channel and of the x channel.
TEST_F(Tool, ReadoutsOfEachType)
{
    struct Case
    {
        int type;
        float value;
        const char* text;
        const char* units;
        float cursor;
        const char* xText;
    };
    const Case cases[] = {
        {TOOL_POSITION, 20.0f, "20.0", "m/s", 20.0f, "6.2"},     // 0.5 of 0..40
        {TOOL_READING, 13.0f, "13.0", "m/s", 13.0f, "6.0"},      // record 6
        {TOOL_CHANGE, 6.0f, "6.0", "m/s", 13.0f, "3.0"},         // record 6 less record 3
        {TOOL_DIFFERENCE, 10.0f, "10.0", "m/s", 20.0f, "3.1"},   // (0.5 - 0.25) of 40
        {TOOL_GRADIENT, 2.0f, "2.0", "m/s/s", 13.0f, "6.0"},     // slope at record 6
        {TOOL_AREA, 30.0f, "30.0", "m/s.s", 13.0f, "3.1"},       // 2t + 1 from 3 to 6 s
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Show(c.type, 0.62f, 0.5f, 0.31f, 0.25f);
        wxString text;
        EXPECT_NEAR(T().GetValueText(text, m_speed), c.value, 1e-4f);
        EXPECT_EQ(text, c.text);
        T().GetUnits(text, m_speed);
        EXPECT_EQ(text, c.units);
        EXPECT_NEAR(T().GetCursorText(text, m_speed), c.cursor, 1e-4f);
        T().GetValueText(text, m_time);
        EXPECT_EQ(text, c.xText);
        T().GetUnits(text, m_time);
        EXPECT_EQ(text, "s");
        T().GetHeading(text, m_time);
        EXPECT_EQ(text, "Time (s)");
    }
}

TEST_F(Tool, HeadingsFollowTheReadoutsUnits)
{
    wxString text;
    Show(TOOL_GRADIENT, 0.5f, 0.5f, 0.5f, 0.5f);
    T().GetHeading(text, m_speed);
    EXPECT_EQ(text, "Speed (m/s/s)");
    Show(TOOL_READING, 0.5f, 0.5f, 0.5f, 0.5f);
    T().GetHeading(text, m_speed);
    EXPECT_EQ(text, "Speed (m/s)");
    // A channel without units: the name alone, not followed by "()".
    m_speed->m_unit.clear();
    T().GetHeading(text, m_speed);
    EXPECT_EQ(text, "Speed");
    Show(TOOL_AREA, 0.5f, 0.5f, 0.5f, 0.5f);
    T().GetHeading(text, m_speed);
    EXPECT_EQ(text, "Speed (Speed.s)");
}

TEST_F(Tool, ReadoutsWithoutAValue)
{
    wxString text = "old";
    // A missing sample under either cursor.
    m_speed->m_samples[3] = DOC_NO_VALUE;
    Show(TOOL_CHANGE, 0.62f, 0.5f, 0.31f, 0.25f);
    EXPECT_EQ(T().GetValueText(text, m_speed), DOC_NO_VALUE);
    EXPECT_EQ(text, "");
    // No type.
    Show(TOOL_NONE, 0.62f, 0.5f, 0.31f, 0.25f);
    EXPECT_EQ(T().GetCursorText(text, m_speed), DOC_NO_VALUE);
    EXPECT_EQ(text, "");
    // No records.
    Data().SetRecords(0);
    Show(TOOL_READING, 0.62f, 0.5f, 0.31f, 0.25f);
    EXPECT_EQ(T().GetValueText(text, m_speed), DOC_NO_VALUE);
    EXPECT_EQ(text, "");
    EXPECT_EQ(T().GetReadingAtCursor(text, m_speed), DOC_NO_VALUE);
    // The elapsed time read against an x axis that is not an index.
    Data().SetRecords(11);
    m_doc.m_graph.SetAxes(m_speed, m_time, nullptr);
    Show(TOOL_POSITION, 0.62f, 0.5f, 0.31f, 0.25f);
    EXPECT_EQ(T().GetCursorText(text, m_time), DOC_NO_VALUE);
    EXPECT_EQ(T().GetValueText(text, m_time), DOC_NO_VALUE);
    EXPECT_EQ(text, "");
    // No channel.
    EXPECT_EQ(T().GetValueText(text, nullptr), DOC_NO_VALUE);
}

// A sensor reading outside its calibration reads as over range, as the
// table shows it.
TEST_F(Tool, ReadingAtTheCursorShowsTheDisplayText)
{
    m_speed->m_content = CONTENT_SENSOR;
    m_speed->m_cal.Set(12.0f, 0.0f);
    Show(TOOL_READING, 0.62f, 0.5f, 0.62f, 0.5f);
    wxString text;
    EXPECT_FLOAT_EQ(T().GetReadingAtCursor(text, m_speed), 13.0f);
    EXPECT_EQ(text, "> 12.0");
}

// The x axis from 0 to 8 s: 6.5 s lies halfway between records 6 and 7. The
// walk starts at the elapsed time over the interval; a tie keeps the side it
// came from.
TEST_F(Tool, NearestSampleAndTies)
{
    m_time->m_now.Set(8.0f, 0.0f);
    struct Case
    {
        double interval;
        float fraction;
        int index;
    };
    const Case cases[] = {
        {1.0, 0.8125f, 6},  // guess 6: up to the tie, the lower stays
        {2.0, 0.8125f, 6},  // guess 3
        {0.5, 0.8125f, 7},  // guess 13, the last visible 8: down, the higher stays
        {1.0, 0.6f, 5},     // 4.8 s
        {0.5, 0.6f, 5},
        {1.0, 0.0f, 0},
        {1.0, 1.0f, 8},     // record 10 lies outside the axis
        {1.0, 1.5f, 8},     // fractions are clamped
        {0.0, 0.8125f, 6},  // no interval: the walk starts at the first record
    };
    for (const Case& c : cases) {
        Data().m_interval = c.interval;
        EXPECT_EQ(T().FindNearestSample(c.fraction), c.index) << c.interval << " " << c.fraction;
    }
}

TEST_F(Tool, VisibleRange)
{
    struct Case
    {
        float max, min;
        int first, last;
    };
    const Case cases[] = {
        {10.0f, 0.0f, 0, 10},
        {7.5f, 2.5f, 3, 7},
        {3.8f, 3.2f, 3, 4}, // between two records: the two around it
        {30.0f, 20.0f, -1, -1},
        {0.0f, 10.0f, 0, 10}, // held reversed
    };
    for (const Case& c : cases) {
        m_time->m_now.Set(c.max, c.min);
        int first = 0, last = 0;
        T().GetVisibleRange(first, last);
        EXPECT_EQ(first, c.first) << c.max << ".." << c.min;
        EXPECT_EQ(last, c.last) << c.max << ".." << c.min;
    }
    EXPECT_EQ(T().FindNearestSample(0.5f), 5);
    m_time->m_now.Set(30.0f, 20.0f);
    EXPECT_EQ(T().FindNearestSample(0.5f), -1);
}

// A falling x channel is walked the other way.
TEST_F(Tool, FallingXValues)
{
    for (int i = 0; i < 11; ++i)
        m_time->m_samples[i] = 10.0f - float(i);
    m_time->m_now.Set(7.5f, 2.5f);
    int first = 0, last = 0;
    T().GetVisibleRange(first, last);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 7);
    EXPECT_EQ(T().FindNearestSample(0.45f), 5); // 4.75: the record at 5
    EXPECT_EQ(T().FindNearestSample(0.0f), 7);
}

TEST_F(Tool, OneRecordSnapsEveryTypeToIt)
{
    m_time->m_samples[0] = 4.0f;
    Data().SetRecords(1);
    for (int type : {TOOL_READING, TOOL_CHANGE, TOOL_GRADIENT, TOOL_AREA}) {
        T().Deactivate();
        T().SetTool(type);
        ASSERT_EQ(Now().m_tool, type);
        T().ClickAt(0.9f, 0.5f);
        EXPECT_TRUE(Now().m_active);
        EXPECT_FLOAT_EQ(Now().m_fracX, 0.4f) << type;
        EXPECT_FLOAT_EQ(Now().m_fracX0, 0.4f) << type;
    }
    // Outside the axis there is nothing to snap to.
    T().Deactivate();
    m_time->m_samples[0] = 20.0f;
    T().ClickAt(0.9f, 0.5f);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.9f);
}

// Sample types snap to the nearest record; Position and Difference do not.
TEST_F(Tool, ClickAndMoveSnap)
{
    T().ClickAt(0.64f, 0.55f);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.6f);
    EXPECT_FLOAT_EQ(Now().m_fracY, 0.55f);
    T().MoveCursor(0.87f, 1.4f);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.9f);
    EXPECT_FLOAT_EQ(Now().m_fracY, 1.0f);
    EXPECT_FLOAT_EQ(Now().m_fracX0, 0.6f); // the second cursor stays
    EXPECT_FLOAT_EQ(Now().m_fracY0, 0.55f);

    T().Deactivate();
    T().SetTool(TOOL_POSITION);
    T().ClickAt(0.64f, -0.5f);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.64f);
    EXPECT_FLOAT_EQ(Now().m_fracY, 0.0f);
}

// A plot of no width gives the view no number for the pointer: such a
// point counts as the plot's edge, never as a record index.
TEST_F(Tool, PointsWithoutANumber)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    T().ClickAt(nan, inf);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.0f);
    EXPECT_FLOAT_EQ(Now().m_fracY, 1.0f);
    T().MoveCursor(0.5f, 0.5f);
    T().MoveCursor(-inf, nan);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.0f);
    EXPECT_FLOAT_EQ(Now().m_fracY, 0.0f);
    EXPECT_EQ(T().FindNearestSample(nan), 0);
}

// Click, move, click again: placed, moved, removed, each with one hint and
// the state before it kept.
TEST_F(Tool, ChangeCodesOfTheGestures)
{
    T().MoveCursor(0.5f, 0.5f); // nothing shown: nothing moves
    T().Deactivate();
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 0);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_NONE);

    T().ClickAt(0.3f, 0.5f);
    EXPECT_TRUE(Now().m_active);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_PLACED);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 1);

    T().MoveCursor(0.5f, 0.5f);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_MOVED);
    EXPECT_EQ(T().m_was.m_msg, TOOL_MSG_PLACED);
    EXPECT_FLOAT_EQ(T().m_was.m_fracX, 0.3f);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 2);

    T().ClickAt(0.5f, 0.5f);
    EXPECT_FALSE(Now().m_active);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_REMOVED);
    EXPECT_TRUE(T().m_was.m_active);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 3);
    EXPECT_EQ(Now().m_tool, TOOL_READING); // the type survives hiding

    T().ClickAt(0.5f, 0.5f);
    T().Deactivate();
    EXPECT_EQ(Now().m_msg, TOOL_MSG_REMOVED);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 5);
    EXPECT_EQ(m_owner.m_modified, 0); // the tool does not modify the document
}

// The type chosen, or what it falls back to, by the user level (Position
// from 2, Difference and Change from 3, Gradient and Area at 4) and the kind
// of the x channel.
TEST_F(Tool, SelectionFallsBack)
{
    struct Case
    {
        int level;
        bool indexX;
        int chosen;
        int type;
    };
    const Case cases[] = {
        {4, true, TOOL_GRADIENT, TOOL_GRADIENT},
        {4, false, TOOL_GRADIENT, TOOL_POSITION},
        {4, false, TOOL_CHANGE, TOOL_DIFFERENCE},
        {4, false, TOOL_AREA, TOOL_POSITION},
        {3, true, TOOL_GRADIENT, TOOL_POSITION},
        {2, true, TOOL_DIFFERENCE, TOOL_NONE},
        {2, true, TOOL_CHANGE, TOOL_NONE},
        {1, true, TOOL_GRADIENT, TOOL_NONE},
        {1, true, TOOL_READING, TOOL_READING},
        {4, true, 7, TOOL_POSITION},
        {4, true, TOOL_NONE, TOOL_NONE},
    };
    for (const Case& c : cases) {
        m_options.SetUserLevel(c.level);
        m_doc.m_graph.SetAxes(c.indexX ? m_time : m_speed, m_speed, nullptr);
        Now().m_tool = TOOL_READING;
        T().SetTool(c.chosen);
        EXPECT_EQ(Now().m_tool, c.type) << c.level << " " << c.indexX << " " << c.chosen;
    }
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 0); // nothing was shown
}

TEST_F(Tool, ChangingTheTypeWhileShown)
{
    T().SetTool(TOOL_POSITION);
    T().ClickAt(0.64f, 0.5f);
    m_owner.m_hints.clear();
    // Usable: the cursor stays and snaps to a record.
    T().SetTool(TOOL_AREA);
    EXPECT_TRUE(Now().m_active);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_TYPE);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.6f);
    EXPECT_EQ(T().m_was.m_tool, TOOL_POSITION);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 1);
    T().SetTool(TOOL_AREA);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 1); // the same type: nothing
    // Falling back to none takes the cursor away.
    m_options.SetUserLevel(1);
    T().SetTool(TOOL_DIFFERENCE);
    EXPECT_FALSE(Now().m_active);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_REMOVED);
    EXPECT_EQ(Now().m_tool, TOOL_NONE);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 2);
}

// A new x channel that is no index makes the shown Reading tool a Position
// tool; the cursor stays.
TEST_F(Tool, NewAxesFallBack)
{
    T().ClickAt(0.5f, 0.5f);
    m_doc.m_graph.SetAxes(m_speed, m_time, nullptr);
    EXPECT_EQ(Now().m_tool, TOOL_POSITION);
    EXPECT_TRUE(Now().m_active);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_TYPE);
    // Back on an index axis the type stays Position.
    m_doc.m_graph.SetAxes(m_time, m_speed, nullptr);
    EXPECT_EQ(Now().m_tool, TOOL_POSITION);
}

TEST_F(Tool, EnabledTypes)
{
    for (int type = TOOL_POSITION; type <= TOOL_AREA; ++type)
        EXPECT_TRUE(T().IsToolEnabled(type)) << type;
    EXPECT_FALSE(T().IsToolEnabled(TOOL_NONE));
    EXPECT_FALSE(T().IsToolEnabled(7));
    m_doc.m_graph.SetAxes(m_speed, m_time, nullptr);
    const bool enabled[] = {true, false, false, true, false, false};
    for (int type = TOOL_POSITION; type <= TOOL_AREA; ++type)
        EXPECT_EQ(T().IsToolEnabled(type), enabled[type - 1]) << type;
    m_doc.m_state = DOC_STATE_READY;
    EXPECT_FALSE(T().IsToolEnabled(TOOL_POSITION));
}

// Without data to measure a click shows nothing and a shown cursor goes.
TEST_F(Tool, GesturesNeedData)
{
    m_doc.m_state = DOC_STATE_READY;
    T().ClickAt(0.5f, 0.5f);
    EXPECT_FALSE(Now().m_active);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 0);

    m_doc.m_state = DOC_STATE_STOPPED;
    T().ClickAt(0.5f, 0.5f);
    Data().SetRecords(0);
    m_owner.m_hints.clear();
    T().MoveCursor(0.7f, 0.5f);
    EXPECT_FALSE(Now().m_active);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_REMOVED);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.5f);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 1);
}

// Dragging from (0.2, 0.8) to (0.6, 0.4) shows the rectangle and, released,
// zooms both axes to it.
TEST_F(Tool, DragZoom)
{
    T().ClickAt(0.5f, 0.5f); // a shown cursor gives way to the rectangle
    m_owner.m_hints.clear();
    T().DragZoom(0.2f, 0.8f, 0.5f, 0.5f);
    EXPECT_EQ(T().m_was.m_msg, TOOL_MSG_REMOVED);
    T().DragZoom(0.2f, 0.8f, 0.6f, 0.4f);
    EXPECT_TRUE(Now().m_active && Now().m_dragBox);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_DRAGGED);
    EXPECT_FLOAT_EQ(Now().m_fracX0, 0.2f);
    EXPECT_FLOAT_EQ(Now().m_fracY0, 0.8f);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.6f);
    EXPECT_FLOAT_EQ(Now().m_fracY, 0.4f);
    EXPECT_EQ(T().m_was.m_msg, TOOL_MSG_DRAGGED); // no removal between drags
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 3);

    T().EndDragZoom(0.2f, 0.8f, 0.6f, 0.4f);
    EXPECT_FALSE(Now().m_active || Now().m_dragBox);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_REMOVED);
    EXPECT_NEAR(m_time->m_now.m_min, 2.0f, 1e-4f);
    EXPECT_NEAR(m_time->m_now.m_max, 6.0f, 1e-4f);
    EXPECT_NEAR(m_speed->m_now.m_min, 16.0f, 1e-4f);
    EXPECT_NEAR(m_speed->m_now.m_max, 32.0f, 1e-4f);
    EXPECT_EQ(m_doc.m_graph.m_scaleZoomed, SCALE_ZOOMED);
    EXPECT_EQ(m_owner.Count(HINT_SCALES), 1);
}

// A press and release that never left the drag threshold did not drag: the
// release zooms nothing.
TEST_F(Tool, ReleaseWithoutDragDoesNotZoom)
{
    T().EndDragZoom(0.2f, 0.8f, 0.21f, 0.79f);
    T().ClickAt(0.5f, 0.5f);
    T().EndDragZoom(0.2f, 0.8f, 0.21f, 0.79f);
    EXPECT_TRUE(Now().m_active); // the cursor, not a rectangle
    EXPECT_EQ(m_time->m_now, CxhwMinMax(10.0f, 0.0f));
    EXPECT_EQ(m_speed->m_now, CxhwMinMax(40.0f, 0.0f));
    EXPECT_EQ(m_owner.Count(HINT_SCALES), 0);
}

// The annotation follows the mouse without snapping and goes where the
// press is, in the units of the x channel and of its own y channel.
TEST_F(Tool, PlacingAnAnnotation)
{
    T().ClickAt(0.5f, 0.5f);
    m_owner.m_hints.clear();
    m_doc.m_annotations.BeginPlace("peak", m_time, m_speed);
    EXPECT_TRUE(Now().m_active && Now().m_annotate);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_PLACED);
    EXPECT_EQ(T().m_was.m_msg, TOOL_MSG_REMOVED); // the cursor went first
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 2);

    T().MoveCursor(0.33f, 0.7f);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_MOVED);
    EXPECT_FLOAT_EQ(Now().m_fracX, 0.33f);
    EXPECT_TRUE(Now().m_annotate);

    T().PlaceAnnotation(0.5f, 0.25f);
    EXPECT_FALSE(Now().m_active || Now().m_annotate);
    EXPECT_EQ(Now().m_msg, TOOL_MSG_REMOVED);
    ASSERT_EQ(m_doc.m_annotations.m_count, 1);
    EXPECT_FLOAT_EQ(m_doc.m_annotations.m_slots[0].m_x, 5.0f);
    EXPECT_FLOAT_EQ(m_doc.m_annotations.m_slots[0].m_y, 10.0f);
    T().PlaceAnnotation(0.5f, 0.25f); // no longer placing
    EXPECT_EQ(m_doc.m_annotations.m_count, 1);

    // A click while placing places too; the point is clamped to the plot.
    m_doc.m_annotations.BeginPlace("edge", m_time, m_speed);
    T().ClickAt(1.5f, -0.5f);
    EXPECT_FALSE(Now().m_active);
    ASSERT_EQ(m_doc.m_annotations.m_count, 2);
    EXPECT_FLOAT_EQ(m_doc.m_annotations.m_slots[1].m_x, 10.0f);
    EXPECT_FLOAT_EQ(m_doc.m_annotations.m_slots[1].m_y, 0.0f);
}

// The moment at the cursor: Position reads the axis, the sample types the
// record they snap to; a reading-number axis past the records gives no
// texts but still answers true.
TEST_F(Tool, CursorDateAndTime)
{
    Data().m_startDate = 20240305;
    Data().m_startTime = 93000;
    Data().UpdateStartDateTime();
    wxString date, time;
    Show(TOOL_POSITION, 0.25f, 0.5f, 0.25f, 0.5f);
    EXPECT_TRUE(T().GetCursorDateTime(date, time));
    EXPECT_EQ(time, "09:30:02");
    Show(TOOL_AREA, 0.77f, 0.5f, 0.25f, 0.5f);
    EXPECT_TRUE(T().GetCursorDateTime(date, time));
    EXPECT_EQ(time, "09:30:08");
    Show(TOOL_NONE, 0.77f, 0.5f, 0.25f, 0.5f);
    EXPECT_FALSE(T().GetCursorDateTime(date, time));

    CdocField& reading = AddChannel(CONTENT_READING, "Reading", "");
    for (int i = 0; i < 11; ++i)
        reading.SetSample(i, float(i));
    reading.m_now.Set(20.0f, 0.0f);
    m_doc.m_graph.SetAxes(&reading, m_speed, nullptr);
    Show(TOOL_DIFFERENCE, 0.2f, 0.5f, 0.25f, 0.5f);
    EXPECT_TRUE(T().GetCursorDateTime(date, time));
    EXPECT_EQ(time, "09:30:04");
    time = "kept";
    Show(TOOL_DIFFERENCE, 0.8f, 0.5f, 0.25f, 0.5f); // record 16 of 11
    EXPECT_TRUE(T().GetCursorDateTime(date, time));
    EXPECT_EQ(time, "kept");
}
