#include "hardware/xhwKestilonDriver.h"

#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwStoredFileList.h"
#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xhwBootLoader.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xhwSystemInstall.h"
#include "transport/zxBtle.h"

#include <algorithm>
#include <cctype>
#include <vector>
#include <wx/utils.h>

namespace {

constexpr int kIds = 4;

bool IsNameCharacter(wxUniChar c)
{
    return c.IsAscii() && std::isalnum(int(c.GetValue()));
}

} // namespace

bool xhwKestilonNewFirmware(const CxhwBox& box)
{
    return xhwFirmwareHundredths(box.m_info.m_firmware) > 102;
}

bool xhwKestilonOpen(CxhwBox& box, int port, const wxString&, CxhwUSBDeviceV* devices)
{
    xhwCloseLink(box);
    box.m_linkKind = port;
    box.m_commandLink = true;
    box.m_xlogger.SetLinkKind(port);
    CxutBoxInfo preset;
    preset.m_hardware = BOX_TYPE_KESTILON;
    preset.m_firmware = 1.0f;
    preset.m_maxSensors = xutGetMaxSensors(BOX_TYPE_KESTILON);
    preset.m_varnok = false;
    preset.m_comIsPortSlow = true;
    preset.m_comIsPortUsb = false;
    box.m_info.Assign(preset);
    if (port == BOX_LINK_USB) {
        CxhwUSBDeviceV own;
        CxhwUSBDeviceV& list = devices ? *devices : own;
        if (list.CountCommandDevices() == 0)
            list.ScanCommandDevices();
        CzxUSBDeviceVItem* item = list.GetCommandDevice(0);
        if (!item || !box.m_xlogger.AttachUSBDevice(std::move(item->m_itemDevice))) {
            list.CloseAll();
            xhwResetLink(box);
            return false;
        }
        list.CloseAll();
    }
    if (!box.m_xlogger.Open()) {
        xhwResetLink(box);
        return false;
    }
    return true;
}

bool xhwKestilonIdentify(CxhwBox& box, bool drain, bool slowDrain)
{
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsConnected() && !link.Open()) {
        xhwCloseLink(box);
        return false;
    }
    CxutBoxInfo info;
    if (link.ReadBoxInfo(info, drain, slowDrain)) {
        info.m_comIsPortSlow = link.IsWireless();
        info.m_comIsPortUsb = link.IsUSBLink();
        if (!info.m_bootstrapFlag) {
            const int clock = box.CheckClock();
            if ((clock != 0 && clock != 2) || !link.IsConnected()) {
                xhwCloseLink(box);
                return false;
            }
        }
        box.m_info.Assign(info);
        return true;
    }
    if (link.IsOpen()) {
        link.SendByte(0x1B);
        link.WaitForVersion(-1.0);
    }
    xhwCloseLink(box);
    return false;
}

bool xhwKestilonStopMode(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsOpen())
        return false;
    if (link.IsBtleLink()) {
        link.SendByte(xhwKestilonNewFirmware(box) ? 0x0D : 0x1B);
        return link.WaitForVersion(box.m_info.m_firmware);
    }
    link.SendByte(0x1B);
    wxMilliSleep(40);
    const bool ok = link.WaitForVersion(box.m_info.m_firmware);
    wxMilliSleep(40);
    return ok;
}

bool xhwKestilonStopAndIdentify(CxhwBox& box)
{
    xhwKestilonStopMode(box);
    return xhwKestilonIdentify(box, true, false);
}

