#include "protocol/xutXLFlash.h"

#include "hardware/xhwBox.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xhwSystemImageFiles.h"
#include "protocol/xhwSystemInstall.h"

#include <algorithm>
#include <cstring>
#include <wx/utils.h>

namespace {

constexpr int kReport = 64;
// Command byte, four address bytes and the size leave this much for data.
constexpr int kMaxPacketData = 58;
constexpr uint8_t kExtendedMark = 0xA5;
constexpr uint32_t kMaxSize = 0xFFFFFFF;
constexpr uint32_t kMaxErasePage = 0x10000;
constexpr int kEraseReads = 10;
// The device restarts its application after the reset command.
constexpr unsigned long kResetMs = 1000;

uint32_t Get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

int Get16(const uint8_t* p)
{
    return p[0] | p[1] << 8;
}

void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

bool Skipped(const CxutXLFlashBlock& block, size_t position)
{
    return block.m_family == 2 && block.m_bytesPerWord == 4 && position % 4 == 3;
}

} // namespace

void xutXLFlashSizes(int family, int type, int& bytesPerAddress, int& bytesPerWord)
{
    if (type == 1) {
        bytesPerAddress = (family == 2 || family == 4) ? 2 : 1;
        bytesPerWord = (family == 1 || family == 4) ? 2 : 4;
    } else if (type == 3) {
        bytesPerAddress = family == 2 ? 2 : 1;
        bytesPerWord = family == 2 ? 4 : 2;
    } else {
        bytesPerAddress = 1;
        bytesPerWord = 1;
    }
}

void CxutXLFlashBlocks::SetRegions(const CxutXLFlashQuery& query)
{
    m_count = query.m_regionCount;
    for (int i = 0; i < 6; ++i) {
        CxutXLFlashBlock& block = m_blocks[i];
        block = CxutXLFlashBlock();
        if (i >= query.m_regionCount)
            continue;
        const CxutXLFlashQuery::CxutRegion& region = query.m_regions[i];
        block.m_type = region.m_type;
        block.m_start = region.m_start;
        block.m_end = region.m_start + region.m_size;
        block.m_family = query.m_family;
        xutXLFlashSizes(query.m_family, region.m_type, block.m_bytesPerAddress, block.m_bytesPerWord);
        block.m_length = size_t(region.m_size) * size_t(block.m_bytesPerAddress);
        block.m_packetDataSize = (query.m_bytesPerPacket / block.m_bytesPerWord) * block.m_bytesPerWord;
        block.m_buffer.assign(block.m_length, 0xFF);
        block.m_low = block.m_length;
        block.m_high = 0;
    }
}

CxutXLFlash::CxutXLFlash(CxhwBox& box) : m_link(box.m_xlogger)
{
    m_query.m_box = &box;
}

CxutXLFlash::~CxutXLFlash() = default;

bool CxutXLFlash::Send(const uint8_t report[64])
{
    return m_link.Write(kReport, report);
}

bool CxutXLFlash::SendCommand(uint8_t command)
{
    uint8_t report[kReport] = {};
    report[0] = command;
    return Send(report);
}

bool CxutXLFlash::ReadReply(uint8_t reply[64], float seconds)
{
    return m_link.Read(kReport, reply, seconds);
}

bool CxutXLFlash::Fail(int result)
{
    m_result = result;
    return false;
}

void CxutXLFlash::BeginPhase(float offset, float span)
{
    m_query.m_offset = offset;
    m_query.m_span = span;
}

bool CxutXLFlash::Progress(float fraction)
{
    if (!m_query.m_box)
        return true;
    if (xhwIsInstallCancelled(*m_query.m_box))
        return Fail(SYSTEM_RESULT_CANCELLED);
    xhwSetInstallProgress(*m_query.m_box, m_query.m_offset + std::clamp(fraction, 0.0f, 1.0f) * m_query.m_span);
    return true;
}

