// The start time and date of the stored data and their texts.
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>

using qvtest::DataTest;

namespace {

class StartTexts : public DataTest
{
protected:
    void Start(int date, int time)
    {
        Data().m_startDate = date;
        Data().m_startTime = time;
        Data().UpdateStartDateTime();
    }
};

} // namespace

TEST_F(StartTexts, TimeAndDateTexts)
{
    EXPECT_EQ(docFormatTime(93005), "09:30:05");
    EXPECT_EQ(docFormatTime(235959), "23:59:59");
    EXPECT_EQ(docFormatTime(0), "");
    const struct
    {
        int date;
        const char* text;
        const char* withDay;
    } cases[] = {
        {20090305, "Mar  5, 2009", "Mar  5, 2009, Thu"}, // a day below 10 takes two places
        {20241231, "Dec 31, 2024", "Dec 31, 2024, Tue"},
        {20091305, "Jan  5, 2009", "Jan  5, 2009"}, // month 13: the first name, no valid date
        {20090005, "  5, 2009", "  5, 2009"},      // month 0: no name
        {20090230, "Feb 30, 2009", "Feb 30, 2009"},
        {0, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(docFormatDate(c.date), c.text) << c.date;
        EXPECT_EQ(docFormatDateWithDay(c.date), c.withDay) << c.date;
    }
}

// Dates read as text: two-digit years 00 to 80 are this century's, the rest
// of the short forms the last one's.
TEST_F(StartTexts, StartDateAndTimeFromText)
{
    const struct
    {
        const char* text;
        int date;
    } cases[] = {
        {"990102", 19990102}, {"050102", 20050102}, {"19990102", 19990102}, {"800000", 20800000},
        {"800001", 19800001}, {"1", 20000001},       {"0", 0},              {"9.9", 0},
        {"today", 0},         {"99999999999", 0},
    };
    for (const auto& c : cases) {
        Data().m_startDate = 12345;
        Data().SetStartDateText(c.text);
        EXPECT_EQ(Data().m_startDate, c.date) << c.text;
    }
    Data().SetStartTimeText("093005");
    EXPECT_EQ(Data().m_startTime, 93005);
    Data().SetStartTimeText("half past nine");
    EXPECT_EQ(Data().m_startTime, 0);
}

// A logger's start before 2006 is a clock that was never set: the start
// stays as it was.
TEST_F(StartTexts, StartFromALogger)
{
    Start(20240305, 93000);
    const wxDateTime before = Data().m_startMoment;
    Data().SetStartDateTime(20051231, 120000);
    EXPECT_EQ(Data().m_startDate, 20240305);
    EXPECT_EQ(Data().m_startTime, 93000);
    EXPECT_EQ(Data().m_startMoment, before);

    Data().SetStartDateTime(20240401, 153045);
    EXPECT_EQ(Data().m_startDate, 20240401);
    EXPECT_EQ(Data().m_startTime, 153045);
    ASSERT_TRUE(Data().m_startMoment.IsValid());
    EXPECT_EQ(Data().m_startMoment.Format("%Y-%m-%d %H:%M:%S"), "2024-04-01 15:30:45");
    Data().SetStartDateTime(20240431, 153045);
    EXPECT_FALSE(Data().m_startMoment.IsValid());
}

TEST_F(StartTexts, StartAndSampleTexts)
{
    Start(20240305, 93000);
    EXPECT_EQ(Data().GetStartText(), "Mar  5, 2024, Tue 09:30:00");
    wxString time, date;
    Data().GetSampleTimeTexts(59.9f, time, date); // whole seconds only
    EXPECT_EQ(time, "09:30:59");
    EXPECT_EQ(date, "Mar  5, 2024, Tue");

    Start(20240305, 235930);
    Data().GetSampleTimeTexts(45.0f, time, date);
    EXPECT_EQ(time, "00:00:15");
    EXPECT_EQ(date, "Mar  6, 2024, Wed");
    Data().GetSampleTimeTexts(DOC_NO_VALUE, time, date);
    EXPECT_EQ(time + date, "");

    Start(0, 93000);
    EXPECT_EQ(Data().GetStartText(), "09:30:00");
    Data().GetSampleTimeTexts(1.0f, time, date);
    EXPECT_EQ(time + date, "");
    Start(20240305, 0);
    EXPECT_EQ(Data().GetStartText(), "Mar  5, 2024, Tue");
}

TEST_F(StartTexts, StartNowOnlyBeforeTheFirstReading)
{
    Start(20240305, 93000);
    Data().m_logNext = 3;
    Data().SetStartNow();
    EXPECT_EQ(Data().m_startDate, 20240305);
    EXPECT_EQ(Data().m_startTime, 93000);

    Data().m_logNext = 0;
    const wxDateTime now = wxDateTime::Now();
    Data().SetStartNow();
    const wxDateTime& start = Data().m_startMoment;
    EXPECT_LE((start - now).GetSeconds().ToLong(), 5);
    EXPECT_EQ(Data().m_startDate, start.GetYear() * 10000 + (int(start.GetMonth()) + 1) * 100 + start.GetDay());
    EXPECT_EQ(Data().m_startTime, start.GetHour() * 10000 + start.GetMinute() * 100 + start.GetSecond());
}
