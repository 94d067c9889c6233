// Parsing a formula's tokens into postfix nodes, and evaluating the nodes in
// single precision.
//
// Grammar, loosest first:
//   sum     = product { ("+" | "-") product }      left-associative
//   product = power { ("*" | "/") power }          left-associative
//   power   = primary { "^" primary }              left-associative: 2^3^2 is 64
//   primary = "-" primary | ("(" | "sqrt(") sum ")" | number | channel
// A negation takes the next primary only, so -2^2 is (-2)^2.
#include "data/docCalc.h"

#include "data/docData.h"
#include "document/docDoc.h"

#include <algorithm>
#include <cmath>

bool CdocCalc::TokenIs(CdocCalcTokenKind kind) const
{
    return m_cursor >= 0 && m_cursor < std::min(m_tokens.m_count, DOC_MAX_CALC_TOKENS) &&
           m_tokens.m_tokens[m_cursor].m_kind == kind;
}

bool CdocCalc::AppendNode(int token, int left, int right, float value)
{
    if (m_nodes.m_count < 0 || m_nodes.m_count >= DOC_MAX_CALC_NODES)
        return false;
    CdocCalcNode& node = m_nodes.m_nodes[m_nodes.m_count++];
    node = CdocCalcNode(token, left, right);
    node.m_value = value;
    return true;
}

bool CdocCalc::Parse()
{
    m_cursor = 0;
    m_nodes.m_count = 0;
    return ParseSum();
}

bool CdocCalc::ParseSum()
{
    if (!ParseProduct())
        return false;
    while (TokenIs(CALC_TOKEN_ADD) || TokenIs(CALC_TOKEN_SUBTRACT)) {
        const int left = m_nodes.m_count - 1;
        const int op = m_cursor++;
        if (!ParseProduct() || !AppendNode(op, left, m_nodes.m_count - 1))
            return false;
    }
    return true;
}

bool CdocCalc::ParseProduct()
{
    if (!ParsePower())
        return false;
    while (TokenIs(CALC_TOKEN_MULTIPLY) || TokenIs(CALC_TOKEN_DIVIDE)) {
        const int left = m_nodes.m_count - 1;
        const int op = m_cursor++;
        if (!ParsePower() || !AppendNode(op, left, m_nodes.m_count - 1))
            return false;
    }
    return true;
}

bool CdocCalc::ParsePower()
{
    if (!ParsePrimary())
        return false;
    while (TokenIs(CALC_TOKEN_POWER)) {
        const int left = m_nodes.m_count - 1;
        const int op = m_cursor++;
        if (!ParsePrimary() || !AppendNode(op, left, m_nodes.m_count - 1))
            return false;
    }
    return true;
}

bool CdocCalc::ParsePrimary()
{
    if (m_cursor < 0 || m_cursor >= std::min(m_tokens.m_count, DOC_MAX_CALC_TOKENS))
        return false;
    const int at = m_cursor;
    const CdocCalcToken& token = m_tokens.m_tokens[at];
    switch (token.m_kind) {
    case CALC_TOKEN_SUBTRACT:
        ++m_cursor;
        return ParsePrimary() && AppendNode(at, m_nodes.m_count - 1, m_nodes.m_count - 1);
    case CALC_TOKEN_OPEN:
    case CALC_TOKEN_SQRT:
        ++m_cursor;
        if (!ParseSum() || !TokenIs(CALC_TOKEN_CLOSE))
            return false;
        ++m_cursor;
        return AppendNode(at, m_nodes.m_count - 1, m_nodes.m_count - 1);
    case CALC_TOKEN_NUMBER: {
        float value = DOC_NO_VALUE;
        // A number beyond the float range reads as infinite: it is kept as
        // no value, which every step that meets it passes on.
        if (!token.GetNumber(value) || !AppendNode(at, -1, -1, docFiniteOrNoValue(value)))
            return false;
        ++m_cursor;
        return true;
    }
    case CALC_TOKEN_CHANNEL:
        if (!AppendNode(at, -1, -1))
            return false;
        ++m_cursor;
        return true;
    default:
        return false;
    }
}

float CdocCalc::EvaluateNode(const CdocCalcNode& node, int index)
{
    // Operands always come before the node; anything else is no formula of
    // the parser's making.
    if (node.m_left >= index || node.m_right >= index || node.m_token < 0 ||
        node.m_token >= std::min(m_tokens.m_count, DOC_MAX_CALC_TOKENS))
        return DOC_NO_VALUE;
    const float l = node.m_left >= 0 ? m_nodes.m_nodes[node.m_left].m_value : 0.0f;
    const float r = node.m_right >= 0 ? m_nodes.m_nodes[node.m_right].m_value : 0.0f;
    if ((node.m_left >= 0 && l == DOC_NO_VALUE) || (node.m_right >= 0 && r == DOC_NO_VALUE))
        return DOC_NO_VALUE;
    CdocCalcToken& token = m_tokens.m_tokens[node.m_token];
    const bool unary = node.m_left == node.m_right;
    const bool operands = node.m_left >= 0 && node.m_right >= 0;
    switch (token.m_kind) {
    case CALC_TOKEN_NUMBER:
        return node.m_value;
    case CALC_TOKEN_CHANNEL: {
        const CdocField* field = m_doc ? m_doc->m_data.m_fields.Find(token.m_field) : nullptr;
        return field ? field->m_running : DOC_NO_VALUE;
    }
    case CALC_TOKEN_ADD:
        return operands ? l + r : DOC_NO_VALUE;
    case CALC_TOKEN_SUBTRACT:
        return !operands ? DOC_NO_VALUE : unary ? -l : l - r;
    case CALC_TOKEN_MULTIPLY:
        return operands ? l * r : DOC_NO_VALUE;
    case CALC_TOKEN_DIVIDE:
        return !operands || r == 0.0f ? DOC_NO_VALUE : l / r;
    case CALC_TOKEN_POWER:
        return !operands || (l == 0.0f && r < 0.0f) ? DOC_NO_VALUE : std::pow(l, r);
    case CALC_TOKEN_OPEN:
        return operands ? l : DOC_NO_VALUE;
    case CALC_TOKEN_SQRT:
        return !operands || l < 0.0f ? DOC_NO_VALUE : std::sqrt(l);
    default:
        return DOC_NO_VALUE;
    }
}

float CdocCalc::Evaluate()
{
    const int count = std::min(m_nodes.m_count, DOC_MAX_CALC_NODES);
    if (count <= 0)
        return DOC_NO_VALUE;
    for (int i = 0; i < count; ++i) {
        CdocCalcNode& node = m_nodes.m_nodes[i];
        // Every step that is not a finite number (a negative number to a
        // fractional power, an overflow) counts as no value, like any other
        // undefined step.
        node.m_value = docFiniteOrNoValue(EvaluateNode(node, i));
    }
    return m_nodes.m_nodes[count - 1].m_value;
}
