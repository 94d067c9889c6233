#pragma once
#include "transport/zxThread.h"

class CzxUSBDeviceBase;

// The I/O thread of one open USB device: runs the device's RunIO.
class CzxUSBReadWriteThread : public CzxThread
{
public:
    explicit CzxUSBReadWriteThread(CzxUSBDeviceBase& device);

    ExitCode Entry() override;

private:
    CzxUSBDeviceBase& m_device;
};
