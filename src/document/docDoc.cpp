#include "document/docDoc.h"

#include "app/appOptions.h"
#include "app/base/gumActivity.h"
#include "hardware/xhwBoxes.h"
#include "wizard/gudMatchTemplate.h"

#include <wx/intl.h>
#include <wx/platinfo.h>

CdocDoc::CdocDoc()
{
    // Names the system the data was taken on, the one running now.
    m_defaultTitle = wxString::Format(_("Data from Quorvanti on %s"),
                                      wxPlatformInfo::Get().GetOperatingSystemIdName());
    m_graph.m_doc = this;
    m_table.m_doc = this;
    m_annotations.m_doc = this;
    m_control.m_doc = this;
    m_scope.m_doc = this;
    m_timing.m_doc = this;
    m_calcs.m_doc = this;
    m_predict.m_doc = this;
    m_data.m_doc = this;
    m_data.m_fields.m_doc = this;
    m_tool.m_doc = this;
    if (const CappOptions* options = appGetOptions()) {
        m_colours = options->m_colourTheme;
        m_setup = options->m_setup;
    }
    LoadViewOptions();
    m_title = m_defaultTitle;
    m_tickWatch.Start(0);
}

// Ends the activity token this document may still hold.
CdocDoc::~CdocDoc()
{
    if (m_state == DOC_STATE_FETCHING || m_state == DOC_STATE_RUNNING)
        gumSetBusyActivity(gumGetActivityHolder(), false);
}

void CdocDoc::UpdateViews(int code, void* data)
{
    CdocHint hint(code, data);
    if (m_owner)
        m_owner->UpdateDocViews(hint);
}

void CdocDoc::ModifyAndUpdateViews(int code, void* data)
{
    if (m_owner)
        m_owner->ModifyDoc();
    UpdateViews(code, data);
}

bool CdocDoc::ShowNewChannelDetails(CdocFieldKey& key, int mode)
{
    return !m_owner || m_owner->ShowNewChannelDetails(key, mode);
}

bool CdocDoc::ShowCalcChannelDetails(CdocFieldKey& key, int mode)
{
    return !m_owner || m_owner->ShowCalcChannelDetails(key, mode);
}

bool CdocDoc::ShowCalcResultDetails(CdocFieldKey& key, int mode)
{
    return !m_owner || m_owner->ShowCalcResultDetails(key, mode);
}

bool CdocDoc::ConfirmDiscard(const wxString& message, bool force)
{
    return !m_owner || m_owner->ConfirmDiscard(message, force);
}

int CdocDoc::MatchAndStart(int code)
{
    return gudMatchAndStartByCode(*this, code);
}

bool CdocDoc::RunMatchDialog()
{
    return !m_owner || m_owner->RunMatchDialog(*this);
}

void CdocDoc::SetState(int state)
{
    m_state = state;
    gumSetBusyActivity(gumGetActivityHolder(), state == DOC_STATE_FETCHING || state == DOC_STATE_RUNNING);
}

void CdocDoc::SetActivity(int activity)
{
    m_activity = activity;
    // The box thread never reads the document: it is told.
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->SetActivity(activity);
}

void CdocDoc::OnNew()
{
    m_waitingForFind = true;
    SetState(DOC_STATE_READY);
    m_data.InitCurrentValues();
    m_control.SwitchAllOff();
    if (CxhwBoxes* boxes = xhwGetBoxes()) {
        boxes->SetActivity(m_activity);
        boxes->Connect();
    }
}

void CdocDoc::LoadViewOptions()
{
    const CappOptions* options = appGetOptions();
    if (options) {
        m_viewTitle = options->m_viewTitle;
        m_viewTable = options->m_viewTable;
        m_viewGauge = options->m_viewGauge;
        m_viewDigits = options->m_viewDigits;
    }
    m_graph.m_heavy = !appIsAllowed(FEATURE_THIN_TRACES);
    m_tool.ValidateTool();
}

// A view may move the row it is asked to scroll to; what it leaves is where
// the table now stands.
void CdocDoc::SetAutoScroll(int row)
{
    UpdateViews(HINT_SCROLL_TO, &row);
    m_autoScroll = row;
    m_autoScrollPending = -1;
    m_autoScrollCount = 0;
}

void CdocDoc::RequestAutoScroll(int row)
{
    if (m_autoScrollCount < 5) {
        m_autoScrollPending = row;
        return;
    }
    UpdateViews(HINT_SCROLL_FOLLOW, &row);
    m_autoScroll = row;
    m_autoScrollPending = -1;
    m_autoScrollCount = 0;
}

void CdocDoc::OnAutoScrollTick()
{
    if (m_autoScrollCount <= 4)
        ++m_autoScrollCount;
    if (m_autoScrollCount < 5 || m_autoScrollPending < 0)
        return;
    int row = m_autoScrollPending;
    UpdateViews(HINT_SCROLL_FOLLOW, &row);
    m_autoScroll = row;
    m_autoScrollPending = -1;
    m_autoScrollCount = 0;
}

void CdocDoc::ResetAfterClose()
{
    m_annotations.m_count = 0;
    m_data.Clear();
    m_title = m_defaultTitle;
    UpdateViews(HINT_CHANNELS_RESET, nullptr);
}

void CdocDoc::PrepareLoadedData()
{
    CdocData& data = m_data;
    CdocFieldV& fields = data.m_fields;
    if (data.m_records <= 0 || fields.GetCount() <= 0)
        return;
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_READING) && key.m_field->m_unit == key.m_field->m_name)
        key.m_field->m_unit.clear();
    data.UpdateStartDateTime();
    if (data.m_logType == 2 && data.m_interval > 0.0 && fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        key.m_field->FitPlacesToInterval();
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField& field = *fields.GetAt(i);
        field.UpdateDataRange();
        field.FitPlacesToData();
    }
    m_graph.DefaultZoom();
    UpdateViews(HINT_SCALES, nullptr);
}
