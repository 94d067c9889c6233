#include "emulators/emuPktDevice.h"

#include <algorithm>
#include <cstring>

CemuPktDevice::CemuPktDevice(bool shortReport) : m_short(shortReport) {}

void CemuPktDevice::Receive(const uint8_t* payload, size_t n)
{
    std::vector<uint8_t> frame(GetPayloadSize(), 0);
    std::copy(payload, payload + std::min(n, frame.size()), frame.begin());
    m_frames.push_back(frame);
    m_written.push_back(std::move(frame));
}

int CemuPktDevice::NextReport(uint8_t* r)
{
    std::memset(r, 0, 64);
    return m_short ? ShortReport(r) : PacketReport(r);
}

void CemuPktDevice::SetIdentity(int slot, int code, int type)
{
    m_ids[slot % 3][0] = uint8_t(code);
    m_ids[slot % 3][1] = uint8_t(type);
}

void CemuPktDevice::SetCalibrationCodes(int range, int gain, int offset)
{
    uint8_t* at = m_memory + 4 * (range - 1);
    at[0] = uint8_t(gain);
    at[1] = uint8_t(gain >> 8);
    at[2] = uint8_t(offset);
    at[3] = uint8_t(offset >> 8);
}

void CemuPktDevice::GetCalibrationCodes(int range, int& gain, int& offset) const
{
    const uint8_t* at = m_memory + 4 * (range - 1);
    gain = at[0] | at[1] << 8;
    offset = at[2] | at[3] << 8;
}

void CemuPktDevice::AddEvent(uint32_t thirds, int state, int id)
{
    m_events.push_back({thirds, uint8_t(state), uint8_t(id)});
}

int CemuPktDevice::CountFrames(int command) const
{
    int n = 0;
    for (const auto& f : m_written)
        n += m_short ? 1 : f[1] == command;
    return n;
}

int CemuPktDevice::PacketReport(uint8_t* r)
{
    if (!m_frames.empty()) {
        m_current = m_frames.front();
        m_frames.pop_front();
        m_fresh = true;
        for (int s = 0; s < 8 && m_current[1] >= 1 && m_current[1] <= 4; ++s)
            if (m_current[8 + s] != 0x80 && m_current[8 + s] != 0)
                m_ranges[s] = m_current[8 + s];
        m_captured = 0;
    }
    if (m_current.empty())
        return 0;
    const int command = m_current[1];
    r[0] = uint8_t((m_current[0] & 0x30) | m_buttonBits);
    r[1] = 0;
    switch (command) {
    case 1:
        for (int s = 0; s < 8; ++s) {
            r[8 + s] = m_ranges[s];
            r[16 + 2 * s] = uint8_t(m_values[s]);
            r[17 + 2 * s] = uint8_t(m_values[s] >> 8);
        }
        break;
    case 2:
    case 3: {
        const int count = m_current[56] | m_current[57] << 8;
        const int n = std::max(0, std::min(31, count - m_captured));
        r[1] = uint8_t(m_claimed ? m_claimed : n);
        for (int i = 0; i < n; ++i) {
            r[2 + 2 * i] = uint8_t(m_captured + i);
            r[3 + 2 * i] = uint8_t((m_captured + i) >> 8);
        }
        m_captured += n;
        break;
    }
    case 4: {
        // One event a report, each sent twice as a device repeats its last
        // report.
        if (!m_events.empty()) {
            const Event& e = m_events.front();
            r[1] = 1;
            r[4] = uint8_t(e.thirds);
            r[5] = uint8_t(e.thirds >> 8);
            r[6] = uint8_t(e.thirds >> 16);
            r[7] = uint8_t(e.thirds >> 24);
            r[8] = e.state;
            r[9] = e.id;
            if (++m_eventSends == 2) {
                m_events.pop_front();
                m_eventSends = 0;
            }
        }
        if (m_claimedEvents)
            r[1] = uint8_t(m_claimedEvents);
        break;
    }
    case 8: {
        const int offset = m_current[4] | m_current[5] << 8;
        for (int i = 0; i < 62 && offset + i < int(m_block.size()); ++i)
            r[2 + i] = m_block[size_t(offset + i)];
        break;
    }
    case 10: {
        const int address = m_current[4] | m_current[5] << 8;
        const int length = std::min<int>(m_current[6], 56);
        if (m_fresh && m_current[7] == 0xA9)
            for (int i = 0; i < length && address + i < 64; ++i)
                m_memory[address + i] = m_current[8 + i];
        for (int i = 0; i < length && address + i < 64; ++i)
            r[8 + i] = m_memory[address + i];
        break;
    }
    default:
        break;
    }
    m_fresh = false;
    return 64;
}

int CemuPktDevice::ShortReport(uint8_t* r)
{
    while (!m_frames.empty()) {
        const auto& f = m_frames.front();
        if (f[6] != 4)
            m_shortMode = f[6] & 3;
        m_frames.pop_front();
    }
    r[6] = uint8_t(m_shortMode);
    r[7] = m_shortDown ? 0 : 0x80;
    if (m_shortMode == 1) {
        for (int k = 0; k < 3; ++k) {
            r[2 * k] = uint8_t(m_values[k] >> 8);
            r[2 * k + 1] = uint8_t(m_values[k]);
        }
    } else if (m_shortMode == 2) {
        if (!m_events.empty()) {
            const Event& e = m_events.front();
            r[0] = uint8_t(e.thirds);
            r[1] = uint8_t(e.thirds >> 8);
            r[2] = uint8_t(e.thirds >> 16);
            r[3] = uint8_t(e.thirds >> 24);
            r[4] = e.state;
            r[5] = e.id;
            m_lastShortEvent.assign(r, r + 6);
            m_events.pop_front();
        } else if (!m_lastShortEvent.empty()) {
            std::memcpy(r, m_lastShortEvent.data(), 6);
        }
    } else {
        for (int k = 0; k < 3; ++k) {
            r[2 * k] = m_ids[k][0];
            r[2 * k + 1] = m_ids[k][1];
        }
    }
    return 8;
}
