#include "views/guvTableGridTable.h"

#include "app/base/gumHelpers.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxes.h"
#include "views/guvTableView.h"

#include <algorithm>
#include <wx/dcclient.h>
#include <wx/intl.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvTableGridTable, wxGridTableBase);

namespace {

// The pixels a row label's frame takes from its text's width.
constexpr int kLabelBorder = 6;

void PumpBluetooth()
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
}

} // namespace

bool guvIsFixedContent(int content)
{
    switch (content) {
    case CONTENT_READING:
    case CONTENT_ELAPSED_TIME:
    case CONTENT_SENSOR:
    case CONTENT_STORED_SENSOR:
    case CONTENT_TIMING:
    case CONTENT_STORED_TIMING:
        return true;
    default:
        return false;
    }
}

CguvTableGridTable::CguvTableGridTable(CguvTableView* owner) : m_owner(owner) {}

CguvTableGridTable::~CguvTableGridTable()
{
    // A grid that outlives its view must not read a table that is gone.
    wxGrid* grid = GetView();
    if (grid && grid->GetTable() == this) {
        grid->SetTable(nullptr, false);
        grid->CreateGrid(0, 0);
    }
}

CdocDoc* CguvTableGridTable::GetDocDoc() const
{
    return m_owner ? m_owner->GetDocDoc() : nullptr;
}

void CguvTableGridTable::RefreshColumns()
{
    m_count = 0;
    CdocDoc* doc = GetDocDoc();
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    CdocFieldKey time;
    if ((fields.FindContent(time, 0, CONTENT_ELAPSED_TIME) || fields.FindContent(time, 0, CONTENT_READING)) &&
        time.m_field->m_show)
        m_columns[size_t(m_count++)] = time;
    if (doc->CanShowTableTimeAndDate())
        m_columns[size_t(m_count++)] = CdocFieldKey();
    for (int n = 0; n < fields.GetCount() && m_count < TABLE_MAX_COLUMNS; ++n) {
        CdocField* field = fields.GetAt(n);
        if (field->m_content == CONTENT_READING || field->m_content == CONTENT_ELAPSED_TIME || !field->m_show)
            continue;
        m_columns[size_t(m_count++)] = CdocFieldKey(field->m_key, n, field);
    }
}

CdocField* CguvTableGridTable::GetColumnField(int col)
{
    if (!IsListedColumn(col) || m_columns[size_t(col)].IsEmpty())
        return nullptr;
    CdocDoc* doc = GetDocDoc();
    return doc ? doc->m_data.m_fields.Find(m_columns[size_t(col)]) : nullptr;
}

int CguvTableGridTable::GetNumberRows()
{
    CdocDoc* doc = GetDocDoc();
    return doc ? std::clamp(doc->m_data.m_records, 0, DOC_MAX_SAMPLES) : 0;
}

int CguvTableGridTable::GetNumberCols()
{
    RefreshColumns();
    return m_count;
}

wxString CguvTableGridTable::GetValue(int row, int col)
{
    m_text.clear();
    RefreshColumns();
    CdocDoc* doc = GetDocDoc();
    if (!doc || row < 0 || row >= GetNumberRows() || !IsListedColumn(col))
        return m_text;
    if (m_columns[size_t(col)].IsEmpty())
        doc->GetSampleTimeAndDate(m_text, row);
    else if (const CdocField* field = GetColumnField(col))
        m_text = field->GetDisplayText(field->m_places, field->m_samples[row]);
    return m_text;
}

void CguvTableGridTable::SetValue(int row, int col, const wxString& value)
{
    double number = DOC_NO_VALUE;
    gumStringToDouble(value, &number);
    RefreshColumns();
    CdocDoc* doc = GetDocDoc();
    if (!doc || row < 0 || row >= GetNumberRows())
        return;
    CdocField* field = GetColumnField(col);
    if (!field)
        return;
    field->SetSample(row, float(number));
    if (doc->m_calcs.RecalculateIfUses(field))
        doc->m_data.UpdateFits();
    else
        field->FitStraightLine(doc->m_data.m_records, doc->m_graph.GetFieldX());
    doc->m_graph.ShareScales();
    doc->ModifyAndUpdateViews(HINT_VALUE_EDITED, nullptr);
}

wxString CguvTableGridTable::GetRowLabelValue(int row)
{
    CdocDoc* doc = GetDocDoc();
    if (doc && row >= 0 && row < std::min(doc->m_data.m_records, DOC_MAX_SAMPLES) && doc->m_data.m_marks[size_t(row)])
        return wxString::Format("> %d", row + 1);
    return wxString::Format("%d", row + 1);
}

wxString CguvTableGridTable::GetColLabelValue(int col)
{
    RefreshColumns();
    if (!IsListedColumn(col))
        return wxGridTableBase::GetColLabelValue(col);
    if (m_columns[size_t(col)].IsEmpty())
        return _("Time and Date");
    const CdocField* field = GetColumnField(col);
    return field ? field->GetNameUnitsTwoLines() : wxString();
}

void CguvTableGridTable::Notify(int id, int a, int b)
{
    wxGrid* grid = GetView();
    if (!grid)
        return;
    PumpBluetooth();
    wxGridTableMessage message(this, id, a, b);
    grid->ProcessTableMessage(message);
}

