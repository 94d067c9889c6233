#pragma once
#include "transport/zxBTPlatform.h"

#include <vector>

// The RFCOMM link through BlueZ: the device's serial-port service is looked
// up over SDP and its channel opened on a Bluetooth socket, every step
// without blocking, moved on by DeliverEvents. Built without the BlueZ
// library, it has no controller and every open fails.
class CzxBluezLink : public CzxBTPlatform
{
public:
    CzxBluezLink();
    ~CzxBluezLink() override;

    bool CreateWithAddressAndOpen() override;
    void CloseAndRelease() override;
    bool WriteChannel(const uint8_t* bytes, uint16_t n) override;
    void DeliverEvents() override;

    // Whether the computer has a Bluetooth controller.
    static bool HasController();

private:
    enum State
    {
        kIdle,
        kServiceConnecting,
        kChannelConnecting,
        kOpen,
    };

    // The service lookup and the channel, once the lookup's link is up.
    void AfterServiceConnected();
    void AfterChannelConnected();
    // A step that failed: released, and the waiting side told at once.
    void Fail();
    // Sends what is held back; false when the channel refuses for good.
    bool SendHeld();

    State m_state = kIdle;
    void* m_session = nullptr; // the SDP session while the service is looked up
    int m_socket = -1;
    std::vector<uint8_t> m_held;
};
