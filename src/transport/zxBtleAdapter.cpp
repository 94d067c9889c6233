#include "transport/zxBtleAdapter.h"

#include <chrono>

namespace {

// Between two reports of a scan, as a radio would space them.
constexpr std::chrono::milliseconds kReportPause(150);

} // namespace

CzxBtleAdapter::CzxBtleAdapter() = default;

CzxBtleAdapter::~CzxBtleAdapter()
{
    StopScan();
}

int CzxBtleAdapter::GetState() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_state;
}

void CzxBtleAdapter::SetState(int state)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_state = state;
        if (state != BTLE_STATE_POWERED_ON)
            m_connected.clear();
    }
    m_wake.notify_all();
}

void CzxBtleAdapter::AddInRange(const CzxBtlePeripheral& peripheral)
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        for (CzxBtlePeripheral& known : m_inRange) {
            if (known.identifier == peripheral.identifier) {
                known = peripheral;
                return;
            }
        }
        m_inRange.push_back(peripheral);
    }
    m_wake.notify_all();
}

void CzxBtleAdapter::Reset()
{
    StopScan();
    std::lock_guard<std::mutex> lock(m_lock);
    m_inRange.clear();
    m_connected.clear();
}

bool CzxBtleAdapter::StartScan(Discovered discovered)
{
    StopScan();
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_state != BTLE_STATE_POWERED_ON)
        return false;
    m_discovered = std::move(discovered);
    m_stop = false;
    m_thread = std::thread([this] { Scan(); });
    return true;
}

void CzxBtleAdapter::StopScan()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

bool CzxBtleAdapter::IsScanning() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_thread.joinable() && !m_stop;
}

void CzxBtleAdapter::Scan()
{
    size_t reported = 0;
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stop) {
        // Sleeps between reports; woken at once by a stop or a new logger.
        m_wake.wait_for(lock, kReportPause);
        if (m_stop || m_state != BTLE_STATE_POWERED_ON)
            continue;
        if (reported < m_inRange.size()) {
            const CzxBtlePeripheral found = m_inRange[reported++];
            const Discovered discovered = m_discovered;
            lock.unlock();
            if (discovered)
                discovered(found);
            lock.lock();
        }
    }
}

bool CzxBtleAdapter::Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    for (const CzxBtlePeripheral& known : m_inRange) {
        if (known.identifier.IsSameAs(identifier, false)) {
            out = known;
            return true;
        }
    }
    return false;
}

std::vector<CzxBtlePeripheral> CzxBtleAdapter::RetrieveConnected() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<CzxBtlePeripheral> connected;
    for (const CzxBtlePeripheral& known : m_inRange) {
        if (m_connected.count(known.identifier))
            connected.push_back(known);
    }
    return connected;
}

void CzxBtleAdapter::Connect(const wxString& identifier)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_state == BTLE_STATE_POWERED_ON)
        m_connected.insert(identifier);
}

void CzxBtleAdapter::Disconnect(const wxString& identifier)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_connected.erase(identifier);
}
