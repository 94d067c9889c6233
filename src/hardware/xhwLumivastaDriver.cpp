// Box type 6: battery, clock, timing and its stored memory images.
#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwComFrames.h"
#include "hardware/xhwLumivastaWindow.h"
#include "hardware/xhwSerialFiles.h"
#include "hardware/xhwSerialModels.h"
#include "protocol/xutCom.h"
#include "protocol/xutFetchHeader.h"

#include <algorithm>
#include <wx/datetime.h>

namespace {

constexpr int kSlotMaskCount = 6;
constexpr int kFirstPart = 35;
// Notes that never end are read no further than this.
constexpr int kMaxNotes = 4096;
constexpr uint16_t kEventWrap = 0xFFFF;
constexpr int kNoValueWord = 0x7FFF;

void Send(CxhwBox& box, std::initializer_list<uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), box.m_command);
    box.m_com.Write(int(bytes.size()), box.m_command);
}

void ReadSingles(CxhwBox& box, int n)
{
    for (int i = 0; i < n; ++i)
        box.m_com.ReadByte(0.5f);
}

bool IsFetching(CxhwBox& box)
{
    return box.GetState() == BOX_STATE_FETCH;
}

// The offset of the section that follows one in the stream, or -1.
int NextOffset(int offset, const int offsets[3])
{
    int next = -1;
    for (int i = 0; i < 3; ++i)
        if (offsets[i] > offset && (next < 0 || offsets[i] < next))
            next = offsets[i];
    return next;
}

void SetIds(CxhwSensor& s, int code, int type)
{
    if (s.m_idCode != code || s.m_idType != type)
        s.m_changedId = true;
    s.m_idCode = code;
    s.m_idType = type;
}

void TakeChannelTexts(CxhwSenCalib& calib, const uint8_t* h, int channel)
{
    calib.m_name = xhwLumivastaChannelName(h, channel);
    calib.m_units = xhwLumivastaChannelUnits(h, channel);
    const int places = h[312 + channel];
    calib.m_places = places > 6 ? 0 : places;
}

} // namespace

int xhwLumivastaGetPower(CxhwBox& box)
{
    box.m_com.WriteByte(29);
    const int reply = box.m_com.ReadByte(0.5f);
    if (reply < 0)
        return 0;
    if (reply >= 128)
        return 102; // on an external supply
    return std::min(reply * 12, 100);
}

int xhwLumivastaGetPowerState(CxhwBox& box, int kind)
{
    return kind == 1 ? xhwLumivastaGetPower(box) : 0;
}

int xhwLumivastaSetClock(CxhwBox& box, const wxDateTime& time)
{
    const wxDateTime::Tm tm = time.GetTm(wxDateTime::Local);
    Send(box, {26, 31, 0, uint8_t(tm.mon), uint8_t(tm.mday), uint8_t(tm.year >> 8), uint8_t(tm.year & 0xFF)});
    ReadSingles(box, 6);
    Send(box, {26, 30, 0, uint8_t(tm.sec), 0, uint8_t(tm.hour), uint8_t(tm.min)});
    ReadSingles(box, 6);
    return 0;
}

int xhwLumivastaCheckClock(CxhwBox& box)
{
    box.m_com.WriteByte(9);
    const int flags = box.m_com.ReadByte(0.5f);
    if (flags < 0 || (flags & 0x20))
        xhwLumivastaSetClock(box, wxDateTime::Now());
    return 0;
}

bool xhwLumivastaStartTiming(CxhwBox& box)
{
    Send(box, {6, 129});
    box.m_watch1.Start(0);
    return true;
}

bool xhwLumivastaReadTiming(CxhwBox& box)
{
    Send(box, {6, 130});
    uint8_t reply[6];
    if (!box.m_com.Read(6, reply, 1.0f))
        return false;
    const int state = reply[0] & 0x3F;
    const uint64_t ticks = uint64_t(reply[2]) | (uint64_t(reply[3]) << 8) | (uint64_t(reply[4]) << 16)
                           | (uint64_t(reply[5] & 0x7F) << 24);
    CxutTimerStatus status = box.m_timing.GetStatus();
    if (ticks != 0 && state != status.States) {
        box.m_watch1.Start(0);
        CxutTimerEvent event;
        event.Ticks = ticks;
        event.States = state;
        status.Ticks = 0;
        status.States = state;
        return box.m_timing.Put(status, &event, 1);
    }
    status.Ticks = uint64_t(box.m_watch1.Time() / 1000) * 1000;
    return box.m_timing.Put(status, nullptr, 0);
}

