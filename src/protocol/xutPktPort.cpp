#include "protocol/xutPktPort.h"

#include "app/base/gumCommands.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"
#include "protocol/xutPktCombo.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kPressed = 6154;
constexpr int kClicked = 6153;
constexpr int kHeld = 6152;
constexpr uint8_t kUnchanged = 0x80;
constexpr int kPacketPayload = 64;
constexpr int kShortPayload = 8;

void Put16(uint8_t* at, int v)
{
    at[0] = uint8_t(v & 0xFF);
    at[1] = uint8_t((v >> 8) & 0xFF);
}

int Get16(const uint8_t* at) { return at[0] | (at[1] << 8); }

} // namespace

CxutPktPort::CxutPktPort()
{
    ResetProtocol();
}

CxutPktPort::~CxutPktPort()
{
    if (m_device)
        m_device->Close();
}

void CxutPktPort::Attach(CxutPktCombo* combo, int index, CxutSmartSenDefs* definitions)
{
    Lock lock(m_mutex);
    m_combo = combo;
    m_index = index;
    m_definitions = definitions;
}

void CxutPktPort::ResetProtocol()
{
    Lock lock(m_mutex);
    m_dataCounter = 0;
    m_rememberedCounter = 0;
    m_eventCounter = 0;
    m_lastEventId = -1;
    m_firstReport = true;
    std::memset(m_lastPayload, 0xFF, sizeof m_lastPayload);
    m_state = 0;
    m_replyPending = 0;
    std::memset(m_lastFrame, 0, sizeof m_lastFrame);
    m_streaming = false;
    m_entry.Reset();
    std::fill(std::begin(m_counterBase), std::end(m_counterBase), 0);
    m_shortMode = 0;
    m_holdCounter = 0;
    m_buttonDown = false;
    std::memset(m_idPairs, 0, sizeof m_idPairs);
    std::memset(m_high, 0, sizeof m_high);
    std::memset(m_low, 0, sizeof m_low);
    std::fill(std::begin(m_shortBase), std::end(m_shortBase), 0);
    std::fill(std::begin(m_accumulated), std::end(m_accumulated), 0);
    std::fill(std::begin(m_requestedCodes), std::end(m_requestedCodes), 0);
    std::memset(m_shortCodes, 0, sizeof m_shortCodes);
    std::memset(m_sentShortCodes, 0, sizeof m_sentShortCodes);
    m_shortFamily = 0;
    m_changed = false;
    m_channelMask = 0;
    m_sentChannelMask = -1;
    m_settings = CxutPktSettings();
    m_sent = CxutPktSettings();
    m_lastEcho = -1;
    // The last payload reads all ones after a reset: no edge before the first packet.
    m_bit2 = m_bit6 = m_bit7 = true;
    std::memset(m_rangeCode, 0, sizeof m_rangeCode);
    std::fill(std::begin(m_valueA), std::end(m_valueA), 0);
    std::fill(std::begin(m_valueB), std::end(m_valueB), 0);
    std::fill(std::begin(m_requestedIdents), std::end(m_requestedIdents), 0);
    m_sensorChanged = false;
    m_samplesReceived = 0;
    m_captureSlot = 0;
    m_calWritePending = false;
    m_settling = false;
    m_validReading = false;
    m_settleWatch.Start(0);
    m_validWatch.Start(0);
    for (int v = 0; v < kSlots; ++v)
        m_queue.SetAccumulate(v, false);
}

int CxutPktPort::ComboMode() const { return m_combo ? m_combo->GetMode() : 0; }
int CxutPktPort::ComboRunFlag() const { return m_combo ? m_combo->GetRunFlag() : 0; }
int64_t CxutPktPort::ClockNow() const { return m_combo ? m_combo->GetRunClockMs() : 0; }

void CxutPktPort::SetDevice(std::unique_ptr<CxutPktDevice> device)
{
    // The device's thread takes the port mutex: stop it without holding that.
    if (m_device)
        m_device->Close();
    m_device = std::move(device);
    ResetProtocol();
}

