#include "views/docTool.h"

#include "app/appOptions.h"
#include "document/docDoc.h"

#include <algorithm>
#include <cmath>

namespace {

// The types that read samples against an index x channel and snap to them.
bool NeedsIndexX(int type)
{
    return type == TOOL_READING || type == TOOL_CHANGE || type == TOOL_GRADIENT || type == TOOL_AREA;
}

bool IsIndexKind(const CdocFieldHdr& field)
{
    return field.m_content == CONTENT_READING || field.m_content == CONTENT_ELAPSED_TIME;
}

// A view may hand over a point outside the plot; a non-number counts as 0.
float Clamp01(float f)
{
    return std::isnan(f) ? 0.0f : std::clamp(f, 0.0f, 1.0f);
}

int RecordCount(const CdocDoc* doc)
{
    return doc ? std::clamp(doc->m_data.m_records, 0, DOC_MAX_SAMPLES) : 0;
}

// A sample's seconds since the start, through the channel's gain.
float SecondsOf(float sample, float gain)
{
    if (docIsNoValue(sample))
        return DOC_NO_VALUE;
    return docFiniteOrNoValue(sample / gain);
}

} // namespace

bool docIsToolAllowed(int type)
{
    static const int kFeatures[] = {FEATURE_TOOL_POSITION, FEATURE_TOOL_READING, FEATURE_TOOL_CHANGE,
                                    FEATURE_TOOL_DIFFERENCE, FEATURE_TOOL_GRADIENT, FEATURE_TOOL_AREA};
    if (type < TOOL_POSITION || type > TOOL_AREA)
        return false;
    return appIsAllowed(kFeatures[type - 1]);
}

// ---- Availability and selection ---------------------------------------------

CdocField* CdocTool::GetIndexX() const
{
    if (!m_doc)
        return nullptr;
    CdocField* x = m_doc->m_graph.GetFieldX();
    return x && IsIndexKind(*x) ? x : nullptr;
}

bool CdocTool::IsToolEnabled(int type) const
{
    if (!m_doc || m_doc->m_state <= DOC_STATE_READY || !docIsToolAllowed(type))
        return false;
    if (NeedsIndexX(type))
        return GetIndexX() != nullptr;
    return type == TOOL_POSITION || type == TOOL_DIFFERENCE;
}

bool CdocTool::IsUsable(int type) const
{
    if (!m_doc || !docIsToolAllowed(type) || m_doc->m_state <= DOC_STATE_READY)
        return false;
    if (!NeedsIndexX(type))
        return true;
    return GetIndexX() && RecordCount(m_doc) > 0;
}

int CdocTool::ResolveType(int type) const
{
    if (type == TOOL_NONE)
        return TOOL_NONE;
    for (;;) {
        const bool fits = NeedsIndexX(type) ? GetIndexX() != nullptr : type == TOOL_POSITION || type == TOOL_DIFFERENCE;
        if (docIsToolAllowed(type) && fits)
            return type;
        if (type == TOOL_POSITION || type == TOOL_DIFFERENCE)
            return TOOL_NONE;
        type = type == TOOL_CHANGE ? TOOL_DIFFERENCE : TOOL_POSITION;
    }
}

void CdocTool::SetTool(int type)
{
    const int resolved = ResolveType(type);
    if (resolved == m_now.m_tool)
        return;
    if (m_now.m_active) {
        if (IsUsable(resolved)) {
            m_was = m_now;
            m_now.m_tool = resolved;
            if (NeedsIndexX(resolved))
                m_now.m_fracX = Snap(m_now.m_fracX);
            m_now.m_fracX = Clamp01(m_now.m_fracX);
            m_now.m_fracY = Clamp01(m_now.m_fracY);
            m_now.m_msg = TOOL_MSG_TYPE;
            Post();
            return;
        }
        Hide();
        m_now.m_tool = resolved;
        return;
    }
    m_was = m_now;
    m_now.m_tool = resolved;
}

void CdocTool::CheckTool()
{
    if (!IsUsable(m_now.m_tool))
        SetTool(m_now.m_tool);
}

bool CdocTool::ValidateTool()
{
    if (IsUsable(m_now.m_tool))
        return true;
    if (m_now.m_active)
        Hide();
    return false;
}

bool CdocTool::Reresolve()
{
    if (!IsUsable(m_now.m_tool))
        SetTool(m_now.m_tool);
    return ValidateTool();
}

// ---- Gestures ---------------------------------------------------------------

void CdocTool::Post()
{
    if (m_doc)
        m_doc->UpdateViews(HINT_TOOL, nullptr);
}

void CdocTool::Hide()
{
    m_was = m_now;
    m_now.m_active = false;
    m_now.m_dragBox = false;
    m_now.m_annotate = false;
    m_now.m_msg = TOOL_MSG_REMOVED;
    Post();
}

