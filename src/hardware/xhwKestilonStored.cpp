#include "hardware/xhwBox.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwStoredFileList.h"
#include "protocol/xutFetchHeader.h"
#include "transport/zxByteFIFO.h"

#include <algorithm>
#include <vector>

// Stored files of box types 10 and 12: 16-byte headers with BCD date and
// time, the list of marks, and the readings in checksummed chunks.

namespace {

constexpr int kSlots = 8;
constexpr int kMaxReadings = 60001;
constexpr int kMaxFetched = 20001;
constexpr float kNoValue = -987654.0f;

enum
{
    STORED_DONE = 0,
    STORED_FAILED = 1,
    STORED_EMPTY = 12,
    STORED_BAD_HEADER = 13,
};

int Bcd(uint8_t b) { return 10 * (b >> 4) + (b & 0x0F); }

bool Present(CxhwBox& box)
{
    int status = 0;
    return box.m_xlogger.RequestStatus(status);
}

} // namespace

uint8_t xhwKestilonXor(const uint8_t* bytes, int n)
{
    uint8_t x = 0;
    for (int i = 0; i < n; ++i)
        x ^= bytes[i];
    return x;
}

int xhwKestilonDecodeHeader(int slot, const uint8_t block[16], CxutFetchHeader& header,
                            CxutFetchFile& file)
{
    if (block[0] > 0x31 || block[1] > 0x12 || block[3] > 0x23 || block[4] > 0x59 || block[5] > 0x59)
        return STORED_BAD_HEADER;
    const int date = Bcd(block[0]) + 100 * Bcd(block[1]) + 10000 * Bcd(block[2]);
    const int time = Bcd(block[5]) + 100 * Bcd(block[4]) + 10000 * Bcd(block[3]);
    static const double kUnits[] = {1e-9, 1e-6, 0.001, 1.0, 60.0, 3600.0, 86400.0, 604800.0};
    const int unit = block[14];
    double interval = 0.0;
    int kind = 2;
    if (unit >= 1 && unit <= 8)
        interval = (block[12] << 8 | block[13]) * kUnits[unit - 1];
    else if (unit == 128)
        kind = 3;
    else
        return STORED_BAD_HEADER;
    const int readings = block[10] << 8 | block[11];
    if (readings > kMaxReadings)
        return STORED_BAD_HEADER;
    for (CxutFetchFile* f : {static_cast<CxutFetchFile*>(&header), &file}) {
        f->SetNumber(slot);
        f->MakeName();
        f->SetDateTime(date, time);
        f->m_kind = kind;
    }
    header.m_interval = interval;
    header.m_readings = readings;
    header.m_duration = (readings - 1) * interval;
    header.m_indexFlag = false;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        CxhwSensor& sensor = header.m_sensors[i];
        const int code = i < 4 ? block[6 + i] : 0;
        const int type = i < 4 ? 3 : 0;
        if (sensor.m_idCode != code || sensor.m_idType != type)
            sensor.m_changedId = true;
        sensor.m_idCode = code;
        sensor.m_idType = type;
    }
    header.m_sensors.AssignAll();
    header.m_count = block[15];
    return STORED_DONE;
}

bool xhwKestilonReadHeaderBlock(CxhwBox& box, int slot, uint8_t block[16])
{
    CxutXLogger& link = box.m_xlogger;
    if (link.IsBtleLink()) {
        const uint8_t command[2] = {0x06, uint8_t(0x31 + slot)};
        if (!link.Write(2, command))
            return false;
    } else if (link.IsUSBLink()) {
        const uint8_t command[2] = {0x3C, uint8_t(slot + 1)};
        if (!link.Write(2, command))
            return false;
    } else {
        return false;
    }
    return link.Read(16, block, 1.0);
}

int xhwKestilonParseHeader(CxhwBox& box, int slot, CxutFetchHeader& header, CxutFetchFile& file)
{
    uint8_t block[16];
    if (!xhwKestilonReadHeaderBlock(box, slot, block))
        return STORED_FAILED;
    return xhwKestilonDecodeHeader(slot, block, header, file);
}

bool xhwKestilonReadMarks(CxhwBox& box, int count, uint32_t* marks)
{
    CxutXLogger& link = box.m_xlogger;
    const bool usb = link.IsUSBLink();
    if (!usb && !link.IsBtleLink())
        return count == 0;
    int taken = 0;
    while (taken < count) {
        uint8_t reply[61];
        const uint8_t* words = reply;
        int per = 5;
        if (usb) {
            if (!link.SendByte(0x3E) || !link.Read(61, reply, 1.0))
                return false;
            words = reply + 1;
            per = 15;
        } else {
            const uint8_t command[2] = {0x06, 0x55};
            if (!link.Write(2, command) || !link.Read(20, reply, 1.0))
                return false;
        }
        for (int i = 0; i < per && taken < count; ++i, ++taken) {
            const uint8_t* w = words + 4 * i;
            marks[taken] = uint32_t(w[0]) << 24 | uint32_t(w[1]) << 16 | uint32_t(w[2]) << 8 | w[3];
        }
    }
    return true;
}

