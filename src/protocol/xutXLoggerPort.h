#pragma once
#include <cstdint>
#include <memory>

class CzxUSBDevice;
class CzxUSBPort;

// One transport of the command link to the newer loggers, as the link sees
// it: a receive buffer filled by the transport's own thread, and writes.
class CxutXLoggerPort
{
public:
    virtual ~CxutXLoggerPort();

    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() = 0;
    // Connected and its channels set up, so that streaming can start.
    virtual bool IsReady() = 0;
    // Empties both buffers.
    virtual void Flush() = 0;
    virtual uint32_t GetInputCount() = 0;
    // Exactly n bytes within ms, else false with nothing taken. A port may
    // wait longer when not strict (Bluetooth LE goes on to 5 s).
    virtual bool Read(uint32_t n, uint8_t* buffer, uint32_t ms, bool strict) = 0;
    virtual bool Write(uint32_t n, const uint8_t* bytes) = 0;
    // The USB device's ids; 0 for other transports or without a device.
    virtual int32_t GetVendorId() { return 0; }
    virtual int32_t GetProductId() { return 0; }
    // Takes the USB device to talk to; false when the port cannot.
    virtual bool SetDevice(std::unique_ptr<CzxUSBDevice> device);
    // Drops the device after closing (USB); a gone device is abandoned
    // without closing first.
    virtual void Detach() {}
    virtual void Abandon() { Close(); }
    // The USB report port underneath, for the boot loader's installer to
    // borrow; none for other transports.
    virtual CzxUSBPort* GetUSBPort() { return nullptr; }
};
