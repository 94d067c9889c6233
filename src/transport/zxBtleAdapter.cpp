#include "transport/zxBtleAdapter.h"

#include <chrono>

namespace {

// Between two reports of a scan, as a radio would space them.
constexpr std::chrono::milliseconds kReportPause(150);
// Between two looks at the adapter's work.
constexpr std::chrono::milliseconds kPoll(2);

// The short form of a characteristic in the log: its first group's last four digits.
wxString Short(const wxString& uuid)
{
    return uuid.Mid(4, 4);
}

} // namespace

CzxBtleAdapter::CzxBtleAdapter()
{
    m_thread = std::thread([this] { Run(); });
}

CzxBtleAdapter::~CzxBtleAdapter()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_thread.join();
}

void CzxBtleAdapter::Run()
{
    auto nextReport = std::chrono::steady_clock::now() + kReportPause;
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stop) {
        if (!m_tasks.empty()) {
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (m_scanning && now >= nextReport) {
            nextReport = now + kReportPause;
            if (m_state == BTLE_STATE_POWERED_ON && m_reported < m_loggers.size()) {
                const CzxBtlePeripheral found = m_loggers[m_reported++].peripheral;
                lock.unlock();
                if (CzxBtleDelegate* delegate = GetDelegate())
                    delegate->OnDiscovered(found);
                lock.lock();
            }
            continue;
        }
        if (!m_scanning)
            nextReport = now + kReportPause;
        lock.unlock();
        std::this_thread::sleep_for(kPoll);
        lock.lock();
    }
}

void CzxBtleAdapter::Post(std::function<void()> task)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_tasks.push_back(std::move(task));
}

void CzxBtleAdapter::Log(const wxString& line)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_log.push_back(line);
}

CzxBtleAdapter::Logger* CzxBtleAdapter::Find(const wxString& identifier)
{
    for (Logger& logger : m_loggers)
        if (logger.peripheral.identifier.IsSameAs(identifier, false))
            return &logger;
    return nullptr;
}

const CzxBtleAdapter::Logger* CzxBtleAdapter::Find(const wxString& identifier) const
{
    return const_cast<CzxBtleAdapter*>(this)->Find(identifier);
}

int CzxBtleAdapter::GetState() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_state;
}

void CzxBtleAdapter::SetState(int state)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_state = state;
    if (state != BTLE_STATE_POWERED_ON) {
        for (Logger& logger : m_loggers) {
            logger.state = BTLE_PERIPHERAL_DISCONNECTED;
            logger.notifying = false;
        }
    }
}

void CzxBtleAdapter::AddInRange(const CzxBtlePeripheral& peripheral)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (Logger* known = Find(peripheral.identifier)) {
        known->peripheral = peripheral;
        return;
    }
    Logger logger;
    logger.peripheral = peripheral;
    m_loggers.push_back(logger);
}

void CzxBtleAdapter::Reset()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_scanning = false;
    m_loggers.clear();
    m_reported = 0;
}

void CzxBtleAdapter::SetAnswering(const wxString& identifier, bool answers)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (Logger* logger = Find(identifier))
        logger->answers = answers;
}

void CzxBtleAdapter::SetNotifyError(const wxString& identifier, const wxString& error)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (Logger* logger = Find(identifier))
        logger->notifyError = error;
}

void CzxBtleAdapter::SetWriteHandler(const wxString& identifier, WriteHandler handler)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (Logger* logger = Find(identifier))
        logger->writeHandler = std::move(handler);
}

void CzxBtleAdapter::Notify(const wxString& identifier, const std::vector<uint8_t>& value)
{
    Post([this, identifier, value] {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const Logger* logger = Find(identifier);
            if (!logger || logger->state != BTLE_PERIPHERAL_CONNECTED || !logger->notifying)
                return;
        }
        if (CzxBtleDelegate* delegate = GetDelegate())
            delegate->OnValue(identifier, zxBtleTXUUID, value.data(), value.size(), wxString());
    });
}

std::vector<std::vector<uint8_t>> CzxBtleAdapter::GetWritten(const wxString& identifier,
                                                             const wxString& characteristic) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const Logger* logger = Find(identifier);
    if (!logger)
        return {};
    const auto found = logger->written.find(characteristic.Lower());
    return found == logger->written.end() ? std::vector<std::vector<uint8_t>>() : found->second;
}

std::vector<wxString> CzxBtleAdapter::TakeLog()
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<wxString> log;
    log.swap(m_log);
    return log;
}

bool CzxBtleAdapter::StartScan(const wxString& service)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_state != BTLE_STATE_POWERED_ON || !service.IsSameAs(zxBtleServiceUUID, false))
        return false;
    // Every scan reports each logger again.
    m_scanning = true;
    m_reported = 0;
    return true;
}

void CzxBtleAdapter::StopScan()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_scanning = false;
}

bool CzxBtleAdapter::IsScanning() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_scanning;
}

bool CzxBtleAdapter::Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const Logger* logger = Find(identifier);
    if (!logger)
        return false;
    out = logger->peripheral;
    return true;
}

std::vector<CzxBtlePeripheral> CzxBtleAdapter::RetrieveConnected(const wxString& service) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<CzxBtlePeripheral> connected;
    if (!service.IsSameAs(zxBtleServiceUUID, false))
        return connected;
    for (const Logger& logger : m_loggers)
        if (logger.state == BTLE_PERIPHERAL_CONNECTED)
            connected.push_back(logger.peripheral);
    return connected;
}

