#include "document/docGraph.h"

#include "app/appOptions.h"
#include "document/docDoc.h"

#include <vector>

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

CdocField* CdocGraph::FirstOf(int content) const
{
    CdocFieldKey key;
    return m_doc && m_doc->m_data.m_fields.FindContent(key, 0, content) ? key.m_field : nullptr;
}

bool CdocGraph::HasElapsedTime() const
{
    return FirstOf(CONTENT_ELAPSED_TIME) != nullptr;
}

// ---- Axes ------------------------------------------------------------------

void CdocGraph::AfterAxesChanged()
{
    m_doc->m_tool.CheckTool();
    if (m_best)
        m_doc->m_data.UpdateFits();
    m_doc->UpdateViews(HINT_AXES, nullptr);
}

void CdocGraph::SetAxes(CdocField* x, CdocField* left, CdocField* right)
{
    const bool changed = m_axisX.m_field != x || m_axisL.m_field != left || m_axisR.m_field != right;
    m_axisX = KeyOf(x);
    m_axisL = KeyOf(left);
    m_axisR = KeyOf(right);
    if (changed && m_doc)
        AfterAxesChanged();
}

void CdocGraph::SetFieldX(CdocField* field)
{
    if (!m_doc)
        return;
    bool timeAndDate = false;
    if (!field) {
        if (!appIsAllowed(FEATURE_TIME_AND_DATE_AXIS))
            return;
        field = FirstOf(CONTENT_ELAPSED_TIME);
        if (!field)
            return;
        timeAndDate = true;
    }
    CdocField* left = GetFieldL();
    CdocField* right = GetFieldR();
    const bool changed = timeAndDate != m_doc->m_graphTimeAndDate || field != m_axisX.m_field ||
                         left != m_axisL.m_field || right != m_axisR.m_field;
    m_doc->m_graphTimeAndDate = timeAndDate;
    m_axisX = KeyOf(field);
    m_axisL = KeyOf(left);
    m_axisR = KeyOf(right);
    if (changed)
        AfterAxesChanged();
}

void CdocGraph::SetFieldL(CdocField* field)
{
    CdocField* x = GetFieldX();
    SetAxes(x, field, GetFieldR());
}

void CdocGraph::SetFieldR(CdocField* field)
{
    CdocField* x = GetFieldX();
    SetAxes(x, GetFieldL(), field);
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
    if (CdocField* reading = FirstOf(CONTENT_READING)) {
        if (!x)
            x = reading;
        if (!left)
            left = reading;
    }
    if (CdocField* time = FirstOf(CONTENT_ELAPSED_TIME)) {
        if (!x || x->m_content != CONTENT_ELAPSED_TIME)
            x = time;
        if (!left)
            left = time;
    }
    // Sensors first, then every other channel.
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
    if (!x)
        x = FirstOf(CONTENT_ELAPSED_TIME);
    if (!x)
        x = FirstOf(CONTENT_READING);
    if (!left && right) {
        left = right;
        right = nullptr;
    }
    if (!left)
        left = FirstOf(CONTENT_SENSOR);
    for (int i = 0; !left && i < fields.GetCount(); ++i)
        if (!IsTimeChannel(fields.GetAt(i)) && fields.GetAt(i)->m_content != CONTENT_SENSOR)
            left = fields.GetAt(i);
    SetAxes(x, left, right);
}

// ---- Style -----------------------------------------------------------------

bool CdocGraph::GetLines() const
{
    return appIsAllowed(FEATURE_GRAPH_LINES) ? m_lines : HasElapsedTime();
}

bool CdocGraph::GetPoints() const
{
    return appIsAllowed(FEATURE_GRAPH_POINTS) && m_points;
}

bool CdocGraph::GetBars() const
{
    if (appIsAllowed(FEATURE_GRAPH_LINES) && appIsAllowed(FEATURE_GRAPH_POINTS))
        return m_bars;
    return !HasElapsedTime();
}

bool CdocGraph::GetGrid() const
{
    return m_grid && appIsAllowed(FEATURE_GRAPH_GRID);
}

bool CdocGraph::GetHeavy() const
{
    return appIsAllowed(FEATURE_GRAPH_HEAVY) ? m_heavy : !appIsAllowed(FEATURE_THIN_TRACES);
}

bool CdocGraph::GetBest() const
{
    return m_best && m_doc && m_doc->m_state == DOC_STATE_STOPPED && appIsAllowed(FEATURE_BEST_FIT);
}