void CxutPktPort::Release()
{
    // A vanished device: its thread is stopped, nothing more is said to it.
    if (m_device)
        m_device->Close();
    ResetProtocol();
}

bool CxutPktPort::Open()
{
    if (!m_device)
        return false;
    const bool packet = m_device->IsPacket();
    const bool shortReport = m_device->IsShortReport();
    m_device->Close();
    {
        Lock lock(m_mutex);
        m_state = 2;
        m_settings.m_sequence = 0xFF;
        m_sent.m_sequence = 0xFF;
        m_settings.m_chunkPending = false;
        m_sent.m_chunkPending = false;
        m_firstReport = true;
        m_rx.Clear();
    }
    if (!packet && !shortReport)
        return true;
    m_device->SetInterval(shortReport ? 8 : 2);
    if (!m_device->Open(this)) {
        Lock lock(m_mutex);
        if (shortReport)
            m_state = 0;
        return false;
    }
    if (shortReport)
        return true;
    Lock lock(m_mutex);
    PrepareSettings(false);
    uint8_t bytes23[2] = {uint8_t(m_settings.m_byte2), uint8_t(m_settings.m_deviceFamily)};
    return SendFrame(0, nullptr, 0, bytes23, 2);
}

void CxutPktPort::Close()
{
    if (!m_device)
        return;
    {
        Lock lock(m_mutex);
        if (m_device->IsShortReport()) {
            SendShortSettings(false, true);
        } else if (m_device->IsPacket()) {
            uint8_t bytes23[2] = {kUnchanged, 0};
            SendFrame(0, nullptr, 0, bytes23, 2);
        }
    }
    m_device->Close();
    ResetProtocol();
}

int CxutPktPort::GetState()
{
    Lock lock(m_mutex);
    return m_state;
}

uint32_t CxutPktPort::GetDataCounter()
{
    Lock lock(m_mutex);
    return m_dataCounter;
}

void CxutPktPort::GetLastFrame(uint8_t frame[64])
{
    Lock lock(m_mutex);
    std::memcpy(frame, m_lastFrame, sizeof m_lastFrame);
}

// Command 0 passes its bytes 2 and 3 in data; commands 8 and 10 their
// parameters (bytes 4 on) in params and command 10 its data from byte 8.
bool CxutPktPort::SendFrame(int command, const uint8_t* params, int paramBytes,
                            const uint8_t* data, int dataBytes)
{
    Lock lock(m_mutex);
    uint8_t frame[kPacketPayload] = {};
    const int sequence = (m_sent.m_sequence + 1) & 3;
    m_settings.m_sequence = sequence;
    m_settings.m_command = command;
    m_settings.m_runFlag = ComboRunFlag();
    const bool full = m_settings.m_full;
    frame[0] = uint8_t((sequence << 4) | (m_settings.m_runFlag & 1) | 0x0C |
                       (m_settings.m_clickedAck ? 0x40 : 0) | (m_settings.m_heldAck ? 0x80 : 0));
    frame[1] = uint8_t(command);
    frame[2] = full ? uint8_t(m_settings.m_byte2) : kUnchanged;
    frame[3] = full ? uint8_t(m_settings.m_deviceFamily) : kUnchanged;
    if (command == 0 && data && dataBytes >= 2) {
        frame[2] = data[0];
        frame[3] = data[1];
    }
    if (params)
        std::memcpy(frame + 4, params, size_t(std::min(paramBytes, 4)));
    if (command >= 1 && command <= 4) {
        for (int s = 0; s < kSlots; ++s) {
            const bool listed = full && SlotRangeListed(s);
            frame[8 + s] = listed ? m_settings.m_rangeCodes[s] : kUnchanged;
            frame[48 + s] = listed ? m_settings.m_rangeFlags[s] : kUnchanged;
            frame[16 + s] = full ? m_settings.m_slotFamilies[s] : kUnchanged;
            Put16(frame + 32 + 2 * s, m_settings.m_rangeWords[s]);
        }
        // A capture silences the other slots.
        if (command == 2 || command == 3)
            for (int s = 0; s < kSlots; ++s)
                if (s != m_captureSlot && !(command == 2 && s == 0))
                    frame[8 + s] = 0;
        Put16(frame + 56, m_settings.m_sampleCount);
        Put16(frame + 58, m_settings.m_samplePeriod);
        frame[60] = uint8_t(m_settings.m_trigger);
    } else if (command == 10 && data) {
        std::memcpy(frame + 8, data, size_t(std::min(dataBytes, kPacketPayload - 8)));
    }
    m_sensorChanged = false;
    m_sent = m_settings;
    m_settings.m_full = false;
    m_settings.m_chunkPending = false;
    m_settings.m_clickedAck = false;
    m_settings.m_heldAck = false;
    m_replyPending = command + 1;
    std::memcpy(m_lastFrame, frame, sizeof frame);
    if (command >= 1 && command <= 3)
        for (int s = 0; s < kSlots; ++s)
            if (frame[8 + s] != kUnchanged)
                m_counterBase[s] = 0;
    return m_device && m_device->IsReady() && m_device->WriteReport(frame);
}

