#pragma once
#include "transport/zxBtlePeripheral.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

// Power states of the Bluetooth LE adapter.
enum
{
    BTLE_STATE_UNKNOWN = 0,
    BTLE_STATE_RESETTING = 1,
    BTLE_STATE_UNSUPPORTED = 2,
    BTLE_STATE_UNAUTHORIZED = 3,
    BTLE_STATE_POWERED_OFF = 4,
    BTLE_STATE_POWERED_ON = 5,
};

// The Bluetooth LE adapter as the central sees it: its power state, the
// loggers in range that advertise the logger service, the devices it knows
// by identifier and those already connected. Still thin: this one is
// simulated in the process; the link to the system's Bluetooth comes with
// the Bluetooth LE transport. A scan reports each logger in range once, on
// the adapter's own thread, as the system's would.
class CzxBtleAdapter
{
public:
    using Discovered = std::function<void(const CzxBtlePeripheral&)>;

    CzxBtleAdapter();
    ~CzxBtleAdapter();
    CzxBtleAdapter(const CzxBtleAdapter&) = delete;
    CzxBtleAdapter& operator=(const CzxBtleAdapter&) = delete;

    int GetState() const;
    void SetState(int state);
    // Loggers that come into range; a running scan reports those it has not
    // reported yet.
    void AddInRange(const CzxBtlePeripheral& peripheral);
    // Forgets every device: none in range, known or connected.
    void Reset();

    // False unless powered on. The callback runs on the adapter's thread.
    bool StartScan(Discovered discovered);
    // Waits for the scan's thread to end (it ends within one pause).
    void StopScan();
    bool IsScanning() const;

    // The device of that identifier when the adapter knows it (it has been
    // in range), else false.
    bool Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const;
    std::vector<CzxBtlePeripheral> RetrieveConnected() const;
    void Connect(const wxString& identifier);
    void Disconnect(const wxString& identifier);

private:
    void Scan();

    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    int m_state = BTLE_STATE_UNSUPPORTED;
    std::vector<CzxBtlePeripheral> m_inRange;
    std::set<wxString> m_connected;
    Discovered m_discovered;
    bool m_stop = false;
    std::thread m_thread;
};
