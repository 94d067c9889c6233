#include "views/guvTableWin.h"

CguvTableWin::CguvTableWin(wxWindow* parent)
    : wxGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, "grid")
{
}

CguvTableWin::~CguvTableWin() = default;
