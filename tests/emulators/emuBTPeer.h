#pragma once
#include "emulators/emuBTRemote.h"
#include "transport/zxBTPlatform.h"

#include <memory>

// The RFCOMM link's system side, simulated: it opens, delivers and writes
// through a CemuBTRemote instead of the system's Bluetooth, in the main
// thread's turns as the system's would.
class CemuBTPeer : public CzxBTPlatform
{
public:
    explicit CemuBTPeer(std::shared_ptr<CemuBTRemote> remote);
    ~CemuBTPeer() override;

    bool CreateWithAddressAndOpen() override;
    void CloseAndRelease() override;
    bool WriteChannel(const uint8_t* bytes, uint16_t n) override;
    void DeliverEvents() override;

    // Makes the program's links simulated ones to this remote.
    static void Install(const std::shared_ptr<CemuBTRemote>& remote);
    static void Uninstall();

private:
    enum State
    {
        kIdle,
        kOpening,
        kOpen,
    };

    std::shared_ptr<CemuBTRemote> m_remote;
    State m_state = kIdle;
};
