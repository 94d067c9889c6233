#include "protocol/xutXLoggerBtlePort.h"

#include "transport/zxBtle.h"

#include <limits>

// The program's port is made on first use, so that a link that never goes
// over Bluetooth LE does not wake the central.
CzxBtle& CxutXLoggerBtlePort::Btle()
{
    return m_btle ? *m_btle : zxGetBtle();
}

bool CxutXLoggerBtlePort::Open()
{
    m_opened = true;
    return Btle().Reopen();
}

void CxutXLoggerBtlePort::Close()
{
    if (m_opened)
        Btle().Close();
}
bool CxutXLoggerBtlePort::IsOpen() { return Btle().IsConnected(); }
bool CxutXLoggerBtlePort::IsReady() { return Btle().IsOpenOK(); }
void CxutXLoggerBtlePort::Flush() { Btle().Flush(); }
uint32_t CxutXLoggerBtlePort::GetInputCount() { return Btle().GetRXCount(); }

bool CxutXLoggerBtlePort::Read(uint32_t n, uint8_t* buffer, uint32_t ms, bool strict)
{
    CzxBtle& btle = Btle();
    btle.SetTimeout(float(ms) / 1000.0f);
    return strict ? btle.ReadStrict(buffer, n) : btle.Read(buffer, n);
}

bool CxutXLoggerBtlePort::Write(uint32_t n, const uint8_t* bytes)
{
    if (n > uint32_t(std::numeric_limits<int32_t>::max()))
        return false;
    return Btle().Write(bytes, int32_t(n));
}
