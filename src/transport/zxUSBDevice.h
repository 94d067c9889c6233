#pragma once
#include <cstdint>
#include <memory>
#include <wx/string.h>

// One USB device of the maker's loggers, as the platform binding opens it. The
// identity tests read only the three getters.
class CzxUSBDeviceBase
{
public:
    virtual ~CzxUSBDeviceBase();
    virtual int32_t GetVendorId() const { return 0; }
    virtual int32_t GetProductId() const { return 0; }
    virtual int32_t GetReleaseBCD() const { return 0; }

    bool IsProduct0011Or0021() const;
};

// One found device: its ids and registry path, and the device itself while the
// list still owns it.
struct CzxUSBDeviceVItem
{
    std::unique_ptr<CzxUSBDeviceBase> m_itemDevice;
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
    virtual ~CzxUSBDeviceV();
    CzxUSBDeviceV(const CzxUSBDeviceV&) = delete;
    CzxUSBDeviceV& operator=(const CzxUSBDeviceV&) = delete;

    virtual bool Accept(const CzxUSBDeviceVItem& item);

    // Lists the devices not in known (by registry path) that Accept takes.
    // Returns the number held; 0 when the system's devices cannot be listed.
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
