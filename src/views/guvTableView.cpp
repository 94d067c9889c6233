#include "views/guvTableView.h"

#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"
#include "views/grnDigits.h"
#include "views/gumView.h"
#include "views/guvTableWin.h"

#include <algorithm>
#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvTableView, CguvView);

namespace {

void PumpBluetooth()
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
}

// More rows than this pending at once (the table was hidden during a run)
// are not measured one by one: the columns are fitted anew instead.
constexpr int kMaxMeasuredRows = 200;

} // namespace

CguvTableView::CguvTableView() : m_table(this) {}

CguvTableView::~CguvTableView() = default;

wxWindow* CguvTableView::GetWindow()
{
    return m_master ? m_master->GetTableWin() : nullptr;
}

CguvTableWin* CguvTableView::GetGrid()
{
    return dynamic_cast<CguvTableWin*>(GetWindow());
}

bool CguvTableView::IsGridShown()
{
    CguvTableWin* grid = GetGrid();
    return grid && grid->IsShown() && grid->GetParent() && grid->GetParent()->IsShown();
}

bool CguvTableView::OnCreate(wxDocument* doc, long flags)
{
    if (!CguvView::OnCreate(doc, flags))
        return false;
    CguvTableWin* grid = GetGrid();
    if (!grid)
        return true;
    grid->SetTable(&m_table, false, wxGrid::wxGridSelectCells);
    m_table.OnAttached();
    grid->SetDefaultCellAlignment(wxALIGN_RIGHT, wxALIGN_CENTRE);
    wxFont font;
    grnMakeTableFont(GetDocDoc(), font);
    grid->SetDefaultCellFont(font);
    grid->SetLabelFont(font);
    grid->SetSelectionMode(wxGrid::wxGridSelectRows);
    m_table.SetupColumns(0, -1);
    return true;
}

bool CguvTableView::OnClose(bool deleteWindow)
{
    if (!CguvView::OnClose(deleteWindow))
        return false;
    if (wxGrid* grid = GetGrid()) {
        grid->ClearGrid();
        // The column attributes hold cell editors whose controls belong to
        // the grid.
        m_table.SetAttrProvider(nullptr);
        grid->SetTable(nullptr, false);
        // An empty table of its own, so that the grid still paints.
        grid->CreateGrid(0, 0);
    }
    return true;
}

void CguvTableView::OnDraw(wxDC* dc) {}

void CguvTableView::Resync()
{
    m_stale = false;
    m_table.SyncSize();
    m_table.SetupColumns(0, -1);
    if (wxGrid* grid = GetGrid())
        grid->ForceRefresh();
}

void CguvTableView::Rebuild()
{
    PumpBluetooth();
    m_pendingFirst = -1;
    m_pendingLast = -1;
    Resync();
}

void CguvTableView::AddPendingRow(int row)
{
    if (m_pendingFirst == -1 || m_pendingFirst > row)
        m_pendingFirst = row;
    if (m_pendingLast == -1 || m_pendingLast < row)
        m_pendingLast = row;
}

