#pragma once
#include "hardware/xhwSerialFiles.h"

#include <cstdint>
#include <functional>

// A memory image of box type 6 comes only forward, 7 bytes a command. The
// window holds the stream bytes from Start to End (multiples of 7) so that
// the header and each section can be read in place; it never goes back.
class CxhwLumivastaWindow
{
public:
    // Reads the next block of the stream; false when none came.
    using ReadBlock = std::function<bool(uint8_t block[kLumivastaBlock])>;

    static constexpr int kSize = kLumivastaHeaderSize; // 74 blocks

    explicit CxhwLumivastaWindow(ReadBlock read) : m_read(std::move(read)) {}

    // Makes stream bytes from to to - 1 available, reading on by up to
    // readAhead bytes when the stream goes on. False on a failed read, a
    // request behind the window or one larger than it.
    bool Request(int from, int to, int readAhead);
    // Stream byte at an offset inside the last request.
    const uint8_t* At(int offset) const { return m_buffer + (offset - m_start); }
    int Start() const { return m_start; }
    int End() const { return m_end; }

private:
    bool ReadInto(uint8_t* where);

    ReadBlock m_read;
    uint8_t m_buffer[kSize] = {};
    int m_start = 0;
    int m_end = 0;
    // A read ahead found the end of the stream.
    bool m_ended = false;
};