void CdocTool::Deactivate()
{
    if (m_now.m_active)
        Hide();
}

void CdocTool::ClickAt(float x, float y)
{
    if (m_now.m_active) {
        const bool placing = m_now.m_annotate;
        Hide();
        if (placing && m_doc)
            m_doc->m_annotations.Place(Clamp01(x), Clamp01(y));
        return;
    }
    if (!Reresolve())
        return;
    if (NeedsIndexX(m_now.m_tool))
        x = Snap(x);
    x = Clamp01(x);
    y = Clamp01(y);
    m_was = m_now;
    m_now.m_active = true;
    m_now.m_dragBox = false;
    m_now.m_annotate = false;
    m_now.m_fracX = m_now.m_fracX0 = x;
    m_now.m_fracY = m_now.m_fracY0 = y;
    m_now.m_msg = TOOL_MSG_PLACED;
    Post();
}

void CdocTool::MoveCursor(float x, float y)
{
    if (!m_now.m_active)
        return;
    if (!m_now.m_annotate) {
        if (!Reresolve())
            return;
        if (NeedsIndexX(m_now.m_tool))
            x = Snap(x);
    }
    m_was = m_now;
    m_now.m_fracX = Clamp01(x);
    m_now.m_fracY = Clamp01(y);
    m_now.m_msg = TOOL_MSG_MOVED;
    Post();
}

void CdocTool::DragZoom(float pressX, float pressY, float x, float y)
{
    if (m_now.m_active && !m_now.m_dragBox)
        Hide();
    m_was = m_now;
    m_now.m_active = true;
    m_now.m_dragBox = true;
    m_now.m_annotate = false;
    m_now.m_fracX0 = Clamp01(pressX);
    m_now.m_fracY0 = Clamp01(pressY);
    m_now.m_fracX = Clamp01(x);
    m_now.m_fracY = Clamp01(y);
    m_now.m_msg = TOOL_MSG_DRAGGED;
    Post();
}

void CdocTool::EndDragZoom(float pressX, float pressY, float x, float y)
{
    if (!m_now.m_active || !m_now.m_dragBox)
        return;
    Hide();
    CxhwMinMax xRange(Clamp01(pressX), Clamp01(x));
    CxhwMinMax yRange(Clamp01(pressY), Clamp01(y));
    xRange.Normalise();
    yRange.Normalise();
    if (m_doc)
        m_doc->m_graph.ZoomTo(xRange.m_min, xRange.m_max, yRange.m_min, yRange.m_max);
}

void CdocTool::BeginPlacing(float x, float y)
{
    Deactivate();
    m_was = m_now;
    m_now.m_active = true;
    m_now.m_dragBox = false;
    m_now.m_annotate = true;
    m_now.m_fracX = m_now.m_fracX0 = Clamp01(x);
    m_now.m_fracY = m_now.m_fracY0 = Clamp01(y);
    m_now.m_msg = TOOL_MSG_PLACED;
    Post();
}

void CdocTool::PlaceAnnotation(float x, float y)
{
    if (!m_now.m_active || !m_now.m_annotate)
        return;
    Hide();
    if (m_doc)
        m_doc->m_annotations.Place(Clamp01(x), Clamp01(y));
}

// ---- Samples ----------------------------------------------------------------

float CdocTool::Snap(float fraction) const
{
    const int index = FindNearestSample(fraction);
    const CdocField* x = m_doc ? m_doc->m_graph.GetFieldX() : nullptr;
    if (!x || index < 0)
        return fraction;
    const float min = x->m_now.m_min;
    const float max = x->m_now.m_max;
    if (max == min)
        return 0.0f;
    return (x->m_samples[index] - min) / (max - min);
}

int CdocTool::GuessIndex(const CdocField& x, float value, int first, int last) const
{
    double guess = value;
    if (x.m_content == CONTENT_ELAPSED_TIME) {
        const double interval = m_doc ? m_doc->m_data.m_interval : 0.0;
        guess = interval > 0.0 ? guess / interval : 0.0;
    }
    // Clamped before the conversion: a far or non-finite guess has no int.
    if (!std::isfinite(guess))
        guess = first;
    return int(std::clamp(guess, double(first), double(last)));
}

int CdocTool::FindFirstAtOrAbove(float value) const
{
    const CdocField* x = GetIndexX();
    const int n = RecordCount(m_doc);
    if (!x || n == 0)
        return -1;
    const float* s = x->m_samples;
    // The way the values fall, whichever way they run.
    const int down = n > 1 && s[1] > s[0] ? -1 : 1;
    auto inside = [n](int i) { return i >= 0 && i < n; };
    int i = GuessIndex(*x, value, 0, n - 1);
    if (s[i] >= value) {
        while (inside(i + down) && s[i + down] >= value)
            i += down;
        return i;
    }
    while (inside(i - down) && s[i] < value)
        i -= down;
    return s[i] >= value ? i : -1;
}