bool xhwLumivastaStopTiming(CxhwBox& box)
{
    Send(box, {6, 162});
    return true;
}

int xhwLumivastaCountStoredFiles(CxhwBox& box)
{
    box.m_com.WriteByte(15);
    return box.m_com.ReadByte(0.5f);
}

int xhwLumivastaGetStoredFileMask(CxhwBox& box)
{
    return xutComGetFileMask(box, kSlotMaskCount);
}

int xhwLumivastaGetFileSlots()
{
    return 127;
}

int xhwLumivastaReadFileHeader(CxhwBox& box, CxutFetchFile& file, CxhwLumivastaWindow& window, int slot,
                               bool anyState)
{
    file.SetNumber(slot);
    int state = 0;
    if (!xutComQueryStoredFile(box, slot, state))
        return 1;
    if (!anyState && (state == 0 || state == 255))
        return 1;
    if (!window.Request(0, kFirstPart, 0))
        return 1;
    const uint8_t* h = window.At(0);
    file.SetDateTime((h[12] | (h[13] << 8)) * 10000 + (h[11] + 1) * 100 + h[10],
                     h[9] * 10000 + h[8] * 100 + h[7]);
    file.m_name = xhwLumivastaText(h, 20, kFirstPart - 20);
    if (file.m_name.empty())
        file.m_name = gumGetString(2389);
    file.m_kind = xhwLumivastaFileKind(h[6]);
    return 0;
}

CxhwLumivastaWindow xhwLumivastaMakeWindow(CxhwBox& box)
{
    return CxhwLumivastaWindow([&box](uint8_t block[kLumivastaBlock]) {
        return xutComReadBlocks(box, block, kLumivastaBlock, kLumivastaBlock);
    });
}

int xhwLumivastaReadFileInfo(CxhwBox& box, CxutFetchFile& file, int slot)
{
    if (!xutComRequestStatus(box))
        return 1;
    CxhwLumivastaWindow window = xhwLumivastaMakeWindow(box);
    return xhwLumivastaReadFileHeader(box, file, window, slot, true);
}

