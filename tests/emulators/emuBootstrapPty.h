#pragma once
#include "emulators/emuBootstrapLogger.h"
#include "emulators/emuPty.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// A logger with its bootstrap loader on the far side of a pseudo-terminal:
// the program opens SlavePath as a serial port; a thread answers.
class CemuBootstrapPty
{
public:
    CemuBootstrapPty();
    ~CemuBootstrapPty();
    CemuBootstrapPty(const CemuBootstrapPty&) = delete;
    CemuBootstrapPty& operator=(const CemuBootstrapPty&) = delete;

    bool IsOpen() const { return m_pty.IsOpen(); }
    const std::string& SlavePath() const { return m_pty.SlavePath(); }

    // Runs a change or a look at the logger under the emulator's lock.
    void With(const std::function<void(CemuBootstrapLogger&)>& use);
    // Waits, polling, until the test holds; false only when it never did
    // within the tests' bound.
    bool WaitFor(const std::function<bool(CemuBootstrapLogger&)>& test);

private:
    void Run();

    CemuPty m_pty;
    std::mutex m_lock;
    CemuBootstrapLogger m_logger;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
