#include "transport/zxUSBDeviceV.h"

#include <vector>

CzxUSBDeviceV::CzxUSBDeviceV() = default;

CzxUSBDeviceV::~CzxUSBDeviceV() = default;

bool CzxUSBDeviceV::Accept(const CzxUSBDeviceVItem&)
{
    return true;
}

int CzxUSBDeviceV::Scan(const CzxUSBDeviceV* known)
{
    CloseAll();
    CzxUSBHost& host = zxGetUSBHost();
    std::vector<CzxUSBHostInfo> found;
    if (!host.List(found))
        return 0;
    for (const CzxUSBHostInfo& info : found) {
        if (m_count >= kItems)
            break;
        CzxUSBDeviceVItem& item = m_items[m_count];
        item.m_itemDevice = std::make_unique<CzxUSBDevice>();
        bool keep = item.m_itemDevice->ReadProperties(host, info);
        if (keep) {
            item.m_vendorId = item.m_itemDevice->GetVendorId();
            item.m_productId = item.m_itemDevice->GetProductId();
            item.m_path = item.m_itemDevice->GetPath();
            keep = !(known && known->FindPath(item.m_path) >= 0) && Accept(item);
        }
        if (keep)
            ++m_count;
        else
            item.m_itemDevice.reset();
    }
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