int xhwLumivastaFetchFile(CxhwBox& box, int slot)
{
    if (!xutComRequestStatus(box))
        return 1;
    CxutFetchHeader header;
    CxhwLumivastaWindow window = xhwLumivastaMakeWindow(box);
    const int read = xhwLumivastaReadFileHeader(box, header, window, slot, false);
    if (read != 0)
        return read;
    {
        const uint8_t* h = window.At(0);
        if ((h[0] >> 4) != 1 || h[1] != 60 || h[5] != 0)
            return 13;
        if (xhwLumivastaReadingCount(h) == 0)
            return 12;
    }
    if (!window.Request(0, kLumivastaHeaderSize, 0))
        return 1;
    uint8_t h[kLumivastaHeaderSize];
    std::copy(window.At(0), window.At(0) + kLumivastaHeaderSize, h);

    // A leading word, when the records have one, carries the extra channel:
    // the inputs' words follow it.
    const int leading = h[4] >> 7;
    const int channels = h[4] & 0x0F;
    const int present = xhwLumivastaInputsPresent(h);
    if (present != channels)
        return 13;
    if (channels + leading == 0)
        return 12;
    const int recordSize = xhwLumivastaRecordSize(h);

    header.m_docName = header.m_name;
    SetIds(header.m_indexSensor, h[32], h[39]);
    header.m_indexSensor.UseDefaultCalibration();
    TakeChannelTexts(header.m_indexSensor.m_calib, h, 0);

    const int kind = header.m_kind;
    int readings = xhwLumivastaReadingCount(h);
    double period = 0.0;
    bool ranges = kind != 4;
    if (kind == 1 || kind == 2)
        period = xhwLumivastaWord(h, 16) * xhwLumivastaPeriodUnit(h[15]);
    header.m_indexFlag = true;

    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        SetIds(header.m_sensors[i], h[33 + i], h[40 + i]);
    header.m_sensors.AssignAll();
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        const int c = i + 1;
        CxhwSenCalib& calib = header.m_sensors[i].m_calib;
        TakeChannelTexts(calib, h, c);
        const float scale = xhwLumivastaScale(h[319 + c]);
        calib.m_defMax = scale * xhwLumivastaSigned(h[270 + 2 * c], h[271 + 2 * c]);
        calib.m_defMin = scale * xhwLumivastaSigned(h[256 + 2 * c], h[257 + 2 * c]);
        calib.m_nowMax = scale * xhwLumivastaSigned(h[298 + 2 * c], h[299 + 2 * c]);
        calib.m_nowMin = scale * xhwLumivastaSigned(h[284 + 2 * c], h[285 + 2 * c]);
        calib.m_calMax = ranges ? calib.m_defMax : XHW_NO_VALUE;
        calib.m_calMin = ranges ? calib.m_defMin : XHW_NO_VALUE;
    }

    const int offsets[3] = {xhwLumivastaWord(h, 210), xhwLumivastaWord(h, 212), xhwLumivastaWord(h, 214)};
    const int p = offsets[0];
    const int e = offsets[1];
    const int n = offsets[2];
    // Readings that would run into the next section are not in the file.
    const int afterReadings = NextOffset(p, offsets);
    if (p != 0 && afterReadings > p)
        readings = std::min(readings, (afterReadings - p) / recordSize);
    if (readings == 0)
        return 12;
    header.m_readings = readings;
    header.m_interval = period;
    header.m_duration = period > 0.0 ? (readings - 1) * period : 0.0;

    box.m_samples.Clear();
    box.m_fetch.SetHeader(header);

    // The inputs present, in input order, and the channel scales.
    int inputOf[CxhwSensorV::kCount] = {};
    for (int i = 0, k = 0; i < CxhwSensorV::kCount; ++i)
        if (h[33 + i] != 0)
            inputOf[k++] = i;
    float scale[CxhwSensorV::kCount];
    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        scale[i] = xhwLumivastaScale(h[319 + i + 1]);

    const int readAhead = 20 * present;
    const wxString order = xhwLumivastaSectionOrder(p, e, n);
    for (wxUniChar section : order) {
        if (section == 'N' && n != 0) {
            const int next = NextOffset(n, offsets);
            const int limit = next > n ? std::min(next, n + kMaxNotes) : n + kMaxNotes;
            wxString notes;
            for (int at = n; at < limit; at += kLumivastaBlock) {
                if (!IsFetching(box))
                    return 1;
                const int upTo = std::min(at + kLumivastaBlock, limit);
                if (!window.Request(at, upTo, kLumivastaBlock))
                    return 1;
                if (!xhwLumivastaAppendText(notes, window.At(at), upTo - at))
                    break;
            }
        } else if (section == 'E' && e != 0 && h[209] == 1 && kind != 3) {
            const int events = xhwLumivastaWord(h, 18);
            int64_t carry = 0;
            const float periodF = float(period);
            for (int j = 0; j < events; ++j) {
                if (!IsFetching(box))
                    return 1;
                const int at = e + 2 + j * recordSize;
                if (!window.Request(at, at + 2, readAhead + 20))
                    return 1;
                const int word = xhwLumivastaWord(window.At(at), 0);
                if (word == kEventWrap) {
                    carry += kEventWrap;
                    continue;
                }
                const int64_t index = xhwLumivastaEventIndex(word + carry, periodF);
                if (index >= 0 && index < readings) {
                    const int mark = int(index);
                    box.PutSamples(&mark, 1);
                }
            }
        } else if (section == 'P' && p != 0) {
            for (int i = 0; i < readings; ++i) {
                if (!IsFetching(box))
                    return 1;
                const int at = p + i * recordSize;
                if (!window.Request(at, at + recordSize, readAhead))
                    return 1;
                const uint8_t* record = window.At(at) + 2 * leading;
                float values[CxhwSensorV::kCount];
                std::fill(values, values + CxhwSensorV::kCount, XHW_NO_VALUE);
                for (int k = 0; k < present; ++k) {
                    const int word = record[2 * k] | (record[2 * k + 1] << 8);
                    if (word != kNoValueWord)
                        values[inputOf[k]] = scale[inputOf[k]] * xhwLumivastaSigned(record[2 * k], record[2 * k + 1]);
                }
                box.PutStoredData(values, CxhwSensorV::kCount);
            }
        }
    }
    return 0;
}
