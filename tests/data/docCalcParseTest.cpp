// Parsing formulas into nodes and evaluating them in single precision.
#include "data/calcTestSupport.h"
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>

using qvtest::DataTest;
using qvtest::PressKeys;

namespace {

class CalcParse : public DataTest
{
protected:
    CalcParse()
    {
        const float values[] = {3.0f, -2.0f, DOC_NO_VALUE, 0.0f};
        for (float value : values) {
            CdocField& field = At(Fields().Add(1));
            field.InitManual();
            field.m_running = value;
            m_channels.push_back(&field);
        }
    }

    // A formula typed on the keypad; every key must be accepted.
    CdocCalc Typed(const std::string& keys)
    {
        CdocCalc calc;
        calc.m_doc = &m_doc;
        EXPECT_EQ(PressKeys(calc, keys, m_channels), keys.size()) << keys;
        return calc;
    }

    std::vector<CdocField*> m_channels; // A = 3, B = -2, C no value, D = 0
};

} // namespace

TEST_F(CalcParse, Values)
{
    const float nv = DOC_NO_VALUE;
    struct Row
    {
        const char* keys;
        float value;
    };
    const Row rows[] = {
        // Precedence and associativity: "^" is right-associative; a
        // negation takes the next primary only, so it binds before "^".
        {"2^3^2", 64.0f},
        {"2^3*2", 16.0f},
        {"2*3^2", 18.0f},
        {"8/4/2", 1.0f},
        {"8-4-2", 2.0f},
        {"1+2*3", 7.0f},
        {"(1+2)*3", 9.0f},
        {"s4)*3", 6.0f},
        {"-2^2", 4.0f},
        {"-(2^2)", -4.0f},
        {"2^-1", 0.5f},
        {"2^-1^2", 0.25f},
        {"5--3", 8.0f},
        {"--2", 2.0f},
        {"-3*2", -6.0f},
        {"2*-3", -6.0f},
        {"7", 7.0f},
        {"2.5", 2.5f},
        {"0.1+0.2", 0.1f + 0.2f},
        // Channels.
        {"A", 3.0f},
        {"B", -2.0f},
        {"A*B", -6.0f},
        {"B^3", -8.0f},
        {"A^D", 1.0f},
        {"C", nv},
        {"C*0", nv},
        {"1+C", nv},
        // Undefined steps.
        {"1/0", nv},
        {"0/0", nv},
        {"A/(A-3)", nv},
        {"D/D", nv},
        {"0^-1", nv},
        {"D^B", nv},
        {"0^0", 1.0f},
        {"0^2", 0.0f},
        {"s0)", 0.0f},
        {"s0-4)", nv},
        {"s-4)", nv},
        {"sB)", nv},
        // Not finite on the way: a negative number to a fractional power,
        // overflow, a number beyond the float range.
        {"B^0.5", nv},
        {"(0-8)^(1/3)", nv},
        {"10^30*10^30", nv},
        {"10^39", nv},
        {"0*10^39", nv},
        {"1000000000000000000000000000000000000000*0", nv},
        {"-(10^38)*10", nv},
    };
    for (const Row& row : rows) {
        CdocCalc calc = Typed(row.keys);
        ASSERT_TRUE(calc.Parse()) << row.keys;
        const float value = calc.Evaluate();
        if (row.value == nv)
            EXPECT_EQ(value, nv) << row.keys;
        else
            EXPECT_FLOAT_EQ(value, row.value) << row.keys;
        EXPECT_TRUE(std::isfinite(value)) << row.keys;
    }
}