bool xhwKestilonReadSensorIds(CxhwBox& box, CxhwSensorV& sensors)
{
    CxutXLogger& link = box.m_xlogger;
    const int n = std::min(box.GetInputCount(), kIds);
    int codes[CxhwSensorV::kCount] = {};
    int types[CxhwSensorV::kCount] = {};
    bool ok = false;
    if (link.IsUSBLink()) {
        uint8_t reply[16];
        ok = link.SendByte(0x06) && link.Read(16, reply, 1.0);
        if (ok) {
            for (int i = 0; i < n; ++i) {
                codes[i] = reply[3 * i];
                types[i] = 3;
            }
        }
    } else if (link.IsBtleLink()) {
        uint8_t request[2 * kIds];
        for (int i = 0; i < n; ++i) {
            request[2 * i] = 0x04;
            request[2 * i + 1] = uint8_t(i);
        }
        ok = link.Write(2 * n, request);
        for (int i = 0; ok && i < n; ++i) {
            uint8_t reply[2];
            ok = link.Read(2, reply, 1.0);
            if (ok) {
                codes[i] = reply[0];
                types[i] = reply[1];
            }
        }
    }
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        CxhwSensor& sensor = sensors[i];
        if (sensor.m_idCode != codes[i] || sensor.m_idType != types[i])
            sensor.m_changedId = true;
        sensor.m_idCode = codes[i];
        sensor.m_idType = types[i];
    }
    return ok;
}

bool xhwKestilonReadValues(CxhwBox& box, int values[6])
{
    std::fill(values, values + 6, 0);
    CxutXLogger& link = box.m_xlogger;
    if (link.IsUSBLink()) {
        uint8_t reply[16];
        if (!link.SendByte(0x06) || !link.Read(16, reply, 1.0))
            return false;
        for (int i = 0; i < kIds; ++i)
            values[i] = reply[3 * i + 1] | reply[3 * i + 2] << 8;
        return true;
    }
    if (!link.IsBtleLink())
        return false;
    uint8_t request[3 * kIds];
    for (int i = 0; i < kIds; ++i) {
        const int calType = box.m_sensors[i].m_calType;
        request[3 * i] = 0x10;
        request[3 * i + 1] = uint8_t((calType > 127 ? 8 : 0) + i);
        request[3 * i + 2] = uint8_t(calType % 32);
    }
    if (!link.Write(3 * kIds, request))
        return false;
    for (int i = 0; i < kIds; ++i) {
        uint8_t reply[2];
        if (!link.Read(2, reply, 0.5))
            return false;
        values[i] = reply[0] * 256 + reply[1];
    }
    return true;
}

bool xhwKestilonMonitor(CxhwBox& box, bool first, wxString& name, int& power, int values[6])
{
    bool ok = xhwKestilonIdentify(box, first, first);
    const bool skip = box.m_info.m_bootstrapFlag || box.m_info.m_loggerBusy;
    CxhwSensorV ids;
    if (ok && !skip)
        ok = xhwKestilonReadSensorIds(box, ids);
    {
        wxMutexLocker lock(box.m_sampleMutex);
        box.m_sensors.UpdateIds(ids);
    }
    if (ok && !skip) {
        box.m_ticksPerSecond = 1000000.0 / box.GetTimingTickMicroseconds();
        int mask = 0;
        ok = box.GetTimingMask(mask);
        box.m_timingMask = mask;
    }
    box.m_timingIdentify = box.GetTimingIdentify();
    power = box.GetPower();
    if (ok && !skip)
        ok = xhwKestilonReadValues(box, values);
    if (ok && !skip) {
        if (first)
            box.SwitchOutputsOff();
        else
            ok = box.SetOutputs(box.GetRequestedOutputs(), false);
    }
    CxutBoxRequest pending;
    box.GetRequest(pending);
    switch (pending.m_code) {
    case BOX_REQUEST_SET_NAME:
        if (ok && !skip)
            box.ServeNameRequest();
        break;
    case BOX_REQUEST_SET_CLOCK:
        if (ok && !skip)
            box.ServeClockRequest();
        break;
    case BOX_REQUEST_LIST_FILES:
        if (ok && !skip)
            zxBoxFetchFileList(box);
        break;
    case BOX_REQUEST_INSTALL_SYSTEM:
        if (ok)
            xhwStartSystemInstall(box);
        return false;
    default:
        if (ok && ((first && !skip) || name.empty())) {
            int kind = 0;
            box.ReadName(name, kind);
        }
        break;
    }
    return ok;
}

bool xhwKestilonClose(CxhwBox& box)
{
    box.m_xlogger.Close();
    return false;
}

