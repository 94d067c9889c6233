#include "data/docData.h"

#include <climits>

namespace {

// A text that is wholly a number in base 10 within the int range, else 0.
long WholeNumber(const wxString& text)
{
    long value = 0;
    if (!text.ToLong(&value, 10) || value < INT_MIN || value > INT_MAX)
        return 0;
    return value;
}

} // namespace

void CdocData::SetStartNow()
{
    if (m_logNext != 0)
        return;
    const wxDateTime now = wxDateTime::Now();
    m_startMoment = now;
    m_startTime = now.GetHour() * 10000 + now.GetMinute() * 100 + now.GetSecond();
    m_startDate = now.GetYear() * 10000 + (int(now.GetMonth()) + 1) * 100 + now.GetDay();
}

void CdocData::UpdateStartDateTime()
{
    m_startMoment = wxDateTime();
    if (m_startDate <= 0)
        return;
    const int day = m_startDate % 100;
    const int month = m_startDate % 10000 / 100;
    const int year = m_startDate / 10000;
    const int hour = m_startTime / 10000;
    const int minute = m_startTime % 10000 / 100;
    const int second = m_startTime % 100;
    if (month < 1 || month > 12 || day < 1 || day > wxDateTime::GetNumberOfDays(wxDateTime::Month(month - 1), year) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return;
    m_startMoment.Set(wxDateTime::wxDateTime_t(day), wxDateTime::Month(month - 1), year, wxDateTime::wxDateTime_t(hour),
                      wxDateTime::wxDateTime_t(minute), wxDateTime::wxDateTime_t(second));
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
