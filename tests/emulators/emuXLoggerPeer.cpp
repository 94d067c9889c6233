#include "emulators/emuXLoggerPeer.h"

#include "transport/zxStopWatch.h"

#include <algorithm>
#include <wx/utils.h>

void CemuXLoggerPeer::Receive(const uint8_t* bytes, size_t n)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::vector<uint8_t> out = m_logger.Receive(bytes, n);
    if (!out.empty())
        m_send(out);
}

void CemuXLoggerPeer::Emit(int n)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < n; ++i) {
        const std::vector<uint8_t> out = m_logger.NextStream();
        if (!out.empty())
            m_send(out);
    }
}

void CemuXLoggerPeer::Pace()
{
    if (m_pacing.exchange(true))
        return;
    m_thread = std::thread([this] {
        CzxStopWatch clock;
        int64_t sent = 0;
        while (m_pacing) {
            int per = 0;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                per = m_logger.StreamStep() * (m_logger.Config().usb ? 7 : 1);
                if (!m_logger.IsStreaming())
                    sent = clock.Time() / std::max(per, 1);
            }
            while (m_pacing && per > 0 && (sent + 1) * per <= clock.Time()) {
                Emit(1);
                ++sent;
            }
            wxMilliSleep(2);
        }
    });
}

void CemuXLoggerPeer::StopPacing()
{
    m_pacing = false;
    if (m_thread.joinable())
        m_thread.join();
}
