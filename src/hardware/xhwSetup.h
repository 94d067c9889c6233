#pragma once
#include "hardware/xhwSenCalib.h"
#include "hardware/xhwSetupChoices.h"

#include <wx/string.h>

class CdocDoc;
class CxhwSensor;

// Log types of a set-up.
enum
{
    SETUP_LOG_PERIODIC = 0,
    SETUP_LOG_FAST_TRIGGER = 1,
    SETUP_LOG_PERIODIC_ADVANCED = 2,
    SETUP_LOG_TIMING = 3,
};

// What a timing run measures.
enum
{
    MEASUREMENT_TIME_DIFFERENCE = 1,
    MEASUREMENT_SPEED = 2,
    MEASUREMENT_VELOCITY = 3,
    MEASUREMENT_ACCELERATION = 4,
    MEASUREMENT_KINETIC_ENERGY = 5,
    MEASUREMENT_MOMENTUM = 6,
    MEASUREMENT_SHM_PERIOD = 7,
};

// How a timing run uses its gates.
enum
{
    TIMING_SENSOR_ANY = 0,
    TIMING_SENSOR_EACH = 1,
    TIMING_SENSOR_FROM_TO = 2,
};

// The logging set-up: what the next start records and how. One per document,
// one in the options as the default of new documents. The setters keep the
// fields consistent; plain assignment (file reading, copies) does not.
class CxhwSetup
{
public:
    // Room a period list needs: 20 periods and the end mark.
    static constexpr int kPeriodListSize = 21;

    CxhwSetup();
    CxhwSetup(const CxhwSetup&) = default;
    CxhwSetup& operator=(const CxhwSetup&) = default;
    virtual ~CxhwSetup() = default;

    // Every field but the trigger calibration and its choices.
    void SetDefaults();
    // True when the fields a user sets are equal (not the trigger calibration).
    bool IsSame(const CxhwSetup& other) const;

    // Timing fields.
    void SetMeasurement(const CdocDoc& doc, int measurement);
    void SetBars(const CdocDoc& doc, int bars);
    void SetManualCalculation(const CdocDoc& doc, bool on);
    void SetTimingSensor(const CdocDoc& doc, int sensor);
    // Holds BarsTotal at Bars or more; with force it becomes Bars.
    void UpdateBarsTotal(bool force);
    void SetBarsTotalText(const wxString& text);
    float GetMass(int i) const;
    void GetTimingGeometry(int& detectEvents, bool& detectSingleSensor, bool& detectLeading,
                           float& distance) const;
    // Whether one more measurement fits between the bar at position (0 the
    // first of a pass) and the end of the pass; needed gets the bars it takes.
    bool HasEventsFor(int& needed, int position, bool singleSensor, bool leading) const;
    void GetMeasurementText(wxString& text) const;
    void GetMeasurementTexts(wxString& heading, wxString& timing, wxString& distance, wxString& perPass,
                             wxString& extra) const;

    // The trigger sensor's calibration for a fast run. option: the logger is
    // box type 7 with its option flag (xhwHasMivaOption).
    bool UpdateTriggeredCalib(const CdocDoc& doc, bool option);
    bool SelectTriggeredCalib(const CdocDoc& doc, bool option, int index);
    void RefreshTriggeredCalib(const CdocDoc& doc);
    bool RefreshTriggerHasChoices(const CdocDoc& doc);
    int ChooseTriggeredCalib(const CdocDoc& doc, int index);
    int GetTriggerChoiceCount() const { return m_triggerChoices.GetCount(); }
    int GetTriggeredCalibIdx() const { return m_triggeredCalibIdx; }
    wxString GetTriggerChoiceLabel(int i) const;

    // The records a run of this set-up's log type is prepared for, on the
    // document's logger.
    int GetReadingsLimit(const CdocDoc& doc) const;
    // The periods (seconds, largest first, -1 after the last) a run of the
    // log type may use on the document's logger; returns their count. For a
    // fast run the trigger calibration is brought up to date first.
    int GetPeriodList(double* list, const CdocDoc& doc, int logType);
    int GetPeriodChoices(const CdocDoc& doc, double* list);
    // Index of the entry nearest x; of equal distances the first.
    static int FindNearest(const double* list, int count, double x);
    // The period of this set-up's list nearest x; -1 when the list is empty.
    double GetNearestPeriod(const CdocDoc& doc, double x);
    void SetLogType(const CdocDoc& doc, int type);
    void SetReadings(const CdocDoc& doc, int readings);
    // Brings the set-up within what the user level allows.
    void AdjustToLogger(const CdocDoc& doc);
    bool IsLogTypeSupported(const CdocDoc& doc) const;
    // Whether a sensor needs (apply false) or got (apply true) another
    // calibration for this set-up.
    bool CheckSensorScales(CdocDoc& doc, bool option, bool apply);
    bool CheckTriggerScale(const CdocDoc& doc, int input, const CxhwSensor& sensor, bool option, bool apply);
    bool CheckSensorScale(const CdocDoc& doc, int input, const CxhwSensor& sensor, bool option, bool apply);
    // The period and the duration of a run of that many readings, laid out
    // by style (0 to 10).
    static void FormatPeriodAndDuration(wxString& text, int readings, int style, double period);

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
    CxhwSetupChoices m_triggerChoices;
    int m_barsTotal;
    wxString m_barsTotalS;

private:
    // Finds the trigger input and rebuilds its choices; the sensor's own
    // choice, or -1 when there is no trigger input (TriggeredCalibIdx -1).
    int BuildTriggerChoices(const CdocDoc& doc, bool option);
    void SetTriggerHasChoices(const CdocDoc& doc);
    // How many bars one measurement takes, for the explanation texts.
    int GetBarsPerMeasurement() const;
    // 0 between two gates, 1 leading edge to leading edge, 2 leading to trailing.
    int GetTimingMode() const;
    void SetSensorCalibration(int input, const CxhwSetupChoices::Choice& choice) const;
};

// The document's logger is box type 7 with its option flag set.
bool xhwHasMivaOption(const CdocDoc& doc);
bool xhwLacksMivaOption(const CdocDoc& doc);