int CdocTool::FindLastAtOrBelow(float value) const
{
    const CdocField* x = GetIndexX();
    const int n = RecordCount(m_doc);
    if (!x || n == 0)
        return -1;
    const float* s = x->m_samples;
    const int up = n > 1 && s[1] > s[0] ? 1 : -1;
    auto inside = [n](int i) { return i >= 0 && i < n; };
    int i = GuessIndex(*x, value, 0, n - 1);
    if (s[i] <= value) {
        while (inside(i + up) && s[i + up] <= value)
            i += up;
        return i;
    }
    while (inside(i - up) && s[i] > value)
        i -= up;
    return s[i] <= value ? i : -1;
}

void CdocTool::GetVisibleRange(int& first, int& last) const
{
    first = last = -1;
    const CdocField* x = GetIndexX();
    if (!x || RecordCount(m_doc) == 0)
        return;
    CxhwMinMax range(x->m_now);
    range.Normalise();
    int low = FindFirstAtOrAbove(range.m_min);
    int high = FindLastAtOrBelow(range.m_max);
    if (low == -1 || high == -1)
        return;
    if (high < low)
        std::swap(low, high);
    first = low;
    last = high;
}

int CdocTool::FindNearestSample(float fraction) const
{
    fraction = Clamp01(fraction);
    const int n = RecordCount(m_doc);
    const CdocField* x = GetIndexX();
    if (n == 0 || !x)
        return -1;
    int first = -1;
    int last = -1;
    GetVisibleRange(first, last);
    if (first == -1)
        return -1;
    if (n == 1)
        return first;
    const float* s = x->m_samples;
    const float t = x->m_now.m_min + fraction * (x->m_now.m_max - x->m_now.m_min);
    auto nearer = [s, t](int a, int b) { return std::fabs(s[a] - t) < std::fabs(s[b] - t); };
    int i = GuessIndex(*x, t, first, last);
    // Only a strictly nearer neighbour moves the index, so a tie keeps the
    // side the walk came from.
    if (s[1] > s[0]) {
        while (i < last && s[i] < t && nearer(i + 1, i))
            ++i;
        while (i > first && s[i] > t && nearer(i - 1, i))
            --i;
    } else {
        while (i < last && s[i] > t && nearer(i + 1, i))
            ++i;
        while (i > first && s[i] < t && nearer(i - 1, i))
            --i;
    }
    return i;
}

// ---- Read-outs --------------------------------------------------------------

bool CdocTool::IsXLike(const CdocField& field) const
{
    return IsIndexKind(field) || (m_doc && &field == m_doc->m_graph.GetFieldX());
}

bool CdocTool::HasNoReadout(const CdocField& field) const
{
    if (!m_doc || !IsIndexKind(field))
        return false;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    return x && !IsIndexKind(*x);
}

float CdocTool::GetPositionAt(const CdocField& field, bool xLike, float fx, float fy) const
{
    const float f = xLike ? fx : fy;
    return docFiniteOrNoValue(field.m_now.m_min + f * (field.m_now.m_max - field.m_now.m_min));
}

float CdocTool::GetValueText(wxString& text, const CdocField* field) const
{
    text.clear();
    if (!field || !m_doc || HasNoReadout(*field))
        return DOC_NO_VALUE;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    const int n = RecordCount(m_doc);
    const bool xLike = IsXLike(*field);
    const float span = field->m_now.m_max - field->m_now.m_min;
    auto sampleAt = [field](int i) { return i >= 0 ? field->m_samples[i] : DOC_NO_VALUE; };
    float value = DOC_NO_VALUE;
    bool display = false;
    switch (m_now.m_tool) {
    case TOOL_POSITION:
        value = GetPositionAt(*field, xLike, m_now.m_fracX, m_now.m_fracY);
        break;
    case TOOL_READING:
        value = sampleAt(FindNearestSample(m_now.m_fracX));
        display = true;
        break;
    case TOOL_CHANGE: {
        const float now = sampleAt(FindNearestSample(m_now.m_fracX));
        const float was = sampleAt(FindNearestSample(m_now.m_fracX0));
        if (!docIsNoValue(now) && !docIsNoValue(was))
            value = now - was;
        break;
    }
    case TOOL_DIFFERENCE:
        value = xLike ? (m_now.m_fracX - m_now.m_fracX0) * span : (m_now.m_fracY - m_now.m_fracY0) * span;
        break;
    case TOOL_GRADIENT: {
        const int i = FindNearestSample(m_now.m_fracX);
        if (xLike) {
            value = sampleAt(i);
            display = true;
        } else if (i >= 0 && i < n && n > 1 && x) {
            value = field->GetGradientAt(x, i, n);
        }
        break;
    }
    case TOOL_AREA:
        if (xLike) {
            value = (m_now.m_fracX - m_now.m_fracX0) * span;
        } else {
            const int now = FindNearestSample(m_now.m_fracX);
            const int was = FindNearestSample(m_now.m_fracX0);
            if (now >= 0 && was >= 0 && x && n > 1)
                value = field->GetArea(x, was, now, n, nullptr);
        }
        break;
    default:
        break;
    }
    value = docIsNoValue(value) ? DOC_NO_VALUE : value;
    text = display ? field->GetDisplayText(-1, value) : field->GetValueText(-1, value);
    return value;
}

