// Stored files kept in numbered slots (box types 4, 5 and 8; box type 6
// uses the slot query and the block reader).
#include "hardware/xhwBox.h"
#include "hardware/xhwSerialFiles.h"
#include "hardware/xhwSerialModels.h"
#include "protocol/xutCom.h"
#include "protocol/xutFetchHeader.h"

#include <algorithm>

namespace {

constexpr int kSlots = 4;
constexpr int kBusy = 255;
constexpr int kRecord = 8;

bool IsFetching(CxhwBox& box)
{
    return box.GetState() == BOX_STATE_FETCH;
}

} // namespace

bool xutComRequestStatus(CxhwBox& box)
{
    int status = 0;
    return box.m_com.RequestStatus(&status);
}

bool xutComQueryStoredFile(CxhwBox& box, int slot, int& state)
{
    box.m_command[0] = 30;
    box.m_command[1] = uint8_t(slot);
    box.m_com.Write(2, box.m_command);
    state = box.m_com.ReadByte(0.5f);
    return state >= 0;
}

bool xutComReadBlocks(CxhwBox& box, uint8_t* data, int length, int blockSize)
{
    for (int at = 0; at < length; at += blockSize) {
        box.m_com.WriteByte(22);
        if (!box.m_com.Read(blockSize, data + at, 1.0f))
            return false;
    }
    return true;
}

int xutComCountStoredFiles(CxhwBox& box)
{
    if (!xutComRequestStatus(box))
        return 1;
    for (int slot = 0; slot < kSlots; ++slot) {
        int state = 0;
        if (!xutComQueryStoredFile(box, slot, state) || state == 0)
            return slot;
        if (state == kBusy)
            return -2;
    }
    return kSlots;
}

int xutComGetFileMask(CxhwBox& box, int count)
{
    int mask = 0;
    for (int slot = 0; slot < count; ++slot) {
        int state = 0;
        if (!xutComQueryStoredFile(box, slot, state))
            continue;
        if (state == kBusy)
            return -1;
        if (state != 0)
            mask |= 1 << slot;
    }
    return mask;
}

int xutComGetStoredFileMask(CxhwBox& box)
{
    return xutComGetFileMask(box, kSlots);
}

int xutComReadFileHeader(CxhwBox& box, CxutFetchFile& file, uint8_t block[16], int slot, bool anyState)
{
    file.SetNumber(slot);
    int state = 0;
    if (!xutComQueryStoredFile(box, slot, state))
        return 1;
    if (!anyState && (state == 0 || state == kBusy))
        return 1;
    if (!xutComReadBlocks(box, block, 16, kRecord))
        return 1;
    file.SetDateTime(block[7] * 10000 + block[6] * 100 + block[5],
                     block[4] * 10000 + block[3] * 100 + block[2]);
    file.m_kind = xutComFileKind(block[8]);
    return 0;
}

int xutComReadFileInfo(CxhwBox& box, CxutFetchFile& file, int slot)
{
    if (!xutComRequestStatus(box))
        return 1;
    uint8_t block[16];
    return xutComReadFileHeader(box, file, block, slot, true);
}

int xutComFetchFile(CxhwBox& box, int slot)
{
    if (!xutComRequestStatus(box))
        return 1;
    CxutFetchHeader header;
    uint8_t block[16] = {};
    const int read = xutComReadFileHeader(box, header, block, slot, false);
    if (read != 0)
        return read;
    const int readings = xutComFileReadings(block);
    if (block[0] == 0 || readings == 0)
        return 12;
    if (block[8] & 0x80)
        return 13;
    header.m_readings = readings;
    if (header.m_kind != 3) {
        header.m_interval = xutComPeriodSeconds(block[8], block[9]);
        header.m_duration = (readings - 1) * header.m_interval;
    }
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        CxhwSensor& s = header.m_sensors[i];
        const int code = i < 3 ? block[13 + i] : 0;
        const int type = i < 3 ? 7 : 0;
        if (s.m_idCode != code || s.m_idType != type)
            s.m_changedId = true;
        s.m_idCode = code;
        s.m_idType = type;
    }
    header.m_sensors.AssignAll();
    box.m_samples.Clear();
    box.m_stored.Clear();
    box.m_fetch.SetHeader(header);
    for (int i = 0; i < readings; ++i) {
        if (!IsFetching(box))
            return 1;
        uint8_t record[kRecord];
        if (!xutComReadBlocks(box, record, kRecord, kRecord))
            return 1;
        float values[CxhwSensorV::kCount];
        for (int k = 0; k < CxhwSensorV::kCount; ++k)
            values[k] = k < 3 ? header.m_sensors[k].Convert(record[2 + 2 * k] | (record[3 + 2 * k] << 8))
                              : XHW_NO_VALUE;
        box.PutStoredData(values, CxhwSensorV::kCount);
        if (header.m_kind != 3 && (record[1] & 0x80))
            box.PutSamples(&i, 1);
    }
    return 0;
}
