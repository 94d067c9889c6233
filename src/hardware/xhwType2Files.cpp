// Box type 2's stored files, read through its echoed "MSAVE" text command.
#include "hardware/xhwBox.h"
#include "hardware/xhwSerialFiles.h"
#include "hardware/xhwSerialModels.h"
#include "protocol/xutCom.h"
#include "protocol/xutFetchHeader.h"

#include <algorithm>

namespace {

constexpr int kMaxRecord = 2 * kType2Entries + 1;

// The slot query: m = 0xFF for the mask, else the slot's bit.
bool QuerySlot(CxhwBox& box, int m, uint8_t reply[6])
{
    const uint8_t command[7] = {0x1A, 0x77, uint8_t(m), 0, 0, 0, 0};
    std::copy(command, command + 7, box.m_command);
    box.m_com.Write(7, box.m_command);
    return box.m_com.Read(6, reply, 1.0f);
}

bool SendMsave(CxhwBox& box, int address, int count)
{
    if (!xhwType2SendCommandText(box, wxString::Format("MSAVE %X %X", address, count)))
        return false;
    return box.m_com.ReadByte(0.5f) == 0x4F && box.m_com.ReadByte(0.5f) == 0x4B;
}

// Sets the sensor records of the used entries; the rest carry nothing.
void AssignChannels(CxutFetchHeader& header, const uint8_t* h, const int* used, int count)
{
    for (int k = 0; k < CxhwSensorV::kCount; ++k) {
        CxhwSensor& s = header.m_sensors[k];
        const int code = k < count ? h[22 + 4 * used[k] + 2] : 0;
        const int type = k < count ? h[22 + 4 * used[k] + 1] : 0;
        if (s.m_idCode != code || s.m_idType != type)
            s.m_changedId = true;
        s.m_idCode = code;
        s.m_idType = type;
    }
    header.m_sensors.AssignAll();
}

} // namespace

bool xhwType2SendCommandText(CxhwBox& box, const wxString& text)
{
    for (wxUniChar c : text) {
        const uint8_t byte = uint8_t(c.GetValue());
        box.m_com.WriteByte(byte);
        if (box.m_com.ReadByte(0.5f) != byte)
            return false;
    }
    box.m_com.WriteByte(0x0D);
    return box.m_com.ReadByte(0.5f) == 0x0D && box.m_com.ReadByte(0.5f) == 0x0A;
}

bool xhwType2ReadChecksum(CxhwBox& box, int& sum)
{
    uint8_t bytes[2];
    if (!box.m_com.Read(2, bytes, 1.0f))
        return false;
    sum = bytes[0] | (bytes[1] << 8);
    box.m_com.ReadByte(0.5f); // the closing '$'
    return true;
}

int xhwType2GetStoredFileMask(CxhwBox& box)
{
    uint8_t reply[6];
    if (!QuerySlot(box, 0xFF, reply))
        return -1;
    return reply[1];
}

int xhwType2FetchFile(CxhwBox& box, int slot)
{
    if (!xutComRequestStatus(box))
        return 1;
    if (slot < 0 || slot > 7)
        return 12;
    uint8_t reply[6];
    if (!QuerySlot(box, 1 << slot, reply))
        return 1;
    if (reply[1] == 0)
        return 12;
    const int start = reply[2] * 256 + reply[3];

    if (!SendMsave(box, start, kType2HeaderSize))
        return 1;
    uint8_t h[kType2HeaderSize];
    uint16_t sum = 0;
    for (int i = 0; i < kType2HeaderSize; ++i) {
        const int c = box.m_com.ReadByte(0.5f);
        if (c < 0)
            return 1;
        h[i] = uint8_t(c);
        sum = uint16_t(sum + c);
    }
    int check = 0;
    if (!xhwType2ReadChecksum(box, check) || check != sum)
        return 1;

    const int refusal = xhwType2CheckHeader(h);
    if (refusal != 0) {
        box.m_fetch.SetProgress(refusal);
        return 13;
    }
    CxutFetchHeader header;
    header.SetNumber(slot);
    const int date = h[61] * 1000000 + h[60] * 10000 + h[59] * 100 + h[58];
    const int time = h[57] * 10000 + h[56] * 100 + h[55];
    if (date >= 19900001 && date <= 19909999)
        header.SetDateTime(0, 0); // the logger's clock was never set
    else
        header.SetDateTime(date, time);
    const int interval = h[20] | (h[21] << 8);
    header.m_kind = interval != 0 ? 2 : 3;
    header.m_interval = interval / 64.0;

    const int entries = xhwType2CountEntries(h);
    int used[CxhwSensorV::kCount] = {};
    const int count = xhwType2UsedEntries(h, used);
    if (count == 0)
        return 12;
    AssignChannels(header, h, used, count);

    const uint8_t endCommand[7] = {0x1A, 0x0C, 0, 0, 0, 0, 0};
    std::copy(endCommand, endCommand + 7, box.m_command);
    box.m_com.Write(7, box.m_command);
    if (!box.m_com.Read(6, reply, 1.0f))
        return 1;
    const int end = reply[2] * 256 + reply[3];
    const int recordSize = 2 * entries + 1;
    const int first = (h[16] | (h[17] << 8)) + (interval == 0 ? recordSize : 0);
    const int readings = xhwType2CountReadings(h[18] | (h[19] << 8), start, end, first, recordSize);
    if (readings <= 0)
        return 12;
    header.m_readings = readings;
    header.m_duration = interval != 0 ? (readings - 1) * header.m_interval : 0.0;

    box.m_samples.Clear();
    box.m_fetch.SetHeader(header);
    if (!SendMsave(box, start + first, recordSize * readings))
        return 1;

    sum = 0;
    for (int i = 0; i < readings; ++i) {
        if (box.GetState() != BOX_STATE_FETCH)
            return 1;
        uint8_t record[kMaxRecord];
        for (int b = 0; b < recordSize; ++b) {
            const int c = box.m_com.ReadByte(0.5f);
            if (c < 0)
                return 1;
            record[b] = uint8_t(c);
            sum = uint16_t(sum + c);
        }
        float values[CxhwSensorV::kCount];
        std::fill(values, values + CxhwSensorV::kCount, XHW_NO_VALUE);
        for (int k = 0; k < count; ++k)
            values[k] = header.m_sensors[k].Convert(record[2 * used[k]] | (record[2 * used[k] + 1] << 8));
        box.PutStoredData(values, CxhwSensorV::kCount);
        if (interval != 0 && (record[2 * entries] & 0x40))
            box.PutSamples(&i, 1);
    }
    if (!xhwType2ReadChecksum(box, check))
        return 1;
    return check == sum ? 0 : 1;
}
