#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSenFile.h"
#include "support/testBoxes.h"
#include "wizard/gudMatchTemplate.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

// Sensors of the shipped database, by what a case needs of them.
enum Kind
{
    NONE,
    TEMP_C,     // temperature, its default calibration
    TEMP_F,     // the same sensor given its second calibration
    VOLTS_10,   // voltage, V, -10 to 10
    VOLTS_5,    // another voltage sensor, V, 0 to 5
    LIGHT,      // light, lx
    OUTPUT_DEV, // an output device
};

using Placed = std::vector<std::pair<int, Kind>>; // input, sensor
using Ints = std::array<int, 6>;
using Flags = std::array<bool, 6>;

// A document whose owner counts the match dialogs and answers them as told.
class MatchOwner : public qvtest::CtestDocOwner
{
public:
    bool RunMatchDialog(CdocDoc&) override
    {
        ++m_dialogs;
        return m_goOn;
    }
    int m_dialogs = 0;
    bool m_goOn = true;
};

class Match : public testing::Test
{
protected:
    Match()
    {
        m_res.LoadStrings();
        m_db.Load();
        m_doc.m_owner = &m_owner;
        m_doc.m_activity = ACTIVITY_PERIODIC;
        for (CxutBoxPublicInfo* info : {&m_doc.m_boxInfo, &m_doc.m_fileBoxInfo}) {
            info->m_info.m_hardware = BOX_TYPE_SIMULATED;
            info->m_info.m_firmware = 1.0f;
            info->m_info.m_maxSensors = 6;
        }
    }

    // The database index of an ident's n-th calibration.
    int IndexOf(int ident, int n = 0) const
    {
        int index = m_db.FindNext(ident, -1, true, false, false, false);
        while (n-- > 0)
            index = m_db.FindNext(ident, index, true, false, false, false);
        return index;
    }

    CxhwSensor Sensor(Kind kind) const
    {
        struct
        {
            int ident, type, nth;
        } const kinds[] = {{0, 0, 0}, {1, 7, 0}, {1, 7, 1}, {5, 7, 0}, {19, 7, 0}, {8, 7, 0}, {136, 0x8F, 0}};
        const auto& k = kinds[kind];
        CxhwSensor sensor;
        if (kind == NONE)
            return sensor;
        sensor.m_idCode = k.ident;
        sensor.m_idType = k.type;
        sensor.m_calType = k.type;
        m_db.GetCalib(sensor.m_calib, IndexOf(k.ident, k.nth));
        return sensor;
    }

    void Record(const Placed& placed)
    {
        for (int i = 0; i < 6; ++i)
            m_doc.m_fileBoxInfo.m_sensors[i] = CxhwSensor();
        for (const auto& [input, kind] : placed)
            m_doc.m_fileBoxInfo.m_sensors[input] = Sensor(kind);
    }

    // The connected sensors: published by the logger manager when the test
    // has one, else straight into the document's copy.
    void Connect(const Placed& placed)
    {
        CxhwSensorV sensors;
        for (const auto& [input, kind] : placed)
            sensors[input] = Sensor(kind);
        if (m_boxes) {
            m_boxes->m_box.m_info = m_doc.m_boxInfo.m_info;
            m_boxes->m_box.m_sensors = sensors;
            m_boxes->m_box.Publish();
            m_boxes->GetPublicInfo(m_doc.m_boxInfo);
        } else {
            m_doc.m_boxInfo.m_sensors = sensors;
        }
    }

    CdocField& AddSensorChannel(int socket, const wxString& name)
    {
        CdocFieldV& fields = m_doc.m_data.m_fields;
        CdocField& field = *fields.GetAt(fields.Add(1));
        field.InitSensor(socket, m_doc.m_fileBoxInfo.m_sensors[socket]);
        field.m_name = name;
        return field;
    }

    CdocField* ChannelNamed(const wxString& name)
    {
        CdocFieldV& fields = m_doc.m_data.m_fields;
        for (int i = 0; i < fields.GetCount(); ++i)
            if (fields.GetAt(i)->m_name == name)
                return fields.GetAt(i);
        return nullptr;
    }

    Ints MatchInput() const
    {
        Ints out;
        for (int i = 0; i < 6; ++i)
            out[i] = m_doc.m_matchInput[i];
        return out;
    }
    Flags Kept() const
    {
        Flags out;
        for (int i = 0; i < 6; ++i)
            out[i] = m_doc.m_matchKept[i];
        return out;
    }

