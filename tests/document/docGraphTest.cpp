// The graph part: axis rules, style switches and the channel scales.
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

using qvtest::DataTest;
using qvtest::MakeSensor;

namespace {

class GraphSettings : public DataTest
{
protected:
    // Channels by letter: R reading number, T elapsed time, S and s sensors,
    // M and N manual channels.
    void Make(const std::string& letters)
    {
        for (char c : letters) {
            CdocField& field = At(Fields().Add(1));
            switch (c) {
            case 'R': field.InitReading(100.0f, 100.0f, 100.0f); break;
            case 'T': field.InitElapsedTime(); break;
            case 'S':
            case 's': field.InitSensor(c == 'S' ? 0 : 1, MakeSensor(c == 'S' ? 10 : 11, 1)); break;
            default: field.InitManual(); break;
            }
            m_byLetter[c] = &field;
        }
    }
    CdocField* Of(char c) { return c == '-' ? nullptr : m_byLetter.at(c); }
    // The axes as three letters, '-' for none.
    std::string Axes()
    {
        std::string out;
        for (CdocField* field : {Graph().GetFieldX(), Graph().GetFieldL(), Graph().GetFieldR()}) {
            char letter = '-';
            for (const auto& [c, f] : m_byLetter)
                if (f == field)
                    letter = c;
            out += letter;
        }
        return out;
    }
    void SetAxes(const std::string& axes) { Graph().SetAxes(Of(axes[0]), Of(axes[1]), Of(axes[2])); }
    CdocGraph& Graph() { return m_doc.m_graph; }
    // A stored sample, as a run stores it: the scales stay as they are.
    static void Put(CdocField& field, int i, float x) { field.m_samples[i] = field.m_unsmoothed[i] = x; }
    // Records holding the given elapsed times (and as many reading numbers).
    void Record(const std::vector<float>& times)
    {
        for (size_t i = 0; i < times.size(); ++i) {
            Put(*Of('T'), int(i), times[i]);
            if (m_byLetter.count('R'))
                Put(*Of('R'), int(i), float(i));
        }
        Data().m_records = int(times.size());
        for (int i = 0; i < Fields().GetCount(); ++i)
            At(i).UpdateDataRange();
    }

    std::map<char, CdocField*> m_byLetter;
};

} // namespace

TEST_F(GraphSettings, AxisRules)
{
    enum Rule
    {
        DEFAULT,
        RUN,
        COMPLETE
    };
    const struct
    {
        const char* channels;
        const char* before; // x, left, right
        Rule rule;
        const char* after;
    } cases[] = {
        {"RT", "---", DEFAULT, "TR-"},
        {"MN", "---", DEFAULT, "MN-"},
        {"RTSsM", "sMS", DEFAULT, "TS-"},
        {"RTMN", "---", DEFAULT, "TM-"},
        {"RSM", "---", DEFAULT, "RS-"},
        {"SM", "---", DEFAULT, "SM-"},
        {"RTSsM", "sMS", RUN, "TMS"}, // elapsed time takes x, the user's y stays
        {"RTS", "---", RUN, "TS-"},
        {"RTS", "RR-", RUN, "TS-"},
        {"RM", "---", RUN, "RM-"},
        {"T", "---", RUN, "TT-"},
        {"RTSs", "Ss-", COMPLETE, "Ss-"},
        {"RTSs", "--s", COMPLETE, "Ts-"}, // the right channel moves to the left
        {"RTSM", "---", COMPLETE, "TS-"},
        {"RM", "---", COMPLETE, "RM-"},
    };
    for (const auto& c : cases) {
        Data().RemoveAllFields();
        m_byLetter.clear();
        Make(c.channels);
        SetAxes(c.before);
        switch (c.rule) {
        case DEFAULT: Graph().ChooseDefaultAxes(); break;
        case RUN: Graph().ChooseRunAxes(); break;
        case COMPLETE: Graph().CompleteAxes(); break;
        }
        EXPECT_EQ(Axes(), c.after) << c.channels << " " << c.before << " rule " << c.rule;
    }
}

// A change posts HINT_AXES without marking the document modified; the same
// channels again post nothing; a deleted channel reads as none.
TEST_F(GraphSettings, AxesChangeHints)
{
    Make("RTSM");
    SetAxes("TS-");
    EXPECT_EQ(m_owner.Count(HINT_AXES), 1);
    SetAxes("TS-");
    Graph().SetFieldL(Of('S'));
    EXPECT_EQ(m_owner.Count(HINT_AXES), 1);
    Graph().SetFieldR(Of('M'));
    EXPECT_EQ(Axes(), "TSM");
    EXPECT_EQ(m_owner.Count(HINT_AXES), 2);
    EXPECT_EQ(m_owner.m_modified, 0);
    Data().RemoveField(CdocFieldKey(Of('M')->m_key, -1, nullptr));
    EXPECT_EQ(Graph().GetFieldR(), nullptr);
}

