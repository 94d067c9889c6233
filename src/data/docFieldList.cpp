#include "data/docFieldList.h"

#include "data/docField.h"
#include "document/docDoc.h"

#include <algorithm>

namespace {

bool IsTime(const CdocField& field)
{
    return field.m_content == CONTENT_READING || field.m_content == CONTENT_ELAPSED_TIME;
}

// The elapsed-time channel, or else the reading-number channel.
CdocField* TimeOrReading(CdocDoc& doc)
{
    CdocFieldKey key;
    const CdocFieldV& fields = doc.m_data.m_fields;
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME) || fields.FindContent(key, 0, CONTENT_READING))
        return key.m_field;
    return nullptr;
}

// The logger inputs the document's copy of the logger description names.
int InputCount(const CdocDoc& doc)
{
    return std::clamp(int(doc.m_boxInfo.m_info.m_maxSensors), 0, CxhwSensorV::kCount);
}

} // namespace

bool CdocFieldList::Append(const CdocFieldKey& key)
{
    // A list that is full takes nothing more.
    if (m_count < 0 || m_count >= DOC_FIELD_LIST_SIZE)
        return false;
    m_keys[m_count++] = CdocFieldKey(key.m_key, key.m_index, key.m_field);
    return true;
}

bool CdocFieldList::Append(const CdocField* field)
{
    if (!field)
        return false;
    return Append(CdocFieldKey(field->m_key, -1, nullptr));
}

CdocField* CdocFieldList::GetField(CdocDoc* doc, int i)
{
    if (!doc || i < 0 || i >= std::min(m_count, DOC_FIELD_LIST_SIZE))
        return nullptr;
    return doc->m_data.m_fields.Find(m_keys[i]);
}

int CdocFieldList::IndexOfKey(CdocFieldKey key) const
{
    if (key.IsEmpty())
        return -1;
    const int count = std::clamp(m_count, 0, DOC_FIELD_LIST_SIZE);
    for (int i = 0; i < count; ++i)
        if (m_keys[i].m_key == key.m_key)
            return i;
    return -1;
}

void CdocFieldList::FillAll(CdocDoc* doc)
{
    m_count = 0;
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_READING))
        Append(key.m_field);
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        Append(key.m_field);
    for (int i = 0; i < fields.GetCount(); ++i)
        if (!IsTime(*fields.GetAt(i)))
            Append(fields.GetAt(i));
}

void CdocFieldList::FillAxisChoices(CdocDoc* doc)
{
    m_count = 0;
    if (!doc)
        return;
    Append(TimeOrReading(*doc));
    if (doc->CanShowTimeAndDate())
        Append(CdocFieldKey());
    CdocFieldKey key;
    for (int n = 0; doc->m_data.m_fields.GetNonTime(key, n); ++n)
        Append(key.m_field);
}

void CdocFieldList::FillShown(CdocDoc* doc)
{
    m_count = 0;
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    const CdocField* x = doc->m_graph.GetFieldX();
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* field = fields.GetAt(i);
        if (!IsTime(*field) && (field->m_show || field == x))
            Append(field);
    }
}

void CdocFieldList::FillValueChoices(CdocDoc* doc)
{
    m_count = 0;
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    CdocFieldKey key;
    if (doc->m_state < DOC_STATE_FETCHING) {
        for (int input = 0; input < InputCount(*doc); ++input)
            if (fields.FindSensor(key, input) && !doc->m_boxInfo.m_sensors[input].IsEmpty())
                Append(key.m_field);
        for (int i = 0; i < fields.GetCount(); ++i) {
            const int content = fields.GetAt(i)->m_content;
            if (content == CONTENT_MANUAL || content == CONTENT_FORMULA)
                Append(fields.GetAt(i));
        }
        return;
    }
    const CdocField* x = doc->m_graph.GetFieldX();
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* field = fields.GetAt(i);
        if (field->m_content == CONTENT_SENSOR && field->m_fieldEnable && (field->m_show || field == x))
            Append(field);
    }
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* field = fields.GetAt(i);
        if (!IsTime(*field) && field->m_content != CONTENT_SENSOR && (field->m_show || field == x))
            Append(field);
    }
}

void CdocFieldList::FillTableChoices(CdocDoc* doc, bool all)
{
    m_count = 0;
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    const bool ready = doc->m_state == DOC_STATE_READY;
    if (all) {
        Append(TimeOrReading(*doc));
        if (doc->CanShowTableTimeAndDate())
            Append(CdocFieldKey());
        for (int i = 0; i < fields.GetCount(); ++i) {
            const CdocField* field = fields.GetAt(i);
            if (IsTime(*field))
                continue;
            if (ready &&
                (!field->m_fieldEnable || (field->m_content == CONTENT_SENSOR && field->m_fieldSensor.IsEmpty())))
                continue;
            Append(field);
        }
        return;
    }
    CdocFieldKey key;
    if (doc->m_state < DOC_STATE_FETCHING) {
        for (int input = 0; input < InputCount(*doc); ++input)
            if (fields.FindSensor(key, input) && !doc->m_boxInfo.m_sensors[input].IsEmpty())
                Append(key.m_field);
        return;
    }
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* field = fields.GetAt(i);
        if (field->m_content == CONTENT_SENSOR && field->m_fieldEnable)
            Append(field);
    }
}

void CdocFieldList::FillTableShown(CdocDoc* doc)
{
    m_count = 0;
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    const bool ready = doc->m_state == DOC_STATE_READY;
    if (const CdocField* time = TimeOrReading(*doc); time && time->m_show)
        Append(time);
    if (doc->CanShowTableTimeAndDate())
        Append(CdocFieldKey());
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* field = fields.GetAt(i);
        if (!IsTime(*field) && field->m_show && (!ready || field->m_fieldEnable))
            Append(field);
    }
}