int xhwKestilonReadChunk(CxhwBox& box, uint8_t* buffer)
{
    CxutXLogger& link = box.m_xlogger;
    if (link.IsUSBLink()) {
        uint8_t reply[61];
        if (!link.SendByte(0x41) || !link.Read(61, reply, 1.0)
            || reply[0] != xhwKestilonXor(reply + 1, 60))
            return 0;
        std::copy(reply + 1, reply + 61, buffer);
        return 60;
    }
    if (!link.IsBtleLink())
        return 0;
    const uint8_t first[2] = {0x06, 0x52};
    const uint8_t again[2] = {0x06, 0x51};
    if (!link.Write(2, first) || !link.Read(251, buffer, 1.0))
        return 0;
    // A damaged chunk is asked for again, twice at most.
    for (int retry = 0; retry < 2 && buffer[250] != xhwKestilonXor(buffer, 250); ++retry) {
        if (!link.Write(2, again) || !link.Read(251, buffer, 1.0))
            return 0;
    }
    return buffer[250] == xhwKestilonXor(buffer, 250) ? 250 : 0;
}

int xhwKestilonGetStoredFileSlots() { return kSlots; }

int xhwKestilonGetStoredFileCount(CxhwBox& box)
{
    if (!Present(box))
        return 1;
    int n = 0;
    uint8_t block[16];
    for (int slot = 0; slot < kSlots; ++slot)
        if (xhwKestilonReadHeaderBlock(box, slot, block))
            ++n;
    return n;
}

int xhwKestilonGetStoredFileMask(CxhwBox& box)
{
    if (!Present(box))
        return 1;
    int mask = 0;
    uint8_t block[16];
    for (int slot = 0; slot < kSlots; ++slot)
        if (xhwKestilonReadHeaderBlock(box, slot, block))
            mask |= 1 << slot;
    return mask;
}

int xhwKestilonReadStoredFileHeader(CxhwBox& box, CxutFetchFile& file, int slot)
{
    if (!Present(box))
        return STORED_FAILED;
    CxutFetchHeader header;
    const int status = xhwKestilonParseHeader(box, slot, header, file);
    return status == STORED_DONE && header.m_readings == 0 ? STORED_EMPTY : status;
}

void xhwKestilonListStoredFiles(CxhwBox& box)
{
    box.m_fetch.ClearFiles();
    CxutFetch list;
    list.ClearFiles();
    list.SetListResult(0);
    if (!Present(box))
        return;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (zxBoxIsFetchStopped(box))
            return;
        CxutFetchHeader header;
        CxutFetchFile file;
        if (xhwKestilonParseHeader(box, slot, header, file) == STORED_DONE && header.m_readings > 0)
            list.AddFile(file);
    }
    if (list.GetCount() > 1)
        list.SortNewestFirst();
    list.NumberFileNames();
    for (int i = 0; i < list.GetCount(); ++i) {
        CxutFetchFile file;
        if (list.GetFile(i, file))
            box.m_fetch.AddFile(file);
    }
    box.m_fetch.SetListResult(list.GetCount());
}

int xhwKestilonFetchFile(CxhwBox& box, int slot)
{
    if (!Present(box))
        return STORED_FAILED;
    CxutFetchHeader header;
    CxutFetchFile file;
    const int status = xhwKestilonParseHeader(box, slot, header, file);
    if (status != STORED_DONE)
        return status;
    const int readings = std::min(header.m_readings, kMaxFetched);
    int inputs[4];
    int p = 0;
    for (int i = 0; i < 4; ++i)
        if (header.m_sensors[i].m_idCode != 0)
            inputs[p++] = i;
    if (readings <= 0 || p == 0)
        return STORED_EMPTY;
    const int markCount = header.m_count;
    uint32_t marks[256];
    if (!xhwKestilonReadMarks(box, markCount, marks))
        return STORED_FAILED;
    const int record = 2 * p;
    int64_t wanted = int64_t(readings) * record;
    box.m_samples.Clear();
    box.m_stored.Clear();
    box.m_fetch.SetHeader(header);
    const bool usb = box.m_xlogger.IsUSBLink();
    CzxByteFIFO bytes;
    int m = 0;
    for (int i = 0; i < readings;) {
        if (box.GetState() != BOX_STATE_FETCH)
            return STORED_FAILED;
        if (wanted > 0) {
            uint8_t chunk[251];
            const int got = xhwKestilonReadChunk(box, chunk);
            if (got == 0)
                return STORED_FAILED;
            const int take = int(std::min<int64_t>(wanted, usb ? 60 : 250));
            bytes.Put(chunk, uint32_t(take));
            wanted -= take;
        } else if (bytes.GetCount() < uint32_t(record)) {
            return STORED_FAILED;
        }
        while (i < readings && bytes.GetCount() >= uint32_t(record)) {
            uint8_t raw[8];
            bytes.Get(raw, uint32_t(record));
            float row[CxhwBox::kInputs];
            std::fill(row, row + CxhwBox::kInputs, kNoValue);
            for (int k = 0; k < p; ++k)
                row[inputs[k]] = header.m_sensors[inputs[k]].Convert(raw[2 * k] << 8 | raw[2 * k + 1]);
            box.PutStoredData(row, CxhwBox::kInputs);
            const double end = (i + 1) * header.m_interval;
            if (m < markCount && end > marks[m]) {
                const int index = i;
                box.PutSamples(&index, 1);
                while (m < markCount && end > marks[m])
                    ++m;
            }
            ++i;
        }
    }
    return STORED_DONE;
}
