#pragma once
#include <wx/dialog.h>

class CgucListChannel;
class wxStaticText;

enum
{
    ID_CHANNEL_DIALOG = 10010,
    ID_CHANNEL_DIALOG_TEXT = 10012,
    ID_CHANNEL_DIALOG_LIST = 10027,
};

// Picks one channel of the document from a list before an operation on it;
// the caller sets the title, the explanation, the help page and the list's
// rows, and carries the operation out on OK.
class CgudChannel : public wxDialog
{
public:
    CgudChannel() = default;
    CgudChannel(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                const wxSize& size = wxSize(400, 300),
                long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudChannel() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void OnInitDialog(wxInitDialogEvent& event);
    void OnListDoubleClick(wxMouseEvent& event);
    void OnUpdateOk(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);

    CgucListChannel* m_list = nullptr;
    wxStaticText* m_textCtrl = nullptr;
    wxString m_text;
    // Empty: the dialog's general page.
    wxString m_help;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudChannel);
    wxDECLARE_EVENT_TABLE();
};
