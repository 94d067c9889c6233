#pragma once
#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldKey;

enum
{
    ID_CALC_DIALOG = 10091,
};

// Builds and changes the formulas of the document's formula channels.
// Still thin: shows no formula, keypad, channel list or formula chooser;
// OK and Cancel change nothing.
class CgudCalc : public wxDialog
{
public:
    CgudCalc() = default;
    CgudCalc(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
             const wxSize& size = wxSize(400, 300),
             long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudCalc() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);

    // The formula channel whose formula the dialog edits.
    void SetChannel(CdocField* field);

    CdocDoc* m_doc = nullptr;
    CdocField* m_field = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudCalc);
};

// Opens the formula dialog on the channel when it is a formula channel, else
// on the document's last formula channel, else on a new one (whose details
// are asked first; cancelling them opens nothing). True on OK.
bool gudCalculate(CdocDoc* doc, CdocFieldKey& key);
