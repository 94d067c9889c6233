#pragma once
#include "data/docFieldHdr.h"

#include <cstdint>

// Samples per channel: record indices 0 to 20000.
constexpr int DOC_MAX_SAMPLES = 20001;

// One channel of a document: its definition, its unique key, its current
// value and its samples. The sample arrays live inside the object, so that a
// channel is one allocation, made once and reused.
class CdocField : public CdocFieldHdr
{
public:
    CdocField();
    ~CdocField() override {}
    // A channel is copied only through CopyTo and CopyForDuplicate.
    CdocField(const CdocField&) = delete;
    CdocField& operator=(const CdocField&) = delete;

    void Clear() override;
    void InitEmpty() override;
    void InitReading(float calMax, float defMax, float nowMax) override;
    void InitElapsedTime() override;
    void InitSensorNone() override;
    void InitSensor(int input, const CxhwSensor& sensor) override;
    void InitSensorSpecial(int input, const CxhwSensor& sensor, int kind) override;
    void InitManual() override;
    void InitFormula() override;
    void ClearProcessing() override;
    void InitTiming(int result) override;
    void RefreshSensor(int input, const CxhwSensor& sensor, bool special, bool keep) override;
    double SetTimeAxis(double interval, double duration) override;

    int UpdateDataRange();
    void FillAllSamples(float x);
    bool HasData() const;
    void CopyTo(CdocField& dest) const;
    void CopyForDuplicate(CdocField& dest) const;

    // Axis ranges, sample upkeep and places.
    bool ZoomToData();
    bool StepZoomToData();
    bool GrowRangeToSample(int i);
    void ClearSamples();
    void EraseSamples();
    void ClearRunSamples();
    void ClearUnusedSamples();
    void SetSample(int i, float x);
    void FitPlacesToInterval();
    void FitPlacesToData();
    float GetCurrentText(wxString& text) const;
    int AssignNewKey();

    // The document's record count, within 0..20001 whatever the store holds.
    int GetRecordCount() const;

    // Statistics, best straight line, gradient and area over the first n
    // records (n is clamped to the samples). FitStraightLine answers whether a
    // line was fitted; without one it leaves slope 1, intercept 0, no label.
    void GetStatistics(int n, float* min, float* max, float* sum, float* sumSquares, int32_t* count) const;
    bool FitStraightLine(int n, const CdocField* x);
    float GetGradientAt(const CdocField* x, int i, int n) const;
    float GetArea(const CdocField* x, int a, int b, int n, CdocField* out) const;

    // Smoothing, rescaling and halving the time resolution.
    void SmoothPass();
    void SmoothMovingAverage(int w);
    void SaveUnprocessed();
    void RestoreUnprocessed();
    void ApplyGainOffset(const wxString* name, const wxString* units, float g, float o);
    void HalveSamples(int n);

    // Appends the channel's lines of the document's information text.
    wxString& GetInfoText(wxString& text, int n, int letterNumber) const;

    int m_key = 0;
    int m_counter = 0x20000;
    float m_current = 0.0f;
    float m_samples[DOC_MAX_SAMPLES];
    float m_unsmoothed[DOC_MAX_SAMPLES];
    CxhwMinMax m_dataRange{DOC_NO_VALUE, DOC_NO_VALUE};
    // Set by the formula set before it reads them.
    float m_running = DOC_NO_VALUE;
    float m_runningPrevious = DOC_NO_VALUE;

private:
    void ClearSampleData();
    void CopySamplesTo(CdocField& dest) const;
    // Data range over the records; the given limits when no record holds a value.
    void RescanDataRange(float emptyMax, float emptyMin);
};

// The program-wide counter of channel keys: starts at 1, never gives 0, never
// resets while the program runs.
int docTakeFieldKey();
// The key that the counter gives next.
int docPeekFieldKey();
// Sets what the counter gives next (0 is taken as 1).
void docSetFieldKeyCounter(int next);
// The shift of decimal places that suits values scaled by a step (gain).
int32_t docGetPlacesForStep(float step);
