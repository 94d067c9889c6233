#include "transport/zxUSBDevice.h"

CzxUSBDeviceBase::~CzxUSBDeviceBase() = default;

bool CzxUSBDeviceBase::IsProduct0011Or0021() const
{
    const int32_t vendor = GetVendorId();
    const int32_t product = GetProductId();
    return (vendor == 0x3A7C && (product == 0x0011 || product == 0x0021))
           || (vendor == 0x04D8 && product == 0x003C);
}

CzxUSBDeviceV::CzxUSBDeviceV() = default;

CzxUSBDeviceV::~CzxUSBDeviceV() = default;

bool CzxUSBDeviceV::Accept(const CzxUSBDeviceVItem&)
{
    return true;
}

int CzxUSBDeviceV::Scan(const CzxUSBDeviceV*)
{
    CloseAll();
    // No platform binding lists the system's USB devices yet, so none is found.
    return m_count;
}

bool CzxUSBDeviceV::Add(int32_t vendorId, int32_t productId, const wxString& path)
{
    if (m_count >= kItems)
        return false;
    CzxUSBDeviceVItem& item = m_items[m_count];
    item.m_itemDevice.reset();
    item.m_vendorId = vendorId;
    item.m_productId = productId;
    item.m_path = path;
    ++m_count;
    return true;
}

void CzxUSBDeviceV::CloseAll()
{
    for (int i = 0; i < m_count; ++i)
        m_items[i].m_itemDevice.reset();
    m_count = 0;
}

int CzxUSBDeviceV::FindPath(const wxString& path) const
{
    for (int i = 0; i < m_count; ++i)
        if (m_items[i].m_path == path)
            return i;
    return -1;
}
