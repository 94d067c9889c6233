#pragma once
#include "emulators/emuPty.h"
#include "emulators/emuLogger.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An emulated logger on the far side of a pseudo-terminal: the program opens
// the terminal's device (SlavePath) as it would a serial port, and a thread
// of the emulator answers on the other side. Also a plain far end for the
// tests: it records what it receives, sends what it is given, and can stop
// reading so that the terminal fills up.
class CemuPtyLogger
{
public:
    CemuPtyLogger();
    ~CemuPtyLogger();
    CemuPtyLogger(const CemuPtyLogger&) = delete;
    CemuPtyLogger& operator=(const CemuPtyLogger&) = delete;

    bool IsOpen() const { return m_pty.IsOpen(); }
    const std::string& SlavePath() const { return m_pty.SlavePath(); }
    // The emulator's own descriptor of the device, kept open so that the
    // terminal outlives the program's opens and closes.
    int SlaveFd() const { return m_pty.Slave(); }

    // Changes the logger's answers, under the emulator's lock.
    void Configure(const std::function<void(CemuLoggerConfig&)>& change);
    void SetReading(bool reading) { m_reading = reading; }
    // A logger that never stops sending: a steady stream of filler bytes
    // (0x55) goes out, between its answers, until turned off.
    void SetChattering(bool on) { m_chattering = on; }
    // Filler bytes the terminal has taken so far.
    size_t ChatterSent() const { return m_chatterSent; }
    // Sends bytes to the program, as the logger would unasked.
    bool Send(const std::vector<uint8_t>& bytes);

    std::vector<uint8_t> Received();
    void ClearReceived();
    int LastSwitchMask();
    // Waits, polling, until at least n bytes have come; false only when they
    // never did within the tests' bound.
    bool WaitReceived(size_t n);

private:
    void Run();
    bool WriteAll(const uint8_t* bytes, size_t n);
    void Chatter();

    CemuPty m_pty;
    std::mutex m_lock;
    std::mutex m_writeLock;
    CemuLogger m_logger;
    std::atomic<bool> m_reading{true};
    std::atomic<bool> m_chattering{false};
    std::atomic<size_t> m_chatterSent{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
