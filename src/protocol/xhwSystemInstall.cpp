#include "protocol/xhwSystemInstall.h"

#include "app/gumCommands.h"
#include "app/gumIds.h"
#include "hardware/xhwBox.h"

void xhwStartSystemInstall(CxhwBox& box)
{
    CxutBoxRequest request;
    if (!box.BeginRequest(request))
        return;
    box.m_install.Reset();
    request.m_answer = BOX_ANSWER_DONE;
    box.EndRequest(request);
    xhwInstallSystem(box);
    box.Publish();
    gumPostCommand(ID_EVT_BOX_SYSTEM, 0);
}

void xhwInstallSystem(CxhwBox& box)
{
    // No installer is built yet, so no system image can be sent: reported as
    // a missing system file.
    box.m_install.m_boxType = box.m_info.m_hardware;
    box.m_install.m_result = SYSTEM_RESULT_FILE_MISSING;
    box.m_install.m_stage = 0;
}
