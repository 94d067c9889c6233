#include "document/docDoc.h"

#include "app/appOptions.h"
#include "app/gumActivity.h"
#include "document/docHint.h"

CdocDoc::CdocDoc()
{
    m_calcs.m_doc = this;
    m_data.m_doc = this;
    m_data.m_fields.m_doc = this;
    LoadViewOptions();
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

void CdocDoc::LoadViewOptions()
{
    if (const CappOptions* options = appGetOptions()) {
        m_viewTitle = options->m_viewTitle;
        m_viewTable = options->m_viewTable;
        m_viewGauge = options->m_viewGauge;
        m_viewDigits = options->m_viewDigits;
    }
}

void CdocDoc::SetState(int state)
{
    m_state = state;
    gumSetBusyActivity(gumGetActivityHolder(), state == DOC_STATE_FETCHING || state == DOC_STATE_RUNNING);
}
