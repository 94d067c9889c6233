#pragma once
#include "transport/zxThread.h"

class CzxUSBDeviceBase;

// The manager of a USB device's I/O thread; knows its device.
class CzxUSBRWThreadMgr : public CzxThreadMgr
{
public:
    explicit CzxUSBRWThreadMgr(CzxUSBDeviceBase* device) : m_device(device) {}

    CzxUSBDeviceBase* GetDevice() const { return m_device; }

private:
    CzxUSBDeviceBase* const m_device;
};
