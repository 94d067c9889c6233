#include "protocol/xutBoxPublicInfo.h"

#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwSenCalibChoiceV.h"

namespace {

bool IsCommandType(int type)
{
    return type >= BOX_TYPE_KESTILON && type <= BOX_TYPE_TUNDRANE2_BOOT;
}

// The fixed periods in microseconds of the loggers without a table of their own.
void FixedRates(CxutRateTable& table, int32_t readings)
{
    static const int32_t kPeriods[] = {50, 100, 200, 500, 1000, 2000, 5000, 10000};
    for (int i = 0; i < CxutRateTable::kRows; ++i) {
        table.m_rows[i].m_readings = readings;
        table.m_rows[i].m_points = readings;
    }
    for (int i = 0; i < 8; ++i)
        table.m_rows[i].m_period = kPeriods[i];
    table.m_count = 8;
    table.m_default = 1;
}

} // namespace

CxutBoxPublicInfo::CxutBoxPublicInfo() = default;

double CxutBoxPublicInfo::GetTimingResolution() const
{
    const int type = m_info.m_hardware;
    if (type == BOX_TYPE_TUNDRANE2 || type == BOX_TYPE_TUNDRANE2_BOOT)
        return 0.001;
    if ((type == BOX_TYPE_KESTILON || type == BOX_TYPE_KESTILON_BOOT) && m_info.m_comIsPortUsb
        && xhwFirmwareHundredths(m_info.m_firmware) > 102)
        return 0.001;
    return 0.01;
}

double CxutBoxPublicInfo::GetMinTimeStep() const
{
    return m_info.m_hardware == BOX_TYPE_MIVA ? 0.01 : 0.05;
}

bool CxutBoxPublicInfo::HoldsSensor(int input) const
{
    if (input < 0 || input >= CxhwSensorV::kCount)
        return false;
    const CxhwSensor& sensor = m_sensors[input];
    return sensor.m_idCode != 0 && sensor.m_enable;
}

bool CxutBoxPublicInfo::HasSensors() const
{
    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        if (HoldsSensor(i))
            return true;
    return false;
}

int CxutBoxPublicInfo::CountTimingInputs() const
{
    int count = 0;
    const int inputs = m_info.m_maxSensors < 31 ? m_info.m_maxSensors : 31;
    for (int i = 0; i < inputs; ++i)
        if (m_boxTimingIdentify & (1 << i))
            ++count;
    return count;
}

bool CxutBoxPublicInfo::CanUseTimingInputs() const
{
    return CountTimingInputs() > 0 && xutHasFeature(6, m_info);
}

bool CxutBoxPublicInfo::IsTimingInput(int input, bool search) const
{
    const int last = search ? CxhwSensorV::kCount - 1 : input;
    for (int i = input < 0 ? 0 : input; i <= last && i < CxhwSensorV::kCount; ++i) {
        if (m_info.m_hardware == BOX_TYPE_SIMULATED) {
            if (m_boxTimingIdentify & (1 << i))
                return true;
        } else if (HoldsSensor(i) && m_sensors[i].CanTime(m_info, false)) {
            return true;
        }
    }
    return false;
}

bool CxutBoxPublicInfo::HasFeature5() const
{
    return xutHasFeature(5, m_info);
}

bool CxutBoxPublicInfo::HasScopeFeature() const
{
    return xutHasFeature(22, m_info);
}

bool CxutBoxPublicInfo::HasTriggerFeature() const
{
    return xutHasFeature(23, m_info);
}

bool CxutBoxPublicInfo::IsTriggerType10() const
{
    return HasTriggerFeature()
           && (m_info.m_hardware == BOX_TYPE_KESTILON || m_info.m_hardware == BOX_TYPE_KESTILON_BOOT);
}

int CxutBoxPublicInfo::FindScopeInput(bool withChoices, int choice) const
{
    if (IsCommandType(m_info.m_hardware))
        return HoldsSensor(0) ? 0 : -1;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        if (!HoldsSensor(i))
            continue;
        if (m_info.m_hardware == BOX_TYPE_SIMULATED || m_sensors[i].CanScope())
            return i;
        if (withChoices && m_sensors[i].GetCalibChoice(nullptr, m_info, choice != 0, true))
            return i;
    }
    return -1;
}

