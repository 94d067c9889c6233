#include "document/docAnnotations.h"

void CdocAnnotation::Clear()
{
    m_doc = nullptr;
    m_text.clear();
    m_x = 0.0f;
    m_y = 0.0f;
    m_fieldX.Clear();
    m_fieldY.Clear();
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
