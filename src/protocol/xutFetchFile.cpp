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
