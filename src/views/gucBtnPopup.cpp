#include "views/gucBtnPopup.h"

wxIMPLEMENT_DYNAMIC_CLASS(CgucBtnPopup, wxBitmapButton);

CgucBtnPopup::CgucBtnPopup() = default;

CgucBtnPopup::CgucBtnPopup(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap, const wxPoint& position,
    const wxSize& size, long style, const wxValidator& validator)
    : wxBitmapButton(parent, id, bitmap, position, size, style, validator, "button")
{
}

CgucBtnPopup::~CgucBtnPopup() = default;