bool CxutPktPort::SlotRangeListed(int slot) const
{
    const CxutSmartSenDef* def = GetDefinition();
    if (!def || !def->IsComplete())
        return false;
    const int range = m_settings.m_rangeCodes[slot];
    return def->SubOffersRange(slot, range, 0) || def->SubOffersRange(slot, range, 1);
}

void CxutPktPort::PrepareSettings(bool force)
{
    Lock lock(m_mutex);
    for (int s = 0; s < kSlots; ++s)
        if (m_requestedIdents[s] != 0) {
            const int range = xutGetSmartIdentRange(m_requestedIdents[s]);
            if (range > 0)
                m_settings.m_rangeCodes[s] = uint8_t(range);
        }
    m_settings.m_full = force || (ComboMode() & 4) || m_sensorChanged;
    m_settings.m_runFlag = ComboRunFlag();
    TakeRangeParameters();
}

bool CxutPktPort::SendShortSettings(bool force, bool closing)
{
    Lock lock(m_mutex);
    uint8_t report[kShortPayload] = {};
    for (int s = 0; s < kSlots; ++s)
        if (m_requestedCodes[s] != 0)
            m_shortCodes[s] = uint8_t(m_requestedCodes[s]);
    for (int s = 0; s < 6; ++s)
        report[s] = m_shortCodes[s];
    const int mode = ComboMode();
    const bool changed = force || (mode & 4) || m_changed;
    if (closing) {
        report[6] = 4;
        report[7] = 0;
    } else {
        report[6] = uint8_t((ComboRunFlag() ? 0x80 : 0) + 16 * (m_shortFamily & 7) +
                            4 * (changed ? 1 : 0) + (mode & 3));
        report[7] = uint8_t(m_channelMask);
    }
    m_changed = false;
    std::memcpy(m_sentShortCodes, m_shortCodes, sizeof m_shortCodes);
    m_sentChannelMask = m_channelMask;
    return m_device && m_device->IsReady() && m_device->WriteReport(report);
}

bool CxutPktPort::SendSettings(bool force)
{
    if (!m_device)
        return false;
    Lock lock(m_mutex);
    if (m_device->IsShortReport())
        return SendShortSettings(force, false);
    if (!m_device->IsPacket())
        return false;
    PrepareSettings(force);
    const int command = ComboMode() == 2 ? 4 : 1;
    m_device->SetInterval(command == 4 ? 1 : 2);
    return SendFrame(command);
}

bool CxutPktPort::SetChannelMask(int mask, bool force)
{
    Lock lock(m_mutex);
    if (!IsShortReport())
        return true;
    const bool changed = mask != m_channelMask;
    m_channelMask = mask;
    if (force || changed)
        return SendShortSettings(false, false);
    return true;
}

