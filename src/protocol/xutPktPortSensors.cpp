#include "protocol/xutPktPort.h"

#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"

#include <algorithm>
#include <wx/utils.h>

namespace {

void SetId(CxhwSensor& record, int code, int type)
{
    if (record.m_idCode != code || record.m_idType != type)
        record.m_changedId = true;
    record.m_idCode = code;
    record.m_idType = type;
}

void SetEnable(CxhwSensor& record, bool enable)
{
    if (record.m_enable != enable)
        record.m_changedEnable = true;
    record.m_enable = enable;
}

void Tail(CxhwSensor& record, bool packet)
{
    record.m_triggerAndScope = packet;
    record.m_product = -1;
    record.m_brand = -1;
    record.m_lang = 0;
    record.m_ledMain = 0;
    record.m_warmUp = 0;
    record.m_sensorCurrent = 0;
}

int DecimalCode(const unsigned char* range) { return range ? range[3] >> 4 : 0; }

bool ValidGain(int code) { return code >= 0x4001 && code <= 0xC000; }
bool ValidOffset(int code) { return code <= 0x4000 || code >= 0xC000; }

} // namespace

CxutSmartSenDef* CxutPktPort::GetDefinition() const
{
    return m_definitions && m_index >= 0 && m_index < 6 ? m_definitions->GetDef(m_index) : nullptr;
}

bool CxutPktPort::HasCompleteDefinition() const
{
    Lock lock(m_mutex);
    const CxutSmartSenDef* def = GetDefinition();
    return def && def->IsComplete();
}

int CxutPktPort::GetDefinitionByte(int at) const
{
    Lock lock(m_mutex);
    const CxutSmartSenDef* def = GetDefinition();
    if (!def || !def->IsComplete() || at < 0 || at >= CxutSmartSenDef::kHeaderLength)
        return -1;
    return def->GetHeaderByte(at);
}

int CxutPktPort::GetSlotKind(int slot) const
{
    Lock lock(m_mutex);
    const CxutSmartSenDef* def = GetDefinition();
    const unsigned char* sub = def ? def->GetSubRecord(slot) : nullptr;
    return sub ? sub[0] : -1;
}

int CxutPktPort::GetSlotCount()
{
    Lock lock(m_mutex);
    if (!IsPacket() || !HasCompleteDefinition())
        return 1;
    return std::min(GetDefinition()->GetHeaderByte(4), kSlots);
}

int CxutPktPort::UpdateSensors(CxhwSensor* records)
{
    const int n = GetSlotCount();
    for (int s = 0; s < n; ++s)
        UpdateSensor(s, records[s]);
    return n;
}

bool CxutPktPort::UpdateSensor(int slot, CxhwSensor& record)
{
    Lock lock(m_mutex);
    const bool open = m_device && m_device->IsOpen();
    if (IsShortReport()) {
        // A report carries three identity pairs; the other slots have none.
        if (open && slot >= 0 && slot < 3)
            SetId(record, m_idPairs[slot][0], m_idPairs[slot][1]);
        else
            SetId(record, 0, 0);
        SetEnable(record, true);
        record.UseDefaultCalibration();
        Tail(record, false);
        return true;
    }
    if (!IsPacket())
        return false;
    const CxutSmartSenDef* def = GetDefinition();
    const bool known = open && slot >= 0 && slot < kSlots && def && def->IsComplete();
    if (known && (!def->GetSubRecord(slot) || slot >= def->GetHeaderByte(4))) {
        SetId(record, 0, 0);
        SetEnable(record, false);
        record.UseDefaultCalibration();
        Tail(record, true);
        return true;
    }
    if (!known || m_rangeCode[slot] == 0) {
        SetId(record, 0, 0);
        SetEnable(record, true);
        record.UseDefaultCalibration();
        Tail(record, true);
        return true;
    }
    const int range = m_rangeCode[slot];
    SetId(record, xutMakeSmartIdent(m_index, slot, def->GetHeaderByte(23), def->GetHeaderByte(22)),
          def->GetRangeCalType(range));
    def->AssignSensor(record, xutMakeSmartIdentBank(m_index, slot, 0, range));
    return true;
}

