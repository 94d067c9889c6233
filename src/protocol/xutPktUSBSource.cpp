#include "protocol/xutPktUSBSource.h"

#include "hardware/xhwUSBDeviceV.h"
#include "protocol/xutPktUSBDevice.h"

std::vector<std::unique_ptr<CxutPktDevice>>
CxutPktUSBSource::Scan(const std::vector<wxString>& known)
{
    CzxUSBDeviceV knownList;
    for (const wxString& path : known)
        knownList.Add(0, 0, path);
    CxhwUSBDeviceV found;
    found.ScanPacketDevices(&knownList);
    std::vector<std::unique_ptr<CxutPktDevice>> devices;
    for (int i = 0; i < found.GetCount(); ++i) {
        CzxUSBDeviceVItem& item = found.GetItem(i);
        // The kind by the list's ids may be wider than the devices the ports speak to.
        if (item.m_itemDevice && xutPktDeviceKind(item.m_vendorId, item.m_productId) != 0)
            devices.push_back(std::make_unique<CxutPktUSBDevice>(std::move(item.m_itemDevice)));
    }
    return devices;
}
