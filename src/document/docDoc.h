#pragma once
#include "data/docCalcs.h"
#include "data/docControl.h"
#include "data/docData.h"
#include "data/docFieldList.h"
#include "data/docPredict.h"
#include "data/docTable.h"
#include "document/docAnnotations.h"
#include "document/docGraph.h"
#include "document/docHint.h"
#include "document/docScope.h"
#include "document/docTiming.h"
#include "hardware/xhwSetup.h"
#include "protocol/xutBoxPublicInfo.h"
#include "transport/zxStopWatch.h"
#include "views/docTool.h"

#include <array>
#include <cstdint>

class CxutFetchFile;
#include <functional>
#include <wx/string.h>

enum
{
    DOC_STATE_READY = 2,
    DOC_STATE_FETCHING = 3,
    DOC_STATE_RUNNING = 4,
    DOC_STATE_STOPPED = 5,
};

enum
{
    ACTIVITY_AUTOLOG = 1,
    ACTIVITY_PERIODIC = 2,
    ACTIVITY_SNAPSHOT = 3,
    ACTIVITY_TIMING = 4,
    ACTIVITY_FAST = 5,
    ACTIVITY_SCOPE = 6,
};

// Results of DeleteAll and of the start routines.
enum
{
    DOC_RESULT_DONE = 0,
    DOC_RESULT_NOT_ALLOWED = 1,
    DOC_RESULT_CANNOT_KEEP = 2,
    DOC_RESULT_REFUSED = 3,
    DOC_RESULT_NO_TRIGGER = 6,
    DOC_RESULT_NOT_PREPARED = 11,
};

// What a start routine is doing for template matching (the document's
// StartCode): none, prepare only, start, overlaid start, replacing start.
enum
{
    START_CODE_NONE = 0,
    START_CODE_PREPARE = 1,
    START_CODE_START = 2,
    START_CODE_OVERLAID = 3,
    START_CODE_REPLACING = 4,
};

// The document version this program writes.
constexpr int DOC_VERSION = 12;

// What the data object needs of the document that holds it: the views, the
// modified flag, the unsaved-readings prompt and the channel-details dialog.
// The application's document implements it; without one (no windows) hints go
// nowhere, the prompt lets the caller go on and the dialog answers OK.
class CdocDocOwner
{
public:
    virtual ~CdocDocOwner() = default;
    virtual void UpdateDocViews(CdocHint& hint) = 0;
    virtual void ModifyDoc() = 0;
    virtual bool ShowNewChannelDetails(CdocFieldKey& key, int mode) = 0;
    virtual bool ShowCalcChannelDetails(CdocFieldKey& key, int mode) = 0;
    virtual bool ShowCalcResultDetails(CdocFieldKey& key, int mode) = 0;
    // The unsaved-readings prompt: true when the caller may throw the stored
    // readings away. An empty message asks with the usual text.
    virtual bool ConfirmDiscard(const wxString& message, bool force) { return true; }
    // The document as saved: clears the modified flag and UnsavedData.
    virtual void MarkSaved() {}
    // Shows the pairing of a file's stored sensors with the connected ones
    // (the match dialog); true when the user goes on. Without windows it goes
    // on with the pairing as found.
    virtual bool RunMatchDialog(CdocDoc& doc) { return true; }
    // The document's file name, for the information text.
    virtual wxString GetDocFileName() const { return wxString(); }
    // The main frame's title, after the connected logger changed.
    virtual void RenewFrameTitle() {}
    // Names the document (a fetched file's name).
    virtual void SetDocFileName(const wxString& name) {}
};

// All data of one experiment: the run state, the copy of the connected
// logger's description, every part, the titles and notes, the view switches
// and what the tick and the table's auto-scroll keep between calls. Held by
// value in the application's document; every part points back at it.
class CdocDoc
{
public:
    CdocDoc();
    virtual ~CdocDoc();
    CdocDoc(const CdocDoc&) = delete;
    CdocDoc& operator=(const CdocDoc&) = delete;

    // Passes a hint to every view; the second form marks the document modified first.
    void UpdateViews(int code, void* data);
    void ModifyAndUpdateViews(int code, void* data);
    bool ShowNewChannelDetails(CdocFieldKey& key, int mode);
    bool ShowCalcChannelDetails(CdocFieldKey& key, int mode);
    bool ShowCalcResultDetails(CdocFieldKey& key, int mode);
    bool ConfirmDiscard(const wxString& message, bool force);
    int MatchAndStart(int code);
    bool RunMatchDialog();

