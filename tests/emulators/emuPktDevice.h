#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// The device side of the multi-device logger's protocol: a packet device
// (64-byte frames answered with the frame's sequence, a definition block and
// calibration memory, live values, captures, timing events, a push button) or
// a short-report device (8-byte reports by the mode the host asks for). Like
// the real one it answers the newest frame again at every poll until another
// comes. Not locked: its owner is.
class CemuPktDevice
{
public:
    explicit CemuPktDevice(bool shortReport);

    bool IsShortReport() const { return m_short; }
    size_t GetPayloadSize() const { return m_short ? 8 : 64; }
    void SetBlock(std::vector<unsigned char> block) { m_block = std::move(block); }

    // One frame or settings report from the host (the payload, no report id).
    void Receive(const uint8_t* payload, size_t n);
    // The report of this poll into r (64 bytes room); its size, 0 for none.
    int NextReport(uint8_t* r);

    void SetValue(int slot, int value) { m_values[slot & 7] = value; }
    void SetRangeCode(int slot, int code) { m_ranges[slot & 7] = uint8_t(code); }
    void SetIdentity(int slot, int code, int type);
    // Packet byte 0 bits 2, 6, 7 (pressed, clicked, held).
    void SetButtonBits(int bits) { m_buttonBits = uint8_t(bits & 0xC4); }
    void SetShortButtonDown(bool down) { m_shortDown = down; }
    void SetCalibrationCodes(int range, int gain, int offset);
    void GetCalibrationCodes(int range, int& gain, int& offset) const;
    // A timing event: time in thirds of a µs, input state, event id.
    void AddEvent(uint32_t thirds, int state, int id);
    // Every capture report then names this many samples, whatever fits.
    void SetClaimedSamples(int n) { m_claimed = n; }
    // Every timing report then names this many events, whatever fits.
    void SetClaimedEvents(int n) { m_claimedEvents = n; }

    // Frames (or settings reports) with this command; every report of a
    // short-report device counts.
    int CountFrames(int command) const;
    const std::vector<std::vector<uint8_t>>& Written() const { return m_written; }

private:
    struct Event
    {
        uint32_t thirds;
        uint8_t state, id;
    };

    int PacketReport(uint8_t* r);
    int ShortReport(uint8_t* r);

    const bool m_short;
    std::vector<unsigned char> m_block;
    std::deque<std::vector<uint8_t>> m_frames;
    std::vector<std::vector<uint8_t>> m_written;
    std::vector<uint8_t> m_current;
    bool m_fresh = false;
    int m_captured = 0;
    int m_eventSends = 0;
    int m_claimed = 0;
    int m_claimedEvents = 0;
    uint8_t m_ranges[8] = {};
    int m_values[8] = {};
    uint8_t m_ids[3][2] = {};
    uint8_t m_buttonBits = 0;
    bool m_shortDown = false;
    uint8_t m_memory[64] = {};
    std::deque<Event> m_events;
    int m_shortMode = 0;
    std::vector<uint8_t> m_lastShortEvent;
};
