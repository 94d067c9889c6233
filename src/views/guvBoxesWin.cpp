#include "views/guvBoxesWin.h"

CguvBoxesWin::CguvBoxesWin(wxWindow* parent) : CguvPanelWin(parent) {}

CguvBoxesWin::~CguvBoxesWin() = default;

wxSize CguvBoxesWin::GetMinSize() const
{
    return wxSize(21 * GetCharWidth(), 4 * GetCharHeight());
}
