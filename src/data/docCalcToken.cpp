#include "data/docCalcToken.h"

#include "app/base/gumHelpers.h"
#include "data/docData.h"
#include "document/docDoc.h"

#include <wx/translation.h>

namespace {

const char* const kRawTexts[CALC_TEXT_COUNT] = {
    wxTRANSLATE("?"), wxTRANSLATE("0"), wxTRANSLATE("1"), wxTRANSLATE("2"), wxTRANSLATE("3"),
    wxTRANSLATE("4"), wxTRANSLATE("5"), wxTRANSLATE("6"), wxTRANSLATE("7"), wxTRANSLATE("8"),
    wxTRANSLATE("9"), wxTRANSLATE("."), wxTRANSLATE("("), wxTRANSLATE(")"), wxTRANSLATE("-"),
    wxTRANSLATE("+"), wxTRANSLATE("*"), wxTRANSLATE("/"), wxTRANSLATE("^"), wxTRANSLATE("sqrt("),
};

wxString g_texts[CALC_TEXT_COUNT];
bool g_textsReady = false;

} // namespace

void docInitCalcTokenTexts()
{
    if (g_textsReady)
        return;
    for (int i = 0; i < CALC_TEXT_COUNT; ++i)
        g_texts[i] = wxGetTranslation(kRawTexts[i]);
    g_textsReady = true;
}

const wxString& docGetCalcTokenText(int which)
{
    docInitCalcTokenTexts();
    return g_texts[which >= 0 && which < CALC_TEXT_COUNT ? which : CALC_TEXT_UNKNOWN];
}

void CdocCalcToken::Clear()
{
    m_kind = CALC_TOKEN_NONE;
    m_text.clear();
    m_field.Clear();
}

void CdocCalcToken::UpdateText(const CdocDoc* doc)
{
    const CdocField* field = doc ? doc->m_data.m_fields.Find(m_field) : nullptr;
    if (!field) {
        m_text = docGetCalcTokenText(CALC_TEXT_UNKNOWN);
        return;
    }
    m_text = field->GetLetter(doc->m_data.m_fields.GetLetterNumber(field));
}

bool CdocCalcToken::GetNumber(float& value) const
{
    double number = 0.0;
    value = DOC_NO_VALUE;
    if (!gumStringToDouble(m_text, &number))
        return false;
    const float f = float(number);
    if (f == DOC_NO_VALUE)
        return false;
    value = f;
    return true;
}