void CxutPktPort::SetSlotValue(int slot, int value)
{
    Lock lock(m_mutex);
    if (IsShortReport())
        m_shortFamily = value & 7;
    else if (slot >= 0 && slot < kSlots)
        m_settings.m_slotFamilies[slot] = uint8_t(value);
    else
        m_settings.m_deviceFamily = value;
}

int CxutPktPort::GetSlotValue(int slot)
{
    Lock lock(m_mutex);
    if (IsShortReport())
        return m_shortFamily;
    if (slot >= 0 && slot < kSlots)
        return m_settings.m_slotFamilies[slot];
    return m_settings.m_deviceFamily;
}

bool CxutPktPort::IsInMode(int mode)
{
    Lock lock(m_mutex);
    if (IsShortReport())
        return m_shortMode == mode;
    if (!IsPacket() || m_replyPending != 0)
        return false;
    if (mode == 2)
        return m_sent.m_command == 4;
    if (mode == 0 || mode == 1)
        return m_sent.m_command == 1;
    return false;
}

bool CxutPktPort::PutRXReport(const uint8_t* data, int n)
{
    if (!data)
        return false;
    Lock lock(m_mutex);
    if (!m_device)
        return false;
    m_entry.m_time = uint64_t(zxWrapTime(ClockNow()));
    if (m_device->IsPacket())
        return n >= kPacketPayload && PutPacket(data);
    if (m_device->IsShortReport())
        return n >= kShortPayload && PutShortReport(data);
    return false;
}

void CxutPktPort::PostButtons(const uint8_t* p)
{
    const bool bit2 = p[0] & 0x04, bit6 = p[0] & 0x40, bit7 = p[0] & 0x80;
    if (bit2 && !m_bit2)
        gumPostCommand(kPressed, 0);
    if (bit6 && !m_bit6) {
        gumPostCommand(kClicked, 0);
        m_settings.m_clickedAck = true;
    }
    if (bit7 && !m_bit7) {
        gumPostCommand(kHeld, 0);
        m_settings.m_heldAck = true;
    }
}

bool CxutPktPort::PutPacket(const uint8_t* p)
{
    const int echo = (p[0] >> 4) & 3;
    if (echo != m_sent.m_sequence)
        return false;
    m_lastEcho = echo;
    ++m_dataCounter;
    m_firstReport = false;
    if (m_state == 2) {
        m_bit2 = p[0] & 0x04;
        m_bit6 = p[0] & 0x40;
        m_bit7 = p[0] & 0x80;
        std::memcpy(m_lastPayload, p, kPacketPayload);
        m_state = 1;
        PrepareSettings(true);
        StartDefinitionRead();
        return false;
    }
    PostButtons(p);
    m_bit2 = p[0] & 0x04;
    m_bit6 = p[0] & 0x40;
    m_bit7 = p[0] & 0x80;
    std::memcpy(m_lastPayload, p, kPacketPayload);
    const int command = m_sent.m_command;
    m_replyPending = 0;
    bool result = true;
    switch (command) {
    case 1: {
        const CxutSmartSenDef* def = GetDefinition();
        for (int s = 0; s < kSlots; ++s) {
            m_rangeCode[s] = p[8 + s];
            const int a = Get16(p + 16 + 2 * s);
            m_valueA[s] = a;
            m_valueB[s] = int16_t(Get16(p + 32 + 2 * s));
            m_high[s] = uint8_t(a >> 8);
            m_low[s] = uint8_t(a & 0xFF);
            const bool counter = def && def->GetRangeCode(m_rangeCode[s]) == 1;
            if (counter) {
                m_entry.m_values[s] = ((a - m_counterBase[s]) % 32768 + 32768) % 32768;
                m_counterBase[s] = a;
            } else {
                m_entry.m_values[s] = a;
            }
            m_queue.SetAccumulate(s, counter);
        }
        if (m_streaming)
            m_queue.Push(m_entry);
        m_state = 0;
        break;
    }
    case 2:
    case 3: {
        // The count is the device's word: never take more than the packet holds.
        int count = std::min<int>(p[1], (kPacketPayload - 2) / 2);
        count = std::min(count, m_sent.m_sampleCount - m_samplesReceived);
        if (count > 0) {
            result = m_rx.Put(p + 2, uint32_t(2 * count));
            m_samplesReceived += count;
        }
        if (command == 3 && m_samplesReceived >= m_sent.m_sampleCount) {
            m_samplesReceived = 0;
            SendFrame(3);
        }
        break;
    }
    case 4: {
        const int events = std::min<int>(p[1], 10);
        for (int k = 0; k < events; ++k) {
            const uint8_t* e = p + 4 + 6 * k;
            if (e[5] == m_lastEventId)
                continue;
            m_lastEventId = e[5];
            ++m_eventCounter;
            const uint32_t ticks = uint32_t(e[0]) | uint32_t(e[1]) << 8 | uint32_t(e[2]) << 16 |
                                   uint32_t(e[3]) << 24;
            const uint32_t micro = ticks / 3;
            const uint8_t record[6] = {uint8_t(micro), uint8_t(micro >> 8), uint8_t(micro >> 16),
                                       uint8_t(micro >> 24), e[4], m_eventCounter};
            result = m_rx.Put(record, 6);
        }
        break;
    }
    case 8:
        OnDefinitionChunk(p);
        break;
    case 10:
        OnCalibrationReply(p);
        break;
    default:
        break;
    }
    return result;
}

