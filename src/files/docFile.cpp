#include "files/docFile.h"

#include "app/gumHelpers.h"
#include "app/gumResCore.h"
#include "document/docDoc.h"

#include <algorithm>

namespace {

const char* const kMarker = "%%Quorvanti";

wxString Flag(bool value) { return value ? "1" : "0"; }

wxString Whole(long value) { return wxString::Format("%ld", value); }

// Numbers with decimals are written with "." whatever the locale.
wxString Fixed(int decimals, double value)
{
    wxString text;
    gumFormatFixed(text, std::clamp(decimals, 0, 15), value);
    return text;
}

} // namespace

CdocFile::~CdocFile() = default;

void CdocFile::CollectColumns(CdocDoc& doc)
{
    const CdocFieldV& fields = doc.m_data.m_fields;
    m_columnCount = 0;
    auto append = [this](const CdocField* field, int position) {
        if (m_columnCount < DOC_MAX_FIELDS)
            m_columns[m_columnCount++] = CdocFieldKey(field->m_key, position, const_cast<CdocField*>(field));
    };
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_READING))
        append(key.m_field, key.m_index);
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        append(key.m_field, key.m_index);
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* field = fields.GetAt(i);
        if (field->m_content != CONTENT_READING && field->m_content != CONTENT_ELAPSED_TIME)
            append(field, i);
    }
}

bool CdocFile::HasMarks(CdocData& data) const
{
    return data.HasMarks();
}

void CdocFile::Write(CdocDoc& doc)
{
    m_timeAndDate = false;
    WriteIdentifier(doc);
    WriteRows(doc.m_data);
}

void CdocFile::WriteIdentifier(CdocDoc& doc)
{
    m_quote.clear();
    m_separator = ",";
    CollectColumns(doc);
    switch (m_format) {
    case DOC_FORMAT_OBD:
        WriteLine("%%Identifier,OBD");
        WriteHeader(doc);
        break;
    case DOC_FORMAT_SID:
        WriteLine("%%Identifier,SID");
        WriteHeader(doc);
        break;
    case DOC_FORMAT_TEMPLATE:
        WriteLine("%%Identifier,QVT");
        WriteHeader(doc);
        WriteNotes(doc);
        WriteState(doc);
        break;
    default:
        WriteLine("%%Identifier,QVD");
        WriteHeader(doc);
        WriteNotes(doc);
        WriteState(doc);
        break;
    }
}

void CdocFile::WriteHeader(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    const bool marks = HasMarks(data);
    WriteLine(wxString::Format("%%%%DataSize,%d,%d", data.m_records, m_columnCount + (marks ? 1 : 0)));
    WriteLine("%%Title," + doc.m_title);
    for (int i = 0; i < m_columnCount; ++i) {
        const CdocField* field = data.m_fields.Find(m_columns[i]);
        if (!field)
            continue;
        CxhwMinMax range = field->m_cal;
        range.SetIfUnset(field->m_def.m_min, field->m_def.m_max);
        range.SetIfUnset(0.0f, 100.0f);
        range.Normalise();
        WriteFieldHeader(i + 1, field->m_name, field->m_unit, field->m_descript, field->m_places, range.m_min,
                         range.m_max);
    }
    if (marks)
        WriteFieldHeader(m_columnCount + 1, "Marker", "Mark", gumGetString(2485), 0, 0.0f, 1.0f);
    if (data.m_startTime > 0)
        WriteLine(wxString::Format("%%%%StartTime,%6.6d", data.m_startTime));
    if (data.m_startDate > 0)
        WriteLine(wxString::Format("%%%%StartDate,%6.6d", data.m_startDate));
    WriteLine("%%Interval," + Fixed(5, data.m_interval));
    WriteLine("%%Comment," + doc.m_defaultTitle);
}

void CdocFile::WriteFieldHeader(int column, const wxString& name, const wxString& units, const wxString& description,
                                int places, float min, float max)
{
    const wxString number = Whole(column);
    WriteLine("%%FieldName," + number + "," + name.Left(15));
    WriteLine("%%FieldUnits," + number + "," + units.Left(15));
    WriteLine("%%FieldDescription," + number + "," + description.Left(200));
    WriteLine("%%MaxMin," + number + "," + Fixed(places, max) + m_separator + Fixed(places, min));
}

void CdocFile::WriteNotes(CdocDoc& doc)
{
    wxString notes = doc.m_notes;
    if (notes.empty())
        return;
    if (notes.EndsWith("\n"))
        notes.RemoveLast();
    for (const wxString& line : wxSplit(notes, '\n', '\0'))
        WriteLine("%%Ombex_Notes,\"" + line + "\"");
}

void CdocFile::WriteStateLine(const wxString& section, const wxString& key, const wxString& value)
{
    WriteLine(wxString(kMarker) + "," + section + "," + key + "," + value);
}

// Only the document's own section so far; the parts' sections are to come.
void CdocFile::WriteState(CdocDoc& doc)
{
    const wxString doc_ = "Doc";
    WriteStateLine(doc_, "Platform", "2");
    WriteStateLine(doc_, "Version", Whole(DOC_VERSION));
    WriteStateLine(doc_, "State", Whole(doc.m_state));
    WriteStateLine(doc_, "Activity", Whole(doc.m_activity));
    WriteStateLine(doc_, "Overlay", Flag(doc.m_overlay));
    WriteStateLine(doc_, "UnsavedData", Flag(doc.m_unsavedData));
    WriteStateLine(doc_, "TimerRecursionLock", Flag(doc.m_timerRecursionLock));
    WriteStateLine(doc_, "WaitingForFind", Flag(doc.m_waitingForFind));
    WriteStateLine(doc_, "Colours", Whole(doc.m_colours));
    WriteStateLine(doc_, "ViewTitle", Flag(doc.m_viewTitle));
    WriteStateLine(doc_, "ViewTable", Flag(doc.m_viewTable));
    WriteStateLine(doc_, "ViewGauge", Flag(doc.m_viewGauge));
    WriteStateLine(doc_, "ViewDigits", Flag(doc.m_viewDigits));
    WriteStateLine(doc_, "ViewTimeAndDate", Flag(doc.m_viewTimeAndDate));
    WriteStateLine(doc_, "GraphTimeAndDate", Flag(doc.m_graphTimeAndDate));
    WriteStateLine(doc_, "AutoScroll", Whole(doc.m_autoScroll));
    WriteStateLine(doc_, "AutoScrollPending", Whole(doc.m_autoScrollPending));
    WriteStateLine(doc_, "AutoScrollCount", Whole(doc.m_autoScrollCount));
    WriteStateLine(doc_, "DefaultTitle", doc.m_defaultTitle);
    WriteStateLine(doc_, "Title", doc.m_title);
}

void CdocFile::WriteRows(CdocData& data)
{
    const bool marks = HasMarks(data);
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    const CdocFieldV& fields = data.m_fields;
    for (int r = 0; r < records; ++r) {
        wxString row;
        for (int i = 0; i < fields.GetCount(); ++i) {
            const CdocField& field = *fields.GetAt(i);
            if (i > 0)
                row += m_separator;
            row += field.GetPlainValueText(field.m_places + 1, field.m_samples[r]);
        }
        if (marks)
            row += m_separator + (data.m_marks[size_t(r)] ? "1" : "0");
        WriteLine(row);
    }
}
