#include "emulators/emuLogger.h"

namespace {
constexpr uint8_t kGetId = 1;
constexpr uint8_t kGetVersion = 2;
constexpr uint8_t kGetBootId = 3;
constexpr uint8_t kGetSensorId = 4;
constexpr uint8_t kGetFlags = 9;
constexpr uint8_t kStatus = 13;
constexpr uint8_t kReset = 14;
constexpr uint8_t kSwitch = 0x17;
constexpr uint8_t kSwitchSecond = 0x40;
} // namespace

std::vector<uint8_t> CemuLogger::Receive(const uint8_t* bytes, size_t n)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i) {
        m_received.push_back(bytes[i]);
        Answer(bytes[i], out);
    }
    if (!m_config.answering)
        out.clear();
    return out;
}

void CemuLogger::AnswerStatus(std::vector<uint8_t>& out) const
{
    switch (m_config.framing) {
    case CemuLoggerConfig::kCrLf:
        out.insert(out.end(), {13, 10});
        break;
    case CemuLoggerConfig::kCrLfCrLf:
        out.insert(out.end(), {13, 10, 13, 10});
        break;
    case CemuLoggerConfig::kNulCrLf:
        out.insert(out.end(), {0, 13, 10});
        break;
    default:
        break;
    }
    out.push_back(m_config.status);
}

void CemuLogger::Answer(uint8_t byte, std::vector<uint8_t>& out)
{
    if (!m_partial.empty()) {
        m_partial.push_back(byte);
        if (m_partial[0] == kGetSensorId) {
            const uint8_t input = m_partial[1];
            m_partial.clear();
            if (input < 6)
                out.insert(out.end(), {m_config.sensorCode[input], m_config.sensorType[input]});
        } else if (m_partial.size() == 2 && byte != kSwitchSecond) {
            m_partial.clear(); // not the switch command after all
        } else if (m_partial.size() == 3) {
            m_lastSwitch = uint8_t(~m_partial[2]);
            m_partial.clear();
            if (m_config.switchReply >= 0)
                out.push_back(uint8_t(m_config.switchReply));
        }
        return;
    }
    switch (byte) {
    case kStatus:
        AnswerStatus(out);
        break;
    case kGetId:
        out.push_back(m_config.id);
        break;
    case kGetVersion:
        out.insert(out.end(), m_config.version.begin(), m_config.version.end());
        break;
    case kGetBootId:
        out.push_back(m_config.bootId);
        break;
    case kGetFlags:
        out.push_back(m_config.flags);
        break;
    case kGetSensorId:
    case kSwitch:
        m_partial.push_back(byte);
        break;
    case kReset:
    default:
        break;
    }
}
