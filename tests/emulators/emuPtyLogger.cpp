#include "emulators/emuPtyLogger.h"

#include "support/testWait.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 2;
constexpr int kChatterPollMs = 1;
// The pause before the part of a reply that comes late.
constexpr int kLaterMs = 50;
constexpr size_t kChatterChunk = 256;

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
} // namespace

CemuPtyLogger::CemuPtyLogger()
{
    m_thread = std::thread([this] { Run(); });
}

CemuPtyLogger::~CemuPtyLogger()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CemuPtyLogger::Configure(const std::function<void(CemuLoggerConfig&)>& change)
{
    std::lock_guard<std::mutex> lock(m_lock);
    change(m_logger.Config());
    m_logger.Restart();
}

std::vector<uint8_t> CemuPtyLogger::Received()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_logger.Received();
}

void CemuPtyLogger::ClearReceived()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_logger.ClearReceived();
}

int CemuPtyLogger::LastSwitchMask()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_logger.LastSwitchMask();
}

bool CemuPtyLogger::WaitReceived(size_t n)
{
    return qvtest::WaitUntil([&] { return Received().size() >= n; });
}

bool CemuPtyLogger::Send(const std::vector<uint8_t>& bytes)
{
    return WriteAll(bytes.data(), bytes.size());
}

bool CemuPtyLogger::WriteAll(const uint8_t* bytes, size_t n)
{
    std::lock_guard<std::mutex> lock(m_writeLock);
    return m_pty.WriteAll(bytes, n, m_stop);
}

// One chunk of filler, never waiting: a full terminal just drops it.
void CemuPtyLogger::Chatter()
{
    if (m_pty.Master() < 0)
        return;
    uint8_t filler[kChatterChunk];
    std::fill(std::begin(filler), std::end(filler), uint8_t(0x55));
    std::lock_guard<std::mutex> lock(m_writeLock);
    const ssize_t written = ::write(m_pty.Master(), filler, sizeof filler);
    if (written > 0)
        m_chatterSent += size_t(written);
}

void CemuPtyLogger::Run()
{
    while (!m_stop) {
        const bool chattering = m_chattering;
        if (chattering)
            Chatter();
        if (!m_reading) {
            SleepMs(kPollMs);
            continue;
        }
        pollfd p{m_pty.Master(), POLLIN, 0};
        if (::poll(&p, 1, chattering ? kChatterPollMs : kPollMs) <= 0)
            continue;
        if (!(p.revents & POLLIN)) {
            SleepMs(kPollMs); // hung up: nothing to read until a new open
            continue;
        }
        uint8_t bytes[512];
        const ssize_t got = ::read(m_pty.Master(), bytes, sizeof bytes);
        if (got <= 0) {
            SleepMs(kPollMs);
            continue;
        }
        std::vector<uint8_t> reply;
        std::vector<uint8_t> later;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            reply = m_logger.Receive(bytes, size_t(got));
            later = m_logger.TakeLater();
        }
        if (!reply.empty())
            WriteAll(reply.data(), reply.size());
        if (!later.empty()) {
            SleepMs(kLaterMs);
            WriteAll(later.data(), later.size());
        }
    }
}
