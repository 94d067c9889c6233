// Random keypad formulas over random channel values: the single-precision
// engine against an independent double-precision evaluation of the same
// expression tree that carries a bound on the float engine's rounding.
// Where the bound cannot decide (a divisor, a root or a power base that the
// rounding could move across zero, a result at the float range's edge), the
// case is counted and passed over.
#include "data/calcTestSupport.h"
#include "data/dataTestSupport.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

using qvtest::DataTest;
using qvtest::PressKeys;

namespace {

constexpr double kUnit = 0x1p-24;  // float unit round-off
constexpr double kTiny = 0x1p-148; // beyond any subnormal rounding

// A value with the bound on how far the float engine's value may lie from it.
struct Ref
{
    enum State
    {
        VALUE,
        NO_VALUE,
        UNSURE,
    } state = VALUE;
    double v = 0.0;
    double e = 0.0;
};

Ref NoValue()
{
    return {Ref::NO_VALUE, 0.0, 0.0};
}

Ref Unsure()
{
    return {Ref::UNSURE, 0.0, 0.0};
}

// The result of one float operation whose exact result on exact operands is
// v, the operands' errors adding up to at most prop.
Ref Finish(double v, double prop)
{
    if (!std::isfinite(v))
        return NoValue();
    const double e = v == 0.0 && prop == 0.0 ? 0.0 : prop * (1 + 2 * kUnit) + kUnit * std::fabs(v) + kTiny + 1e-15 * std::fabs(v);
    if (!std::isfinite(e))
        return Unsure();
    if (std::fabs(v) + e <= FLT_MAX)
        return {Ref::VALUE, v, e};
    if (std::fabs(v) - e > double(FLT_MAX) * (1 + kUnit))
        return NoValue();
    return Unsure();
}

// No value wins over an unsure operand: the engine passes it on either way.
bool Either(const Ref& l, const Ref& r, Ref& out)
{
    if (l.state == Ref::NO_VALUE || r.state == Ref::NO_VALUE) {
        out = NoValue();
        return true;
    }
    if (l.state == Ref::UNSURE || r.state == Ref::UNSURE) {
        out = Unsure();
        return true;
    }
    return false;
}

Ref Binary(char op, const Ref& l, const Ref& r)
{
    Ref out;
    if (Either(l, r, out))
        return out;
    const double a = l.v, b = r.v, ea = l.e, eb = r.e;
    switch (op) {
    case '+': return Finish(a + b, ea + eb);
    case '-': return Finish(a - b, ea + eb);
    case '*': return Finish(a * b, std::fabs(a) * eb + std::fabs(b) * ea + ea * eb);
    case '/':
        if (b == 0.0 && eb == 0.0)
            return NoValue();
        if (std::fabs(b) <= eb)
            return Unsure();
        return Finish(a / b, (std::fabs(a) * eb + std::fabs(b) * ea) / (std::fabs(b) * (std::fabs(b) - eb)));
    default: break;
    }
    // Power.
    if (a == 0.0 && ea == 0.0) {
        if (b == 0.0 && eb == 0.0)
            return {Ref::VALUE, 1.0, 0.0};
        if (b - eb > 0.0)
            return {Ref::VALUE, 0.0, 0.0};
        return b + eb < 0.0 ? NoValue() : Unsure();
    }
    if (std::fabs(a) <= ea)
        return Unsure();
    if (a < 0.0) {
        // A negative base needs a whole exponent, else not a number.
        if (std::floor(b + eb) < std::ceil(b - eb))
            return NoValue();
        if (eb > 0.0)
            return Unsure();
    }
    const double v = std::pow(a, b);
    double prop = 0.0;
    bool allHuge = std::fabs(v) > FLT_MAX;
    for (double x : {a - ea, a + ea})
        for (double y : {b - eb, b + eb}) {
            const double c = std::pow(x, y);
            prop = std::max(prop, std::fabs(c - v));
            allHuge = allHuge && std::fabs(c) > double(FLT_MAX) * (1 + 4 * kUnit);
        }
    if (allHuge)
        return NoValue();
    // The float power function is within one unit in the last place.
    return Finish(v, prop + 2 * kUnit * std::fabs(v));
}

Ref SquareRoot(const Ref& l)
{
    if (l.state != Ref::VALUE)
        return l;
    if (l.v + l.e < 0.0)
        return NoValue();
    if (l.v - l.e < 0.0)
        return Unsure();
    const double v = std::sqrt(l.v);
    const double prop = std::max(std::sqrt(l.v + l.e) - v, v - std::sqrt(std::max(l.v - l.e, 0.0)));
    return Finish(v, prop);
}

// One expression: its keys, the level at which it binds (1 sum, 2 product,
// 3 power, 4 negation, 5 operand or bracket), its tokens and its value.
struct Expr
{
    std::string keys;
    int level = 5;
    int tokens = 0;
    Ref ref;
};

Expr Bracketed(const Expr& x)
{
    return {"(" + x.keys + ")", 5, x.tokens + 2, x.ref};
}

class Generator
{
public:
    Generator(std::mt19937& random, const std::vector<float>& values) : m_random(random), m_values(values) {}

