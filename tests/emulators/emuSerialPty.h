#pragma once
#include "emulators/emuPty.h"
#include "emulators/emuSerialLogger.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A serial-family logger on the far side of a pseudo-terminal: the program
// opens SlavePath as a serial port; a thread answers, and streams what the
// logger sends by itself.
class CemuSerialPty
{
public:
    CemuSerialPty();
    ~CemuSerialPty();
    CemuSerialPty(const CemuSerialPty&) = delete;
    CemuSerialPty& operator=(const CemuSerialPty&) = delete;

    bool IsOpen() const { return m_pty.IsOpen(); }
    const std::string& SlavePath() const { return m_pty.SlavePath(); }

    // Runs a change or a look at the logger under the emulator's lock.
    void With(const std::function<void(CemuSerialLogger&)>& use);
    std::vector<uint8_t> Received();
    void ClearReceived();
    // Waits, polling, until the test holds; false only when it never did
    // within the tests' bound.
    bool WaitFor(const std::function<bool(CemuSerialLogger&)>& test);

private:
    void Run();
    bool WriteAll(const uint8_t* bytes, size_t n);

    CemuPty m_pty;
    std::mutex m_lock;
    CemuSerialLogger m_logger;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
