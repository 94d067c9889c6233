#pragma once
#include <wx/dialog.h>

enum
{
    ID_STAMP_DIALOG = 10005,
};

// Writes the text that the connected logger shows on its display: a name or
// a two-line security stamp.
// Still thin: no status line, refresh timer, stamp fields or name request
// yet; OK is never enabled, so only Cancel closes it.
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

    void OnOkUpdate(wxUpdateUIEvent& event);

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudStamp);
    wxDECLARE_EVENT_TABLE();
};
