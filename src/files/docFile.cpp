#include "files/docFile.h"

#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <wx/intl.h>

namespace {

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
    m_timeAndDate = m_format == DOC_FORMAT_TABLE_COPY && doc.CanShowTableTimeAndDate();
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
    case DOC_FORMAT_CSV:
        m_quote = "\"";
        WriteColumnTitles(doc.m_data);
        break;
    case DOC_FORMAT_TSV:
        m_separator = "\t";
        m_quote = "\"";
        WriteColumnTitles(doc.m_data);
        break;
    case DOC_FORMAT_TEXT:
    case DOC_FORMAT_TABLE_COPY:
        m_separator = "\t";
        WriteColumnTitles(doc.m_data);
        break;
    case DOC_FORMAT_MARKER_TEXT:
        m_separator = "\t";
        WriteTableText(doc.m_data);
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

wxString CdocFile::Quoted(const wxString& text) const
{
    wxString inner = docOneLine(text);
    // Quotes inside a quoted cell are doubled, so the cell reads back whole.
    if (!m_quote.empty())
        inner.Replace(m_quote, m_quote + m_quote);
    return m_quote + inner + m_quote;
}

void CdocFile::WriteColumnTitles(CdocData& data)
{
    const bool marks = HasMarks(data);
    wxString names;
    wxString units;
    for (int i = 0; i < m_columnCount; ++i) {
        const CdocField* field = data.m_fields.Find(m_columns[i]);
        if (i > 0) {
            names += m_separator;
            units += m_separator;
        }
        names += Quoted(field ? field->m_name : wxString());
        units += Quoted(field ? field->m_unit : wxString());
    }
    if (marks) {
        names += m_separator + Quoted("Marker");
        units += m_separator + Quoted("Mark");
    }
    if (m_timeAndDate) {
        if (!names.empty()) {
            names += m_separator;
            units += m_separator;
        }
        names += Quoted(wxGetTranslation("Time and Date"));
        units += Quoted(wxString());
    }
    WriteLine(names);
    WriteLine(units);
}

void CdocFile::WriteTableText(CdocData& data)
{
    wxString line;
    for (int i = 0; i < m_columnCount; ++i) {
        const CdocField* field = data.m_fields.Find(m_columns[i]);
        if (!field)
            continue;
        if (i > 0)
            line += m_separator;
        line += docOneLine(field->m_name);
        if (field->m_unit != "mark")
            line += " (" + docOneLine(field->m_unit) + ")";
    }
    if (HasMarks(data))
        line += m_separator + "Marker";
    WriteLine(line);
}

void CdocFile::WriteHeader(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    const bool marks = HasMarks(data);
    WriteLine(wxString::Format("%%%%DataSize,%d,%d", data.m_records, m_columnCount + (marks ? 1 : 0)));
    WriteLine("%%Title," + docOneLine(doc.m_title));
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
    WriteLine("%%Comment," + docOneLine(doc.m_defaultTitle));
}

void CdocFile::WriteFieldHeader(int column, const wxString& name, const wxString& units, const wxString& description,
                                int places, float min, float max)
{
    const wxString number = Whole(column);
    WriteLine("%%FieldName," + number + "," + docOneLine(name.Left(15)));
    WriteLine("%%FieldUnits," + number + "," + docOneLine(units.Left(15)));
    WriteLine("%%FieldDescription," + number + "," + docOneLine(description.Left(200)));
    WriteLine("%%MaxMin," + number + "," + Fixed(places, max) + m_separator + Fixed(places, min));
}

void CdocFile::WriteNotes(CdocDoc& doc)
{
    wxString notes = doc.m_notes;
    if (notes.empty())
        return;
    notes.Replace("\r\n", "\n");
    notes.Replace("\r", "\n");
    if (notes.EndsWith("\n"))
        notes.RemoveLast();
    for (const wxString& line : wxSplit(notes, '\n', '\0'))
        WriteLine("%%Ombex_Notes,\"" + line + "\"");
}

void CdocFile::WriteRows(CdocData& data)
{
    const bool marks = HasMarks(data);
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    CdocField* fields[DOC_MAX_FIELDS] = {};
    for (int i = 0; i < m_columnCount; ++i)
        fields[i] = data.m_fields.Find(m_columns[i]);
    // Rows in column order, so that they agree with the header's numbering.
    // Cells are formatted without the locale ("." always), as "%0.*f" does
    // with one decimal more than the channel shows.
    const std::string separator = m_separator.ToStdString();
    std::string row;
    char cell[400];
    for (int r = 0; r < records; ++r) {
        row.clear();
        for (int i = 0; i < m_columnCount; ++i) {
            if (i > 0)
                row += separator;
            const CdocField* field = fields[i];
            if (!field || docIsNoValue(field->m_samples[r]))
                continue;
            const int places = std::clamp(field->m_places + 1, 0, 30);
            const std::to_chars_result done = std::to_chars(cell, cell + sizeof cell, double(field->m_samples[r]),
                                                            std::chars_format::fixed, places);
            if (done.ec == std::errc())
                row.append(cell, done.ptr);
        }
        if (marks)
            row += separator + (data.m_marks[size_t(r)] ? "1" : "0");
        wxString line = wxString::FromAscii(row.c_str());
        if (m_timeAndDate) {
            // Month and weekday names come from the language: not ASCII.
            wxString moment;
            if (data.m_doc)
                data.m_doc->GetSampleTimeAndDate(moment, r);
            line += m_separator + moment;
        }
        WriteLine(line);
    }
}
