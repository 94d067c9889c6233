#include "data/docFieldA.h"

#include "app/base/gumHelpers.h"
#include "data/docField.h"
#include "data/docFieldList.h"
#include "document/docDoc.h"

#include <algorithm>
#include <wx/intl.h>

namespace {

void SetColour(CdocFieldAEntry& entry, const CdocColour& colour)
{
    // No colour chosen yet reads as black.
    entry.m_red = colour.IsOk() ? colour.Red() : 0;
    entry.m_green = colour.IsOk() ? colour.Green() : 0;
    entry.m_blue = colour.IsOk() ? colour.Blue() : 0;
}

void SetText(char (&buffer)[DOC_FIELDA_TEXT], const wxString& text)
{
    gumCopyToCharBuffer(text, buffer, DOC_FIELDA_TEXT);
}

// The widest of the values a table column of the channel may have to show.
wxString WidestValueText(const CdocField& field)
{
    const wxString texts[] = {
        field.GetDisplayText(-1, field.m_cal.m_max) + "> ", field.GetDisplayText(-1, field.m_cal.m_min) + "< ",
        field.GetDisplayText(-1, field.m_def.m_max),        field.GetDisplayText(-1, field.m_def.m_min),
        field.GetDisplayText(-1, field.m_now.m_max),        field.GetDisplayText(-1, field.m_now.m_min),
        field.GetDisplayText(-1, field.m_dataRange.m_max),  field.GetDisplayText(-1, field.m_dataRange.m_min),
    };
    const wxString* widest = &texts[0];
    for (const wxString& text : texts)
        if (text.length() > widest->length())
            widest = &text;
    return *widest;
}

} // namespace

CdocFieldAEntry* CdocFieldA::NewEntry(int kind, int key)
{
    // A full list takes nothing more.
    if (m_count < 0 || m_count >= DOC_FIELDA_SIZE)
        return nullptr;
    CdocFieldAEntry& entry = m_entries[m_count++];
    entry = CdocFieldAEntry();
    entry.m_kind = kind;
    entry.m_key = key;
    return &entry;
}

CdocField* CdocFieldA::GetField(CdocDoc* doc, int i) const
{
    if (!doc || i < 0 || i >= std::min(m_count, DOC_FIELDA_SIZE))
        return nullptr;
    CdocFieldKey key = GetKey(i);
    return doc->m_data.m_fields.Find(key);
}

CdocFieldKey CdocFieldA::GetKey(int i) const
{
    if (i < 0 || i >= std::min(m_count, DOC_FIELDA_SIZE))
        return CdocFieldKey();
    return CdocFieldKey(m_entries[i].m_key, -1, nullptr);
}

int CdocFieldA::IndexOfField(const CdocField* field) const
{
    const int key = field ? field->m_key : 0;
    const int count = std::clamp(m_count, 0, DOC_FIELDA_SIZE);
    for (int i = 0; i < count; ++i)
        if (m_entries[i].m_key == key)
            return i;
    return -1;
}

int CdocFieldA::IndexOfKey(CdocFieldKey key) const
{
    if (key.IsEmpty())
        return -1;
    const int count = std::clamp(m_count, 0, DOC_FIELDA_SIZE);
    for (int i = 0; i < count; ++i)
        if (m_entries[i].m_key == key.m_key)
            return i;
    return -1;
}

int CdocFieldA::SelectField(const CdocField* field)
{
    const int i = IndexOfField(field);
    if (i >= 0)
        m_selected = i;
    return i;
}

CdocField* CdocFieldA::GetSelectedField(CdocDoc* doc) const
{
    return GetField(doc, m_selected);
}

void CdocFieldA::Fill(CdocDoc* doc, const CdocField* exclude)
{
    if (doc) {
        const CdocFieldV& fields = doc->m_data.m_fields;
        const bool ready = doc->m_state <= DOC_STATE_READY;
        for (int i = 0; i < fields.GetCount(); ++i) {
            const CdocField& field = *fields.GetAt(i);
            const bool time = field.m_content == CONTENT_READING || field.m_content == CONTENT_ELAPSED_TIME;
            const bool sensor = field.m_content == CONTENT_SENSOR;
            if ((time && !m_includeReadingTime) || &field == exclude)
                continue;
            if (!m_includeAll && sensor && ((ready && field.m_fieldSensor.IsEmpty()) || !field.m_fieldEnable))
                continue;
            CdocFieldAEntry* entry = NewEntry(FIELDA_CHANNEL, field.m_key);
            if (!entry)
                break;
            SetText(entry->m_title, field.GetTitle(fields.GetLetterNumber(&field)));
            SetColour(*entry, field.m_colour);
        }
    }
    if (m_addNone)
        if (CdocFieldAEntry* entry = NewEntry(FIELDA_NONE, 0))
            SetText(entry->m_title, _("None"));
    if (m_addTimeAndDate)
        if (CdocFieldAEntry* entry = NewEntry(FIELDA_TIME_AND_DATE, 0))
            SetText(entry->m_title, _("Time and Date"));
    m_records = doc ? doc->m_data.m_records : 0;
}

void CdocFieldA::FillFromList(CdocDoc* doc, const CdocFieldList& list)
{
    const int count = doc ? std::clamp(list.m_count, 0, DOC_FIELD_LIST_SIZE) : 0;
    for (int i = 0; i < count; ++i) {
        const CdocField* field = doc->m_data.m_fields.Lookup(list.m_keys[i]);
        if (!field)
            continue;
        CdocFieldAEntry* entry = NewEntry(FIELDA_CHANNEL, field->m_key);
        if (!entry)
            break;
        SetText(entry->m_name, field->m_name);
        SetText(entry->m_units, field->m_unit);
        SetText(entry->m_width, WidestValueText(*field));
        SetColour(*entry, field->m_colour);
    }
    m_records = doc ? doc->m_data.m_records : 0;
}
