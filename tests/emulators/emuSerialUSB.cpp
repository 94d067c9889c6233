#include "emulators/emuSerialUSB.h"

#include <algorithm>
#include <wx/utils.h>

namespace {

constexpr size_t kData = 7;

} // namespace

CemuSerialUSB::CemuSerialUSB() : CzxUSBSimDevice(0x2F1A, 0x0100)
{
    m_thread = std::thread([this] {
        for (int poll = 0; !m_stop; ++poll) {
            {
                std::lock_guard<std::mutex> lock(m_lock);
                const std::vector<uint8_t> out = m_logger.Tick(std::chrono::steady_clock::now());
                if (!out.empty())
                    SendStream(out.data(), out.size());
                // With nothing new the device repeats its last report at each
                // poll: the host's first one after an open only sets its count.
                else if (poll % 4 == 0 && GetPendingCount() == 0)
                    SendStream(nullptr, 0);
            }
            wxMilliSleep(2);
        }
    });
}

CemuSerialUSB::~CemuSerialUSB()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CemuSerialUSB::With(const std::function<void(CemuSerialLogger&)>& use)
{
    std::lock_guard<std::mutex> lock(m_lock);
    use(m_logger);
}

void CemuSerialUSB::OnWrite(const std::vector<uint8_t>& report)
{
    // The report id, then the count (the first report of a message flagged
    // with 0x80) and up to seven data bytes.
    if (report.size() < 2)
        return;
    const size_t n = std::min<size_t>({size_t(report[1] & 0x7F), kData, report.size() - 2});
    std::lock_guard<std::mutex> lock(m_lock);
    const std::vector<uint8_t> out = m_logger.Receive(report.data() + 2, n, std::chrono::steady_clock::now());
    if (!out.empty())
        SendStream(out.data(), out.size());
}
