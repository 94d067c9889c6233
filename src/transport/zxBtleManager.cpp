#include "transport/zxBtleManager.h"

#include <chrono>
#include <cstring>
#include <thread>
#include <wx/app.h>

namespace {

// An open gives up this long after its last step forward.
constexpr double kOpenLimit = 2.0;
// A close waits this long for each of its two steps.
constexpr double kCloseLimit = 2.0;
constexpr size_t kMaxValue = 20;

double Now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool Same(const wxString& a, const char* b)
{
    return a.IsSameAs(b, false);
}

} // namespace

CzxBtleManager::CzxBtleManager(std::unique_ptr<CzxBtlePlatform> platform)
{
    SetPlatform(platform ? std::move(platform) : std::make_unique<CzxBtleAdapter>());
}

CzxBtleManager::~CzxBtleManager()
{
    // The platform's thread reaches the list: it ends before the list goes.
    m_platform.reset();
}

CzxBtlePlatform& CzxBtleManager::Platform() const
{
    return *m_current.load();
}

CzxBtleManager& CzxBtleManager::Shared()
{
    // Never destroyed: the platform's thread may report until the very end.
    static CzxBtleManager* manager = new CzxBtleManager;
    return *manager;
}

void CzxBtleManager::SetPlatform(std::unique_ptr<CzxBtlePlatform> platform)
{
    platform->SetDelegate(this);
    std::unique_ptr<CzxBtlePlatform> old;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        old = std::move(m_platform);
        m_platform = std::move(platform);
        m_current = m_platform.get();
        m_loggers.SetPlatform(m_platform.get());
    }
    m_scanning = false;
    // Outside the lock: its thread may be waiting for the lock to report.
    old.reset();
}

CzxBtleAdapter& CzxBtleManager::UseSimulated()
{
    if (auto* adapter = dynamic_cast<CzxBtleAdapter*>(&Platform()))
        return *adapter;
    auto adapter = std::make_unique<CzxBtleAdapter>();
    CzxBtleAdapter& simulated = *adapter;
    SetPlatform(std::move(adapter));
    return simulated;
}

bool CzxBtleManager::IsPoweredOn() const
{
    return Platform().GetState() == BTLE_STATE_POWERED_ON;
}

bool CzxBtleManager::ScanStart()
{
    if (!IsPoweredOn())
        return false;
    if (m_scanning)
        ScanStop();
    m_scanning = true;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_loggers.DisconnectAll();
    }
    if (!Platform().StartScan(zxBtleServiceUUID)) {
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
    if (IsPoweredOn()) {
        Platform().StopScan();
        std::lock_guard<std::mutex> lock(m_lock);
        m_loggers.DisconnectAll();
    }
    return true;
}

wxString CzxBtleManager::GetStateText() const
{
    switch (Platform().GetState()) {
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

bool CzxBtleManager::GetSelected(CzxBtleLogger& out) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_loggers.IsSelectedValid())
        return false;
    out = m_loggers.GetLoggers()[size_t(m_loggers.GetSelectedIndex())];
    return true;
}

void CzxBtleManager::Progress()
{
    m_timeOfTX = Now();
}

bool CzxBtleManager::Open()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_error = false;
        m_errorText.clear();
    }
    CzxBtleLogger selected;
    if (!GetSelected(selected) || !IsPoweredOn())
        return false;
    m_opening = true;
    Progress();
    Platform().Connect(selected.identifier);
    for (;;) {
        Sleep(100);
        if (IsOpen())
            break;
        if (Now() - m_timeOfTX > kOpenLimit) {
            m_opening = false;
            return false;
        }
    }
    m_opening = false;
    return true;
}

bool CzxBtleManager::Close()
{
    CzxBtleLogger selected;
    if (!GetSelected(selected))
        return false;
    const wxString& id = selected.identifier;
    m_opening = true;
    if (selected.charactTX && selected.notify) {
        const double start = Now();
        while (Platform().IsNotifying(id, zxBtleTXUUID) && Now() - start <= kCloseLimit) {
            if (IsPoweredOn() && Platform().GetPeripheralState(id) != BTLE_PERIPHERAL_DISCONNECTED)
                Platform().SetNotify(id, zxBtleTXUUID, false);
            Sleep(100);
        }
    }
    if (Platform().GetPeripheralState(id) != BTLE_PERIPHERAL_DISCONNECTED) {
        if (IsPoweredOn())
            Platform().Disconnect(id);
        const double start = Now();
        while (Platform().GetPeripheralState(id) != BTLE_PERIPHERAL_DISCONNECTED && Now() - start <= kCloseLimit)
            Sleep(50);
    }
    m_opening = false;
    std::lock_guard<std::mutex> lock(m_lock);
    if (CzxBtleLogger* entry = FindListed(id))
        entry->notify = false;
    return true;
}

bool CzxBtleManager::IsOpen() const
{
    CzxBtleLogger selected;
    if (!GetSelected(selected) || !selected.charactTX || !selected.notify || m_error)
        return false;
    return IsPoweredOn() && Platform().GetPeripheralState(selected.identifier) == BTLE_PERIPHERAL_CONNECTED &&
           Platform().IsNotifying(selected.identifier, zxBtleTXUUID);
}

bool CzxBtleManager::IsSimulated() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return !m_loggers.IsSelectedValid();
}

bool CzxBtleManager::GetWriteTarget(wxString& identifier) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const int index = m_loggers.GetSelectedIndex();
    const std::vector<CzxBtleLogger>& loggers = m_loggers.GetLoggers();
    if (index < 0 || size_t(index) >= loggers.size() || !loggers[size_t(index)].charactRX)
        return false;
    identifier = loggers[size_t(index)].identifier;
    return true;
}

