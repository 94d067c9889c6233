#include "document/docDoc.h"
#include "support/guiSupport.h"
#include "views/grnDC.h"
#include "views/grnScaleClock.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#include <wx/dcmemory.h>

namespace {

// Sets the local time zone for the life of the object.
class CtestTimeZone
{
public:
    explicit CtestTimeZone(const char* zone)
    {
        const char* old = std::getenv("TZ");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~CtestTimeZone()
    {
        if (m_had)
            ::setenv("TZ", m_old.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    bool m_had = false;
    std::string m_old;
};

class ClockAxis : public testing::Test
{
protected:
    void SetUp() override
    {
        qvtest::CreateApp();
        m_doc = std::make_unique<CdocDoc>();
        m_time.InitElapsedTime();
        m_time.m_doc = m_doc.get();
        m_bitmap = std::make_unique<wxBitmap>(900, 80, 24);
        m_memory = std::make_unique<wxMemoryDC>(*m_bitmap);
        m_memory->SetFont(*wxNORMAL_FONT);
        m_dc.SetDC(m_memory.get());
        m_sample = m_memory->GetTextExtent("Mar 30, 2009");
    }

    void TearDown() override
    {
        m_dc.SetDC(nullptr);
        m_memory.reset();
    }

    // An axis length on which n labels fit.
    int LengthFor(int n) const { return int(std::ceil(m_sample.x * 1.3 * n)) + 1; }

    // An axis over the first seconds after the start, laid out for five labels.
    CgrnScaleClock LaidOut(const wxDateTime& start, float seconds)
    {
        m_doc->m_data.m_startMoment = start;
        m_time.m_now.Set(seconds, 0.0f);
        CgrnScaleClock clock;
        EXPECT_TRUE(clock.Set(&m_time, false, 0, 0));
        EXPECT_TRUE(clock.Layout(m_dc, X, LengthFor(5)));
        return clock;
    }

    static std::vector<std::string> Labels(const CgrnScaleClock& clock)
    {
        std::vector<std::string> labels;
        for (int i = 0; i < clock.m_majorCount; ++i)
            labels.push_back(clock.FormatLabel(clock.m_majorMoments[i]).ToStdString());
        return labels;
    }

    // The majors lie where their seconds after the start put them.
    void ExpectPositions(const CgrnScaleClock& clock, const std::vector<double>& hours, double spanHours)
    {
        ASSERT_EQ(clock.m_majorCount, int(hours.size()));
        const int length = LengthFor(5);
        for (int i = 0; i < clock.m_majorCount; ++i)
            EXPECT_NEAR(clock.m_majorPositions[i], X + length * hours[i] / spanHours, 1.0) << i;
    }

    static constexpr int X = 30;
    std::unique_ptr<CdocDoc> m_doc;
    CdocFieldHdr m_time;
    // Made once the toolkit runs.
    std::unique_ptr<wxBitmap> m_bitmap;
    std::unique_ptr<wxMemoryDC> m_memory;
    CgrnDC m_dc;
    wxSize m_sample;
};

TEST_F(ClockAxis, OnlyAnUnshiftedTimeChannelOfADocumentWithAStart)
{
    const wxDateTime start(5, wxDateTime::Mar, 2024, 10, 0, 0, 250);
    m_doc->m_data.m_startMoment = start;
    m_time.m_now.Set(60.0f, 0.0f);
    CgrnScaleClock clock;
    EXPECT_FALSE(clock.Set(nullptr, false, 0, 0));

    m_time.m_offset = 2.0f;
    EXPECT_FALSE(clock.Set(&m_time, false, 0, 0)) << "a tared time channel";
    m_time.m_offset = 0.0f;

    CdocFieldHdr loose;
    loose.InitElapsedTime();
    EXPECT_FALSE(clock.Set(&loose, false, 0, 0)) << "no document";

    m_doc->m_data.m_startMoment = wxDateTime();
    EXPECT_FALSE(clock.Set(&m_time, false, 0, 0)) << "no start moment";

    m_doc->m_data.m_startMoment = start;
    m_time.m_now.Set(0.0f, 0.0f);
    EXPECT_FALSE(clock.Set(&m_time, false, 0, 0)) << "no span of time";

    m_time.m_now.Set(60000.0f, 0.0f);
    m_time.m_def.Set(120000.0f, 0.0f);
    m_time.m_gain = 1000.0f; // milliseconds
    ASSERT_TRUE(clock.Set(&m_time, true, 1, 1));
    EXPECT_EQ(clock.m_side, 1);
    EXPECT_EQ(clock.m_large, 1);
    EXPECT_EQ(clock.m_start.GetMillisecond(), 0);
    EXPECT_FLOAT_EQ(clock.m_range.m_max, 120.0f);
    EXPECT_EQ(clock.m_firstText, "Mar 05, 2024, 10:00:00");
    EXPECT_EQ(clock.m_lastText, "Mar 05, 2024, 10:02:00");
}

TEST_F(ClockAxis, GainsTurnIntoSeconds)
{
    // Whole seconds stay exactly whole, so that the last moment is not
    // rounded up a second too far.
    struct Case
    {
        float gain;
        float max;
        float seconds;
    };
    const Case cases[] = {{1000000.0f, 120000000.0f, 120.0f}, {1000.0f, 120000.0f, 120.0f}, {1.0f, 120.0f, 120.0f},
                          {1.0f / 60.0f, 2.0f, 120.0f},          {1.0f / 3600.0f, 0.5f, 1800.0f},
                          {1.0f / 86400.0f, 0.25f, 21600.0f},    {10.0f, 1200.0f, 120.0f},
                          {4.0f, 480.0f, 120.0f}};
    for (const Case& c : cases) {
        CgrnScaleClock clock;
        clock.m_range.Set(c.max, -c.max);
        clock.ToSeconds(c.gain);
        EXPECT_EQ(clock.m_range.m_max, c.seconds) << c.gain;
        EXPECT_EQ(clock.m_range.m_min, -c.seconds) << c.gain;
    }
    // A gain of 0 gives no range to draw rather than infinite moments.
    m_doc->m_data.m_startMoment = wxDateTime(5, wxDateTime::Mar, 2024, 10, 0, 0);
    m_time.m_gain = 0.0f;
    CgrnScaleClock clock;
    EXPECT_FALSE(clock.Set(&m_time, false, 0, 0));
}

TEST_F(ClockAxis, StepsFromSecondsToYears)
{
    struct Case
    {
        const char* name;
        double seconds;
        const char* unit;
        bool calendar;
    };
    const Case cases[] = {
        {"a minute", 60, "seconds", false},         {"an hour", 3600, "minutes", false},
        {"half a day", 43200, "hours", false},      {"three days", 3 * 86400, "days", true},
        {"two months", 60 * 86400, "weeks", true},  {"200 days", 200 * 86400, "months", true},
        {"three years", 3 * 365 * 86400.0, "months", true}, {"ten years", 3650 * 86400.0, "years", true},
    };
    const wxDateTime start(5, wxDateTime::Mar, 2024, 10, 0, 0);
    for (const Case& c : cases) {
        const CgrnScaleClock clock = LaidOut(start, float(c.seconds));
        EXPECT_EQ(clock.m_unitName, c.unit) << c.name;
        EXPECT_EQ(clock.m_majorIsSpan, c.calendar) << c.name;
        EXPECT_GE(clock.m_majorCount, 2) << c.name;
        EXPECT_LE(clock.m_majorCount, 6) << c.name;
        for (const std::string& label : Labels(clock))
            EXPECT_EQ(label.find(", 20") != std::string::npos, c.calendar) << c.name << ": " << label;
    }
}

TEST_F(ClockAxis, SecondsAxisLabelsTheTimeWithSeconds)
{
    // 0 to 60 s for five labels: 12 s each, so a 30 s step.
    const CgrnScaleClock clock = LaidOut(wxDateTime(5, wxDateTime::Mar, 2024, 10, 0, 0), 60.0f);
    EXPECT_EQ(clock.m_step, 30000);
    EXPECT_EQ(clock.m_unit, 1.0f);
    EXPECT_EQ(Labels(clock), (std::vector<std::string>{"10:00:00", "10:00:30", "10:01:00"}));
    ExpectPositions(clock, {0.0, 0.5, 1.0}, 1.0);
    EXPECT_EQ(clock.m_minorCount, 6);
    EXPECT_EQ(clock.m_minorStep, 5000);
    // Five seconds apart, with the one under the first major at the start
    // (the walk starts a step earlier).
    EXPECT_EQ(clock.m_minorTickCount, 13);

    // A one-second step is divided into tenths.
    const CgrnScaleClock fine = LaidOut(wxDateTime(5, wxDateTime::Mar, 2024, 10, 0, 0), 5.0f);
    EXPECT_EQ(fine.m_step, 1000);
    EXPECT_EQ(fine.m_minorStep, 100);
    EXPECT_EQ(fine.m_majorCount, 6);
    EXPECT_EQ(fine.m_minorTickCount, 51);
    EXPECT_EQ(Labels(fine).back(), "10:00:05");
}

TEST_F(ClockAxis, HoursStayOnWholeHoursAndEarlierTicksAreNotStored)
{
    // 09:20 plus 12 h: a 4-hour step from midnight; 08:00 lies before the axis.
    const CgrnScaleClock clock = LaidOut(wxDateTime(5, wxDateTime::Mar, 2024, 9, 20, 0), 43200.0f);
    EXPECT_EQ(clock.m_unitName, "hours");
    EXPECT_EQ(Labels(clock), (std::vector<std::string>{"12:00", "16:00", "20:00"}));
    ExpectPositions(clock, {8.0 / 3.0, 20.0 / 3.0, 32.0 / 3.0}, 12.0);
    EXPECT_EQ(clock.m_firstTick.GetHour(), 8);
}

TEST_F(ClockAxis, DaysTickAtMidnightWithDatesAndSixHourMinors)
{
    const CgrnScaleClock clock = LaidOut(wxDateTime(5, wxDateTime::Mar, 2024, 6, 0, 0), 3 * 86400.0f);
    EXPECT_EQ(Labels(clock), (std::vector<std::string>{"Mar 06, 2024", "Mar 07, 2024", "Mar 08, 2024"}));
    ExpectPositions(clock, {18.0, 42.0, 66.0}, 72.0);
    EXPECT_EQ(clock.m_minorCount, 4);
    EXPECT_EQ(clock.m_minorTickCount, 13) << "06:00 to 06:00 three days later, every 6 hours";
}

TEST_F(ClockAxis, TwoHourStepsAcrossTheSpringChangeInLondon)
{
    CtestTimeZone zone("Europe/London");
    // 23:00 GMT on 30 March 2024; at 01:00 the clocks went forward to 02:00.
    const CgrnScaleClock clock = LaidOut(wxDateTime(30, wxDateTime::Mar, 2024, 23, 0, 0), 36000.0f);
    EXPECT_EQ(Labels(clock),
              (std::vector<std::string>{"Mar 31, 2024", "02:00", "04:00", "06:00", "08:00", "10:00"}));
    // Hours after the start: midnight is 1, 02:00 summer time only 2.
    ExpectPositions(clock, {1.0, 2.0, 4.0, 6.0, 8.0, 10.0}, 10.0);
}

TEST_F(ClockAxis, TwoHourStepsAcrossTheAutumnChangeInNewYork)
{
    CtestTimeZone zone("America/New_York");
    // 23:00 on 2 November 2024; at 02:00 the clocks went back to 01:00.
    const CgrnScaleClock clock = LaidOut(wxDateTime(2, wxDateTime::Nov, 2024, 23, 0, 0), 36000.0f);
    EXPECT_EQ(Labels(clock), (std::vector<std::string>{"Nov 03, 2024", "02:00", "04:00", "06:00", "08:00"}));
    ExpectPositions(clock, {1.0, 4.0, 6.0, 8.0, 10.0}, 10.0);
}

TEST_F(ClockAxis, DaysStayOnMidnightsAcrossTheSpringChange)
{
    CtestTimeZone zone("Europe/London");
    const CgrnScaleClock clock = LaidOut(wxDateTime(30, wxDateTime::Mar, 2024, 0, 0, 0), 3 * 86400.0f);
    EXPECT_EQ(Labels(clock),
              (std::vector<std::string>{"Mar 30, 2024", "Mar 31, 2024", "Apr 01, 2024", "Apr 02, 2024"}));
    // The day of the change has 23 hours.
    ExpectPositions(clock, {0.0, 24.0, 47.0, 71.0}, 72.0);
    // Minors at 00, 06, 12 and 18 local: 06:00 on the day of the change is
    // 29 hours after the start.
    const int length = LengthFor(5);
    bool found = false;
    for (int i = 0; i < clock.m_minorTickCount; ++i)
        found = found || std::abs(clock.m_minorPositions[i] - (X + length * 29.0 / 72.0)) <= 1.0;
    EXPECT_TRUE(found);
}

TEST_F(ClockAxis, DrawsLabelsAtTheStoredPositions)
{
    const CgrnScaleClock clock = LaidOut(wxDateTime(5, wxDateTime::Mar, 2024, 10, 0, 0), 60.0f);
    m_memory->SetBackground(*wxWHITE_BRUSH);
    m_memory->Clear();
    m_memory->SetPen(*wxBLACK_PEN);
    m_memory->SetTextForeground(*wxBLACK);
    const int y = 10;
    EXPECT_TRUE(clock.DrawAxis(m_dc, X, y, LengthFor(5)));
    m_memory->SelectObject(wxNullBitmap);
    const wxImage image = m_bitmap->ConvertToImage();
    m_memory->SelectObject(*m_bitmap);

    const int labelTop = y + 7;
    for (int i = 0; i < clock.m_majorCount; ++i) {
        const int p = clock.m_majorPositions[i];
        EXPECT_LT(image.GetRed(p, y + 3), 128) << "major tick " << i;
        int left = image.GetWidth();
        int right = -1;
        for (int yy = labelTop; yy < labelTop + m_sample.y; ++yy)
            for (int xx = std::max(0, p - 60); xx < std::min(image.GetWidth(), p + 60); ++xx)
                if (image.GetRed(xx, yy) < 128) {
                    left = std::min(left, xx);
                    right = std::max(right, xx);
                }
        ASSERT_GE(right, left) << i;
        EXPECT_NEAR((left + right) / 2.0, p, 2.0) << "label " << i;
    }

    int widest = m_memory->GetTextExtent("88").x;
    for (const std::string& label : Labels(clock))
        widest = std::max(widest, m_memory->GetTextExtent(label).x);
    EXPECT_EQ(clock.GetAxisWidth(m_dc), widest + 7);
    EXPECT_EQ(clock.GetAxisHeight(m_dc), 7 + m_sample.y);
}

} // namespace
