#pragma once
#include <cstdint>
#include <wx/string.h>

class CxutPktPort;

// One USB HID device of the multi-device logger as its packet port sees it:
// its identity, and whole reports in both directions. While open it hands
// every input report's payload (8 or 64 bytes, no report id) to the port,
// on a thread of its own.
class CxutPktDevice
{
public:
    virtual ~CxutPktDevice();

    virtual int GetVendorId() const = 0;
    virtual int GetProductId() const = 0;
    virtual int GetReleaseBCD() const = 0;
    // Tells one plugged device from another across scans.
    virtual wxString GetPath() const = 0;
    // 9 or 65: the payload and the report id in front of it.
    virtual int GetReportLength() const = 0;

    virtual bool Open(CxutPktPort* sink) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Open and still plugged in.
    virtual bool IsReady() const = 0;
    // One report's payload (report length - 1 bytes); false when refused.
    virtual bool WriteReport(const uint8_t* payload) = 0;
    // How often the device is asked for input, in ms.
    virtual void SetInterval(int ms) = 0;

    bool IsShortReport() const { return GetVendorId() == 0x2F1A && GetProductId() == 0x0301; }
    bool IsPacket() const;
    // BCD digits read as a decimal number: 0x0110 gives 110.
    int GetReleaseNumber() const;
};

// The kind of a device by its ids: 1 short-report, 2 packet, else 0.
int xutPktDeviceKind(int vendorId, int productId);
