#pragma once
#include <wx/bmpbuttn.h>

// A picture button of the pickers' family; a plain wxBitmapButton named
// "button".
class CgucBtnPopup : public wxBitmapButton
{
public:
    CgucBtnPopup();
    CgucBtnPopup(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = 0, const wxValidator& validator = wxDefaultValidator);
    ~CgucBtnPopup() override;

private:
    wxDECLARE_DYNAMIC_CLASS(CgucBtnPopup);
};
