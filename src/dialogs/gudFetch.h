#pragma once
#include "protocol/xutBoxPublicInfo.h"
#include "protocol/xutFetchFile.h"

#include <wx/dialog.h>
#include <wx/timer.h>

class wxListCtrl;
class wxListEvent;
class wxStaticText;

enum
{
    ID_FETCH_STATE = 10006,
    ID_FETCH_DIALOG = 10015,
    ID_FETCH_LIST = 10018,
};

// Picks one stored file of the connected logger. While shown it watches the
// logger every 200 ms, has the logger's files listed into the stored-file
// mailbox whenever the logger's situation changes, and shows that list; OK
// keeps the chosen file for the caller.
class CgudFetch : public wxDialog
{
public:
    CgudFetch();
    CgudFetch(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300), long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    ~CgudFetch() override;

    // Runs the 200 ms refresh only while the dialog is shown.
    int ShowModal() override;

    // The file picked with OK.
    const CxutFetchFile& GetChosenFile() const { return m_chosenFile; }

    // Reads the logger's state, asks for a new list when it changed, and
    // brings the list up to date with the mailbox.
    void RefreshFromLogger();

    wxStaticText* m_stateLabel = nullptr;
    wxStaticText* m_nameLabel = nullptr;
    wxListCtrl* m_list = nullptr;
    wxString m_nameText;
    wxString m_stateText;
    wxTimer m_timer;
    bool m_usable = false;
    // The last listing was refused or not answered: shown as a failure, not
    // as a logger without files.
    bool m_listFailed = false;
    CxutBoxPublicInfo m_logger;
    CxutFetchFile m_chosenFile;

private:
    void CreateControls();
    // Columns for the logger: the name alone, or with type, date and time.
    bool UpdateColumns(bool details);
    bool UpdateRows(bool details);
    bool SetCell(long row, int column, const wxString& text);
    void SizeColumns();
    void Choose();
    void OnInitDialog(wxInitDialogEvent& event);
    void OnOK(wxCommandEvent& event);
    void OnActivated(wxListEvent& event);
    void OnUpdateOK(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudFetch);
    wxDECLARE_EVENT_TABLE();
};

// The name of a kind of stored run (1 AutoLog to 6 oscilloscope).
wxString gudFetchKindText(int kind);
