#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSenTestSupport.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartBlock.h"
#include "hardware/xutSmartIdent.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutBoxPublicInfo.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using qvtest::SmartBlock;

namespace {

// Database entries, by index: the sensor's own calibrations (idents 40 and
// 2) and those the alternative types are listed under (17, 177, 16, 13, 187).
const char* kDatabase = "%%SENSOR 0,Nothing,,0,0,0\n"         // 0
                        "%%SENSOR 40,Light,%,100,0,1\n"       // 1
                        "%%SENSOR 40,Light,%,10,0,2\n"        // 2
                        "%%SENSOR 17,Event A,,1,0,0\n"        // 3
                        "%%SENSOR 17,Event B,,2,0,0\n"        // 4
                        "%%SENSOR 177,Counts,,65535,0,0\n"    // 5
                        "%%SENSOR 177,Counts B,,255,0,0\n"    // 6
                        "%%SENSOR 16,Frequency,Hz,1000,0,0\n" // 7
                        "%%SENSOR 13,Period,s,10,0,3\n"       // 8
                        "%%SENSOR 187,Ticks,,100,0,0\n"       // 9
                        "%%SENSOR 2,Volts,V,10,-10,2\n"       // 10
                        "%%SENSOR 255,Unknown,%,100,0,1\n";   // 11

CxutBoxInfo Logger(int hardware)
{
    CxutBoxInfo info;
    info.m_hardware = hardware;
    info.m_firmware = 5.0f;
    return info;
}

// The box types whose feature sets the cases need.
constexpr int kNoLogger = 0;  // no features
constexpr int kMiva = 7;      // second bank with feature 9, no first-bank counters
constexpr int kZembrow = 8;   // every alternative, no feature 9
constexpr int kKestilon = 10; // types 7 and 2 only

using Entries = std::vector<std::pair<int, int>>; // index, code

Entries ListOf(const CxhwSenCalibChoiceV& list)
{
    Entries out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.emplace_back(list[i].m_index, list[i].m_code);
    return out;
}

CxhwSensor Sensor(int idCode, int idType)
{
    CxhwSensor s;
    s.m_idCode = idCode;
    s.m_idType = idType;
    s.m_calType = idType;
    return s;
}

// The sensor database with the string-table texts that labels use.
class CalibChoiceTest : public qvtest::SensorFileTest
{
protected:
    void SetUp() override
    {
        SensorFileTest::SetUp();
        qvtest::WriteFile(m_root + "/QuorvantiRes/Strings.txt",
                          std::string(qvtest::SensorStrings()) + "491:Counts\n1249: s\n");
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(LoadText(kDatabase));
    }
};

} // namespace

