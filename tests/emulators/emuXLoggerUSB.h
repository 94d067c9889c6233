#pragma once
#include "emulators/emuXLoggerPeer.h"
#include "transport/zxUSBSimDevice.h"

#include <memory>

// The emulated newer logger as a simulated USB HID device (vendor 0x3A7C,
// product 0x0010 or 0x0020): output reports feed the logger, its replies
// and stream packets go back as 64-byte input reports. Asked to restart in
// its boot loader, it leaves the bus and the boot loader given, if any,
// comes on instead.
class CemuXLoggerUSB : public CzxUSBSimDevice
{
public:
    explicit CemuXLoggerUSB(int32_t product = 0x0010);
    ~CemuXLoggerUSB() override;

    CemuXLoggerPeer& Peer() { return m_peer; }
    void SetBootLoader(std::shared_ptr<CzxUSBSimDevice> bootLoader);

protected:
    void OnWrite(const std::vector<uint8_t>& report) override;

private:
    CemuXLoggerPeer m_peer;
    std::shared_ptr<CzxUSBSimDevice> m_bootLoader;
};
