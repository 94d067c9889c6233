#pragma once
#include "transport/zxUSBDevice.h"

#include <cstdint>
#include <memory>
#include <wx/string.h>

// One found device: its ids and path, and the device itself while the list
// still owns it. The owner of a found device takes it out of its item before
// handing it to a port.
struct CzxUSBDeviceVItem
{
    std::unique_ptr<CzxUSBDevice> m_itemDevice;
    int32_t m_vendorId = 0;
    int32_t m_productId = 0;
    wxString m_path;
};

// The USB devices found by a scan, at most 32. A derived list filters what a
// scan keeps through Accept.
class CzxUSBDeviceV
{
public:
    static constexpr int kItems = 32;

    CzxUSBDeviceV();
    // Releases the devices still held.
    virtual ~CzxUSBDeviceV();
    CzxUSBDeviceV(const CzxUSBDeviceV&) = delete;
    CzxUSBDeviceV& operator=(const CzxUSBDeviceV&) = delete;

    virtual bool Accept(const CzxUSBDeviceVItem& item);

    // Lists the host's devices not in known (by path) that Accept takes, each
    // with an unopened device. Returns the number held; 0 when the system's
    // devices cannot be listed.
    int Scan(const CzxUSBDeviceV* known);
    // Counts a found device by its ids and path; false when the list is full.
    bool Add(int32_t vendorId, int32_t productId, const wxString& path);
    void CloseAll();
    int FindPath(const wxString& path) const;

    int GetCount() const { return m_count; }
    CzxUSBDeviceVItem& GetItem(int i) { return m_items[i]; }
    const CzxUSBDeviceVItem& GetItem(int i) const { return m_items[i]; }

private:
    CzxUSBDeviceVItem m_items[kItems];
    int m_count = 0;
};
