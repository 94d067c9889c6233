#include "hardware/xhwLink.h"

#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwComDriver.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwMivaDriver.h"
#include "hardware/xhwSimulatedDriver.h"
#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xhwBootLoader.h"

namespace {

bool OpenUsb(CxhwBox& box, const wxString& name, CxhwUSBDeviceV* devices)
{
    CxhwUSBDeviceV own;
    CxhwUSBDeviceV& list = devices ? *devices : own;
    if (list.GetCount() == 0)
        list.ScanAll();
    if (list.GetCount() == 0) {
        box.m_info.Assign(CxutBoxInfo());
        own.CloseAll();
        xhwResetLink(box);
        return false;
    }
    if (list.CountPacketDevices() == 0) {
        bool ok = false;
        if (list.CountCommandDevices() > 0)
            ok = xhwKestilonOpen(box, BOX_LINK_USB, name, &list);
        else if (list.CountBootLoaders() > 0)
            ok = xhwBootLoaderOpen(box, BOX_LINK_USB, name, &list);
        else
            ok = xhwComOpen(box, BOX_LINK_USB, name, &list);
        own.CloseAll();
        return ok;
    }
    if (!xhwMivaConnect(box, list)) {
        own.CloseAll();
        xhwResetLink(box);
        return false;
    }
    return true;
}

CxutBoxInfo SimulatedIdentity()
{
    CxutBoxInfo info;
    info.m_hardware = BOX_TYPE_SIMULATED;
    info.m_firmware = 1.0f;
    info.m_maxSensors = xutGetMaxSensors(BOX_TYPE_SIMULATED);
    info.m_varnok = true;
    info.m_comIsPortSlow = false;
    info.m_comIsPortUsb = false;
    return info;
}

} // namespace

bool xhwOpenLink(CxhwBox& box, int port, const wxString& name, CxhwUSBDeviceV* devices)
{
    box.m_linkKind = port;
    box.m_packetLink = false;
    box.m_commandLink = false;
    switch (port) {
    case BOX_LINK_USB:
        return OpenUsb(box, name, devices);
    case BOX_LINK_BTLE:
        return xhwKestilonOpen(box, BOX_LINK_BTLE, name, nullptr);
    case BOX_LINK_SIMULATED:
        xhwCloseLink(box);
        box.m_info.Assign(SimulatedIdentity());
        return true;
    default:
        return xhwComOpen(box, port, name, nullptr);
    }
}

bool xhwIsLinkOpen(CxhwBox& box, bool drain, bool slowDrain)
{
    const int kind = box.m_linkKind;
    if (kind == BOX_LINK_SIMULATED)
        return true;
    if (kind == BOX_LINK_BTLE || box.m_commandLink) {
        if (xhwKestilonIdentify(box, drain, slowDrain))
            return true;
        xhwCloseLink(box);
        return false;
    }
    if (box.m_packetLink) {
        if (xhwMivaIsOpen(box))
            return true;
        xhwCloseLink(box);
        return false;
    }
    return xhwComIsOpen(box, drain, slowDrain);
}

bool xhwCheckLink(CxhwBox& box, bool first)
{
    wxString stamp = box.m_stamp;
    int power = 103;
    int values[CxhwBox::kInputs] = {0, 0, 0, 0, 0, 0};
    const int kind = box.m_linkKind;
    const int type = box.m_info.m_hardware;
    bool ok = false;
    if (kind == BOX_LINK_BTLE) {
        ok = xhwKestilonMonitor(box, first, stamp, power, values);
    } else if (kind == BOX_LINK_SIMULATED) {
        ok = xhwSimulatedCheck(box, first, stamp, power, values);
    } else if (box.m_packetLink) {
        stamp.clear();
        ok = xhwMivaCheckLink(box, false, values);
    } else if (!box.m_commandLink) {
        ok = xhwComMonitor(box, first, stamp, power, values);
    } else if (kind == BOX_LINK_USB
               && (type == BOX_TYPE_KESTILON_BOOT || type == BOX_TYPE_TUNDRANE2_BOOT)) {
        // The boot loaders are the USB devices 0x0011 and 0x0021 of these types.
        ok = xhwBootLoaderMonitor(box, first, stamp, power, values);
    } else {
        ok = xhwKestilonMonitor(box, first, stamp, power, values);
    }
    box.SetRawValues(values);
    box.m_power = power;
    box.m_stamp = stamp;
    if (!ok)
        xhwResetLink(box);
    return ok;
}

bool xhwConnect(CxhwBox& box)
{
    return xhwCheckLink(box, true);
}

bool xhwRecheckLink(CxhwBox& box)
{
    return xhwCheckLink(box, false);
}

void xhwCloseLink(CxhwBox& box)
{
    xhwMivaClose(box);
    xhwComClose(box);
    xhwKestilonClose(box);
}

void xhwResetLink(CxhwBox& box)
{
    xhwMivaReset(box);
    xhwComCloseAndDetach(box);
    xhwKestilonCloseAndDetach(box);
    box.m_info.Assign(CxutBoxInfo());
    {
        wxMutexLocker lock(box.m_sampleMutex);
        box.m_sensors.CopyAll(CxhwSensorV());
    }
    box.m_fetch.ClearFiles();
    box.ClearRequest();
    box.Publish();
}

void xhwResetAndClose(CxhwBox& box)
{
    xhwResetLink(box);
}

void xhwAbortLink(CxhwBox& box)
{
    xhwMivaAbort(box);
    xhwComAbort(box);
    xhwKestilonAbort(box);
}
