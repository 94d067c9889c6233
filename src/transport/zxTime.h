#pragma once
#include <cstdint>
#include <wx/stopwatch.h>

// Times of samples and events are milliseconds counted modulo ten days.
constexpr int64_t kZxTimePeriodMs = 864000000;

// The time brought into 0 .. period - 1.
inline int64_t zxWrapTime(int64_t ms)
{
    const int64_t t = ms % kZxTimePeriodMs;
    return t < 0 ? t + kZxTimePeriodMs : t;
}

// later - earlier modulo the period, read as signed: a difference of half
// the period or more counts as negative.
inline int64_t zxTimeDiff(int64_t later, int64_t earlier)
{
    const int64_t d = zxWrapTime(later - earlier);
    return d >= kZxTimePeriodMs / 2 ? d - kZxTimePeriodMs : d;
}

// A stop watch's elapsed milliseconds modulo the period.
inline int64_t zxWatchTime(const wxStopWatch& watch)
{
    return zxWrapTime(int64_t(watch.TimeInMicro().GetValue() / 1000));
}
