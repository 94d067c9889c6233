#include "hardware/xhwSensor.h"

#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSenFile.h"
#include "protocol/xutBoxInfo.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Calibration types whose readings are events to add up.
bool IsCountingType(int calType)
{
    const int k = calType & 0x9F;
    return k == 1 || k == 8 || k == 19 || k == 129 || k == 136;
}

bool IsNativePair(int idType, int type)
{
    return !(idType & 0x80) && (idType & 0x1F) != 0 && (type == -1 || (type & 0x1F) == (idType & 0x1F));
}

} // namespace

bool CxhwSensor::UseDefaultCalibration()
{
    if (m_calType != m_idType)
        m_changedCal = true;
    m_calType = m_idType;
    if (const CxhwSenFile* database = xhwGetSenFile())
        database->AssignSensor(*this);
    return true;
}

bool CxhwSensor::SameExtras(const CxhwSensor& other) const
{
    return m_triggerAndScope == other.m_triggerAndScope && m_sensorName == other.m_sensorName &&
           m_sensorVersion == other.m_sensorVersion && m_product == other.m_product &&
           m_brand == other.m_brand && m_lang == other.m_lang && m_ledMain == other.m_ledMain &&
           m_warmUp == other.m_warmUp && m_sensorCurrent == other.m_sensorCurrent &&
           m_sensorTiming == other.m_sensorTiming && m_led == other.m_led &&
           m_optional == other.m_optional && m_initiallyDisabled == other.m_initiallyDisabled &&
           m_initiallyInvisible == other.m_initiallyInvisible && m_tpName == other.m_tpName &&
           m_tpIcon == other.m_tpIcon;
}

void CxhwSensor::CopyExtras(const CxhwSensor& other)
{
    m_triggerAndScope = other.m_triggerAndScope;
    m_sensorName = other.m_sensorName;
    m_sensorVersion = other.m_sensorVersion;
    m_product = other.m_product;
    m_brand = other.m_brand;
    m_lang = other.m_lang;
    m_ledMain = other.m_ledMain;
    m_warmUp = other.m_warmUp;
    m_sensorCurrent = other.m_sensorCurrent;
    m_sensorTiming = other.m_sensorTiming;
    m_led = other.m_led;
    m_optional = other.m_optional;
    m_initiallyDisabled = other.m_initiallyDisabled;
    m_initiallyInvisible = other.m_initiallyInvisible;
    m_tpName = other.m_tpName;
    m_tpIcon = other.m_tpIcon;
}

bool CxhwSensor::IsSame(const CxhwSensor& other) const
{
    return m_enable == other.m_enable && m_idCode == other.m_idCode && m_idType == other.m_idType &&
           m_calType == other.m_calType && m_calib.IsSame(other.m_calib) && SameExtras(other);
}

void CxhwSensor::UpdateId(const CxhwSensor& other)
{
    m_changedId = false;
    if (m_idCode == other.m_idCode && m_idType == other.m_idType)
        return;
    m_changedId = true;
    m_idCode = other.m_idCode;
    m_idType = other.m_idType;
    if (!m_enable)
        m_changedEnable = true;
    m_enable = true;
    if (m_calType != m_idType)
        m_changedCal = true;
    m_calType = m_idType;
    if (const CxhwSenFile* database = xhwGetSenFile())
        database->AssignSensor(*this);
}

void CxhwSensor::ApplyUserEnable(const CxhwSensor& other)
{
    if (!other.m_userEnable)
        return;
    if (m_enable != other.m_enable)
        m_changedEnable = true;
    m_enable = other.m_enable;
}

bool CxhwSensor::IsBlank() const
{
    return m_idCode == 136 || (!IsSmart() && (m_calType & 0x1F) == 0);
}

bool CxhwSensor::IsCounter() const
{
    return IsSmart() ? m_calib.m_fIsCounter : IsCountingType(m_calType);
}

bool CxhwSensor::IsInteger() const
{
    if (IsSmart())
        return m_calib.m_fIsInteger;
    return IsCountingType(m_calType) || (m_calType & 0x9F) == 143 || (m_calType & 0x1F) == 3;
}

bool CxhwSensor::IsControl() const
{
    return m_idType > 255 ? m_calib.m_fIsControl : (m_idType & 0x9F) == 0x8F;
}

bool CxhwSensor::IsCalTypeNative() const { return !IsSmart() && IsNativePair(m_idType, m_calType); }

bool CxhwSensor::IsCodeNative(int code) const { return !IsSmart() && IsNativePair(m_idType, code); }

bool CxhwSensor::CanTrigger() const
{
    return m_triggerAndScope && (IsSmart() ? m_calib.m_fCanTriggered : IsCalTypeNative());
}

