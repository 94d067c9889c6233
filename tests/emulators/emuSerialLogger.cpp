#include "emulators/emuSerialLogger.h"

#include <algorithm>
#include <cstdio>

namespace {
// A streaming logger stops when no byte has come for this long.
constexpr auto kWatchdog = std::chrono::milliseconds(700);
constexpr auto kFramePeriod = std::chrono::milliseconds(10);
constexpr int kClock = 0xA1;
constexpr size_t kStampLength = 32;

bool IsIdentification(uint8_t byte)
{
    return byte == 1 || byte == 2 || byte == 3 || byte == 9 || byte == 13 || byte == 14;
}
} // namespace

std::vector<uint8_t> CemuSerialLogger::Receive(const uint8_t* bytes, size_t n, Clock::time_point now)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i) {
        m_received.push_back(bytes[i]);
        m_lastByte = now;
        Take(bytes[i], out, now);
    }
    if (!m_identity.Config().answering)
        out.clear();
    return out;
}

std::vector<uint8_t> CemuSerialLogger::Tick(Clock::time_point now)
{
    std::vector<uint8_t> out;
    const bool watched = m_mode == kStream || (m_mode == kTiming && m_config.boxType != 2);
    if (watched && now - m_lastByte > kWatchdog) {
        m_mode = kIdle;
        return out;
    }
    if (m_mode == kStream) {
        while (now - m_lastFrame >= kFramePeriod) {
            out.insert(out.end(), m_config.streamFrame.begin(), m_config.streamFrame.end());
            m_lastFrame += kFramePeriod;
        }
    }
    return out;
}

size_t CemuSerialLogger::CommandLength() const
{
    const uint8_t first = m_command[0];
    switch (first) {
    case 0x04:
    case 0x14:
    case 0x1E:
        return 2;
    case 0x10:
    case 0x15:
    case 0x17:
        return 3;
    case 0x19:
        return m_config.boxType == 2 ? 3 : 2;
    case 0x1A:
        return 7;
    case 0x06:
        if (m_command.size() < 2)
            return 0;
        if (m_command[1] == 0x86)
            return 4;
        if (m_command[1] == 0x8A || m_command[1] == 0x89)
            return 5;
        return 2;
    default:
        return 1;
    }
}

void CemuSerialLogger::PutData(std::vector<uint8_t>& out, const uint8_t* data, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (m_config.breakAfter >= 0 && m_sent >= size_t(m_config.breakAfter))
            return;
        out.push_back(data[i]);
        ++m_sent;
    }
}

void CemuSerialLogger::Take(uint8_t byte, std::vector<uint8_t>& out, Clock::time_point now)
{
    switch (m_mode) {
    case kStream:
        return; // commands wait until the stream ends
    case kTiming:
        if (m_config.boxType == 2 && byte == 0x00)
            m_mode = kIdle;
        return;
    case kCapture:
        m_mode = kIdle;
        return;
    case kScope:
        if (byte == 0x0D)
            m_mode = kIdle;
        return;
    case kStamp:
        if (byte == 0x00) {
            m_mode = kIdle;
        } else if (byte == 0xFF) {
            const std::string& s = m_config.stamp;
            out.push_back(m_stampPos < s.size() ? uint8_t(s[m_stampPos]) : uint8_t(' '));
            ++m_stampPos;
        } else {
            out.push_back(byte);
            m_stampWritten.push_back(char(byte));
            if (m_stampWritten.size() >= kStampLength)
                m_mode = kIdle;
        }
        return;
    default:
        break;
    }
    if (m_config.boxType == 2 && m_command.empty()) {
        if (byte >= 0x20 && byte < 0x7F) {
            out.push_back(byte); // the echo
            m_text.push_back(char(byte));
            return;
        }
        if (byte == 0x0D && !m_text.empty()) {
            out.insert(out.end(), {0x0D, 0x0A});
            RunText(out);
            m_text.clear();
            return;
        }
    }
    m_command.push_back(byte);
    const size_t length = CommandLength();
    if (length == 0 || m_command.size() < length)
        return;
    Run(out, now);
    m_command.clear();
}

void CemuSerialLogger::RunText(std::vector<uint8_t>& out)
{
    m_texts.push_back(m_text);
    unsigned address = 0;
    unsigned count = 0;
    if (std::sscanf(m_text.c_str(), "MSAVE %X %X", &address, &count) == 2) {
        out.insert(out.end(), {0x4F, 0x4B});
        m_sent = 0;
        uint16_t sum = 0;
        for (unsigned i = 0; i < count && address + i < m_memory.size(); ++i) {
            const uint8_t b = m_memory[address + i];
            PutData(out, &b, 1);
            sum = uint16_t(sum + b);
        }
        if (m_config.breakAfter >= 0 && m_sent >= size_t(m_config.breakAfter))
            return;
        out.insert(out.end(), {uint8_t(sum & 0xFF), uint8_t(sum >> 8), 0x24});
    } else if (m_text == "G7C00") {
        m_mode = kTiming;
        out.insert(out.end(), m_config.timingRecords.begin(), m_config.timingRecords.end());
    }
}