bool CxutXLFlash::Query(float seconds)
{
    uint8_t reply[kReport];
    if (!SendCommand(BOOT_CMD_QUERY) || !ReadReply(reply, seconds) || reply[0] != BOOT_CMD_QUERY)
        return false;
    CxutXLFlashQuery& q = m_query;
    q.m_bytesPerPacket = reply[1];
    q.m_family = reply[2];
    q.m_extendedMark = reply[57];
    q.m_extended = reply[57] == kExtendedMark;
    q.m_regionCount = 0;
    for (int i = 0; i < 6; ++i) {
        const uint8_t* entry = reply + 3 + 9 * i;
        q.m_regions[i].m_type = entry[0];
        q.m_regions[i].m_start = Get32(entry + 1);
        q.m_regions[i].m_size = std::min(Get32(entry + 5), kMaxSize);
    }
    while (q.m_regionCount < 6 && q.m_regions[q.m_regionCount].m_type != 0xFF)
        ++q.m_regionCount;
    if (q.m_family != 1 && q.m_family != 2 && q.m_family != 4)
        return false;
    if (!q.m_extended)
        return false;
    // The device's own description sizes every buffer and packet: a region
    // beyond what any image could need, or packets that a report cannot
    // carry, are refused rather than trusted.
    if (q.m_bytesPerPacket < 4 || q.m_bytesPerPacket > kMaxPacketData)
        return false;
    for (int i = 0; i < q.m_regionCount; ++i) {
        int perAddress = 1;
        int perWord = 1;
        xutXLFlashSizes(q.m_family, q.m_regions[i].m_type, perAddress, perWord);
        if (uint64_t(q.m_regions[i].m_size) * uint64_t(perAddress) > kMaxRegionBytes
            || uint64_t(q.m_regions[i].m_start) + q.m_regions[i].m_size > 0xFFFFFFFFull)
            return false;
    }
    if (!SendCommand(BOOT_CMD_QUERY_EXTENDED) || !ReadReply(reply, 1.0f) || reply[0] != BOOT_CMD_QUERY_EXTENDED)
        return false;
    q.m_bootVersion = Get16(reply + 1);
    q.m_appVersion = Get16(reply + 3);
    q.m_signatureAddress = Get32(reply + 5);
    q.m_signatureValue = Get16(reply + 9);
    q.m_erasePageSize = Get32(reply + 11);
    return true;
}

bool CxutXLFlash::LoadHex(const wxArrayString& lines)
{
    const size_t n = lines.size();
    uint32_t base = 0;
    bool placed = false;
    CxutHexRecord record;
    for (size_t k = 0; k < n; ++k) {
        if (k % 10 == 0 && !Progress(float(k) / float(n)))
            return false;
        if (!xutParseHexRecord(lines[k], record))
            return Fail(SYSTEM_RESULT_FILE_CORRUPT);
        if (record.m_type == 4 && record.m_count >= 2) {
            base = uint32_t(record.m_data[0] << 8 | record.m_data[1]) << 16;
        } else if (record.m_type == 2 && record.m_count >= 2) {
            base = uint32_t(record.m_data[0] << 8 | record.m_data[1]) << 4;
        } else if (record.m_type == 0) {
            for (int j = 0; j < record.m_count; ++j) {
                const uint64_t a = uint64_t(base) + uint64_t(record.m_address) + uint64_t(j);
                for (int r = 0; r < m_file.m_count; ++r) {
                    CxutXLFlashBlock& block = m_file.m_blocks[r];
                    const uint64_t perAddress = uint64_t(block.m_bytesPerAddress);
                    const uint64_t address = a / perAddress;
                    if (address < block.m_start || address >= block.m_end)
                        continue;
                    const size_t position = size_t(a % perAddress + (address - block.m_start) * perAddress);
                    if (position >= block.m_length)
                        continue;
                    block.m_buffer[position] = record.m_data[j];
                    block.m_touched = true;
                    block.m_low = std::min(block.m_low, position);
                    block.m_high = std::max(block.m_high, position + 1);
                    placed = true;
                }
            }
        }
    }
    if (!placed)
        return Fail(SYSTEM_RESULT_FILE_CORRUPT);
    return true;
}

bool CxutXLFlash::Program(const CxutXLFlashBlock& block)
{
    const uint32_t size = block.m_end - block.m_start;
    const uint32_t perAddress = uint32_t(block.m_bytesPerAddress);
    const uint32_t perWord = uint32_t(block.m_bytesPerWord);
    const uint32_t packet = uint32_t(block.m_packetDataSize);
    uint32_t address = block.m_start;
    uint32_t remaining = size;
    size_t position = 0;
    bool open = false;
    while (remaining > 0) {
        if (!Progress(1.0f - float(remaining) / float(size)))
            return false;
        const uint64_t n = uint64_t(perAddress) * remaining;
        uint32_t sizeField = 0;
        size_t dataLength = 0;
        if (n >= packet) {
            sizeField = packet;
            dataLength = packet;
        } else {
            sizeField = uint32_t((n + perWord - 1) / perWord * perWord);
            dataLength = block.m_length - position;
        }
        dataLength = std::min(dataLength, size_t(sizeField));
        const uint8_t* data = block.m_buffer.data() + position;
        bool blank = true;
        for (size_t p = 0; p < dataLength && blank; ++p)
            blank = Skipped(block, p) || data[p] == 0xFF;
        if (blank) {
            if (open && !SendCommand(BOOT_CMD_PROGRAM_COMPLETE))
                return Fail(SYSTEM_RESULT_NO_ANSWER);
            open = false;
        } else {
            uint8_t report[kReport] = {};
            report[0] = BOOT_CMD_PROGRAM;
            Put32(report + 1, address);
            report[5] = uint8_t(sizeField);
            std::memcpy(report + kReport - sizeField, data, dataLength);
            std::fill(report + kReport - sizeField + dataLength, report + kReport, 0xFF);
            if (!Send(report))
                return Fail(SYSTEM_RESULT_NO_ANSWER);
            open = true;
        }
        const uint32_t step = std::max(1u, sizeField / perAddress);
        address += step;
        remaining -= std::min(step, remaining);
        position += dataLength;
    }
    if (open && !SendCommand(BOOT_CMD_PROGRAM_COMPLETE))
        return Fail(SYSTEM_RESULT_NO_ANSWER);
    return true;
}