bool CxhwSensor::CanTriggerWith(const CxhwSenCalib& calib, int code) const
{
    return m_triggerAndScope && (calib.m_index >= 256 ? calib.m_fCanTriggered : IsCodeNative(code));
}

bool CxhwSensor::CanScope() const
{
    return m_triggerAndScope && (IsSmart() ? m_calib.m_fCanScope : IsCalTypeNative());
}

bool CxhwSensor::CanScopeWith(const CxhwSenCalib& calib, int code) const
{
    return m_triggerAndScope && (calib.m_index >= 256 ? calib.m_fCanScope : IsCodeNative(code));
}

bool CxhwSensor::CanTimeType(const CxutBoxInfo& logger, int type) const
{
    if (type == -1) // a choice that keeps the sensor's own type
        type = m_idType;
    const int kind = type & 0x1F;
    const bool secondBank = type & 0x80;
    if (secondBank && kind != 0 && kind != 13 && kind != 15)
        return true;
    if (xutHasFeature(19, logger))
        return !secondBank && kind != 0;
    if (xutHasFeature(7, logger))
        return !secondBank && kind != 0 && m_idCode == 62;
    return false;
}

bool CxhwSensor::CanTimeNow(const CxutBoxInfo& logger) const
{
    return IsSmart() ? m_calib.m_fCanTiming : CanTimeType(logger, m_calType);
}

bool CxhwSensor::CanTimeWith(const CxutBoxInfo& logger, const CxhwSenCalib& calib, int code) const
{
    return calib.m_index >= 256 ? calib.m_fCanTiming : CanTimeType(logger, code);
}

bool CxhwSensor::CanTime(const CxutBoxInfo& logger, bool fallBack) const
{
    if (IsSmart()) {
        CxhwSenCalibChoice unused;
        return GetTimingChoice(&unused, logger, fallBack);
    }
    return CanTimeType(logger, m_calType);
}

bool CxhwSensor::HasNoType() const { return !IsSmart() && (m_calType & 0x1F) == 0; }

namespace {

bool CopyChoice(CxhwSenCalibChoice* choice, const CxhwSenCalibChoiceV& list, int found)
{
    if (found < 0)
        return false;
    if (choice)
        *choice = list[found];
    return true;
}

} // namespace

int CxhwSensor::FindCalibChoice(CxhwSenCalibChoiceV& list, const CxutBoxInfo& logger,
                                bool fallBack, bool scope) const
{
    list.Build(logger, *this, false, false, false, 0.0, !scope, scope);
    return list.FindBestTrigScope(*this, fallBack, scope);
}

bool CxhwSensor::GetCalibChoice(CxhwSenCalibChoice* choice, const CxutBoxInfo& logger,
                                bool fallBack, bool scope) const
{
    CxhwSenCalibChoiceV list;
    return CopyChoice(choice, list, FindCalibChoice(list, logger, fallBack, scope));
}

int CxhwSensor::FindTimingChoice(CxhwSenCalibChoiceV& list, const CxutBoxInfo& logger,
                                 bool fallBack) const
{
    list.BuildTiming(logger, *this);
    return list.FindBestTiming(logger, *this, fallBack);
}

bool CxhwSensor::GetTimingChoice(CxhwSenCalibChoice* choice, const CxutBoxInfo& logger,
                                 bool fallBack) const
{
    CxhwSenCalibChoiceV list;
    return CopyChoice(choice, list, FindTimingChoice(list, logger, fallBack));
}

// An ordinary run may use every alternative type; a fast one only the
// sensor's own type.
bool CxhwSensor::SuitsRate(const CxutBoxInfo& logger, bool fast) const
{
    if (IsSmart())
        return m_calib.m_fCanSlow;
    CxhwSenCalibChoiceV list;
    list.Build(logger, *this, !fast, !fast, true, 0.0, false, false);
    const int current = list.FindCurrent(*this);
    if (!fast || current < 0)
        return current >= 0;
    return IsCalTypeNative();
}

bool CxhwSensor::GetRateCalibChoice(CxhwSenCalibChoice* choice, const CxutBoxInfo& logger,
                                    bool fallBack, bool fast) const
{
    CxhwSenCalibChoiceV list;
    list.Build(logger, *this, !fast, !fast, true, 0.0, false, false);
    if (list.GetCount() == 0)
        return false;
    int found = list.FindCurrent(*this);
    if (found < 0 && fast)
        found = list.FindBest(*this, fallBack);
    if (found < 0)
        found = list.FindBestAny(*this, fallBack);
    return CopyChoice(choice, list, found);
}

void CxhwSensorV::UpdateIds(const CxhwSensorV& ids)
{
    for (int i = 0; i < kCount; ++i)
        m_sensors[i].UpdateId(ids.m_sensors[i]);
}

