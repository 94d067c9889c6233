#pragma once
#include <wx/dialog.h>

enum
{
    ID_SYSTEM_STATUS1 = 10021,
    ID_SYSTEM_STATUS2 = 10020,
    ID_SYSTEM_PROMPT = 10019,
    ID_SYSTEM_GAUGE = 10018,
};

// The form for downloading the logger's system software. Nothing opens it:
// the system software is installed through the document's own prompts.
class CgudSystem : public wxDialog
{
public:
    CgudSystem() = default;
    CgudSystem(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
               const wxSize& size = wxSize(400, 300),
               long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudSystem() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudSystem);
    wxDECLARE_EVENT_TABLE();
};
