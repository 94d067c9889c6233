#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenTestSupport.h"
#include "hardware/xhwSetup.h"

#include <climits>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

// The timing fields the setters keep consistent.
// Measurement, ManualCalculation, TimingSensor, Bars, BarsTotal, BarsTotalS.
using Timing = std::tuple<int, bool, int, int, int, wxString>;

Timing TimingOf(const CxhwSetup& s)
{
    return {s.m_measurement, s.m_manualCalculation, s.m_timingSensor, s.m_bars, s.m_barsTotal, s.m_barsTotalS};
}

void SetTiming(CxhwSetup& s, const Timing& t)
{
    std::tie(s.m_measurement, s.m_manualCalculation, s.m_timingSensor, s.m_bars, s.m_barsTotal, s.m_barsTotalS) = t;
}

void SetLogger(CdocDoc& doc, int type, float firmware = 1.0f, bool usb = false)
{
    CxutBoxInfo& info = doc.m_boxInfo.m_info;
    info.m_hardware = type;
    info.m_firmware = firmware;
    info.m_comIsPortUsb = usb;
    info.m_maxSensors = xutGetMaxSensors(type);
}

// A document on a logger (the simulated one unless told), the real string
// table and options at the user level each test sets.
class Setup : public testing::Test
{
protected:
    Setup()
    {
        m_res.LoadStrings();
        SetLogger(m_doc, BOX_TYPE_SIMULATED);
        TimingInputs(2);
    }

    void TimingInputs(int count) { m_doc.m_boxInfo.m_boxTimingIdentify = (1 << count) - 1; }

    void AddSensor(int input)
    {
        m_doc.m_boxInfo.m_sensors[input].m_idCode = 1;
        m_doc.m_boxInfo.m_sensors[input].m_idType = 7;
        m_doc.m_boxInfo.m_sensors[input].m_calType = 7;
    }

    CgumResCore m_res;
    CappOptions m_options;
    CdocDoc m_doc;
    CxhwSetup m_setup;
};

const double kFixed[20] = {3600, 1800, 600, 300, 120, 60,   30,    10,    5,     2,
                           1,    0.5,  0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};

} // namespace

