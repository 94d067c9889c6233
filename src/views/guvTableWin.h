#pragma once
#include <wx/grid.h>

class CguvTableView;

// The table panel's grid.
// Still thin: an empty grid; the rows and columns of the document's channels
// come with the table's grid table.
class CguvTableWin : public wxGrid
{
public:
    explicit CguvTableWin(wxWindow* parent);
    ~CguvTableWin() override;

    CguvTableView* m_view = nullptr;
};
