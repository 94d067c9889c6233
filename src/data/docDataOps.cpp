// Operations on whole channels: duplicate, channels computed from one or two
// channels, invert, tare, unit conversion and custom scale, smoothing, and the
// upkeep of the best straight lines that follows them.
#include "app/base/gumResCore.h"
#include "data/docCalcs.h"
#include "data/docData.h"
#include "document/docDoc.h"
#include "document/docHint.h"
#include "transport/zxMessageBox.h"

#include <algorithm>
#include <wx/intl.h>

namespace {

bool IsTimeContent(int content)
{
    return content == CONTENT_READING || content == CONTENT_ELAPSED_TIME;
}

float Difference(float a, float b)
{
    return docIsNoValue(a) || docIsNoValue(b) ? DOC_NO_VALUE : docFiniteOrNoValue(a - b);
}

float Product(float a, float b)
{
    return docIsNoValue(a) || docIsNoValue(b) ? DOC_NO_VALUE : docFiniteOrNoValue(a * b);
}

} // namespace

void CdocData::UpdateFits()
{
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    CdocField* x = m_doc ? m_doc->m_graph.GetFieldX() : nullptr;
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        CdocField* field = m_fields.GetAt(i);
        if (field != x && !IsTimeContent(field->m_content))
            field->FitStraightLine(records, x);
    }
}

void CdocData::RefreshAfterChange(CdocField& field, int hint)
{
    if (m_doc && m_doc->m_calcs.RecalculateIfUses(&field))
        UpdateFits();
    else
        field.FitStraightLine(std::clamp(m_records, 0, DOC_MAX_SAMPLES), m_doc ? m_doc->m_graph.GetFieldX() : nullptr);
    if (m_doc)
        m_doc->m_graph.ShareScales();
    ModifyAndUpdateViews(hint, nullptr);
}

bool CdocData::DuplicateField(CdocFieldKey a, CdocFieldKey* out)
{
    if (!m_fields.Find(a))
        return false;
    CdocFieldKey key;
    if (!AddManualField(&key))
        return false;
    CdocField* source = m_fields.Find(a);
    CdocField* copy = m_fields.Find(key);
    if (!source || !copy)
        return false;
    source->CopyForDuplicate(*copy);
    if (m_doc)
        m_doc->m_graph.ShareScales();
    AssignColours();
    ModifyAndUpdateViews(HINT_CHANNEL_ADDED, nullptr);
    if (out)
        *out = key;
    return true;
}

bool CdocData::CreateFunctionField(CdocFieldKey a, CdocFieldKey b, int mode, CdocFieldKey* out)
{
    CdocFieldKey xKey = m_doc ? m_doc->m_graph.m_axisX : CdocFieldKey();
    CdocFieldKey tKey;
    if (!m_fields.FindContent(tKey, 0, CONTENT_ELAPSED_TIME))
        m_fields.FindContent(tKey, 0, CONTENT_READING);
    if (!m_fields.Find(xKey))
        xKey = tKey;
    if (!m_fields.Find(xKey) || !m_fields.Find(tKey))
        return false;
    const bool twoChannels = mode == FUNCTION_DIFFERENCE || mode == FUNCTION_PRODUCT;
    if (mode < FUNCTION_DUPLICATE || mode > FUNCTION_PRODUCT || !m_fields.Find(a) || (twoChannels && !m_fields.Find(b)))
        return false;

    CdocFieldKey nKey;
    if (!AddManualField(&nKey))
        return false;
    // Resolved after the new channel was taken into use, which may move them.
    CdocField* n = m_fields.Find(nKey);
    CdocField* fa = m_fields.Find(a);
    CdocField* fb = m_fields.Find(b);
    CdocField* fx = m_fields.Find(xKey);
    CdocField* ft = m_fields.Find(tKey);
    if (!n || !fa || !fx || !ft)
        return false;
    fa->CopyForDuplicate(*n);
    AssignColours();
    if (mode != FUNCTION_DUPLICATE)
        FillFunctionField(*n, *fa, fb, *fx, *ft, mode);
    n->m_manualLogOverNull = !n->HasData();
    if (m_doc)
        m_doc->m_graph.ShareScales();
    ModifyAndUpdateViews(HINT_CHANNEL_ADDED, nullptr);
    if (out)
        *out = nKey;
    if (mode == FUNCTION_FIT)
        zxInfoBox(n->m_descript);
    return true;
}