int CxutBoxPublicInfo::FindTriggerInput(bool withChoices, int choice) const
{
    if (IsCommandType(m_info.m_hardware))
        return HoldsSensor(0) ? 0 : -1;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        if (!HoldsSensor(i))
            continue;
        if (m_info.m_hardware == BOX_TYPE_SIMULATED || m_sensors[i].CanTrigger())
            return i;
        if (withChoices && m_sensors[i].GetCalibChoice(nullptr, m_info, choice != 0, false))
            return i;
    }
    return -1;
}

bool CxutBoxPublicInfo::CanUseScope(bool withChoices, int choice) const
{
    return HasScopeFeature() && FindScopeInput(withChoices, choice) >= 0;
}

bool CxutBoxPublicInfo::CanUseTrigger(bool withChoices, int choice) const
{
    return HasTriggerFeature() && FindTriggerInput(withChoices, choice) >= 0;
}

int CxutBoxPublicInfo::GetScopeInputFast() const
{
    return IsCommandType(m_info.m_hardware) && HoldsSensor(1) ? 1 : -1;
}

int CxutBoxPublicInfo::GetTriggerInputFast() const
{
    return IsCommandType(m_info.m_hardware) && HoldsSensor(1) ? 1 : -1;
}

bool CxutBoxPublicInfo::IsOutputAvailable(int output) const
{
    if (output < 0 || output >= 6)
        return false;
    if (output <= 3 && m_info.m_varnok)
        return true;
    if (output == 3 && xutHasFeature(13, m_info))
        return true;
    return m_sensors[output].m_idCode == 136 && m_sensors[output].m_enable;
}

bool CxutBoxPublicInfo::CheckCalibrations(bool& onlyFirstInput, bool allowChoices,
                                          int choice) const
{
    bool result = true;
    if (m_info.m_varnok && !xutHasFeature(11, m_info))
        result = false;
    if (!xutHasFeature(10, m_info))
        result = false;
    int count = 0;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        if (!HoldsSensor(i))
            continue;
        ++count;
        if (m_info.m_hardware == BOX_TYPE_SIMULATED || m_sensors[i].IsCalTypeNative())
            continue;
        if (!allowChoices) {
            result = false;
            continue;
        }
        CxhwSenCalibChoiceV choices;
        choices.Build(m_info, m_sensors[i], true, true, true, 0.0, false, false);
        if (choices.FindBest(m_sensors[i], choice != 0) < 0)
            result = false;
    }
    onlyFirstInput = HoldsSensor(0) && count == 1;
    return result;
}

void CxutBoxPublicInfo::GetScopeRates(CxutRateTable& table) const
{
    const int type = m_info.m_hardware;
    if (IsCommandType(type)) {
        xhwKestilonGetScopeRates(*this, table);
    } else if (type == BOX_TYPE_MIVA) {
        const int input = FindScopeInput(false, 0);
        if (input >= 0)
            xutBuildRateTable(table, m_sensors[input].m_calib.m_scopeUs, 32767, 100, 1000, 100,
                              5000000);
    } else if (xhwIsSerialFamily(type) || type == BOX_TYPE_SIMULATED) {
        FixedRates(table, 101);
    }
}

void CxutBoxPublicInfo::GetFastRates(CxutRateTable& table, int input,
                                     const CxhwSenCalib* calib) const
{
    const int type = m_info.m_hardware;
    if (IsCommandType(type)) {
        xhwKestilonGetFastRates(*this, table);
    } else if (type == BOX_TYPE_MIVA) {
        int32_t minPeriod = 50;
        if (calib) {
            minPeriod = calib->m_triggerUs;
        } else {
            int found = input;
            if (found < 0)
                found = FindTriggerInput(false, 0);
            if (found < 0)
                found = FindTriggerInput(true, 0);
            if (found < 0)
                found = FindTriggerInput(true, 1);
            if (found >= 0 && found < CxhwSensorV::kCount)
                minPeriod = m_sensors[found].m_calib.m_triggerUs;
        }
        xutBuildRateTable(table, minPeriod, 32767, 1000, 1000, 100, 5000000);
    } else if (xhwIsSerialFamily(type)) {
        FixedRates(table, xutGetDefaultRateCode(type));
    }
}
