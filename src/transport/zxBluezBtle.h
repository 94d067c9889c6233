#pragma once
#include "transport/zxBtlePlatform.h"

#include <memory>

// Bluetooth LE through BlueZ on the system bus (QUORVANTI_BLUEZ_BUS names
// another bus): the first adapter, its devices, and the logger service's
// GATT objects. One thread of its own runs the bus's messages and every
// report to the delegate. Built without GIO, the adapter is unsupported.
class CzxBluezBtle : public CzxBtlePlatform
{
public:
    CzxBluezBtle();
    ~CzxBluezBtle() override;

    int GetState() const override;
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

    // Whether the program was built with it.
    static bool IsAvailable();
    // A device address ("AA:BB:CC:DD:EE:FF") as the identifier the lists
    // keep, and back; empty when the text is not one.
    static wxString IdentifierOfAddress(const wxString& address);
    static wxString AddressOfIdentifier(const wxString& identifier);

private:
    class Bus;
    std::unique_ptr<Bus> m_bus;
};