void CxhwSensorV::AssignAll()
{
    for (CxhwSensor& sensor : m_sensors)
        sensor.UseDefaultCalibration();
}

void CxhwSensorV::ApplyUserCalibrations(const CxhwSensorV& other)
{
    for (int i = 0; i < kCount; ++i) {
        CxhwSensor& s = m_sensors[i];
        const CxhwSensor& o = other.m_sensors[i];
        if (!o.m_userCal)
            continue;
        if (s.m_calType != o.m_calType || !s.m_calib.IsSame(o.m_calib))
            s.m_changedCal = true;
        s.m_calType = o.m_calType;
        s.m_calib = o.m_calib;
        if (s.m_raw != XHW_NO_READING)
            s.m_changedRaw = true;
        s.m_raw = XHW_NO_READING;
    }
}

void CxhwSensorV::ApplyUserEnables(const CxhwSensorV& other)
{
    for (int i = 0; i < kCount; ++i)
        m_sensors[i].ApplyUserEnable(other.m_sensors[i]);
}

void CxhwSensorV::CopyIdentities(const CxhwSensorV& other)
{
    for (int i = 0; i < kCount; ++i) {
        CxhwSensor& s = m_sensors[i];
        const CxhwSensor& o = other.m_sensors[i];
        s.m_changedId = false;
        if (s.m_idCode == o.m_idCode)
            continue;
        s.m_changedId = true;
        s.m_idCode = o.m_idCode;
        if (s.m_raw != XHW_NO_READING)
            s.m_changedRaw = true;
        s.m_raw = XHW_NO_READING;
        if (s.m_enable != o.m_enable)
            s.m_changedEnable = true;
        s.m_enable = o.m_enable;
        s.m_idType = o.m_idType;
        if (s.m_calType != o.m_calType || !s.m_calib.IsSame(o.m_calib))
            s.m_changedCal = true;
        s.m_calType = o.m_calType;
        s.m_calib = o.m_calib;
        s.CopyExtras(o);
    }
}

void CxhwSensorV::CopyAll(const CxhwSensorV& other)
{
    for (int i = 0; i < kCount; ++i) {
        CxhwSensor& s = m_sensors[i];
        const CxhwSensor& o = other.m_sensors[i];
        if (s.m_enable != o.m_enable)
            s.m_changedEnable = true;
        s.m_enable = o.m_enable;
        if (s.m_raw != o.m_raw)
            s.m_changedRaw = true;
        s.m_raw = o.m_raw;
        if (s.m_idCode != o.m_idCode || s.m_idType != o.m_idType)
            s.m_changedId = true;
        s.m_idCode = o.m_idCode;
        s.m_idType = o.m_idType;
        if (s.m_calType != o.m_calType || !s.m_calib.IsSame(o.m_calib))
            s.m_changedCal = true;
        s.m_calType = o.m_calType;
        s.m_calib = o.m_calib;
        s.CopyExtras(o);
    }
}

void CxhwSensorV::GetRawValues(int raw[kCount]) const
{
    for (int i = 0; i < kCount; ++i)
        raw[i] = m_sensors[i].m_raw;
}

// A counting input adds up the converted counts of its readings since the
// last reset; any other input keeps its latest reading.
void CxhwSensorV::SetRawValues(const int raw[kCount])
{
    for (int i = 0; i < kCount; ++i) {
        CxhwSensor& s = m_sensors[i];
        const int r = raw[i];
        if (!s.IsCounter()) {
            if (s.m_raw != r)
                s.m_changedRaw = true;
            s.m_raw = r;
            continue;
        }
        if (r > 0xFFFF)
            continue;
        const float c = s.Convert(r);
        if (c == XHW_NO_VALUE || !std::isfinite(c))
            continue;
        // Kept inside int whatever the calibration's gain makes of a reading.
        const double rounded = std::floor(double(c) + 0.5);
        const int n = int(std::clamp(rounded, double(INT_MIN / 2), double(INT_MAX / 2)));
        if (s.m_raw >= 0x10000) {
            if (s.m_raw != n)
                s.m_changedRaw = true;
            s.m_raw = n;
        } else {
            if (n != 0)
                s.m_changedRaw = true;
            const long long sum = (long long)s.m_raw + n;
            s.m_raw = int(std::clamp(sum, (long long)INT_MIN / 2, (long long)INT_MAX / 2));
        }
    }
}

void CxhwSensorV::ResetCounters(int* raw)
{
    for (int i = 0; i < kCount; ++i) {
        CxhwSensor& s = m_sensors[i];
        if (!s.IsCounter())
            continue;
        if (s.m_raw != 0)
            s.m_changedRaw = true;
        s.m_raw = 0;
        if (raw)
            raw[i] = XHW_NO_READING;
    }
}
