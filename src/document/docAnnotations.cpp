#include "document/docAnnotations.h"

#include "document/docDoc.h"

#include <algorithm>

namespace {

CdocFieldKey KeyOf(CdocField* field)
{
    return field ? CdocFieldKey(field->m_key, -1, field) : CdocFieldKey();
}

} // namespace

void CdocAnnotation::Clear()
{
    m_doc = nullptr;
    m_text.clear();
    m_x = 0.0f;
    m_y = 0.0f;
    m_fieldX.Clear();
    m_fieldY.Clear();
}

CdocField* CdocAnnotation::GetFieldX()
{
    return m_doc ? m_doc->m_data.m_fields.Find(m_fieldX) : nullptr;
}

CdocField* CdocAnnotation::GetFieldY()
{
    return m_doc ? m_doc->m_data.m_fields.Find(m_fieldY) : nullptr;
}

int CdocAnnotations::Add()
{
    if (m_count < 0 || m_count >= DOC_MAX_ANNOTATIONS)
        return -1;
    CdocAnnotation& slot = m_slots[size_t(m_count)];
    slot.Clear();
    slot.m_doc = m_doc;
    return m_count++;
}

void CdocAnnotations::RemoveOrphans()
{
    const int count = std::min(m_count, DOC_MAX_ANNOTATIONS);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        CdocAnnotation& slot = m_slots[size_t(i)];
        // Both look-ups run, so that both references are refreshed.
        const bool hasX = slot.GetFieldX() != nullptr;
        const bool hasY = slot.GetFieldY() != nullptr;
        if (!slot.m_doc || !hasX || !hasY)
            continue;
        if (kept < i)
            m_slots[size_t(kept)] = slot;
        ++kept;
    }
    m_count = kept;
}

void CdocAnnotations::DeleteAll()
{
    m_count = 0;
    if (m_doc)
        m_doc->ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

void CdocAnnotations::DeleteLast()
{
    if (m_count <= 0)
        return;
    --m_count;
    if (m_doc)
        m_doc->ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

void CdocAnnotations::BeginPlace(const wxString& text, CdocField* x, CdocField* y)
{
    m_pending.Clear();
    m_pending.m_doc = m_doc;
    m_pending.m_text = text;
    m_pending.m_fieldX = KeyOf(x);
    m_pending.m_fieldY = KeyOf(y);
    if (m_doc)
        m_doc->m_tool.BeginPlacing(0.0f, 0.0f);
}

void CdocAnnotations::Place(float fx, float fy)
{
    if (!m_doc)
        return;
    CdocField* x = m_doc->m_graph.GetFieldX();
    if (!m_pending.m_doc)
        return;
    CdocField* y = m_pending.GetFieldY();
    if (!x || !y)
        return;
    // The point is in the units of the x channel shown now, whichever x
    // channel the placing began with.
    m_pending.m_fieldX = KeyOf(x);
    m_pending.m_fieldY = KeyOf(y);
    m_pending.m_x = x->m_now.m_min + (x->m_now.m_max - x->m_now.m_min) * fx;
    m_pending.m_y = y->m_now.m_min + (y->m_now.m_max - y->m_now.m_min) * fy;
    const int slot = Add();
    if (slot < 0)
        return;
    m_slots[size_t(slot)] = m_pending;
    m_doc->ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}
