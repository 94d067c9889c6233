#pragma once
#include "hardware/xhwSensor.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutRateTable.h"

#include <cstdint>
#include <wx/string.h>

// The published description of the connected logger: its identity, the six
// sensors, stamp, power, timing inputs and installation state, with the change
// marks of the last copy. Readers take whole copies and use them unlocked.
class CxutBoxPublicInfo
{
public:
    CxutBoxPublicInfo();

    double GetTimingResolution() const;
    double GetMinTimeStep() const;
    // An input holds a sensor when its IdCode is not 0 and it is enabled.
    bool HoldsSensor(int input) const;
    bool HasSensors() const;
    int CountTimingInputs() const;
    bool CanUseTimingInputs() const;
    bool IsTimingInput(int input, bool search) const;
    bool HasFeature5() const;
    bool HasScopeFeature() const;
    bool HasTriggerFeature() const;
    bool IsTriggerType10() const;
    int FindScopeInput(bool withChoices, int choice) const;
    int FindTriggerInput(bool withChoices, int choice) const;
    bool CanUseScope(bool withChoices, int choice) const;
    bool CanUseTrigger(bool withChoices, int choice) const;
    int GetScopeInputFast() const;
    int GetTriggerInputFast() const;
    bool IsOutputAvailable(int output) const;
    bool CheckCalibrations(bool& onlyFirstInput, bool allowChoices, int choice) const;
    void GetScopeRates(CxutRateTable& table) const;
    void GetFastRates(CxutRateTable& table, int input, const CxhwSenCalib* calib) const;

    CxutBoxInfo m_info;
    CxhwSensorV m_sensors;
    wxString m_boxStamp;
    int32_t m_boxPower = 0;
    int32_t m_boxTimingMask = 0;
    // Bit i: input i can serve as a timing input now.
    int32_t m_boxTimingIdentify = 0;
    double m_boxTimingTicksPerSecond = 0.0;
    CxhwSystemImage m_install;
    bool m_stampChanged = false;
    bool m_powerChanged = false;
};
