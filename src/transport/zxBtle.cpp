#include "transport/zxBtle.h"

#include "transport/zxStopWatch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr int32_t kValueSize = 20;
// A read that is not strict waits this long in all, whatever its time-out.
constexpr long kLongestRead = 4999;

CzxBtleManager& Central()
{
    return CzxBtleManager::Shared();
}

void zxBtleOnReceive(int32_t count, const uint8_t* bytes, void* handle)
{
    static_cast<CzxBtle*>(handle)->OnReceive(count, bytes);
}

void SleepMs()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace

CzxBtle::CzxBtle()
{
    Central().SetReceiveHandler(&zxBtleOnReceive, this);
}

CzxBtle::~CzxBtle()
{
    // Waits for a value being handed over now; none reaches this port later.
    Central().RemoveReceiveHandler(this);
}

CzxBtle& zxGetBtle()
{
    static CzxBtle port;
    return port;
}

void CzxBtle::OnReceive(int32_t count, const uint8_t* bytes)
{
    if (count > 0 && bytes)
        m_rxFIFO.Put(bytes, uint32_t(count));
}

bool CzxBtle::Reopen()
{
    Central().Close();
    m_txFIFO.Clear();
    m_rxFIFO.Clear();
    return Central().Open();
}

void CzxBtle::Close()
{
    Central().Close();
}

bool CzxBtle::IsConnected() const
{
    return Central().IsOpen();
}

bool CzxBtle::IsOpen() const
{
    return Central().IsOpen();
}

bool CzxBtle::IsOpenOK() const
{
    return Central().IsOpen();
}

bool CzxBtle::Write(const uint8_t* bytes, int32_t n)
{
    if (!IsOpenOK() || (n > 0 && !bytes))
        return false;
    wxString identifier;
    if (!Central().GetWriteTarget(identifier))
        return false;
    if (n < 1)
        return true;
    for (int32_t sent = 0; sent < n; sent += kValueSize)
        Central().WriteValue(identifier, bytes + sent, size_t(std::min(kValueSize, n - sent)));
    return true;
}

bool CzxBtle::Read(uint8_t* buffer, uint32_t n)
{
    if (!IsOpenOK() || (n > 0 && !buffer))
        return false;
    CzxStopWatch watch;
    const long limit = long(std::floor(double(m_timeout) * 1000.0 + 0.5));
    while (m_rxFIFO.GetCount() < n && watch.Time() < limit)
        SleepMs();
    if (!m_strict) {
        while (m_rxFIFO.GetCount() < n && watch.Time() <= kLongestRead)
            SleepMs();
    }
    return m_rxFIFO.Get(buffer, n);
}

bool CzxBtle::ReadStrict(uint8_t* buffer, uint32_t n)
{
    m_strict = true;
    const bool got = Read(buffer, n);
    m_strict = false;
    return got;
}

uint32_t CzxBtle::WaitRXCount(uint32_t n, int32_t ms)
{
    CzxStopWatch watch;
    while (m_rxFIFO.GetCount() < n && watch.Time() < ms)
        SleepMs();
    return m_rxFIFO.GetCount();
}

uint32_t CzxBtle::GetRXCount()
{
    return IsOpenOK() ? m_rxFIFO.GetCount() : 0;
}

uint32_t CzxBtle::GetTXCount()
{
    return IsOpenOK() ? m_txFIFO.GetCount() : 0;
}

void CzxBtle::Flush()
{
    if (!IsOpenOK())
        return;
    m_txFIFO.Clear();
    m_rxFIFO.Clear();
}

bool CzxBtle::HasLogger() const
{
    return !Central().IsSimulated();
}

void CzxBtle::LoadUserDefaults()
{
    Central().LoadUserDefaults();
}

void CzxBtle::SetSelectedLogger(const wxString& identifier, const wxString& name)
{
    Central().LoadSelectedLogger(identifier, name);
}

bool CzxBtle::IsScanning() const
{
    return Central().IsScanning();
}

bool CzxBtle::ScanStart()
{
    return Central().ScanStart();
}

void CzxBtle::ScanStop()
{
    Central().ScanStop();
}

void CzxBtle::ClearLoggers()
{
    Central().ClearLoggers();
}

void CzxBtle::ForgetLoggers()
{
    Central().ForgetLoggers();
}

void CzxBtle::InitSelection()
{
    Central().InitSelection();
}

int CzxBtle::GetLoggerCount() const
{
    return Central().GetLoggerCount();
}

void CzxBtle::GetLogger(int index, wxString& name, wxString& identifier) const
{
    Central().GetLogger(index, name, identifier);
}

int CzxBtle::GetSelectedIndex() const
{
    return Central().GetSelectedOrNone();
}

void CzxBtle::SelectLogger(int index)
{
    if (index < 0 || index > Central().GetLoggerCount())
        Central().SelectNone();
    else
        Central().SelectLogger(index);
}

void CzxBtle::GetStateText(wxString& text) const
{
    const int dash = text.Find(" - ");
    if (dash != wxNOT_FOUND)
        text.Truncate(size_t(dash));
    text += " - " + Central().GetStateText();
}

void CzxBtle::SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle)
{
    Central().SetDiscoverHandler(handler, handle);
}

void CzxBtle::OnScanDialogEvent() {}
