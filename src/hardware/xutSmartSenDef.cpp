#include "hardware/xutSmartSenDef.h"

#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"

#include <algorithm>
#include <cstring>

namespace {

const char* const g_iconNames[] = {
    "Default", "Temp",     "Light",  "Sound",    "Voltage", "Current",  "Gate",     "pH",
    "Colorim", "UltraSnd", "Position", "Balance", "Force",  "Wireless", "TempK",    "Percent",
    "Direct",  "Magnet",   "Loop",   "DO2",      "Count",   "Frequenc", "Period",   "AirPres",
    "Humidity", "Rain",    "WindSp", "WaterFlo", "Mike",    "Switch",   "Breath",   "Accln",
    "Bulb",    "Heart",    "Radiate", "LightSw", "Mains",   "Camera",   "Conduct",  "Speaker",
    "Time",    "Meter1",   "Meter2", "Meter3",   "Bell",    "SineWave", "OnOff",    "Output",
};

constexpr int kRangeBytes = 29; // bytes 0..28 of a range record are always read
constexpr int kSubBytes = 10;   // flags and the eight range-list bytes

int MakeIndex(int bank, int range, int inputAndSub)
{
    return XUT_SMART_BASE + bank * 0x1000 + range * 0x100 + (inputAndSub & 0x3F);
}

} // namespace

CxutSmartSenDef::CxutSmartSenDef() { Clear(); }

bool CxutSmartSenDef::Clear()
{
    m_length = 0;
    for (int i = 0; i < 16; ++i) {
        m_gains[i] = 1.0f;
        m_offsets[i] = 0.0f;
    }
    return true;
}

bool CxutSmartSenDef::Append(const unsigned char* bytes, int n)
{
    if (n < 0 || (n > 0 && !bytes))
        return false;
    if (m_length >= 2) {
        const int total = TotalLength();
        if (m_length >= total)
            return false;
        if (m_length + n > total)
            n = total - m_length;
    }
    if (m_length + n > kMaxLength) {
        m_length = 0;
        return false;
    }
    if (n > 0)
        std::memcpy(m_block + m_length, bytes, size_t(n));
    m_length += n;
    return true;
}

bool CxutSmartSenDef::IsComplete() const
{
    return m_length >= kHeaderLength && m_length >= TotalLength();
}

const unsigned char* CxutSmartSenDef::GetSubRecord(int s) const
{
    if (!IsComplete() || s < 0 || s >= SubCount())
        return nullptr;
    const int size = Byte(5);
    const int offset = Word(6) + s * size;
    if (!Fits(offset, std::max(size, kSubBytes)))
        return nullptr;
    return m_block + offset;
}

const unsigned char* CxutSmartSenDef::GetRange(int n) const
{
    if (!IsComplete() || n < 1 || n > RangeCount())
        return nullptr;
    const int size = Byte(9);
    const int offset = Word(10) + (n - 1) * size;
    if (!Fits(offset, std::max(size, kRangeBytes)))
        return nullptr;
    return m_block + offset;
}

int CxutSmartSenDef::WalkRecords(int first, int count, int k, int unit) const
{
    if (!IsComplete() || k < 1 || k > count)
        return -1;
    int offset = first;
    for (int j = 1;; ++j) {
        if (!Fits(offset, 2))
            return -1;
        const int size = 2 + Byte(offset) * unit;
        if (!Fits(offset, size))
            return -1;
        if (j == k)
            return offset;
        offset += size;
    }
}

const unsigned char* CxutSmartSenDef::GetPointTable(int k) const
{
    if (!IsComplete())
        return nullptr;
    const int offset = WalkRecords(Word(14), Byte(12), k, 4);
    return offset < 0 ? nullptr : m_block + offset;
}

const unsigned char* CxutSmartSenDef::GetStringRecord(int k) const
{
    if (!IsComplete())
        return nullptr;
    const int offset = WalkRecords(Word(18), Byte(16), k, 2);
    return offset < 0 ? nullptr : m_block + offset;
}

