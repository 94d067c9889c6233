#pragma once
#include "transport/zxUSBHost.h"

class CzxUSBSimDevice;

// A simulated device as opened by its host; dead once the device has been
// unplugged, even when it comes back.
class CzxUSBSimHandle : public CzxUSBHandle
{
public:
    CzxUSBSimHandle(std::shared_ptr<CzxUSBSimDevice> device, int generation);

    int Write(const uint8_t* report, size_t n) override;
    int Read(uint8_t* buffer, size_t n, int ms) override;

private:
    std::shared_ptr<CzxUSBSimDevice> m_device;
    const int m_generation;
};
