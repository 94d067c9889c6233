#pragma once
#include "document/docDoc.h"

#include <iosfwd>
#include <wx/docview.h>
#include <wx/timer.h>

class wxOutputStream;

// The application's document: it adapts the framework's new, open, save and
// close steps to the data files and the logger manager, drives the run with
// its 100 ms timer and asks before unsaved readings are thrown away. The
// experiment's data object lives inside it.
class CgumDoc : public wxDocument, public CdocDocOwner
{
public:
    CgumDoc();
    ~CgumDoc() override;

    bool SaveAs() override;
    std::ostream& SaveObject(std::ostream& stream) override;
    std::istream& LoadObject(std::istream& stream) override;
    bool OnOpenDocument(const wxString& path) override;
    bool OnNewDocument() override;
    bool OnCloseDocument() override;
    // Modified: the framework's flag or readings stored since the last save.
    bool IsModified() const override;
    void Modify(bool modified) override;
    // Asks through the program's own box.
    bool OnSaveModified() override;

    bool ChooseSavePath();
    bool WriteData(wxOutputStream& output);
    void SetDocumentFilename(const wxString& name);
    bool IsTimerRunning() const { return m_timer.IsRunning(); }

    // What the data object asks of its document.
    void UpdateDocViews(CdocHint& hint) override;
    void ModifyDoc() override;
    // The channel-details dialog on a new channel (in gumDocChannels.cpp).
    bool ShowNewChannelDetails(CdocFieldKey& key, int mode) override;
    bool ShowCalcChannelDetails(CdocFieldKey& key, int mode) override;
    bool ShowCalcResultDetails(CdocFieldKey& key, int mode) override;
    // The unsaved-readings prompt: Yes saves first, No discards, Cancel keeps.
    bool ConfirmDiscard(const wxString& message, bool force) override;
    void MarkSaved() override;
    wxString GetDocFileName() const override { return GetFilename(); }
    void RenewFrameTitle() override;
    void SetDocFileName(const wxString& name) override { SetDocumentFilename(name); }
    // The match dialog over the main frame (in gumDocDialogs.cpp).
    bool RunMatchDialog(CdocDoc& doc) override;
    // The Graph menu's items popped up on the window at the mouse.
    static void ShowGraphMenu(wxWindow* window);
    // The channel menu of a sensor channel (input switch, calibrations, then
    // the channel operations); other channels get the operations menu. A null
    // window means the main frame.
    void ShowChannelMenu(wxWindow* window, CdocFieldKey key);
    void ShowChannelOpsMenu(wxWindow* window, CdocFieldKey key);
    // Switches a sensor channel's logger input on or off.
    void ToggleChannelInput(CdocFieldKey key);

    // The channel a channel command acts on: the pop-up channel while a
    // channel menu is open (answers true), else the default channel.
    bool GetTargetChannel(CdocFieldKey& key, bool allowTime, bool anySensor);

    // The commands that run a dialog.
    bool ChooseChannel(CdocFieldKey& key, const wxString& title, const wxString& explanation,
                       const wxString& helpPage, bool atMouse, bool timeChannels,
                       bool deadSensors, bool noneEntry, bool timeAndDateEntry);
    void EditTitle(bool atMouse);
    void ChooseAxisX(bool atMouse);
    void ChooseAxisLeft(bool atMouse);
    void ChooseAxisRight(bool atMouse);
    // An output above 5 means the first available one.
    void EditControlOutputs(int output);
    void RunSetupWizard();
    void SetLoggerClock();
    void SetLoggerStamp();
    void FetchFromLogger();
    void EditNotes();
    void EditGraphFont();
    void Annotate();

    // The channel commands.
    bool ShowChannelDetails(CdocFieldKey& key, bool choose);
    void EditChannelDetails();
    void SmoothChannel();
    void ConvertChannelUnits();
    void CustomScaleChannel();
    void InvertChannel();
    void DuplicateChannel();
    void FunctionPlot();
    void CalculateChannel();
    void TareChannel();
    void DeleteChannel();
    void CalibrateChannel();
    // Whether the pH calibration may run on the target channel (no feature test).
    bool CanCalibrate();

    // The command table: one handler for every command of the document and
    // one for the enabled and ticked states of those that have a rule; ids
    // that are not the document's go on to the frame.
    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    // Sets the activity of a side button and starts; while still ready
    // afterwards the activity goes back to AutoLog when asked.
    void StartActivity(int activity, bool backToAutoLog);
    // The export chooser, then the file in the format (a DOC_FORMAT_ index);
    // false when not allowed, cancelled or not written.
    bool ExportFile(int format);
    // The graph as a 1000 by 1000 picture, and the table as text, on the clipboard.
    void CopyGraph();
    void CopyTable();
    // Calibration choice n of the pop-up channel's sensor.
    void ChooseCalibration(int choice);

    CdocDoc m_doc;
    // The channel a channel pop-up menu was opened for, while it is shown.
    CdocFieldKey m_popupChannel;

protected:
    // Written whole beside the old file, which it replaces only when all went
    // well; a failure is reported and leaves the document modified.
    bool DoSaveDocument(const wxString& path) override;

private:
    void StartTimer();
    void OnTimer(wxTimerEvent& event);

    wxTimer m_timer;
    // Whether the last SaveObject wrote the whole document.
    bool m_writeOk = false;

    wxDECLARE_DYNAMIC_CLASS(CgumDoc);
    wxDECLARE_EVENT_TABLE();
};
