// A formula's token list as built on the keypad: which key may be pressed
// after which token, what each key appends, and the text of the formula.
#include "data/docCalc.h"

#include "data/docData.h"
#include "document/docDoc.h"

#include <algorithm>

CdocCalc::CdocCalc()
{
    docInitCalcTokenTexts();
}

void CdocCalc::Reset()
{
    Clear();
    m_order = -1;
    m_field.Clear();
    m_value = DOC_NO_VALUE;
}

void CdocCalc::Clear()
{
    m_tokens.m_count = 0;
    m_nodes.m_count = 0;
    m_cursor = 0;
    m_modified = false;
}

CdocCalc::LastToken CdocCalc::GetLastToken() const
{
    if (m_tokens.m_count <= 0)
        return LAST_NONE;
    const CdocCalcToken& last = m_tokens.m_tokens[m_tokens.m_count - 1];
    switch (last.m_kind) {
    case CALC_TOKEN_NONE:
    case CALC_TOKEN_ADD:
    case CALC_TOKEN_SUBTRACT:
    case CALC_TOKEN_MULTIPLY:
    case CALC_TOKEN_DIVIDE:
    case CALC_TOKEN_POWER:
    case CALC_TOKEN_OPEN:
    case CALC_TOKEN_SQRT:
        return LAST_NONE;
    case CALC_TOKEN_CLOSE:
        return LAST_CLOSE;
    case CALC_TOKEN_NUMBER: {
        float value = 0.0f;
        return last.GetNumber(value) ? LAST_NUMBER : LAST_INCOMPLETE;
    }
    case CALC_TOKEN_CHANNEL:
        return LAST_CHANNEL;
    }
    return LAST_OTHER;
}

int CdocCalc::GetOpenBrackets() const
{
    int open = 0;
    for (int i = 0; i < m_tokens.m_count; ++i) {
        const CdocCalcTokenKind kind = m_tokens.m_tokens[i].m_kind;
        if (kind == CALC_TOKEN_OPEN || kind == CALC_TOKEN_SQRT)
            ++open;
        else if (kind == CALC_TOKEN_CLOSE)
            --open;
    }
    return open;
}

bool CdocCalc::LastNumberHasPoint() const
{
    const wxString& text = m_tokens.m_tokens[m_tokens.m_count - 1].m_text;
    return text.Find(docGetCalcTokenText(CALC_TEXT_POINT)) != wxNOT_FOUND;
}

bool CdocCalc::CanAppendChannel() const
{
    return GetLastToken() == LAST_NONE;
}

bool CdocCalc::CanAppendOpenBracket() const
{
    return GetLastToken() == LAST_NONE;
}

bool CdocCalc::CanAppendSqrt() const
{
    return GetLastToken() == LAST_NONE;
}

bool CdocCalc::CanAppendSubtract() const
{
    const LastToken last = GetLastToken();
    return last == LAST_NONE || last == LAST_CLOSE || last == LAST_NUMBER || last == LAST_CHANNEL;
}

bool CdocCalc::CanAppendAdd() const
{
    const LastToken last = GetLastToken();
    return last == LAST_CLOSE || last == LAST_NUMBER || last == LAST_CHANNEL;
}

bool CdocCalc::CanAppendMultiply() const
{
    return CanAppendAdd();
}

bool CdocCalc::CanAppendDivide() const
{
    return CanAppendAdd();
}

bool CdocCalc::CanAppendPower() const
{
    return CanAppendAdd();
}

bool CdocCalc::CanAppendCloseBracket() const
{
    return CanAppendAdd() && GetOpenBrackets() >= 1;
}

bool CdocCalc::CanAppendDigit() const
{
    const LastToken last = GetLastToken();
    return last == LAST_NONE || last == LAST_NUMBER || last == LAST_INCOMPLETE;
}

bool CdocCalc::CanAppendPoint() const
{
    const LastToken last = GetLastToken();
    if (last == LAST_NONE)
        return true;
    return (last == LAST_NUMBER || last == LAST_INCOMPLETE) && !LastNumberHasPoint();
}