bool CxutPktPort::PutShortReport(const uint8_t* p)
{
    ++m_dataCounter;
    const int mode = p[6] & 3;
    const bool ignore = m_firstReport || mode != (m_lastPayload[6] & 3);
    std::memcpy(m_lastPayload, p, kShortPayload);
    m_firstReport = false;
    if (ignore)
        return true;
    m_shortMode = mode;
    if (!(p[7] & 0x80)) {
        m_buttonDown = true;
        if (m_holdCounter == 2)
            gumPostCommand(kPressed, 0);
        else if (m_holdCounter == 150)
            gumPostCommand(kHeld, 0);
        if (m_holdCounter < 255)
            ++m_holdCounter;
    } else if (m_buttonDown) {
        if (m_holdCounter >= 3 && m_holdCounter <= 149)
            gumPostCommand(kClicked, 0);
        m_holdCounter = 0;
        m_buttonDown = false;
    }
    bool result = true;
    if (mode == 2) {
        if (p[5] != m_lastEventId) {
            m_lastEventId = p[5];
            ++m_eventCounter;
            const uint8_t record[6] = {p[0], p[1], p[2], p[3], p[4], m_eventCounter};
            result = m_rx.Put(record, 6);
        }
    } else if (mode == 1) {
        for (int k = 0; k < 3; ++k) {
            const uint8_t high = p[2 * k], low = p[2 * k + 1];
            const int code = m_sentShortCodes[k] & 0x0F;
            if (code == 1) {
                m_accumulated[k] += low;
                m_entry.m_values[k] = low;
            } else if (code == 8) {
                m_entry.m_values[k] = (low - m_low[k] + 256) % 256;
            } else {
                m_entry.m_values[k] = high * 256 + low;
            }
            m_queue.SetAccumulate(k, code == 1 || code == 8);
            m_high[k] = high;
            m_low[k] = low;
        }
        if (m_streaming)
            m_queue.Push(m_entry);
    } else {
        for (int k = 0; k < 3; ++k) {
            m_idPairs[k][0] = p[2 * k];
            m_idPairs[k][1] = p[2 * k + 1];
        }
    }
    m_state = 0;
    return result;
}

bool CxutPktPort::StartClock()
{
    Lock lock(m_mutex);
    m_streaming = false;
    m_queue.Clear();
    m_entry.Reset();
    if (IsShortReport()) {
        m_queue.SetStep(8);
    } else if (IsPacket()) {
        m_queue.SetStep(2);
        m_device->SetInterval(2);
    } else {
        return false;
    }
    m_streaming = true;
    return true;
}