void CxutSmartSenDef::GetString(wxString& text, int k) const
{
    const unsigned char* s = GetStringRecord(k);
    if (!s)
        return;
    const int count = s[0];
    wxString decoded;
    for (int i = 0; i < count; ++i) {
        wxUint32 c = wxUint32(s[2 + 2 * i] | (s[3 + 2 * i] << 8));
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count) {
            const wxUint32 low = wxUint32(s[4 + 2 * i] | (s[5 + 2 * i] << 8));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD; // a lone surrogate
        decoded += wxUniChar(c);
    }
    text = decoded;
}

int CxutSmartSenDef::GetRangeCode(int n) const
{
    const unsigned char* r = GetRange(n);
    return r ? r[20] : 0;
}

int CxutSmartSenDef::GetRangeCalType(int n) const
{
    const unsigned char* r = GetRange(n);
    return r ? xutGetKindCalType(r[20]) : 7;
}

bool CxutSmartSenDef::HasRange(int index) const
{
    if (!IsComplete() || index < XUT_SMART_BASE)
        return false;
    const int range = xutGetSmartIdentRange(index);
    return range != 0 && GetRange(range) != nullptr;
}

bool CxutSmartSenDef::SubOffersRange(int s, int n, int bank) const
{
    const unsigned char* sub = GetSubRecord(s);
    if (!sub || n == 0)
        return false;
    for (int i = 0; i < 8; ++i) {
        const int nibble = bank ? sub[2 + i] >> 4 : sub[2 + i] & 0x0F;
        if (nibble == n)
            return true;
    }
    return false;
}

int CxutSmartSenDef::NextRange(int ident, int after, bool any, bool trigger, bool scope,
                               bool timing) const
{
    if (!IsComplete() || ident < XUT_SMART_BASE)
        return -1;
    const unsigned char* sub = GetSubRecord(ident & 7);
    if (!sub)
        return -1;
    bool started = after < 0;
    const int afterBank = (after >> 12) & 1;
    const int afterRange = (after >> 8) & 0x0F;
    for (int i = 0; i < 8; ++i) {
        const int u = sub[2 + i] & 0x0F;
        if (u == 0)
            continue;
        if (after >= 0 && afterBank == 0 && u == afterRange) {
            started = true;
            continue;
        }
        const unsigned char* r = GetRange(u);
        if (!started || !r)
            continue;
        if (any || (timing && (r[26] & 0x08)))
            return MakeIndex(0, u, ident);
    }
    for (int i = 0; i < 8; ++i) {
        const int h = sub[2 + i] >> 4;
        if (h == 0)
            continue;
        if (after >= 0 && afterBank == 1 && h == afterRange) {
            started = true;
            continue;
        }
        const unsigned char* r = GetRange(h);
        if (!started || !r)
            continue;
        if ((trigger && (r[26] & 0x02)) || (scope && (r[26] & 0x04)) || (timing && (r[26] & 0x08)))
            return MakeIndex(1, h, ident);
    }
    return -1;
}

int CxutSmartSenDef::FindRange(int v) const
{
    if (!IsComplete())
        return -1;
    const int ident = xutMakeSmartIdent(0, 0, Byte(23), Byte(22)) + (v & 0xFF);
    const int index = NextRange(ident, -1, true, true, true, false);
    return index < 0 ? -1 : xutGetSmartIdentRange(index);
}

float CxutSmartSenDef::ConvertRaw(int index, int raw) const
{
    if (!IsComplete() || raw == XHW_NO_READING)
        return XHW_NO_VALUE;
    const float asRaw = float(raw);
    if (index < XUT_SMART_BASE)
        return asRaw;
    const unsigned char* r = GetRange(xutGetSmartIdentRange(index));
    if (!r)
        return asRaw;
    const int tableNumber = r[3] & 0x0F;
    const unsigned char* t = tableNumber ? GetPointTable(tableNumber) : nullptr;
    if (!t || t[0] == 0)
        return asRaw;
    const int points = t[0];
    const int code = t[1];
    auto rawAt = [t](int i) { return unsigned(t[2 + 4 * i] | (t[3 + 4 * i] << 8)); };
    auto valueAt = [t, code](int i) {
        return xutApplyDecimalCode(xutMakeSigned16(t[4 + 4 * i], t[5 + 4 * i]), code);
    };
    const unsigned u = unsigned(raw);
    if (u < rawAt(0))
        return valueAt(0);
    for (int j = 1; j < points; ++j) {
        if (rawAt(j) >= u) {
            const float va = valueAt(j - 1);
            const float vb = valueAt(j);
            const float span = float(rawAt(j)) - float(rawAt(j - 1));
            if (span <= 0.0f)
                return vb;
            return va + ((float(u) - float(rawAt(j - 1))) * (vb - va)) / span;
        }
    }
    return valueAt(points - 1);
}

