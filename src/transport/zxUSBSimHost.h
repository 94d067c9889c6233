#pragma once
#include "transport/zxUSBHost.h"

#include <mutex>

class CzxUSBSimDevice;

// A USB bus of simulated devices in place of the system's, for the tests and
// the simulated loggers: set it with zxSetUSBHost and scans list its plugged
// devices, in the order they were added.
class CzxUSBSimHost : public CzxUSBHost
{
public:
    CzxUSBSimHost();
    ~CzxUSBSimHost() override;

    // The device's path on this bus.
    wxString Add(std::shared_ptr<CzxUSBSimDevice> device);
    void Remove(const std::shared_ptr<CzxUSBSimDevice>& device);
    // As if the system could not list its devices.
    void SetBroken(bool broken);

    bool List(std::vector<CzxUSBHostInfo>& devices) override;
    std::unique_ptr<CzxUSBHandle> Open(const wxString& path) override;

private:
    struct CzxSlot
    {
        wxString m_path;
        std::shared_ptr<CzxUSBSimDevice> m_device;
    };

    std::mutex m_lock;
    std::vector<CzxSlot> m_slots;
    int m_added = 0;
    bool m_broken = false;
};

// Sets a host for the scans of one scope and puts the system's back after.
class CzxUSBHostScope
{
public:
    explicit CzxUSBHostScope(CzxUSBHost& host) { zxSetUSBHost(&host); }
    ~CzxUSBHostScope() { zxSetUSBHost(nullptr); }
    CzxUSBHostScope(const CzxUSBHostScope&) = delete;
    CzxUSBHostScope& operator=(const CzxUSBHostScope&) = delete;
};
