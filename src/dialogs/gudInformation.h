#pragma once
#include <wx/dialog.h>

class CdocDoc;
class wxTextCtrl;

enum
{
    ID_INFORMATION_DIALOG = 10013,
    ID_INFORMATION_TEXT = 10014,
    ID_INFORMATION_ADD_TO_NOTES = 10016,
    ID_INFORMATION_REFRESH = 10017,
};

// The document's information and statistics in a read-only text box, which
// the user may copy, add to the notes or rebuild.
class CgudInformation : public wxDialog
{
public:
    CgudInformation() = default;
    CgudInformation(wxWindow* parent, wxWindowID id, const wxString& title,
                    const wxPoint& position = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
                    long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudInformation() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void OnCopyText(wxCommandEvent& event);
    void OnAddToNotes(wxCommandEvent& event);
    void OnRefresh(wxCommandEvent& event);

    wxTextCtrl* m_textCtrl = nullptr;
    wxString m_text;
    CdocDoc* m_doc = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudInformation);
    wxDECLARE_EVENT_TABLE();
};

// Shows the information of the document; wxID_CANCEL without showing
// anything when the user level does not allow it.
int gudShowInformation(CdocDoc* doc);

