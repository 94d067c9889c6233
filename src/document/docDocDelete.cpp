#include "app/appOptions.h"
#include "document/docDoc.h"

bool CdocDoc::CanDeleteAll() const
{
    return (m_state == DOC_STATE_RUNNING || m_state == DOC_STATE_STOPPED) && m_activity >= ACTIVITY_AUTOLOG &&
           m_activity <= ACTIVITY_FAST && m_data.m_records > 0;
}

// A running Fast run fills its store like a periodic one, so its store is
// cleared the same way; an oscilloscope run's is not cleared while it runs.
bool CdocDoc::CanClearStore() const
{
    if (m_state == DOC_STATE_STOPPED)
        return true;
    return m_state == DOC_STATE_RUNNING && m_activity >= ACTIVITY_AUTOLOG && m_activity <= ACTIVITY_FAST;
}

int CdocDoc::DeleteAll()
{
    // Asked first, a No would drop the unsaved mark of readings that then stay.
    if (m_data.m_records > 0 && !CanClearStore())
        return DOC_RESULT_REFUSED;
    if (!ConfirmDiscard(wxString(), false))
        return DOC_RESULT_REFUSED;
    if (appIsAllowed(FEATURE_SAVE) && m_data.m_records > 0 && m_unsavedData)
        return DOC_RESULT_REFUSED; // a chosen save did not succeed
    m_tool.Deactivate();
    if (m_data.m_records <= 0)
        return DOC_RESULT_DONE;

    CdocData& data = m_data;
    CdocFieldV& fields = data.m_fields;
    if (m_state == DOC_STATE_RUNNING) {
        data.m_logCount = 0;
        data.m_logNext = 0;
        data.SetStartNow();
    } else {
        data.m_logNext = 0;
    }
    // Marks of deleted records would otherwise come back on new ones.
    data.m_marks.fill(0);
    data.SetRecords(0);
    for (int i = 0; i < fields.GetCount(); ++i) {
        if (m_state == DOC_STATE_RUNNING)
            fields.GetAt(i)->ClearSamples();
        else
            fields.GetAt(i)->EraseSamples();
    }
    m_unsavedData = false;
    ModifyAndUpdateViews(HINT_DELETED_ALL, nullptr);
    SetAutoScroll(0);
    return DOC_RESULT_DONE;
}

bool CdocDoc::CanDeleteLast() const
{
    if (m_state == DOC_STATE_STOPPED)
        return m_data.m_records > 0;
    return m_state == DOC_STATE_RUNNING && (m_activity == ACTIVITY_SNAPSHOT || m_activity == ACTIVITY_TIMING) &&
           m_data.m_logNext > 0 && m_data.m_records > 0;
}

void CdocDoc::DeleteLast()
{
    m_tool.Deactivate();
    if (!CanDeleteLast())
        return;
    CdocData& data = m_data;
    CdocFieldV& fields = data.m_fields;
    if (m_state == DOC_STATE_STOPPED) {
        data.SetRecords(data.m_records - 1);
        if (data.m_logNext > data.m_records)
            data.m_logNext = data.m_records;
        std::fill(data.m_marks.begin() + data.m_records, data.m_marks.end(), 0);
        for (int i = 0; i < fields.GetCount(); ++i)
            fields.GetAt(i)->ClearUnusedSamples();
        if (data.m_records == 0)
            m_unsavedData = false;
        ModifyAndUpdateViews(HINT_DELETED_LAST, nullptr);
        SetAutoScroll(data.m_records);
        return;
    }
    --data.m_logNext;
    if (data.m_logNext == 0)
        data.SetStartNow();
    if (!data.m_fLogOverlay) {
        data.SetRecords(data.m_logNext);
        std::fill(data.m_marks.begin() + data.m_records, data.m_marks.end(), 0);
    }
    for (int i = 0; i < fields.GetCount(); ++i)
        fields.GetAt(i)->ClearRunSamples();
    ModifyAndUpdateViews(HINT_DELETED_LAST, nullptr);
    SetAutoScroll(data.m_logNext);
}
