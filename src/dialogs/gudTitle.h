#pragma once
#include <wx/dialog.h>

enum
{
    ID_TITLE_DIALOG = 10000,
    ID_TITLE_TEXT = 10001,
    ID_TITLE_SHOW = 10002,
};

// The document's title and whether the views show it.
class CgudTitle : public wxDialog
{
public:
    CgudTitle() = default;
    CgudTitle(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300),
              long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudTitle() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    wxString m_text;
    bool m_showTitle = true;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudTitle);
};