void CguvTableGridTable::Clear()
{
    if (GetView()) {
        if (m_knownRows > 0)
            Notify(wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, m_knownRows);
        if (m_knownCols > 0)
            Notify(wxGRIDTABLE_NOTIFY_COLS_DELETED, 0, m_knownCols);
    }
    m_knownRows = 0;
    m_knownCols = 0;
}

void CguvTableGridTable::OnAttached()
{
    wxGrid* grid = GetView();
    m_knownRows = grid ? grid->GetNumberRows() : 0;
    m_knownCols = grid ? grid->GetNumberCols() : 0;
}

bool CguvTableGridTable::SyncSize()
{
    const int rows = GetNumberRows();
    const int cols = GetNumberCols();
    const int rowsWere = m_knownRows;
    const int colsWere = m_knownCols;
    m_knownRows = rows;
    m_knownCols = cols;
    if (rows == rowsWere && cols == colsWere)
        return false;
    if (!GetView())
        return true;
    if (rows > rowsWere)
        Notify(wxGRIDTABLE_NOTIFY_ROWS_INSERTED, 0, rows - rowsWere);
    else if (rows < rowsWere)
        Notify(wxGRIDTABLE_NOTIFY_ROWS_DELETED, 0, rowsWere - rows);
    if (cols > colsWere)
        Notify(wxGRIDTABLE_NOTIFY_COLS_INSERTED, 0, cols - colsWere);
    else if (cols < colsWere)
        Notify(wxGRIDTABLE_NOTIFY_COLS_DELETED, 0, colsWere - cols);
    return true;
}

void CguvTableGridTable::OnTableMessage(const CdocTableMessage& message)
{
    // The grid never hears of rows that the store does not hold, nor of
    // more rows gone than it knows.
    int id = message.m_id;
    int a = message.m_int1;
    int b = message.m_int2;
    const int room = std::max(GetNumberRows() - m_knownRows, 0);
    switch (id) {
    case wxGRIDTABLE_NOTIFY_ROWS_INSERTED:
        a = std::clamp(a, 0, m_knownRows);
        b = std::clamp(b, 0, room);
        m_knownRows += b;
        break;
    case wxGRIDTABLE_NOTIFY_ROWS_APPENDED:
        a = std::clamp(a, 0, room);
        m_knownRows += a;
        break;
    case wxGRIDTABLE_NOTIFY_ROWS_DELETED:
        a = std::clamp(a, 0, m_knownRows);
        b = std::clamp(b, 0, m_knownRows - a);
        m_knownRows -= b;
        break;
    default:
        return;
    }
    const bool changes = id == wxGRIDTABLE_NOTIFY_ROWS_APPENDED ? a > 0 : b > 0;
    if (changes && GetView() && GetView()->GetTable())
        Notify(id, a, b);
    PumpBluetooth();
}

void CguvTableGridTable::SetupColumns(int first, int count)
{
    wxGrid* grid = GetView();
    if (!grid)
        return;
    grid->SetRowLabelAlignment(wxALIGN_RIGHT, wxALIGN_CENTRE);
    grid->SetColLabelAlignment(wxALIGN_RIGHT, wxALIGN_CENTRE);
    {
        wxClientDC dc(grid);
        dc.SetFont(grid->GetLabelFont());
        // With room for the border the toolkit draws inside each label.
        grid->SetRowLabelSize(dc.GetTextExtent("> 88888").x + kLabelBorder);
    }
    if (count == 0)
        return;

    // A cell being typed into keeps its editor to the end.
    if (grid->IsCellEditControlEnabled())
        grid->DisableCellEditControl();
    RefreshColumns();
    const int cols = grid->GetNumberCols();
    first = std::max(first, 0);
    const int last = count < 0 ? cols : std::min(cols, first + count);
    for (int col = first; col < last; ++col) {
        auto* attr = new wxGridCellAttr;
        if (const CdocField* field = GetColumnField(col)) {
            const wxString type = wxString::Format("double:8,%d", std::clamp(field->m_places, 0, 20));
            attr->SetRenderer(grid->GetDefaultRendererForType(type));
            attr->SetEditor(grid->GetDefaultEditorForType(type));
            attr->SetReadOnly(guvIsFixedContent(field->m_content));
            attr->SetTextColour(field->m_colour.IsOk()
                                    ? wxColour(field->m_colour.Red(), field->m_colour.Green(), field->m_colour.Blue())
                                    : *wxBLACK);
        } else {
            attr->SetRenderer(grid->GetDefaultRendererForType(wxGRID_VALUE_STRING));
            attr->SetEditor(grid->GetDefaultEditorForType(wxGRID_VALUE_STRING));
            attr->SetReadOnly(true);
            attr->SetTextColour(*wxBLACK);
        }
        grid->SetColAttr(col, attr);
        PumpBluetooth();
    }
    grid->SetColLabelSize(wxGRID_AUTOSIZE);

    if (m_owner && long(GetNumberRows()) * long(cols) > 100) {
        grid->BeginBatch();
        for (int col = first; col < last; ++col)
            m_owner->AutoSizeColumn(col);
        grid->EndBatch();
    } else {
        grid->AutoSizeColumns(false);
    }
}