void CdocTool::GetUnits(wxString& text, const CdocField* field) const
{
    text.clear();
    if (!field)
        return;
    if (IsXLike(*field)) {
        text = field->m_unit;
        return;
    }
    const CdocField* x = m_doc ? m_doc->m_graph.GetFieldX() : nullptr;
    const wxString xUnits = x ? x->GetUnitsOrName() : wxString();
    switch (m_now.m_tool) {
    case TOOL_GRADIENT:
    case TOOL_AREA:
        text = field->GetUnitsOrName();
        if (!xUnits.empty())
            text += (m_now.m_tool == TOOL_GRADIENT ? "/" : ".") + xUnits;
        break;
    default:
        text = field->m_unit;
        break;
    }
}

void CdocTool::GetHeading(wxString& text, const CdocField* field) const
{
    text.clear();
    if (!field)
        return;
    if (IsXLike(*field)) {
        text = field->GetNameWithUnits();
        return;
    }
    wxString units;
    GetUnits(units, field);
    // A channel without units is headed by its name alone, not "name ()".
    if (field->m_name.empty() || field->m_name == units)
        text = units;
    else if (units.empty())
        text = field->m_name;
    else
        text = field->m_name + " (" + units + ")";
}

float CdocTool::GetCursorText(wxString& text, const CdocField* field) const
{
    text.clear();
    if (!field || !m_doc || HasNoReadout(*field))
        return DOC_NO_VALUE;
    switch (m_now.m_tool) {
    case TOOL_POSITION:
    case TOOL_DIFFERENCE: {
        const float value = GetPositionAt(*field, IsXLike(*field), m_now.m_fracX, m_now.m_fracY);
        text = field->GetValueText(-1, value);
        return value;
    }
    case TOOL_READING:
    case TOOL_CHANGE:
    case TOOL_GRADIENT:
    case TOOL_AREA:
        return GetReadingAtCursor(text, field);
    default:
        return DOC_NO_VALUE;
    }
}

float CdocTool::GetReadingAtCursor(wxString& text, const CdocField* field) const
{
    text.clear();
    if (!field)
        return DOC_NO_VALUE;
    const int i = FindNearestSample(m_now.m_fracX);
    float value = i >= 0 ? field->m_samples[i] : DOC_NO_VALUE;
    value = docIsNoValue(value) ? DOC_NO_VALUE : value;
    text = field->GetDisplayText(-1, value);
    return value;
}

bool CdocTool::GetCursorDateTime(wxString& date, wxString& time) const
{
    if (!m_doc)
        return false;
    const CdocData& data = m_doc->m_data;
    CdocFieldKey key;
    const CdocField* x = m_doc->m_graph.GetFieldX();
    if (!data.m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME) || !x)
        return false;
    const CdocField& elapsed = *key.m_field;
    // An unknown moment leaves the texts as they were.
    auto makeTexts = [&](float seconds) {
        if (!docIsNoValue(seconds))
            data.GetSampleTimeTexts(seconds, time, date);
    };
    switch (m_now.m_tool) {
    case TOOL_READING:
    case TOOL_CHANGE:
    case TOOL_GRADIENT:
    case TOOL_AREA: {
        const int i = FindNearestSample(m_now.m_fracX);
        if (i < 0)
            return false;
        makeTexts(SecondsOf(elapsed.m_samples[i], elapsed.m_gain));
        return true;
    }
    case TOOL_POSITION:
    case TOOL_DIFFERENCE: {
        const float position = x->m_now.m_min + (x->m_now.m_max - x->m_now.m_min) * m_now.m_fracX;
        if (x->m_content == CONTENT_READING) {
            if (position >= 0.0f && position < float(RecordCount(m_doc)))
                makeTexts(SecondsOf(elapsed.m_samples[int(position)], elapsed.m_gain));
            return true;
        }
        if (x->m_content == CONTENT_ELAPSED_TIME) {
            makeTexts(SecondsOf(position, x->m_gain));
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}
