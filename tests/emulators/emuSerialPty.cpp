#include "emulators/emuSerialPty.h"

#include "support/testWait.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 2;

void SleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
} // namespace

CemuSerialPty::CemuSerialPty()
{
    m_thread = std::thread([this] { Run(); });
}

CemuSerialPty::~CemuSerialPty()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CemuSerialPty::With(const std::function<void(CemuSerialLogger&)>& use)
{
    std::lock_guard<std::mutex> lock(m_lock);
    use(m_logger);
}

std::vector<uint8_t> CemuSerialPty::Received()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_logger.Received();
}

void CemuSerialPty::ClearReceived()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_logger.ClearReceived();
}

bool CemuSerialPty::WaitFor(const std::function<bool(CemuSerialLogger&)>& test)
{
    return qvtest::WaitUntil([&] {
        std::lock_guard<std::mutex> lock(m_lock);
        return test(m_logger);
    });
}

bool CemuSerialPty::WriteAll(const uint8_t* bytes, size_t n)
{
    return m_pty.WriteAll(bytes, n, m_stop);
}

void CemuSerialPty::Run()
{
    while (!m_stop) {
        std::vector<uint8_t> out;
        pollfd p{m_pty.Master(), POLLIN, 0};
        if (::poll(&p, 1, kPollMs) > 0 && (p.revents & POLLIN)) {
            uint8_t bytes[512];
            const ssize_t got = ::read(m_pty.Master(), bytes, sizeof bytes);
            if (got > 0) {
                std::lock_guard<std::mutex> lock(m_lock);
                out = m_logger.Receive(bytes, size_t(got), std::chrono::steady_clock::now());
            }
        } else if (p.revents & (POLLHUP | POLLERR)) {
            SleepMs(kPollMs); // hung up: nothing to read until a new open
        }
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const std::vector<uint8_t> more = m_logger.Tick(std::chrono::steady_clock::now());
            out.insert(out.end(), more.begin(), more.end());
        }
        if (!out.empty())
            WriteAll(out.data(), out.size());
    }
}
