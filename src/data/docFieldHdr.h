#pragma once
#include "data/docColour.h"
#include "data/docRoot.h"
#include "data/xhwMinMax.h"
#include "hardware/xhwSensor.h"

#include <wx/string.h>

// The kind of a channel (saved as "Content"). 4 and 6 are never used.
enum CdocFieldContent
{
    CONTENT_NONE = 0,
    CONTENT_READING = 1,
    CONTENT_ELAPSED_TIME = 2,
    CONTENT_SENSOR = 3,
    CONTENT_MANUAL = 5,
    CONTENT_STORED_SENSOR = 7,
    CONTENT_TIMING = 8,
    CONTENT_STORED_TIMING = 9,
    CONTENT_FORMULA = 10,
};

// The definition of one channel: its kind, names, colour, ranges, the logger
// input and sensor it comes from, and how readings are scaled, smoothed and
// fitted. The samples live in the derived CdocField, whose overrides of the
// virtual operations also set them.
class CdocFieldHdr : public CdocRoot
{
public:
    CdocFieldHdr();
    CdocFieldHdr(const CdocFieldHdr&) = default;
    CdocFieldHdr& operator=(const CdocFieldHdr&) = default;
    ~CdocFieldHdr() override {}

    // Set-up. Every Init starts from Clear through the virtual table.
    virtual void Clear();
    virtual void InitEmpty();
    virtual void InitReading(float calMax, float defMax, float nowMax);
    virtual void InitElapsedTime();
    virtual void InitSensorNone();
    virtual void InitSensor(int input, const CxhwSensor& sensor);
    virtual void InitSensorSpecial(int input, const CxhwSensor& sensor, int kind);
    virtual void InitManual();
    virtual void InitFormula();
    virtual void ClearProcessing();
    virtual void InitTiming(int result);
    virtual void RefreshSensor(int input, const CxhwSensor& sensor, bool special, bool keep);
    // Makes an elapsed-time channel a time axis in a suitable unit; returns
    // the interval in that unit.
    virtual double SetTimeAxis(double interval, double duration);

    bool IsSensorFor(int input, const CxhwSensor& sensor, int measurement) const;
    bool IsCounterSensor() const { return m_content == CONTENT_SENSOR && m_fieldSensor.IsCounter(); }

    // Texts. A negative places argument means the channel's own places.
    wxString GetLetter(int n) const;
    wxString GetTitle(int n) const;
    wxString GetListTitle() const;
    wxString GetSensorTitle() const;
    wxString GetNameWithUnits() const;
    wxString GetNameUnitsTwoLines() const;
    wxString GetUnitsOrName() const;
    wxString GetValueText(int places, float x) const;
    wxString GetPlainValueText(int places, float x) const;
    wxString GetOverText(int places) const;
    wxString GetUnderText(int places) const;
    wxString GetDisplayText(int places, float x) const;

    // Ranges.
    bool CheckRanges();
    bool IsWholeNumber() const;
    bool CheckZoomSpan();
    bool SetDefaultRange(bool setNow, float min, float max);
    bool IsSameDefinition(const CdocFieldHdr& other) const;
    bool ZoomToFraction(float a, float b);
    bool ResetZoom();

    int m_content = CONTENT_NONE;
    wxString m_name;
    wxString m_unit;
    wxString m_descript;
    CdocColour m_colour;
    int m_places = 1;
    int m_socket = 0;
    int m_hardware = 0;
    float m_firmware = 0.0f; // not saved
    CxhwSensor m_fieldSensor;
    int m_ident = 0;
    int m_type = 0;
    CxhwMinMax m_cal{DOC_NO_VALUE, DOC_NO_VALUE};
    CxhwMinMax m_def{100.0f, 0.0f};
    CxhwMinMax m_now{100.0f, 0.0f};
    bool m_fieldEnable = true;
    bool m_show = true;
    float m_gain = 1.0f;
    float m_offset = 0.0f;
    int m_smoothTimes = 0;
    int m_smoothEpsilon = 0;
    int m_smoothEpsilonWas = 0;
    wxString m_manualS;            // "MANUALS": the manual value as typed
    float m_manual = DOC_NO_VALUE; // "MANUAL"
    bool m_manualLogOverNull = false;
    int m_measurement = 0;
    float m_fitM = 1.0f;
    float m_fitC = 0.0f;
    wxString m_fitLabel;

private:
    bool TakesWholeNumberRanges() const;
    wxString GetDefaultDescript(int input) const;
};

// Name of a time unit (1 days ... 6 microseconds); empty for any other unit.
wxString docGetTimeUnitName(int unit, bool plural);
// A duration in its largest fitting unit, for information texts.
wxString docFormatDuration(float seconds);
