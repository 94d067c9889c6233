#include "emulators/emuBootstrapLogger.h"

namespace {
constexpr uint8_t kStartFirst = 0x06;
constexpr uint8_t kStartSecond = 0x88;
constexpr uint8_t kInLoader = 38;
constexpr uint8_t kStatus = 13;
constexpr uint8_t kBootId = 3;
constexpr uint8_t kTransfer = 2;
constexpr uint8_t kReset = 14;
constexpr uint8_t kReady = '>';
constexpr uint8_t kDone = 'S';
} // namespace

std::vector<uint8_t> CemuBootstrapLogger::Receive(const uint8_t* bytes, size_t n, Clock::time_point now)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t byte = bytes[i];
        m_received.push_back(byte);
        if (m_config.chunks) {
            m_chunked.push_back(byte);
            if (m_chunked.size() % 7 == 0)
                out.push_back('*');
            continue;
        }
        if (m_mode != kApplication) {
            if (m_mode == kLoader)
                Loader(byte, out);
            else if (m_mode == kTransfer)
                Transfer(byte, out);
            continue;
        }
        if (m_pendingStart) {
            m_pendingStart = false;
            if (byte == kStartSecond && m_config.entersBootstrap) {
                m_mode = kLoader;
                out.push_back(kInLoader);
                continue;
            }
            const std::vector<uint8_t> reply = m_app.Receive(&kStartFirst, 1, now);
            out.insert(out.end(), reply.begin(), reply.end());
        }
        if (byte == kStartFirst) {
            m_pendingStart = true;
            continue;
        }
        const std::vector<uint8_t> reply = m_app.Receive(&byte, 1, now);
        out.insert(out.end(), reply.begin(), reply.end());
    }
    return out;
}

std::vector<uint8_t> CemuBootstrapLogger::Tick(Clock::time_point now)
{
    if (m_mode != kApplication)
        return {};
    return m_app.Tick(now);
}

void CemuBootstrapLogger::Loader(uint8_t byte, std::vector<uint8_t>& out)
{
    switch (byte) {
    case kStatus:
        out.push_back(kInLoader);
        break;
    case kBootId:
        out.push_back(uint8_t(m_config.bootId));
        break;
    case kTransfer:
        out.push_back(kReady);
        m_mode = kTransfer;
        m_step.clear();
        m_words.clear();
        m_steps = 0;
        break;
    case kReset:
        ++m_exits;
        m_mode = kApplication;
        break;
    default:
        break;
    }
}

void CemuBootstrapLogger::Transfer(uint8_t byte, std::vector<uint8_t>& out)
{
    m_step.push_back(byte);
    if (m_step.size() < (m_config.triples ? 6u : 2u))
        return;
    if (m_config.silentAfter >= 0 && m_steps >= m_config.silentAfter) {
        m_mode = kSilent;
        return;
    }
    uint8_t echo = 0;
    for (size_t i = 0; i < m_step.size(); i += 2) {
        echo ^= m_step[i] ^ m_step[i + 1];
        m_words.push_back(uint16_t(m_step[i] | m_step[i + 1] << 8));
    }
    if (m_steps == m_config.wrongEchoAt)
        echo ^= 0x55;
    out.push_back(echo);
    m_step.clear();
    ++m_steps;
    const bool done = m_config.triples ? !m_words.empty() && m_words.size() >= m_words[0]
                                       : m_steps >= m_config.expectedSteps;
    if (!done)
        return;
    if (m_config.triples)
        out.push_back(kDone);
    m_restarted = m_config.restarts;
    m_mode = m_config.restarts ? kApplication : kLoader;
}
