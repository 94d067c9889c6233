#include "emulators/emuBootstrapPty.h"

#include "support/testWait.h"

#include <chrono>
#include <poll.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int kPollMs = 2;
} // namespace

CemuBootstrapPty::CemuBootstrapPty()
{
    m_thread = std::thread([this] { Run(); });
}

CemuBootstrapPty::~CemuBootstrapPty()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CemuBootstrapPty::With(const std::function<void(CemuBootstrapLogger&)>& use)
{
    std::lock_guard<std::mutex> lock(m_lock);
    use(m_logger);
}

bool CemuBootstrapPty::WaitFor(const std::function<bool(CemuBootstrapLogger&)>& test)
{
    return qvtest::WaitUntil([&] {
        std::lock_guard<std::mutex> lock(m_lock);
        return test(m_logger);
    });
}

void CemuBootstrapPty::Run()
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
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
        }
        {
            std::lock_guard<std::mutex> lock(m_lock);
            const std::vector<uint8_t> more = m_logger.Tick(std::chrono::steady_clock::now());
            out.insert(out.end(), more.begin(), more.end());
        }
        if (!out.empty())
            m_pty.WriteAll(out.data(), out.size(), m_stop);
    }
}
