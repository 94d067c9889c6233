// Statistics, best straight line, gradient and area against plain
// double-precision references, with and without missing samples.
#include "data/opsTestSupport.h"

#include <cfloat>
#include <gtest/gtest.h>

using qvtest::FloatClose;
using qvtest::OpsTest;

namespace {

// x: 0.0, 0.1 ... 4.9; y: a noisy line. Gaps are NAN.
struct DataSet
{
    std::vector<double> x;
    std::vector<double> y;
};

DataSet MakeSet(bool gaps)
{
    DataSet set;
    for (int i = 0; i < 50; ++i) {
        set.x.push_back(double(float(i * 0.1)));
        set.y.push_back(double(float(3.2 * i * 0.1 - 1.5 + 0.3 * std::sin(i * 1.7))));
    }
    if (gaps) {
        for (int i : {0, 7, 8, 23, 49})
            set.y[size_t(i)] = NAN;
        for (int i : {3, 30})
            set.x[size_t(i)] = NAN;
    }
    return set;
}

struct Reference
{
    double min = DBL_MAX, max = -DBL_MAX, sum = 0, sumSquares = 0, mean = 0, deviation = 0;
    int count = 0;
    double slope = 0, intercept = 0;
};

Reference Compute(const DataSet& set)
{
    Reference r;
    for (double v : set.y) {
        if (std::isnan(v))
            continue;
        ++r.count;
        r.sum += v;
        r.sumSquares += v * v;
        r.min = std::min(r.min, v);
        r.max = std::max(r.max, v);
    }
    r.mean = r.sum / r.count;
    double squares = 0;
    for (double v : set.y)
        if (!std::isnan(v))
            squares += (v - r.mean) * (v - r.mean);
    r.deviation = std::sqrt(squares / r.count);
    // Least squares through the mean point.
    double mx = 0, my = 0;
    int k = 0;
    for (size_t i = 0; i < set.x.size(); ++i)
        if (!std::isnan(set.x[i]) && !std::isnan(set.y[i])) {
            mx += set.x[i];
            my += set.y[i];
            ++k;
        }
    mx /= k;
    my /= k;
    double sxy = 0, sxx = 0;
    for (size_t i = 0; i < set.x.size(); ++i)
        if (!std::isnan(set.x[i]) && !std::isnan(set.y[i])) {
            sxy += (set.x[i] - mx) * (set.y[i] - my);
            sxx += (set.x[i] - mx) * (set.x[i] - mx);
        }
    r.slope = sxy / sxx;
    r.intercept = my - r.slope * mx;
    return r;
}

bool Valid(const DataSet& s, size_t i)
{
    return !std::isnan(s.x[i]) && !std::isnan(s.y[i]);
}

// The gradient from the valid neighbours of i (i itself where one is missing).
double ReferenceGradient(const DataSet& s, size_t i)
{
    if (!Valid(s, i))
        return NAN;
    const size_t left = i > 0 && Valid(s, i - 1) ? i - 1 : i;
    const size_t right = i + 1 < s.x.size() && Valid(s, i + 1) ? i + 1 : i;
    if (s.x[right] == s.x[left])
        return NAN;
    return (s.y[right] - s.y[left]) / (s.x[right] - s.x[left]);
}

// Trapezoids between neighbouring records; a missing y halves its trapezoid,
// a missing x drops the step.
std::vector<double> ReferenceRunningArea(const DataSet& s)
{
    std::vector<double> out{0.0};
    double area = 0;
    for (size_t i = 1; i < s.x.size(); ++i) {
        const double dx = s.x[i] - s.x[i - 1];
        if (!std::isnan(dx)) {
            if (!std::isnan(s.y[i - 1]))
                area += s.y[i - 1] * dx / 2;
            if (!std::isnan(s.y[i]))
                area += s.y[i] * dx / 2;
        }
        out.push_back(area);
    }
    return out;
}

class FieldFit : public OpsTest, public testing::WithParamInterface<bool>
{
};

TEST_P(FieldFit, AgreesWithDoublePrecision)
{
    const DataSet set = MakeSet(GetParam());
    const Reference ref = Compute(set);
    CdocField& x = AddManual(set.x, "X", "s");
    CdocField& y = AddManual(set.y, "Y", "m");
    const int n = Data().m_records;

    float min = 0, max = 0, sum = 0, sumSquares = 0;
    int32_t count = 0;
    y.GetStatistics(n, &min, &max, &sum, &sumSquares, &count);
    EXPECT_EQ(count, ref.count);
    EXPECT_TRUE(FloatClose(min, ref.min));
    EXPECT_TRUE(FloatClose(max, ref.max));
    EXPECT_TRUE(FloatClose(sum, ref.sum));
    EXPECT_TRUE(FloatClose(sumSquares, ref.sumSquares));
    const float mean = sum / float(count);
    EXPECT_TRUE(FloatClose(mean, ref.mean));
    EXPECT_TRUE(FloatClose(std::sqrt(sumSquares / float(count) - mean * mean), ref.deviation, 1e-4));

    EXPECT_TRUE(y.FitStraightLine(n, &x));
    EXPECT_TRUE(FloatClose(y.m_fitM, ref.slope, 1e-4));
    EXPECT_TRUE(FloatClose(y.m_fitC, ref.intercept, 1e-4));

    for (int i = 0; i < n; ++i) {
        const double g = ReferenceGradient(set, size_t(i));
        const float got = y.GetGradientAt(&x, i, n);
        if (std::isnan(g))
            EXPECT_EQ(got, DOC_NO_VALUE) << i;
        else
            EXPECT_TRUE(FloatClose(got, g, 1e-4)) << i;
    }

    const std::vector<double> running = ReferenceRunningArea(set);
    CdocField& out = AddManual({}, "Area");
    EXPECT_TRUE(FloatClose(y.GetArea(&x, 0, n - 1, n, &out), running.back(), 1e-4));
    for (int i = 0; i < n; ++i)
        EXPECT_TRUE(FloatClose(out.m_samples[i], running[size_t(i)], 1e-4)) << i;
    // From the end back to the start: the same area, x rises with the index.
    EXPECT_TRUE(FloatClose(y.GetArea(&x, n - 1, 0, n, nullptr), running.back(), 1e-4));
}

INSTANTIATE_TEST_SUITE_P(Gaps, FieldFit, testing::Bool());

TEST_F(OpsTest, StatisticsOfNoValuesOnly)
{
    CdocField& y = AddManual({NAN, NAN, NAN});
    float min = 0, max = 0, sum = 1, sumSquares = 1;
    int32_t count = 5;
    y.GetStatistics(3, &min, &max, &sum, &sumSquares, &count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(min, DOC_NO_VALUE);
    EXPECT_EQ(max, DOC_NO_VALUE);
    EXPECT_EQ(sum, 0.0f);
    y.GetStatistics(-4, &min, &max, &sum, &sumSquares, &count);
    EXPECT_EQ(count, 0);
}

TEST_F(OpsTest, LineLabelKeepsTheInterceptSign)
{
    CdocField& x = AddManual({0, 1, 2, 3}, "X");
    CdocField& y = AddManual({-1, 1, 3, 5}, "Y");
    EXPECT_TRUE(y.FitStraightLine(4, &x));
    EXPECT_EQ(y.m_fitM, 2.0f);
    EXPECT_EQ(y.m_fitC, -1.0f);
    EXPECT_EQ(y.m_fitLabel, "y = 2.0000 x + -1.0000");
}

// Nothing to fit: slope 1, intercept 0, no label, and never inf or NaN.
TEST_F(OpsTest, LineWithoutEnoughPairsIsReset)
{
    struct Case
    {
        const char* what;
        std::vector<double> x, y;
        int n;
        bool againstItself, noChannel;
    };
    const Case cases[] = {
        {"no records", {0, 1}, {1, 2}, 0, false, false},
        {"one pair", {2}, {5}, 1, false, false},
        {"one usable pair", {0, NAN, 2, 3}, {1, 2, NAN, NAN}, 4, false, false},
        {"all x equal", {0.1, 0.1, 0.1, 0.1}, {1, 2, 3, 4}, 4, false, false},
        {"no pair", {NAN, NAN}, {1, 2}, 2, false, false},
        {"against itself", {0, 1, 2}, {0, 1, 2}, 3, true, false},
        {"no x channel", {0, 1, 2}, {0, 1, 2}, 3, false, true},
    };
    for (const Case& c : cases) {
        Data().RemoveAllFields();
        Data().m_records = 0;
        CdocField& x = AddManual(c.x, "X");
        CdocField& y = AddManual(c.y, "Y");
        y.m_fitM = 7;
        y.m_fitC = 7;
        y.m_fitLabel = "old";
        const CdocField* against = c.againstItself ? &y : c.noChannel ? nullptr : &x;
        EXPECT_FALSE(y.FitStraightLine(c.n, against)) << c.what;
        EXPECT_EQ(y.m_fitM, 1.0f) << c.what;
        EXPECT_EQ(y.m_fitC, 0.0f) << c.what;
        EXPECT_TRUE(y.m_fitLabel.empty()) << c.what;
    }
}

TEST_F(OpsTest, GradientAtTheEnds)
{
    CdocField& x = AddManual({0, 1, 3, 3, 4}, "X");
    CdocField& y = AddManual({0, 2, 4, 8, 9}, "Y");
    EXPECT_EQ(y.GetGradientAt(&x, 0, 5), 2.0f);        // points 0 and 1
    EXPECT_EQ(y.GetGradientAt(&x, 4, 5), 1.0f);        // the next sample holds no value: 3 and 4
    EXPECT_EQ(y.GetGradientAt(&x, 1, 5), 4.0f / 3.0f); // 0 and 2
    EXPECT_EQ(y.GetGradientAt(&x, 2, 5), 3.0f);        // 1 and 3
    EXPECT_EQ(y.GetGradientAt(&x, 3, 5), 5.0f);        // 2 and 4
    EXPECT_EQ(y.GetGradientAt(nullptr, 2, 5), DOC_NO_VALUE);
    EXPECT_EQ(y.GetGradientAt(&x, 5, 5), DOC_NO_VALUE);
    EXPECT_EQ(y.GetGradientAt(&x, -1, 5), DOC_NO_VALUE);
    CdocField& flat = AddManual({1, 1, 1}, "F");
    EXPECT_EQ(y.GetGradientAt(&flat, 1, 3), DOC_NO_VALUE);
}

TEST_F(OpsTest, GradientAtTheLastSampleOfAFullStore)
{
    CdocField& x = AddManual({});
    CdocField& y = AddManual({});
    for (int i = 0; i < DOC_MAX_SAMPLES; ++i) {
        x.m_samples[i] = float(i);
        y.m_samples[i] = float(2 * i);
    }
    Data().m_records = DOC_MAX_SAMPLES;
    EXPECT_EQ(y.GetGradientAt(&x, DOC_MAX_SAMPLES - 1, DOC_MAX_SAMPLES), 2.0f);
    EXPECT_EQ(y.GetGradientAt(&x, DOC_MAX_SAMPLES - 1, 1 << 30), 2.0f);
}

TEST_F(OpsTest, AreaArguments)
{
    CdocField& x = AddManual({0, 1, 2}, "X");
    CdocField& y = AddManual({2, 2, 2}, "Y");
    EXPECT_EQ(y.GetArea(&x, 1, 1, 3, nullptr), 0.0f);
    EXPECT_EQ(y.GetArea(&x, 0, 2, 3, nullptr), 4.0f);
    EXPECT_EQ(y.GetArea(&x, 0, 3, 3, nullptr), DOC_NO_VALUE);
    EXPECT_EQ(y.GetArea(&x, -1, 2, 3, nullptr), DOC_NO_VALUE);
    EXPECT_EQ(y.GetArea(nullptr, 0, 2, 3, nullptr), DOC_NO_VALUE);
}

} // namespace
