#pragma once
#include "data/docCalcNode.h"
#include "data/docCalcToken.h"
#include "data/docFieldKey.h"
#include "data/docNoValue.h"
#include "data/docRoot.h"

class CdocField;

// One formula of the document's formula set: the tokens as typed on the
// keypad, the parsed nodes, the channel it fills and its order number.
class CdocCalc : public CdocRoot
{
public:
    CdocCalc();
    CdocCalc(const CdocCalc&) = default;
    CdocCalc& operator=(const CdocCalc&) = default;
    ~CdocCalc() override {}

    void Reset();
    void Clear();

    // Keypad. The Can operations say whether a key may be pressed now and
    // do not look at the token limit; an Append that is refused changes
    // nothing, one that succeeds marks the formula modified.
    bool HasTokens() const { return m_tokens.m_count > 0; }
    bool CanAppendChannel() const;
    bool CanAppendOpenBracket() const;
    bool CanAppendSqrt() const;
    bool CanAppendSubtract() const;
    bool CanAppendAdd() const;
    bool CanAppendMultiply() const;
    bool CanAppendDivide() const;
    bool CanAppendPower() const;
    bool CanAppendCloseBracket() const;
    bool CanAppendDigit() const;
    bool CanAppendPoint() const;
    bool AppendChannel(CdocField* field);
    bool AppendOpenBracket();
    bool AppendSqrt();
    bool AppendSubtract();
    bool AppendAdd();
    bool AppendMultiply();
    bool AppendDivide();
    bool AppendPower();
    bool AppendCloseBracket();
    bool AppendDigit(int digit);
    bool AppendPoint();
    bool DeleteLast();
    // Any token, without the keypad rules (the data-file reader's way).
    bool AppendToken(CdocCalcTokenKind kind, const wxString& text);
    void GetFormulaText(wxString& out);

    // Parsing into nodes and evaluation.
    bool Parse();
    bool ParseSum();
    bool ParseProduct();
    bool ParsePower();
    bool ParsePrimary();
    float Evaluate();

    int m_order = -1;
    CdocFieldKey m_field;
    float m_value = DOC_NO_VALUE;
    CdocCalcTokens m_tokens;
    CdocCalcNodes m_nodes;
    int m_cursor = 0;
    bool m_modified = false;
    bool m_visited = false;

private:
    enum LastToken
    {
        LAST_NONE,       // empty formula, a cleared token, an operator or an opener
        LAST_CLOSE,      // ")"
        LAST_NUMBER,     // a complete number
        LAST_INCOMPLETE, // a number whose text does not read
        LAST_CHANNEL,
        LAST_OTHER, // a kind no key makes
    };
    LastToken GetLastToken() const;
    int GetOpenBrackets() const;
    bool LastNumberHasPoint() const;
    bool AppendKeyToken(CdocCalcTokenKind kind, int text);

    bool TokenIs(CdocCalcTokenKind kind) const;
    bool AppendNode(int token, int left, int right, float value = DOC_NO_VALUE);
    float EvaluateNode(const CdocCalcNode& node, int index);
};
