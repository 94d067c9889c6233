#pragma once
#include "data/docRoot.h"
#include "protocol/xutRateTable.h"
#include "transport/zxStopWatch.h"

#include <wx/string.h>

class CxhwSensor;
class CxhwSenCalib;

// Start-routine results of an oscilloscope run beside the document's own.
enum
{
    DOC_RESULT_SCALE_RANGE = 7,  // a range change is needed, asking not allowed
    DOC_RESULT_SCALE_UNITS = 8,  // a range and units change is needed, the same
    DOC_RESULT_NO_SENSOR = 9,    // no input can feed the oscilloscope
};

// The document part behind the oscilloscope activity: the timebase and gain
// settings, the trace being captured and converted, what the view still has
// to draw, and the storing of a trace as the document's data.
class CdocScope : public CdocRoot
{
public:
    static constexpr int kMaxSamples = 1001;
    static constexpr int kGains = 12;

    CdocScope();
    ~CdocScope() override;
    CdocScope(const CdocScope&) = delete;
    CdocScope& operator=(const CdocScope&) = delete;

    // Inputs and units.
    int GetInput() const;
    const CxhwSensor& GetInputInfo() const;
    int GetSecondInput() const;
    int GetInputCount() const { return GetSecondInput() >= 0 ? 2 : 1; }
    const CxhwSensor& GetSecondInfo() const;
    wxString GetUnits() const;
    wxString GetSecondUnits() const;
    wxString GetUnitText() const;
    wxString GetSecondUnitText() const;
    float GetVoltsFactor() const;
    float GetSecondVoltsFactor() const;
    // The value drawn on the centre line, and the default range's minimum.
    void GetInputMid(float& mid, float& defMin) const;
    void GetSecondInputMid(float& mid, float& defMin) const;
    void GetCalRange(float& max, float& min) const;
    void GetDefRange(float& max, float& min) const;
    void GetSecondCalRange(float& max, float& min) const;
    void GetSecondDefRange(float& max, float& min) const;

    // Timebases and gains.
    void KeepTimebase();
    const CxutRate& EnsureTimebase(int index);
    int GetTimebaseCount();
    int GetTimebasePoints(int index) { return EnsureTimebase(index).m_points; }
    int GetTimebaseSamples(int index) { return EnsureTimebase(index).m_readings; }
    double GetTimebasePeriod(int index) { return EnsureTimebase(index).m_period; }
    double GetTimebasePeriodSeconds(int index) { return GetTimebasePeriod(index) / 1000000.0; }
    double GetTimebaseDivision(int index);
    double GetTimebaseDivisionMs(int index) { return GetTimebaseDivision(index) / 1000.0; }
    double GetTimebaseSweepMs(int index);
    wxString GetTimebaseText(int index, bool shortForm);
    static float GetGainValue(int index);
    wxString GetGainText(int index, bool shortForm) const;
    void GetDefaultGain(int& index, float& multiplier) const;
    void UpdateDefaultGain();
    wxString GetSettingsText();

    // The view's setting commands.
    void SetTimebase(int index);
    void SetGainbase(int index);
    void SetSensorRange(int choice);

    // The view's axis menus: X lists the timebases; Y the gains and, with
    // two or more, the scope sensor's ranges.
    int GetXModeCount() const { return 1; }
    wxString GetTimebaseItemText(int index) { return GetTimebaseText(index, false); }
    int GetYModeCount() const;
    int GetYItemCount(int mode) const;
    wxString GetYItemText(int mode, int index) const;
    void OnRangeChoice(int mode, int index);

    // The run: start routines (the document's result codes), the tick and
    // its steps, and storing a trace.
    int StartNew();
    int StartOverlaid();
    int StartReplacing();
    int StartContinue();
    int ResetRun();
    int CheckScopeInput(bool ask);
    int AdjustScopeSensor(int input, bool units, bool ask);
    void Tick();
    void TakeSamples(int& waiting);
    void ConvertNew();
    int Store();
    void StoreTrace();
    void ResetCapture();
    void RestartTrace();
    bool TickTriggerIndicator();
    bool CheckTraceTimeOut();
    void RedrawAll();

    // Kept in the data file's "Scope" section.
    int m_timebase = 0;
    int m_gainbase = 5;
    int m_gainbaseDef = 5;
    bool m_reset = false;
    float m_multiplier = 1.0f;
    bool m_triggerIndicator = false;
    bool m_triggered = false;
    int m_timeOut = 0;
    int m_triggerTimeOut = 0;
    int m_logNext = 0;
    int m_dataNext = 0;
    int m_drawStart = 0;
    int m_drawNext = 0;
    bool m_drawClear = false;
    bool m_drawTrigger = false;
    bool m_storeRequested = false;
    bool m_enableStore = false;

    // Not saved.
    bool m_redrawPending = false;
    int m_traceSamples = 0;
    CzxStopWatch m_convertWatch;
    CzxStopWatch m_traceWatch;
    int m_rawSamples[2 * kMaxSamples] = {};
    float m_inputValues[kMaxSamples] = {};
    float m_secondValues[kMaxSamples] = {};
    float m_storeValues[kMaxSamples] = {};
    float m_storeSecondValues[kMaxSamples] = {};
    CxutRateTable m_timebaseList;

    // The pacing's clock in microseconds since the last trace or capture
    // reset; a test may give its own.
    long long ConvertMicros() const;
    long long (*m_convertClock)(const CdocScope&) = nullptr;

private:
    const CxhwSenCalib& Calib(int input) const;
    void EnsureList();
    // S of the selected timebase, within the trace buffers.
    int SelectedSamples();
    // Whether the pacing lets the trace's new samples be converted now.
    bool ConvertDue();
    // The gain and timebase kept and the store made ready for a trace of the
    // selected timebase; false when it cannot be.
    bool PrepareTraceStore();
    // Lines only, no best fit, on the run's axes.
    void UseLineGraph();
    // The synchronised channels coloured and read afresh, the axes completed
    // for the stored traces, and the start.
    int StartOnStoredTraces();
    int StartChecked();
};
