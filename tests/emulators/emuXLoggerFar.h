#pragma once
#include "emulators/emuXLoggerBtle.h"
#include "emulators/emuXLoggerUSB.h"
#include "transport/zxUSBSimHost.h"

#include <functional>
#include <memory>

// The emulated newer logger within the program's reach over one transport:
// on a simulated USB bus that the scans use (the bus set back after), or in
// range of the shared central's simulated Bluetooth LE adapter, powered on,
// listed and selected as "Kestilon SIM-1".
class CemuXLoggerFar
{
public:
    static const wxString kIdentifier;
    static const wxString kName;

    explicit CemuXLoggerFar(bool usb, int32_t product = 0x0010);
    ~CemuXLoggerFar();
    CemuXLoggerFar(const CemuXLoggerFar&) = delete;
    CemuXLoggerFar& operator=(const CemuXLoggerFar&) = delete;

    bool IsUSB() const { return m_usb; }
    CemuXLoggerPeer& Peer();
    // Runs a change or a look at the logger under the peer's lock.
    void With(const std::function<void(CemuXLogger&)>& use);
    // Waits, polling, until the logger streams (a Bluetooth LE peripheral has
    // its commands on the adapter's thread); false only when it never did
    // within the tests' bound.
    bool WaitStreaming();

    CzxUSBSimHost& Host() { return m_host; }
    // USB only.
    CemuXLoggerUSB& Device() { return *m_device; }

private:
    const bool m_usb;
    CzxUSBSimHost m_host;
    std::shared_ptr<CemuXLoggerUSB> m_device;
    std::unique_ptr<CemuXLoggerBtle> m_peripheral;
};
