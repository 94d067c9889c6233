#include "protocol/xhwSystemInstall.h"

#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwKestilonDriver.h"
#include "protocol/xhwBootLoader.h"
#include "protocol/xhwSystemImageSend.h"
#include "transport/zxStopWatch.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <wx/datetime.h>

namespace {

constexpr uint8_t kEnterBootstrap[2] = {0x06, 0x88};
constexpr uint8_t kBootStart = 20;
// How long the restart wait listens between two status requests.
constexpr double kListenMs = 6000.0;

std::atomic<double> g_restartScale{1.0};

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

long Milliseconds(double seconds)
{
    return long(std::floor(seconds * 1000.0 + 0.5));
}

bool Stopped(CxhwBox& box)
{
    return xhwIsInstallCancelled(box);
}

bool FailBootstrap(CxhwBox& box, int result)
{
    xhwResetLink(box);
    box.m_install.m_result = result;
    return false;
}

} // namespace

void xhwSetRestartWaitScale(double scale)
{
    g_restartScale = scale > 0.0 ? scale : 1.0;
}

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

bool xhwInstallSystem(CxhwBox& box)
{
    const int type = box.m_info.m_hardware;
    box.m_install.m_boxType = type;
    switch (type) {
    case BOX_TYPE_PARDOVINE: return xhwInstallSystemBox4(box);
    case BOX_TYPE_TUNDRANE: return xutUpdateFirmwareBox5(box);
    case BOX_TYPE_LUMIVASTA: return xutUpdateFirmwareBox6(box);
    case BOX_TYPE_ZEMBROW: return xutUpdateFirmwareBox8(box);
    case BOX_TYPE_CINDRALLY: return xutUpdateFirmwareBox9(box);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        return xhwKestilonInstallSystem(box);
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2_BOOT:
        return xhwBootLoaderInstallFirmware(box);
    default:
        return false;
    }
}

void xhwSetInstallProgress(CxhwBox& box, float fraction)
{
    box.m_install.m_progress = std::clamp(fraction, 0.0f, 1.0f);
    box.Publish();
    gumPostCommand(ID_EVT_BOX_REFRESH, 0);
}

bool xhwIsInstallCancelled(CxhwBox& box)
{
    return box.GetState() != BOX_STATE_CONNECT || box.m_install.m_cancel;
}

wxFileName xhwGetSystemFilePath(int family, int revision)
{
    const wxString name = wxString::Format("Sys%2.2d%d", family, revision);
    wxFileName path;
    if (const CgumResCore* res = gumGetResCore()) {
        res->GetResourceFile(path, wxString(), name, "bin");
    } else {
        path = wxFileName(CgumResCore::GetResourcesDir(), name, "bin");
        path.AppendDir("QuorvantiRes");
    }
    return path;
}

bool xhwEnterBootstrap(CxhwBox& box, int boxType, bool send, float seconds)
{
    const long limit = Milliseconds(seconds);
    CzxStopWatch watch;
    for (;;) {
        if (Stopped(box))
            return FailBootstrap(box, SYSTEM_RESULT_NO_ANSWER);
        if (!xhwIsLinkOpen(box, true, false))
            return FailBootstrap(box, SYSTEM_RESULT_NO_ANSWER);
        if (box.m_info.m_hardware != boxType)
            return FailBootstrap(box, SYSTEM_RESULT_WRONG_LOGGER);
        if (!send || box.m_info.m_bootstrapFlag)
            return true;
        box.m_com.Write(2, kEnterBootstrap);
        if (boxType == BOX_TYPE_LUMIVASTA) {
            watch.Start(0);
            for (;;) {
                if (box.m_com.ReadByte(1.0f) == LOGGER_STATUS_BOOTSTRAP)
                    return true;
                if (watch.Time() > limit)
                    return FailBootstrap(box, SYSTEM_RESULT_NO_ANSWER);
            }
        }
        while (watch.Time() < limit) {
            const int byte = box.m_com.ReadByte(0.3f);
            if (byte < 0 || byte == LOGGER_STATUS_BOOTSTRAP)
                break;
        }
        // Bounded even when no time-out is given: a logger that keeps
        // answering as its application must not hold the box thread.
        if (watch.Time() > limit)
            return FailBootstrap(box, SYSTEM_RESULT_NO_ANSWER);
    }
}

bool xhwWaitForRestart(CxhwBox& box, float seconds)
{
    const double scale = g_restartScale;
    const double limit = Milliseconds(seconds) * scale;
    const double listen = kListenMs * scale;
    const double span = listen + limit;
    CzxStopWatch watch;
    for (;;) {
        if (seconds > 0.0f && watch.Time() >= limit)
            return false;
        CzxStopWatch pass;
        while (pass.Time() < listen) {
            if (Stopped(box))
                return false;
            xhwSetInstallProgress(box, float(watch.Time() / span));
            box.m_com.ReadByte(float(std::min(0.2, listen / 1000.0)));
        }
        if (Stopped(box))
            return false;
        int status = 0;
        if (!box.m_com.RequestStatus(&status))
            continue;
        if (status != LOGGER_STATUS_BOOTSTRAP)
            return true;
        if (Stopped(box))
            return false;
        box.m_com.ReadByte(0.5f);
        box.m_com.WriteByte(kBootStart);
        box.m_com.ReadByte(0.5f);
        box.m_com.WriteByte(kBootStart);
        box.m_com.ReadByte(0.5f);
    }
}
