#pragma once
#include "protocol/xutFetchFile.h"

#include <wx/dialog.h>

enum
{
    ID_FETCH_DIALOG = 10015,
};

// Picks one stored file of the connected logger; the caller reads the chosen
// file after OK.
// Still thin: no logger status, refresh timer or list of stored files yet;
// OK is never enabled, so no file is ever chosen.
class CgudFetch : public wxDialog
{
public:
    CgudFetch() = default;
    CgudFetch(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300),
              long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudFetch() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);

    void OnOkUpdate(wxUpdateUIEvent& event);

    CxutFetchFile m_file;
    // Whether the logger can hand over stored files and one is picked.
    bool m_usable = false;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudFetch);
    wxDECLARE_EVENT_TABLE();
};
