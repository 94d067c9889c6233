#include "protocol/xhwSystemInstall.h"

#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "hardware/xhwBox.h"

#include <wx/datetime.h>

namespace {

// The types for which system software can be installed.
bool CanInstall(int boxType)
{
    switch (boxType) {
    case 4: case 5: case 6: case 8: case 9: case 10: case 11: case 12: case 13:
        return true;
    default:
        return false;
    }
}

} // namespace

void xhwStartSystemInstall(CxhwBox& box)
{
    CxutBoxRequest request;
    if (!box.BeginRequest(request))
        return;
    request.m_time = wxDateTime::Now().GetValue().GetValue();
    if (!CanInstall(box.m_info.m_hardware)) {
        request.m_answer = BOX_ANSWER_UNSUPPORTED;
        box.EndRequest(request);
        return;
    }
    box.m_install.Reset();
    box.m_install.m_stage = 1;
    request.m_answer = BOX_ANSWER_DONE;
    box.EndRequest(request);
    box.m_install.m_progress = 0.0f;
    box.Publish();
    gumPostCommand(ID_EVT_BOX_REFRESH, 0);
    xhwInstallSystem(box);
    box.m_install.m_progress = 1.0f;
    box.m_install.m_stage = 0;
    box.Publish();
    gumPostCommand(ID_EVT_BOX_REFRESH, 0);
    gumPostCommand(ID_EVT_BOX_SYSTEM, 0);
}

void xhwInstallSystem(CxhwBox& box)
{
    // No installer is built yet, so no system image can be sent: reported as
    // a missing system file.
    box.m_install.m_boxType = box.m_info.m_hardware;
    box.m_install.m_result = SYSTEM_RESULT_FILE_MISSING;
}
