#include "files/docFile.h"

#include "app/base/gumHelpers.h"
#include "document/docDoc.h"
#include "files/docNormaliseUnit.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace {

// The field of a header line that carries a channel number, checked against
// the channels read from "%%DataSize" (counted from 1).
CdocField* ChannelOf(CdocDoc& doc, long n)
{
    if (n < 1 || n > doc.m_data.m_fields.GetCount())
        return nullptr;
    return doc.m_data.m_fields.GetAt(int(n - 1));
}

void SetDataSource(CdocDoc& doc, int format)
{
    const bool own = format == DOC_FORMAT_OWN || format == DOC_FORMAT_TEMPLATE;
    doc.m_data.m_dataSource = own ? DATA_SOURCE_FILE : DATA_SOURCE_IMPORTED;
}

} // namespace

bool CdocFile::Read(CdocDoc& doc)
{
    SetDataSource(doc, m_format);
    doc.SetState(DOC_STATE_STOPPED);
    doc.ResetAfterClose();
    doc.m_data.m_interval = 0.0;
    // Notes lines append: a second attempt in another encoding starts afresh.
    doc.m_notes.clear();
    // A file without a "Doc" "Version" line is of the oldest version.
    doc.m_filePlatform = 2;
    doc.m_fileVersion = 0;
    doc.m_annotations.m_count = 0;
    doc.m_calcs.Clear();
    doc.m_predict.ClearPoints();
    doc.m_timing.m_timers.DeleteAll();

    wxString line;
    if (!ReadHeader(doc, line) || !ReadRows(doc, line)) {
        doc.ResetAfterClose();
        return false;
    }
    CdocData& data = doc.m_data;
    switch (m_format) {
    case DOC_FORMAT_OBD:
    case DOC_FORMAT_SID:
        TakeMarkerColumn(data);
        DetectTimeColumn(doc);
        DetectIndexColumn(doc);
        data.UpdateStartDateTime();
        doc.m_graph.ChooseDefaultAxes();
        data.AssignColours();
        doc.UpdateViews(HINT_DATA_RESET, nullptr);
        doc.PrepareLoadedData();
        break;
    case DOC_FORMAT_OWN:
    case DOC_FORMAT_TEMPLATE:
        TakeMarkerColumn(data);
        data.UpdateStartDateTime();
        data.AssignColours();
        doc.UpdateViews(HINT_DATA_RESET, nullptr);
        doc.PrepareLoadedData();
        break;
    default:
        break;
    }
    SetDataSource(doc, m_format);
    doc.SetState(DOC_STATE_STOPPED);
    doc.m_unsavedData = false;
    if (doc.m_owner)
        doc.m_owner->MarkSaved();
    return true;
}