    Expr Make(int depth)
    {
        Expr x = depth >= 4 || Chance(0.3) ? Leaf() : Inner(depth);
        return Chance(0.08) ? Bracketed(x) : x;
    }

private:
    bool Chance(double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < p; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    Expr Leaf()
    {
        if (Chance(0.5)) {
            const int channel = Pick(int(m_values.size()));
            const float value = m_values[size_t(channel)];
            Ref ref = value == DOC_NO_VALUE ? NoValue() : Ref{Ref::VALUE, double(value), 0.0};
            return {std::string(1, char('A' + channel)), 5, 1, ref};
        }
        // A number as typed: whole part, and perhaps a point and digits;
        // a leading point types as "0.".
        const int whole = Pick(21);
        std::string text = std::to_string(whole);
        std::string keys = text;
        if (Chance(0.5)) {
            const std::string fraction = std::to_string(Pick(100));
            text += "." + fraction;
            keys = (whole == 0 && Chance(0.5) ? "" : keys) + "." + fraction;
        }
        const double d = std::strtod(text.c_str(), nullptr);
        return {keys, 5, 1, {Ref::VALUE, d, std::fabs(d - double(float(d)))}};
    }

    Expr Inner(int depth)
    {
        const double kind = std::uniform_real_distribution<double>(0.0, 1.0)(m_random);
        if (kind < 0.12) {
            Expr x = Make(depth + 1);
            if (x.level < 4)
                x = Bracketed(x);
            Ref ref = x.ref;
            ref.v = -ref.v;
            return {"-" + x.keys, 4, x.tokens + 1, ref};
        }
        if (kind < 0.22) {
            const Expr x = Make(depth + 1);
            return {"s" + x.keys + ")", 5, x.tokens + 2, SquareRoot(x.ref)};
        }
        const char op = "+-*/^"[Pick(5)];
        const int level = op == '^' ? 3 : op == '*' || op == '/' ? 2 : 1;
        Expr l = Make(depth + 1);
        Expr r = Make(depth + 1);
        // Brackets where the grammar would group otherwise: every level groups
        // to the left, and both operands of "^" are primaries.
        if (l.level < level)
            l = Bracketed(l);
        if (r.level < level || r.level == level || (level == 3 && r.level < 4))
            r = Bracketed(r);
        return {l.keys + op + r.keys, level, l.tokens + r.tokens + 1, Binary(op, l.ref, r.ref)};
    }

    std::mt19937& m_random;
    const std::vector<float>& m_values;
};

class CalcProperty : public DataTest
{
protected:
    CalcProperty()
    {
        for (int i = 0; i < 4; ++i) {
            CdocField& field = At(Fields().Add(1));
            field.InitManual();
            m_channels.push_back(&field);
        }
    }
    std::vector<CdocField*> m_channels;
};

} // namespace

TEST_F(CalcProperty, EngineAgreesWithDoublePrecision)
{
    std::mt19937 random(20240611);
    std::vector<float> values(m_channels.size());
    int compared = 0, noValue = 0, unsure = 0;
    for (int n = 0; n < 4000; ++n) {
        for (size_t k = 0; k < values.size(); ++k) {
            const double p = std::uniform_real_distribution<double>(0.0, 1.0)(random);
            values[k] = p < 0.08 ? DOC_NO_VALUE
                        : p < 0.16 ? 0.0f
                                   : std::uniform_real_distribution<float>(-10.0f, 10.0f)(random);
            m_channels[k]->m_running = values[k];
        }
        Generator generator(random, values);
        Expr x = generator.Make(0);
        if (x.tokens > DOC_MAX_CALC_TOKENS) {
            --n;
            continue;
        }
        CdocCalc calc;
        calc.m_doc = &m_doc;
        ASSERT_EQ(PressKeys(calc, x.keys, m_channels), x.keys.size()) << x.keys;
        ASSERT_EQ(calc.m_tokens.m_count, x.tokens) << x.keys;
        ASSERT_TRUE(calc.Parse()) << x.keys;
        const float value = calc.Evaluate();
        ASSERT_TRUE(std::isfinite(value)) << x.keys;
        switch (x.ref.state) {
        case Ref::NO_VALUE:
            ++noValue;
            ASSERT_EQ(value, DOC_NO_VALUE) << x.keys;
            break;
        case Ref::VALUE:
            ++compared;
            ASSERT_NE(value, DOC_NO_VALUE) << x.keys;
            ASSERT_LE(std::fabs(double(value) - x.ref.v), x.ref.e) << x.keys << " = " << x.ref.v;
            break;
        case Ref::UNSURE:
            ++unsure;
            break;
        }
    }
    // Most cases decide, and both outcomes occur often.
    EXPECT_GT(compared, 2000);
    EXPECT_GT(noValue, 400);
    EXPECT_LT(unsure, 200);
}