TEST_F(CalcParse, Failures)
{
    // Unfinished formulas, as the keypad can leave them.
    for (const char* keys : {"", "1+", "(1+2", "s4", "-", "2*(", "((1)", "2^"}) {
        CdocCalc calc = Typed(keys);
        EXPECT_FALSE(calc.Parse()) << keys;
    }
    // Token lists that only a data file can hold.
    struct Row
    {
        std::vector<std::pair<CdocCalcTokenKind, const char*>> tokens;
        bool parses;
    };
    const Row rows[] = {
        {{{CALC_TOKEN_ADD, "+"}, {CALC_TOKEN_NUMBER, "1"}}, false},
        {{{CALC_TOKEN_CLOSE, ")"}}, false},
        {{{CALC_TOKEN_NONE, ""}}, false},
        {{{CdocCalcTokenKind(11), "x"}}, false},
        {{{CALC_TOKEN_NUMBER, "1e"}}, false},
        {{{CALC_TOKEN_NUMBER, "-987654"}}, false},
        {{{CALC_TOKEN_NUMBER, "1"}, {CALC_TOKEN_MULTIPLY, "*"}, {CALC_TOKEN_POWER, "^"}}, false},
        // Tokens after one complete sum are not examined.
        {{{CALC_TOKEN_NUMBER, "1"}, {CALC_TOKEN_ADD, "+"}, {CALC_TOKEN_NUMBER, "2"}, {CALC_TOKEN_CLOSE, ")"}}, true},
    };
    for (const Row& row : rows) {
        CdocCalc calc;
        for (const auto& [kind, text] : row.tokens)
            ASSERT_TRUE(calc.AppendToken(kind, text));
        EXPECT_EQ(calc.Parse(), row.parses) << row.tokens.size();
        if (row.parses) {
            EXPECT_EQ(calc.Evaluate(), 3.0f);
        }
    }
    // Nothing parsed, nothing to evaluate.
    CdocCalc empty;
    EXPECT_EQ(empty.Evaluate(), DOC_NO_VALUE);
}

TEST_F(CalcParse, NodeShapes)
{
    CdocCalc calc = Typed("-A*(2+3)");
    ASSERT_TRUE(calc.Parse());
    // {token, left, right}: operands before the node, the root last.
    const int expected[][3] = {{1, -1, -1}, {0, 0, 0}, {4, -1, -1}, {6, -1, -1}, {5, 2, 3}, {3, 4, 4}, {2, 1, 5}};
    ASSERT_EQ(calc.m_nodes.m_count, 7);
    for (int i = 0; i < 7; ++i) {
        const CdocCalcNode& node = calc.m_nodes.m_nodes[i];
        EXPECT_EQ(node.m_token, expected[i][0]) << i;
        EXPECT_EQ(node.m_left, expected[i][1]) << i;
        EXPECT_EQ(node.m_right, expected[i][2]) << i;
    }
    EXPECT_EQ(calc.m_nodes.m_nodes[2].m_value, 2.0f);
    EXPECT_EQ(calc.m_nodes.m_nodes[0].m_value, DOC_NO_VALUE);
    EXPECT_EQ(calc.Evaluate(), -15.0f);
}

TEST_F(CalcParse, FullestFormula)
{
    // 49 negations of one number: 50 tokens, 50 nodes, the most there can be
    // (every node takes a token of its own).
    CdocCalc calc = Typed(std::string(49, '-') + "1");
    EXPECT_EQ(calc.m_tokens.m_count, DOC_MAX_CALC_TOKENS);
    EXPECT_FALSE(calc.AppendToken(CALC_TOKEN_CLOSE, ")"));
    ASSERT_TRUE(calc.Parse());
    EXPECT_EQ(calc.m_nodes.m_count, DOC_MAX_CALC_NODES);
    EXPECT_EQ(calc.Evaluate(), -1.0f);

    // A node list that is no parser's (operands after the node) gives no value.
    calc.m_nodes.m_nodes[0].m_left = 5;
    EXPECT_EQ(calc.Evaluate(), DOC_NO_VALUE);
}

TEST_F(CalcParse, ChannelsGoneOrWithoutDocument)
{
    CdocCalc calc = Typed("A+B");
    ASSERT_TRUE(calc.Parse());
    EXPECT_EQ(calc.Evaluate(), 1.0f);
    // Channels moved: still found by key.
    Fields().Move(0, 3);
    EXPECT_EQ(calc.Evaluate(), 1.0f);
    Fields().RemoveAt(Fields().IndexOf(m_channels[1]));
    EXPECT_EQ(calc.Evaluate(), DOC_NO_VALUE);
    calc.m_doc = nullptr;
    EXPECT_EQ(calc.Evaluate(), DOC_NO_VALUE);
}
