#pragma once
#include "data/docCalc.h"
#include "data/docField.h"

#include <string>
#include <vector>

namespace qvtest {

// Presses keypad keys on a formula, one character per key: digits, ".", "(",
// ")", "-", "+", "*", "/", "^", "s" for "sqrt(", "<" for delete, and the
// letters A, B, ... for the given channels in that order. Answers how many
// keys were accepted before the first refusal (all of them when none was).
inline size_t PressKeys(CdocCalc& calc, const std::string& keys, const std::vector<CdocField*>& channels = {})
{
    for (size_t i = 0; i < keys.size(); ++i) {
        const char k = keys[i];
        bool ok = false;
        if (k >= '0' && k <= '9')
            ok = calc.AppendDigit(k - '0');
        else if (k >= 'A' && k <= 'Z')
            ok = size_t(k - 'A') < channels.size() && calc.AppendChannel(channels[size_t(k - 'A')]);
        else
            switch (k) {
            case '.': ok = calc.AppendPoint(); break;
            case '(': ok = calc.AppendOpenBracket(); break;
            case ')': ok = calc.AppendCloseBracket(); break;
            case '-': ok = calc.AppendSubtract(); break;
            case '+': ok = calc.AppendAdd(); break;
            case '*': ok = calc.AppendMultiply(); break;
            case '/': ok = calc.AppendDivide(); break;
            case '^': ok = calc.AppendPower(); break;
            case 's': ok = calc.AppendSqrt(); break;
            case '<': ok = calc.DeleteLast(); break;
            default: break;
            }
        if (!ok)
            return i;
    }
    return keys.size();
}

// What the Can operation of a key answers.
inline bool CanPress(const CdocCalc& calc, char k)
{
    if (k >= '0' && k <= '9')
        return calc.CanAppendDigit();
    if (k >= 'A' && k <= 'Z')
        return calc.CanAppendChannel();
    switch (k) {
    case '.': return calc.CanAppendPoint();
    case '(': return calc.CanAppendOpenBracket();
    case ')': return calc.CanAppendCloseBracket();
    case '-': return calc.CanAppendSubtract();
    case '+': return calc.CanAppendAdd();
    case '*': return calc.CanAppendMultiply();
    case '/': return calc.CanAppendDivide();
    case '^': return calc.CanAppendPower();
    case 's': return calc.CanAppendSqrt();
    case '<': return calc.HasTokens();
    default: return false;
    }
}

} // namespace qvtest
