#include "protocol/xutFetchFile.h"

#include "app/base/gumResCore.h"

#include <wx/intl.h>

void CxutFetchFile::SetNumber(int32_t n)
{
    m_number = n;
    m_date = 0;
    m_time = 0;
    m_kind = 0;
    MakeName();
}

void CxutFetchFile::MakeName()
{
    const wxString letters = _("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    m_name = gumGetString(351) + " ";
    if (!letters.empty() && m_number >= 0)
        m_name += letters[size_t(m_number) % letters.length()];
}

void CxutFetchFile::SetDateTime(int32_t date, int32_t time)
{
    if (date > 0 && date <= 18999999)
        date += date > 800000 ? 19000000 : 20000000;
    if (date <= 20039999) {
        date = 0;
        time = 0;
    }
    m_date = date;
    m_time = time;
}