// No channel for x asks for the time-and-date axis on the elapsed time.
TEST_F(GraphSettings, TimeAndDateAxis)
{
    Make("RSM");
    SetAxes("RS-");
    m_owner.m_hints.clear();
    Graph().SetFieldX(nullptr); // no elapsed-time channel: nothing
    EXPECT_EQ(Axes(), "RS-");
    EXPECT_FALSE(m_doc.m_graphTimeAndDate);
    EXPECT_TRUE(m_owner.m_hints.empty());

    Make("T");
    Graph().SetFieldX(nullptr);
    EXPECT_EQ(Axes(), "TS-");
    EXPECT_TRUE(m_doc.m_graphTimeAndDate);
    EXPECT_EQ(m_owner.Count(HINT_AXES), 1);
    // The same channel as a plain axis is a change too.
    Graph().SetFieldX(Of('T'));
    EXPECT_FALSE(m_doc.m_graphTimeAndDate);
    EXPECT_EQ(m_owner.Count(HINT_AXES), 2);
    Graph().SetFieldX(Of('T'));
    EXPECT_EQ(m_owner.Count(HINT_AXES), 2);
}

TEST_F(GraphSettings, StyleFollowsTheUserLevel)
{
    Make("RSM");
    Graph().m_bars = false;
    Graph().m_lines = false;
    Graph().m_points = true;
    Graph().m_grid = true;
    Graph().m_heavy = false;
    Graph().m_best = true;
    m_doc.m_state = DOC_STATE_STOPPED;
    EXPECT_FALSE(Graph().GetBars());
    EXPECT_FALSE(Graph().GetLines());
    EXPECT_TRUE(Graph().GetPoints());
    EXPECT_TRUE(Graph().GetGrid());
    EXPECT_FALSE(Graph().GetHeavy());
    EXPECT_TRUE(Graph().GetBest());
    m_doc.m_state = DOC_STATE_RUNNING;
    EXPECT_FALSE(Graph().GetBest());

    // Level 1: bars without an elapsed-time channel, lines with one.
    m_options.SetUserLevel(1);
    EXPECT_TRUE(Graph().GetBars());
    EXPECT_FALSE(Graph().GetLines());
    EXPECT_FALSE(Graph().GetPoints());
    EXPECT_FALSE(Graph().GetGrid());
    EXPECT_TRUE(Graph().GetHeavy());
    Make("T");
    EXPECT_FALSE(Graph().GetBars());
    EXPECT_TRUE(Graph().GetLines());
    m_doc.m_state = DOC_STATE_STOPPED;
    EXPECT_FALSE(Graph().GetBest());
}

TEST_F(GraphSettings, ToggleBestRefitsWhenSwitchedOn)
{
    Make("TM");
    for (int i = 0; i < 3; ++i)
        Put(*Of('M'), i, 2.0f * float(i) + 1.0f);
    Record({0, 1, 2});
    SetAxes("TM-");
    Graph().ToggleBest();
    EXPECT_TRUE(Graph().m_best);
    EXPECT_FLOAT_EQ(Of('M')->m_fitM, 2.0f);
    EXPECT_FLOAT_EQ(Of('M')->m_fitC, 1.0f);
    Graph().ToggleBest();
    EXPECT_EQ(m_owner.Count(HINT_GRAPH_STYLE), 2);
    EXPECT_EQ(m_owner.m_modified, 2);
}

// Shown channels of one unit share one scale; time channels and hidden
// channels keep theirs; two empty units are the same unit.
TEST_F(GraphSettings, UnitRangesMerge)
{
    Make("TSsMN");
    Make("R");
    Of('S')->m_unit = Of('s')->m_unit = Of('T')->m_unit = "V";
    Of('S')->m_now.Set(50.0f, 0.0f);
    Of('s')->m_now.Set(100.0f, 10.0f);
    Of('T')->m_now.Set(10.0f, 0.0f);
    CdocField& hidden = At(Fields().Add(1));
    hidden.InitManual();
    hidden.m_unit = "V";
    hidden.m_show = false;
    hidden.m_now.Set(30.0f, 20.0f);
    Of('M')->m_unit = Of('N')->m_unit = "";
    Of('M')->m_now.Set(1.0f, -1.0f);
    Of('N')->m_now.Set(5.0f, 2.0f);

    EXPECT_TRUE(Graph().MergeUnitRanges());
    EXPECT_EQ(Of('S')->m_now, CxhwMinMax(100.0f, 0.0f));
    EXPECT_EQ(Of('s')->m_now, CxhwMinMax(100.0f, 0.0f));
    EXPECT_EQ(Of('T')->m_now, CxhwMinMax(10.0f, 0.0f));
    EXPECT_EQ(hidden.m_now, CxhwMinMax(30.0f, 20.0f));
    EXPECT_EQ(Of('M')->m_now, CxhwMinMax(5.0f, -1.0f));
    EXPECT_EQ(Of('N')->m_now, CxhwMinMax(5.0f, -1.0f));
    EXPECT_FALSE(Graph().MergeUnitRanges());
}

