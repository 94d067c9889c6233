#include "files/docFile.h"

#include "app/base/gumResCore.h"
#include "document/docDoc.h"

#include <cmath>
#include <wx/intl.h>

namespace {

constexpr int kIdentComputed = 253;

bool NameHas(const CdocField& field, std::initializer_list<wxString> words)
{
    const wxString name = field.m_name.Lower();
    for (const wxString& word : words)
        if (!word.empty() && name.Contains(word))
            return true;
    return false;
}

// Units per second of a time column's units word; false when it is none.
bool UnitsPerSecond(const wxString& units, float& perSecond)
{
    struct Words
    {
        const char* list;
        float perSecond;
    };
    static const Words table[] = {
        {"#us#microsecond#microseconds#", 1000000.0f}, {"#ms#millisecond#milliseconds#", 1000.0f},
        {"#s#second#seconds#sec#secs#", 1.0f},         {"#m#minute#minutes#min#mins#", 1.0f / 60.0f},
        {"#h#hour#hours#hr#hrs#", 1.0f / 3600.0f},     {"#d#day#days#", 1.0f / 86400.0f},
    };
    const wxString word = "#" + units.Lower() + "#";
    for (const Words& w : table) {
        if (wxGetTranslation(w.list).Contains(word)) {
            perSecond = w.perSecond;
            return true;
        }
    }
    return false;
}

bool CountsUp(const CdocField& field, int records, float first)
{
    constexpr float kTolerance = 0.00001f;
    for (int j = 0; j < records; ++j)
        if (!(std::fabs(field.m_samples[j] - (first + float(j))) <= kTolerance))
            return false;
    return true;
}

} // namespace

void CdocFile::DetectTimeColumn(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    CdocFieldKey key;
    if (data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        return;
    // Only the first column may be the time column.
    CdocField* first = data.m_fields.GetAt(0);
    if (first && NameHas(*first, {"time", gumGetString(841)})) {
        first->m_content = CONTENT_ELAPSED_TIME;
        first->m_ident = kIdentComputed;
        // The units as the file wrote them: "us" is microseconds before it
        // becomes the display form.
        wxString units = first->m_unit;
        for (int i = 0; i < m_columnCount; ++i)
            if (m_columns[i].m_field == first)
                units = m_rawUnits[size_t(i)];
        float perSecond = 1.0f;
        if (UnitsPerSecond(units, perSecond) || UnitsPerSecond(first->m_unit, perSecond))
            first->m_gain = perSecond;
        return;
    }
    if (data.m_interval == 0.0 || !std::isfinite(data.m_interval))
        return;
    const int records = data.m_records;
    if (!data.AddTimeField(false, false) || !data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        return;
    key.m_field->SetTimeAxis(data.m_interval, std::max(records - 1, 0) * data.m_interval);
    const float last = records > 0 ? key.m_field->m_samples[records - 1] : 0.0f;
    key.m_field->m_dataRange.Set(last, 0.0f);
}

void CdocFile::DetectIndexColumn(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    CdocFieldV& fields = data.m_fields;
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        return;
    const int records = std::clamp(data.m_records, 0, DOC_MAX_SAMPLES);
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField& field = *fields.GetAt(i);
        const bool qualifies = (i == 0 || records == 0)
                                   ? NameHas(field, {"reading", "item", gumGetString(841)})
                                   : CountsUp(field, records, 0.0f) || CountsUp(field, records, 1.0f);
        if (!qualifies)
            continue;
        field.m_content = CONTENT_READING;
        field.m_ident = kIdentComputed;
        // First, so that the header's numbering and the rows of the next
        // save agree with the store's order.
        fields.Move(i, 0);
        return;
    }
    if (!data.AddReadingField(false, false) || !fields.FindContent(key, 0, CONTENT_READING))
        return;
    key.m_field->UpdateDataRange();
    const CxhwMinMax range = key.m_field->m_dataRange;
    if (range.IsMaxSet() && range.IsMinSet()) {
        key.m_field->m_cal = range;
        key.m_field->m_def = range;
        key.m_field->m_now = range;
    }
}
