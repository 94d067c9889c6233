#pragma once
#include "hardware/xhwSenCalibChoice.h"

#include <wx/string.h>

class CxhwSenCalib;
class CxhwSensor;
class CxutBoxInfo;

// The calibrations, types and ranges one sensor offers on the connected
// logger, built on demand and thrown away after use. A CxutBoxPublicInfo
// caller passes its m_info as the logger.
class CxhwSenCalibChoiceV
{
public:
    static constexpr int kMaxChoices = 20;

    CxhwSenCalibChoiceV() = default;
    virtual ~CxhwSenCalibChoiceV() = default;

    int GetCount() const { return m_count; }
    const CxhwSenCalibChoice& operator[](int i) const { return m_choices[i]; }

    void Build(const CxutBoxInfo& logger, const CxhwSensor& sensor, bool alternatives,
               bool code1Allowed, bool any, double code1Parameter, bool trigger, bool scope);
    void BuildTiming(const CxutBoxInfo& logger, const CxhwSensor& sensor);
    void Add(const CxutBoxInfo& logger, int code, int ident, const wxString& label, int skip,
             bool any, bool trigger, bool scope, bool timing);

    bool IsSelected(const CxhwSensor& sensor, int i) const;
    int FindCurrent(const CxhwSensor& sensor) const;
    int FindBest(const CxhwSensor& sensor, bool fallBack) const;
    int FindBestAny(const CxhwSensor& sensor, bool fallBack) const;
    int FindBestTrigScope(const CxhwSensor& sensor, bool fallBack, bool scope) const;
    int FindBestTiming(const CxutBoxInfo& logger, const CxhwSensor& sensor, bool fallBack) const;

private:
    // The shared search: the current entry when the sensor already passes
    // (ownPasses), else the passing entry nearest the sensor's default range
    // among those in the sensor's units, else with fallBack the first passing.
    template <typename Test>
    int FindNearest(const CxhwSensor& sensor, bool ownPasses, bool fallBack, Test passes) const;

    int m_count = 0;
    CxhwSenCalibChoice m_choices[kMaxChoices];
};
