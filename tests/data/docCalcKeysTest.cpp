// The formula keypad: which key may follow which token, what each key
// appends, and the formula text.
#include "data/calcTestSupport.h"
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>

using qvtest::CanPress;
using qvtest::DataTest;
using qvtest::PressKeys;

namespace {

class CalcKeys : public DataTest
{
protected:
    CalcKeys()
    {
        for (int i = 0; i < 2; ++i)
            At(Fields().Add(1)).InitManual();
        m_calc.m_doc = &m_doc;
    }

    std::vector<CdocField*> Channels() { return {&At(0), &At(1)}; }

    std::string Text()
    {
        wxString text;
        m_calc.GetFormulaText(text);
        return text.ToStdString();
    }

    CdocCalc m_calc;
};

} // namespace

TEST_F(CalcKeys, KeyRulesAfterEachKindOfToken)
{
    // Every key after a given formula: whether its Can operation answers
    // true, and whether pressing it appends (then nothing else changes).
    const std::string keys = "A(s-+*/^)5.";
    struct Row
    {
        const char* typed;
        const char* accepted;
    };
    const Row rows[] = {
        {"", "A(s-5."},       // a new formula: operands and negation only
        {"(", "A(s-5."},      // after an opener
        {"s", "A(s-5."},      //
        {"2+", "A(s-5."},     // after an operator
        {"2^-", "A(s-5."},    // a negation may follow an operator
        {"--", "A(s-5."},     //
        {"A", "-+*/^"},       // a channel: operators only
        {"(A", "-+*/^)"},     // ... and ")" while a bracket is open
        {"2", "-+*/^5."},     // a number extends
        {"(2.", "-+*/^)5"},   // only one point
        {"(2)", "-+*/^"},     // every bracket closed
        {"((2)", "-+*/^)"},   //
        {"s(A)", "-+*/^)"},   // "sqrt(" is an opener too
    };
    for (const Row& row : rows) {
        for (char k : keys) {
            m_calc.Reset();
            ASSERT_EQ(PressKeys(m_calc, row.typed, Channels()), strlen(row.typed)) << row.typed;
            const bool expected = std::string(row.accepted).find(k) != std::string::npos;
            const std::string before = Text();
            const int count = m_calc.m_tokens.m_count;
            m_calc.m_modified = false;
            EXPECT_EQ(CanPress(m_calc, k), expected) << "'" << row.typed << "' then '" << k << "'";
            EXPECT_EQ(PressKeys(m_calc, std::string(1, k), Channels()), expected ? 1u : 0u)
                << "'" << row.typed << "' then '" << k << "'";
            EXPECT_EQ(m_calc.m_modified, expected);
            if (!expected) {
                EXPECT_EQ(Text(), before);
                EXPECT_EQ(m_calc.m_tokens.m_count, count);
            }
        }
    }
}

TEST_F(CalcKeys, TokensThatNoKeyMakes)
{
    // A cleared token stands like an operator; an unreadable number takes
    // only digits and the point; an unknown kind takes nothing.
    const std::string keys = "A(s-+*/^)5.";
    struct Row
    {
        CdocCalcTokenKind kind;
        const char* text;
        const char* accepted;
    };
    const Row rows[] = {
        {CALC_TOKEN_NONE, "", "A(s-5."},
        {CALC_TOKEN_NUMBER, "1e", "5."},
        {CALC_TOKEN_NUMBER, "-987654", "5."},
        {CALC_TOKEN_NUMBER, "-987654.0", "5"},
        {CdocCalcTokenKind(11), "x", ""},
    };
    for (const Row& row : rows) {
        m_calc.Reset();
        ASSERT_TRUE(m_calc.AppendToken(row.kind, row.text));
        EXPECT_TRUE(m_calc.m_modified);
        for (char k : keys) {
            const bool expected = std::string(row.accepted).find(k) != std::string::npos;
            EXPECT_EQ(CanPress(m_calc, k), expected) << row.text << " then '" << k << "'";
        }
    }
}

