// Channel picker lists, choice lists and the table settings.
#include "data/docFieldA.h"
#include "data/opsTestSupport.h"
#include "support/testBoxes.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

using qvtest::MakeSensor;
using qvtest::OpsTest;

namespace {

class Pickers : public OpsTest
{
protected:
    CdocField& AddSensor(int input, bool present = true)
    {
        CdocField& field = At(Fields().Add(1));
        const CxhwSensor sensor = present ? MakeSensor(10 + input, 1) : CxhwSensor();
        field.InitSensor(input, sensor);
        m_doc.m_boxInfo.m_sensors[input] = sensor;
        return field;
    }
    void AddReadingAndTime()
    {
        ASSERT_TRUE(Data().AddTimeField(false, false));
        ASSERT_TRUE(Data().AddReadingField(false, false));
    }
    // A start known and the time-and-date display switched on.
    void KnowTheStart()
    {
        m_doc.m_viewTimeAndDate = true;
        Data().m_startDate = 20240305;
        Data().m_startTime = 93000;
    }
    // The channel keys of a list, 0 for the time-and-date entry.
    static std::vector<int> Keys(const CdocFieldList& list)
    {
        std::vector<int> out;
        for (int i = 0; i < list.m_count; ++i)
            out.push_back(list.m_keys[i].m_key);
        return out;
    }
    static std::vector<int> Keys(const CdocFieldA& list)
    {
        std::vector<int> out;
        for (int i = 0; i < list.m_count; ++i)
            out.push_back(list.m_entries[i].m_key);
        return out;
    }
    int KeyOfContent(int content)
    {
        CdocFieldKey key;
        return Fields().FindContent(key, 0, content) ? key.m_key : -1;
    }
};

TEST_F(Pickers, ChoiceListWithExtraEntries)
{
    AddReadingAndTime();
    CdocField& sensor = AddSensor(0);
    sensor.m_colour = CdocColour(10, 20, 30);
    Data().m_records = 7;
    CdocFieldA list;
    list.m_addNone = true;
    list.m_addTimeAndDate = true;
    list.Fill(&m_doc, nullptr);
    ASSERT_EQ(list.m_count, 5);
    EXPECT_EQ(Keys(list), (std::vector<int>{KeyOfContent(CONTENT_READING), KeyOfContent(CONTENT_ELAPSED_TIME),
                                            sensor.m_key, 0, 0}));
    EXPECT_EQ(list.m_entries[2].m_kind, FIELDA_CHANNEL);
    EXPECT_STREQ(list.m_entries[2].m_title, sensor.GetTitle(0).utf8_str());
    EXPECT_EQ(list.m_entries[2].m_blue, 30);
    EXPECT_EQ(list.m_entries[0].m_red, 0); // no colour chosen
    EXPECT_EQ(list.m_entries[3].m_kind, FIELDA_NONE);
    EXPECT_STREQ(list.m_entries[3].m_title, "None");
    EXPECT_EQ(list.m_entries[4].m_kind, FIELDA_TIME_AND_DATE);
    EXPECT_STREQ(list.m_entries[4].m_title, "Time and Date");
    EXPECT_EQ(list.m_records, 7);
    EXPECT_EQ(list.IndexOfField(nullptr), 3);
    EXPECT_EQ(list.SelectField(&sensor), 2);
    EXPECT_EQ(list.GetSelectedField(&m_doc), &sensor);
    auto stray = std::make_unique<CdocField>(); // a channel of no document
    stray->AssignNewKey();
    EXPECT_EQ(list.SelectField(stray.get()), -1);
    EXPECT_EQ(list.m_selected, 2);
    EXPECT_EQ(list.IndexOfKey(CdocFieldKey()), -1);
    EXPECT_EQ(list.GetKey(9).m_key, 0);
    EXPECT_EQ(list.GetField(&m_doc, 5), nullptr);

    CdocFieldA plain;
    plain.m_includeReadingTime = false;
    plain.Fill(&m_doc, nullptr);
    EXPECT_EQ(Keys(plain), (std::vector<int>{sensor.m_key}));
    CdocFieldA excluding;
    excluding.Fill(&m_doc, &sensor);
    EXPECT_EQ(excluding.m_count, 2);
}

TEST_F(Pickers, ChoiceListLeavesOutSensorsThatCannotGiveValues)
{
    CdocField& present = AddSensor(0);
    AddSensor(1, false);
    CdocField& disabled = AddSensor(2);
    disabled.m_fieldEnable = false;
    CdocFieldA list;
    list.m_includeAll = false;
    list.Fill(&m_doc, nullptr);
    EXPECT_EQ(Keys(list), (std::vector<int>{present.m_key}));
    CdocFieldA all;
    all.Fill(&m_doc, nullptr);
    EXPECT_EQ(all.m_count, 3);
}

TEST_F(Pickers, AxisChoices)
{
    AddReadingAndTime();
    CdocField& a = AddSensor(0);
    CdocField& b = AddSensor(1);
    KnowTheStart();
    CdocFieldList list;
    list.FillAxisChoices(&m_doc);
    EXPECT_EQ(Keys(list), (std::vector<int>{KeyOfContent(CONTENT_ELAPSED_TIME), 0, a.m_key, b.m_key}));
    EXPECT_EQ(list.IndexOfKey(CdocFieldKey()), -1);
    EXPECT_EQ(list.IndexOfKey(KeyOf(b)), 3);
    EXPECT_EQ(list.GetField(&m_doc, 2), &a);
    EXPECT_EQ(list.GetField(&m_doc, 1), nullptr);
    EXPECT_EQ(list.GetField(&m_doc, 4), nullptr);

    list.FillAll(&m_doc);
    EXPECT_EQ(Keys(list),
              (std::vector<int>{KeyOfContent(CONTENT_READING), KeyOfContent(CONTENT_ELAPSED_TIME), a.m_key, b.m_key}));
    a.m_show = false;
    list.FillShown(&m_doc);
    EXPECT_EQ(Keys(list), (std::vector<int>{b.m_key}));
    m_doc.m_graph.m_axisX = KeyOf(a);
    list.FillShown(&m_doc);
    EXPECT_EQ(Keys(list), (std::vector<int>{a.m_key, b.m_key}));
}

// The axis choices offer "Time and Date" (the empty entry after the time
// channel) when the start is known and the user level allows it.
TEST_F(Pickers, AxisChoicesOfferTimeAndDateWhenTheStartIsKnown)
{
    AddReadingAndTime();
    CdocField& a = AddSensor(0);
    const int time = KeyOfContent(CONTENT_ELAPSED_TIME);
    const struct
    {
        const char* what;
        bool view;
        int level;
        int date;
        std::vector<int> keys;
    } cases[] = {
        {"start known", true, 4, 20240305, {time, 0, a.m_key}},
        {"display switched off", false, 4, 20240305, {time, a.m_key}},
        {"level without the feature", true, 2, 20240305, {time, a.m_key}},
        {"start date unknown", true, 4, 0, {time, a.m_key}},
    };
    for (const auto& c : cases) {
        KnowTheStart();
        m_doc.m_viewTimeAndDate = c.view;
        Data().m_startDate = c.date;
        m_options.SetUserLevel(c.level);
        CdocFieldList list;
        list.FillAxisChoices(&m_doc);
        EXPECT_EQ(Keys(list), c.keys) << c.what;
        list.FillTableShown(&m_doc);
        EXPECT_EQ(Keys(list), c.keys) << c.what;
    }
}

TEST_F(Pickers, ValueAndTableChoicesByState)
{
    AddReadingAndTime();
    CdocField& a = AddSensor(0);
    CdocField& gone = AddSensor(1, false);
    CdocField& manual = AddManual({1}, "M");
    m_doc.m_boxInfo.m_info.m_maxSensors = 99; // from a logger: never past the six inputs
    CdocFieldList list;
    list.FillValueChoices(&m_doc);
    EXPECT_EQ(Keys(list), (std::vector<int>{a.m_key, manual.m_key}));
    list.FillTableChoices(&m_doc, false);
    EXPECT_EQ(Keys(list), (std::vector<int>{a.m_key}));
    list.FillTableChoices(&m_doc, true);
    EXPECT_EQ(Keys(list), (std::vector<int>{KeyOfContent(CONTENT_ELAPSED_TIME), a.m_key, manual.m_key}));

    m_doc.m_state = DOC_STATE_STOPPED;
    manual.m_show = false;
    gone.m_show = true; // a channel that held a sensor during the run
    list.FillValueChoices(&m_doc);
    EXPECT_EQ(Keys(list), (std::vector<int>{a.m_key, gone.m_key}));
    list.FillTableChoices(&m_doc, false);
    EXPECT_EQ(Keys(list), (std::vector<int>{a.m_key, gone.m_key}));
    KnowTheStart();
    list.FillTableShown(&m_doc);
    EXPECT_EQ(Keys(list), (std::vector<int>{KeyOfContent(CONTENT_ELAPSED_TIME), 0, a.m_key, gone.m_key}));
}

// Twenty channels, the time-and-date entry, "None": every list holds them
// all and nothing is written past its end.
TEST_F(Pickers, FullDocuments)
{
    KnowTheStart();
    for (bool withTime : {false, true}) {
        Data().RemoveAllFields();
        if (withTime) {
            ASSERT_TRUE(Data().AddTimeField(false, false));
        }
        while (Fields().GetCount() < DOC_MAX_FIELDS)
            AddManual({1}, wxString(char('a' + Fields().GetCount())));
        // The time-and-date entry needs an elapsed-time channel.
        const int entries = withTime ? DOC_MAX_FIELDS + 1 : DOC_MAX_FIELDS;
        CdocFieldList list;
        list.FillAxisChoices(&m_doc);
        EXPECT_EQ(list.m_count, entries) << withTime;
        list.FillTableChoices(&m_doc, true);
        EXPECT_EQ(list.m_count, entries) << withTime;
        list.FillTableShown(&m_doc);
        EXPECT_EQ(list.m_count, entries) << withTime;
        EXPECT_EQ(list.m_keys[entries - 1].m_key, Fields().GetAt(DOC_MAX_FIELDS - 1)->m_key);

        CdocFieldA choices;
        choices.m_addNone = choices.m_addTimeAndDate = true;
        choices.Fill(&m_doc, nullptr);
        ASSERT_EQ(choices.m_count, DOC_MAX_FIELDS + 2) << withTime;
        EXPECT_EQ(choices.m_entries[DOC_MAX_FIELDS].m_kind, FIELDA_NONE);
        EXPECT_EQ(choices.m_entries[DOC_MAX_FIELDS + 1].m_kind, FIELDA_TIME_AND_DATE);
        // A second fill appends: the full list takes nothing more.
        choices.Fill(&m_doc, nullptr);
        choices.FillFromList(&m_doc, list);
        EXPECT_EQ(choices.m_count, DOC_MAX_FIELDS + 2);
        EXPECT_EQ(choices.m_entries[DOC_MAX_FIELDS + 1].m_kind, FIELDA_TIME_AND_DATE);
    }
    // A count set from outside never leads a look-up past the entries.
    CdocFieldList list;
    list.m_count = 1000;
    EXPECT_EQ(list.GetField(&m_doc, 500), nullptr);
    EXPECT_EQ(list.IndexOfKey(CdocFieldKey(987654, -1, nullptr)), -1);
    CdocFieldA choices;
    choices.m_count = 1000;
    EXPECT_EQ(choices.GetField(&m_doc, 500), nullptr);
    EXPECT_EQ(choices.IndexOfField(nullptr), 0);
}

TEST_F(Pickers, ColumnTextsFromAList)
{
    CdocField& a = AddManual({12.5}, "Temperature", "C");
    a.m_places = 1;
    a.m_cal.Set(100, -20);
    a.m_now.Set(50, 0);
    a.m_def.Set(1000, 0);
    CdocField& b = AddManual({1}, "Gone");
    CdocFieldList list;
    list.FillAll(&m_doc);
    ASSERT_TRUE(Data().DeleteField(KeyOf(b)));
    CdocFieldA columns;
    columns.FillFromList(&m_doc, list);
    ASSERT_EQ(columns.m_count, 1);
    const CdocFieldAEntry& entry = columns.m_entries[0];
    EXPECT_STREQ(entry.m_name, "Temperature");
    EXPECT_STREQ(entry.m_units, "C");
    EXPECT_STREQ(entry.m_title, "");
    // "100.0> " and "-20.0< " are the longest; of equally long texts the first counts.
    EXPECT_STREQ(entry.m_width, "100.0> ");
}

TEST_F(Pickers, LongTextsAreCutToTheirField)
{
    AddManual({1}, wxString('x', 300), wxString('u', 300));
    CdocFieldList list;
    list.FillAll(&m_doc);
    CdocFieldA columns;
    columns.FillFromList(&m_doc, list);
    EXPECT_EQ(std::strlen(columns.m_entries[0].m_name), size_t(DOC_FIELDA_TEXT - 1));
    EXPECT_EQ(std::strlen(columns.m_entries[0].m_units), size_t(DOC_FIELDA_TEXT - 1));
}

TEST_F(Pickers, TableSettings)
{
    const CdocTable& table = m_doc.m_table;
    EXPECT_TRUE(table.m_font.empty()); // the default drawing font
    EXPECT_TRUE(table.m_colour);
    EXPECT_TRUE(table.m_elapsed);
    EXPECT_TRUE(table.m_date);
    qvtest::CtestBoxes boxes;
    EXPECT_TRUE(m_doc.m_table.ShowNotImplemented());
    ASSERT_EQ(boxes.m_calls.size(), 1u);
    EXPECT_EQ(boxes.m_calls[0].kind, zxBOX_INFO);
    EXPECT_EQ(boxes.m_calls[0].text, "Not implemented yet");
}

} // namespace
