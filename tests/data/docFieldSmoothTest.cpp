// Three-point smoothing, the moving average, gain and offset, the places of a
// step and halving the time resolution.
#include "data/opsTestSupport.h"

#include <gtest/gtest.h>

using qvtest::FloatClose;
using qvtest::OpsTest;

namespace {

std::vector<float> Head(const float* samples, int n)
{
    return std::vector<float>(samples, samples + n);
}

TEST_F(OpsTest, ThreePointSmoothingPasses)
{
    CdocField& y = AddManual({0, 3, 6, 0, 3, 9});
    y.SmoothPass();
    EXPECT_EQ(y.m_smoothTimes, 1);
    EXPECT_EQ(Head(y.m_samples, 6), (std::vector<float>{0, 3, 3, 3, 4, 9}));
    // The unsmoothed samples stay.
    EXPECT_EQ(Head(y.m_unsmoothed, 6), (std::vector<float>{0, 3, 6, 0, 3, 9}));

    // Every further smoothing is three passes.
    std::vector<double> expected{0, 3, 3, 3, 4, 9};
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<double> next = expected;
        for (size_t i = 1; i + 1 < expected.size(); ++i)
            next[i] = (expected[i - 1] + expected[i] + expected[i + 1]) / 3;
        expected = next;
    }
    y.SmoothPass();
    EXPECT_EQ(y.m_smoothTimes, 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(FloatClose(y.m_samples[i], expected[size_t(i)])) << i;
}

TEST_F(OpsTest, ThreePointSmoothingStopsAtTheFirstGap)
{
    CdocField& y = AddManual({0, 3, 6, 9, NAN, 3, 0, 3});
    y.SmoothPass();
    EXPECT_EQ(Head(y.m_samples, 8), (std::vector<float>{0, 3, 6, 9, DOC_NO_VALUE, 3, 0, 3}));
    CdocField& z = AddManual({0, 3, 0, 3, 0, NAN, 3, 0});
    z.SmoothPass();
    EXPECT_EQ(Head(z.m_samples, 8), (std::vector<float>{0, 1, 2, 1, 0, DOC_NO_VALUE, 3, 0}));
}

TEST_F(OpsTest, ThreePointSmoothingNeedsThreeRecords)
{
    CdocField& y = AddManual({1, 5});
    y.SmoothPass();
    EXPECT_EQ(y.m_smoothTimes, 0);
    EXPECT_EQ(Head(y.m_samples, 2), (std::vector<float>{1, 5}));
}

TEST_F(OpsTest, MovingAverage)
{
    const std::vector<double> raw{1, 2, NAN, 4, 8, 16, 32};
    CdocField& y = AddManual(raw);
    y.SmoothMovingAverage(1);
    EXPECT_EQ(y.m_smoothEpsilon, 1);
    // Windows shrink at the ends and skip missing samples; a missing sample stays missing.
    EXPECT_EQ(Head(y.m_samples, 7), (std::vector<float>{1.5f, 1.5f, DOC_NO_VALUE, 6, 28.0f / 3, 56.0f / 3, 24}));
    // A new width replaces the smoothing instead of adding to it.
    y.SmoothMovingAverage(2);
    EXPECT_TRUE(FloatClose(y.m_samples[0], 1.5));
    EXPECT_TRUE(FloatClose(y.m_samples[3], (2 + 4 + 8 + 16) / 4.0));
    EXPECT_TRUE(FloatClose(y.m_samples[6], (8 + 16 + 32) / 3.0));
    // Width 0 restores the unsmoothed samples; a huge width averages everything.
    y.SmoothMovingAverage(0);
    EXPECT_EQ(Head(y.m_samples, 7), (std::vector<float>{1, 2, DOC_NO_VALUE, 4, 8, 16, 32}));
    y.SmoothMovingAverage(1 << 30);
    EXPECT_TRUE(FloatClose(y.m_samples[1], 63 / 6.0));
}

TEST_F(OpsTest, GainAndOffset)
{
    CdocField& y = AddManual({1, NAN, 3});
    y.m_places = 2;
    y.m_cal.Set(10, 0);
    y.m_now.Set(5, 1);
    y.ApplyGainOffset(nullptr, nullptr, -1, 0);
    EXPECT_EQ(Head(y.m_samples, 3), (std::vector<float>{-1, DOC_NO_VALUE, -3}));
    EXPECT_EQ(Head(y.m_unsmoothed, 3), (std::vector<float>{-1, DOC_NO_VALUE, -3}));
    EXPECT_EQ(y.m_cal, CxhwMinMax(0, -10));
    EXPECT_EQ(y.m_now, CxhwMinMax(-1, -5));
    EXPECT_EQ(y.m_places, 2);
    EXPECT_EQ(y.m_gain, -1.0f);
    y.ApplyGainOffset(nullptr, nullptr, 1, 0.5f);
    EXPECT_EQ(y.m_offset, 0.5f);
    EXPECT_EQ(y.m_samples[0], -0.5f);

    const wxString name = "Distance", unit = "mm";
    y.ApplyGainOffset(&name, &unit, 1000, 0);
    EXPECT_EQ(y.m_name, "Distance");
    EXPECT_EQ(y.m_unit, "mm");
    EXPECT_EQ(y.m_places, 0); // 2 - 3, no fewer than 0
    EXPECT_EQ(y.m_gain, -1000.0f);
    EXPECT_EQ(y.m_offset, 500.0f);
    y.ApplyGainOffset(nullptr, nullptr, 0.001f, 0);
    EXPECT_EQ(y.m_places, 3);
    y.ApplyGainOffset(nullptr, nullptr, 0.001f, 0);
    EXPECT_EQ(y.m_places, 5); // no more than 5
    // A gain that is not a number changes nothing.
    y.ApplyGainOffset(nullptr, nullptr, NAN, 0);
    EXPECT_TRUE(FloatClose(y.m_samples[0], -0.0005));
}

TEST(PlacesForStep, Table)
{
    const std::pair<float, int> cases[] = {{0.001f, 3}, {0.005f, 2}, {-0.01f, 2}, {0.05f, 1}, {0.1f, 1},
                                           {0.5f, 0},   {1, 0},      {-1, 0},     {5, -1},    {49, -1},
                                           {50, -2},    {499, -2},   {500, -3},   {1e9f, -3}, {0, 3}};
    for (const auto& [step, places] : cases)
        EXPECT_EQ(docGetPlacesForStep(step), places) << step;
}

TEST_F(OpsTest, HalvingKeepsEverySecondSample)
{
    CdocField& y = AddManual({10, 11, 12, 13, 14});
    y.HalveSamples(5);
    EXPECT_EQ(Head(y.m_samples, 5), (std::vector<float>{10, 12, 14, DOC_NO_VALUE, DOC_NO_VALUE}));
    EXPECT_EQ(Head(y.m_unsmoothed, 5), (std::vector<float>{10, 12, 14, DOC_NO_VALUE, DOC_NO_VALUE}));
    EXPECT_EQ(y.m_dataRange, CxhwMinMax(14, 10));

    CdocField& two = AddManual({4, 5});
    two.HalveSamples(2);
    EXPECT_EQ(Head(two.m_samples, 2), (std::vector<float>{4, DOC_NO_VALUE}));
}

TEST_F(OpsTest, HalvingACounterAddsPairs)
{
    CdocField& counter = AddChannel(CONTENT_SENSOR, {1, 2, 3, 4, NAN, NAN, NAN});
    counter.m_fieldSensor = qvtest::MakeSensor(20, 8); // a counting sensor
    ASSERT_TRUE(counter.IsCounterSensor());
    counter.HalveSamples(7);
    // A missing side gives the other side; two give no value.
    EXPECT_EQ(Head(counter.m_samples, 7),
              (std::vector<float>{1, 5, 4, DOC_NO_VALUE, DOC_NO_VALUE, DOC_NO_VALUE, DOC_NO_VALUE}));
}

} // namespace
