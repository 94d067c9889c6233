#include "transport/zxUSBDeviceBase.h"

#include "transport/zxUSBReadWriteThread.h"

#include <wx/utils.h>

namespace {

constexpr int32_t kVendor2F1A = 0x2F1A;
constexpr int32_t kVendor3A7C = 0x3A7C;
constexpr int32_t kVendor04D8 = 0x04D8;

} // namespace

int zxUSBReportLength(int32_t vendor, int32_t product)
{
    const bool wide = (vendor == kVendor3A7C && product >= 0x0101 && product <= 0x010F)
                      || (vendor == kVendor2F1A && product >= 0x0400 && product <= 0x040F)
                      || (vendor == kVendor3A7C
                          && (product == 0x0010 || product == 0x0020 || product == 0x0011 || product == 0x0021))
                      || (vendor == kVendor04D8 && product == 0x003C);
    return wide ? 65 : 9;
}

CzxUSBDeviceBase::CzxUSBDeviceBase() : m_ioThreadMgr(this) {}

CzxUSBDeviceBase::~CzxUSBDeviceBase() = default;

void CzxUSBDeviceBase::RunIO(CzxUSBReadWriteThread& thread)
{
    bool skip = true;
    while (thread.CheckState(&skip))
        if (!skip)
            wxMilliSleep(5);
}

bool CzxUSBDeviceBase::IsProduct0301() const
{
    return GetVendorId() == kVendor2F1A && GetProductId() == 0x0301;
}

bool CzxUSBDeviceBase::IsProduct0301Old() const
{
    return IsProduct0301() && GetReleaseNumber() < 110;
}

bool CzxUSBDeviceBase::IsProduct0301New() const
{
    return IsProduct0301() && GetReleaseNumber() >= 110;
}

bool CzxUSBDeviceBase::IsProductRange0400() const
{
    const int32_t vendor = GetVendorId();
    const int32_t product = GetProductId();
    return (vendor == kVendor3A7C && product >= 0x0101 && product <= 0x010F)
           || (vendor == kVendor2F1A && product >= 0x0401 && product <= 0x040F);
}

bool CzxUSBDeviceBase::IsProduct0010() const
{
    return GetVendorId() == kVendor3A7C && GetProductId() == 0x0010;
}

bool CzxUSBDeviceBase::IsProduct0020() const
{
    return GetVendorId() == kVendor3A7C && GetProductId() == 0x0020;
}

bool CzxUSBDeviceBase::IsProduct0011() const
{
    return (GetVendorId() == kVendor3A7C && GetProductId() == 0x0011)
           || (GetVendorId() == kVendor04D8 && GetProductId() == 0x003C);
}

bool CzxUSBDeviceBase::IsProduct0021() const
{
    return GetVendorId() == kVendor3A7C && GetProductId() == 0x0021;
}

bool CzxUSBDeviceBase::IsProduct0011Or0021() const
{
    return IsProduct0011() || IsProduct0021();
}

int CzxUSBDeviceBase::GetReleaseNumber() const
{
    const int32_t r = GetReleaseBCD();
    return (r & 0xF) + 10 * ((r >> 4) & 0xF) + 100 * ((r >> 8) & 0xF);
}

int CzxUSBDeviceBase::GetReportLength() const
{
    return zxUSBReportLength(GetVendorId(), GetProductId());
}

bool CzxUSBDeviceBase::StartIO(int priority)
{
    if (!m_ioThreadMgr.Start(new CzxUSBReadWriteThread(*this), priority))
        return false;
    m_ioThreadMgr.SetState(zxTHREAD_RUN);
    return true;
}

CzxUSBPort* CzxUSBDeviceBase::GetPort() const
{
    std::lock_guard<std::mutex> lock(m_portLock);
    return m_port;
}

void CzxUSBDeviceBase::SetPort(CzxUSBPort* port)
{
    std::lock_guard<std::mutex> lock(m_portLock);
    m_port = port;
}

int CzxUSBDeviceBase::GetPaceDelay(int64_t sinceRX) const
{
    const int64_t interval = m_interval;
    if (interval == 0)
        return 0; // no poll period to keep to
    int64_t phase = sinceRX % interval;
    if (phase < 0)
        phase += interval;
    return phase <= 6 ? int(interval - phase + 1) : 0;
}
