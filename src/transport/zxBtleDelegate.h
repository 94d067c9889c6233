#pragma once
#include "transport/zxBtlePeripheral.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What a Bluetooth LE platform reports to the central. Every call comes on
// the platform's own thread, one at a time, never from inside one of the
// platform's operations. Devices are named by identifier, services and
// characteristics by their UUIDs in lower case; an empty error is success.
class CzxBtleDelegate
{
public:
    virtual ~CzxBtleDelegate() = default;

    virtual void OnDiscovered(const CzxBtlePeripheral& peripheral) = 0;
    virtual void OnConnected(const wxString& identifier) = 0;
    virtual void OnFailedToConnect(const wxString& identifier, const wxString& error) = 0;
    virtual void OnServicesDiscovered(const wxString& identifier, const std::vector<wxString>& services) = 0;
    virtual void OnCharacteristicsDiscovered(const wxString& identifier, const wxString& service,
                                             const std::vector<wxString>& characteristics) = 0;
    virtual void OnNotifyStateChanged(const wxString& identifier, const wxString& characteristic,
                                      const wxString& error) = 0;
    // A notified or read value.
    virtual void OnValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes,
                         size_t n, const wxString& error) = 0;
    // A write with response completed.
    virtual void OnWrote(const wxString& identifier, const wxString& characteristic, const wxString& error) = 0;
};