TEST_F(Setup, NewSetUpIsAPeriodicThousandReadingsAtATenthOfASecond)
{
    const CxhwSetup s;
    EXPECT_EQ(std::make_tuple(s.m_setup, s.m_readings, s.m_period), std::make_tuple(0, 1001, 0.1));
    EXPECT_EQ(TimingOf(s), Timing(1, false, 0, 1, 1, "1"));
    EXPECT_EQ(std::make_tuple(s.m_barWidthS, s.m_sensorGapS, s.m_mass1S, s.m_mass2S, s.m_mass3S),
              std::make_tuple(wxString("5"), wxString("100"), wxString("1"), wxString("1"), wxString("1")));
    EXPECT_EQ(std::make_tuple(s.m_barWidth, s.m_sensorGap, s.m_mass1, s.m_mass2, s.m_mass3),
              std::make_tuple(5.0f, 100.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_EQ(std::make_tuple(s.m_triggeredCalibIdx, s.m_triggerInput, s.m_triggerHasChoices),
              std::make_tuple(-1, -1, false));
    EXPECT_EQ(s.GetTriggerChoiceCount(), 0);
    // The options hold the default set-up that new documents copy.
    EXPECT_TRUE(m_options.m_setup.IsSame(s));
    EXPECT_TRUE(CdocDoc().m_setup.IsSame(s));
}

TEST_F(Setup, SameComparesWhatTheUserSetsNotTheTriggerCalibration)
{
    CxhwSetup other;
    other.m_triggeredCalibIdx = 3;
    other.m_triggeredSenCalib.m_name = "Light";
    EXPECT_TRUE(m_setup.IsSame(other));
    other.m_mass2S = "1.0"; // the same number typed otherwise
    EXPECT_FALSE(m_setup.IsSame(other));
}

TEST_F(Setup, SettersKeepTheTimingFieldsConsistent)
{
    using Act = std::function<void(CxhwSetup&, const CdocDoc&)>;
    struct Case
    {
        const char* name;
        int timingInputs;
        Timing before;
        Act act;
        Timing after;
    };
    auto measurement = [](int m) { return Act([m](CxhwSetup& s, const CdocDoc& d) { s.SetMeasurement(d, m); }); };
    auto manual = [](bool on) { return Act([on](CxhwSetup& s, const CdocDoc& d) { s.SetManualCalculation(d, on); }); };
    auto sensor = [](int ts) { return Act([ts](CxhwSetup& s, const CdocDoc& d) { s.SetTimingSensor(d, ts); }); };
    auto bars = [](int n) { return Act([n](CxhwSetup& s, const CdocDoc& d) { s.SetBars(d, n); }); };
    const Case cases[] = {
        {"pendulum period: one bar, any gate, no manual", 2, {2, true, 1, 4, 4, "4"}, measurement(7),
         {7, false, 0, 1, 1, "1"}},
        {"acceleration needs two bars", 2, {1, false, 0, 1, 1, "1"}, measurement(4), {4, false, 0, 2, 2, "2"}},
        {"acceleration between gates keeps one bar", 2, {1, false, 2, 1, 1, "1"}, measurement(4),
         {4, false, 2, 1, 1, "1"}},
        {"one timing input: any gate, then two bars", 1, {1, false, 2, 1, 1, "1"}, measurement(4),
         {4, false, 0, 2, 2, "2"}},
        {"time difference: no manual", 2, {3, true, 0, 1, 1, "1"}, measurement(1), {1, false, 0, 1, 1, "1"}},
        {"speed keeps manual and the bars total", 2, {3, true, 0, 2, 5, "5"}, measurement(2), {2, true, 0, 2, 5, "5"}},
        {"velocity keeps each gate", 2, {2, false, 1, 1, 1, "1"}, measurement(3), {3, false, 1, 1, 1, "1"}},
        {"no manual for a time difference", 2, {1, false, 0, 1, 1, "1"}, manual(true), {1, false, 0, 1, 1, "1"}},
        {"no manual for a pendulum period", 2, {7, false, 0, 1, 1, "1"}, manual(true), {7, false, 0, 1, 1, "1"}},
        {"manual moves each gate to any gate", 2, {2, false, 1, 1, 1, "1"}, manual(true), {2, true, 0, 1, 1, "1"}},
        {"manual keeps from-to gates", 2, {2, false, 2, 1, 1, "1"}, manual(true), {2, true, 2, 1, 1, "1"}},
        {"manual off keeps each gate", 2, {2, true, 1, 1, 1, "1"}, manual(false), {2, false, 1, 1, 1, "1"}},
        {"from-to gates on two inputs", 2, {2, false, 0, 1, 1, "1"}, sensor(2), {2, false, 2, 1, 1, "1"}},
        {"one timing input: any gate", 1, {2, false, 0, 1, 1, "1"}, sensor(2), {2, false, 0, 1, 1, "1"}},
        {"no timing input: any gate", 0, {2, false, 0, 1, 1, "1"}, sensor(1), {2, false, 0, 1, 1, "1"}},
        {"bars total follows fewer bars", 2, {2, false, 0, 4, 8, "8"}, bars(1), {2, false, 0, 1, 1, "1"}},
        {"bars total follows more bars", 2, {2, false, 0, 1, 2, "2"}, bars(4), {2, false, 0, 4, 4, "4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TimingInputs(c.timingInputs);
        CxhwSetup s;
        SetTiming(s, c.before);
        c.act(s, m_doc);
        EXPECT_EQ(TimingOf(s), c.after);
    }
}

TEST_F(Setup, BarsTotalTextTakesOnlyAWholeNumberAboveZero)
{
    struct Case
    {
        const char* text;
        int barsTotalBefore;
        int barsTotal;
        const char* barsTotalS;
    };
    const Case cases[] = {
        {"5", 2, 5, "5"},
        {"0", 2, 2, "2"},
        {"abc", 2, 2, "2"},
        {"", 2, 2, "2"},
        {"-3", 2, 2, "2"},
        {"4294967297", 2, 2, "2"}, // would not fit
        {"1", 2, 2, "2"},          // below Bars: raised and renewed
        {"x", 0, 2, "2"},          // a total read below Bars is raised even so
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CxhwSetup s;
        s.m_bars = 2;
        s.m_barsTotal = c.barsTotalBefore;
        s.m_barsTotalS = wxString::Format("%d", c.barsTotalBefore);
        s.SetBarsTotalText(c.text);
        EXPECT_EQ(s.m_barsTotal, c.barsTotal);
        EXPECT_EQ(s.m_barsTotalS, c.barsTotalS);
    }
}

TEST_F(Setup, MassByIndex)
{
    m_setup.m_mass1 = 0.1f;
    m_setup.m_mass2 = 0.2f;
    m_setup.m_mass3 = 0.3f;
    EXPECT_EQ(m_setup.GetMass(0), 0.1f);
    EXPECT_EQ(m_setup.GetMass(1), 0.2f);
    EXPECT_EQ(m_setup.GetMass(2), 0.3f);
    EXPECT_EQ(m_setup.GetMass(5), 0.3f);
    EXPECT_EQ(m_setup.GetMass(-1), 0.3f);
}

TEST_F(Setup, TimingGeometryFollowsMeasurementGatesAndBars)
{
    struct Case
    {
        int measurement, timingSensor, bars;
        int events;
        bool single, leading;
        float distance;
    };
    const Case cases[] = {
        {4, 0, 4, 3, true, true, 10.0f},  {4, 0, 2, 3, true, false, 5.0f},  {4, 2, 2, 3, false, true, 10.0f},
        {4, 2, 1, 3, false, false, 5.0f}, {7, 0, 1, 5, true, false, 1.0f},  {2, 2, 1, 1, false, true, 100.0f},
        {2, 0, 2, 1, true, true, 10.0f},  {1, 1, 1, 1, true, false, 5.0f},  {3, 0, 3, 1, true, false, 5.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "measurement " << c.measurement << " sensor " << c.timingSensor << " bars "
                                        << c.bars);
        m_setup.m_measurement = c.measurement;
        m_setup.m_timingSensor = c.timingSensor;
        m_setup.m_bars = c.bars;
        int events = -1;
        bool single = false, leading = false;
        float distance = 0.0f;
        m_setup.GetTimingGeometry(events, single, leading, distance);
        EXPECT_EQ(std::make_tuple(events, single, leading, distance),
                  std::make_tuple(c.events, c.single, c.leading, c.distance));
    }
}

TEST_F(Setup, EventsForAMeasurementFitTheRestOfThePass)
{
    struct Case
    {
        bool single;
        int measurement, bars, barsTotal, position;
        bool result;
        int needed;
    };
    const Case cases[] = {
        {true, 7, 1, 1, 0, true, 1},   {true, 2, 1, 1, 0, true, 1},   {true, 2, 2, 5, 3, true, 2},
        {true, 2, 2, 5, 4, false, 2},  {true, 5, 3, 3, 0, true, 2},   {true, 4, 1, 1, 0, false, 1},
        {true, 4, 1, 9, 0, false, 1},  {true, 4, 2, 2, 0, true, 2},   {true, 4, 2, 2, 1, false, 2},
        {true, 4, 4, 4, 0, true, 4},   {true, 4, 3, 8, 4, true, 4},   {true, 4, 3, 8, 5, false, 4},
        {true, 0, 1, 1, 0, true, 1},   {false, 7, 1, 1, 0, false, 1}, {false, 2, 4, 4, 3, true, 1},
        {false, 4, 3, 4, 0, true, 4},  {false, 4, 4, 4, 3, false, 2}, {false, 4, 1, 1, 0, true, 1},
        {false, 0, 1, 1, 0, false, 1},
        {true, 2, 4, 1, 2, true, 2}, // a total below Bars counts as Bars
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.single ? "single" : "gates") << " measurement " << c.measurement
                                        << " bars " << c.bars << "/" << c.barsTotal << " at " << c.position);
        m_setup.m_measurement = c.measurement;
        m_setup.m_bars = c.bars;
        m_setup.m_barsTotal = c.barsTotal;
        int needed = -1;
        EXPECT_EQ(m_setup.HasEventsFor(needed, c.position, c.single, false), c.result);
        EXPECT_EQ(needed, c.needed);
    }
}

TEST_F(Setup, MeasurementTextExplainsTheTiming)
{
    struct Case
    {
        int measurement, timingSensor, bars, barsTotal;
        const char* text;
    };
    const Case cases[] = {
        {2, 0, 2, 5,
         "Current settings:\n\nTiming from the start of a bar to the start of the\nnext bar (leading edge to leading "
         "edge).\n\nThe corresponding distance is the sum of the\nbar width and the gap between bars.\n\n"
         "2 measurements per pass. 1 extra bar ignored."},
        {1, 0, 1, 1,
         "Current settings:\n\nTiming from the start to the end of each bar\n(leading edge to trailing edge).\n\n"},
        {2, 2, 1, 3,
         "Current settings:\n\nTiming the start of each bar between two sensors.\n\nThe corresponding distance is "
         "the gap between the sensors.\n\n3 measurements per pass. "},
        {4, 0, 4, 10,
         "Current settings:\n\nTiming from the start of a bar to the start of the\nnext bar (leading edge to leading "
         "edge).\n\nThe corresponding distance is the sum of the\nbar width and the gap between bars.\n\n"
         "2 measurements per pass. 2 extra bars ignored."},
        {3, 0, 1, 1,
         "Current settings:\n\nTiming from the start to the end of each bar\n(leading edge to trailing edge).\n\nThe "
         "corresponding distance is the bar width.\n\n"},
        // Bars read as 0 from a file: nothing per pass, no division by zero.
        {2, 0, 0, 0,
         "Current settings:\n\nTiming from the start of a bar to the start of the\nnext bar (leading edge to leading "
         "edge).\n\nThe corresponding distance is the sum of the\nbar width and the gap between bars.\n\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        m_setup.m_measurement = c.measurement;
        m_setup.m_timingSensor = c.timingSensor;
        m_setup.m_bars = c.bars;
        m_setup.m_barsTotal = c.barsTotal;
        wxString text;
        m_setup.GetMeasurementText(text);
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(Setup, MeasurementTextsComeAsOneLineSentences)
{
    m_setup.m_measurement = 2;
    m_setup.m_bars = 2;
    m_setup.m_barsTotal = 5;
    wxString heading, timing, distance, perPass, extra;
    m_setup.GetMeasurementTexts(heading, timing, distance, perPass, extra);
    EXPECT_EQ(heading, "Current settings:");
    EXPECT_EQ(timing, "Timing from the start of a bar to the start of the next bar (leading edge to leading edge).");
    EXPECT_EQ(distance, "The corresponding distance is the sum of the bar width and the gap between bars.");
    EXPECT_EQ(perPass, "2 measurements per pass.");
    EXPECT_EQ(extra, "1 extra bar ignored.");

    m_setup.m_measurement = 7;
    m_setup.m_bars = 1;
    m_setup.m_barsTotal = 1;
    m_setup.GetMeasurementTexts(heading, timing, distance, perPass, extra);
    EXPECT_EQ(timing, "Timing from the start to the end of each bar (leading edge to trailing edge).");
    EXPECT_TRUE(distance.empty() && perPass.empty() && extra.empty());
}

TEST_F(Setup, PeriodListsFollowTheLoggersTimeResolution)
{
    struct Case
    {
        const char* name;
        int type;
        float firmware;
        bool usb;
        int count;
    };
    const Case cases[] = {
        {"simulated, 0.01 s", BOX_TYPE_SIMULATED, 1.0f, false, 17},
        {"Miva, 0.01 s", BOX_TYPE_MIVA, 1.0f, false, 17},
        {"Tundrane 2, 0.001 s", BOX_TYPE_TUNDRANE2, 1.0f, false, 20},
        {"Kestilon 1.03 on USB, 0.001 s", BOX_TYPE_KESTILON, 1.03f, true, 20},
        {"Kestilon 1.02 on USB, 0.01 s", BOX_TYPE_KESTILON, 1.02f, true, 17},
        {"Kestilon 1.03 elsewhere, 0.01 s", BOX_TYPE_KESTILON, 1.03f, false, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLogger(m_doc, c.type, c.firmware, c.usb);
        for (int logType : {SETUP_LOG_PERIODIC, SETUP_LOG_PERIODIC_ADVANCED, SETUP_LOG_TIMING}) {
            double list[CxhwSetup::kPeriodListSize];
            ASSERT_EQ(m_setup.GetPeriodList(list, m_doc, logType), c.count);
            for (int i = 0; i < c.count; ++i)
                EXPECT_EQ(list[i], kFixed[i]);
            EXPECT_EQ(list[c.count], -1.0);
        }
    }
}

TEST_F(Setup, FastPeriodListIsTheRateTableLargestFirst)
{
    double list[CxhwSetup::kPeriodListSize];
    SetLogger(m_doc, BOX_TYPE_TUNDRANE);
    AddSensor(0);
    ASSERT_EQ(m_setup.GetPeriodList(list, m_doc, SETUP_LOG_FAST_TRIGGER), 8);
    const double fixed[8] = {0.01, 0.005, 0.002, 0.001, 0.0005, 0.0002, 0.0001, 0.00005};
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(list[i], fixed[i]);
    EXPECT_EQ(list[8], -1.0);

    // Box type 7: the shortest period is the trigger calibration's limit.
    SetLogger(m_doc, BOX_TYPE_MIVA);
    m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
    m_setup.m_triggeredSenCalib.m_triggerUs = 200;
    const int n = m_setup.GetPeriodList(list, m_doc, SETUP_LOG_FAST_TRIGGER);
    ASSERT_GT(n, 1);
    EXPECT_DOUBLE_EQ(list[n - 1], 0.0002);
    for (int i = 1; i < n; ++i)
        EXPECT_GT(list[i - 1], list[i]);

    // Limits that a logger's sensor definition may carry still give a sound list.
    for (int limit : {0, -5, 1, 5000001, INT_MAX}) {
        SCOPED_TRACE(limit);
        m_setup.m_triggeredSenCalib.m_triggerUs = limit;
        const int count = m_setup.GetPeriodList(list, m_doc, SETUP_LOG_FAST_TRIGGER);
        ASSERT_GE(count, 1);
        ASSERT_LE(count, 20);
        EXPECT_GT(list[count - 1], 0.0);
        EXPECT_EQ(list[count], -1.0);
    }

    // A logger without fast rates: the end mark alone, and the nearest period is it.
    SetLogger(m_doc, BOX_TYPE_SIMULATED);
    EXPECT_EQ(m_setup.GetPeriodList(list, m_doc, SETUP_LOG_FAST_TRIGGER), 0);
    EXPECT_EQ(list[0], -1.0);
    m_setup.m_setup = SETUP_LOG_FAST_TRIGGER;
    EXPECT_EQ(m_setup.GetNearestPeriod(m_doc, 0.001), -1.0);
}

TEST_F(Setup, NearestPeriodComparesInSinglePrecisionAndTheFirstWinsTies)
{
    // In double 0.1 is nearer 0.15; in single precision both are 0.05 away.
    ASSERT_LT(std::fabs(0.1 - 0.15), std::fabs(0.2 - 0.15));
    const double pair[] = {0.2, 0.1, -1.0};
    EXPECT_EQ(CxhwSetup::FindNearest(pair, 2, 0.15), 0);
    EXPECT_EQ(CxhwSetup::FindNearest(pair, 2, 0.14), 1);

    const double one[] = {5.0, -1.0};
    EXPECT_EQ(CxhwSetup::FindNearest(one, 1, 100.0), 0);
    EXPECT_EQ(CxhwSetup::FindNearest(one, 0, 100.0), 0);

    struct Case
    {
        double x;
        double nearest;
    };
    const Case cases[] = {{0.3, 0.2}, {0.15, 0.2}, {1e9, 3600}, {0.0, 0.01}, {-5.0, 0.01}, {45.0, 60}, {0.1, 0.1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(m_setup.GetNearestPeriod(m_doc, c.x), c.nearest);
    }
}

TEST_F(Setup, ReadingsLimitByLogTypeAndLogger)
{
    struct Case
    {
        int logType, boxType, readings, limit;
    };
    const Case cases[] = {
        {SETUP_LOG_PERIODIC, BOX_TYPE_SIMULATED, 5001, 1001},
        {SETUP_LOG_FAST_TRIGGER, BOX_TYPE_MIVA, 5001, 1001},
        {SETUP_LOG_FAST_TRIGGER, BOX_TYPE_KESTILON, 5001, 251},
        {SETUP_LOG_FAST_TRIGGER, BOX_TYPE_SIMULATED, 5001, 251},
        {SETUP_LOG_PERIODIC_ADVANCED, BOX_TYPE_SIMULATED, 5001, 5001},
        {SETUP_LOG_TIMING, BOX_TYPE_KESTILON, 5001, 20001},
        {9, BOX_TYPE_SIMULATED, 5001, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "log type " << c.logType << " box type " << c.boxType);
        SetLogger(m_doc, c.boxType);
        m_setup.m_setup = c.logType;
        m_setup.m_readings = c.readings;
        EXPECT_EQ(m_setup.GetReadingsLimit(m_doc), c.limit);
    }
}

TEST_F(Setup, ReadingsLimitByUserLevel)
{
    // Fast logging needs level 3 and advanced periodic logging level 4; below
    // that the wizard's copy becomes a periodic set-up of 1001 readings.
    struct Case
    {
        int level, logType, boxType, limit;
    };
    const Case cases[] = {
        {2, SETUP_LOG_FAST_TRIGGER, BOX_TYPE_KESTILON, 1001},
        {3, SETUP_LOG_FAST_TRIGGER, BOX_TYPE_KESTILON, 251},
        {3, SETUP_LOG_FAST_TRIGGER, BOX_TYPE_MIVA, 1001},
        {3, SETUP_LOG_PERIODIC_ADVANCED, BOX_TYPE_KESTILON, 1001},
        {4, SETUP_LOG_PERIODIC_ADVANCED, BOX_TYPE_KESTILON, 5001},
        {1, SETUP_LOG_TIMING, BOX_TYPE_KESTILON, 20001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.level << " log type " << c.logType);
        m_options.SetUserLevel(c.level);
        SetLogger(m_doc, c.boxType);
        CxhwSetup s;
        s.m_setup = c.logType;
        s.m_readings = 5001;
        s.AdjustToLogger(m_doc);
        EXPECT_EQ(s.GetReadingsLimit(m_doc), c.limit);
    }
}

TEST_F(Setup, LogTypeSetterHoldsReadingsAndPeriod)
{
    struct Case
    {
        const char* name;
        int boxType;
        int from, readings;
        double period;
        int to;
        int readingsAfter;
        double periodAfter;
    };
    const Case cases[] = {
        {"advanced: an unlisted count becomes 1000", BOX_TYPE_SIMULATED, 0, 1500, 0.3, 2, 1001, 0.2},
        {"advanced: a listed count stays", BOX_TYPE_SIMULATED, 0, 5001, 0.3, 2, 5001, 0.2},
        {"periodic on 0.01 s", BOX_TYPE_SIMULATED, 2, 5001, 0.003, 0, 1001, 0.01},
        {"periodic on 0.001 s", BOX_TYPE_TUNDRANE2, 2, 5001, 0.003, 0, 1001, 0.002},
        {"fast on box type 7", BOX_TYPE_MIVA, 0, 1001, 0.00001, 1, 1001, 0.0001},
        {"fast elsewhere", BOX_TYPE_TUNDRANE, 0, 1001, 0.1, 1, 251, 0.01},
        {"fast without fast rates", BOX_TYPE_SIMULATED, 0, 1001, 0.1, 1, 251, -1.0},
        {"timing changes only the type", BOX_TYPE_SIMULATED, 2, 5001, 0.3, 3, 5001, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLogger(m_doc, c.boxType);
        CxhwSetup s;
        s.m_setup = c.from;
        s.m_readings = c.readings;
        s.m_period = c.period;
        s.m_triggeredSenCalib.m_triggerUs = 100;
        s.SetLogType(m_doc, c.to);
        EXPECT_EQ(s.m_setup, c.to);
        EXPECT_EQ(s.m_readings, c.readingsAfter);
        EXPECT_DOUBLE_EQ(s.m_period, c.periodAfter);
        if (c.to == SETUP_LOG_FAST_TRIGGER) {
            EXPECT_EQ(s.GetReadingsLimit(m_doc), c.readingsAfter);
        }
    }

    m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_setup.m_period = 0.3;
    m_setup.SetReadings(m_doc, 2001);
    EXPECT_EQ(m_setup.m_readings, 2001);
    EXPECT_EQ(m_setup.m_period, 0.2);
}

TEST_F(Setup, AdjustToLoggerReplacesWhatTheUserLevelHides)
{
    struct Case
    {
        const char* name;
        int level;
        int logType;
        Timing before;
        Timing after;
    };
    const Case cases[] = {
        {"velocity becomes speed", 2, 3, {3, false, 0, 1, 1, "1"}, {2, false, 0, 1, 1, "1"}},
        {"acceleration becomes time difference, one bar", 2, 3, {4, false, 0, 2, 2, "2"}, {1, false, 0, 1, 1, "1"}},
        {"acceleration allowed at 3", 3, 3, {4, false, 0, 2, 2, "2"}, {4, false, 0, 2, 2, "2"}},
        {"kinetic energy", 3, 3, {5, false, 0, 1, 1, "1"}, {1, false, 0, 1, 1, "1"}},
        {"momentum", 3, 3, {6, false, 0, 1, 1, "1"}, {1, false, 0, 1, 1, "1"}},
        {"pendulum period keeps its single bar", 3, 3, {7, false, 0, 1, 1, "1"}, {1, false, 0, 1, 1, "1"}},
        {"manual calculation", 3, 3, {2, true, 0, 1, 1, "1"}, {2, false, 0, 1, 1, "1"}},
        {"each gate", 2, 3, {2, false, 1, 1, 1, "1"}, {2, false, 0, 1, 1, "1"}},
        {"each gate allowed at 3", 3, 3, {2, false, 1, 1, 1, "1"}, {2, false, 1, 1, 1, "1"}},
        {"four bars", 3, 3, {2, false, 0, 4, 6, "6"}, {2, false, 0, 1, 1, "1"}},
        {"two bars allowed at 3", 3, 3, {2, false, 0, 2, 6, "6"}, {2, false, 0, 2, 6, "6"}},
        {"everything at 4", 4, 3, {6, true, 2, 4, 6, "6"}, {6, true, 2, 4, 6, "6"}},
        {"timing rules only for timing", 2, 0, {4, true, 1, 4, 4, "4"}, {4, true, 1, 4, 4, "4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_options.SetUserLevel(c.level);
        CxhwSetup s;
        s.m_setup = c.logType;
        SetTiming(s, c.before);
        s.AdjustToLogger(m_doc);
        EXPECT_EQ(TimingOf(s), c.after);
    }
}

TEST_F(Setup, AdjustToLoggerTurnsHiddenLogTypesPeriodic)
{
    m_options.SetUserLevel(2);
    m_setup.m_setup = SETUP_LOG_FAST_TRIGGER;
    m_setup.m_readings = 251;
    m_setup.m_period = 0.0001;
    m_setup.AdjustToLogger(m_doc);
    EXPECT_EQ(std::make_tuple(m_setup.m_setup, m_setup.m_readings, m_setup.m_period),
              std::make_tuple(0, 1001, 0.01));

    m_options.SetUserLevel(3);
    m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_setup.m_readings = 20001;
    m_setup.m_period = 0.3;
    m_setup.AdjustToLogger(m_doc);
    EXPECT_EQ(std::make_tuple(m_setup.m_setup, m_setup.m_readings, m_setup.m_period), std::make_tuple(0, 1001, 0.2));

    m_options.SetUserLevel(4);
    m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_setup.m_readings = 20001;
    m_setup.AdjustToLogger(m_doc);
    EXPECT_EQ(std::make_tuple(m_setup.m_setup, m_setup.m_readings), std::make_tuple(2, 20001));
}

TEST_F(Setup, LogTypeSupportedByTheLogger)
{
    struct Case
    {
        const char* name;
        int logType, boxType;
        bool sensor, enabled;
        int timingInputs;
        bool supported;
    };
    const Case cases[] = {
        {"periodic with a sensor", 0, BOX_TYPE_SIMULATED, true, true, 0, true},
        {"periodic without", 2, BOX_TYPE_SIMULATED, false, true, 0, false},
        {"periodic with a disabled sensor", 0, BOX_TYPE_SIMULATED, true, false, 0, false},
        {"timing with a timing input", 3, BOX_TYPE_SIMULATED, false, true, 1, true},
        {"timing without", 3, BOX_TYPE_SIMULATED, true, true, 0, false},
        {"fast with a trigger input", 1, BOX_TYPE_KESTILON, true, true, 0, true},
        {"fast without a sensor", 1, BOX_TYPE_KESTILON, false, true, 0, false},
        {"fast on a logger that cannot trigger", 1, BOX_TYPE_SIMULATED, true, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLogger(m_doc, c.boxType);
        m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
        if (c.sensor)
            AddSensor(0);
        m_doc.m_boxInfo.m_sensors[0].m_enable = c.enabled;
        TimingInputs(c.timingInputs);
        m_setup.m_setup = c.logType;
        EXPECT_EQ(m_setup.IsLogTypeSupported(m_doc), c.supported);
    }
}

TEST_F(Setup, PeriodAndDurationInEveryStyle)
{
    struct Case
    {
        int readings, style;
        double period;
        const char* text;
    };
    const Case cases[] = {
        {1001, 0, 0.1, "Time between readings = 0.1 seconds"},
        {1001, 1, 0.1, "0.1 seconds"},
        {1001, 9, 0.1, "0.1 seconds"},
        {1001, 2, 0.1, "100 seconds"},
        {1001, 3, 0.1, "100 seconds"},
        {1001, 7, 0.1, "100 seconds"},
        {1001, 8, 0.1, "100 seconds"},
        {1001, 10, 0.1, "100 seconds"},
        {1001, 4, 0.1, "0.1 seconds for 100.0 seconds"},
        {1001, 11, 0.1, "0.1 seconds for 100 seconds"},
        {1001, -1, 0.1, "0.1 seconds for 100 seconds"},
        {1001, 5, 0.1, "   100   seconds"},
        {1001, 6, 0.01, "    10   seconds"},
        {2, 5, 1e11, "1157407   days"}, // longer than six places: no padding
        // 90 s: 1.5 minutes; 1000 of them 25 hours.
        {1001, 1, 90, "1.5 minutes"},
        {1001, 2, 90, "25 hours"},
        {1001, 3, 90, "25 hours"},
        {1001, 4, 90, "1.5 minutes for 25.0 hours"},
        // Units and their singular.
        {101, 1, 60, "1 minute"},
        {2, 3, 1.0, "1 second"},
        {1001, 1, 3600, "1 hour"},
        {1001, 1, 7200, "2 hours"},
        {1001, 1, 0.05, "50 milliseconds"},
        {1001, 1, 0.001, "1 millisecond"},
        {1001, 1, 0.0005, "500 microseconds"},
        {1001, 1, 1.0 / 3.0, "0.3 seconds"},
        {2, 2, 200000, "2 days"},
        {2, 3, 200000, "2.3 days"},
        {2, 3, 172800, "48 hours"},
        {2, 3, 0.05, "50 milliseconds"},
        {3, 3, 60, "2 minutes"},
        // Tenths cut down in single precision: 9 × 0.3 s is just below 2.7 in double.
        {10, 4, 0.3, "0.3 seconds for 2.7 seconds"},
        {10, 9, 0.3, "0.3 seconds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.readings << " readings, style " << c.style << ", period " << c.period);
        wxString text;
        CxhwSetup::FormatPeriodAndDuration(text, c.readings, c.style, c.period);
        EXPECT_EQ(text, c.text);
    }
}

namespace {

const char* kTempSensor = "%%SENSOR 1,Temp,'C,110,-20,1\n"
                          "%%SENSOR 255,Unknown,%,100,0,1\n";

// A set-up and a document on a logger whose input 0 holds the database's
// temperature sensor.
class SetupTrigger : public qvtest::SensorFileTest
{
protected:
    void SetUp() override
    {
        SensorFileTest::SetUp();
        ASSERT_TRUE(LoadText(kTempSensor));
        SetLogger(m_doc, BOX_TYPE_TUNDRANE);
        CxhwSensorV ids;
        ids[0].m_idCode = 1;
        ids[0].m_idType = 7;
        m_doc.m_boxInfo.m_sensors.UpdateIds(ids);
        m_db.GetCalib(m_temp, 0);
        ASSERT_EQ(m_temp.m_name, "Temp");
    }

    CappOptions m_options;
    CdocDoc m_doc;
    CxhwSetup m_setup;
    CxhwSenCalib m_temp;
};

} // namespace

TEST_F(SetupTrigger, WithoutATriggerSensorThereIsNoChoice)
{
    m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
    m_setup.m_triggeredCalibIdx = 3;
    EXPECT_FALSE(m_setup.UpdateTriggeredCalib(m_doc, false));
    EXPECT_EQ(m_setup.m_triggeredCalibIdx, -1);
    EXPECT_EQ(m_setup.m_triggerInput, -1);
    EXPECT_FALSE(m_setup.m_triggerHasChoices);

    m_setup.m_triggeredCalibIdx = 2;
    EXPECT_FALSE(m_setup.SelectTriggeredCalib(m_doc, false, 0));
    EXPECT_EQ(m_setup.m_triggeredCalibIdx, -1);
}

TEST_F(SetupTrigger, UpdateTakesTheSensorsChoiceAndItsDatabaseCalibration)
{
    m_setup.RefreshTriggeredCalib(m_doc);
    EXPECT_EQ(m_setup.m_triggerInput, 0);
    EXPECT_EQ(m_setup.GetTriggeredCalibIdx(), 0);
    EXPECT_TRUE(m_setup.m_triggeredSenCalib.IsSame(m_temp));
    ASSERT_EQ(m_setup.GetTriggerChoiceCount(), 1);
    EXPECT_EQ(m_setup.GetTriggerChoiceLabel(0), wxString::FromUTF8("Temp, -20 to 110 \u00b0C"));
    EXPECT_EQ(m_setup.GetTriggerChoiceLabel(1), "");
    EXPECT_FALSE(m_setup.RefreshTriggerHasChoices(m_doc));

    // A choice that no longer stands for its calibration, or an index from a
    // file beyond the list, gives way to the sensor's own choice.
    m_setup.m_triggeredSenCalib.m_name = "Stale";
    m_setup.UpdateTriggeredCalib(m_doc, false);
    EXPECT_EQ(m_setup.m_triggeredCalibIdx, 0);
    EXPECT_TRUE(m_setup.m_triggeredSenCalib.IsSame(m_temp));
    m_setup.m_triggeredCalibIdx = 7;
    m_setup.UpdateTriggeredCalib(m_doc, false);
    EXPECT_EQ(m_setup.m_triggeredCalibIdx, 0);
}

TEST_F(SetupTrigger, SelectOutsideTheListKeepsThePreviousChoice)
{
    m_setup.m_triggeredCalibIdx = 0;
    m_setup.m_triggeredSenCalib = m_temp;
    m_setup.m_triggeredSenCalib.m_nowMax = 50.0f; // as zoomed; a selection reloads it
    EXPECT_EQ(m_setup.ChooseTriggeredCalib(m_doc, -1), 0);
    EXPECT_EQ(m_setup.m_triggeredSenCalib.m_nowMax, 50.0f);
    EXPECT_EQ(m_setup.ChooseTriggeredCalib(m_doc, 5), 0);
    EXPECT_EQ(m_setup.m_triggeredSenCalib.m_nowMax, 50.0f);
    EXPECT_EQ(m_setup.ChooseTriggeredCalib(m_doc, 0), 0);
    EXPECT_TRUE(m_setup.m_triggeredSenCalib.IsSame(m_temp));
}

TEST_F(SetupTrigger, FastRunPutsTheTriggerSensorBackOnItsChosenCalibration)
{
    CxhwBoxes boxes; // no threads: calibration changes land in its published record
    SetLogger(m_doc, BOX_TYPE_KESTILON);
    boxes.m_box.m_info = m_doc.m_boxInfo.m_info;
    boxes.m_box.m_sensors = m_doc.m_boxInfo.m_sensors;
    boxes.m_box.m_sensors[0].m_calType = 3; // measured as another type: cannot trigger as it is
    boxes.m_box.Publish();
    boxes.GetPublicInfo(m_doc.m_boxInfo);
    m_doc.SetState(DOC_STATE_STOPPED);

    m_setup.m_setup = SETUP_LOG_FAST_TRIGGER;
    m_setup.m_triggeredCalibIdx = 0;
    m_setup.m_triggeredSenCalib = m_temp;
    EXPECT_TRUE(m_setup.CheckSensorScales(m_doc, false, false));
    EXPECT_EQ(m_doc.m_boxInfo.m_sensors[0].m_calType, 3); // only asked
    EXPECT_TRUE(m_setup.CheckSensorScales(m_doc, false, true));
    EXPECT_EQ(m_doc.m_boxInfo.m_sensors[0].m_calType, 7);
    EXPECT_FALSE(m_setup.CheckSensorScales(m_doc, false, false)); // now on it

    // No chosen calibration, and the sensor cannot trigger as it is measured:
    // its own calibration at its own type is offered.
    m_doc.m_boxInfo.m_sensors[0].m_calType = 3;
    m_setup.m_triggeredCalibIdx = -1;
    EXPECT_TRUE(m_setup.CheckSensorScales(m_doc, false, false));
    EXPECT_TRUE(m_setup.CheckSensorScales(m_doc, false, true));
    EXPECT_EQ(m_doc.m_boxInfo.m_sensors[0].m_calType, 7);

    // A sensor the logger cannot trigger on at all has nothing to offer.
    m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
    EXPECT_FALSE(m_setup.CheckSensorScales(m_doc, false, false));
}

TEST_F(SetupTrigger, ScalesOfTimingAndTriggerlessRunsNeedNoChange)
{
    m_setup.m_setup = SETUP_LOG_TIMING;
    EXPECT_FALSE(m_setup.CheckSensorScales(m_doc, false, false));
    m_setup.m_setup = SETUP_LOG_FAST_TRIGGER;
    m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
    EXPECT_FALSE(m_setup.CheckSensorScales(m_doc, false, true));
}