    // Keeps the system from idle sleep exactly while fetching or running.
    void SetState(int state);
    // Also tells the logger manager, whose drivers present sensors by it.
    void SetActivity(int activity);
    bool IsReady() const { return m_state == DOC_STATE_READY; }

    // A new document: ready, waiting for a logger, outputs off, connecting.
    void OnNew();
    // Copies the options' view switches (after the user level changed).
    void LoadViewOptions();

    // The table's follow-scroll: at most one follow step per five working ticks.
    void SetAutoScroll(int row);
    void RequestAutoScroll(int row);
    void OnAutoScrollTick();

    // The 100 ms tick: pumps the logger manager's Bluetooth work, and on the
    // calls that its pacing lets work, does what the state asks.
    void OnTimerTick();
    // Whether this call of the tick works: of ten calls between 1 and 10,
    // fewer when real time runs behind the nominal time.
    bool PaceTick();
    // On every fifth call: the ratio of real to nominal time, and the
    // working slots it allows.
    void MeasureTickRatio();
    // The running tick by Activity, and the reading intake of four of them.
    void TickRun();
    void TickAutoLog();
    void TickPeriodic();
    void TickSnapshot();
    void TickFast();

    // Run start and stop, marks and store.
    bool CanRunActivity(bool scopeCheck) const;
    bool CanStart() const;
    int Start();
    bool CanStartOverlay() const;
    int StartOverlay();
    bool CanRestart() const;
    int Restart();
    void Stop();
    bool IsBusy() const;
    bool CanMark() const;
    void Mark();
    void RememberMark();
    void MarkRemembered();
    void ForgetMark();
    bool CanStore() const;
    int Store();
    bool IsOverlayActive() const;
    bool IsOverlayAllowed() const;
    int ApplySetup();
    // Dispatched by Activity; also called by template matching.
    int StartNew();
    int StartFrom(bool allowed, int code, int (CdocDoc::*fromStopped)());
    int StartContinue();
    int StartOverlaid();
    int StartReplacing();
    void StopRun();
    bool PrepareStore(int records, bool shortRange, bool reinitialise, double interval);
    bool PrepareIndexStore(int records, bool reinitialise, bool smallRange);
    void SetLogType(int logType);
    void ResetOverlayStore();
    void ResetReplaceStore();
    int CheckTriggerSensor();
    int CheckSensorScales(int input, bool units);

    // Logger-link events and the system-software prompts.
    void OnBoxUpdate(bool force);
    void FlushBoxHints();
    void OnBoxChanged();
    void OnLinkBroken();
    void OnBoxRefresh();
    void OnBoxSystemState();
    void CheckSystemSoftware();
    void ReloadSystemSoftware();

    // The fetch of a logger's stored file, chosen in the fetch dialog: the
    // logger manager downloads it, each working tick moves what arrived
    // into the store, and the download's result ends it. False, starting
    // nothing, while a run or a fetch is going on.
    bool StartFetch(const CxutFetchFile& file);
    void TickFetch();
    void OnFetchHeader();
    void OnFetchData();
    void FinishFetch();
    // The Stop command while fetching: what arrived stays as stopped data,
    // unless the header never came.
    void StopFetch();

    bool CanDeleteAll() const;
    int DeleteAll();
    bool CanDeleteLast() const;
    void DeleteLast();

    // The document summed up for the Information box: file, title, kind of
    // run, start, interval, duration, readings and every channel's
    // statistics; appended to the text given.
    wxString& GetInformationText(wxString& text);
    // Whether an absolute time and date can be shown: the data has a start
    // and an elapsed-time channel, and (but for the first) the user switched
    // the display on at a level that allows it.
    bool HasStartDateTime() const;
    bool CanShowTimeAndDate();
    bool CanShowTableTimeAndDate() const;
    // The time and date of the graph tool's cursor or of the latest reading;
    // otherwise false, with the heading in the time text where it applies.
    bool GetTimeAndDateText(wxString& time, wxString& date);
    // The date and time of a stored record, "Mar  5, 2009, Thu 09:30:05";
    // an empty text for a record not stored.
    bool GetSampleTimeAndDate(wxString& text, int record) const;

    // Annotations, samples and channels emptied, title back to the default.
    void ResetAfterClose();
    // Loaded or fetched data made ready for display.
    void PrepareLoadedData();