    CgumResCore m_res;
    CappOptions m_options; // user level 4: every feature allowed
    qvtest::CtestBoxes m_boxesShown;
    CxhwSenFile m_db;
    std::unique_ptr<CxhwBoxes> m_boxes;
    CdocDoc m_doc;
    MatchOwner m_owner;
};

constexpr int U = -1; // unpaired
constexpr bool K = true, k = false;

} // namespace

// The three passes: the same sensor on the same input or moved, the same
// kind of sensor in another range, and a sensor of another kind or none.
TEST_F(Match, PassesPairStoredSocketsWithConnectedInputs)
{
    const struct
    {
        const char* name;
        Placed stored;
        Placed connected;
        Ints input;
        Flags kept;
        bool allMatched;
        bool allKept;
    } cases[] = {
        {"same sensors, same inputs", {{0, TEMP_C}, {2, VOLTS_10}}, {{0, TEMP_C}, {2, VOLTS_10}},
         {0, U, 2, U, U, U}, {K, k, K, k, k, k}, true, true},
        {"sensor moved from input 1 to 3", {{1, TEMP_C}}, {{3, TEMP_C}}, {U, 3, U, U, U, U},
         {k, K, k, k, k, k}, false, true},
        {"two sensors swapped", {{0, LIGHT}, {1, TEMP_C}}, {{0, TEMP_C}, {1, LIGHT}},
         {1, 0, U, U, U, U}, {K, K, k, k, k, k}, false, true},
        {"second calibration still offered", {{2, TEMP_F}}, {{2, TEMP_C}}, {U, U, 2, U, U, U},
         {k, k, K, k, k, k}, true, true},
        {"same name and units, another range (pass 2)", {{0, VOLTS_10}}, {{0, VOLTS_5}},
         {0, U, U, U, U, U}, {K, k, k, k, k, k}, true, true},
        {"exact fit wins over an earlier range fit", {{0, VOLTS_10}}, {{0, VOLTS_5}, {1, VOLTS_10}},
         {1, U, U, U, U, U}, {K, k, k, k, k, k}, false, true},
        {"no fitting input, another sensor free (pass 3)", {{0, TEMP_C}}, {{2, LIGHT}},
         {2, U, U, U, U, U}, {k, k, k, k, k, k}, false, false},
        {"no free input at all", {{0, TEMP_C}, {1, VOLTS_10}}, {{0, TEMP_C}}, {0, U, U, U, U, U},
         {K, k, k, k, k, k}, false, false},
        {"an extra sensor the file did not have", {{0, TEMP_C}}, {{0, TEMP_C}, {4, LIGHT}},
         {0, U, U, U, U, U}, {K, k, k, k, k, k}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Record(c.stored);
        Connect(c.connected);
        gudMatchRefresh(m_doc);
        EXPECT_EQ(MatchInput(), c.input);
        EXPECT_EQ(Kept(), c.kept);
        for (int i = 0; i < 6; ++i) {
            if (c.input[i] >= 0) {
                EXPECT_EQ(m_doc.m_matchSocket[c.input[i]], i);
            }
        }
        EXPECT_EQ(gudMatchAllMatched(m_doc), c.allMatched);
        EXPECT_EQ(gudMatchAllKept(m_doc), c.allKept);
    }
}

// In the timing activity presence comes from the timing masks and every
// pairing keeps the stored settings.
TEST_F(Match, TimingPairsByTheTimingMasks)
{
    m_doc.m_activity = ACTIVITY_TIMING;
    Record({{0, TEMP_C}, {1, TEMP_C}});
    Connect({{0, LIGHT}, {1, LIGHT}, {2, LIGHT}});
    m_doc.m_fileBoxInfo.m_boxTimingIdentify = 0b011;
    m_doc.m_boxInfo.m_boxTimingIdentify = 0b110;
    gudMatchRefresh(m_doc);
    EXPECT_EQ(MatchInput(), (Ints{1, 2, U, U, U, U}));
    EXPECT_EQ(Kept(), (Flags{K, K, k, k, k, k}));
    EXPECT_TRUE(gudMatchAllKept(m_doc));
}

TEST_F(Match, CompareHandsOutTheFittingChoice)
{
    Record({{0, TEMP_F}});
    Connect({{3, TEMP_C}});
    CxhwSenCalibChoice choice;
    ASSERT_TRUE(gudCompareSensor(choice, m_doc.m_boxInfo, 3, m_doc.m_fileBoxInfo, 0, true, true));
    EXPECT_EQ(choice.m_index, IndexOf(1, 1));
    // Out-of-range sockets and inputs never fit.
    EXPECT_FALSE(gudCompareSensor(choice, m_doc.m_boxInfo, 6, m_doc.m_fileBoxInfo, 0, false, false));
    EXPECT_FALSE(gudCompareSensor(choice, m_doc.m_boxInfo, 3, m_doc.m_fileBoxInfo, -1, false, false));
}

// An output rule follows its output device to the input it now sits on;
// the rules of other sockets are emptied.
TEST_F(Match, OutputRulesFollowTheirDevices)
{
    Record({{0, TEMP_C}, {2, OUTPUT_DEV}});
    Connect({{0, TEMP_C}, {5, OUTPUT_DEV}});
    std::array<CdocControlItem, 6>& rules = m_doc.m_control.m_rules;
    rules[0].m_enabled = true;
    rules[0].m_threshold = 1.0f;
    rules[2].m_enabled = true;
    rules[2].m_above = false;
    rules[2].m_threshold = 25.5f;
    rules[2].m_thresholdText = "25.5";
    gudMatchRefresh(m_doc);
    ASSERT_EQ(m_doc.m_matchInput[2], 5);
    gudRemapOutputRules(m_doc);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(rules[i].m_enabled) << i;
    EXPECT_TRUE(rules[5].m_enabled);
    EXPECT_FALSE(rules[5].m_above);
    EXPECT_EQ(rules[5].m_threshold, 25.5f);
    EXPECT_EQ(rules[5].m_thresholdText, "25.5");
}

// Removing several unpaired channels tells the table where each stands when
// it goes, not where it stood before the first went.
TEST_F(Match, RebuildRemovesUnpairedChannelsAtTheirCurrentPosition)
{
    Record({{0, TEMP_C}, {1, LIGHT}, {2, VOLTS_10}, {3, LIGHT}});
    Connect({{2, VOLTS_10}});
    AddSensorChannel(0, "A");
    AddSensorChannel(1, "B");
    AddSensorChannel(2, "C");
    AddSensorChannel(3, "D");
    gudMatchRefresh(m_doc);
    ASSERT_EQ(MatchInput(), (Ints{U, U, 2, U, U, U}));
    m_owner.m_hints.clear();
    m_doc.m_matchCode = START_CODE_START;
    m_doc.m_matchRebuilt = false;
    gudRefreshSensorChannels(m_doc.m_data, &m_doc.m_boxInfo.m_sensors[0], 6);
    EXPECT_EQ(m_owner.TableMessages(), (std::vector<std::vector<int>>{{2007, 0, 1}, {2007, 0, 1}, {2007, 1, 1}}));
    ASSERT_EQ(m_doc.m_data.m_fields.GetCount(), 1);
    EXPECT_EQ(m_doc.m_data.m_fields.GetAt(0)->m_name, "C");
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_LAYOUT), 1);
    // Once per start: a second call of the same start changes nothing.
    gudRefreshSensorChannels(m_doc.m_data, &m_doc.m_boxInfo.m_sensors[0], 0);
    EXPECT_EQ(m_doc.m_data.m_fields.GetCount(), 1);
}

