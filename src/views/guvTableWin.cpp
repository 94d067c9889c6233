#include "views/guvTableWin.h"

CguvTableWin::CguvTableWin(wxWindow* parent)
    : wxGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, "grid")
{
    // An empty grid until the table's own grid table comes, so that it repaints.
    CreateGrid(0, 0);
}

CguvTableWin::~CguvTableWin() = default;
