#include "transport/zxCom.h"

#include "transport/zxStopWatch.h"

#include <wx/utils.h>

namespace {
// Loggers on these links need a moment after the link opens.
constexpr unsigned long kOpenPauseMs = 500;
constexpr int kStatusOpen = -2;
constexpr int kStatusClosed = 8012;
} // namespace

CzxCom::CzxCom() = default;

// The links go in reverse order; a serial port still open stops its thread.
CzxCom::~CzxCom() = default;

void CzxCom::SetPort(int port, const wxString& name)
{
    m_port = port;
    if (port == zxCOM_USB)
        return;
    if (port == zxCOM_RFCOMM) {
        m_rfcomm.SetAddress(name);
        return;
    }
    m_serial.SetPort(port, name);
}

bool CzxCom::IsValidPort() const
{
    return (m_port >= 1 && m_port <= 99) || m_port == zxCOM_USB || m_port == zxCOM_RFCOMM ||
           m_port == zxCOM_BLUETOOTH_LE;
}

bool CzxCom::Open()
{
    if (m_port == zxCOM_USB)
        return m_usb.Open(); // no pause: the logger is ready as soon as it is open
    if (m_port == zxCOM_RFCOMM) {
        if (!m_rfcomm.Open())
            return false;
        wxMilliSleep(kOpenPauseMs);
        return true;
    }
    if ((m_port < 1 || m_port > 99) && m_port != zxCOM_BLUETOOTH_LE)
        return false;
    if (!m_serial.Open())
        return false;
    if (m_port >= 3)
        wxMilliSleep(kOpenPauseMs);
    return true;
}

void CzxCom::WaitTXEmpty()
{
    CzxStopWatch watch;
    const uint32_t queued = GetTXCount();
    const float limit = float(1.0 + 0.002 * double(queued));
    const long limitMs = long(limit * 1000.0f);
    while (GetTXCount() > 0 && watch.Time() < limitMs)
        wxMilliSleep(1);
}

void CzxCom::Close(bool drain)
{
    if (drain)
        WaitTXEmpty();
    m_rfcomm.Close();
    m_usb.Close();
    m_serial.Close();
}

void CzxCom::Abort()
{
    m_rfcomm.Close();
    m_usb.Reset();
    m_serial.Close();
}

bool CzxCom::IsOpen() const
{
    if (m_port == zxCOM_RFCOMM)
        return m_rfcomm.IsOpen();
    if (m_port == zxCOM_USB)
        return m_usb.IsOpen();
    return m_serial.IsOpen();
}

bool CzxCom::IsReady() const
{
    if (m_port == zxCOM_RFCOMM)
        return m_rfcomm.IsConnected();
    if (m_port == zxCOM_USB)
        return m_usb.IsReady();
    return m_serial.IsOpen();
}

int CzxCom::GetStatus() const
{
    if (m_port == zxCOM_RFCOMM || m_port == zxCOM_USB)
        return IsOpen() ? kStatusOpen : kStatusClosed;
    return kStatusOpen;
}

void CzxCom::Flush()
{
    if (m_port == zxCOM_RFCOMM)
        m_rfcomm.Flush();
    else if (m_port == zxCOM_USB)
        m_usb.Flush();
    else
        m_serial.Flush();
}

void CzxCom::FlushSerial()
{
    if (IsSerial())
        m_serial.Flush();
}

uint32_t CzxCom::GetRXCount()
{
    if (m_port == zxCOM_RFCOMM)
        return m_rfcomm.GetRXCount();
    if (m_port == zxCOM_USB)
        return m_usb.GetRXCount();
    return m_serial.GetRXCount();
}

uint32_t CzxCom::GetTXCount()
{
    if (m_port == zxCOM_RFCOMM)
        return m_rfcomm.GetTXCount();
    if (m_port == zxCOM_USB)
        return m_usb.GetTXCount();
    return m_serial.GetTXCount();
}

uint32_t CzxCom::WaitRXCount(uint32_t n, long ms)
{
    if (m_port == zxCOM_RFCOMM)
        return m_rfcomm.WaitRXCount(n, ms);
    if (m_port == zxCOM_USB)
        return m_usb.WaitRXCount(n, ms);
    return m_serial.WaitRXCount(n, ms);
}

bool CzxCom::ReadRouted(int n, void* buffer, float seconds, bool strict)
{
    if (!IsOpen())
        return false;
    if (n == 0)
        return true;
    if (n < 0)
        return false;
    if (m_port == zxCOM_RFCOMM) {
        m_rfcomm.SetTimeout(seconds);
        return strict ? m_rfcomm.ReadStrict(buffer, uint32_t(n)) : m_rfcomm.Read(buffer, uint32_t(n));
    }
    if (m_port == zxCOM_USB)
        return m_usb.Read(buffer, uint32_t(n), long(seconds * 1000.0f + 0.5f));
    m_serial.SetTimeout(seconds);
    return m_serial.Read(buffer, uint32_t(n));
}

bool CzxCom::Read(int n, void* buffer, float seconds)
{
    return ReadRouted(n, buffer, seconds, false);
}

bool CzxCom::ReadStrict(int n, void* buffer, float seconds)
{
    return ReadRouted(n, buffer, seconds, true);
}

int CzxCom::ReadByte(float seconds)
{
    uint8_t byte = 0;
    return Read(1, &byte, seconds) ? byte : -1;
}

int CzxCom::ReadByteStrict(float seconds)
{
    uint8_t byte = 0;
    return ReadStrict(1, &byte, seconds) ? byte : -1;
}

bool CzxCom::Write(int n, const void* bytes)
{
    if (!IsOpen() || n < 0)
        return false;
    if (m_port == zxCOM_USB)
        return m_usb.Write(bytes, uint32_t(n));
    return WriteMessage(n, bytes);
}

bool CzxCom::WriteByte(uint8_t byte)
{
    return Write(1, &byte);
}

bool CzxCom::WriteMessage(int n, const void* bytes)
{
    if (n < 0)
        return false;
    if (m_port == zxCOM_RFCOMM)
        return m_rfcomm.Write(bytes, uint32_t(n));
    if (m_port == zxCOM_USB)
        return m_usb.WriteMessage(bytes, uint32_t(n));
    return m_serial.Write(bytes, uint32_t(n));
}
