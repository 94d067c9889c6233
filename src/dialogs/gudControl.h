#pragma once
#include "data/docControl.h"

#include <array>
#include <wx/dialog.h>

class CdocDoc;

enum
{
    ID_CONTROL_DIALOG = 10011,
};

// The rules of the six control outputs, edited as copies that the caller
// takes back on OK.
// Still thin: shows no form yet (output choice, channel, direction,
// threshold, enable), has no refresh timer and leaves the rules as given.
class CgudControl : public wxDialog
{
public:
    CgudControl() = default;
    CgudControl(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                const wxSize& size = wxSize(400, 300),
                long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudControl() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);

    CdocDoc* m_doc = nullptr;
    std::array<CdocControlItem, DOC_MAX_OUTPUT_RULES> m_rules;
    // The output whose rule the form shows, 0 to 5.
    int m_output = 0;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudControl);
};
