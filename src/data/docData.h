#pragma once
#include "data/docField.h"
#include "data/docFieldV.h"
#include "data/docRoot.h"

#include <array>
#include <cstdint>
#include <wx/datetime.h>

class CxhwSensor;
class CxutFetchHeader;

// Where the data of a store came from.
enum
{
    DATA_SOURCE_NONE = 0,
    DATA_SOURCE_SIMULATOR = 1,
    DATA_SOURCE_FILE = 2,
    DATA_SOURCE_FETCHED = 3,
    DATA_SOURCE_LIVE = 4,
    DATA_SOURCE_IMPORTED = 5,
};

// Raw values per reading, one per logger input.
constexpr int DOC_RAW_VALUES = 6;

// What a new channel computed from one or two channels holds.
enum
{
    FUNCTION_DUPLICATE = 0,
    FUNCTION_FIT = 1,
    FUNCTION_GRADIENT = 2,
    FUNCTION_AREA = 3,
    FUNCTION_DIFFERENCE = 4,
    FUNCTION_PRODUCT = 5,
};

// The data store of one experiment: the channels with their samples, the
// record count and marks, the interval, the bookkeeping of the logging step,
// the start time and date and a recording location.
class CdocData : public CdocRoot
{
public:
    CdocData();
    ~CdocData() override;
    CdocData(const CdocData&) = delete;
    CdocData& operator=(const CdocData&) = delete;

    void Clear();
    void UpdateLogSkip();
    void SetRecords(int n);
    bool HasMarks() const;
    void PostChange(int id, int a, int b);

    // The logging step. Both answer false when the record could not be
    // stored because LogNext lies outside the 20001 samples of a channel.
    void InitCurrentValues();
    bool SetCurrentValues(const int raw[DOC_RAW_VALUES], bool store, bool restartCounters);
    bool StoreCurrentValues();

    // Channel set-up.
    bool AddFields(int n);
    bool AddReadingField(bool reinitialise, bool shortRange);
    bool AddTimeField(bool reinitialise, bool shortAxis);
    bool SyncSensorFields(bool force, bool presentOnly, int socketA, int socketB);
    bool MatchSensorFields(bool force, bool presentOnly, const CxhwSensor* sensors, int count, int socketA,
                           int socketB);
    void SyncSensorFieldsAndClear(int socketA, int socketB);
    void MatchSensorFieldsAndClear(const CxhwSensor* sensors, int count, int socketA, int socketB);
    bool CanKeepSensorData() const;
    bool KeepSensorData();
    bool SortFields();
    bool AddManualField(CdocFieldKey* out);
    bool AddFormulaField(CdocFieldKey* out);
    bool NewManualField(CdocFieldKey* out);
    bool NewFormulaField(CdocFieldKey* out, bool lastStep);
    void RemoveField(CdocFieldKey key);
    // The "Delete Channel" command: no table message; recalculates the
    // formulas when one of them read the channel.
    bool DeleteField(CdocFieldKey key);
    void RemoveReadingField();
    void RemoveTimeField();
    void RemoveFieldsOfContent(int content);
    void RemoveDerivedFields();
    void RemoveAllFields();

    // Gives the channels without a colour their drawing colours by the
    // document's scheme (1 high contrast, else standard); the first
    // reading-number and elapsed-time channels are always black.
    void AssignColours();
    void AssignStandardColours();
    void AssignHighContrastColours();
    // Scheme 0 standard, 1 high contrast: every channel coloured afresh.
    void SetColourScheme(int scheme);
    // The first colour of a list (palette entries) that no channel has,
    // passing over logger input colours when asked while another is free;
    // the null colour when every one is taken.
    CdocColour PickFreeColour(const int* list, bool avoid) const;
    // Whether a logger of type 6 or 7 shows this colour on one of its inputs.
    bool IsLoggerInputColour(const CdocColour& colour) const;

    // The start moment of the stored data. SetStartNow stamps it from the
    // clock only while no reading is stored.
    void SetStartNow();
    void UpdateStartDateTime();
    void SetStartTimeText(const wxString& text);
    void SetStartDateText(const wxString& text);
    // A start read from a logger: kept only with a date from 2006 on, so that
    // a logger whose clock was never set leaves the start as it was.
    void SetStartDateTime(int date, int time);
    // The start as date with weekday and time, for the graph's caption.
    wxString GetStartText() const;
    // The time and date texts of the moment the whole seconds given after
    // the start; empty when the start moment or the seconds are unknown.
    void GetSampleTimeTexts(float seconds, wxString& time, wxString& date) const;