TEST_F(Match, CellTexts)
{
    Record({{1, TEMP_C}});
    Connect({{3, TEMP_C}});
    wxString text, icon;
    ASSERT_TRUE(gudStoredSensorText(m_doc.m_fileBoxInfo, 1, text, icon));
    EXPECT_EQ(text, Sensor(TEMP_C).m_calib.m_name);
    EXPECT_EQ(icon, "Temp");
    EXPECT_FALSE(gudStoredSensorText(m_doc.m_fileBoxInfo, 6, text, icon));
    EXPECT_TRUE(text.empty());

    const wxString input4 = gumGetString(32) + " 4";
    ASSERT_TRUE(gudConnectedSensorText(m_doc.m_boxInfo, 3, true, text, icon));
    EXPECT_EQ(text, input4);
    EXPECT_EQ(icon, "Tick");
    ASSERT_TRUE(gudConnectedSensorText(m_doc.m_boxInfo, 3, false, text, icon));
    const CxhwSensor temp = Sensor(TEMP_C);
    EXPECT_EQ(text, temp.m_calib.m_name + ", " + temp.m_calib.m_units + ", " + input4);
    EXPECT_EQ(icon, "Temp");
    EXPECT_FALSE(gudConnectedSensorText(m_doc.m_boxInfo, -1, true, text, icon));

    // A smart sensor is known by its own name and icon.
    m_doc.m_fileBoxInfo.m_sensors[2].m_idCode = 300;
    m_doc.m_fileBoxInfo.m_sensors[2].m_tpName = "Smart pH";
    m_doc.m_fileBoxInfo.m_sensors[2].m_tpIcon = "pH";
    ASSERT_TRUE(gudStoredSensorText(m_doc.m_fileBoxInfo, 2, text, icon));
    EXPECT_EQ(text, "Smart pH");
    EXPECT_EQ(icon, "pH");
    EXPECT_EQ(gudPairingLabel(m_doc.m_fileBoxInfo, 2), "Smart pH");
}

