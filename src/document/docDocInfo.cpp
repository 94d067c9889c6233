// The document's information text and its time-and-date texts.
#include "app/appOptions.h"
#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"

#include <algorithm>
#include <wx/intl.h>

namespace {

// The name of a kind of run (log type 1 to 6); empty for any other.
wxString RunName(int logType)
{
    static const int kNames[] = {33, 34, 35, 39, 2425, 2449};
    if (logType < 1 || logType > 6)
        return wxString();
    return gumGetString(kNames[logType - 1]);
}

void AddLabel(wxString& text, const wxString& label, const wxString& value)
{
    text << " " << label << ": " << value << gumGetNewLine();
}

} // namespace

wxString& CdocDoc::GetInformationText(wxString& text)
{
    const wxString newLine = gumGetNewLine();
    CdocData& data = m_data;
    AddLabel(text, _("File"), m_owner ? m_owner->GetDocFileName() : wxString());
    text << newLine;
    AddLabel(text, gumGetString(910), m_title);
    text << newLine;
    if (data.m_logType >= 1 && data.m_logType <= 6) {
        AddLabel(text, gumGetString(911), RunName(data.m_logType));
        text << newLine;
    }
    if (data.m_startDate != 0 && data.m_startTime != 0) {
        AddLabel(text, gumGetString(912), docFormatTime(data.m_startTime));
        AddLabel(text, gumGetString(913), docFormatDate(data.m_startDate));
        text << newLine;
    }
    if (data.m_interval > 0.0) {
        AddLabel(text, gumGetString(914), docFormatDuration(float(data.m_interval)));
        if (data.m_records > 0)
            AddLabel(text, gumGetString(915), docFormatDuration(float((data.m_records - 1) * data.m_interval)));
        text << newLine;
    }
    AddLabel(text, gumGetString(916), wxString::Format("%d", std::max(data.m_records, 0)));
    text << newLine;

    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    CdocField* x = m_graph.GetFieldX();
    for (int i = 0; i < data.m_fields.GetCount(); ++i) {
        CdocField& field = *data.m_fields.GetAt(i);
        field.GetInfoText(text, records, data.m_fields.GetLetterNumber(&field));
        if (field.m_content != CONTENT_READING && field.m_content != CONTENT_ELAPSED_TIME) {
            if (&field == x)
                text << " " << _("Best fit 'x' channel") << newLine;
            else {
                field.FitStraightLine(records, x);
                if (!field.m_fitLabel.empty())
                    AddLabel(text, gumGetString(2489), field.m_fitLabel);
            }
        }
        text << newLine;
    }
    return text;
}

bool CdocDoc::HasStartDateTime() const
{
    CdocFieldKey key;
    return m_data.m_startTime != 0 && m_data.m_startDate != 0 &&
           m_data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME);
}

bool CdocDoc::CanShowTimeAndDate()
{
    if (!m_viewTimeAndDate || !appIsAllowed(FEATURE_TIME_AND_DATE) || m_data.m_startTime == 0 ||
        m_data.m_startDate == 0)
        return false;
    if (m_tool.m_now.m_active) {
        wxString date;
        wxString time;
        return m_tool.GetCursorDateTime(date, time);
    }
    CdocFieldKey key;
    return m_data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME);
}

bool CdocDoc::CanShowTableTimeAndDate() const
{
    return m_viewTimeAndDate && appIsAllowed(FEATURE_TIME_AND_DATE) && appIsAllowed(FEATURE_TABLE_TIME_AND_DATE) &&
           HasStartDateTime();
}

bool CdocDoc::GetTimeAndDateText(wxString& time, wxString& date)
{
    time.clear();
    date.clear();
    if (!m_viewTimeAndDate || !appIsAllowed(FEATURE_TIME_AND_DATE) || m_data.m_startTime == 0 ||
        m_data.m_startDate == 0)
        return false;
    if (m_tool.m_now.m_active)
        return m_tool.GetCursorDateTime(date, time);
    if (m_state == DOC_STATE_FETCHING || m_state == DOC_STATE_RUNNING) {
        CdocFieldKey key;
        if (!m_data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
            return false;
        const CdocField& elapsed = *key.m_field;
        if (!docIsNoValue(elapsed.m_current) && elapsed.m_gain != 0.0f)
            m_data.GetSampleTimeTexts(elapsed.m_current / elapsed.m_gain, time, date);
        return true;
    }
    time = _("Time and Date");
    return false;
}

bool CdocDoc::GetSampleTimeAndDate(wxString& text, int record) const
{
    text.clear();
    CdocFieldKey key;
    if (!m_viewTimeAndDate || !appIsAllowed(FEATURE_TIME_AND_DATE) || m_data.m_startTime == 0 ||
        m_data.m_startDate == 0 || !m_data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        return false;
    // Only records that hold readings have a time; past them the samples
    // are left over from earlier runs, or past the channel's end.
    if (record < 0 || record >= std::min(m_data.m_records, DOC_MAX_SAMPLES))
        return true;
    const CdocField& elapsed = *key.m_field;
    const float sample = elapsed.m_samples[record];
    if (docIsNoValue(sample) || elapsed.m_gain == 0.0f)
        return true;
    wxString time;
    m_data.GetSampleTimeTexts(sample / elapsed.m_gain, time, text);
    if (!time.empty()) {
        if (!text.empty())
            text += " ";
        text += time;
    }
    return true;
}