void CdocGraph::ToggleBest()
{
    m_best = !m_best;
    if (!m_doc)
        return;
    if (m_best)
        m_doc->m_data.UpdateFits();
    m_doc->ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

// ---- Scales ----------------------------------------------------------------

bool CdocGraph::MergeUnitRanges()
{
    if (!m_doc)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    auto shares = [](const CdocField* field) { return field->m_show && !IsTimeChannel(field); };
    bool changed = false;
    for (int i = 0; i < fields.GetCount(); ++i) {
        const CdocField* leader = fields.GetAt(i);
        if (!shares(leader))
            continue;
        CxhwMinMax group = leader->m_now;
        for (int j = i + 1; j < fields.GetCount(); ++j) {
            const CdocField* field = fields.GetAt(j);
            if (shares(field) && field->m_unit == leader->m_unit) {
                group.Extend(field->m_now.m_min);
                group.Extend(field->m_now.m_max);
            }
        }
        for (int j = i; j < fields.GetCount(); ++j) {
            CdocField* field = fields.GetAt(j);
            if (!shares(field) || field->m_unit != leader->m_unit)
                continue;
            if (field->m_now.m_min != group.m_min || field->m_now.m_max != group.m_max) {
                field->m_now.Set(group.m_max, group.m_min);
                changed = true;
            }
        }
    }
    return changed;
}

bool CdocGraph::CheckScales()
{
    if (!m_doc)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    bool changed = false;
    for (int i = 0; i < fields.GetCount(); ++i)
        changed = fields.GetAt(i)->CheckRanges() || changed;
    // The x channel keeps its span: a narrow time axis is the user's choice.
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        if (field != GetFieldX())
            changed = field->CheckZoomSpan() || changed;
    }
    return MergeUnitRanges() || changed;
}

bool CdocGraph::ShareScales()
{
    return CheckScales();
}

bool CdocGraph::DefaultZoom()
{
    if (!m_doc)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    bool changed = false;
    for (int i = 0; i < fields.GetCount(); ++i)
        changed = fields.GetAt(i)->ResetZoom() || changed;
    changed = CheckScales() || changed;
    m_scaleZoomed = m_scaleZoomed == SCALE_ZOOMED ? SCALE_DEFAULT_RESTORED : SCALE_DEFAULT;
    return changed;
}

bool CdocGraph::AutoZoom()
{
    if (!m_doc || m_doc->m_data.m_records <= 0)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    bool changed = false;
    for (int i = 0; i < fields.GetCount(); ++i)
        changed = fields.GetAt(i)->ZoomToData() || changed;
    changed = CheckScales() || changed;
    m_scaleZoomed = SCALE_AUTO;
    return changed;
}

bool CdocGraph::ApplyZoomTo(float xLow, float xHigh, float yLow, float yHigh)
{
    if (!m_doc)
        return false;
    const CdocField* x = GetFieldX();
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    bool changed = false;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        // The reading number and the elapsed time move together on x.
        const bool onX = field == x || (IsTimeChannel(field) && IsTimeChannel(x));
        changed = (onX ? field->ZoomToFraction(xLow, xHigh) : field->ZoomToFraction(yLow, yHigh)) || changed;
    }
    changed = CheckScales() || changed;
    m_scaleZoomed = SCALE_ZOOMED;
    return changed;
}

bool CdocGraph::StepAutoZoom()
{
    if (!m_doc || m_doc->m_data.m_records <= 0)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    bool changed = false;
    for (int i = 0; i < fields.GetCount(); ++i)
        changed = fields.GetAt(i)->StepZoomToData() || changed;
    return CheckScales() || changed;
}

void CdocGraph::PostScales(bool changed)
{
    if (changed && m_doc)
        m_doc->ModifyAndUpdateViews(HINT_SCALES, nullptr);
}

void CdocGraph::DoDefaultZoom()
{
    PostScales(DefaultZoom());
}

void CdocGraph::DoAutoZoom()
{
    PostScales(AutoZoom());
}

void CdocGraph::ZoomTo(float xLow, float xHigh, float yLow, float yHigh)
{
    PostScales(ApplyZoomTo(xLow, xHigh, yLow, yHigh));
}

void CdocGraph::ToggleZoom()
{
    if (m_scaleZoomed == SCALE_DEFAULT || m_scaleZoomed == SCALE_DEFAULT_RESTORED)
        PostScales(AutoZoom());
    else
        PostScales(DefaultZoom());
}

bool CdocGraph::AdjustScalesForSample(int index)
{
    if (!m_doc)
        return false;
    CdocField* time = FirstOf(CONTENT_ELAPSED_TIME);
    CdocField* reading = FirstOf(CONTENT_READING);
    bool changed = false;
    if (appIsAllowed(FEATURE_AUTO_RESCALE) && m_scaleZoomed == SCALE_AUTO) {
        // A channel without data has nothing for its axis to take in.
        if (time && time->m_dataRange.IsSet() &&
            !(time->m_now.Contains(time->m_dataRange.m_min) && time->m_now.Contains(time->m_dataRange.m_max))) {
            const float top = time->m_dataRange.m_max;
            time->m_now.Extend(top);
            time->m_def.Extend(top);
            time->m_cal.Extend(top);
            changed = true;
        }
        if (reading && reading->m_dataRange.IsMaxSet() && !reading->m_now.Contains(reading->m_dataRange.m_max)) {
            const float top = reading->m_dataRange.m_max;
            reading->m_now.Extend(top);
            reading->m_def.Extend(top);
            reading->m_cal.Extend(top);
            changed = true;
        }
        changed = StepAutoZoom() || changed;
        if (changed)
            return true;
    }
    if (index == -1)
        return false;
    // A periodic run keeps the time axis its set-up gave it; an auto-zoomed
    // or box-zoomed graph keeps its scales.
    if (m_doc->m_activity != ACTIVITY_PERIODIC && (m_scaleZoomed & 1) == 0) {
        if (time)
            changed = time->GrowRangeToSample(index) || changed;
        if (reading)
            changed = reading->GrowRangeToSample(index) || changed;
    }
    return changed;
}