void CemuSerialLogger::Run(std::vector<uint8_t>& out, Clock::time_point now)
{
    const std::vector<uint8_t>& c = m_command;
    const int type = m_config.boxType;
    if (IsIdentification(c[0]) || c[0] == 0x04 || c[0] == 0x17) {
        const std::vector<uint8_t> reply = m_identity.Receive(c.data(), c.size());
        out.insert(out.end(), reply.begin(), reply.end());
        return;
    }
    switch (c[0]) {
    case 0x06:
        switch (c[1]) {
        case 0x84:
            out.push_back(uint8_t(m_config.timingMask));
            break;
        case 0x85:
            m_mode = kTiming;
            out.insert(out.end(), m_config.timingRecords.begin(), m_config.timingRecords.end());
            break;
        case 0x86:
            m_mode = kStream;
            m_lastFrame = now;
            break;
        case 0x8A:
            m_mode = kCapture;
            out.insert(out.end(), m_config.capture.begin(), m_config.capture.end());
            break;
        case 0x89:
            m_mode = kScope;
            out.insert(out.end(), m_config.scopeTrace.begin(), m_config.scopeTrace.end());
            break;
        case 0x90:
            out.push_back(uint8_t(m_config.stampCode));
            if (m_config.stampCode > 0) {
                m_mode = kStamp;
                m_stampPos = 0;
                m_stampWritten.clear();
            }
            break;
        case 129:
            m_timingState = 0;
            break;
        case 130: {
            std::vector<uint8_t> state(6, 0);
            if (!m_config.timingStates.empty())
                state = m_config.timingStates[std::min(m_timingState++, m_config.timingStates.size() - 1)];
            out.insert(out.end(), state.begin(), state.end());
            break;
        }
        default:
            break;
        }
        break;
    case 0x10:
        if (c[1] == 3 && c[2] == 7 && type >= 2 && type <= 4) {
            if (m_config.batteryHigh >= 0)
                out.push_back(uint8_t(m_config.batteryHigh));
            if (m_config.batteryLow >= 0)
                out.push_back(uint8_t(m_config.batteryLow));
        } else {
            const int v = m_config.reading[(c[1] & 7) % 6];
            out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v & 0xFF)});
        }
        break;
    case 0x1C:
    case 0x1F:
        for (int i = c[0] == 0x1C ? 0 : 3, k = 0; k < 3; ++i, ++k)
            out.insert(out.end(), {uint8_t(m_config.reading[i] >> 8), uint8_t(m_config.reading[i] & 0xFF)});
        break;
    case 0x14:
        m_outputs = c[1];
        break;
    case 0x15:
        m_pointer = c[1] * 256 + c[2];
        if (type == 2)
            out.push_back(0x15);
        break;
    case 0x18:
        out.push_back(m_memory[size_t(m_pointer++) & 0xFFFF]);
        break;
    case 0x19:
        m_memory[size_t(m_pointer++) & 0xFFFF] = c[1];
        if (type == 2)
            out.push_back(c[1]);
        break;
    case 0x1D:
        if (m_config.batteryByte >= 0)
            out.push_back(uint8_t(m_config.batteryByte));
        break;
    case 0x0F:
        out.push_back(uint8_t(m_config.fileCount));
        break;
    case 0x1E:
        m_slot = c[1] & 7;
        m_slotPos = 0;
        m_sent = 0;
        out.push_back(uint8_t(m_config.slotState[m_slot]));
        break;
    case 0x16: {
        if (m_slot < 0)
            break;
        const std::vector<uint8_t>& data = m_config.slotData[m_slot];
        const size_t block = type == 6 ? 7 : 8;
        if (m_slotPos >= data.size())
            break; // the stream has ended
        uint8_t bytes[8] = {};
        for (size_t i = 0; i < block && m_slotPos + i < data.size(); ++i)
            bytes[i] = data[m_slotPos + i];
        m_slotPos += block;
        PutData(out, bytes, block);
        break;
    }
    case 0x1A: {
        std::vector<uint8_t> reply(6, 0);
        if (c[1] == 0x77) {
            if (c[2] == 0xFF) {
                reply[1] = uint8_t(m_config.type2Mask);
            } else {
                int slot = 0;
                while (slot < 8 && !(c[2] & (1 << slot)))
                    ++slot;
                slot &= 7;
                reply[1] = (m_config.type2Mask & c[2]) ? 1 : 0;
                reply[2] = uint8_t(m_config.type2Start[slot] >> 8);
                reply[3] = uint8_t(m_config.type2Start[slot] & 0xFF);
            }
        } else if (c[1] == 0x0C) {
            reply[2] = uint8_t(m_config.type2End >> 8);
            reply[3] = uint8_t(m_config.type2End & 0xFF);
        } else if (c[1] == 0x1D) {
            for (int i = 0; i < 6; ++i)
                reply[i] = m_memory[kClock + i];
            reply[4] = m_memory[kClock + 5];
        } else if (c[1] == 0x1F && type == 2) {
            m_memory[kClock + 4] = c[3]; // month
            m_memory[kClock + 3] = c[4]; // day
            m_memory[kClock + 5] = c[6]; // year
        } else if (c[1] == 0x1E && type == 2) {
            m_memory[kClock] = c[3];
            m_memory[kClock + 2] = c[5];
            m_memory[kClock + 1] = c[6];
        }
        out.insert(out.end(), reply.begin(), reply.end());
        break;
    }
    default:
        break;
    }
}