void CxutPktPort::ApplySensor(int slot, const CxhwSensor& record)
{
    Lock lock(m_mutex);
    if (record.m_idCode == 0 || !record.m_enable || slot < 0 || slot >= kSlots)
        return;
    const bool flagged = record.m_changedId || record.m_changedCal;
    if (IsShortReport()) {
        if (flagged || m_requestedCodes[slot] != record.m_calType)
            m_changed = true;
        m_requestedCodes[slot] = record.m_calType;
    } else if (IsPacket()) {
        if (flagged || m_requestedIdents[slot] != record.m_calib.m_index)
            m_sensorChanged = true;
        m_requestedIdents[slot] = record.m_calib.m_index;
    }
}

void CxutPktPort::CheckSettling(int, CxhwSensor& record, const int* raw)
{
    Lock lock(m_mutex);
    if (!IsShortReport() || record.m_idCode == 0 || !record.m_enable)
        return;
    if (!record.m_changedId && !m_settling)
        return;
    const int type = record.m_idType;
    const int low = type & 0x1F;
    if (type >= 128 || !(low == 2 || low == 4 || low == 23 || low == 24))
        return;
    if (record.m_changedId) {
        m_settleWatch.Start(0);
        m_settling = true;
        m_validReading = false;
    }
    if (m_settleWatch.Time() > 3000) {
        m_settling = false;
        return;
    }
    if (raw) {
        if (*raw == 0xFFF0 || *raw == 0x40) {
            m_validReading = false;
        } else if (!m_validReading) {
            m_validReading = true;
            m_validWatch.Start(0);
        } else if (m_validWatch.Time() > 100) {
            m_settling = false;
        }
    }
    if (m_settling)
        m_changed = true;
}

int CxutPktPort::SetCalibration(int slot, CxhwSensor& record, float gain, float offset)
{
    if (!IsPacket())
        return 2;
    return WriteCalibration(slot, record, gain, offset);
}

int CxutPktPort::WriteCalibration(int slot, CxhwSensor& record, float gain, float offset)
{
    CxutSmartSenDef* def = GetDefinition();
    const int index = record.m_calib.m_index;
    const int range = xutGetSmartIdentRange(index);
    const int bank = xutGetSmartIdentBank(index);
    int decimal = 0;
    {
        Lock lock(m_mutex);
        if (!IsPacket() || range < 1 || range > 15 || !def || !def->IsComplete() ||
            !def->SubOffersRange(slot, range, bank) || !def->GetRange(range))
            return 2;
        decimal = DecimalCode(def->GetRange(range));
        if (gain < 0.5f || gain > 1.5f)
            return 14;
        if (offset < xutApplyDecimalCode(-16384, decimal) ||
            offset > xutApplyDecimalCode(16384, decimal))
            return 15;
        const int g = xutGainToCode(gain);
        const int o = xutOffsetToCode(decimal, offset);
        const uint8_t data[4] = {uint8_t(g & 0xFF), uint8_t((g >> 8) & 0xFF), uint8_t(o & 0xFF),
                                 uint8_t((o >> 8) & 0xFF)};
        m_calWritePending = true;
        if (!SendMemoryCommand((range - 1) * 4, 4, data)) {
            m_calWritePending = false;
            return 1;
        }
    }
    CzxStopWatch watch;
    for (;;) {
        {
            Lock lock(m_mutex);
            if (!m_calWritePending)
                break;
            if (watch.Time() >= 200) {
                m_calWritePending = false;
                return 1;
            }
        }
        wxMilliSleep(1);
    }
    Lock lock(m_mutex);
    def->SetRangeGain(range, gain);
    def->SetRangeOffset(range, offset);
    record.m_calib.m_gain = gain;
    record.m_calib.m_offset = offset;
    record.m_changedCal = true;
    return 0;
}

bool CxutPktPort::SendMemoryCommand(int address, int length, const uint8_t* data)
{
    Lock lock(m_mutex);
    const uint8_t params[4] = {uint8_t(address & 0xFF), uint8_t((address >> 8) & 0xFF),
                               uint8_t(length), uint8_t(data ? 0xA9 : 0)};
    return SendFrame(10, params, 4, data, data ? length : 0);
}

