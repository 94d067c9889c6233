#pragma once
#include "protocol/xutBoxPublicInfo.h"

#include <wx/dialog.h>
#include <wx/timer.h>

class wxStaticText;
class wxTextCtrl;

enum
{
    ID_STAMP_DIALOG = 10005,
    ID_STAMP_STATUS = 10006,
    ID_STAMP_LINE1 = 10006,
    ID_STAMP_LINE2 = 10007,
};

// Characters of one line of a logger's security stamp.
constexpr int GUD_STAMP_LINE = 16;

// The two lines of a logger's display text: a name is line 1 alone; a stamp
// is its characters 1 to 16 and 17 to 32, each without trailing blanks.
void gudSplitStamp(const wxString& stamp, bool nameMode, wxString& line1, wxString& line2);
// The text a stamp logger takes: each line padded with spaces and cut to 16.
wxString gudJoinStamp(const wxString& line1, const wxString& line2);

// Writes the text that the connected logger shows on its display: a name or
// a two-line security stamp.
class CgudStamp : public wxDialog
{
public:
    CgudStamp() = default;
    CgudStamp(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300),
              long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudStamp() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    // wxID_OK once the text was written, else wxID_CANCEL.
    int ShowModal() override;

    void UpdateState();
    bool SetLoggerStamp();
    // The form of a name or of a stamp.
    void ApplyMode(bool nameMode);

    void OnInitDialog(wxInitDialogEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnOkUpdate(wxUpdateUIEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);

    wxStaticText* m_statusLabel = nullptr;
    wxStaticText* m_loggerLabel = nullptr;
    wxTextCtrl* m_line1Ctrl = nullptr;
    wxTextCtrl* m_line2Ctrl = nullptr;
    wxStaticText* m_hintLabel = nullptr;
    wxStaticText* m_warningLabel = nullptr;
    wxString m_line1;
    wxString m_line2;
    wxString m_statusText;
    wxString m_loggerText;
    wxTimer m_timer;
    bool m_ready = false;
    wxString m_lastStamp;
    CxutBoxPublicInfo m_boxInfo;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudStamp);
    wxDECLARE_EVENT_TABLE();
};
