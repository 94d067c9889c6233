#include "document/docGraph.h"

#include "app/appOptions.h"
#include "document/docDoc.h"

#include <vector>

CdocGraph::CdocGraph()
{
    m_heavy = !appIsAllowed(FEATURE_THIN_TRACES);
}

CdocGraph::~CdocGraph() = default;

CdocField* CdocGraph::Lookup(CdocFieldKey& key)
{
    return m_doc ? m_doc->m_data.m_fields.Find(key) : nullptr;
}

CdocField* CdocGraph::GetFieldX() { return Lookup(m_axisX); }

CdocField* CdocGraph::GetFieldL() { return Lookup(m_axisL); }

CdocField* CdocGraph::GetFieldR() { return Lookup(m_axisR); }

namespace {

CdocFieldKey KeyOf(CdocField* field)
{
    return field ? CdocFieldKey(field->m_key, -1, field) : CdocFieldKey();
}

bool IsTimeChannel(const CdocField* field)
{
    return field && (field->m_content == CONTENT_READING || field->m_content == CONTENT_ELAPSED_TIME);
}

} // namespace

void CdocGraph::SetAxes(CdocField* x, CdocField* left, CdocField* right)
{
    const bool changed = m_axisX.m_field != x || m_axisL.m_field != left || m_axisR.m_field != right;
    m_axisX = KeyOf(x);
    m_axisL = KeyOf(left);
    m_axisR = KeyOf(right);
    if (!changed || !m_doc)
        return;
    m_doc->m_tool.ValidateTool();
    if (m_best)
        m_doc->m_data.UpdateFits();
    m_doc->UpdateViews(HINT_AXES, nullptr);
}

void CdocGraph::ChooseDefaultAxes()
{
    if (!m_doc)
        return;
    GetFieldX();
    GetFieldL();
    GetFieldR();
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    CdocField* time = nullptr;
    CdocField* reading = nullptr;
    std::vector<CdocField*> sensors;
    std::vector<CdocField*> others;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        if (field->m_content == CONTENT_ELAPSED_TIME) {
            if (!time)
                time = field;
        } else if (field->m_content == CONTENT_READING) {
            if (!reading)
                reading = field;
        } else if (field->m_content == CONTENT_SENSOR) {
            sensors.push_back(field);
        } else {
            others.push_back(field);
        }
    }
    CdocField* y1 = nullptr;
    CdocField* y2 = nullptr;
    if (!sensors.empty()) {
        y1 = sensors[0];
        y2 = sensors.size() > 1 ? sensors[1] : (others.empty() ? nullptr : others[0]);
    } else {
        y1 = others.empty() ? nullptr : others[0];
        y2 = others.size() > 1 ? others[1] : nullptr;
    }
    if (time)
        SetAxes(time, y1 ? y1 : reading, nullptr);
    else if (reading)
        SetAxes(reading, y1, nullptr);
    else
        SetAxes(y1, y2, nullptr);
}

void CdocGraph::ChooseRunAxes()
{
    if (!m_doc)
        return;
    CdocField* x = GetFieldX();
    CdocField* left = GetFieldL();
    CdocField* right = GetFieldR();
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_READING)) {
        if (!x)
            x = key.m_field;
        if (!left)
            left = key.m_field;
    }
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME)) {
        if (!x || x->m_content != CONTENT_ELAPSED_TIME)
            x = key.m_field;
        if (!left)
            left = key.m_field;
    }
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (IsTimeChannel(field) || (field->m_content == CONTENT_SENSOR) != (pass == 0))
                continue;
            if (!x)
                x = field;
            if (!left || IsTimeChannel(left))
                left = field;
        }
    }
    SetAxes(x, left, right);
}

void CdocGraph::CompleteAxes()
{
    if (!m_doc)
        return;
    CdocField* x = GetFieldX();
    CdocField* left = GetFieldL();
    CdocField* right = GetFieldR();
    if (x && left)
        return;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    CdocFieldKey key;
    if (!x && fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        x = key.m_field;
    if (!x && fields.FindContent(key, 0, CONTENT_READING))
        x = key.m_field;
    if (!left && right) {
        left = right;
        right = nullptr;
    }
    if (!left && fields.FindContent(key, 0, CONTENT_SENSOR))
        left = key.m_field;
    for (int i = 0; !left && i < fields.GetCount(); ++i)
        if (!IsTimeChannel(fields.GetAt(i)) && fields.GetAt(i)->m_content != CONTENT_SENSOR)
            left = fields.GetAt(i);
    SetAxes(x, left, right);
}
