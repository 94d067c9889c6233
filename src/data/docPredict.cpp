#include "data/docPredict.h"

#include "data/docField.h"
#include "document/docDoc.h"
#include "document/docHint.h"

#include <algorithm>

CdocPredict::CdocPredict()
{
    std::fill(std::begin(m_x), std::end(m_x), DOC_NO_VALUE);
    std::fill(std::begin(m_y), std::end(m_y), DOC_NO_VALUE);
}

CdocPredict::~CdocPredict() = default;

void CdocPredict::ModifyAndUpdateViews(int hint)
{
    if (m_doc)
        m_doc->ModifyAndUpdateViews(hint, nullptr);
}

void CdocPredict::Reset()
{
    m_count = 0;
    m_drawing = false;
}

void CdocPredict::ClearPoints()
{
    m_count = 0;
}

bool CdocPredict::AddPoint(float x, float y)
{
    if (m_count < 0 || m_count >= DOC_MAX_PREDICT_POINTS)
        return false;
    m_x[m_count] = x;
    m_y[m_count] = y;
    ++m_count;
    return true;
}

bool CdocPredict::StartStroke(float x, float y)
{
    if (m_count < 0 || m_count > DOC_MAX_PREDICT_POINTS - 2)
        return false;
    AddPoint(DOC_NO_VALUE, DOC_NO_VALUE);
    return AddPoint(x, y);
}

void CdocPredict::AddGraphPoint(bool newStroke, float fx, float fy)
{
    if (!m_drawing || !m_doc)
        return;
    CdocFieldV& fields = m_doc->m_data.m_fields;
    CdocField* gx = m_doc->m_graph.GetFieldX();
    CdocField* gy = m_doc->m_graph.GetFieldL();
    CdocField* px = fields.Find(m_fieldX);
    CdocField* py = fields.Find(m_fieldY);
    if (px && py && gx == px && gy == py) {
        // the graph shows the prediction's own channels
    } else if (px && py && gx == py && gy == px) {
        std::swap(fx, fy);
    } else {
        ClearPoints();
        m_fieldX = m_doc->m_graph.m_axisX;
        m_fieldY = m_doc->m_graph.m_axisL;
        ModifyAndUpdateViews(HINT_PREDICT_CLEARED);
        px = fields.Find(m_fieldX);
        py = fields.Find(m_fieldY);
        if (!px || !py)
            return;
        if (gx != px) {
            if (gx != py)
                return;
            std::swap(fx, fy);
        }
    }
    const float x = docFiniteOrNoValue(px->m_now.FromFraction(fx));
    const float y = docFiniteOrNoValue(py->m_now.FromFraction(fy));
    // A point without a value would read as a pen-up mark: it is dropped.
    const bool usable = px->m_now.IsSet() && py->m_now.IsSet() && !docIsNoValue(x) && !docIsNoValue(y);
    if (usable && newStroke)
        StartStroke(x, y);
    else if (usable)
        AddPoint(x, y);
    ModifyAndUpdateViews(HINT_PREDICT_POINT);
}

void CdocPredict::StartDrawing()
{
    m_drawing = true;
    ModifyAndUpdateViews(HINT_PREDICT_ON);
}

void CdocPredict::StopDrawing()
{
    m_drawing = false;
    ModifyAndUpdateViews(HINT_PREDICT_OFF);
}

void CdocPredict::Clear()
{
    ClearPoints();
    ModifyAndUpdateViews(HINT_PREDICT_CLEARED);
}

void CdocPredict::GetStartDrawingState(bool* enabled, bool* ticked) const
{
    if (enabled)
        *enabled = true;
    if (ticked)
        *ticked = m_drawing;
}

void CdocPredict::GetStopDrawingState(bool* enabled, bool* ticked) const
{
    if (enabled)
        *enabled = m_drawing;
    if (ticked)
        *ticked = false;
}

void CdocPredict::GetClearState(bool* enabled, bool* ticked) const
{
    GetStopDrawingState(enabled, ticked);
}
