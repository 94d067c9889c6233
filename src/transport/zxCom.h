#pragma once
#include "transport/zxBTDevice.h"
#include "transport/zxSerialPort.h"
#include "transport/zxUSBPort.h"

#include <cstdint>
#include <wx/string.h>

// Port numbers of the links.
enum
{
    zxCOM_USB = 100,
    zxCOM_SIMULATED = 101,
    zxCOM_RFCOMM = 102,
    zxCOM_BLUETOOTH_LE = 103,
};

// One communication port of a logger, chosen by its number: 1 to 99 a serial
// port (also 103, given a device name), 100 a USB HID device, 102 Bluetooth
// RFCOMM. Every call goes to the link the number selects, so the byte
// protocol is written once for all of them. Used on the box thread only.
class CzxCom
{
public:
    CzxCom();
    virtual ~CzxCom();
    CzxCom(const CzxCom&) = delete;
    CzxCom& operator=(const CzxCom&) = delete;

    // 102: the name is the device's address text; 1 to 99 and others: the
    // serial port is closed and given the number and the device name.
    void SetPort(int port, const wxString& name);
    int GetPort() const { return m_port; }
    bool Open();
    // With drain, waits a bounded while for the queued bytes to go first.
    void Close(bool drain);
    // Drops every link at once, without draining.
    void Abort();

    bool IsOpen() const;
    bool IsReady() const;
    bool IsBTPort() const { return m_port == zxCOM_RFCOMM; }
    bool IsBluetooth() const { return m_port == zxCOM_RFCOMM; }
    bool IsUSB() const { return m_port == zxCOM_USB; }
    bool IsSerial() const { return m_port >= 1 && m_port <= 99; }
    bool IsValidPort() const;
    int GetOpenPort() const { return IsOpen() ? m_port : 0; }
    int GetStatus() const;

    void Flush();
    void FlushSerial();
    uint32_t GetRXCount();
    uint32_t GetTXCount();
    uint32_t WaitRXCount(uint32_t n, long ms);

    // Exactly n bytes within the time-out, or none: what came stays for the
    // next read. On RFCOMM a read goes on waiting until 3 s after its start;
    // the strict forms stop at the time-out.
    bool Read(int n, void* buffer, float seconds);
    bool ReadStrict(int n, void* buffer, float seconds);
    // 0 to 255, or -1 when nothing came.
    int ReadByte(float seconds);
    int ReadByteStrict(float seconds);
    // False, the bytes dropped, when the link is not open.
    bool Write(int n, const void* bytes);
    bool WriteByte(uint8_t byte);
    bool WriteMessage(int n, const void* bytes);
    // Waits up to 1 s + 2 ms a queued byte for the transmit buffer to empty.
    void WaitTXEmpty();

    CzxSerialPort& GetSerialPort() { return m_serial; }
    CzxBTDevice& GetBTDevice() { return m_rfcomm; }
    // The logger driver attaches the device before opening port 100.
    CzxUSBPort& GetUSBPort() { return m_usb; }

private:
    bool ReadRouted(int n, void* buffer, float seconds, bool strict);

    int m_port = 0;
    CzxSerialPort m_serial;
    // Its 8-byte reports carry a count byte.
    CzxUSBPort m_usb{true, true};
    CzxBTDevice m_rfcomm;
};
