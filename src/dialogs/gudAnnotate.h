#pragma once
#include <wx/dialog.h>

class CdocDoc;
class CgucChannel;
class wxTextCtrl;

enum
{
    ID_ANNOTATE_DIALOG = 10059,
    ID_ANNOTATE_TEXT = 10060,
    ID_ANNOTATE_CHANNEL = 10011,
    ID_ANNOTATE_DELETE_ALL = 10072,
    ID_ANNOTATE_DELETE_LAST = 10073,
};

// The text of a new graph annotation and the channel it is tied to; its
// "Delete All" and "Delete Last" buttons end it with their own ids.
class CgudAnnotate : public wxDialog
{
public:
    CgudAnnotate() = default;
    CgudAnnotate(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxSize(400, 300),
                 long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudAnnotate() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void OnDeleteAll(wxCommandEvent& event);
    void OnDeleteLast(wxCommandEvent& event);
    void OnDeleteUpdate(wxUpdateUIEvent& event);
    void OnPlaceUpdate(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);

    CgucChannel* m_channelCtrl = nullptr;
    wxTextCtrl* m_textCtrl = nullptr;
    wxString m_text;
    CdocDoc* m_doc = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudAnnotate);
    wxDECLARE_EVENT_TABLE();
};