void CzxBtleManager::WriteValue(const wxString& identifier, const uint8_t* bytes, size_t n)
{
    Platform().WriteValue(identifier, zxBtleRXUUID, bytes, n, false);
}

wxString CzxBtleManager::GetLastError() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_errorText;
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

void CzxBtleManager::SelectLogger(int index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_loggers.SetSelectedIndex(index);
}

void CzxBtleManager::SelectNone()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_loggers.SetSelectedNone();
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

void CzxBtleManager::SetReceiveHandler(zxBtleReceiveHandler handler, void* handle)
{
    std::lock_guard<std::mutex> lock(m_receiveLock);
    m_receiveHandler = handler;
    m_receiveHandle = handler ? handle : nullptr;
}

void CzxBtleManager::RemoveReceiveHandler(void* handle)
{
    std::lock_guard<std::mutex> lock(m_receiveLock);
    if (m_receiveHandle == handle) {
        m_receiveHandler = nullptr;
        m_receiveHandle = nullptr;
    }
}

void CzxBtleManager::SetMainQueue(zxBtleMainQueue queue)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_mainQueue = std::move(queue);
}

CzxBtleLogger* CzxBtleManager::FindListed(const wxString& identifier)
{
    return m_loggers.GetLogger(m_loggers.IndexForPeripheral({identifier, wxString()}));
}

void CzxBtleManager::LatchError(const wxString& error)
{
    m_errorText = error;
    m_error = true;
}

// The platform's reports, on its thread.

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

void CzxBtleManager::OnConnected(const wxString& identifier)
{
    if (!m_opening)
        return;
    Progress();
    Platform().DiscoverServices(identifier, zxBtleServiceUUID);
}

void CzxBtleManager::OnFailedToConnect(const wxString& identifier, const wxString& error)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (FindListed(identifier))
        LatchError(error);
}

void CzxBtleManager::OnServicesDiscovered(const wxString& identifier, const std::vector<wxString>& services)
{
    for (const wxString& service : services) {
        if (!m_opening)
            break;
        if (Same(service, zxBtleServiceUUID)) {
            Progress();
            Platform().DiscoverCharacteristics(identifier, service,
                                                {zxBtleRXUUID, zxBtleTXUUID, zxBtleCTSUUID, zxBtleRTSUUID});
        }
    }
}

void CzxBtleManager::OnCharacteristicsDiscovered(const wxString& identifier, const wxString&,
                                                 const std::vector<wxString>& characteristics)
{
    bool subscribe = false, clear = false, read = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        CzxBtleLogger* entry = FindListed(identifier);
        if (!entry)
            return;
        for (const wxString& characteristic : characteristics) {
            const bool tx = Same(characteristic, zxBtleTXUUID);
            const bool rx = Same(characteristic, zxBtleRXUUID);
            const bool cts = Same(characteristic, zxBtleCTSUUID);
            const bool rts = Same(characteristic, zxBtleRTSUUID);
            if (!(tx || rx || cts || rts))
                continue;
            if (!m_opening)
                break;
            entry->charactTX |= tx;
            entry->charactRX |= rx;
            entry->charactCTS |= cts;
            entry->charactRTS |= rts;
            subscribe |= tx;
            clear |= cts;
            read |= rts;
        }
    }
    // Each step asked of the platform in the order the characteristics came.
    if (subscribe && m_opening && Platform().GetPeripheralState(identifier) == BTLE_PERIPHERAL_CONNECTED) {
        Progress();
        Platform().SetNotify(identifier, zxBtleTXUUID, true);
    }
    if (clear) {
        const uint8_t go = 0x01;
        Platform().WriteValue(identifier, zxBtleCTSUUID, &go, 1, true);
    }
    if (read)
        Platform().ReadValue(identifier, zxBtleRTSUUID);
}

void CzxBtleManager::OnNotifyStateChanged(const wxString& identifier, const wxString& characteristic,
                                          const wxString& error)
{
    std::lock_guard<std::mutex> lock(m_lock);
    CzxBtleLogger* entry = FindListed(identifier);
    if (!entry || !entry->charactTX || !Same(characteristic, zxBtleTXUUID))
        return;
    if (!error.empty())
        LatchError(error);
    else
        entry->notify = true;
}

void CzxBtleManager::OnValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes,
                             size_t n, const wxString& error)
{
    bool deliver = false;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        CzxBtleLogger* entry = FindListed(identifier);
        if (!entry)
            return;
        if (entry->charactTX && Same(characteristic, zxBtleTXUUID)) {
            if (!error.empty())
                LatchError(error);
            else
                deliver = bytes && n <= kMaxValue; // longer values are dropped
        } else if (entry->charactRTS && Same(characteristic, zxBtleRTSUUID) && !error.empty()) {
            LatchError(error);
        }
    }
    if (!deliver)
        return;
    uint8_t value[kMaxValue];
    std::memcpy(value, bytes, n);
    std::lock_guard<std::mutex> lock(m_receiveLock);
    if (m_receiveHandler)
        m_receiveHandler(int32_t(n), value, m_receiveHandle);
}

void CzxBtleManager::OnWrote(const wxString& identifier, const wxString& characteristic, const wxString& error)
{
    if (error.empty())
        return;
    std::lock_guard<std::mutex> lock(m_lock);
    CzxBtleLogger* entry = FindListed(identifier);
    if (!entry)
        return;
    if ((entry->charactRX && Same(characteristic, zxBtleRXUUID)) ||
        (entry->charactCTS && Same(characteristic, zxBtleCTSUUID)))
        LatchError(error);
}
