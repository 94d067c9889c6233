#pragma once
#include <wx/dialog.h>

enum
{
    ID_CLOCK_DIALOG = 10009,
};

// Sets the connected logger's clock to the computer's time.
// Still thin: no status line, refresh timer or clock request yet; OK is
// never enabled, so only Cancel closes it.
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

    void OnOkUpdate(wxUpdateUIEvent& event);

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudClock);
    wxDECLARE_EVENT_TABLE();
};
