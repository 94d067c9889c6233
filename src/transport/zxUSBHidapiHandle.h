#pragma once
#include "transport/zxUSBHost.h"

#include <mutex>

typedef struct hid_device_ hid_device;

// One device opened through hidapi. hidapi's calls on one device are not safe
// from two threads (each call rewrites the device's error text), so every call
// takes the lock, and reads only look, sleeping outside it: a write waits for
// a look, never for a whole read time-out.
class CzxUSBHidapiHandle : public CzxUSBHandle
{
public:
    // Takes the device over; it is closed with the handle.
    explicit CzxUSBHidapiHandle(hid_device* device);
    ~CzxUSBHidapiHandle() override;
    CzxUSBHidapiHandle(const CzxUSBHidapiHandle&) = delete;
    CzxUSBHidapiHandle& operator=(const CzxUSBHidapiHandle&) = delete;

    int Write(const uint8_t* report, size_t n) override;
    int Read(uint8_t* buffer, size_t n, int ms) override;

private:
    std::mutex m_lock;
    hid_device* m_device;
};