void CxutPktPort::StopClock()
{
    Lock lock(m_mutex);
    m_streaming = false;
    m_queue.Clear();
    m_entry.Reset();
}

bool CxutPktPort::ReadValues(uint8_t values[16])
{
    if (!IsReady()) {
        Close();
        return false;
    }
    Lock lock(m_mutex);
    if (IsShortReport()) {
        for (int s = 0; s < kSlots; ++s) {
            values[2 * s] = m_high[s];
            int low = m_low[s];
            const int code = m_sentShortCodes[s] & 0x0F;
            if (code == 8) {
                const int base = m_shortBase[s];
                m_shortBase[s] = low;
                low = low - base;
            } else if (code == 1) {
                low = m_accumulated[s];
                m_accumulated[s] = 0;
            }
            values[2 * s + 1] = uint8_t(low);
        }
        return true;
    }
    const CxutSmartSenDef* def = GetDefinition();
    if (!def || !def->IsComplete())
        return false;
    for (int s = 0; s < kSlots; ++s) {
        int value = m_high[s] * 256 + m_low[s];
        if (def->GetRangeCode(m_rangeCode[s]) == 1) {
            const int base = m_shortBase[s];
            m_shortBase[s] = value;
            value = ((value - base) % 32768 + 32768) % 32768;
        }
        values[2 * s] = uint8_t(value >> 8);
        values[2 * s + 1] = uint8_t(value & 0xFF);
    }
    return true;
}

bool CxutPktPort::KeepAlive()
{
    if (!IsReady()) {
        Close();
        return false;
    }
    return SendPendingAcks();
}

bool CxutPktPort::SendPendingAcks()
{
    Lock lock(m_mutex);
    if (!IsPacket())
        return true;
    if (m_settings.m_clickedAck || m_settings.m_heldAck)
        return SendFrame(1);
    return true;
}

bool CxutPktPort::StartCapture(int command, int slot, int count, int periodUs, int trigger)
{
    Lock lock(m_mutex);
    if (!IsPacket() || slot < 0 || slot >= kSlots)
        return false;
    m_captureSlot = slot;
    PrepareSettings(false);
    m_settings.m_sampleCount = std::max(count, 1);
    m_settings.m_samplePeriod = periodUs;
    m_settings.m_trigger = trigger;
    m_device->SetInterval(1);
    m_rx.Clear();
    m_samplesReceived = 0;
    return SendFrame(command);
}

bool CxutPktPort::StartFastSampling(int slot, int count, int periodUs, int trigger)
{
    return StartCapture(2, slot, count, periodUs, trigger);
}

bool CxutPktPort::StartScope(int slot, int count, int periodUs, int trigger)
{
    return StartCapture(3, slot, count, periodUs, trigger);
}

bool CxutPktPort::ReadFastSample(int& value, bool& got)
{
    got = false;
    if (!IsPacket())
        return false;
    uint8_t b[2];
    if (m_rx.GetCount() >= 2 && m_rx.Get(b, 2)) {
        value = b[0] | (b[1] << 8);
        got = true;
    }
    return true;
}

bool CxutPktPort::ReadScope(int* values, int& n, int max)
{
    n = 0;
    if (!IsPacket())
        return false;
    int count;
    {
        Lock lock(m_mutex);
        count = std::min<int>(int(m_rx.GetCount() / 2), m_sent.m_sampleCount);
    }
    count = std::min({count, max, kMaxScope});
    uint8_t bytes[2 * kMaxScope];
    if (count > 0 && !m_rx.Get(bytes, uint32_t(2 * count)))
        return false;
    for (int i = 0; i < count; ++i)
        values[i] = bytes[2 * i] | (bytes[2 * i + 1] << 8);
    n = count;
    return true;
}

bool CxutPktPort::ReadTimingEvent(uint8_t record[6], bool& got)
{
    got = false;
    if (!IsReady()) {
        Close();
        return false;
    }
    if (m_rx.GetCount() >= 6 && m_rx.Get(record, 6))
        got = true;
    return true;
}
