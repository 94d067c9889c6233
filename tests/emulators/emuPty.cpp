#include "emulators/emuPty.h"

#include "support/testWait.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>


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
    bool failed = false;
    qvtest::WaitUntil([&] {
        while (n > 0 && !stop) {
            const ssize_t written = ::write(m_master, bytes, n);
            if (written <= 0) {
                failed = written < 0 && errno != EAGAIN && errno != EINTR;
                return failed;
            }
            bytes += written;
            n -= size_t(written);
        }
        return true;
    });
    return !failed && n == 0;
}
