#include "data/dataTestSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>

using qvtest::DataTest;
using qvtest::MakeSensor;

namespace {

using Messages = std::vector<std::vector<int>>;

class DataFields : public DataTest
{
protected:
    // The channels in order, as short names: R, T, S<input>, C<input> for a
    // stored sensor copy, M manual, F formula.
    std::string Layout()
    {
        std::string out;
        for (int i = 0; i < Fields().GetCount(); ++i) {
            const CdocField& f = At(i);
            if (!out.empty())
                out += ",";
            switch (f.m_content) {
            case CONTENT_READING: out += "R"; break;
            case CONTENT_ELAPSED_TIME: out += "T"; break;
            case CONTENT_SENSOR: out += "S" + std::to_string(f.m_socket); break;
            case CONTENT_STORED_SENSOR: out += "C" + std::to_string(f.m_socket); break;
            case CONTENT_MANUAL: out += "M"; break;
            case CONTENT_FORMULA: out += "F"; break;
            default: out += "?"; break;
            }
        }
        return out;
    }

    CdocField& AddSensor(int input)
    {
        const int position = Fields().Add(1);
        At(position).InitSensor(input, MakeSensor(10 + input, 2));
        return At(position);
    }

    // Six connected sensors; the ones listed are present.
    void Connect(std::initializer_list<int> present, int inputs = 6)
    {
        for (int i = 0; i < 6; ++i)
            m_doc.m_boxInfo.m_sensors[i] = CxhwSensor();
        for (int i : present)
            m_doc.m_boxInfo.m_sensors[i] = MakeSensor(10 + i, 2);
        m_doc.m_boxInfo.m_info.m_maxSensors = inputs;
    }
};

} // namespace

TEST_F(DataFields, ReadingAndTimeChannelsComeFirst)
{
    AddSensor(0);
    m_owner.m_hints.clear();
    ASSERT_TRUE(Data().AddReadingField(true, true));
    ASSERT_TRUE(Data().AddTimeField(true, true));
    EXPECT_EQ(Layout(), "T,R,S0");
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2005, 1, 1}, {2005, 2, 1}}));
    EXPECT_EQ(m_owner.Count(HINT_DATA_RESET), 2);
    EXPECT_EQ(At(1).m_now, CxhwMinMax(5.0f, 1.0f));
    EXPECT_EQ(At(0).m_now, CxhwMinMax(10.0f, 0.0f)); // short axis: 10 s

    // Existing channels: moved to the front, not announced again.
    m_owner.m_hints.clear();
    At(1).m_name = "Kept";
    ASSERT_TRUE(Data().AddReadingField(false, false));
    EXPECT_EQ(Layout(), "R,T,S0");
    EXPECT_EQ(At(0).m_name, "Kept");
    EXPECT_TRUE(m_owner.TableMessages().empty());

    // The long axis covers MaxRecords - 1 intervals.
    Data().m_maxRecords = 20001;
    Data().m_interval = 0.1;
    ASSERT_TRUE(Data().AddTimeField(true, false));
    EXPECT_EQ(At(0).m_unit, gumGetString(1357));
    EXPECT_EQ(At(0).m_now, CxhwMinMax(34.0f, 0.0f));
}

TEST_F(DataFields, SetUpFailsAtTwentyChannels)
{
    ASSERT_EQ(Fields().Add(20), 19);
    EXPECT_FALSE(Data().AddReadingField(true, true));
    EXPECT_FALSE(Data().AddTimeField(true, true));
    EXPECT_FALSE(Data().AddManualField(nullptr));
    EXPECT_FALSE(Data().AddFormulaField(nullptr));
    EXPECT_FALSE(Data().AddFields(1));
    EXPECT_EQ(Fields().GetCount(), 20);
}

