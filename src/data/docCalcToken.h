#pragma once
#include "data/docFieldKey.h"

#include <cstdint>
#include <wx/string.h>

class CdocDoc;

// Tokens per formula, as typed on the keypad.
constexpr int DOC_MAX_CALC_TOKENS = 50;

// What a formula token is.
enum CdocCalcTokenKind : int32_t
{
    CALC_TOKEN_NONE = 0,     // a cleared token
    CALC_TOKEN_ADD = 1,      // "+"
    CALC_TOKEN_SUBTRACT = 2, // "-": subtraction, or negation where an operand is expected
    CALC_TOKEN_MULTIPLY = 3, // "*"
    CALC_TOKEN_DIVIDE = 4,   // "/"
    CALC_TOKEN_POWER = 5,    // "^"
    CALC_TOKEN_OPEN = 6,     // "("
    CALC_TOKEN_CLOSE = 7,    // ")"
    CALC_TOKEN_NUMBER = 8,   // digits and point as typed
    CALC_TOKEN_CHANNEL = 9,  // a channel, shown by its letter
    CALC_TOKEN_SQRT = 10,    // "sqrt(" with its opening bracket
};

// The fixed token texts, program-wide and translated once.
enum
{
    CALC_TEXT_UNKNOWN = 0, // "?": a channel that cannot be found
    CALC_TEXT_DIGIT_0 = 1, // the ten digits follow in digit order
    CALC_TEXT_POINT = 11,
    CALC_TEXT_OPEN,
    CALC_TEXT_CLOSE,
    CALC_TEXT_SUBTRACT,
    CALC_TEXT_ADD,
    CALC_TEXT_MULTIPLY,
    CALC_TEXT_DIVIDE,
    CALC_TEXT_POWER,
    CALC_TEXT_SQRT,
    CALC_TEXT_COUNT
};

// Translates the fixed texts on the first use of any of them.
void docInitCalcTokenTexts();
// One fixed text; the "?" text for an index out of range.
const wxString& docGetCalcTokenText(int which);

// One token of a formula.
class CdocCalcToken
{
public:
    CdocCalcToken() = default;
    CdocCalcToken(const CdocCalcToken&) = default;
    CdocCalcToken& operator=(const CdocCalcToken&) = default;
    virtual ~CdocCalcToken() {}

    void Clear();
    // The text becomes the letter of the token's channel in that document,
    // or "?" when it has none.
    void UpdateText(const CdocDoc* doc);
    // Whether the text reads as a number that is not the no-value mark as a
    // float; the value is the mark when it does not.
    bool GetNumber(float& value) const;

    CdocCalcTokenKind m_kind = CALC_TOKEN_NONE;
    wxString m_text;
    CdocFieldKey m_field;
};

// The token list of a formula: a fixed array used from the front.
class CdocCalcTokens
{
public:
    CdocCalcTokens() = default;
    CdocCalcTokens(const CdocCalcTokens&) = default;
    CdocCalcTokens& operator=(const CdocCalcTokens&) = default;
    virtual ~CdocCalcTokens() {}

    CdocCalcToken m_tokens[DOC_MAX_CALC_TOKENS];
    int m_count = 0;
};
