#pragma once
#include "emulators/emuXLogger.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The emulated newer logger at the far end of some transport: the host's
// bytes go in through Receive, and what the logger sends (replies, and the
// stream on the logger's own clock while paced) goes out through the
// transport's send function, always under the peer's lock.
class CemuXLoggerPeer
{
public:
    using Send = std::function<void(const std::vector<uint8_t>& bytes)>;

    explicit CemuXLoggerPeer(Send send) : m_send(std::move(send)) {}
    ~CemuXLoggerPeer() { StopPacing(); }
    CemuXLoggerPeer(const CemuXLoggerPeer&) = delete;
    CemuXLoggerPeer& operator=(const CemuXLoggerPeer&) = delete;

    // Lock it while touching the logger from outside.
    CemuXLogger& Logger() { return m_logger; }
    std::mutex& Mutex() { return m_mutex; }

    void Receive(const uint8_t* bytes, size_t n);
    // Sends the stream's next n packets (USB) or records at once.
    void Emit(int n);
    // A thread sends the stream as the logger samples it: a packet leaves
    // once all its records have been sampled.
    void Pace();
    void StopPacing();

private:
    std::mutex m_mutex;
    CemuXLogger m_logger;
    Send m_send;
    std::atomic<bool> m_pacing{false};
    std::thread m_thread;
};
