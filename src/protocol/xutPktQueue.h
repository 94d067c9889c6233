#pragma once
#include <algorithm>
#include <cstdint>
#include <deque>
#include <mutex>

// One time-stamped reading of up to eight slots.
struct CxutPktEntry
{
    int64_t m_time = 0; // ms modulo the time period
    int32_t m_values[8] = {};
};

// The queue of a packet port's streamed readings, read back at the run's own
// sample period: sample and hold, and counts summed over what a read skips.
// Still thin: no drift correction and no even spreading of readings that
// share a time stamp, which the logger link's resampling queue does.
class CxutPktQueue
{
public:
    void Clear();
    void SetStep(int64_t ms);
    void SetAccumulate(int value, bool on);
    bool Push(const CxutPktEntry& entry);
    // Entries due from t at step s: 0 when t is later than the newest entry.
    int CountDue(int64_t t, int64_t s);
    // Up to n readings at t, t + s, ...; returns how many were written.
    int ReadResampled(CxutPktEntry* out, int n, int64_t t, int64_t s);
    int GetCount();

private:
    void TakeAt(CxutPktEntry& out, int64_t t);

    std::recursive_mutex m_mutex;
    std::deque<CxutPktEntry> m_entries;
    int64_t m_newest = 0;
    int64_t m_step = 0;
    bool m_accumulate[8] = {};
};
