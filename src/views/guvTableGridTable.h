#pragma once
#include "data/docFieldKey.h"

#include <array>
#include <wx/grid.h>

class CdocDoc;
class CdocField;
class CguvTableView;
struct CdocTableMessage;

// Columns of the table: every channel and the time-and-date column.
constexpr int TABLE_MAX_COLUMNS = 21;

// The kinds of channel whose values come from a logger or a run and cannot
// be typed into the table.
bool guvIsFixedContent(int content);

// The table grid's data source: it reads every cell straight from the
// document's channels when the grid asks, so that nothing is copied, and
// tells the grid how many rows and columns there are.
//
// Columns: the time channel (elapsed time, else the reading number) when it
// is shown, the time-and-date column when the document offers it, then every
// other shown channel in channel order. Row r is record r.
class CguvTableGridTable : public wxGridTableBase
{
public:
    explicit CguvTableGridTable(CguvTableView* owner = nullptr);
    ~CguvTableGridTable() override;

    int GetNumberRows() override;
    int GetNumberCols() override;
    bool IsEmptyCell(int row, int col) override { return false; }
    wxString GetValue(int row, int col) override;
    // A text that is not a number stores no value.
    void SetValue(int row, int col, const wxString& value) override;
    // Tells the grid that every row and column it knows is gone.
    void Clear() override;
    // Rows and columns follow the document alone.
    bool InsertRows(size_t, size_t) override { return false; }
    bool AppendRows(size_t) override { return false; }
    bool DeleteRows(size_t, size_t) override { return false; }
    bool InsertCols(size_t, size_t) override { return false; }
    bool AppendCols(size_t) override { return false; }
    bool DeleteCols(size_t, size_t) override { return false; }
    // "3", or "> 3" for a marked record.
    wxString GetRowLabelValue(int row) override;
    wxString GetColLabelValue(int col) override;
    void SetRowLabelValue(int, const wxString&) override {}
    void SetColLabelValue(int, const wxString&) override {}

    // Lists the columns of the document as it is now.
    void RefreshColumns();
    // Tells the grid the rows and columns added or removed since it was last
    // told; whether anything changed.
    bool SyncSize();
    // Labels, and for the columns from the first (count below 0: all of
    // them, 0: the labels alone) their renderer, editor, colour, read-only
    // state and width.
    void SetupColumns(int first, int count);
    // A row change the document posted, passed on to the grid.
    void OnTableMessage(const CdocTableMessage& message);
    // The grid was given this table: it has taken its sizes from it.
    void OnAttached();

    // The channel of a listed column (after RefreshColumns), or none for the
    // time-and-date column and outside the list.
    CdocField* GetColumnField(int col);
    // Whether a column is listed (after RefreshColumns).
    bool IsListedColumn(int col) const { return col >= 0 && col < m_count; }

    CguvTableView* m_owner = nullptr;
    wxString m_text;
    // The row and column counts the grid has been told.
    int m_knownRows = 0;
    int m_knownCols = 0;
    int m_count = 0;
    // An empty key stands for the time-and-date column.
    std::array<CdocFieldKey, TABLE_MAX_COLUMNS> m_columns;

private:
    CdocDoc* GetDocDoc() const;
    // Hands a row or column message to the grid, giving the logger manager's
    // Bluetooth work a turn first.
    void Notify(int id, int a, int b);

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CguvTableGridTable);
};