TEST_F(CalcKeys, NumbersAreTypedWholeAndDeletedWhole)
{
    EXPECT_EQ(PressKeys(m_calc, "12.5"), 4u);
    ASSERT_EQ(m_calc.m_tokens.m_count, 1);
    EXPECT_EQ(m_calc.m_tokens.m_tokens[0].m_kind, CALC_TOKEN_NUMBER);
    EXPECT_EQ(Text(), "12.5");
    EXPECT_FALSE(m_calc.AppendPoint());
    EXPECT_TRUE(m_calc.DeleteLast());
    EXPECT_FALSE(m_calc.HasTokens());
    EXPECT_FALSE(m_calc.DeleteLast());

    // A point first starts "0."; leading zeros stay as typed.
    EXPECT_EQ(PressKeys(m_calc, ".5*007"), 6u);
    EXPECT_EQ(Text(), "0.5*007");
    EXPECT_EQ(m_calc.m_tokens.m_count, 3);
}

TEST_F(CalcKeys, FiftyTokensAtMost)
{
    // "-1+1+...+1": 50 tokens, the last a number.
    std::string keys = "-1";
    while (keys.size() < 50)
        keys += "+1";
    ASSERT_EQ(PressKeys(m_calc, keys), 50u);
    EXPECT_EQ(m_calc.m_tokens.m_count, 50);
    // Keys that add a token are refused although their Can says yes;
    // digits and the point still extend the last number.
    EXPECT_TRUE(m_calc.CanAppendAdd());
    EXPECT_FALSE(m_calc.AppendAdd());
    EXPECT_FALSE(m_calc.AppendSubtract());
    EXPECT_FALSE(m_calc.AppendToken(CALC_TOKEN_ADD, "+"));
    EXPECT_TRUE(m_calc.AppendDigit(2));
    EXPECT_TRUE(m_calc.AppendPoint());
    EXPECT_EQ(m_calc.m_tokens.m_tokens[49].m_text, "12.");
    EXPECT_EQ(m_calc.m_tokens.m_count, 50);

    // Ending in an operator, the next number cannot start.
    m_calc.Reset();
    ASSERT_EQ(PressKeys(m_calc, keys.substr(1) + "+"), 50u);
    EXPECT_TRUE(m_calc.CanAppendDigit());
    EXPECT_FALSE(m_calc.AppendDigit(1));
    EXPECT_FALSE(m_calc.AppendPoint());
    EXPECT_FALSE(m_calc.AppendChannel(&At(0)));
    EXPECT_FALSE(m_calc.AppendDigit(10));
}

TEST_F(CalcKeys, ChannelsShowTheirCurrentLetter)
{
    EXPECT_FALSE(m_calc.AppendChannel(nullptr));
    ASSERT_EQ(PressKeys(m_calc, "B*(A+2", Channels()), 6u);
    EXPECT_EQ(m_calc.m_tokens.m_tokens[0].m_field.m_key, At(1).m_key);
    EXPECT_EQ(Text(), "B*(A+2");

    // A channel before them moves the letters on; a deleted one shows "?".
    At(Fields().Add(1)).InitManual();
    Fields().Move(2, 0);
    EXPECT_EQ(Text(), "C*(B+2");
    Fields().RemoveAt(2);
    EXPECT_EQ(Text(), "?*(B+2");

    // A reading-number channel takes no letter of its own.
    At(Fields().Add(1)).InitReading(10.0f, 10.0f, 10.0f);
    Fields().Move(2, 0);
    EXPECT_EQ(Text(), "?*(B+2");

    // Without a document every channel is "?".
    CdocCalc loose;
    EXPECT_TRUE(loose.AppendChannel(&At(1)));
    EXPECT_EQ(loose.m_tokens.m_tokens[0].m_text, "?");
    EXPECT_EQ(loose.m_tokens.m_tokens[0].m_field.m_field, &At(1));
}

TEST_F(CalcKeys, ResetAndClear)
{
    ASSERT_EQ(PressKeys(m_calc, "A+1", Channels()), 3u);
    ASSERT_TRUE(m_calc.Parse());
    m_calc.m_order = 3;
    m_calc.m_field = CdocFieldKey(At(1).m_key, 1, &At(1));
    m_calc.m_value = 2.0f;
    m_calc.Clear();
    EXPECT_FALSE(m_calc.HasTokens());
    EXPECT_EQ(m_calc.m_nodes.m_count, 0);
    EXPECT_FALSE(m_calc.m_modified);
    EXPECT_EQ(m_calc.m_order, 3);
    EXPECT_EQ(m_calc.m_field.m_key, At(1).m_key);
    m_calc.Reset();
    EXPECT_EQ(m_calc.m_order, -1);
    EXPECT_TRUE(m_calc.m_field.IsEmpty());
    EXPECT_EQ(m_calc.m_value, DOC_NO_VALUE);
}
