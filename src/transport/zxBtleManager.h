#pragma once
#include "transport/zxBtleAdapter.h"
#include "transport/zxBtleLoggers.h"

#include <atomic>
#include <functional>
#include <mutex>

// Called on the main thread, with its handle, for each logger discovered.
using zxBtleDiscoverHandler = void (*)(void* handle);
// Runs a function on the main thread, later.
using zxBtleMainQueue = std::function<void(std::function<void()>)>;

// The program's Bluetooth LE central: scans for loggers through the adapter,
// keeps the logger list and the remembered loggers, and tells the user
// interface of discoveries on the main thread. Discoveries arrive on the
// adapter's thread; the list is behind the manager's lock.
class CzxBtleManager
{
public:
    CzxBtleManager();
    ~CzxBtleManager();
    CzxBtleManager(const CzxBtleManager&) = delete;
    CzxBtleManager& operator=(const CzxBtleManager&) = delete;

    // The process's one central, made on first use.
    static CzxBtleManager& Shared();

    CzxBtleAdapter& GetAdapter() { return m_adapter; }

    // False when the adapter is not powered on; a running scan starts again.
    bool ScanStart();
    bool ScanStop();
    bool IsScanning() const { return m_scanning; }
    wxString GetStateText() const;

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
    CzxBtleIdentifiers GetIdentifiers() const;

    void SetDiscoverHandler(zxBtleDiscoverHandler handler, void* handle);
    // Where discoveries reach the main thread; the application's event queue
    // unless set.
    void SetMainQueue(zxBtleMainQueue queue);

private:
    void OnDiscovered(const CzxBtlePeripheral& peripheral);
    void CallDiscoverHandler();

    mutable std::mutex m_lock;
    CzxBtleAdapter m_adapter;
    CzxBtleLoggers m_loggers;
    std::atomic<bool> m_scanning{false};
    bool m_loadedDefaults = false;
    zxBtleDiscoverHandler m_handler = nullptr;
    void* m_handle = nullptr;
    zxBtleMainQueue m_mainQueue;
};