void CguvTableView::OnUpdate(wxView* sender, wxObject* hint)
{
    CguvTableWin* grid = GetGrid();
    if (!grid)
        return;
    if (!hint) {
        grid->ForceRefresh();
        return;
    }
    const void* data = guvHintData(hint);
    // The row of the hints that carry one.
    auto row = [data] { return *static_cast<const int*>(data); };
    switch (guvHintCode(hint)) {
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_ADDED:
    case HINT_CHANNEL_REMOVED:
    case HINT_CHANNEL_VALUES:
    case HINT_RUN_RESET:
    case HINT_RUN_STARTED:
    case HINT_DELETED_ALL:
    case HINT_DELETED_LAST:
    case HINT_VIEW_TIME_AND_DATE:
    case HINT_SCOPE_STORED:
        Rebuild();
        break;
    case HINT_DATA_RESET:
        Resync();
        break;
    case HINT_CHANNELS_RESET:
        if (m_stale)
            Resync();
        break;
    case HINT_TABLE_MESSAGE:
        if (const auto* message = static_cast<const CdocTableMessage*>(data)) {
            if (message->m_id >= wxGRIDTABLE_NOTIFY_ROWS_INSERTED && message->m_id <= wxGRIDTABLE_NOTIFY_ROWS_DELETED)
                m_table.OnTableMessage(*message);
            else if (message->m_id >= wxGRIDTABLE_NOTIFY_COLS_INSERTED &&
                     message->m_id <= wxGRIDTABLE_NOTIFY_COLS_DELETED)
                m_stale = true;
        }
        break;
    case HINT_CHANNEL_LAYOUT:
        m_stale = true;
        break;
    case HINT_RUN_STOPPED:
        ShowPendingRows();
        Rebuild();
        break;
    case HINT_NEW_DATA:
        ShowPendingRows();
        break;
    case HINT_SAMPLE_UPDATED:
        if (data)
            AddPendingRow(row());
        break;
    case HINT_SCROLL_TO:
    case HINT_SCROLL_FOLLOW:
        if (data)
            ScrollToRow(row(), guvHintCode(hint) == HINT_SCROLL_TO);
        break;
    case HINT_TOOL:
        SelectToolRow();
        break;
    default:
        break;
    }
}

void CguvTableView::AutoSizeColumn(int col)
{
    CguvTableWin* grid = GetGrid();
    if (!grid || col < 0 || col >= grid->GetNumberCols())
        return;
    const int rows = std::min(grid->GetNumberRows(), m_table.GetNumberRows());
    m_table.RefreshColumns();
    wxClientDC dc(grid->GetGridWindow());
    int width = 0;
    auto measure = [&](int row) { width = std::max(width, grid->GetCellBestWidth(dc, row, col)); };

    bool measured = false;
    if (const CdocField* field = m_table.GetColumnField(col)) {
        // The widest texts are those of the extreme values.
        const CxhwMinMax& range = field->m_dataRange;
        bool maxDone = !range.IsMaxSet();
        bool minDone = !range.IsMinSet();
        for (int row = 0; row < rows && !(maxDone && minDone); ++row) {
            const float sample = field->m_samples[row];
            if (!maxDone && sample == range.m_max) {
                measure(row);
                maxDone = measured = true;
            }
            if (!minDone && sample == range.m_min) {
                measure(row);
                minDone = measured = true;
            }
        }
    }
    if (!measured) {
        const int step = std::max(rows / 10, 1);
        for (int row = 0; row < rows; row += step)
            measure(row);
    }

    wxArrayString lines;
    grid->StringToLines(grid->GetColLabelValue(col), lines);
    dc.SetFont(grid->GetLabelFont());
    long labelWidth = 0;
    long labelHeight = 0;
    grid->GetTextBoxSize(dc, lines, &labelWidth, &labelHeight);
    width = std::max(width, int(grid->GetColLabelTextOrientation() == wxVERTICAL ? labelHeight : labelWidth));

    width = width == 0 ? grid->GetDefaultColSize() : width + 10;
    width = std::max(width, grid->GetColumnMinimalWidth(col));
    grid->SetColSize(col, width);
    if (!grid->GetBatchCount()) {
        int x = 0;
        int y = 0;
        grid->CalcScrolledPosition(grid->GetColumnLeft(col), 0, &x, &y);
        wxWindow* labels = grid->GetGridColLabelWindow();
        wxRect area(x, 0, labels->GetClientSize().x - x, labels->GetClientSize().y);
        labels->Refresh(true, &area);
    }
}

