#include "emulators/emuLogger.h"

#include <algorithm>

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

CemuLoggerConfig CemuLoggerConfig::ForBoxType(int boxType)
{
    static const struct
    {
        int type;
        uint8_t id;
        const char* version;
    } kFamilies[] = {
        {2, 3, "1.50"},  {3, 9, "1.30"},  {4, 9, "2.30"},  {5, 26, "1.30"}, {6, 32, "1.30"},
        {8, 40, "1.30"}, {9, 48, "1.30"}, {10, 64, "1.30"}, {12, 72, "1.30"},
    };
    CemuLoggerConfig config;
    for (const auto& family : kFamilies) {
        if (family.type != boxType)
            continue;
        config.id = family.id;
        config.version = family.version;
        if (boxType <= 4)
            config.switchReply = 0xFF;
    }
    return config;
}

std::vector<uint8_t> CemuLogger::Receive(const uint8_t* bytes, size_t n)
{
    std::vector<uint8_t> out;
    m_later.clear();
    for (size_t i = 0; i < n; ++i) {
        m_received.push_back(bytes[i]);
        Answer(bytes[i], out);
    }
    if (!m_config.answering) {
        out.clear();
        m_later.clear();
    }
    return out;
}

void CemuLogger::AnswerStatus(std::vector<uint8_t>& out)
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
    out.insert(out.end(), m_config.statusTrail.begin(), m_config.statusTrail.end());
    if (m_config.status == 38 && m_config.bootExtra >= 0)
        m_later.push_back(uint8_t(m_config.bootExtra));
}

std::vector<uint8_t> CemuLogger::TakeLater()
{
    std::vector<uint8_t> later;
    later.swap(m_later);
    return later;
}

void CemuLogger::Restart()
{
    m_partial.clear();
    m_later.clear();
    m_flagsSinceReset = -1;
}

void CemuLogger::AnswerFlags(std::vector<uint8_t>& out)
{
    const std::vector<int>& after = m_config.flagsAfterReset;
    if (m_flagsSinceReset >= 0 && !after.empty()) {
        const size_t i = std::min(size_t(m_flagsSinceReset), after.size() - 1);
        ++m_flagsSinceReset;
        if (after[i] >= 0)
            out.push_back(uint8_t(after[i]));
        return;
    }
    if (m_config.flags >= 0)
        out.push_back(uint8_t(m_config.flags));
}

void CemuLogger::Answer(uint8_t byte, std::vector<uint8_t>& out)
{
    if (!m_partial.empty()) {
        m_partial.push_back(byte);
        if (m_partial[0] == kGetSensorId) {
            const uint8_t input = m_partial[1];
            m_partial.clear();
            if (input < 6 && input < m_config.sensorInputs)
                out.insert(out.end(), {m_config.sensorCode[input], m_config.sensorType[input]});
        } else if (m_partial.size() == 2 && byte != kSwitchSecond) {
            m_partial.clear(); // not the switch command after all
        } else if (m_partial.size() == 3) {
            m_lastSwitch = uint8_t(~m_partial[2]);
            m_lastSwitchByte = m_partial[2];
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
        if (m_config.bootId >= 0)
            out.push_back(uint8_t(m_config.bootId));
        break;
    case kGetFlags:
        AnswerFlags(out);
        break;
    case kGetSensorId:
    case kSwitch:
        m_partial.push_back(byte);
        break;
    case kReset:
        m_flagsSinceReset = 0;
        break;
    default:
        break;
    }
}