TEST_F(DataFields, MatchSensorFields)
{
    Connect({0, 1, 3, 4});
    ASSERT_TRUE(Data().SyncSensorFields(true, false, -1, -1));
    EXPECT_EQ(Layout(), "S0,S1,S2,S3,S4,S5"); // without presentOnly every input
    EXPECT_EQ(m_owner.TableMessages().size(), 6u);

    m_owner.m_hints.clear();
    ASSERT_TRUE(Data().SyncSensorFields(false, true, 1, 3));
    EXPECT_EQ(Layout(), "S1,S3");
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2007, 0, 1}, {2007, 1, 1}, {2007, 2, 1}, {2007, 2, 1}}));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_LAYOUT), 0);

    ASSERT_TRUE(Data().SyncSensorFields(false, true, -1, -1));
    EXPECT_EQ(Layout(), "S1,S3,S0,S4");

    // A changed sensor re-initialises its channel.
    m_owner.m_hints.clear();
    m_doc.m_boxInfo.m_sensors[3] = MakeSensor(30, 2);
    ASSERT_TRUE(Data().SyncSensorFields(false, true, -1, -1));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_LAYOUT), 1);
    EXPECT_EQ(At(1).m_ident, 30);

    // Fewer inputs: the channels of the inputs beyond go.
    Connect({0, 1, 3, 4}, 2);
    ASSERT_TRUE(Data().SyncSensorFields(false, true, -1, -1));
    EXPECT_EQ(Layout(), "S1,S0");
    // An input count from the logger beyond six is read as six.
    Connect({0, 5}, 99);
    ASSERT_TRUE(Data().SyncSensorFields(false, true, -1, -1));
    EXPECT_EQ(Layout(), "S0,S5");
}

TEST_F(DataFields, MatchingPassesOverInputsWithoutAFreeChannel)
{
    ASSERT_EQ(Fields().Add(18), 17);
    for (int i = 0; i < 18; ++i)
        At(i).InitManual();
    Connect({0, 1, 2});
    ASSERT_TRUE(Data().SyncSensorFields(false, true, -1, -1));
    EXPECT_EQ(Fields().GetCount(), 20);
    CdocFieldKey key;
    EXPECT_TRUE(Fields().FindSensor(key, 1));
    EXPECT_FALSE(Fields().FindSensor(key, 2));
}

TEST_F(DataFields, MatchingDuringTemplatePairingSorts)
{
    Data().AddReadingField(true, true);
    AddSensor(4);
    const int position = Fields().Add(1);
    At(position).InitManual();
    Data().AddTimeField(true, true);
    Connect({0, 4});
    m_doc.m_matchCode = 2;
    m_doc.m_matchInput[4] = 4; // the stored sensor 4 found again on its input
    m_doc.m_matchKept[4] = true;
    ASSERT_TRUE(Data().SyncSensorFields(false, true, -1, -1));
    EXPECT_EQ(Layout(), "R,T,S0,S4,M");
}

TEST_F(DataFields, AndClearWipesTheSensorData)
{
    Connect({0});
    Data().SyncSensorFields(false, true, -1, -1);
    At(0).m_samples[0] = 5.0f;
    At(0).m_fitM = 2.0f;
    Data().m_records = 1;
    Data().SyncSensorFieldsAndClear(-1, -1);
    EXPECT_FALSE(At(0).HasData());
    EXPECT_EQ(At(0).m_fitM, 1.0f);
}

TEST_F(DataFields, KeepSensorData)
{
    Data().AddReadingField(true, true);
    Data().AddTimeField(true, true);
    Data().SortFields();
    CdocField& s0 = AddSensor(0);
    CdocField& s1 = AddSensor(1);
    s0.m_colour = CdocColour(1, 1, 1);
    Data().m_records = 2;
    s0.m_samples[0] = 1.0f;
    s1.m_samples[1] = 2.0f;
    ASSERT_TRUE(Data().CanKeepSensorData());
    m_owner.m_hints.clear();
    ASSERT_TRUE(Data().KeepSensorData());
    EXPECT_EQ(Layout(), "R,T,C0,C1,S0,S1");
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2005, 4, 1}, {2005, 5, 1}}));
    EXPECT_EQ(At(2).m_samples[0], 1.0f);
    EXPECT_EQ(At(2).m_colour, CdocColour(1, 1, 1));
    EXPECT_FALSE(At(4).m_colour.IsOk());
    EXPECT_EQ(At(3).m_samples[1], 2.0f);
    EXPECT_FALSE(At(4).HasData());
    EXPECT_NE(At(2).m_key, At(4).m_key);

    // With 19 channels and two sensor channels holding data it refuses whole.
    Fields().Clear();
    ASSERT_EQ(Fields().Add(17), 16);
    for (int i = 0; i < 17; ++i)
        At(i).InitManual();
    AddSensor(0).m_samples[0] = 1.0f;
    AddSensor(1).m_samples[0] = 1.0f;
    EXPECT_FALSE(Data().CanKeepSensorData());
    EXPECT_FALSE(Data().KeepSensorData());
    EXPECT_EQ(Fields().GetCount(), 19);
}