// With a logger manager: the whole routine from pairing to the rebuilt
// channels, and nothing at all when the user declines.
class MatchWithLogger : public Match
{
protected:
    MatchWithLogger()
    {
        m_boxes = std::make_unique<CxhwBoxes>();
        m_doc.m_state = DOC_STATE_STOPPED;
        m_doc.m_data.m_dataSource = DATA_SOURCE_FILE;
        Record({{1, TEMP_F}});
        Connect({{0, LIGHT}, {3, TEMP_C}});
        m_doc.m_data.AddReadingField(true, true);
        m_doc.m_data.AddTimeField(true, true);
        CdocField& mine = AddSensorChannel(1, "Water");
        mine.m_unit = "deg";
        m_stored = mine.m_key;
    }

    CxhwSensor Published(int input)
    {
        CxutBoxPublicInfo info;
        m_boxes->GetPublicInfo(info);
        return info.m_sensors[input];
    }

    int m_stored = 0;
};

TEST_F(MatchWithLogger, TemplateMatchMovesTheChannelAndKeepsItsSettings)
{
    ASSERT_TRUE(gudMatchTemplate(m_doc));
    EXPECT_EQ(m_owner.m_dialogs, 1); // moved: not everything matched
    EXPECT_EQ(m_doc.m_matchCode, START_CODE_NONE);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    // The unused light sensor is switched off, the temperature sensor given
    // the stored calibration again.
    EXPECT_FALSE(Published(0).m_enable);
    EXPECT_TRUE(Published(3).m_enable);
    EXPECT_EQ(Published(3).m_calib.m_units, Sensor(TEMP_F).m_calib.m_units);
    EXPECT_EQ(Published(3).m_calib.m_index, IndexOf(1, 1));
    CdocField* water = ChannelNamed("Water");
    ASSERT_NE(water, nullptr);
    EXPECT_EQ(water->m_key, m_stored);
    EXPECT_EQ(water->m_socket, 3);
    EXPECT_EQ(water->m_unit, "deg");
    CdocFieldKey key;
    EXPECT_FALSE(m_doc.m_data.m_fields.FindSensor(key, 0));
    EXPECT_FALSE(m_doc.m_data.m_fields.FindSensor(key, 1));
}

// A replacing start runs the channel update twice; the pairing is applied
// once, so the moved channel is not taken for an unpaired one the second time.
TEST_F(MatchWithLogger, ReplacingStartMovesTheChannelOnce)
{
    m_doc.m_data.SetRecords(3);
    EXPECT_EQ(m_doc.Restart(), DOC_RESULT_DONE);
    EXPECT_EQ(m_owner.m_dialogs, 1);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    CdocField* water = ChannelNamed("Water");
    ASSERT_NE(water, nullptr);
    EXPECT_EQ(water->m_key, m_stored);
    EXPECT_EQ(water->m_socket, 3);
    m_doc.StopRun();
}

TEST_F(MatchWithLogger, DeclinedMatchChangesNothing)
{
    m_owner.m_goOn = false;
    m_doc.m_control.m_rules[0].m_enabled = true;
    EXPECT_EQ(gudMatchAndStart(m_doc), 1);
    EXPECT_FALSE(gudMatchTemplate(m_doc));
    EXPECT_EQ(m_owner.m_dialogs, 2);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_TRUE(Published(0).m_enable);
    EXPECT_EQ(Published(3).m_calib.m_index, IndexOf(1));
    EXPECT_TRUE(m_doc.m_control.m_rules[0].m_enabled);
    EXPECT_EQ(ChannelNamed("Water")->m_socket, 1);
}

// The same sensors on the same inputs: no dialog, and the run starts.
TEST_F(MatchWithLogger, EverythingMatchedStartsWithoutAsking)
{
    Connect({{1, TEMP_F}});
    EXPECT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    EXPECT_EQ(m_owner.m_dialogs, 0);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    EXPECT_EQ(ChannelNamed("Water")->m_socket, 1);
    m_doc.StopRun();
}