void CdocData::FillFunctionField(CdocField& n, CdocField& a, CdocField* b, CdocField& x, CdocField& t, int mode)
{
    const int records = std::clamp(m_records, 0, DOC_MAX_SAMPLES);
    auto letter = [this](const CdocField* field, const wxString& placeholder) {
        return field ? field->GetLetter(m_fields.GetLetterNumber(field)) : placeholder;
    };
    const wxString letterA = letter(&a, _("Channel?"));
    const wxString letterB = letter(b, _("Channel?"));
    const wxString letterX = letter(&x, _("Graph X axis"));
    const wxString letterT = letter(&t, _("Time or Item"));
    const wxString piece1 = _(" \"");
    const wxString piece2 = _("\" with respect to \"");
    const wxString piece3 = _("\" and \"");
    const wxString piece4 = _("\"");
    const wxString phraseX = piece1 + letterA + piece2 + letterX + piece4;
    const wxString phraseTwo = piece1 + letterA + piece3 + letterB + piece4;

    switch (mode) {
    case FUNCTION_FIT: {
        // Without a line (too few pairs, one x for all) the channel holds no values.
        const bool fitted = a.FitStraightLine(records, &x);
        n.m_descript = _("Best straight line fit to") + phraseX + " : " + a.m_fitLabel;
        for (int i = 0; i < records; ++i) {
            const float xi = x.m_samples[i];
            n.m_samples[i] = fitted && !docIsNoValue(xi) ? docFiniteOrNoValue(xi * a.m_fitM + a.m_fitC) : DOC_NO_VALUE;
        }
        break;
    }
    case FUNCTION_GRADIENT:
        n.m_unit = a.m_unit + "/" + t.m_unit;
        n.m_descript = gumGetString(2483);
        for (int i = 0; i < records; ++i)
            n.m_samples[i] = a.GetGradientAt(&t, i, records);
        break;
    case FUNCTION_AREA:
        n.m_unit = a.m_unit + "." + t.m_unit;
        n.m_descript = gumGetString(2484);
        if (records > 0)
            a.GetArea(&t, 0, records - 1, records, &n);
        break;
    case FUNCTION_DIFFERENCE:
        n.m_unit = a.m_unit == b->m_unit ? a.m_unit : a.m_unit + "-" + b->m_unit;
        n.m_descript = _("Difference between") + phraseTwo;
        for (int i = 0; i < records; ++i)
            n.m_samples[i] = Difference(a.m_samples[i], b->m_samples[i]);
        break;
    case FUNCTION_PRODUCT:
        n.m_unit = a.m_unit + "." + b->m_unit;
        n.m_descript = _("Product of") + phraseTwo;
        for (int i = 0; i < records; ++i)
            n.m_samples[i] = Product(a.m_samples[i], b->m_samples[i]);
        break;
    default: return;
    }
    n.SaveUnprocessed();
    n.UpdateDataRange();
    if (n.m_dataRange.IsSet()) {
        n.m_cal = n.m_dataRange;
        n.m_def = n.m_dataRange;
        n.m_now = n.m_dataRange;
    }
}

bool CdocData::InvertField(CdocFieldKey key)
{
    CdocField* field = m_fields.Find(key);
    if (!field)
        return false;
    field->ApplyGainOffset(nullptr, nullptr, -1.0f, 0.0f);
    RefreshAfterChange(*field, HINT_CHANNEL_VALUES);
    return true;
}

bool CdocData::TareField(CdocFieldKey key, float offset)
{
    CdocField* field = m_fields.Find(key);
    if (!field)
        return false;
    field->ApplyGainOffset(nullptr, nullptr, 1.0f, offset);
    RefreshAfterChange(*field, HINT_CHANNEL_VALUES);
    return true;
}

bool CdocData::ConvertField(CdocFieldKey key, wxString name, wxString units, float gain, float offset)
{
    CdocField* field = m_fields.Find(key);
    if (!field)
        return false;
    field->ApplyGainOffset(&name, &units, gain, offset);
    RefreshAfterChange(*field, HINT_CHANNEL_CHANGED);
    return true;
}

bool CdocData::SmoothField(CdocFieldKey key)
{
    CdocField* field = m_fields.Find(key);
    if (!field || IsTimeContent(field->m_content))
        return false;
    field->SmoothPass();
    RefreshAfterChange(*field, HINT_CHANNEL_VALUES);
    return true;
}

bool CdocData::SetFieldSmoothing(CdocFieldKey key, int n)
{
    CdocField* field = m_fields.Find(key);
    if (!field || IsTimeContent(field->m_content))
        return false;
    field->SmoothMovingAverage(n);
    RefreshAfterChange(*field, HINT_CHANNEL_VALUES);
    return true;
}

void CdocData::SaveSmoothing()
{
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        CdocField* field = m_fields.GetAt(i);
        field->m_smoothEpsilonWas = field->m_smoothEpsilon;
    }
}

void CdocData::RestoreSmoothing()
{
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        CdocField* field = m_fields.GetAt(i);
        if (IsTimeContent(field->m_content) || field->m_smoothEpsilonWas == field->m_smoothEpsilon)
            continue;
        field->SmoothMovingAverage(field->m_smoothEpsilonWas);
        RefreshAfterChange(*field, HINT_CHANNEL_VALUES);
    }
}
