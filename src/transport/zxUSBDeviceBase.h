#pragma once
#include "transport/zxUSBRWThreadMgr.h"

#include <cstdint>
#include <mutex>

class CzxUSBPort;
class CzxUSBReadWriteThread;

// Report length of a device by its ids, counting the leading report id: 65
// for the packet devices, the command-protocol loggers and the boot loaders,
// 9 for every other device.
int zxUSBReportLength(int32_t vendorId, int32_t productId);

// One USB device of the maker's loggers: its identity tests, its poll interval
// and its I/O thread, which hands every whole input report to the owning port.
class CzxUSBDeviceBase
{
public:
    CzxUSBDeviceBase();
    virtual ~CzxUSBDeviceBase();
    CzxUSBDeviceBase(const CzxUSBDeviceBase&) = delete;
    CzxUSBDeviceBase& operator=(const CzxUSBDeviceBase&) = delete;

    virtual int32_t GetVendorId() const { return 0; }
    virtual int32_t GetProductId() const { return 0; }
    virtual int32_t GetReleaseBCD() const { return 0; }
    // The body of the I/O thread; returns once the thread is to stop.
    virtual void RunIO(CzxUSBReadWriteThread& thread);

    bool IsProduct0301() const;
    bool IsProduct0301Old() const;
    bool IsProduct0301New() const;
    bool IsProductRange0400() const;
    bool IsProduct0010() const;
    bool IsProduct0020() const;
    bool IsProduct0011() const;
    bool IsProduct0021() const;
    bool IsProduct0011Or0021() const;
    // The release BCD's three low digits read as a decimal number.
    int GetReleaseNumber() const;
    int GetReportLength() const;

    // Starts the I/O thread at the priority and asks it to run.
    bool StartIO(int priority);

    uint8_t GetInterval() const { return m_interval; }
    void SetInterval(uint8_t ms) { m_interval = ms; }
    CzxUSBPort* GetPort() const;
    void SetPort(CzxUSBPort* port);

    // Milliseconds a write to product 0x0301 waits, given the milliseconds
    // since the last input report: a write early in the device's poll period
    // waits until just after the next poll, so that it does not cross it.
    int GetPaceDelay(int64_t sinceRX) const;

protected:
    CzxUSBRWThreadMgr m_ioThreadMgr;

private:
    uint8_t m_interval = 8;
    // Read on the I/O thread.
    mutable std::mutex m_portLock;
    CzxUSBPort* m_port = nullptr;
};