TEST_F(CalibChoiceTest, ListsFollowTheSensorAndTheLogger)
{
    const struct
    {
        const char* name;
        int logger;
        int idCode;
        int idType;
        bool alternatives;
        bool code1;
        Entries expected;
    } cases[] = {
        {"no sensor: the ident-0 entry alone", kZembrow, 0, 0, true, true, {{0, -1}}},
        {"own calibrations only", kZembrow, 40, 18, false, true, {{1, -1}, {2, -1}}},
        {"logger without the features", kNoLogger, 40, 18, true, true, {{1, -1}, {2, -1}}},
        {"type 18 leaves out the first ident-17 entry", kZembrow, 40, 18, true, true,
         {{1, -1}, {2, -1}, {4, 3}, {5, 1}, {6, 1}, {7, 9}, {8, 5}, {9, 11}}},
        {"code 1 not allowed", kZembrow, 40, 18, true, false,
         {{1, -1}, {2, -1}, {4, 3}, {7, 9}, {8, 5}, {9, 11}}},
        {"type 1 leaves out the first counting entry", kZembrow, 40, 1, true, true,
         {{1, -1}, {2, -1}, {3, 3}, {4, 3}, {6, 1}, {7, 9}, {8, 5}, {9, 11}}},
        {"type 22 leaves out the only ident-187 entry", kZembrow, 40, 22, true, false,
         {{1, -1}, {2, -1}, {3, 3}, {4, 3}, {7, 9}, {8, 5}}},
        {"type 2 also measures as type 7", kKestilon, 2, 2, true, true, {{10, -1}, {10, 7}}},
        {"type 7 also measures as type 2", kKestilon, 2, 7, true, true, {{10, -1}, {10, 2}}},
        {"types 11 to 15 get no alternatives", kZembrow, 40, 13, true, true, {{1, -1}, {2, -1}}},
        {"second bank 0x81 counts under 136 with feature 9", kMiva, 40, 0x81, true, true,
         {{1, -1}, {2, -1}, {3, 131}, {4, 131}, {6, 136}, {7, 137}, {8, 133}, {9, 139}}},
        {"second bank 0x81 counts under 129 without it", kZembrow, 40, 0x81, true, true,
         {{1, -1}, {2, -1}, {3, 131}, {4, 131}, {6, 129}, {7, 137}, {8, 133}, {9, 139}}},
        {"second bank 0x83 leaves out the first ident-17 entry", kMiva, 40, 0x83, true, false,
         {{1, -1}, {2, -1}, {4, 131}, {7, 137}, {8, 133}, {9, 139}}},
        {"type 128 gets no alternatives", kMiva, 40, 128, true, true, {{1, -1}, {2, -1}}},
        {"types 139 to 143 get no alternatives", kMiva, 40, 0x8B, true, true, {{1, -1}, {2, -1}}},
        {"a sensor the database does not list", kNoLogger, 99, 7, true, true, {}},
    };
    for (const auto& c : cases) {
        CxhwSenCalibChoiceV list;
        list.Build(Logger(c.logger), Sensor(c.idCode, c.idType), c.alternatives, c.code1, true,
                   0.0, false, false);
        EXPECT_EQ(ListOf(list), c.expected) << c.name;
        for (int i = 0; i < list.GetCount(); ++i)
            EXPECT_FALSE(list[i].m_label.empty()) << c.name;
    }
}

TEST_F(CalibChoiceTest, LabelsNameTheTypeAndTheRate)
{
    CxhwSenCalibChoiceV list;
    list.Build(Logger(kKestilon), Sensor(2, 2), true, true, true, 0.0, false, false);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list[0].m_label, "Volts, -10.0 to 10.0 V"); // own type: no prefix
    EXPECT_EQ(list[1].m_label, "Standard: Volts, -10.0 to 10.0 V");
    EXPECT_EQ(list[1].m_ident, 2);
    list.Build(Logger(kKestilon), Sensor(2, 7), true, true, true, 0.0, false, false);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list[1].m_label, "Alternative: Volts, -10.0 to 10.0 V");

    list.Build(Logger(kZembrow), Sensor(40, 18), true, true, true, 2.5, false, false);
    ASSERT_EQ(list.GetCount(), 8);
    EXPECT_EQ(list[2].m_label, "Event B, 0 to 2");
    EXPECT_EQ(list[2].m_ident, 17);
    EXPECT_EQ(list[3].m_label, "Counts (2.5 s)");
    EXPECT_EQ(list[4].m_label, "Counts (2.5 s)");
    EXPECT_EQ(list[4].m_ident, 177);
    list.Build(Logger(kZembrow), Sensor(40, 18), true, true, true, 0.0, false, false);
    EXPECT_EQ(list[3].m_label, "Counts");

    // An entry whose label comes out empty still shows as a space.
    list.Build(Logger(kZembrow), Sensor(0, 0), false, false, true, 0.0, false, false);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list[0].m_label, " ");
}

