#include "transport/zxSerialReadWriteThread.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>
#include <wx/utils.h>

namespace {
// An idle step waits this long for the device, so that the thread neither
// spins nor is slow to notice queued bytes or a stop.
constexpr int kIdleWaitMs = 1;
} // namespace

CzxSerialReadWriteThread::CzxSerialReadWriteThread(int fd, CzxByteFIFO& tx, CzxByteFIFO& rx)
    : m_fd(fd), m_tx(tx), m_rx(rx)
{
}

CzxSerialReadWriteThread::~CzxSerialReadWriteThread() = default;

bool CzxSerialReadWriteThread::Step()
{
    if (!Transfer()) {
        pollfd p{m_fd, short(m_tx.GetCount() > 0 ? POLLOUT : POLLIN), 0};
        // A hung-up device answers at once: it must not make the thread spin.
        if (m_fd < 0 || ::poll(&p, 1, kIdleWaitMs) != 0)
            wxMilliSleep(kIdleWaitMs);
    }
    return true;
}

bool CzxSerialReadWriteThread::Transfer()
{
    if (m_tx.GetCount() > 0)
        return Send();
    return Receive();
}

bool CzxSerialReadWriteThread::Send()
{
    uint32_t n = m_tx.GetCount();
    bool moved = false;
    while (n > 0) {
        uint8_t chunk[kChunk];
        const uint32_t size = m_tx.Peek(chunk, n < kChunk ? n : kChunk);
        if (size == 0 || m_fd < 0)
            break;
        const ssize_t written = ::write(m_fd, chunk, size);
        if (written > 0) {
            // What the device did not take waits for the next step.
            m_tx.Discard(uint32_t(written));
            moved = true;
            n -= uint32_t(written);
            if (uint32_t(written) < size)
                break;
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            // The device is gone or refuses: these bytes can never go.
            m_tx.Discard(size);
            moved = true;
        }
        break;
    }
    return moved;
}

bool CzxSerialReadWriteThread::Receive()
{
    bool moved = false;
    for (;;) {
        if (!m_rx.Reserve(kChunk) || m_fd < 0)
            break;
        uint8_t chunk[kChunk];
        const ssize_t got = ::read(m_fd, chunk, kChunk);
        if (got <= 0)
            break;
        m_rx.Put(chunk, uint32_t(got));
        moved = true;
        if (got != ssize_t(kChunk))
            break;
    }
    return moved;
}
