#include "transport/zxUSBSimHost.h"

#include "transport/zxUSBSimDevice.h"
#include "transport/zxUSBSimHandle.h"

#include <algorithm>

CzxUSBSimHost::CzxUSBSimHost() = default;

CzxUSBSimHost::~CzxUSBSimHost() = default;

wxString CzxUSBSimHost::Add(std::shared_ptr<CzxUSBSimDevice> device)
{
    std::lock_guard<std::mutex> lock(m_lock);
    const wxString path = wxString::Format("sim/usb/%d", ++m_added);
    m_slots.push_back({path, std::move(device)});
    return path;
}

void CzxUSBSimHost::Remove(const std::shared_ptr<CzxUSBSimDevice>& device)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_slots.erase(std::remove_if(m_slots.begin(), m_slots.end(),
                                 [&](const CzxSlot& slot) { return slot.m_device == device; }),
                  m_slots.end());
}

void CzxUSBSimHost::SetBroken(bool broken)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_broken = broken;
}

bool CzxUSBSimHost::List(std::vector<CzxUSBHostInfo>& devices)
{
    devices.clear();
    std::vector<CzxSlot> slots;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_broken)
            return false;
        slots = m_slots;
    }
    for (const CzxSlot& slot : slots) {
        if (!slot.m_device->IsPlugged())
            continue;
        CzxUSBHostInfo info;
        info.m_path = slot.m_path;
        info.m_vendorId = slot.m_device->GetVendorId();
        info.m_productId = slot.m_device->GetProductId();
        info.m_releaseBCD = slot.m_device->GetReleaseBCD();
        devices.push_back(info);
    }
    return true;
}

std::unique_ptr<CzxUSBHandle> CzxUSBSimHost::Open(const wxString& path)
{
    std::shared_ptr<CzxUSBSimDevice> device;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (const CzxSlot& slot : m_slots)
            if (slot.m_path == path)
                device = slot.m_device;
    }
    if (!device)
        return nullptr;
    const int generation = device->HostOpen();
    if (generation < 0)
        return nullptr;
    return std::make_unique<CzxUSBSimHandle>(device, generation);
}