bool CxutXLFlash::ReadBack(CxutXLFlashBlock& block, const CxutXLFlashBlock* file)
{
    const uint32_t size = block.m_end - block.m_start;
    const uint32_t perAddress = uint32_t(block.m_bytesPerAddress);
    uint32_t address = block.m_start;
    uint32_t remaining = size;
    size_t position = 0;
    block.m_low = block.m_length;
    block.m_high = 0;
    while (remaining > 0) {
        if (!Progress(1.0f - float(remaining) / float(size)))
            return false;
        const uint32_t n = uint32_t(std::min<uint64_t>(uint64_t(perAddress) * remaining, uint64_t(block.m_packetDataSize)));
        if (n == 0 || position + n > block.m_length)
            return Fail(SYSTEM_RESULT_NO_ANSWER);
        uint8_t report[kReport] = {};
        report[0] = BOOT_CMD_GET_DATA;
        Put32(report + 1, address);
        report[5] = uint8_t(n);
        uint8_t reply[kReport];
        if (!Send(report) || !ReadReply(reply, 1.0f) || reply[0] != BOOT_CMD_GET_DATA
            || Get32(reply + 1) != address || reply[5] != n)
            return Fail(SYSTEM_RESULT_NO_ANSWER);
        std::memcpy(block.m_buffer.data() + position, reply + kReport - n, n);
        block.m_touched = true;
        block.m_low = std::min(block.m_low, position);
        block.m_high = std::max(block.m_high, position + n);
        const uint32_t step = std::max(1u, n / perAddress);
        address += step;
        remaining -= std::min(step, remaining);
        position += n;
        if (file && file->m_touched && block.m_low <= file->m_low && block.m_high >= file->m_high)
            break;
    }
    return true;
}

bool CxutXLFlash::Compare() const
{
    for (int r = 0; r < m_file.m_count; ++r) {
        const CxutXLFlashBlock& file = m_file.m_blocks[r];
        if (file.m_type != 1 || !file.m_touched)
            continue;
        const CxutXLFlashBlock& read = m_readBack.m_blocks[r];
        if (!read.m_touched || read.m_start != file.m_start || read.m_end != file.m_end
            || read.m_bytesPerAddress != file.m_bytesPerAddress || read.m_bytesPerWord != file.m_bytesPerWord
            || read.m_family != file.m_family)
            return false;
        // What was not read back has not been verified.
        if (read.m_low > file.m_low || read.m_high < file.m_high)
            return false;
        for (size_t p = file.m_low; p < file.m_high; ++p) {
            if (file.m_buffer[p] == read.m_buffer[p] || Skipped(file, p))
                continue;
            const uint32_t address = file.m_start + uint32_t(p / size_t(file.m_bytesPerAddress));
            const uint32_t signature = m_query.m_signatureAddress;
            if (file.m_family == 1 && (address == signature || address == signature + 1))
                continue;
            return false;
        }
    }
    return true;
}

