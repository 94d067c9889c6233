#pragma once
#include "data/docNoValue.h"

// Parsed nodes per formula.
constexpr int DOC_MAX_CALC_NODES = 50;

// One node of a parsed formula, in postfix order: an operand, or an
// operation on nodes of smaller index. A negation, a bracket and a square
// root have the same node as left and right operand.
class CdocCalcNode
{
public:
    CdocCalcNode() = default;
    CdocCalcNode(int token, int left, int right) : m_token(token), m_left(left), m_right(right) {}
    CdocCalcNode(const CdocCalcNode&) = default;
    CdocCalcNode& operator=(const CdocCalcNode&) = default;
    virtual ~CdocCalcNode() {}

    void Clear() { *this = CdocCalcNode(); }

    int m_token = -1; // index in the formula's token list
    int m_left = -1;  // node index of the left operand, -1 for none
    int m_right = -1; // node index of the right operand, -1 for none
    float m_value = DOC_NO_VALUE;
};

// The node list of a formula: a fixed array used from the front; the last
// node in use is the root.
class CdocCalcNodes
{
public:
    CdocCalcNodes() = default;
    CdocCalcNodes(const CdocCalcNodes&) = default;
    CdocCalcNodes& operator=(const CdocCalcNodes&) = default;
    virtual ~CdocCalcNodes() {}

    CdocCalcNode m_nodes[DOC_MAX_CALC_NODES];
    int m_count = 0;
};