bool xhwKestilonCloseAndDetach(CxhwBox& box)
{
    box.m_xlogger.CloseAndDetach();
    return false;
}

bool xhwKestilonAbort(CxhwBox& box)
{
    box.m_xlogger.Disconnect();
    return false;
}

bool xhwKestilonRestartInBootLoader(CxhwBox& box)
{
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsUSBLink() || !link.IsReady()) {
        box.m_install.m_result = SYSTEM_RESULT_NEEDS_USB;
        return false;
    }
    link.SendByte('F');
    wxMilliSleep(50);
    // The logger is leaving the bus: the device goes with the link, and the
    // boot loader comes as a new device.
    xhwResetLink(box);
    return true;
}

bool xhwKestilonInstallSystem(CxhwBox& box)
{
    if (!xhwKestilonRestartInBootLoader(box))
        return false;
    CzxStopWatch watch;
    while (watch.TimeInMicro().GetValue() < 5000000) {
        if (xhwBootLoaderOpen(box, BOX_LINK_USB, wxString(), nullptr)
            && xhwBootLoaderIdentify(box, false, false))
            return xhwBootLoaderInstallFirmware(box);
        wxMilliSleep(100);
    }
    box.m_install.m_result = SYSTEM_RESULT_NO_ANSWER;
    return false;
}

bool xhwKestilonStartStream(CxhwBox& box, double period)
{
    const CxhwBoxes* manager = box.GetManager();
    box.m_xlogger.SetRunClock(manager ? &manager->GetClock() : nullptr);
    return box.m_xlogger.StartStream(period);
}

bool xhwKestilonReadStream(CxhwBox& box, int* values, int& count, int max, int nextTime,
                           int step)
{
    count = 0;
    // The link hands out at most its own 20 readings a call.
    if (max < CxutXLogger::kMaxStreamReadings)
        return false;
    return box.m_xlogger.ReadStream(values, count, nextTime, step);
}

bool xhwKestilonStopStream(CxhwBox& box)
{
    box.SwitchOutputsOff();
    return box.m_xlogger.StopStream();
}

bool xhwKestilonSetOutputs(CxhwBox& box, int mask, bool force)
{
    // Neither type can switch outputs: the mask is only remembered.
    if (force || mask != box.m_run.m_lastSentOutputs)
        box.m_run.m_lastSentOutputs = mask;
    return true;
}

void xhwKestilonReadName(CxhwBox& box, wxString& text, int& kind)
{
    text.clear();
    kind = 1;
    CxutXLogger& link = box.m_xlogger;
    if (link.IsBtleLink()) {
        wxString identifier;
        CzxBtle& btle = zxGetBtle();
        btle.GetLogger(btle.GetSelectedIndex(), text, identifier);
        return;
    }
    uint8_t reply[63];
    if (!link.IsUSBLink() || !link.SendByte(0x38) || !link.Read(63, reply, 0.3))
        return;
    for (int i = 0; i < 15 && IsNameCharacter(wxUniChar(reply[i])); ++i)
        text += wxUniChar(reply[i]);
}

wxString xhwKestilonNameToSend(const wxString& text)
{
    wxString sent;
    for (size_t i = 0; i < text.length() && i < 32 && sent.length() < 15; ++i)
        if (IsNameCharacter(text[i]))
            sent += text[i];
    return sent;
}

int xhwKestilonWriteName(CxhwBox& box, const wxString& text, int& kind)
{
    kind = 1;
    CxutXLogger& link = box.m_xlogger;
    if (!link.IsUSBLink())
        return 2;
    const wxString sent = xhwKestilonNameToSend(text);
    std::vector<uint8_t> command;
    command.push_back(0x39);
    for (wxUniChar c : sent)
        command.push_back(uint8_t(c.GetValue()));
    command.push_back(0);
    link.Write(int(command.size()), command.data());
    for (int attempt = 0; attempt < 4; ++attempt) {
        wxMilliSleep(100);
        wxString back;
        int backKind = 0;
        box.ReadName(back, backKind);
        if (back == sent)
            return 0;
    }
    return 1;
}