void CxutSmartSenDef::GetRangeCalib(CxhwSenCalib& calib, int index) const
{
    const int input = (index >> 3) & 7;
    const int sub = index & 7;
    const int range = (index >> 8) & 0x0F;
    const int bank = (index >> 12) & 1;
    const bool complete = IsComplete();
    int ident = xutMakeSmartIdent(input, sub, 0, 0);
    if (complete)
        ident = xutMakeSmartIdent(input, sub, Byte(23), Byte(22));
    const unsigned char* r = index >= XUT_SMART_BASE && range != 0 ? GetRange(range) : nullptr;
    if (!r) {
        if (const CxhwSenFile* database = xhwGetSenFile()) {
            const int fallback = database->FindNext(255, -1, true, true, true, false);
            if (fallback >= 0)
                database->GetCalib(calib, fallback);
        }
        calib.m_index = xutMakeSmartIdentBank(input, sub, bank, range);
        calib.m_ident = ident;
        return;
    }
    calib.m_index = xutMakeSmartIdentBank(input, sub, bank, range);
    calib.m_ident = ident;
    calib.m_tableStart = 0;
    GetString(calib.m_name, r[1]);
    GetString(calib.m_units, r[2]);
    GetString(calib.m_description, r[0]);
    const int code = r[3] >> 4;
    auto scaled = [r, code](int at) { return xutBytesToValue(r[at], r[at + 1], code); };
    calib.m_calMax = scaled(4);
    calib.m_calMin = scaled(6);
    calib.m_defMax = calib.m_nowMax = scaled(8);
    calib.m_defMin = calib.m_nowMin = scaled(10);
    calib.m_resolution = scaled(12);
    calib.m_minRange = scaled(14);
    calib.m_places = r[18];
    calib.m_gain = m_gains[range];
    calib.m_offset = m_offsets[range];
    if (Byte(9) >= 30 && r[29] <= 47)
        calib.m_icon = g_iconNames[r[29]];
    calib.m_threshold = 32768;
    calib.m_placesMin = r[19] & 0x0F;
    calib.m_placesMax = r[19] >> 4;
    calib.m_postProc = r[20];
    calib.m_slowMs = r[21];
    calib.m_triggerUs = r[22];
    calib.m_scopeUs = r[23];
    calib.m_fastDur = r[24];
    calib.m_timingUs = r[25];
    const int use = r[26];
    const int dialogs = r[27];
    calib.m_fRecommendSlow = use & 0x01;
    calib.m_fCanPretrigger = use & 0x10;
    calib.m_fGreaterThan = use & 0x40;
    calib.m_fDigital = use & 0x80;
    calib.m_fDlgOnePoint = dialogs & 0x01;
    calib.m_fDlgTwoPoint = dialogs & 0x02;
    calib.m_fDlgInvert = dialogs & 0x04;
    calib.m_fDlgPH = dialogs & 0x08;
    calib.m_fDlgColorimeter = dialogs & 0x10;
    calib.m_measure = r[28];
    calib.m_fCanTriggered = sub == 0 && SubOffersRange(0, range, 1) && (use & 0x02);
    calib.m_fCanScope = sub == 0 && SubOffersRange(0, range, 1) && (use & 0x04);
    calib.m_fCanTiming = SubOffersRange(sub, range, 0) && (use & 0x08);
    calib.m_fCanSlow = SubOffersRange(sub, range, 0);
    calib.m_fIsCounter = calib.m_postProc == 1;
    calib.m_fIsInteger = calib.m_postProc == 1 || calib.m_postProc == 2;
    calib.m_fIsControl = false;
    calib.m_def = this;
}