TEST_F(CalibChoiceTest, ListStopsAtTwentyEntries)
{
    std::string text;
    for (int i = 0; i < 25; ++i)
        text += "%%SENSOR 50,Range " + std::to_string(i) + ",V," + std::to_string(i + 1) + ",0,1\n";
    text += "%%SENSOR 17,Event,,1,0,0\n";
    ASSERT_TRUE(LoadText(text));
    CxhwSenCalibChoiceV list;
    const CxhwSensor sensor = Sensor(50, 7);
    list.Build(Logger(kZembrow), sensor, true, true, true, 0.0, false, false);
    ASSERT_EQ(list.GetCount(), CxhwSenCalibChoiceV::kMaxChoices);
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_EQ(list[i].m_index, i);

    // A sensor on a calibration past the twentieth is nowhere in the list.
    CxhwSensor late = sensor;
    m_db.AssignCalib(late, 22);
    EXPECT_EQ(list.FindCurrent(late), -1);
    m_db.AssignCalib(late, 19);
    EXPECT_EQ(list.FindCurrent(late), 19);
}

TEST_F(CalibChoiceTest, CurrentChoiceMatchesIdentIndexAndType)
{
    CxhwSensor s = Sensor(40, 18);
    ASSERT_TRUE(s.UseDefaultCalibration());
    CxhwSenCalibChoiceV list;
    list.Build(Logger(kZembrow), s, true, true, true, 0.0, false, false);
    EXPECT_TRUE(list.IsSelected(s, 0));
    EXPECT_FALSE(list.IsSelected(s, 1)); // same ident, other calibration
    EXPECT_FALSE(list.IsSelected(s, -1));
    EXPECT_FALSE(list.IsSelected(s, list.GetCount()));
    EXPECT_EQ(list.FindCurrent(s), 0);

    // The own type is current while the low five type bits agree.
    s.m_calType = 18 | 0x80;
    EXPECT_EQ(list.FindCurrent(s), 0);
    s.m_calType = 3;
    EXPECT_EQ(list.FindCurrent(s), -1);

    // Measured as an event counter: the ident-17 entry with code 3.
    m_db.AssignCalib(s, 4);
    EXPECT_EQ(list.FindCurrent(s), 2);
    s.m_calType = 9;
    EXPECT_EQ(list.FindCurrent(s), -1);
}

TEST_F(CalibChoiceTest, BestChoiceIsNearestInTheSameUnitsFirstOnTies)
{
    const std::string entries = "%%SENSOR 60,Mv,mV,10,0,1\n"  // 0: other units, distance 0
                                "%%SENSOR 60,Wide,V,12,2,1\n" // 1: 2 x 2 = 4
                                "%%SENSOR 60,Low,V,8,-2,1\n"  // 2: 2 x 2 = 4
                                "%%SENSOR 60,Far,V,30,-9,1\n" // 3: 20 x 9
                                "%%SENSOR 61,Own,V,10,0,1\n"; // 4: not in the list
    ASSERT_TRUE(LoadText(entries));
    // On a calibration outside the list, so that none is current.
    CxhwSensor s = Sensor(60, 7);
    m_db.AssignCalib(s, 4);
    CxhwSenCalibChoiceV list;
    list.Build(Logger(kZembrow), s, false, false, true, 0.0, false, false);
    ASSERT_EQ(list.GetCount(), 4);
    EXPECT_EQ(list.FindBestAny(s, false), 1);
    s.m_calType = 3; // not its own type: the own-type entries still pass
    EXPECT_EQ(list.FindBest(s, false), 1);

    // A product of 0 beats every other.
    ASSERT_TRUE(LoadText(entries + "%%SENSOR 60,Edge,V,10,5,1\n"));
    m_db.AssignCalib(s, 4);
    list.Build(Logger(kZembrow), s, false, false, true, 0.0, false, false);
    ASSERT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.FindBestAny(s, false), 4);

    // On an entry of the list and its own type, the current entry wins.
    s.m_calType = 7;
    m_db.AssignCalib(s, 2);
    EXPECT_EQ(list.FindBest(s, false), 2);
    EXPECT_EQ(list.FindBestAny(s, false), 2);

    // Nothing in the sensor's units: -1, or with fall back entry 0.
    s.m_calib.m_units = "A";
    s.m_calib.m_index = 4;
    EXPECT_EQ(list.FindBestAny(s, false), -1);
    EXPECT_EQ(list.FindBestAny(s, true), 0);
    // A second-bank type is never measured natively: nothing passes.
    CxhwSensor second = s;
    second.m_idType = second.m_calType = 0x87;
    EXPECT_EQ(list.FindBest(second, true), -1);
    EXPECT_EQ(CxhwSenCalibChoiceV().FindBestAny(s, true), -1);
}

