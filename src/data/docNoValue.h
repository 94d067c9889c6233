#pragma once
#include <cmath>

// The mark of a missing sample, an unset range limit and a failed
// calculation, in memory and in the data file.
constexpr float DOC_NO_VALUE = -987654.0f;

// A non-finite value is treated as the mark, so that no NaN or infinity ever
// reaches a sample or a range.
inline bool docIsNoValue(float x) { return x == DOC_NO_VALUE || !std::isfinite(x); }
inline bool docIsNoValue(double x) { return x == double(DOC_NO_VALUE) || !std::isfinite(x); }

// The value itself, or the mark when it is non-finite.
inline float docFiniteOrNoValue(float x) { return std::isfinite(x) ? x : DOC_NO_VALUE; }
inline float docFiniteOrNoValue(double x)
{
    const float f = float(x);
    return std::isfinite(f) ? f : DOC_NO_VALUE;
}