void CzxBtleAdapter::Connect(const wxString& identifier)
{
    Log("connect");
    {
        std::lock_guard<std::mutex> lock(m_lock);
        Logger* logger = Find(identifier);
        if (m_state != BTLE_STATE_POWERED_ON || !logger)
            return; // a device out of range keeps the system waiting, as it would
        if (logger->state == BTLE_PERIPHERAL_DISCONNECTED)
            logger->state = BTLE_PERIPHERAL_CONNECTING;
    }
    Post([this, identifier] {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            Logger* logger = Find(identifier);
            if (!logger || logger->state == BTLE_PERIPHERAL_DISCONNECTED || m_state != BTLE_STATE_POWERED_ON)
                return;
            logger->state = BTLE_PERIPHERAL_CONNECTED;
        }
        if (CzxBtleDelegate* delegate = GetDelegate())
            delegate->OnConnected(identifier);
    });
}

void CzxBtleAdapter::Disconnect(const wxString& identifier)
{
    Log("disconnect");
    Post([this, identifier] {
        std::lock_guard<std::mutex> lock(m_lock);
        if (Logger* logger = Find(identifier)) {
            logger->state = BTLE_PERIPHERAL_DISCONNECTED;
            logger->notifying = false;
        }
    });
}

int CzxBtleAdapter::GetPeripheralState(const wxString& identifier) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const Logger* logger = Find(identifier);
    return logger ? logger->state : BTLE_PERIPHERAL_DISCONNECTED;
}

void CzxBtleAdapter::DiscoverServices(const wxString& identifier, const wxString& service)
{
    Log("services");
    Post([this, identifier, service] {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const Logger* logger = Find(identifier);
            if (!logger || !logger->answers || logger->state != BTLE_PERIPHERAL_CONNECTED ||
                !service.IsSameAs(zxBtleServiceUUID, false))
                return;
        }
        if (CzxBtleDelegate* delegate = GetDelegate())
            delegate->OnServicesDiscovered(identifier, {zxBtleServiceUUID});
    });
}

void CzxBtleAdapter::DiscoverCharacteristics(const wxString& identifier, const wxString& service,
                                             const std::vector<wxString>& characteristics)
{
    wxString line = "characteristics";
    for (const wxString& characteristic : characteristics)
        line << " " << Short(characteristic);
    Log(line);
    Post([this, identifier, service, characteristics] {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const Logger* logger = Find(identifier);
            if (!logger || logger->state != BTLE_PERIPHERAL_CONNECTED)
                return;
        }
        const wxString offered[] = {zxBtleTXUUID, zxBtleRXUUID, zxBtleRTSUUID, zxBtleCTSUUID};
        std::vector<wxString> found;
        for (const wxString& characteristic : characteristics)
            for (const wxString& one : offered)
                if (characteristic.IsSameAs(one, false))
                    found.push_back(one);
        if (CzxBtleDelegate* delegate = GetDelegate())
            delegate->OnCharacteristicsDiscovered(identifier, service.Lower(), found);
    });
}

void CzxBtleAdapter::SetNotify(const wxString& identifier, const wxString& characteristic, bool on)
{
    Log(on ? "notify on" : "notify off");
    Post([this, identifier, characteristic, on] {
        wxString error;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            Logger* logger = Find(identifier);
            if (!logger || logger->state != BTLE_PERIPHERAL_CONNECTED ||
                !characteristic.IsSameAs(zxBtleTXUUID, false))
                return;
            error = on ? logger->notifyError : wxString();
            if (error.empty())
                logger->notifying = on;
        }
        if (CzxBtleDelegate* delegate = GetDelegate())
            delegate->OnNotifyStateChanged(identifier, zxBtleTXUUID, error);
    });
}

bool CzxBtleAdapter::IsNotifying(const wxString& identifier, const wxString& characteristic) const
{
    std::lock_guard<std::mutex> lock(m_lock);
    const Logger* logger = Find(identifier);
    return logger && logger->notifying && characteristic.IsSameAs(zxBtleTXUUID, false);
}

void CzxBtleAdapter::WriteValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes,
                                size_t n, bool withResponse)
{
    Log("write " + Short(characteristic) + (withResponse ? " response" : ""));
    const std::vector<uint8_t> value(bytes, bytes + n);
    const wxString key = characteristic.Lower();
    Post([this, identifier, key, value, withResponse] {
        WriteHandler handler;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            Logger* logger = Find(identifier);
            if (!logger || logger->state != BTLE_PERIPHERAL_CONNECTED)
                return;
            logger->written[key].push_back(value);
            if (key == zxBtleRXUUID)
                handler = logger->writeHandler;
        }
        if (handler)
            handler(value);
        if (withResponse)
            if (CzxBtleDelegate* delegate = GetDelegate())
                delegate->OnWrote(identifier, key, wxString());
    });
}

void CzxBtleAdapter::ReadValue(const wxString& identifier, const wxString& characteristic)
{
    Log("read " + Short(characteristic));
    const wxString key = characteristic.Lower();
    Post([this, identifier, key] {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const Logger* logger = Find(identifier);
            if (!logger || logger->state != BTLE_PERIPHERAL_CONNECTED)
                return;
        }
        const uint8_t value = 0;
        if (CzxBtleDelegate* delegate = GetDelegate())
            delegate->OnValue(identifier, key, &value, 1, wxString());
    });
}