bool CdocCalc::AppendToken(CdocCalcTokenKind kind, const wxString& text)
{
    if (m_tokens.m_count < 0 || m_tokens.m_count >= DOC_MAX_CALC_TOKENS)
        return false;
    CdocCalcToken& token = m_tokens.m_tokens[m_tokens.m_count++];
    token.Clear();
    token.m_kind = kind;
    token.m_text = text;
    m_modified = true;
    return true;
}

bool CdocCalc::AppendKeyToken(CdocCalcTokenKind kind, int text)
{
    return AppendToken(kind, docGetCalcTokenText(text));
}

bool CdocCalc::AppendChannel(CdocField* field)
{
    if (!field || !CanAppendChannel() || !AppendKeyToken(CALC_TOKEN_CHANNEL, CALC_TEXT_UNKNOWN))
        return false;
    CdocCalcToken& token = m_tokens.m_tokens[m_tokens.m_count - 1];
    token.m_field = CdocFieldKey(field->m_key, -1, field);
    // The letter is looked up on a copy, so that the token keeps the channel
    // it was given even when that is not (yet) in the document.
    CdocCalcToken probe = token;
    probe.UpdateText(m_doc);
    token.m_text = probe.m_text;
    return true;
}

bool CdocCalc::AppendOpenBracket()
{
    return CanAppendOpenBracket() && AppendKeyToken(CALC_TOKEN_OPEN, CALC_TEXT_OPEN);
}

bool CdocCalc::AppendSqrt()
{
    return CanAppendSqrt() && AppendKeyToken(CALC_TOKEN_SQRT, CALC_TEXT_SQRT);
}

bool CdocCalc::AppendSubtract()
{
    return CanAppendSubtract() && AppendKeyToken(CALC_TOKEN_SUBTRACT, CALC_TEXT_SUBTRACT);
}

bool CdocCalc::AppendAdd()
{
    return CanAppendAdd() && AppendKeyToken(CALC_TOKEN_ADD, CALC_TEXT_ADD);
}

bool CdocCalc::AppendMultiply()
{
    return CanAppendMultiply() && AppendKeyToken(CALC_TOKEN_MULTIPLY, CALC_TEXT_MULTIPLY);
}

bool CdocCalc::AppendDivide()
{
    return CanAppendDivide() && AppendKeyToken(CALC_TOKEN_DIVIDE, CALC_TEXT_DIVIDE);
}

bool CdocCalc::AppendPower()
{
    return CanAppendPower() && AppendKeyToken(CALC_TOKEN_POWER, CALC_TEXT_POWER);
}

bool CdocCalc::AppendCloseBracket()
{
    return CanAppendCloseBracket() && AppendKeyToken(CALC_TOKEN_CLOSE, CALC_TEXT_CLOSE);
}

bool CdocCalc::AppendDigit(int digit)
{
    if (digit < 0 || digit > 9 || !CanAppendDigit())
        return false;
    const wxString& text = docGetCalcTokenText(CALC_TEXT_DIGIT_0 + digit);
    if (GetLastToken() == LAST_NONE)
        return AppendToken(CALC_TOKEN_NUMBER, text);
    // Extending the final number adds no token, so it works at the limit too.
    m_tokens.m_tokens[m_tokens.m_count - 1].m_text += text;
    m_modified = true;
    return true;
}

bool CdocCalc::AppendPoint()
{
    if (!CanAppendPoint())
        return false;
    const wxString& point = docGetCalcTokenText(CALC_TEXT_POINT);
    if (GetLastToken() == LAST_NONE)
        return AppendToken(CALC_TOKEN_NUMBER, docGetCalcTokenText(CALC_TEXT_DIGIT_0) + point);
    m_tokens.m_tokens[m_tokens.m_count - 1].m_text += point;
    m_modified = true;
    return true;
}

bool CdocCalc::DeleteLast()
{
    if (m_tokens.m_count <= 0)
        return false;
    --m_tokens.m_count;
    m_modified = true;
    return true;
}

void CdocCalc::GetFormulaText(wxString& out)
{
    out.clear();
    const int count = std::min(m_tokens.m_count, DOC_MAX_CALC_TOKENS);
    for (int i = 0; i < count; ++i) {
        CdocCalcToken& token = m_tokens.m_tokens[i];
        if (token.m_kind == CALC_TOKEN_CHANNEL)
            token.UpdateText(m_doc);
        out += token.m_text;
    }
}
