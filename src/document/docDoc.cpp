#include "document/docDoc.h"

#include "app/gumActivity.h"

void CdocDoc::SetState(int state)
{
    m_state = state;
    gumSetBusyActivity(gumGetActivityHolder(), state == DOC_STATE_FETCHING || state == DOC_STATE_RUNNING);
}
