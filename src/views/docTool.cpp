#include "views/docTool.h"

#include "app/appOptions.h"
#include "document/docDoc.h"

bool docIsToolAllowed(int type)
{
    static const int kFeatures[] = {FEATURE_TOOL_POSITION, FEATURE_TOOL_READING, FEATURE_TOOL_CHANGE,
                                    FEATURE_TOOL_DIFFERENCE, FEATURE_TOOL_GRADIENT, FEATURE_TOOL_AREA};
    if (type < TOOL_POSITION || type > TOOL_AREA)
        return false;
    return appIsAllowed(kFeatures[type - 1]);
}

void CdocTool::Deactivate()
{
    if (!m_now.m_active)
        return;
    m_was = m_now;
    m_now.m_active = false;
    m_now.m_dragBox = false;
    m_now.m_annotate = false;
    m_now.m_msg = TOOL_MSG_REMOVED;
    if (m_doc)
        m_doc->UpdateViews(HINT_TOOL, nullptr);
}

bool CdocTool::IsUsable(int type) const
{
    if (!m_doc || !docIsToolAllowed(type) || m_doc->m_state <= DOC_STATE_READY)
        return false;
    if (type == TOOL_POSITION || type == TOOL_DIFFERENCE)
        return true;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    const bool indexAxis = x && (x->m_content == CONTENT_READING || x->m_content == CONTENT_ELAPSED_TIME);
    return indexAxis && m_doc->m_data.m_records > 0;
}

bool CdocTool::ValidateTool()
{
    if (IsUsable(m_now.m_tool))
        return true;
    Deactivate();
    return false;
}
