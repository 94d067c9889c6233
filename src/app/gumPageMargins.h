#pragma once
#include <wx/cmndata.h>
#include <wx/dialog.h>

class wxSpinCtrl;

// The page margins in millimetres: GTK has no dialog of its own for them.
class CgumPageMargins : public wxDialog
{
public:
    CgumPageMargins(wxWindow* parent, const wxPageSetupDialogData& data);
    ~CgumPageMargins() override;

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    // The margins as edited; taken from the controls on OK only.
    wxPageSetupDialogData m_data;
    wxSpinCtrl* m_left = nullptr;
    wxSpinCtrl* m_top = nullptr;
    wxSpinCtrl* m_right = nullptr;
    wxSpinCtrl* m_bottom = nullptr;
};
