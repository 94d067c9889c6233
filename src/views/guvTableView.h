#pragma once
#include "views/guvTableGridTable.h"
#include "views/guvView.h"

class CguvTableWin;
class wxGridEvent;

// The table panel's view. The grid reads its cells through the grid table;
// the view keeps the grid's row and column counts in step with the document,
// shows the rows a run adds by repainting just them while they fit their
// columns, follows the newest row, mirrors the graph tool's cursor as the
// selected row, and turns clicks on labels and cells into the channel
// commands.
class CguvTableView : public CguvView
{
public:
    CguvTableView();
    ~CguvTableView() override;

    // Binds the grid table to the grid and sets the grid up.
    bool OnCreate(wxDocument* doc, long flags) override;
    // Clears the grid and takes the table from it.
    bool OnClose(bool deleteWindow) override;
    // The grid paints itself.
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;

    void OnLabelRightClick(wxGridEvent& event);
    void OnLabelLeftClick(wxGridEvent& event);
    void OnCellLeftClick(wxGridEvent& event);

    // Fits a column to its widest cell as the toolkit does, but measuring
    // only the rows of the channel's extreme values (or every tenth row).
    void AutoSizeColumn(int col);
    // Whether every cell of the rows fits its column.
    bool RowsFitColumns(int first, int last);
    // Shows the rows stored since the last time: repaints just them while
    // they fit the columns, else rebuilds.
    void ShowPendingRows();
    // Scrolls the row into view: always when forced, else only while the row
    // followed last is still in view.
    void ScrollToRow(int row, bool forced);
    // As the toolkit's MakeCellVisible, but a row below the view ends about
    // two thirds down the window.
    void ScrollToRowVisible(int row, int col);
    // Selects the record at the graph tool's cursor, or clears the selection.
    void SelectToolRow();

    CguvTableGridTable m_table;
    // Rows stored since the grid last showed new rows; -1, -1 when none.
    int m_pendingFirst = -1;
    int m_pendingLast = -1;
    // Set by column changes and layout hints: the next channel reset rebuilds.
    bool m_stale = false;

protected:
    // The document's channel operations menu and channel details for the
    // channel of a clicked column label.
    virtual void ShowChannelOpsMenu(CdocFieldKey key);
    virtual void ShowChannelDetails(CdocFieldKey key);

private:
    CguvTableWin* GetGrid();
    // The grid and its panel are shown.
    bool IsGridShown();
    // The listed column at the grid's left edge, else column 0.
    int GetLeftColumn();
    // Counts and columns anew from the document, and the whole grid repainted.
    void Rebuild();
    void Resync();
    // The rows pending widened by a stored record.
    void AddPendingRow(int row);

    wxDECLARE_DYNAMIC_CLASS(CguvTableView);
};
