#include "views/guvTableWin.h"

#include "views/grnPalette.h"
#include "views/guvTableView.h"

wxBEGIN_EVENT_TABLE(CguvTableWin, wxGrid)
    EVT_GRID_LABEL_RIGHT_CLICK(CguvTableWin::OnLabelRightClick)
    EVT_GRID_LABEL_LEFT_CLICK(CguvTableWin::OnLabelLeftClick)
    EVT_GRID_CELL_LEFT_CLICK(CguvTableWin::OnCellLeftClick)
wxEND_EVENT_TABLE()

CguvTableWin::CguvTableWin(wxWindow* parent)
    : wxGrid(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxWANTS_CHARS, "grid")
{
    // An empty table of its own until a view binds the document's, so that
    // the grid paints.
    CreateGrid(0, 0);
    // The grid's best size grows with its rows; the content panel shares
    // its space out by its own proportions.
    SetMinSize(wxSize(0, 0));
    const CgrnRGB selection = grnGetPaletteEntry(18);
    SetSelectionBackground(wxColour(selection.m_red, selection.m_green, selection.m_blue));
    SetSelectionForeground(wxColour(0, 0, 0));
}

CguvTableWin::~CguvTableWin()
{
    // The column attributes of a table the grid does not own hold the cell
    // editors, whose controls are children of this grid: they must go while
    // the grid is whole.
    if (!m_ownTable && GetTable())
        GetTable()->SetAttrProvider(nullptr);
}

int CguvTableWin::GetCellBestWidth(wxDC& dc, int row, int col)
{
    wxGridCellAttrPtr attr = GetCellAttrPtr(row, col);
    wxGridCellRendererPtr renderer = attr->GetRendererPtr(this, row, col);
    return renderer ? renderer->GetBestSize(*this, *attr, dc, row, col).x : 0;
}

void CguvTableWin::OnLabelRightClick(wxGridEvent& event)
{
    if (m_view)
        m_view->OnLabelRightClick(event);
    else
        event.Skip();
}

void CguvTableWin::OnLabelLeftClick(wxGridEvent& event)
{
    if (m_view)
        m_view->OnLabelLeftClick(event);
    else
        event.Skip();
}

void CguvTableWin::OnCellLeftClick(wxGridEvent& event)
{
    if (m_view)
        m_view->OnCellLeftClick(event);
    else
        event.Skip();
}
