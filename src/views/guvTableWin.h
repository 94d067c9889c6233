#pragma once
#include <wx/grid.h>

class CguvTableView;

// The table panel's grid. Clicks on labels and cells go to the attached view,
// which decides whether the grid's own handling runs.
class CguvTableWin : public wxGrid
{
public:
    explicit CguvTableWin(wxWindow* parent);
    ~CguvTableWin() override;

    // The column's own minimal width (else the grid's), and its left edge.
    int GetColumnMinimalWidth(int col) const { return GetColMinimalWidth(col); }
    int GetColumnLeft(int col) const { return GetColLeft(col); }
    // The width the cell's renderer asks for on the context.
    int GetCellBestWidth(wxDC& dc, int row, int col);

    CguvTableView* m_view = nullptr;

private:
    void OnLabelRightClick(wxGridEvent& event);
    void OnLabelLeftClick(wxGridEvent& event);
    void OnCellLeftClick(wxGridEvent& event);

    wxDECLARE_EVENT_TABLE();
};
