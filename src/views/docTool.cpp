#include "views/docTool.h"

#include "app/appOptions.h"
#include "document/docDoc.h"

#include <algorithm>
#include <cmath>

bool docIsToolAllowed(int type)
{
    static const int kFeatures[] = {FEATURE_TOOL_POSITION, FEATURE_TOOL_READING, FEATURE_TOOL_CHANGE,
                                    FEATURE_TOOL_DIFFERENCE, FEATURE_TOOL_GRADIENT, FEATURE_TOOL_AREA};
    if (type < TOOL_POSITION || type > TOOL_AREA)
        return false;
    return appIsAllowed(kFeatures[type - 1]);
}

void CdocTool::Deactivate()
{
    if (!m_now.m_active)
        return;
    m_was = m_now;
    m_now.m_active = false;
    m_now.m_dragBox = false;
    m_now.m_annotate = false;
    m_now.m_msg = TOOL_MSG_REMOVED;
    if (m_doc)
        m_doc->UpdateViews(HINT_TOOL, nullptr);
}

bool CdocTool::IsUsable(int type) const
{
    if (!m_doc || !docIsToolAllowed(type) || m_doc->m_state <= DOC_STATE_READY)
        return false;
    if (type == TOOL_POSITION || type == TOOL_DIFFERENCE)
        return true;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    const bool indexAxis = x && (x->m_content == CONTENT_READING || x->m_content == CONTENT_ELAPSED_TIME);
    return indexAxis && m_doc->m_data.m_records > 0;
}

bool CdocTool::ValidateTool()
{
    if (IsUsable(m_now.m_tool))
        return true;
    Deactivate();
    return false;
}

void CdocTool::CheckTool()
{
    ValidateTool();
}

void CdocTool::BeginPlacing(float x, float y)
{
    Deactivate();
    m_was = m_now;
    m_now.m_active = true;
    m_now.m_dragBox = false;
    m_now.m_annotate = true;
    m_now.m_fracX = m_now.m_fracX0 = std::clamp(x, 0.0f, 1.0f);
    m_now.m_fracY = m_now.m_fracY0 = std::clamp(y, 0.0f, 1.0f);
    m_now.m_msg = TOOL_MSG_PLACED;
    if (m_doc)
        m_doc->UpdateViews(HINT_TOOL, nullptr);
}

int CdocTool::FindNearestSample(float fraction) const
{
    if (!m_doc)
        return -1;
    const CdocField* x = m_doc->m_data.m_fields.Lookup(m_doc->m_graph.m_axisX);
    const int n = std::clamp(m_doc->m_data.m_records, 0, DOC_MAX_SAMPLES);
    if (n == 0 || !x || (x->m_content != CONTENT_READING && x->m_content != CONTENT_ELAPSED_TIME))
        return -1;
    const float f = std::clamp(fraction, 0.0f, 1.0f);
    const float target = x->m_now.m_min + (x->m_now.m_max - x->m_now.m_min) * f;
    int nearest = -1;
    float best = 0.0f;
    for (int i = 0; i < n; ++i) {
        if (docIsNoValue(x->m_samples[i]))
            continue;
        const float distance = std::fabs(x->m_samples[i] - target);
        if (nearest < 0 || distance < best) {
            nearest = i;
            best = distance;
        }
    }
    return nearest;
}

bool CdocTool::GetCursorDateTime(wxString& date, wxString& time)
{
    if (!m_doc)
        return false;
    CdocData& data = m_doc->m_data;
    CdocFieldKey key;
    CdocField* x = m_doc->m_graph.GetFieldX();
    if (!data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME) || !x)
        return false;
    const CdocField& elapsed = *key.m_field;
    // The texts of a record's moment, unless its time is unknown.
    auto recordTexts = [&](int record) {
        const float sample = elapsed.m_samples[record];
        if (!docIsNoValue(sample) && elapsed.m_gain != 0.0f)
            data.GetSampleTimeTexts(sample / elapsed.m_gain, time, date);
    };
    const float position = x->m_now.m_min + (x->m_now.m_max - x->m_now.m_min) * m_now.m_fracX;
    switch (m_now.m_tool) {
    case TOOL_READING:
    case TOOL_CHANGE:
    case TOOL_GRADIENT:
    case TOOL_AREA: {
        const int index = FindNearestSample(m_now.m_fracX);
        if (index < 0)
            return false;
        recordTexts(index);
        return true;
    }
    case TOOL_POSITION:
    case TOOL_DIFFERENCE:
        if (x->m_content == CONTENT_READING) {
            if (position >= 0.0f && position < float(std::clamp(data.m_records, 0, DOC_MAX_SAMPLES)))
                recordTexts(int(position));
            return true;
        }
        if (x->m_content == CONTENT_ELAPSED_TIME) {
            if (x->m_gain != 0.0f)
                data.GetSampleTimeTexts(position / x->m_gain, time, date);
            return true;
        }
        return false;
    default:
        return false;
    }
}

float CdocTool::GetCursorText(wxString& text, const CdocField* channel)
{
    text.clear();
    if (!m_doc || !channel)
        return DOC_NO_VALUE;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    const bool timeLike = channel->m_content == CONTENT_READING || channel->m_content == CONTENT_ELAPSED_TIME;
    if (timeLike && !(x && (x->m_content == CONTENT_READING || x->m_content == CONTENT_ELAPSED_TIME)))
        return DOC_NO_VALUE;
    const bool xLike = timeLike || channel == x;
    const CxhwMinMax& range = channel->m_now;
    switch (m_now.m_tool) {
    case TOOL_POSITION:
    case TOOL_DIFFERENCE: {
        const float f = xLike ? m_now.m_fracX : m_now.m_fracY;
        const float value = range.m_min + f * (range.m_max - range.m_min);
        text = channel->GetValueText(-1, value);
        return value;
    }
    case TOOL_READING:
    case TOOL_CHANGE:
    case TOOL_GRADIENT:
    case TOOL_AREA: {
        const int index = FindNearestSample(m_now.m_fracX);
        if (index < 0 || index >= DOC_MAX_SAMPLES)
            return DOC_NO_VALUE;
        const float value = channel->m_samples[index];
        text = channel->GetDisplayText(-1, value);
        return value;
    }
    default:
        return DOC_NO_VALUE;
    }
}