    // A fetch of a logger's stored file: the store emptied for it, set up
    // from the file's header, and one reading of six values in the sensors'
    // own units stored. AddFetchedReading answers false, storing nothing,
    // once the store is full.
    bool ResetForFetch();
    bool SetupFromFetchHeader(const CxutFetchHeader& header);
    bool AddFetchedReading(const float values[DOC_RAW_VALUES]);

    // Operations on whole channels. They answer false, changing nothing, when
    // a channel does not resolve or no channel is free.
    bool DuplicateField(CdocFieldKey a, CdocFieldKey* out);
    bool CreateFunctionField(CdocFieldKey a, CdocFieldKey b, int mode, CdocFieldKey* out);
    bool InvertField(CdocFieldKey key);
    bool TareField(CdocFieldKey key, float offset);
    bool ConvertField(CdocFieldKey key, wxString name, wxString units, float gain, float offset);
    bool SmoothField(CdocFieldKey key);
    bool SetFieldSmoothing(CdocFieldKey key, int n);
    void SaveSmoothing();
    void RestoreSmoothing();
    // Refits every channel's best straight line against the graph's x axis.
    void UpdateFits();
    // Halves a full AutoLog store: every second record kept, the interval
    // doubled, marks merged pairwise.
    bool CompactHalf();

    double m_interval;
    int m_maxRecords = 1001;
    int m_records = 0;
    std::array<uint8_t, DOC_MAX_SAMPLES> m_marks{};
    CdocFieldV m_fields;
    int m_startTime = 0; // hhmmss, 0 unset
    int m_startDate = 0; // yyyymmdd, 0 unset
    wxDateTime m_startMoment;
    int m_logType = 0;
    int m_dataSource = DATA_SOURCE_NONE;
    int m_logNext = 0;
    bool m_fLogOverlay = false;
    double m_logPeriod;
    int m_logSkip = 1;
    int m_logCount = 0;
    double m_latitude = 0.0;
    double m_longitude = 0.0;
    double m_altitude = 0.0;
    double m_horizontalAccuracy = -1.0;
    double m_verticalAccuracy = -1.0;

private:
    bool IsDocReady() const;
    // Simulator for the simulated logger, else fetched.
    int FetchDataSource() const;
    bool HasColour(const CdocColour& colour) const;
    // The colour of a logger input in one of its ranges; black for none.
    CdocColour GetInputColour(int boxType, int input, int range) const;
    void ColourTimeChannels();
    float TimeValue(const CdocField& field, int n) const;
    void SetSensorCurrent(CdocField& field, const int raw[DOC_RAW_VALUES], bool restartCounters);
    void UpdateViews(int hint, void* data);
    void ModifyAndUpdateViews(int hint, void* data);
    // Takes the channel at a position out of use with its column message.
    void RemoveAtPosition(int position);
    // Gives the formula that fills a channel back to the formula set, when
    // the channel goes out of use.
    void ReleaseFormula(const CdocField& field);
    // Runs the channel-details dialog on a new channel; removes it on cancel.
    bool ConfirmNewField(CdocFieldKey& key, CdocFieldKey* out, int dialog);
    // After one channel's values changed: formulas, best lines, scales, hint.
    void RefreshAfterChange(CdocField& field, int hint);
    // Fills a new function channel's samples and texts.
    void FillFunctionField(CdocField& n, CdocField& a, CdocField* b, CdocField& x, CdocField& t, int mode);
};

// Gives a channel the null colour: no colour chosen yet.
void docSetDefaultColour(CdocFieldHdr& field);

// Texts of a time (hhmmss) and a date (yyyymmdd): "09:30:05", "Mar  5, 2009"
// and the same with the weekday, "Mar  5, 2009, Thu". 0 gives an empty text.
wxString docFormatTime(int hhmmss);
wxString docFormatDate(int yyyymmdd);
wxString docFormatDateWithDay(int yyyymmdd);
