#pragma once
#include "emulators/emuPktDevice.h"
#include "transport/zxUSBSimDevice.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A device of the multi-device logger on the simulated USB bus: the host's
// output reports go to the emulated device, and at every poll interval (2 ms
// for a packet device, 8 ms for a short-report one) its report is queued for
// the host, at most one waiting, as a HID device keeps only what the host has
// not yet read.
class CemuPktUSBDevice : public CzxUSBSimDevice
{
public:
    static std::shared_ptr<CemuPktUSBDevice> Packet(std::vector<unsigned char> block,
                                                    int32_t releaseBCD = 0x0200);
    static std::shared_ptr<CemuPktUSBDevice> Short(int32_t releaseBCD = 0x0112);

    CemuPktUSBDevice(int32_t vendorId, int32_t productId, int32_t releaseBCD);
    ~CemuPktUSBDevice() override;

    // The emulated device, under the lock its poll takes.
    void With(const std::function<void(CemuPktDevice&)>& f);
    // Reports stop (and start again) as if the device hung.
    void SetAnswering(bool on) { m_answering = on; }

protected:
    void OnWrite(const std::vector<uint8_t>& report) override;

private:
    void Run();

    std::mutex m_deviceLock;
    CemuPktDevice m_device;
    std::atomic<bool> m_answering{true};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
