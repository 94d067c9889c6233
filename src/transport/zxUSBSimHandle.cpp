#include "transport/zxUSBSimHandle.h"

#include "transport/zxUSBSimDevice.h"

CzxUSBSimHandle::CzxUSBSimHandle(std::shared_ptr<CzxUSBSimDevice> device, int generation)
    : m_device(std::move(device)), m_generation(generation)
{
}

int CzxUSBSimHandle::Write(const uint8_t* report, size_t n)
{
    return m_device->HostWrite(m_generation, report, n);
}

int CzxUSBSimHandle::Read(uint8_t* buffer, size_t n, int ms)
{
    return m_device->HostRead(m_generation, buffer, n, ms);
}