    // Field names follow the document's saved keys.
    CdocDocOwner* m_owner = nullptr;
    int m_state = DOC_STATE_READY;
    int m_activity = ACTIVITY_AUTOLOG;
    bool m_overlay = true;
    bool m_unsavedData = false;
    bool m_timerRecursionLock = false;
    // Not saved: the start code of a template pairing in progress, else 0.
    int m_matchCode = 0;
    // Not saved: the pairing of the stored sensors (sockets, from the file's
    // logger) with the connected inputs, -1 where unpaired; which of them
    // hold a sensor; which pairings keep the stored calibration; and whether
    // the start in progress has rebuilt its channels from it already.
    std::array<int, 6> m_matchInput{-1, -1, -1, -1, -1, -1};
    std::array<int, 6> m_matchSocket{-1, -1, -1, -1, -1, -1};
    std::array<bool, 6> m_storedPresent{};
    std::array<bool, 6> m_connectedPresent{};
    std::array<bool, 6> m_matchKept{};
    bool m_matchRebuilt = false;
    bool m_waitingForFind = true;
    // The copy of the connected logger's published description.
    CxutBoxPublicInfo m_boxInfo;
    CdocGraph m_graph;
    CdocTable m_table;
    CdocAnnotations m_annotations;
    CdocControl m_control;
    CdocScope m_scope;
    CdocTiming m_timing;
    CdocCalcs m_calcs;
    CdocPredict m_predict;
    int m_colours = 0;
    bool m_viewTitle = false;
    bool m_viewTable = false;
    bool m_viewGauge = true;
    bool m_viewDigits = false;
    bool m_viewTimeAndDate = false;
    bool m_graphTimeAndDate = false;
    CxhwSetup m_setup;
    CdocData m_data;
    CdocTool m_tool;
    wxString m_defaultTitle;
    wxString m_title;
    wxString m_notes;
    int m_autoScroll = -1;
    int m_autoScrollPending = -1;
    int m_autoScrollCount = 0;
    // The description of the logger that recorded a file's data.
    CxutBoxPublicInfo m_fileBoxInfo;
    // What the "Platform" and "Version" lines of the file read said.
    int m_filePlatform = 2;
    int m_fileVersion = 0;
    int m_version = DOC_VERSION;
    // Not saved: the record remembered at the logger's push button, -1 none.
    int m_rememberedMark = -1;

    // The tick's pacing (not saved).
    bool m_pacingEnabled = true;
    bool m_pacingRestart = true;
    int m_nominalElapsed = 0;
    int m_workingSlots = 10;
    int m_slotPosition = 0;
    std::array<bool, 10> m_skipSlot{};
    uint64_t m_lastRatio = 0;
    uint64_t m_tickLength = 0;
    CzxStopWatch m_tickWatch;
    // The pacing's real-time clock in milliseconds: the stop watch, unless a
    // test gives a clock of its own (a restart then moves its origin).
    std::function<int64_t()> m_tickClock;
    int64_t m_tickClockOrigin = 0;

    // Logger hints waiting for the next working tick, and the flag of the
    // system-software prompts.
    bool m_hintLinked = false;
    bool m_hintSensors = false;
    bool m_hintValues = false;
    bool m_hintStatus = false;
    bool m_systemPrompt = false;

    // The channel lists of the pickers.
    std::array<CdocFieldList, 4> m_fieldLists;

private:
    // Delete All can clear the store in this state (running: every activity
    // that writes readings into it).
    bool CanClearStore() const;

    // The three start forms of AutoLog, Periodic, Snapshot and Fast, and
    // the steps they share once the store is prepared.
    int StartFreshRun();
    int StartOverlaidRun();
    int StartReplacingRun();
    // The checked trigger input of a fast run (-1 for other runs).
    int FindRunTrigger(int& trigger);
    int SecondTrigger() const;
    bool PreparePeriodStore(bool reinitialise);
    void SyncRunChannels(int trigger);
    int FinishStart();
    // Takes one reading of six raw values from the logger manager; false when
    // no whole reading waits.
    bool TakeReading(int raw[DOC_RAW_VALUES]);
    // A periodic or Fast reading: stored by LogSkip; true when the store is
    // full and the run has been stopped.
    bool TakeStoredReading(const int raw[DOC_RAW_VALUES]);
    void TakeSnapshot();
    // The records a store of this run can hold: MaxRecords, never past the
    // 20001 samples of a channel.
    int StoreLimit() const;
    // Takes the rows and marks of the download that wait in the queues.
    void TakeFetchedData();
    int64_t TickWatchMs();
    void RestartTickWatch(int64_t ms);
};

// The question of the system-software offer; true for Yes.
bool docAskSystemUpdate();
