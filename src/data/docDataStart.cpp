#include "app/base/gumResCore.h"
#include "data/docData.h"

#include <climits>
#include <cmath>
#include <cstdint>

namespace {

// A text that is wholly a number in base 10 within the int range, else 0.
long WholeNumber(const wxString& text)
{
    long value = 0;
    if (!text.ToLong(&value, 10) || value < INT_MIN || value > INT_MAX)
        return 0;
    return value;
}

bool IsValidDate(int day, int month, int year)
{
    return month >= 1 && month <= 12 && day >= 1 && year >= 1 &&
           day <= wxDateTime::GetNumberOfDays(wxDateTime::Month(month - 1), year);
}

// The local moment of a date and time; invalid when they form none.
wxDateTime MomentOf(int date, int time)
{
    const int day = date % 100;
    const int month = date % 10000 / 100;
    const int year = date / 10000;
    const int hour = time / 10000;
    const int minute = time % 10000 / 100;
    const int second = time % 100;
    wxDateTime moment;
    if (!IsValidDate(day, month, year) || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59)
        return moment;
    moment.Set(wxDateTime::wxDateTime_t(day), wxDateTime::Month(month - 1), year, wxDateTime::wxDateTime_t(hour),
               wxDateTime::wxDateTime_t(minute), wxDateTime::wxDateTime_t(second));
    return moment;
}

int TimeOf(const wxDateTime& moment)
{
    return moment.GetHour() * 10000 + moment.GetMinute() * 100 + moment.GetSecond();
}

int DateOf(const wxDateTime& moment)
{
    return moment.GetYear() * 10000 + (int(moment.GetMonth()) + 1) * 100 + moment.GetDay();
}

} // namespace

wxString docFormatTime(int hhmmss)
{
    if (hhmmss == 0)
        return wxString();
    return wxString::Format("%02d:%02d:%02d", hhmmss / 10000, hhmmss % 10000 / 100, hhmmss % 100);
}

wxString docFormatDate(int yyyymmdd)
{
    if (yyyymmdd == 0)
        return wxString();
    // The string entry holds the twelve three-letter month names in a row;
    // a month of 0 (or below) falls before the first and gives no name.
    const int index = (yyyymmdd % 10000 / 100 - 1) % 12;
    const wxString month = index < 0 ? wxString() : gumGetString(96).Mid(size_t(index) * 3, 3);
    return wxString::Format("%s %2d, %d", month, yyyymmdd % 100, yyyymmdd / 10000);
}

wxString docFormatDateWithDay(int yyyymmdd)
{
    wxString text = docFormatDate(yyyymmdd);
    const int day = yyyymmdd % 100;
    const int month = yyyymmdd % 10000 / 100;
    const int year = yyyymmdd / 10000;
    if (!text.empty() && IsValidDate(day, month, year))
        text += wxDateTime(wxDateTime::wxDateTime_t(day), wxDateTime::Month(month - 1), year).Format(", %a");
    return text;
}

void CdocData::SetStartNow()
{
    if (m_logNext != 0)
        return;
    const wxDateTime now = wxDateTime::Now();
    m_startMoment = now;
    m_startTime = TimeOf(now);
    m_startDate = DateOf(now);
}

void CdocData::UpdateStartDateTime()
{
    m_startMoment = m_startDate > 0 ? MomentOf(m_startDate, m_startTime) : wxDateTime();
}

void CdocData::SetStartDateTime(int date, int time)
{
    if (date < 20060000)
        return;
    m_startDate = date;
    m_startTime = time;
    m_startMoment = MomentOf(date, time);
}

void CdocData::SetStartTimeText(const wxString& text)
{
    m_startTime = int(WholeNumber(text));
}

void CdocData::SetStartDateText(const wxString& text)
{
    const long value = WholeNumber(text);
    if (value >= 1 && value <= 800000)
        m_startDate = int(value + 20000000);
    else if (value >= 800001 && value <= 18999999)
        m_startDate = int(value + 19000000);
    else
        m_startDate = int(value);
}

wxString CdocData::GetStartText() const
{
    wxString text = docFormatDateWithDay(m_startDate);
    const wxString time = docFormatTime(m_startTime);
    if (!time.empty()) {
        if (!text.empty())
            text += " ";
        text += time;
    }
    return text;
}

void CdocData::GetSampleTimeTexts(float seconds, wxString& time, wxString& date) const
{
    time.clear();
    date.clear();
    // A no-value sample or a time beyond any run has no moment.
    if (!m_startMoment.IsValid() || docIsNoValue(seconds) || !(std::fabs(seconds) < 1.0e10f))
        return;
    const wxDateTime moment =
        m_startMoment + wxTimeSpan::Milliseconds(wxLongLong(int64_t(std::trunc(double(seconds))) * 1000));
    time = docFormatTime(TimeOf(moment));
    date = docFormatDateWithDay(DateOf(moment));
}
