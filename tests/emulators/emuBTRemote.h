#pragma once
#include "emulators/emuLogger.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// The far side of a simulated RFCOMM link: whether there is a controller, a
// device at the address and a serial-port service, how its channel opens,
// and the bytes both ways. With answering on, an emulated logger answers
// what the program writes. Shared by the tests and the link on the main
// thread, so locked.
class CemuBTRemote
{
public:
    struct Setup
    {
        bool controller = true;
        bool device = true;
        bool service = true;
        // Status of the channel's open: 0 opened, anything else failed.
        int openStatus = 0;
        bool refuseWrites = false;
        bool answering = false;
    };

    void Configure(const std::function<void(Setup&)>& change);
    Setup GetSetup();
    void ConfigureLogger(const std::function<void(CemuLoggerConfig&)>& change);

    // Bytes for the program, delivered in the main thread's next turn.
    void Send(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> TakePending();
    // What the program wrote over the channel, in order.
    std::vector<uint8_t> Written();
    void OnWritten(const uint8_t* bytes, size_t n);
    int CountOpens();
    void CountOpen();

private:
    std::mutex m_lock;
    Setup m_setup;
    CemuLogger m_logger;
    std::vector<uint8_t> m_pending;
    std::vector<uint8_t> m_written;
    int m_opens = 0;
};
