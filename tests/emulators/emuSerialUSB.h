#pragma once
#include "emulators/emuSerialLogger.h"
#include "transport/zxUSBSimDevice.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

// A serial-family logger behind a serial-type USB interface (vendor 0x2F1A,
// product 0x0100): the host's counted 8-byte output reports feed the
// logger, and what it sends goes back as 8-byte reports with the running
// count. A thread sends what the logger sends by itself, and repeats the
// last report while there is nothing new.
class CemuSerialUSB : public CzxUSBSimDevice
{
public:
    CemuSerialUSB();
    ~CemuSerialUSB() override;

    // Runs a change or a look at the logger under the emulator's lock.
    void With(const std::function<void(CemuSerialLogger&)>& use);

protected:
    void OnWrite(const std::vector<uint8_t>& report) override;

private:
    std::mutex m_lock;
    CemuSerialLogger m_logger;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
