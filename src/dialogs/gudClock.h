#pragma once
#include "protocol/xutBoxPublicInfo.h"

#include <wx/dialog.h>
#include <wx/timer.h>

class wxStaticText;

enum
{
    ID_CLOCK_DIALOG = 10009,
    ID_CLOCK_STATUS = 10006,
};

// The status line of the dialogs that write a setting into the logger: what
// is connected and whether it can take the setting (the logger feature
// given); whether it is ready to.
bool gudGetLoggerStatus(const CxutBoxPublicInfo& info, int feature, wxString& status, wxString& logger);

// Widens a status label to show its whole text, within 80 % of the display;
// whether it grew (the dialog then needs fitting again).
bool gudWidenStatusLabel(wxStaticText* label);

// Sets the connected logger's clock to the computer's time.
class CgudClock : public wxDialog
{
public:
    CgudClock() = default;
    CgudClock(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300),
              long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudClock() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    // wxID_OK once the clock was set, else wxID_CANCEL.
    int ShowModal() override;
    bool TransferDataToWindow() override;

    void UpdateState();
    bool SetLoggerClock();

    void OnInitDialog(wxInitDialogEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnOkUpdate(wxUpdateUIEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnDestroy(wxWindowDestroyEvent& event);

    wxStaticText* m_statusLabel = nullptr;
    wxStaticText* m_loggerLabel = nullptr;
    wxString m_statusText;
    wxString m_loggerText;
    wxTimer m_timer;
    bool m_ready = false;
    CxutBoxPublicInfo m_boxInfo;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudClock);
    wxDECLARE_EVENT_TABLE();
};
