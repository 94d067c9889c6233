#pragma once
#include "transport/zxBtleAdapter.h"
#include "transport/zxBtleLoggers.h"
#include "transport/zxBtlePlatform.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

// Called on the main thread, with its handle, for each logger discovered.
using zxBtleDiscoverHandler = void (*)(void* handle);
// Called on the platform's thread with each value of at most 20 bytes that
// the open logger sends.
using zxBtleReceiveHandler = void (*)(int32_t count, const uint8_t* bytes, void* handle);
// Runs a function on the main thread, later.
using zxBtleMainQueue = std::function<void(std::function<void()>)>;

// The program's Bluetooth LE central: scans for loggers, keeps the logger
// list and the remembered loggers, opens the selected logger (connect,
// discover the logger service and its characteristics, subscribe, clear to
// send) and hands what it sends to the receive handler. The platform's
// reports arrive on its own thread; the list is behind the manager's lock.
class CzxBtleManager : private CzxBtleDelegate
{
public:
    // A simulated adapter with no Bluetooth when none is given; the program
    // puts the system's in its place at start-up.
    explicit CzxBtleManager(std::unique_ptr<CzxBtlePlatform> platform = nullptr);
    ~CzxBtleManager() override;
    CzxBtleManager(const CzxBtleManager&) = delete;
    CzxBtleManager& operator=(const CzxBtleManager&) = delete;

    // The process's one central, made on first use and kept to the end.
    static CzxBtleManager& Shared();

    // Replaces the platform; only while no logger is open or scanning.
    void SetPlatform(std::unique_ptr<CzxBtlePlatform> platform);
    CzxBtlePlatform& GetPlatform() const { return Platform(); }
    // The simulated adapter, put in place of the platform unless it is there.
    CzxBtleAdapter& UseSimulated();

    // False when the adapter is not powered on; a running scan starts again.
    bool ScanStart();
    bool ScanStop();
    bool IsScanning() const { return m_scanning; }
    bool IsPoweredOn() const;
    wxString GetStateText() const;

    // Opens the selected logger: false when nothing is selected, the adapter
    // is off, or 2 s pass without a step forward. Blocks the calling thread.
    bool Open();
    // False when no logger with a device is selected.
    bool Close();
    // Connected, subscribed and no error since the open began.
    bool IsOpen() const;
    // True when no logger with a device is selected.
    bool IsSimulated() const;
    // The device and whether its host-to-logger characteristic is known.
    bool GetWriteTarget(wxString& identifier) const;
    void WriteValue(const wxString& identifier, const uint8_t* bytes, size_t n);
    wxString GetLastError() const;

    // The remembered loggers, loaded once per run.
    void LoadUserDefaults();
    void LoadSelectedLogger(const wxString& identifier, const wxString& name);
    void ClearLoggers();
    void ForgetLoggers();
    void InitSelection();
    int GetLoggerCount() const;
    bool GetLogger(int index, wxString& name, wxString& identifier) const;
    // The selected logger's index, or the number of loggers when none is.
    int GetSelectedIndex() const;
    // The same, -1 when none is selected.
    int GetSelectedOrNone() const;
    void SelectLogger(int index);
    void SelectNone();
    CzxBtleIdentifiers GetIdentifiers() const;

    void SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle);
    // Once it returns, no call of an earlier handler is running or will run.
    void SetReceiveHandler(zxBtleReceiveHandler handler, void* handle);
    // The same, only when the handler's handle is the one given.
    void RemoveReceiveHandler(void* handle);
    // Where discoveries reach the main thread; the application's event queue
    // unless set.
    void SetMainQueue(zxBtleMainQueue queue);

private:
    void OnDiscovered(const CzxBtlePeripheral& peripheral) override;
    void OnConnected(const wxString& identifier) override;
    void OnFailedToConnect(const wxString& identifier, const wxString& error) override;
    void OnServicesDiscovered(const wxString& identifier, const std::vector<wxString>& services) override;
    void OnCharacteristicsDiscovered(const wxString& identifier, const wxString& service,
                                     const std::vector<wxString>& characteristics) override;
    void OnNotifyStateChanged(const wxString& identifier, const wxString& characteristic,
                              const wxString& error) override;
    void OnValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes, size_t n,
                 const wxString& error) override;
    void OnWrote(const wxString& identifier, const wxString& characteristic, const wxString& error) override;

    // The platform in use; a report of one being replaced may still read it.
    CzxBtlePlatform& Platform() const;
    void CallDiscoverHandler();
    // Under the lock: the listed entry of that device, or none.
    CzxBtleLogger* FindListed(const wxString& identifier);
    // Under the lock.
    void LatchError(const wxString& error);
    // The selected entry with a device, copied; false when there is none.
    bool GetSelected(CzxBtleLogger& out) const;
    void Progress();

    mutable std::mutex m_lock;
    std::unique_ptr<CzxBtlePlatform> m_platform;
    std::atomic<CzxBtlePlatform*> m_current{nullptr};
    CzxBtleLoggers m_loggers;
    std::atomic<bool> m_scanning{false};
    std::atomic<bool> m_opening{false};
    std::atomic<bool> m_error{false};
    // Seconds of the last step of an open.
    std::atomic<double> m_timeOfTX{0.0};
    wxString m_errorText;
    bool m_loadedDefaults = false;
    zxBtleDiscoverHandler m_handler = nullptr;
    void* m_handle = nullptr;
    zxBtleMainQueue m_mainQueue;
    // Held while the receive handler runs, so that removing it waits.
    std::mutex m_receiveLock;
    zxBtleReceiveHandler m_receiveHandler = nullptr;
    void* m_receiveHandle = nullptr;
};
