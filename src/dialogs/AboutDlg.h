#pragma once
#include <wx/dialog.h>

class wxButton;
class wxStaticBitmap;
class wxStaticLine;
class wxStaticText;
class wxStdDialogButtonSizer;

// The about box's form: picture, product name and version beside it, a line
// and a notice below, and OK. CgudAbout fills it.
class AboutDlg : public wxDialog
{
public:
    AboutDlg(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
             const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE);
    ~AboutDlg() override;

    wxStaticBitmap* m_bitmap = nullptr;
    wxStaticText* m_name = nullptr;
    wxStaticText* m_version = nullptr;
    wxStaticLine* m_line = nullptr;
    wxStaticText* m_notice = nullptr;
    wxStdDialogButtonSizer* m_buttons = nullptr;
    wxButton* m_ok = nullptr;
};
