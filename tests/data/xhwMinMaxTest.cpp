#include "data/xhwMinMax.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

const float kNo = DOC_NO_VALUE;
const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectRange(const CxhwMinMax& r, float max, float min)
{
    EXPECT_EQ(r.m_max, max);
    EXPECT_EQ(r.m_min, min);
}

} // namespace

TEST(MinMax, DefaultAndUnset)
{
    ExpectRange(CxhwMinMax(), 10.0f, 0.0f);
    CxhwMinMax unset(kNo, kNo);
    EXPECT_FALSE(unset.Contains(0.0f));
    EXPECT_FALSE(unset.Contains(kNo));
    unset.SetIfUnset(0.0f, 1.0f);
    ExpectRange(unset, 1.0f, 0.0f);
    CxhwMinMax half(5.0f, kNo);
    half.SetIfUnset(-1.0f, 99.0f);
    ExpectRange(half, 5.0f, -1.0f);
}

TEST(MinMax, Extend)
{
    struct Case
    {
        float max, min, x, wantMax, wantMin;
    };
    const Case cases[] = {
        {kNo, kNo, 5.0f, 5.0f, 5.0f},   {5.0f, 5.0f, 7.0f, 7.0f, 5.0f},  {5.0f, 5.0f, kNo, 5.0f, 5.0f},
        {0.0f, 10.0f, 20.0f, 0.0f, 20.0f}, {0.0f, 10.0f, -3.0f, -3.0f, 10.0f}, {10.0f, 0.0f, -2.0f, 10.0f, -2.0f},
        // A non-finite value is no value: it never reaches a range.
        {10.0f, 0.0f, kInf, 10.0f, 0.0f}, {kNo, kNo, kNaN, kNo, kNo}, {10.0f, 0.0f, -kInf, 10.0f, 0.0f},
    };
    for (const Case& c : cases) {
        CxhwMinMax r(c.max, c.min);
        r.Extend(c.x);
        SCOPED_TRACE(testing::Message() << c.max << ".." << c.min << " by " << c.x);
        ExpectRange(r, c.wantMax, c.wantMin);
    }
}

TEST(MinMax, ContainsBothEndsInEitherOrientation)
{
    const CxhwMinMax normal(10.0f, 0.0f);
    EXPECT_TRUE(normal.Contains(0.0f));
    EXPECT_TRUE(normal.Contains(10.0f));
    EXPECT_FALSE(normal.Contains(10.5f));
    EXPECT_TRUE(CxhwMinMax(0.0f, 10.0f).Contains(5.0f));
    EXPECT_FALSE(CxhwMinMax(10.0f, kNo).Contains(5.0f));
}

TEST(MinMax, NormaliseAndSetOrdered)
{
    CxhwMinMax r(kNo, 0.0f);
    EXPECT_TRUE(r.Normalise());
    ExpectRange(r, 0.0f, kNo);
    EXPECT_FALSE(r.Normalise());

    CxhwMinMax reversed(0.0f, 5.0f);
    reversed.SetOrdered(CxhwMinMax(10.0f, 0.0f));
    ExpectRange(reversed, 0.0f, 10.0f);
    CxhwMinMax normal(1.0f, 0.0f);
    normal.SetOrdered(CxhwMinMax(10.0f, 2.0f));
    ExpectRange(normal, 10.0f, 2.0f);
}

TEST(MinMax, StepTowardEnds)
{
    CxhwMinMax r(10.0f, 0.0f);
    const CxhwMinMax target(20.0f, 5.0f);
    EXPECT_TRUE(r.StepToward(target, 2.0f));
    ExpectRange(r, 12.0f, 2.0f);
    int steps = 0;
    while (r.StepToward(target, -2.0f) && steps < 100)
        ++steps;
    ExpectRange(r, 20.0f, 5.0f);
    EXPECT_EQ(steps, 4);
    EXPECT_FALSE(r.StepToward(CxhwMinMax(kNo, 1.0f), 2.0f));

    // A reversed range keeps its orientation and also reaches an end, so a
    // zoom loop over it stops.
    CxhwMinMax reversed(0.0f, 10.0f);
    steps = 0;
    while (reversed.StepToward(target, 3.0f) && steps < 100)
        ++steps;
    ExpectRange(reversed, 5.0f, 20.0f);
    EXPECT_LT(steps, 100);
    EXPECT_FALSE(reversed.StepToward(target, kNaN));
}

TEST(MinMax, ScaleAndFractions)
{
    CxhwMinMax r(10.0f, kNo);
    r.Scale(2.0f, 1.0f);
    ExpectRange(r, 21.0f, kNo);
    CxhwMinMax r2(10.0f, -10.0f);
    r2.Scale(-1.0f, 0.0f);
    ExpectRange(r2, -10.0f, 10.0f);
    // An overflow to infinity leaves the limit unset, never infinite.
    CxhwMinMax big(3.0e38f, 1.0f);
    big.Scale(10.0f, 0.0f);
    ExpectRange(big, kNo, 10.0f);

    const CxhwMinMax axis(20.0f, 10.0f);
    EXPECT_FLOAT_EQ(axis.ToFraction(15.0f), 0.5f);
    EXPECT_FLOAT_EQ(axis.FromFraction(0.25f), 12.5f);
}
