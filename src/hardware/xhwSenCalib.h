#pragma once
#include <wx/string.h>

class CxutSmartSenDef;

// The float that marks a missing value everywhere in the program.
constexpr float XHW_NO_VALUE = -987654.0f;
// A raw reading that says the logger had no reading.
constexpr int XHW_NO_READING = 0x20000;

// One calibration of a sensor: names, ranges, gain and offset, the table or
// smart range it converts through, and what the sensor may be used for.
class CxhwSenCalib
{
public:
    CxhwSenCalib() = default;
    CxhwSenCalib(const CxhwSenCalib&) = default;
    CxhwSenCalib& operator=(const CxhwSenCalib&) = default;
    virtual ~CxhwSenCalib() = default;

    // Raw reading (0..0xFFFF, 0x20000 none) to value; no allocation, no lock.
    float Convert(int raw) const;
    bool IsSame(const CxhwSenCalib& other) const;
    void GetLabel(wxString& label, int code, bool withPrefix) const;

    int m_index = -1;
    int m_ident = 0;
    wxString m_name;
    wxString m_units;
    float m_calMax = 100.0f;
    float m_calMin = 0.0f;
    float m_defMax = 100.0f;
    float m_defMin = 0.0f;
    float m_nowMax = 100.0f;
    float m_nowMin = 0.0f;
    int m_places = 1;
    float m_gain = 1.0f;
    float m_offset = 0.0f;
    wxString m_icon;
    wxString m_table;
    int m_tableStart = -1;              // -1 none, 0 smart
    const CxutSmartSenDef* m_def = nullptr; // not owned: the database holds it
    wxString m_description;
    float m_resolution = 0.0f;
    float m_minRange = 0.0f;
    int m_threshold = 32768;
    int m_placesMin = 0;
    int m_placesMax = 5;
    int m_postProc = 0;
    int m_slowMs = 10;
    int m_triggerUs = 50;
    int m_scopeUs = 50;
    int m_fastDur = 0;
    int m_timingUs = 0;
    bool m_fRecommendSlow = true;
    bool m_fCanTriggered = true;
    bool m_fCanScope = true;
    bool m_fCanTiming = true;
    bool m_fCanPretrigger = false;
    bool m_fGreaterThan = true;
    bool m_fDigital = false;
    bool m_fDlgOnePoint = false;
    bool m_fDlgTwoPoint = true;
    bool m_fDlgInvert = true;
    bool m_fDlgPH = true;
    bool m_fDlgColorimeter = false;
    int m_measure = 0;
    bool m_fCanSlow = true;
    bool m_fIsCounter = false;
    bool m_fIsInteger = false;
    bool m_fIsControl = false;
};

// One unit conversion of the sensor database: value × factor + offset.
class CxhwSenConvert
{
public:
    virtual ~CxhwSenConvert() = default;

    wxString m_fromUnits;
    wxString m_toUnits;
    float m_factor = 1.0f;
    float m_offset = 0.0f;
    wxString m_description;
};