// Sharing also widens a y scale too narrow for its display steps; the x
// channel keeps the span the user gave it.
TEST_F(GraphSettings, ShareScalesWidensNarrowYScales)
{
    Make("TMN");
    Of('N')->m_unit = "N";
    for (char c : {'M', 'N'}) {
        Of(c)->m_places = 1;
        Of(c)->m_now.Set(10.5f, 10.0f);
    }
    SetAxes("M--");
    EXPECT_TRUE(Graph().ShareScales());
    EXPECT_EQ(Of('M')->m_now, CxhwMinMax(10.5f, 10.0f));
    EXPECT_EQ(Of('N')->m_now, CxhwMinMax(11.25f, 9.25f)); // 20 steps of 0.1 about the centre
    EXPECT_FALSE(Graph().ShareScales());
}

TEST_F(GraphSettings, ZoomStates)
{
    Make("RTM");
    Of('M')->m_places = 2;
    Of('M')->m_now.Set(5.0f, -5.0f);
    Of('M')->m_def.Set(5.0f, -5.0f);
    SetAxes("TM-");
    // An empty store cannot auto-zoom, and says so by posting nothing.
    Graph().m_scaleZoomed = SCALE_ZOOMED;
    EXPECT_FALSE(Graph().AutoZoom());
    EXPECT_EQ(Graph().m_scaleZoomed, SCALE_ZOOMED);
    Graph().DoAutoZoom();
    EXPECT_EQ(m_owner.Count(HINT_SCALES), 0);

    // A box over the plot: x and the other time channel take the x pair.
    Graph().ZoomTo(0.2f, 0.6f, 0.5f, 1.0f);
    EXPECT_EQ(Graph().m_scaleZoomed, SCALE_ZOOMED);
    EXPECT_EQ(Of('T')->m_now, CxhwMinMax(6.0f, 2.0f));
    EXPECT_FLOAT_EQ(Of('R')->m_now.m_min, 1.0f + 99.0f * 0.2f);
    EXPECT_EQ(Of('M')->m_now, CxhwMinMax(5.0f, 0.0f));
    EXPECT_EQ(m_owner.Count(HINT_SCALES), 1);

    EXPECT_TRUE(Graph().DefaultZoom());
    EXPECT_EQ(Graph().m_scaleZoomed, SCALE_DEFAULT_RESTORED);
    EXPECT_EQ(Of('T')->m_now, CxhwMinMax(10.0f, 0.0f));
    Graph().DefaultZoom();
    EXPECT_EQ(Graph().m_scaleZoomed, SCALE_DEFAULT);

    for (int i = 0; i < 4; ++i)
        Put(*Of('M'), i, float(i) - 2.0f);
    Record({0, 1, 2, 3});
    Graph().ToggleZoom();
    EXPECT_EQ(Graph().m_scaleZoomed, SCALE_AUTO);
    EXPECT_EQ(Of('T')->m_now, CxhwMinMax(3.0f, 0.0f));
    Graph().ToggleZoom();
    EXPECT_EQ(Graph().m_scaleZoomed, SCALE_DEFAULT);
    EXPECT_EQ(Of('T')->m_now, CxhwMinMax(10.0f, 0.0f));
}

// New samples: an auto-zoomed graph takes them in; otherwise the time axes
// grow to the sample, except in a periodic run or on a zoomed graph.
TEST_F(GraphSettings, ScalesForNewSamples)
{
    const struct
    {
        int64_t zoom;
        int activity;
        bool changed;
        float timeTop;
    } cases[] = {
        {SCALE_DEFAULT, ACTIVITY_AUTOLOG, true, 15.0f},
        {SCALE_DEFAULT_RESTORED, ACTIVITY_SNAPSHOT, true, 15.0f},
        {SCALE_DEFAULT, ACTIVITY_PERIODIC, false, 10.0f},
        {SCALE_ZOOMED, ACTIVITY_AUTOLOG, false, 10.0f},
        {SCALE_AUTO, ACTIVITY_PERIODIC, true, 12.0f},
    };
    for (const auto& c : cases) {
        Data().RemoveAllFields();
        m_byLetter.clear();
        Make("TM");
        Record({0, 6, 12});
        SetAxes("TM-");
        Graph().m_scaleZoomed = c.zoom;
        m_doc.m_activity = c.activity;
        EXPECT_EQ(Graph().AdjustScalesForSample(2), c.changed) << c.zoom << " " << c.activity;
        EXPECT_GE(Of('T')->m_now.m_max, c.timeTop) << c.zoom << " " << c.activity;
        EXPECT_LT(Of('T')->m_now.m_max, c.timeTop * 1.01f) << c.zoom << " " << c.activity;
    }
    // Without a sample only the auto zoom moves the scales.
    Graph().m_scaleZoomed = SCALE_DEFAULT;
    m_doc.m_activity = ACTIVITY_AUTOLOG;
    EXPECT_FALSE(Graph().AdjustScalesForSample(-1));
}
