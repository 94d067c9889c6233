#include "transport/zxUSBHidapiHost.h"

#include "transport/zxUSBHidapiHandle.h"

#include <hidapi/hidapi.h>
#include <mutex>

namespace {

// hidapi keeps library-wide state: one call at a time.
std::mutex& LibraryLock()
{
    static std::mutex lock;
    return lock;
}

bool InitLibrary()
{
    static const bool ready = [] {
        std::lock_guard<std::mutex> lock(LibraryLock());
        return hid_init() == 0;
    }();
    return ready;
}

} // namespace

bool CzxUSBHidapiHost::List(std::vector<CzxUSBHostInfo>& devices)
{
    devices.clear();
    if (!InitLibrary())
        return false;
    std::lock_guard<std::mutex> lock(LibraryLock());
    // No device at all also comes back as none.
    hid_device_info* all = hid_enumerate(0, 0);
    for (hid_device_info* info = all; info; info = info->next) {
        if (info->bus_type != HID_API_BUS_USB || !info->path)
            continue;
        CzxUSBHostInfo found;
        found.m_path = wxString::FromUTF8(info->path);
        found.m_vendorId = info->vendor_id;
        found.m_productId = info->product_id;
        found.m_releaseBCD = info->release_number;
        devices.push_back(found);
    }
    hid_free_enumeration(all);
    return true;
}

std::unique_ptr<CzxUSBHandle> CzxUSBHidapiHost::Open(const wxString& path)
{
    if (path.empty() || !InitLibrary())
        return nullptr;
    hid_device* device = nullptr;
    {
        std::lock_guard<std::mutex> lock(LibraryLock());
        device = hid_open_path(path.utf8_str());
    }
    if (!device)
        return nullptr;
    return std::make_unique<CzxUSBHidapiHandle>(device);
}