void CxutPktPort::StartDefinitionRead()
{
    CxutSmartSenDef* def = GetDefinition();
    if (!def) {
        // No block to fill: straight on to the current values.
        PrepareSettings(true);
        SendFrame(1);
        return;
    }
    def->Clear();
    m_settings.m_definitionOffset = 0;
    const uint8_t params[2] = {0, 0};
    SendFrame(8, params, 2);
    m_settings.m_chunkPending = true;
    m_sent.m_chunkPending = true;
}

void CxutPktPort::OnDefinitionChunk(const uint8_t* p)
{
    CxutSmartSenDef* def = GetDefinition();
    if (!def || !m_sent.m_chunkPending)
        return;
    m_sent.m_chunkPending = false;
    def->Append(p + 2, 62);
    RequestDefinitionChunk();
    OnDefinitionStep();
}

void CxutPktPort::RequestDefinitionChunk()
{
    CxutSmartSenDef* def = GetDefinition();
    if (!def)
        return;
    if (!def->IsComplete()) {
        const int offset = def->GetLength();
        m_settings.m_definitionOffset = offset;
        const uint8_t params[2] = {uint8_t(offset & 0xFF), uint8_t((offset >> 8) & 0xFF)};
        SendFrame(8, params, 2);
        m_settings.m_chunkPending = true;
        m_sent.m_chunkPending = true;
        return;
    }
    const int slots = std::min(def->GetHeaderByte(4), kSlots);
    for (int s = 0; s < kSlots; ++s) {
        const int range = s < slots ? std::max(def->FindRange(s), 0) : 0;
        m_settings.m_rangeCodes[s] = uint8_t(range);
        m_rangeCode[s] = uint8_t(range);
    }
}

void CxutPktPort::OnDefinitionStep()
{
    if (!HasCompleteDefinition())
        return;
    PrepareSettings(true);
    ReadCalibration();
}

void CxutPktPort::ReadCalibration()
{
    const CxutSmartSenDef* def = GetDefinition();
    // Four bytes per range, as many as one reply can carry.
    const int ranges = std::min(def->GetHeaderByte(8), (64 - 8) / 4);
    SendMemoryCommand(0, 4 * ranges, nullptr);
}

void CxutPktPort::OnCalibrationReply(const uint8_t* p)
{
    if (m_calWritePending) {
        m_calWritePending = false;
        return;
    }
    CxutSmartSenDef* def = GetDefinition();
    if (m_state == 0 || !def || !def->IsComplete())
        return;
    const int ranges = def->GetHeaderByte(8);
    for (int j = 1; j <= ranges; ++j) {
        const unsigned char* range = def->GetRange(j);
        if (!range)
            continue;
        const int at = 8 + 4 * (j - 1);
        // Ranges beyond what one reply carries keep the plain calibration.
        const int g = at + 3 < 64 ? p[at] | (p[at + 1] << 8) : 0;
        const int o = at + 3 < 64 ? p[at + 2] | (p[at + 3] << 8) : 0;
        if (ValidGain(g) && ValidOffset(o)) {
            def->SetRangeGain(j, xutCodeToGain(g));
            def->SetRangeOffset(j, xutCodeToOffset(o, DecimalCode(range)));
        } else {
            def->SetRangeGain(j, 1.0f);
            def->SetRangeOffset(j, 0.0f);
        }
    }
    PrepareSettings(true);
    TakeRangeParameters();
    SendFrame(1);
}

void CxutPktPort::TakeRangeParameters()
{
    const CxutSmartSenDef* def = GetDefinition();
    if (!def || !def->IsComplete())
        return;
    for (int s = 0; s < kSlots; ++s) {
        const unsigned char* range = def->GetRange(m_settings.m_rangeCodes[s]);
        if (!range)
            continue;
        m_settings.m_rangeWords[s] = range[16] | (range[17] << 8);
        m_settings.m_rangeFlags[s] = uint8_t((range[26] >> 6) & 1);
    }
    const unsigned char* first = def->GetRange(m_settings.m_rangeCodes[0]);
    if (!first || !(first[26] & 0x10))
        m_settings.m_trigger = 0;
}
