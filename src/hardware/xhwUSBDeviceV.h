#pragma once
#include "transport/zxUSBDeviceV.h"

// Kinds of the maker's USB devices, by vendor and product id.
enum
{
    USB_KIND_NONE = 0,
    USB_KIND_SERIAL = 1,  // serial-type interface: the byte link over USB
    USB_KIND_PACKET = 2,  // packet-protocol device (box type 7)
    USB_KIND_COMMAND = 4, // command-protocol logger (box types 10 and 12)
    USB_KIND_BOOT = 8,    // boot loader
    USB_KIND_ANY = 255,
};

// The logger manager's USB device list: a scan keeps only the devices of the
// wanted kind (any kind by default).
class CxhwUSBDeviceV : public CzxUSBDeviceV
{
public:
    bool Accept(const CzxUSBDeviceVItem& item) override;
    // The kind of the device (0 when none); true when it is the wanted kind.
    virtual bool Classify(const CzxUSBDeviceVItem& item, int& kind);

    int ScanAll() { return ScanKind(USB_KIND_ANY, nullptr); }
    int ScanSerialDevices() { return ScanKind(USB_KIND_SERIAL, nullptr); }
    int ScanPacketDevices(const CzxUSBDeviceV* known) { return ScanKind(USB_KIND_PACKET, known); }
    int ScanCommandDevices() { return ScanKind(USB_KIND_COMMAND, nullptr); }
    int ScanBootLoaders() { return ScanKind(USB_KIND_BOOT, nullptr); }

    int CountSerialDevices() { return CountKind(USB_KIND_SERIAL); }
    int CountPacketDevices() { return CountKind(USB_KIND_PACKET); }
    int CountCommandDevices() { return CountKind(USB_KIND_COMMAND); }
    int CountBootLoaders() { return CountKind(USB_KIND_BOOT); }

    CzxUSBDeviceVItem* GetSerialDevice(int n) { return GetKind(USB_KIND_SERIAL, n); }
    CzxUSBDeviceVItem* GetPacketDevice(int n) { return GetKind(USB_KIND_PACKET, n); }
    CzxUSBDeviceVItem* GetCommandDevice(int n) { return GetKind(USB_KIND_COMMAND, n); }
    CzxUSBDeviceVItem* GetBootLoader(int n) { return GetKind(USB_KIND_BOOT, n); }

    int GetWantedKind() const { return m_wanted; }

private:
    int ScanKind(int kind, const CzxUSBDeviceV* known);
    int CountKind(int kind);
    CzxUSBDeviceVItem* GetKind(int kind, int n);

    int m_wanted = USB_KIND_ANY;
};

// The kind of a device by its ids; USB_KIND_NONE when it is not the maker's.
int xhwClassifyUSBDevice(int vendorId, int productId);