bool CguvTableView::RowsFitColumns(int first, int last)
{
    CguvTableWin* grid = GetGrid();
    if (!grid)
        return true;
    const int rows = std::min(grid->GetNumberRows(), m_table.GetNumberRows());
    const int cols = grid->GetNumberCols();
    if (rows <= 0 || cols <= 0)
        return true;
    first = std::clamp(first, 0, rows - 1);
    last = std::clamp(last, 0, rows - 1);
    wxClientDC dc(grid->GetGridWindow());
    for (int col = 0; col < cols; ++col) {
        int widest = 0;
        for (int row = first; row <= last; ++row)
            widest = std::max(widest, grid->GetCellBestWidth(dc, row, col));
        if (widest + 10 > grid->GetColSize(col))
            return false;
    }
    return true;
}

void CguvTableView::ShowPendingRows()
{
    CguvTableWin* grid = GetGrid();
    if (!grid || !IsGridShown() || m_pendingLast == -1)
        return;
    PumpBluetooth();
    const int cols = grid->GetNumberCols();
    if (m_pendingLast - m_pendingFirst >= kMaxMeasuredRows || !RowsFitColumns(m_pendingFirst, m_pendingLast)) {
        Rebuild();
    } else if (cols > 0) {
        const int rows = grid->GetNumberRows();
        const int first = std::clamp(m_pendingFirst, 0, std::max(rows - 1, 0));
        const int last = std::clamp(m_pendingLast, 0, std::max(rows - 1, 0));
        if (rows > 0) {
            const wxRect block =
                grid->BlockToDeviceRect(wxGridCellCoords(first, 0), wxGridCellCoords(last, cols - 1));
            if (!block.IsEmpty())
                grid->GetGridWindow()->Refresh(false, &block);
        }
    }
    m_pendingFirst = -1;
    m_pendingLast = -1;
}

int CguvTableView::GetLeftColumn()
{
    CguvTableWin* grid = GetGrid();
    if (!grid)
        return 0;
    int x = 0;
    int y = 0;
    grid->CalcUnscrolledPosition(0, 0, &x, &y);
    const int col = grid->XToCol(x);
    m_table.RefreshColumns();
    return m_table.IsListedColumn(col) && col < grid->GetNumberCols() ? col : 0;
}

void CguvTableView::ScrollToRow(int row, bool forced)
{
    CguvTableWin* grid = GetGrid();
    CdocDoc* doc = GetDocDoc();
    if (!grid || !doc)
        return;
    const int cols = grid->GetNumberCols();
    const int records = std::min(grid->GetNumberRows(), m_table.GetNumberRows());
    if (cols <= 0)
        return;
    if (!forced) {
        // Following stops while the row followed last is out of view: the
        // user has scrolled away to read.
        if (!IsGridShown())
            return;
        const int previous = doc->m_autoScroll;
        if (previous < 0 || previous >= records)
            return;
        bool seen = false;
        for (int col = 0; col < cols && !seen; ++col)
            seen = grid->IsVisible(previous, col, false);
        if (!seen)
            return;
    }
    row = std::min(row, records - 1);
    if (row < 0)
        return;
    const int col = GetLeftColumn();
    if (!grid->IsVisible(row, col, true)) {
        PumpBluetooth();
        ScrollToRowVisible(row, col);
    }
}

