#pragma once
#include "transport/zxBtleDelegate.h"
#include "transport/zxBtlePeripheral.h"

#include <atomic>
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

// The logger service and its characteristics.
constexpr char zxBtleServiceUUID[] = "7c3e1101-4a1d-4f2b-9e85-3d6b20c4f9a1";
// Logger to host: notifications carry the logger's bytes.
constexpr char zxBtleTXUUID[] = "7c3e2000-4a1d-4f2b-9e85-3d6b20c4f9a1";
// Host to logger: written without response.
constexpr char zxBtleRXUUID[] = "7c3e2001-4a1d-4f2b-9e85-3d6b20c4f9a1";
// Request to send: read once.
constexpr char zxBtleRTSUUID[] = "7c3e2002-4a1d-4f2b-9e85-3d6b20c4f9a1";
// Clear to send: 0x01 written with response.
constexpr char zxBtleCTSUUID[] = "7c3e2003-4a1d-4f2b-9e85-3d6b20c4f9a1";

// Link states of one device.
enum
{
    BTLE_PERIPHERAL_DISCONNECTED = 0,
    BTLE_PERIPHERAL_CONNECTING = 1,
    BTLE_PERIPHERAL_CONNECTED = 2,
};

// The system's Bluetooth LE as the central uses it. Operations only start
// work and never wait for the device; what comes of them reaches the
// delegate on the platform's own thread. State queries answer from what the
// platform last heard and may be made from any thread.
class CzxBtlePlatform
{
public:
    CzxBtlePlatform();
    virtual ~CzxBtlePlatform();
    CzxBtlePlatform(const CzxBtlePlatform&) = delete;
    CzxBtlePlatform& operator=(const CzxBtlePlatform&) = delete;

    // Set once, before the first operation.
    void SetDelegate(CzxBtleDelegate* delegate) { m_delegate = delegate; }

    virtual int GetState() const = 0;
    // Discovers devices advertising the service; false unless powered on.
    virtual bool StartScan(const wxString& service) = 0;
    virtual void StopScan() = 0;
    virtual bool IsScanning() const = 0;

    // The device of that identifier when the platform knows it.
    virtual bool Retrieve(const wxString& identifier, CzxBtlePeripheral& out) const = 0;
    // The devices connected now that offer the service.
    virtual std::vector<CzxBtlePeripheral> RetrieveConnected(const wxString& service) const = 0;
    virtual void Connect(const wxString& identifier) = 0;
    virtual void Disconnect(const wxString& identifier) = 0;
    virtual int GetPeripheralState(const wxString& identifier) const = 0;

    virtual void DiscoverServices(const wxString& identifier, const wxString& service) = 0;
    virtual void DiscoverCharacteristics(const wxString& identifier, const wxString& service,
                                         const std::vector<wxString>& characteristics) = 0;
    virtual void SetNotify(const wxString& identifier, const wxString& characteristic, bool on) = 0;
    virtual bool IsNotifying(const wxString& identifier, const wxString& characteristic) const = 0;
    virtual void WriteValue(const wxString& identifier, const wxString& characteristic, const uint8_t* bytes,
                            size_t n, bool withResponse) = 0;
    virtual void ReadValue(const wxString& identifier, const wxString& characteristic) = 0;

protected:
    CzxBtleDelegate* GetDelegate() const { return m_delegate; }

private:
    std::atomic<CzxBtleDelegate*> m_delegate{nullptr};
};