TEST_F(DataFields, SortFields)
{
    Data().AddTimeField(true, true);
    AddSensor(2);
    At(Fields().Add(1)).InitManual();
    At(Fields().Add(1)).InitReading(5.0f, 5.0f, 5.0f);
    AddSensor(0);
    ASSERT_EQ(Layout(), "T,S2,M,R,S0");
    ASSERT_TRUE(Data().SortFields());
    EXPECT_EQ(Layout(), "R,T,S0,S2,M");
    Fields().Clear();
    EXPECT_TRUE(Data().SortFields());
}

TEST_F(DataFields, ManualChannelCommand)
{
    CdocFieldKey key;
    ASSERT_TRUE(Data().NewManualField(&key));
    ASSERT_EQ(Fields().Find(key), &At(0));
    EXPECT_EQ(At(0).m_content, CONTENT_MANUAL);
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2005, 0, 1}}));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_ADDED), 1);
    EXPECT_GE(m_owner.m_modified, 1);

    m_owner.m_answer = false; // the user cancels the details dialog
    m_owner.m_hints.clear();
    CdocFieldKey cancelled;
    EXPECT_FALSE(Data().NewManualField(&cancelled));
    EXPECT_TRUE(cancelled.IsEmpty());
    EXPECT_EQ(Fields().GetCount(), 1);
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2005, 1, 1}, {2007, 1, 1}}));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_REMOVED), 1);

    // At the limit the user is told.
    qvtest::CtestBoxes boxes;
    ASSERT_EQ(Fields().Add(19), 19);
    EXPECT_FALSE(Data().NewManualField(&key));
    ASSERT_EQ(boxes.m_calls.size(), 1u);
    EXPECT_EQ(boxes.m_calls[0].text, gumGetString(692));
}

TEST_F(DataFields, FormulaChannelsHoldTheirOwnFormula)
{
    CdocFieldKey key;
    ASSERT_TRUE(Data().AddFormulaField(&key));
    CdocCalcs& calcs = m_doc.m_calcs;
    ASSERT_EQ(calcs.m_count, 1);
    EXPECT_EQ(calcs.GetAt(0)->m_field.m_key, key.m_key);
    EXPECT_EQ(calcs.GetAt(0)->m_order, 0);

    // A cancelled formula channel gives its formula back, so 20 still fit.
    m_owner.m_answer = false;
    EXPECT_FALSE(Data().NewFormulaField(&key, false));
    EXPECT_EQ(calcs.m_count, 1);
    m_owner.m_answer = true;
    for (int i = 0; i < 19; ++i)
        ASSERT_TRUE(Data().NewFormulaField(&key, i == 18)) << i;
    EXPECT_EQ(calcs.m_count, 20);
    EXPECT_EQ(Layout(), "F,F,F,F,F,F,F,F,F,F,F,F,F,F,F,F,F,F,F,F");

    // A full formula set takes the new channel back out.
    Fields().RemoveAt(0);
    m_owner.m_hints.clear();
    EXPECT_FALSE(Data().AddFormulaField(&key));
    EXPECT_EQ(Fields().GetCount(), 19);
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2005, 19, 1}, {2007, 19, 1}}));
}

TEST_F(DataFields, Removals)
{
    Data().AddReadingField(true, true);
    Data().AddTimeField(true, true);
    AddSensor(0);
    At(Fields().Add(1)).InitManual();
    At(Fields().Add(1)).InitTiming(0);
    At(Fields().Add(1)).InitFormula();
    AddSensor(1);
    ASSERT_EQ(Layout(), "T,R,S0,M,?,F,S1");
    m_owner.m_hints.clear();
    Data().RemoveDerivedFields();
    EXPECT_EQ(Layout(), "T,R,S0,?,S1");
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2007, 5, 1}, {2007, 3, 1}}));
    Data().RemoveFieldsOfContent(CONTENT_SENSOR);
    EXPECT_EQ(Layout(), "T,R,?");
    Data().RemoveReadingField();
    EXPECT_EQ(Layout(), "T,?");
    Data().RemoveTimeField();
    Data().RemoveTimeField();
    EXPECT_EQ(Layout(), "?");
    CdocFieldKey key(At(0).m_key, 0, nullptr);
    Data().RemoveField(key);
    Data().RemoveField(key);
    EXPECT_EQ(Fields().GetCount(), 0);

    ASSERT_TRUE(Data().AddFields(3));
    m_owner.m_hints.clear();
    Data().RemoveAllFields();
    Data().RemoveAllFields();
    EXPECT_EQ(m_owner.TableMessages(), (Messages{{2007, 0, 3}}));
}