bool CxutXLFlash::CheckSignature()
{
    if (m_query.m_family != 1)
        return true;
    const CxutXLFlashBlock* pattern = nullptr;
    for (int r = 0; r < m_readBack.m_count && !pattern; ++r)
        if (m_readBack.m_blocks[r].m_type == 1)
            pattern = &m_readBack.m_blocks[r];
    const uint32_t page = m_query.m_erasePageSize;
    if (!pattern || page == 0 || page > kMaxErasePage)
        return false;
    const uint32_t signature = m_query.m_signatureAddress;
    CxutXLFlashBlock block;
    block.m_type = 1;
    block.m_family = pattern->m_family;
    block.m_bytesPerAddress = pattern->m_bytesPerAddress;
    block.m_bytesPerWord = pattern->m_bytesPerWord;
    block.m_packetDataSize = pattern->m_packetDataSize;
    block.m_start = signature - signature % page;
    block.m_end = block.m_start + page;
    block.m_length = size_t(page) * size_t(block.m_bytesPerAddress);
    block.m_buffer.assign(block.m_length, 0xFF);
    if (!ReadBack(block, nullptr))
        return false;
    const size_t perAddress = size_t(block.m_bytesPerAddress);
    for (size_t p = 0; p < block.m_length; ++p) {
        const uint32_t address = block.m_start + uint32_t(p / perAddress);
        if (address == signature) {
            if (block.m_buffer[p] != (m_query.m_signatureValue & 0xFF))
                return false;
            continue;
        }
        if (address == signature + 1) {
            if (block.m_buffer[p] != ((m_query.m_signatureValue >> 8) & 0xFF))
                return false;
            continue;
        }
        const CxutXLFlashBlock* holder = nullptr;
        for (int r = 0; r < m_file.m_count && !holder; ++r) {
            const CxutXLFlashBlock& file = m_file.m_blocks[r];
            if (file.m_type != 0xFF && address >= file.m_start && address < file.m_end)
                holder = &file;
        }
        if (!holder)
            return false;
        const size_t at = size_t(address - holder->m_start) * size_t(holder->m_bytesPerAddress) + p % perAddress;
        if (at >= holder->m_length || holder->m_buffer[at] != block.m_buffer[p])
            return false;
    }
    return true;
}

bool CxutXLFlash::Flash(const wxArrayString& lines)
{
    m_result = SYSTEM_RESULT_DONE;
    BeginPhase(0.0f, 0.1f);
    if (!Progress(0.0f))
        return false;
    if (!Query(1.0f))
        return Fail(SYSTEM_RESULT_NO_ANSWER);
    m_file.SetRegions(m_query);
    m_readBack.SetRegions(m_query);

    BeginPhase(0.1f, 0.1f);
    if (!Progress(0.0f) || !LoadHex(lines))
        return false;

    if (m_query.m_box)
        m_query.m_box->m_install.m_stage = 2;
    BeginPhase(0.2f, 0.2f);
    if (!Progress(0.0f))
        return false;
    if (!SendCommand(BOOT_CMD_ERASE) || !SendCommand(BOOT_CMD_QUERY))
        return Fail(SYSTEM_RESULT_NO_ANSWER);
    uint8_t reply[kReport];
    for (int i = 0; i < kEraseReads; ++i) {
        if (ReadReply(reply, 1.0f))
            break;
        if (!Progress(float(i + 1) / kEraseReads))
            return false;
    }
    if (!Query(1.0f))
        return Fail(SYSTEM_RESULT_NO_ANSWER);

    BeginPhase(0.4f, 0.25f);
    for (int r = 0; r < m_file.m_count; ++r) {
        const CxutXLFlashBlock& block = m_file.m_blocks[r];
        if (block.m_type == 1 && !block.m_buffer.empty() && block.m_start < block.m_end && !Program(block))
            return false;
    }
    if (!Query(5.0f))
        return Fail(SYSTEM_RESULT_NO_ANSWER);

    BeginPhase(0.65f, 0.25f);
    for (int r = 0; r < m_readBack.m_count; ++r) {
        CxutXLFlashBlock& block = m_readBack.m_blocks[r];
        if (block.m_type == 1 && block.m_start < block.m_end && !ReadBack(block, &m_file.m_blocks[r]))
            return false;
    }
    if (!Query(5.0f))
        return Fail(SYSTEM_RESULT_NO_ANSWER);
    if (!Compare())
        return Fail(SYSTEM_RESULT_NO_ANSWER);

    BeginPhase(0.9f, 0.1f);
    if (!Progress(0.0f))
        return false;
    if (m_query.m_extended) {
        if (!SendCommand(BOOT_CMD_SIGN) || !Query(10.0f))
            return Fail(SYSTEM_RESULT_NO_ANSWER);
        if (!CheckSignature()) {
            if (m_result == SYSTEM_RESULT_CANCELLED)
                return false;
            // A half-written firmware must not start: erase it again.
            SendCommand(BOOT_CMD_ERASE);
            Query(5.0f);
            return Fail(SYSTEM_RESULT_NO_ANSWER);
        }
        if (!Query(10.0f))
            return Fail(SYSTEM_RESULT_NO_ANSWER);
    }
    if (!SendCommand(BOOT_CMD_RESET))
        return Fail(SYSTEM_RESULT_NO_ANSWER);
    wxMilliSleep(kResetMs);
    return true;
}
