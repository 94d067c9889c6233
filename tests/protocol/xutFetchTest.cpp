// The stored-file mailbox: the list and its order, the file names and dates,
// and the header hand-over.
#include "app/base/gumResCore.h"
#include "protocol/xutFetch.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class Mailbox : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_res.LoadStrings()); }

    static CxutFetchFile File(int number, int date, int time)
    {
        CxutFetchFile file;
        file.SetNumber(number);
        file.m_date = date;
        file.m_time = time;
        return file;
    }

    std::vector<int> Numbers()
    {
        std::vector<int> out;
        for (int i = 0; i < m_fetch.GetCount(); ++i) {
            CxutFetchFile file;
            EXPECT_TRUE(m_fetch.GetFile(i, file));
            out.push_back(file.m_number);
        }
        return out;
    }

    CgumResCore m_res;
    CxutFetch m_fetch;
};

} // namespace

// Loggers give years of two or four digits; a clock never set gives a date
// before 2004, which clears the time as well.
TEST(FetchFileDate, TwoAndFourDigitYears)
{
    struct Case
    {
        int date, time, wantDate, wantTime;
    } cases[] = {
        {150715, 134530, 20150715, 134530}, // year 15 of two digits
        {800000, 1, 20800000, 1},           // two digits up to 80000 are of the 2000s
        {990102, 120000, 0, 0},             // year 99 is 1999: before 2004
        {20031231, 235959, 0, 0},           // four digits, 2003
        {20040101, 90000, 20040101, 90000}, // four digits, 2004
        {0, 120000, 0, 0},                  // no date: no time either
        {-5, 120000, 0, 0},
    };
    for (const Case& c : cases) {
        CxutFetchFile file;
        file.SetDateTime(c.date, c.time);
        EXPECT_EQ(file.m_date, c.wantDate) << c.date;
        EXPECT_EQ(file.m_time, c.wantTime) << c.date;
    }
}

TEST_F(Mailbox, FilesAreNamedByLetterOrPlace)
{
    CxutFetchFile file;
    file.SetNumber(27);
    EXPECT_EQ(file.m_name, "File B");
    file.SetNumber(0);
    EXPECT_EQ(file.m_name, "File A");
    EXPECT_EQ(file.m_kind, 0);

    m_fetch.AddFile(File(7, 0, 0));
    m_fetch.AddFile(File(3, 0, 0));
    m_fetch.NumberFileNames();
    CxutFetchFile second;
    ASSERT_TRUE(m_fetch.GetFile(1, second));
    EXPECT_EQ(second.m_name, "File 2");
    EXPECT_EQ(second.m_number, 3);
}

// Newest date first, then newest time; of two equal ones the earlier listed
// stays first.
TEST_F(Mailbox, SortsNewestFirst)
{
    m_fetch.AddFile(File(1, 20090101, 120000));
    m_fetch.AddFile(File(2, 20090301, 90000));
    m_fetch.AddFile(File(3, 20090301, 100000));
    m_fetch.AddFile(File(4, 20090101, 120000));
    m_fetch.AddFile(File(5, 0, 0));
    m_fetch.SortNewestFirst();
    EXPECT_EQ(Numbers(), (std::vector<int>{3, 2, 1, 4, 5}));
}

TEST_F(Mailbox, KeepsTheFirstFiftyFiles)
{
    m_fetch.SetListResult(-2);
    m_fetch.ClearFiles();
    for (int i = 0; i < 55; ++i)
        m_fetch.AddFile(File(i, 0, 0));
    ASSERT_EQ(m_fetch.GetCount(), 50);
    EXPECT_EQ(Numbers().back(), 49);

    CxutFetchFile untouched = File(99, 20100101, 10101);
    EXPECT_FALSE(m_fetch.GetFile(50, untouched));
    EXPECT_FALSE(m_fetch.GetFile(-1, untouched));
    EXPECT_EQ(untouched.m_number, 99);
    EXPECT_EQ(untouched.m_date, 20100101);
    EXPECT_EQ(m_fetch.GetListResult(), -2); // the list result is the lister's to set

    m_fetch.ClearFiles();
    EXPECT_EQ(m_fetch.GetCount(), 0);
}

// The header goes over once; taking it again copies the same header and says
// it was not waiting. A file read into a header changes only its file part.
TEST_F(Mailbox, HeaderIsTakenOnce)
{
    CxutFetchHeader header;
    EXPECT_FALSE(m_fetch.TakeHeader(header)); // none set yet
    EXPECT_EQ(m_fetch.GetHeaderState(), 0);

    CxutFetchHeader sent;
    sent.SetNumber(3);
    sent.m_readings = 100;
    sent.m_interval = 0.5;
    sent.m_title = "Pond";
    sent.m_sensors[1].m_idCode = 69;
    m_fetch.SetHeader(sent);
    EXPECT_EQ(m_fetch.GetHeaderState(), 1);
    ASSERT_TRUE(m_fetch.TakeHeader(header));
    EXPECT_EQ(m_fetch.GetHeaderState(), 2);
    CxutFetchHeader again;
    EXPECT_FALSE(m_fetch.TakeHeader(again));
    for (const CxutFetchHeader* h : {&header, &again}) {
        EXPECT_EQ(h->m_number, 3);
        EXPECT_EQ(h->m_name, "File D");
        EXPECT_EQ(h->m_readings, 100);
        EXPECT_EQ(h->m_interval, 0.5);
        EXPECT_EQ(h->m_title, "Pond");
        EXPECT_EQ(h->m_sensors[1].m_idCode, 69);
    }

    m_fetch.AddFile(File(5, 20120304, 50607));
    ASSERT_TRUE(m_fetch.GetFile(0, header));
    EXPECT_EQ(header.m_number, 5);
    EXPECT_EQ(header.m_date, 20120304);
    EXPECT_EQ(header.m_readings, 100);

    m_fetch.SetProgress(57);
    m_fetch.SetResult(13);
    EXPECT_TRUE(m_fetch.IsResultReady());
    EXPECT_EQ(m_fetch.GetResult(), 13);
    m_fetch.ResetResult();
    EXPECT_FALSE(m_fetch.IsResultReady());
    EXPECT_EQ(m_fetch.GetResult(), 0);
    EXPECT_EQ(m_fetch.GetHeaderState(), 0);
    EXPECT_EQ(m_fetch.GetProgress(), 57);
}
