#pragma once
#include "hardware/xhwSenCalib.h"

#include <wx/string.h>

class CdocDoc;

// Log types of a set-up.
enum
{
    SETUP_LOG_PERIODIC = 0,
    SETUP_LOG_FAST_TRIGGER = 1,
    SETUP_LOG_PERIODIC_ADVANCED = 2,
    SETUP_LOG_TIMING = 3,
};

// The logging set-up: what the next start records and how. One per document,
// one in the options as the default of new documents. Still thin: the record,
// its defaults and the bars total; the rules of the setters, the timing
// geometry and texts and the trigger calibration choice are to come.
class CxhwSetup
{
public:
    CxhwSetup();
    CxhwSetup(const CxhwSetup&) = default;
    CxhwSetup& operator=(const CxhwSetup&) = default;
    virtual ~CxhwSetup() = default;

    void SetDefaults();
    // True when the fields a user sets are equal (not the trigger calibration).
    bool IsSame(const CxhwSetup& other) const;
    // Holds BarsTotal at Bars or more; with force it becomes Bars.
    void UpdateBarsTotal(bool force);

    // The records a run of this set-up's log type is prepared for, on the
    // document's logger.
    int GetReadingsLimit(const CdocDoc& doc) const;
    // The periods (seconds, largest first, -1 after the last) a run of the
    // log type may use on the document's logger; returns their count.
    static int GetPeriodList(double list[21], const CdocDoc& doc, int logType);
    static int FindNearest(const double* list, int count, double x);
    // The period of this set-up's list nearest x; -1 when the list is empty.
    double GetNearestPeriod(const CdocDoc& doc, double x) const;

    int m_setup;
    int m_readings;
    double m_period;
    int m_measurement;
    bool m_manualCalculation;
    int m_timingSensor;
    int m_bars;
    wxString m_barWidthS;
    wxString m_sensorGapS;
    wxString m_mass1S;
    wxString m_mass2S;
    wxString m_mass3S;
    float m_barWidth;
    float m_sensorGap;
    float m_mass1;
    float m_mass2;
    float m_mass3;
    int m_triggeredCalibIdx;
    CxhwSenCalib m_triggeredSenCalib;
    int m_triggerInput;
    bool m_triggerHasChoices;
    int m_barsTotal;
    wxString m_barsTotalS;
};