bool CdocFile::ReadHeader(CdocDoc& doc, wxString& line)
{
    bool malformed = false;
    bool identifier = false;
    bool size = false;
    m_haveRow = false;
    m_stateColumns = 0;
    m_rawUnits.fill(wxString());
    CdocData& data = doc.m_data;
    while (!malformed && ReadLine(line)) {
        if (line.empty())
            continue;
        if (!line.StartsWith("%%")) {
            m_haveRow = true;
            break;
        }
        wxString key;
        wxString rest = line;
        docSplitField(key, rest);
        long n = 0;
        if (docSameName(key, "%%Identifier")) {
            wxString id;
            docSplitField(id, rest);
            if (docSameName(id, "QVD"))
                m_format = DOC_FORMAT_OWN;
            else if (docSameName(id, "QVT"))
                m_format = DOC_FORMAT_TEMPLATE;
            else if (docSameName(id, "OBD"))
                m_format = DOC_FORMAT_OBD;
            else
                m_format = DOC_FORMAT_SID;
            identifier = true;
        } else if (docSameName(key, "%%DataSize")) {
            long records = 0;
            long columns = 0;
            if (!docReadLongField(records, rest) || !docReadLongField(columns, rest)) {
                malformed = true;
                continue;
            }
            // The first size line made the channels the other lines refer
            // to; a repeated one changes nothing, so reading stays linear.
            if (size)
                continue;
            // Counts from the file are held to what a store can take.
            records = std::clamp(records, 0L, long(DOC_MAX_SAMPLES));
            columns = std::clamp(columns, 0L, long(DOC_MAX_FIELDS));
            if (columns > 0)
                data.AddFields(int(columns));
            m_columnCount = 0;
            for (int i = 0; i < data.m_fields.GetCount(); ++i) {
                CdocField* field = data.m_fields.GetAt(i);
                field->InitEmpty();
                m_columns[m_columnCount++] = CdocFieldKey(field->m_key, i, field);
            }
            data.m_maxRecords = int(records);
            data.SetRecords(int(records));
            size = true;
        } else if (docSameName(key, "%%Title")) {
            doc.m_title = rest;
        } else if (docSameName(key, "%%FieldName") || docSameName(key, "%%FieldUnits")) {
            if (!docReadLongField(n, rest)) {
                malformed = true;
                continue;
            }
            if (CdocField* field = ChannelOf(doc, n)) {
                if (docSameName(key, "%%FieldName")) {
                    field->m_name = rest;
                } else {
                    m_rawUnits[size_t(n - 1)] = rest;
                    field->m_unit = docNormaliseUnit(rest);
                }
            }
        } else if (docSameName(key, "%%MaxMin")) {
            double max = 0.0;
            double min = 0.0;
            if (!docReadLongField(n, rest) || !docReadNumberField(max, rest) || !docReadNumberField(min, rest)) {
                malformed = true;
                continue;
            }
            if (CdocField* field = ChannelOf(doc, n)) {
                const CxhwMinMax range(docFiniteOrNoValue(max), docFiniteOrNoValue(min));
                field->m_cal = range;
                field->m_def = range;
                field->m_now = range;
            }
        } else if (docSameName(key, "%%StartTime")) {
            data.SetStartTimeText(rest);
        } else if (docSameName(key, "%%StartDate")) {
            data.SetStartDateText(rest);
        } else if (docSameName(key, "%%Interval")) {
            double interval = 0.0;
            if (!docReadNumberField(interval, rest) || !std::isfinite(interval)) {
                malformed = true;
                continue;
            }
            data.m_interval = interval;
        } else if (docSameName(key, "%%Ombex_Notes")) {
            wxString text = rest;
            if (text.length() >= 2 && text.StartsWith("\"") && text.EndsWith("\""))
                text = text.Mid(1, text.length() - 2);
            if (m_format == DOC_FORMAT_OBD && text.length() >= 2 && text.StartsWith("`"))
                text.Remove(0, 1);
            doc.m_notes += text + "\n";
        } else if (docSameName(key, "%%Quorvanti")) {
            ReadSection(doc, rest);
        }
    }
    if (!m_haveRow)
        line.clear();
    AfterReadingState(doc);
    doc.m_fileBoxInfo = doc.m_boxInfo;
    return !malformed && identifier && size;
}

bool CdocFile::ReadRows(CdocDoc& doc, wxString& line)
{
    CdocData& data = doc.m_data;
    CdocFieldV& fields = data.m_fields;
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    const int count = std::min(fields.GetCount(), int(DOC_MAX_FIELDS));
    CdocField* columns[DOC_MAX_FIELDS] = {};
    for (int i = 0; i < count; ++i)
        columns[i] = fields.GetAt(i);
    for (int r = 0; r < records; ++r) {
        if (r > 0 || !m_haveRow) {
            do {
                if (!ReadLine(line))
                    return false;
            } while (line.empty());
        }
        // Cells end at the next comma; a missing cell is empty.
        const wchar_t* p = line.wc_str();
        const wchar_t* const end = p + line.length();
        for (int i = 0; i < count; ++i) {
            const wchar_t* cellEnd = p;
            while (cellEnd < end && *cellEnd != L',')
                ++cellEnd;
            // A cell that does not begin with a number holds no value.
            const float value = p == cellEnd ? DOC_NO_VALUE : docReadCell(p, size_t(cellEnd - p));
            p = cellEnd < end ? cellEnd + 1 : end;
            CdocField& field = *columns[i];
            field.m_samples[r] = value;
            field.m_unsmoothed[r] = value;
            field.m_dataRange.Extend(value);
        }
    }
    return true;
}

float docReadCell(const wchar_t* cell, size_t length)
{
    // The common cell, digits with a point and perhaps a minus sign, is read
    // here; its value is the one the general reader gives, whatever the
    // locale (short enough that it can neither overflow nor underflow).
    char narrow[24];
    bool plain = length > 0 && length < sizeof narrow;
    bool digit = false;
    for (size_t i = 0; plain && i < length; ++i) {
        const wchar_t c = cell[i];
        if (c >= L'0' && c <= L'9')
            digit = true;
        else if (c != L'.' && !(c == L'-' && i == 0))
            plain = false;
        narrow[i] = char(c);
    }
    double x = double(DOC_NO_VALUE);
    if (plain && digit) {
        const std::from_chars_result done = std::from_chars(narrow, narrow + length, x, std::chars_format::fixed);
        if (done.ec == std::errc() && done.ptr == narrow + length)
            return docFiniteOrNoValue(x);
        x = double(DOC_NO_VALUE);
    }
    gumStringToDouble(wxString(cell, length), &x);
    return docFiniteOrNoValue(x);
}

