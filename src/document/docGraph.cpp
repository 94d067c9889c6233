#include "document/docGraph.h"

#include "app/appOptions.h"
#include "document/docDoc.h"

CdocGraph::CdocGraph()
{
    const CappOptions* options = appGetOptions();
    m_heavy = !(options && options->IsAllowed(FEATURE_THIN_TRACES));
}

CdocGraph::~CdocGraph() = default;

CdocField* CdocGraph::Lookup(CdocFieldKey& key)
{
    return m_doc ? m_doc->m_data.m_fields.Find(key) : nullptr;
}

CdocField* CdocGraph::GetFieldX() { return Lookup(m_axisX); }

CdocField* CdocGraph::GetFieldL() { return Lookup(m_axisL); }

CdocField* CdocGraph::GetFieldR() { return Lookup(m_axisR); }
