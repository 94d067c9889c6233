#pragma once
#include "hardware/xhwSenCalib.h"

#include <wx/string.h>

class CxhwSenCalibChoice;
class CxhwSenCalibChoiceV;
class CxutBoxInfo;

// What is plugged into one logger input: the identity the logger reports,
// the calibration in use, the latest raw reading, what changed since the
// last look, and the user's own choices.
class CxhwSensor
{
public:
    CxhwSensor() = default;
    CxhwSensor(const CxhwSensor&) = default;
    CxhwSensor& operator=(const CxhwSensor&) = default;

    void Assign(const CxhwSensor& other) { *this = other; }

    bool UseDefaultCalibration();
    float Convert(int raw) const { return m_calib.Convert(raw); }
    bool IsSame(const CxhwSensor& other) const;
    // Takes another record's IdCode and IdType; a changed pair switches the
    // input on and gives it the database's calibration.
    void UpdateId(const CxhwSensor& other);
    void ApplyUserEnable(const CxhwSensor& other);

    bool IsSmart() const { return m_calib.m_index >= 256; }
    bool IsEmpty() const { return m_calib.m_ident == 0; }
    bool IsIdent136() const { return m_calib.m_ident == 136; }
    bool IsBlank() const;
    bool IsCounter() const;
    bool IsInteger() const;
    bool IsControl() const;
    bool IsCalTypeNative() const;
    bool IsCodeNative(int code) const;
    bool CanTrigger() const;
    bool CanTriggerWith(const CxhwSenCalib& calib, int code) const;
    bool CanScope() const;
    bool CanScopeWith(const CxhwSenCalib& calib, int code) const;
    // The timing rules need the logger's firmware features.
    bool CanTimeNow(const CxutBoxInfo& logger) const;
    bool CanTimeWith(const CxutBoxInfo& logger, const CxhwSenCalib& calib, int code) const;
    bool CanTime(const CxutBoxInfo& logger, bool fallBack) const;
    bool HasNoType() const;

    // The sensor's calibration choices on a logger, for triggered fast
    // logging (scope false) or the oscilloscope; the list stays filled.
    int FindCalibChoice(CxhwSenCalibChoiceV& list, const CxutBoxInfo& logger, bool fallBack,
                        bool scope) const;
    // The same on a list of its own; the entry found is copied into choice
    // when one is given.
    bool GetCalibChoice(CxhwSenCalibChoice* choice, const CxutBoxInfo& logger, bool fallBack,
                        bool scope) const;
    int FindTimingChoice(CxhwSenCalibChoiceV& list, const CxutBoxInfo& logger,
                         bool fallBack) const;
    bool GetTimingChoice(CxhwSenCalibChoice* choice, const CxutBoxInfo& logger,
                         bool fallBack) const;
    // Whether the present calibration suits a fast (or an ordinary) run, and
    // the choice that does.
    bool SuitsRate(const CxutBoxInfo& logger, bool fast) const;
    bool GetRateCalibChoice(CxhwSenCalibChoice* choice, const CxutBoxInfo& logger, bool fallBack,
                            bool fast) const;
    bool HasNoId() const { return m_idCode == 0; }
    bool IsIdCode136() const { return m_idCode == 136; }

    bool m_enable = true;
    int m_idCode = 0;
    int m_idType = 0;
    int m_calType = 0;
    CxhwSenCalib m_calib;
    int m_raw = 0;
    bool m_triggerAndScope = true;
    bool m_changedId = true;
    bool m_changedCal = true;
    bool m_changedEnable = true;
    bool m_changedRaw = true;
    bool m_userCal = false;
    bool m_userEnable = false;
    wxString m_sensorName;
    int m_sensorVersion = 0;
    int m_product = -1;
    int m_brand = -1;
    int m_lang = 0;
    int m_ledMain = 0;
    int m_warmUp = 0;
    int m_sensorCurrent = 0;
    bool m_sensorTiming = false;
    int m_led = 0;
    bool m_optional = false;
    bool m_initiallyDisabled = false;
    bool m_initiallyInvisible = false;
    wxString m_tpName;
    wxString m_tpIcon;

private:
    bool CanTimeType(const CxutBoxInfo& logger, int type) const;
    void CopyExtras(const CxhwSensor& other);
    bool SameExtras(const CxhwSensor& other) const;
    friend class CxhwSensorV;
};

// The six sensor records of a logger, index = input.
class CxhwSensorV
{
public:
    static constexpr int kCount = 6;

    CxhwSensor& operator[](int i) { return m_sensors[i]; }
    const CxhwSensor& operator[](int i) const { return m_sensors[i]; }

    void UpdateIds(const CxhwSensorV& ids);
    void AssignAll();
    void ApplyUserCalibrations(const CxhwSensorV& other);
    void ApplyUserEnables(const CxhwSensorV& other);
    void CopyIdentities(const CxhwSensorV& other);
    void CopyAll(const CxhwSensorV& other);
    void GetRawValues(int raw[kCount]) const;
    void SetRawValues(const int raw[kCount]);
    void ResetCounters(int* raw = nullptr);

    CxhwSensor m_sensors[kCount];
};
