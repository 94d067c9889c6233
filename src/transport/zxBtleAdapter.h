#pragma once
#include "transport/zxBtlePlatform.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// A simulated Bluetooth LE adapter with loggers in range that offer the
// logger service and its four characteristics. It answers on a thread of its
// own, one report at a time, as the system's Bluetooth does; a scan reports
// each logger in range once, spaced as a radio would. What a simulated logger
// says is up to its write handler, which may answer through Notify.
class CzxBtleAdapter : public CzxBtlePlatform
{
public:
    // Called on the adapter's thread with each value written to the logger's
    // host-to-logger characteristic.
    using WriteHandler = std::function<void(const std::vector<uint8_t>& value)>;

    CzxBtleAdapter();
    ~CzxBtleAdapter() override;

    int GetState() const override;
    void SetState(int state);
    // Loggers that come into range; a running scan reports those it has not
    // reported yet.
    void AddInRange(const CzxBtlePeripheral& peripheral);
    // Forgets every device: none in range, known or connected.
    void Reset();

    // How a logger in range behaves: whether it answers the service
    // discovery, the error its notifications fail with (none: they work),
    // and what it does with written values.
    void SetAnswering(const wxString& identifier, bool answers);
    void SetNotifyError(const wxString& identifier, const wxString& error);
    void SetWriteHandler(const wxString& identifier, WriteHandler handler);
    // The logger sends a value on its logger-to-host characteristic; it
    // arrives while that is notifying.
    void Notify(const wxString& identifier, const std::vector<uint8_t>& value);
    // Values written to a characteristic of the logger, oldest first.
    std::vector<std::vector<uint8_t>> GetWritten(const wxString& identifier, const wxString& characteristic) const;
    // The operations asked of the adapter since the last call, one line each
    // ("connect", "services", "characteristics 2001 2000 …", "notify on",
    // "write 2003 response", "read 2002", "disconnect"), the identifier left out.
    std::vector<wxString> TakeLog();

    bool StartScan(const wxString& service) override;
    void StopScan() override;
    bool IsScanning() const override;
    bool Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const override;
    std::vector<CzxBtlePeripheral> RetrieveConnected(const wxString& service) const override;
    void Connect(const wxString& identifier) override;
    void Disconnect(const wxString& identifier) override;
    int GetPeripheralState(const wxString& identifier) const override;
    void DiscoverServices(const wxString& identifier, const wxString& service) override;
    void DiscoverCharacteristics(const wxString& identifier, const wxString& service,
                                 const std::vector<wxString>& characteristics) override;
    void SetNotify(const wxString& identifier, const wxString& characteristic, bool on) override;
    bool IsNotifying(const wxString& identifier, const wxString& characteristic) const override;
    void WriteValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes, size_t n,
                    bool withResponse) override;
    void ReadValue(const wxString& identifier, const wxString& characteristic) override;

private:
    struct Logger
    {
        CzxBtlePeripheral peripheral;
        int state = BTLE_PERIPHERAL_DISCONNECTED;
        bool notifying = false;
        bool answers = true;
        wxString notifyError;
        WriteHandler writeHandler;
        std::map<wxString, std::vector<std::vector<uint8_t>>> written;
    };

    void Run();
    void Post(std::function<void()> task);
    void Log(const wxString& line);
    // Under the lock.
    Logger* Find(const wxString& identifier);
    const Logger* Find(const wxString& identifier) const;

    mutable std::mutex m_lock;
    int m_state = BTLE_STATE_UNSUPPORTED;
    std::vector<Logger> m_loggers;
    std::deque<std::function<void()>> m_tasks;
    std::vector<wxString> m_log;
    bool m_scanning = false;
    size_t m_reported = 0;
    bool m_stop = false;
    std::thread m_thread;
};
