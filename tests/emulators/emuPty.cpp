#include "emulators/emuPty.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr long kWriteLimitMs = 2000;
}

CemuPty::CemuPty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return;
    char name[128];
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 || ::ptsname_r(m_master, name, sizeof name) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
}

CemuPty::~CemuPty()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool CemuPty::WriteAll(const uint8_t* bytes, size_t n, const std::atomic<bool>& stop) const
{
    if (m_master < 0)
        return false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteLimitMs);
    while (n > 0 && !stop) {
        const ssize_t written = ::write(m_master, bytes, n);
        if (written > 0) {
            bytes += written;
            n -= size_t(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return n == 0;
}