void CguvTableView::ScrollToRowVisible(int row, int col)
{
    CguvTableWin* grid = GetGrid();
    if (!grid || row < 0 || row >= grid->GetNumberRows() || col < 0 || col >= grid->GetNumberCols())
        return;
    const wxRect cell = grid->CellToRect(row, col);
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    grid->CalcScrolledPosition(cell.GetLeft(), cell.GetTop(), &left, &top);
    grid->CalcScrolledPosition(cell.GetRight(), cell.GetBottom(), &right, &bottom);
    int cw = 0;
    int ch = 0;
    grid->GetGridWindow()->GetClientSize(&cw, &ch);
    int unitX = 0;
    int unitY = 0;
    grid->GetScrollPixelsPerUnit(&unitX, &unitY);

    int ypos = -1;
    if (top < 0) {
        ypos = cell.GetTop();
    } else if (bottom > ch) {
        // The row ends about two thirds down, so that the rows after it
        // come into view before the next scroll.
        int height = cell.GetHeight();
        ypos = cell.GetTop();
        for (int i = row - 1; i >= 0; --i) {
            const int h = grid->GetRowSize(i);
            if (height + h > int(0.66 * ch))
                break;
            height += h;
            ypos -= h;
        }
        ypos += unitY;
    }
    int xpos = -1;
    if (left < 0 || cell.GetWidth() > cw) {
        xpos = cell.GetLeft();
    } else if (right > cw) {
        int x0 = 0;
        int y0 = 0;
        grid->CalcUnscrolledPosition(0, 0, &x0, &y0);
        xpos = x0 + (right - cw) + unitX;
    }
    if (xpos == -1 && ypos == -1)
        return;
    if (xpos != -1 && unitX > 0)
        xpos /= unitX;
    if (ypos != -1 && unitY > 0)
        ypos /= unitY;
    grid->Scroll(xpos, ypos);
    grid->AdjustScrollbars();
}

void CguvTableView::SelectToolRow()
{
    CguvTableWin* grid = GetGrid();
    CdocDoc* doc = GetDocDoc();
    if (!grid || !doc || !IsGridShown())
        return;
    PumpBluetooth();
    const CdocToolState& tool = doc->m_tool.m_now;
    const CdocField* x = doc->m_graph.GetFieldX();
    const bool indexX = x && (x->m_content == CONTENT_READING || x->m_content == CONTENT_ELAPSED_TIME);
    const bool hiding = tool.m_msg == TOOL_MSG_REMOVED || tool.m_msg == TOOL_MSG_DRAGGED;
    if (!hiding && !tool.m_active)
        return;
    if (hiding || !indexX) {
        grid->ClearSelection();
        return;
    }
    const int row = doc->m_tool.FindNearestSample(tool.m_fracX);
    if (row < 0 || row >= grid->GetNumberRows() || grid->GetNumberCols() <= 0)
        return;
    wxWindow* focus = wxWindow::FindFocus();
    if (focus != grid && (!focus || focus->GetParent() != grid))
        grid->SetFocus();
    const int col = GetLeftColumn();
    grid->SelectRow(row, false);
    grid->MakeCellVisible(row, col);
}

void CguvTableView::OnLabelRightClick(wxGridEvent& event)
{
    m_table.RefreshColumns();
    if (!appIsAllowed(FEATURE_CHANNEL_MENU))
        return;
    if (m_table.GetColumnField(event.GetCol()))
        ShowChannelOpsMenu(m_table.m_columns[size_t(event.GetCol())]);
}

void CguvTableView::OnLabelLeftClick(wxGridEvent& event)
{
    m_table.RefreshColumns();
    if (!appIsAllowed(FEATURE_CHANNEL_DETAILS))
        return;
    if (m_table.GetColumnField(event.GetCol()))
        ShowChannelDetails(m_table.m_columns[size_t(event.GetCol())]);
}

void CguvTableView::OnCellLeftClick(wxGridEvent& event)
{
    CdocDoc* doc = GetDocDoc();
    if (!doc)
        return;
    const int col = event.GetCol();
    m_table.RefreshColumns();
    if (!m_table.IsListedColumn(col)) {
        if (appIsAllowed(FEATURE_ADD_CHANNEL))
            doc->m_data.NewManualField(nullptr);
        return;
    }
    if (!appIsAllowed(FEATURE_TABLE_EDIT))
        return;
    const CdocField* field = m_table.GetColumnField(col);
    if (field && guvIsFixedContent(field->m_content)) {
        zxInfoBox(gumGetString(2480) + "\n\n" + gumGetString(2481));
        return;
    }
    // Selection and editing as the grid does them.
    event.Skip();
}

void CguvTableView::ShowChannelOpsMenu(CdocFieldKey key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelOpsMenu(GetWindow(), key);
}

void CguvTableView::ShowChannelDetails(CdocFieldKey key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelDetails(key, false);
}