TEST_F(CalibChoiceTest, SearchesForTriggerScopeAndTiming)
{
    // A first-bank type 18 measured as an event counter: triggering needs
    // the sensor's own type, so the best is its own entry nearest in range.
    CxhwSensor s = Sensor(40, 18);
    m_db.AssignCalib(s, 4);
    s.m_calType = 3;
    s.m_calib.m_units = m_db.GetSensor(1).m_units;
    s.m_calib.m_defMax = 12.0f;
    s.m_calib.m_defMin = 1.0f; // 88 x 1 from entry 1, 2 x 1 from entry 2
    CxhwSenCalibChoiceV list;
    list.Build(Logger(kZembrow), s, true, true, true, 0.0, true, false);
    EXPECT_FALSE(s.CanTrigger());
    EXPECT_EQ(list.FindBestTrigScope(s, false, false), 1);
    EXPECT_EQ(list.FindBestTrigScope(s, false, true), 1);

    // On its own type the sensor keeps its present entry.
    s.m_calType = 18;
    m_db.AssignCalib(s, 1);
    EXPECT_EQ(list.FindBestTrigScope(s, false, false), 0);
    s.m_triggerAndScope = false; // then nothing may trigger at all
    EXPECT_EQ(list.FindBestTrigScope(s, true, false), -1);

    // Second bank: no entry can trigger; fall back finds nothing either.
    const CxhwSensor second = Sensor(40, 0x81);
    list.Build(Logger(kMiva), second, true, true, true, 0.0, true, false);
    EXPECT_EQ(list.FindBestTrigScope(second, true, false), -1);

    // Timing on a logger with feature 19: every first-bank type times.
    const CxutBoxInfo timing = Logger(kZembrow);
    CxhwSensor t = Sensor(40, 0);
    ASSERT_TRUE(t.UseDefaultCalibration());
    list.BuildTiming(timing, t);
    EXPECT_EQ(ListOf(list), (Entries{{3, 3}, {4, 3}}));
    EXPECT_EQ(list.FindBestTiming(timing, t, false), -1); // units differ
    EXPECT_EQ(list.FindBestTiming(timing, t, true), 0);
    EXPECT_TRUE(t.GetTimingChoice(nullptr, timing, true));
    EXPECT_FALSE(t.GetTimingChoice(nullptr, Logger(kKestilon), true)); // no feature 103
    list.BuildTiming(timing, Sensor(40, 0x85));
    EXPECT_EQ(ListOf(list), (Entries{{3, 131}, {4, 131}}));
    list.BuildTiming(timing, Sensor(40, 0x8C));
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(CalibChoiceTest, RateChecksOfClassicSensors)
{
    const CxutBoxInfo logger = Logger(kZembrow);
    CxhwSensor s = Sensor(40, 18);
    ASSERT_TRUE(s.UseDefaultCalibration());
    EXPECT_TRUE(s.SuitsRate(logger, false));
    EXPECT_TRUE(s.SuitsRate(logger, true));

    // Measured as an event counter: fine for an ordinary run on a logger that
    // offers it, not for a fast one, nor on a logger without feature 103.
    m_db.AssignCalib(s, 4);
    s.m_calType = 3;
    EXPECT_TRUE(s.SuitsRate(logger, false));
    EXPECT_FALSE(s.SuitsRate(logger, true));
    EXPECT_FALSE(s.SuitsRate(Logger(kKestilon), false));

    CxhwSenCalibChoice choice;
    ASSERT_TRUE(s.GetRateCalibChoice(&choice, logger, false, false));
    EXPECT_EQ(choice.m_index, 4); // the current one
    EXPECT_EQ(choice.m_code, 3);
    EXPECT_FALSE(s.GetRateCalibChoice(&choice, logger, false, true)); // no units match
    ASSERT_TRUE(s.GetRateCalibChoice(&choice, logger, true, true));
    EXPECT_EQ(choice.m_index, 1); // back to its own type
    EXPECT_EQ(choice.m_code, -1);
    EXPECT_EQ(choice.m_label, "Light, 0 to 100 %");

    // An unlisted sensor whose type has no alternatives: no entry at all.
    EXPECT_FALSE(Sensor(99, 13).GetRateCalibChoice(&choice, logger, true, false));
    EXPECT_FALSE(Sensor(99, 13).SuitsRate(logger, false));
}

namespace {

// One sub-channel: range 1 in the first bank only (can time), range 2 in
// both banks (can trigger and scope), range 3 in the second bank (scope).
SmartBlock ThreeRanges()
{
    SmartBlock b;
    b.subs.resize(1);
    b.subs[0].list = {0x01, 0x22, 0x30};
    b.ranges.resize(3);
    b.ranges[0] = {0, 1, 2, 0, 0, 100, 0, 100, 0, 1, 1, 0x09, 0, 1};
    b.ranges[1] = {0, 3, 2, 0, 0, 50, 0, 50, 0, 1, 0, 0x07, 0, 1};
    b.ranges[2] = {0, 4, 2, 0, 0, 10, 0, 10, 0, 1, 0, 0x04, 0, 1};
    b.strings = {u"Slow", u"C", u"Fast", u"Scope"};
    return b;
}

} // namespace

TEST_F(CalibChoiceTest, SmartSensorsOfferTheirRanges)
{
    CxutSmartSenDef& def = *m_db.GetSmartDefs().GetDef(1);
    ASSERT_TRUE(qvtest::FillDef(def, ThreeRanges().Build()));
    const int ident = xutMakeSmartIdent(1, 0, 0x11, 3);
    CxhwSensor s = Sensor(ident, 8);
    ASSERT_TRUE(s.UseDefaultCalibration());
    const int r1 = xutMakeSmartIdentBank(1, 0, 0, 1);
    const int r2 = xutMakeSmartIdentBank(1, 0, 0, 2);
    const int r2fast = xutMakeSmartIdentBank(1, 0, 1, 2);
    const int r3fast = xutMakeSmartIdentBank(1, 0, 1, 3);
    ASSERT_EQ(s.m_calib.m_index, r1);
    EXPECT_EQ(s.m_calType, 8); // range kind 1 counts

    const CxutBoxInfo logger = Logger(kMiva);
    CxhwSenCalibChoiceV list;
    list.Build(logger, s, true, true, true, 0.0, false, false);
    // No alternatives for smart sensors; each range with its kind's type.
    EXPECT_EQ(ListOf(list), (Entries{{r1, 8}, {r2, 7}}));
    EXPECT_EQ(list[0].m_label, "Slow, 0 to 100 C");
    EXPECT_EQ(list[1].m_label, "Fast, 0 to 50 C");
    EXPECT_EQ(list[0].m_ident, ident);
    EXPECT_EQ(list.FindCurrent(s), 0);

    // The oscilloscope and trigger lists hold second-bank ranges only.
    EXPECT_EQ(s.FindCalibChoice(list, logger, false, true), 0);
    EXPECT_EQ(ListOf(list), (Entries{{r2fast, 7}, {r3fast, 7}}));
    CxhwSenCalibChoice choice;
    ASSERT_TRUE(s.GetCalibChoice(&choice, logger, false, false));
    EXPECT_EQ(choice.m_index, r2fast);

    // Range 1 times and suits ordinary runs; the scope range does neither.
    EXPECT_TRUE(s.CanTime(logger, false));
    EXPECT_TRUE(s.SuitsRate(logger, true));
    ASSERT_TRUE(s.GetTimingChoice(&choice, logger, false));
    EXPECT_EQ(choice.m_index, r1);
    m_db.AssignCalib(s, r3fast);
    EXPECT_FALSE(s.SuitsRate(logger, false));
    EXPECT_FALSE(s.CanTimeNow(logger));
    EXPECT_TRUE(s.CanTime(logger, false)); // range 1 can still be chosen
}

TEST_F(CalibChoiceTest, RangeNamedTwiceIsListedOnce)
{
    // A block whose range list names range 1 again after range 2 would
    // send the walk round in a circle.
    SmartBlock b = ThreeRanges();
    b.subs[0].list = {0x01, 0x02, 0x01, 0x02};
    CxutSmartSenDef& def = *m_db.GetSmartDefs().GetDef(0);
    ASSERT_TRUE(qvtest::FillDef(def, b.Build()));
    const int ident = xutMakeSmartIdent(0, 0, 0x11, 3);
    CxhwSenCalibChoiceV list;
    list.Build(Logger(kMiva), Sensor(ident, 7), false, false, true, 0.0, false, false);
    EXPECT_EQ(ListOf(list), (Entries{{xutMakeSmartIdentBank(0, 0, 0, 1), 8},
                                     {xutMakeSmartIdentBank(0, 0, 0, 2), 7}}));
}

// A sensor that cannot feed the oscilloscope as it is set, but can in
// another of its calibrations, is found only when choices may be searched.
TEST_F(CalibChoiceTest, ScopeInputSearchTakesCalibrationChoices)
{
    CxutBoxPublicInfo info;
    info.m_info = Logger(kZembrow);
    info.m_info.m_maxSensors = 6;
    CxhwSensor s = Sensor(40, 18);
    m_db.AssignCalib(s, 4);
    s.m_calType = 3;
    s.m_calib.m_units = m_db.GetSensor(1).m_units;
    s.m_calib.m_defMax = 12.0f;
    s.m_calib.m_defMin = 1.0f;
    ASSERT_FALSE(s.CanScope());
    info.m_sensors[2] = s;
    EXPECT_EQ(info.FindScopeInput(false, 0), -1);
    EXPECT_EQ(info.FindScopeInput(true, 0), 2);
    EXPECT_TRUE(info.CanUseScope(true, 0) == info.HasScopeFeature());

    // With the trigger and scope switched off no choice helps.
    info.m_sensors[2].m_triggerAndScope = false;
    EXPECT_EQ(info.FindScopeInput(true, 1), -1);
}

// The same for triggered sampling, and the check that every sensor can be
// used as set or, when allowed, in one of its choices.
TEST_F(CalibChoiceTest, TriggerInputAndCalibrationCheckTakeChoices)
{
    CxutBoxPublicInfo info;
    info.m_info = Logger(kZembrow);
    info.m_info.m_maxSensors = 6;
    CxhwSensor s = Sensor(40, 18);
    m_db.AssignCalib(s, 4);
    s.m_calType = 3;
    s.m_calib.m_units = m_db.GetSensor(1).m_units;
    s.m_calib.m_defMax = 12.0f;
    s.m_calib.m_defMin = 1.0f;
    ASSERT_FALSE(s.CanTrigger());
    info.m_sensors[0] = s;
    EXPECT_EQ(info.FindTriggerInput(false, 0), -1);
    EXPECT_EQ(info.FindTriggerInput(true, 0), 0);

    bool onlyFirst = false;
    EXPECT_FALSE(info.CheckCalibrations(onlyFirst, false, 0));
    EXPECT_TRUE(onlyFirst);
    EXPECT_TRUE(info.CheckCalibrations(onlyFirst, true, 0));

    // A second-bank sensor not on its own type has no usable choice.
    CxhwSensor second = Sensor(40, 0x81);
    second.m_calType = 0x82;
    info.m_sensors[3] = second;
    EXPECT_FALSE(info.CheckCalibrations(onlyFirst, true, 1));
    EXPECT_FALSE(onlyFirst);
    info.m_sensors[3].m_enable = false; // a disabled input holds no sensor
    EXPECT_TRUE(info.CheckCalibrations(onlyFirst, true, 0));
    EXPECT_TRUE(onlyFirst);
}
