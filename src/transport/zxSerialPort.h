#pragma once
#include "transport/zxByteFIFO.h"
#include "transport/zxThread.h"

#include <wx/string.h>

// A byte port on a terminal device, raw at 9600 baud, 8 data bits, no parity,
// 1 stop bit. Its own thread moves bytes between the device and the two
// buffers; the logger thread writes into the one and reads from the other.
class CzxSerialPort
{
public:
    CzxSerialPort();
    virtual ~CzxSerialPort();
    CzxSerialPort(const CzxSerialPort&) = delete;
    CzxSerialPort& operator=(const CzxSerialPort&) = delete;

    // Closes the port first; an empty name means the number's default device.
    void SetPort(int port, const wxString& name);
    bool Open();
    // The buffers keep their contents.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // Also sets the device's own read limit in tenths of a second.
    void SetTimeout(float seconds);
    float GetTimeout() const { return m_timeout; }
    // Queues the bytes for the port's thread.
    bool Write(const void* bytes, uint32_t n);
    // Exactly n bytes within the time-out, or none: what came stays queued.
    bool Read(void* buffer, uint32_t n);
    uint32_t WaitRXCount(uint32_t n, long ms);
    uint32_t GetRXCount();
    uint32_t GetTXCount();
    void Flush();
    int GetStatus() const { return -2; }

    // The path opened, or to be opened.
    wxString GetPath() const;

private:
    // Raw 8N1 at 9600 baud; false when the device refuses.
    bool ApplySettings();
    void CloseDescriptor();

    float m_timeout = 1.0f;
    int m_fd = -1;
    int m_port = 0;
    wxString m_name;
    CzxByteFIFO m_tx;
    CzxByteFIFO m_rx;
    CzxThreadMgr m_threadMgr;
};

// The serial ports that the automatic logger search tries.
wxString zxSerialDefaultPortList();

// Each builder fills in its text and is true for port numbers 1 to 99.
// "ttyS" followed by the port number minus one.
bool zxSerialPortName(wxString& out, int port);
// The device of port n: "/dev/ttyS<n-1>", or, when QUORVANTI_SERIAL_PREFIX
// is set, that prefix followed by n.
bool zxSerialPortPath(wxString& out, int port);
// The serial devices bound to Bluetooth: "/dev/rfcomm<n-1>" and "rfcomm<n-1>".
bool zxRfcommPortPath(wxString& out, int port);
bool zxRfcommPortName(wxString& out, int port);
// The serial branch of the logger manager's port test: nothing to test.
int zxSerialCheckPort(int port);
