#include "protocol/xutXLoggerUSBPort.h"

bool CxutXLoggerUSBPort::Read(uint32_t n, uint8_t* buffer, uint32_t ms, bool)
{
    return m_port.Read(buffer, n, long(ms));
}

bool CxutXLoggerUSBPort::Write(uint32_t n, const uint8_t* bytes)
{
    return m_port.Write(bytes, n);
}

int32_t CxutXLoggerUSBPort::GetVendorId()
{
    const CzxUSBDevice* device = m_port.GetDevice();
    return device ? device->GetVendorId() : 0;
}

int32_t CxutXLoggerUSBPort::GetProductId()
{
    const CzxUSBDevice* device = m_port.GetDevice();
    return device ? device->GetProductId() : 0;
}

bool CxutXLoggerUSBPort::SetDevice(std::unique_ptr<CzxUSBDevice> device)
{
    if (!device)
        return false;
    m_port.SetDevice(std::move(device));
    return true;
}
