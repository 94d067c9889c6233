#pragma once
#include <wx/dialog.h>

class wxTextCtrl;

enum
{
    ID_NOTES_DIALOG = 10003,
    ID_NOTES_TEXT = 10004,
};

// The document's free notes, which the user may also copy to the clipboard.
// It has no Cancel button: closing it otherwise keeps the old notes.
class CgudNotes : public wxDialog
{
public:
    CgudNotes() = default;
    CgudNotes(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxSize(400, 300),
              long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudNotes() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void OnCopy(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxTextCtrl* m_textCtrl = nullptr;
    wxString m_text;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudNotes);
    wxDECLARE_EVENT_TABLE();
};