void CxutSmartSenDef::AssignSensor(CxhwSensor& sensor, int index) const
{
    CxhwSenCalib calib;
    GetRangeCalib(calib, index);
    const int range = index >= XUT_SMART_BASE ? xutGetSmartIdentRange(index) : 0;
    const int calType = GetRangeCalType(range);
    if (sensor.m_calType != calType || !calib.IsSame(sensor.m_calib))
        sensor.m_changedCal = true;
    sensor.m_calType = calType;
    sensor.m_calib = calib;
    sensor.m_triggerAndScope = true;
    if (const unsigned char* sub = GetSubRecord(index & 7)) {
        sensor.m_optional = sub[1] & 0x01;
        sensor.m_initiallyDisabled = sub[1] & 0x02;
        sensor.m_initiallyInvisible = sub[1] & 0x04;
        const bool enable = !(sub[1] & 0x06);
        if (sensor.m_enable != enable)
            sensor.m_changedEnable = true;
        sensor.m_enable = enable;
        sensor.m_led = sub[0] == 0 ? 1 : 0;
    }
    if (IsComplete()) {
        GetString(sensor.m_sensorName, Byte(20));
        sensor.m_sensorVersion = Byte(21);
        sensor.m_product = Byte(22);
        sensor.m_brand = Byte(23);
        sensor.m_lang = Word(24);
        sensor.m_ledMain = Byte(26);
        sensor.m_warmUp = Byte(27);
        sensor.m_sensorCurrent = Byte(28);
        sensor.m_sensorTiming = Byte(31) & 0x01;
    }
    int d = NextRange(sensor.m_idCode, -1, true, true, true, false);
    if (d < XUT_SMART_BASE)
        d = XUT_SMART_BASE + (sensor.m_idCode & 0x3F);
    GetRangeCalib(calib, d);
    sensor.m_tpName = calib.m_name;
    sensor.m_tpIcon = calib.m_icon;
}

// Gains and offsets exist for ranges 1 to 15 only.
void CxutSmartSenDef::SetRangeGain(int n, float gain)
{
    if (n >= 1 && n <= 15)
        m_gains[n] = gain;
}

void CxutSmartSenDef::SetRangeOffset(int n, float offset)
{
    if (n >= 1 && n <= 15)
        m_offsets[n] = offset;
}

CxutSmartSenDef* CxutSmartSenDefs::GetDef(int input)
{
    return input >= 0 && input < kCount ? &m_defs[input] : nullptr;
}

const CxutSmartSenDef* CxutSmartSenDefs::GetDef(int input) const
{
    return input >= 0 && input < kCount ? &m_defs[input] : nullptr;
}

int CxutSmartSenDefs::FindNext(int ident, int after, bool any, bool trigger, bool scope,
                               bool timing) const
{
    const CxutSmartSenDef* def = GetDef(xutGetSmartIdentInput(ident));
    return def ? def->NextRange(ident, after, any, trigger, scope, timing) : -1;
}

void CxutSmartSenDefs::GetCalib(CxhwSenCalib& calib, int index) const
{
    if (const CxutSmartSenDef* def = GetDef(xutGetSmartIdentInput(index)))
        def->GetRangeCalib(calib, index);
}

void CxutSmartSenDefs::AssignCalib(CxhwSensor& sensor, int index) const
{
    AssignSensor(sensor, index);
}

void CxutSmartSenDefs::AssignSensor(CxhwSensor& sensor, int index) const
{
    if (const CxutSmartSenDef* def = GetDef(xutGetSmartIdentInput(index)))
        def->AssignSensor(sensor, index);
}

void CxutSmartSenDefs::GetName(wxString& name, int index) const
{
    if (const CxutSmartSenDef* def = GetDef(xutGetSmartIdentInput(index))) {
        CxhwSenCalib calib;
        def->GetRangeCalib(calib, index);
        name = calib.m_name;
    }
}

void CxutSmartSenDefs::GetIcon(wxString& icon, int index) const
{
    if (const CxutSmartSenDef* def = GetDef(xutGetSmartIdentInput(index))) {
        CxhwSenCalib calib;
        def->GetRangeCalib(calib, index);
        icon = calib.m_icon;
    }
}

void CxutSmartSenDefs::GetLabel(wxString& label, int index, int code, bool withPrefix) const
{
    if (const CxutSmartSenDef* def = GetDef(xutGetSmartIdentInput(index))) {
        CxhwSenCalib calib;
        def->GetRangeCalib(calib, index);
        calib.GetLabel(label, code, withPrefix);
    }
}