void CdocFile::TakeMarkerColumn(CdocData& data)
{
    CdocFieldKey key;
    const int count = data.m_fields.GetCount();
    const bool own = m_format == DOC_FORMAT_OWN || m_format == DOC_FORMAT_TEMPLATE;
    if (own && m_stateColumns > 0) {
        // Only the column the writer added after the channels is the marker
        // column: a channel of the user's named "Marker" stays a channel.
        if (count != m_stateColumns + 1 || !data.m_fields.FindMarker(key, count - 1))
            return;
    } else if (!data.m_fields.FindMarker(key, 0)) {
        return;
    }
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    for (int r = 0; r < records; ++r) {
        const float x = key.m_field->m_samples[r];
        if (!docIsNoValue(x) && x != 0.0f)
            data.m_marks[size_t(r)] = 1;
    }
    data.RemoveField(key);
}

bool CdocFile::ReadDocKey(CdocDoc& doc, const wxString& key, wxString value)
{
    if (docSameName(key, "Title")) {
        doc.m_title = value;
        return true;
    }
    long n = 0;
    const bool known = docSameName(key, "Platform") || docSameName(key, "Version") ||
                       docSameName(key, "Activity") || docSameName(key, "Overlay") ||
                       docSameName(key, "Colours") || docSameName(key, "ViewTitle") ||
                       docSameName(key, "ViewTable") || docSameName(key, "ViewGauge") ||
                       docSameName(key, "ViewDigits") || docSameName(key, "ViewTimeAndDate") ||
                       docSameName(key, "GraphTimeAndDate");
    if (!known)
        return true; // written only
    if (!docReadLongField(n, value))
        return false;
    if (docSameName(key, "Platform"))
        doc.m_filePlatform = int(std::clamp(n, long(INT_MIN), long(INT_MAX)));
    else if (docSameName(key, "Version"))
        doc.m_fileVersion = int(std::clamp(n, long(INT_MIN), long(INT_MAX)));
    else if (docSameName(key, "Activity")) {
        if (n >= ACTIVITY_AUTOLOG && n <= ACTIVITY_SCOPE)
            doc.SetActivity(int(n));
    } else if (docSameName(key, "Overlay"))
        doc.m_overlay = n != 0;
    else if (docSameName(key, "Colours"))
        doc.m_colours = int(std::clamp(n, long(INT_MIN), long(INT_MAX)));
    else if (docSameName(key, "ViewTitle"))
        doc.m_viewTitle = n != 0;
    else if (docSameName(key, "ViewTable"))
        doc.m_viewTable = n != 0;
    else if (docSameName(key, "ViewGauge"))
        doc.m_viewGauge = n != 0;
    else if (docSameName(key, "ViewDigits"))
        doc.m_viewDigits = n != 0;
    else if (docSameName(key, "ViewTimeAndDate"))
        doc.m_viewTimeAndDate = n != 0;
    else if (docSameName(key, "GraphTimeAndDate"))
        doc.m_graphTimeAndDate = n != 0;
    if (doc.m_fileVersion <= 5) {
        doc.m_colours = 0;
        doc.m_graphTimeAndDate = false;
    } else if (doc.m_fileVersion == 6) {
        doc.m_graphTimeAndDate = false;
    }
    return true;
}

bool docSplitField(wxString& field, wxString& line)
{
    size_t pos = 0;
    docFieldAt(field, line, pos);
    line.erase(0, pos);
    return true;
}

void docFieldAt(wxString& field, const wxString& line, size_t& pos)
{
    const size_t length = line.length();
    if (pos >= length) {
        field.clear();
        pos = length;
        return;
    }
    const wchar_t* text = line.wc_str();
    int quotes = 0;
    for (size_t i = pos; i < length; ++i) {
        const wchar_t c = text[i];
        if (c == L'"') {
            ++quotes;
        } else if (c == L',' && quotes % 2 == 0) {
            field.assign(text + pos, i - pos);
            pos = i + 1;
            return;
        }
    }
    field.assign(text + pos, length - pos);
    pos = length;
}

bool docNextField(wxString& field, wxString& line)
{
    return docSplitField(field, line);
}

bool docReadLongField(long& value, wxString& line)
{
    wxString field;
    docSplitField(field, line);
    field.Trim(false);
    return field.ToLong(&value, 10);
}

bool docReadNumberField(double& value, wxString& line)
{
    wxString field;
    docSplitField(field, line);
    return gumStringToDouble(field, &value);
}
