#include "data/docControlItem.h"

#include "data/docField.h"
#include "document/docDoc.h"

CdocControlItem::CdocControlItem()
{
    Reset();
}

CdocControlItem::~CdocControlItem() = default;

void CdocControlItem::Reset()
{
    m_enabled = false;
    m_reserved = 0;
    m_field.Clear();
    m_above = true;
    m_threshold = 0.0f;
    m_thresholdText = wxString::Format("%.0f", double(m_threshold));
}

CdocField* CdocControlItem::GetField(CdocDoc* doc)
{
    if (!doc || doc->m_data.m_fields.GetCount() == 0)
        return nullptr;
    return doc->m_data.m_fields.Find(m_field);
}

bool CdocControlItem::IsOn(CdocDoc* doc)
{
    if (!m_enabled)
        return false;
    const CdocField* field = GetField(doc);
    if (!field || docIsNoValue(field->m_current))
        return false;
    // Strictly beyond the threshold; a value that does not compare stays off.
    const float value = field->m_current;
    return m_above ? value > m_threshold : value < m_threshold;
}
