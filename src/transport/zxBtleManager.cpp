#include "transport/zxBtleManager.h"

#include <wx/app.h>

CzxBtleManager::CzxBtleManager() : m_loggers(m_adapter) {}

CzxBtleManager::~CzxBtleManager()
{
    // The adapter's thread reaches the list: it ends before the list goes.
    m_adapter.StopScan();
}

CzxBtleManager& CzxBtleManager::Shared()
{
    static CzxBtleManager manager;
    return manager;
}

bool CzxBtleManager::ScanStart()
{
    if (m_adapter.GetState() != BTLE_STATE_POWERED_ON)
        return false;
    if (m_scanning)
        ScanStop();
    m_scanning = true;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_loggers.DisconnectAll();
    }
    if (!m_adapter.StartScan([this](const CzxBtlePeripheral& peripheral) { OnDiscovered(peripheral); })) {
        m_scanning = false;
        return false;
    }
    return true;
}

bool CzxBtleManager::ScanStop()
{
    if (!m_scanning)
        return true;
    m_scanning = false;
    // Never under the lock: the adapter's thread may be waiting for it.
    m_adapter.StopScan();
    if (m_adapter.GetState() == BTLE_STATE_POWERED_ON) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_loggers.DisconnectAll();
    }
    return true;
}

wxString CzxBtleManager::GetStateText() const
{
    switch (m_adapter.GetState()) {
    case BTLE_STATE_RESETTING:
        return "Bluetooth is resetting";
    case BTLE_STATE_UNSUPPORTED:
        return "Bluetooth is unsupported";
    case BTLE_STATE_UNAUTHORIZED:
        return "Bluetooth is unauthorized";
    case BTLE_STATE_POWERED_OFF:
        return "Bluetooth is powered off";
    case BTLE_STATE_POWERED_ON:
        return "Bluetooth is powered on";
    default:
        return "Bluetooth state unknown";
    }
}

void CzxBtleManager::LoadUserDefaults()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_loadedDefaults)
        return;
    m_loadedDefaults = true;
    m_loggers.LoadUserDefaults();
}

void CzxBtleManager::LoadSelectedLogger(const wxString& identifier, const wxString& name)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_loggers.LoadSelected(identifier, name);
}

void CzxBtleManager::ClearLoggers()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_loggers.Clear();
}

void CzxBtleManager::ForgetLoggers()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_loggers.m_identifiers.ClearAndSave();
}

void CzxBtleManager::InitSelection()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_loggers.InitDialog();
}

int CzxBtleManager::GetLoggerCount() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return int(m_loggers.GetLoggers().size());
}

bool CzxBtleManager::GetLogger(int index, wxString& name, wxString& identifier) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const std::vector<CzxBtleLogger>& loggers = m_loggers.GetLoggers();
    if (index < 0 || size_t(index) >= loggers.size()) {
        name.clear();
        identifier.clear();
        return false;
    }
    name = loggers[size_t(index)].name;
    identifier = loggers[size_t(index)].identifier;
    return true;
}

int CzxBtleManager::GetSelectedIndex() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_loggers.GetSelectedIndex();
}

int CzxBtleManager::GetSelectedOrNone() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const int index = m_loggers.GetSelectedIndex();
    return size_t(index) < m_loggers.GetLoggers().size() ? index : -1;
}

CzxBtleIdentifiers CzxBtleManager::GetIdentifiers() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_loggers.m_identifiers;
}

void CzxBtleManager::SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_handler = handler;
    m_handle = handler ? handle : nullptr;
}

void CzxBtleManager::SetMainQueue(zxBtleMainQueue queue)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_mainQueue = std::move(queue);
}

// On the adapter's thread.
void CzxBtleManager::OnDiscovered(const CzxBtlePeripheral& peripheral)
{
    zxBtleMainQueue queue;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_loggers.m_identifiers.AddAndSave(peripheral.identifier, peripheral.name);
        m_loggers.DidDiscover(peripheral);
        queue = m_mainQueue;
    }
    auto call = [this] { CallDiscoverHandler(); };
    if (queue)
        queue(call);
    else if (wxTheApp)
        wxTheApp->CallAfter(call);
}

// On the main thread; the handler is read now, so one removed meanwhile is
// not called.
void CzxBtleManager::CallDiscoverHandler()
{
    zxBtleDiscoverHandler handler = nullptr;
    void* handle = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        handler = m_handler;
        handle = m_handle;
    }
    if (handler)
        handler(handle);
}
