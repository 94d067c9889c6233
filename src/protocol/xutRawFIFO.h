#pragma once
#include <cstdint>
#include <memory>
#include <wx/thread.h>

constexpr int32_t kXutRawNoValue = 0x20000;

// One set of raw readings stamped in ms on the run clock (modulo ten days).
struct CxutRawEntry
{
    uint64_t m_time = 0;
    int32_t m_values[8] = {kXutRawNoValue, kXutRawNoValue, kXutRawNoValue, kXutRawNoValue,
                           kXutRawNoValue, kXutRawNoValue, kXutRawNoValue, kXutRawNoValue};

    void Reset() { *this = CxutRawEntry(); }
};

// Readings as the logger's clock stamped them, read back at the run's own
// period: ordinary values are held until a later one arrives, accumulate
// values (counts) are summed over what was skipped and zeroed once taken.
// Repeated or backward times are spread or raised so the times only move on,
// and a small drift toward the nominal step is corrected one millisecond at a
// time.
class CxutRawFIFO
{
public:
    CxutRawFIFO();
    virtual ~CxutRawFIFO();
    CxutRawFIFO(const CxutRawFIFO&) = delete;
    CxutRawFIFO& operator=(const CxutRawFIFO&) = delete;

    static constexpr uint32_t kGrowth = 1000;

    // 0 switches the drift correction and the reading off.
    void SetStep(uint64_t step);
    uint64_t GetStep();
    void SetAccumulate(int value, bool on);

    void Clear();
    // False only when the storage cannot grow; the entry is then lost.
    bool Push(const CxutRawEntry& entry);
    // Readings due from t on at step s up to the newest entry.
    uint32_t CountDue(uint64_t t, int64_t s);
    // Up to n readings from t on at step s; returns how many were written.
    uint32_t ReadResampled(CxutRawEntry* out, uint32_t n, uint64_t t, int64_t s);

    uint32_t GetCount();
    uint32_t GetCapacity();

private:
    void TakeAt(CxutRawEntry* out, uint64_t t);
    bool Grow(uint32_t needed);

    wxMutex m_mutex{wxMUTEX_RECURSIVE};
    uint64_t m_step = 0;
    uint64_t m_newest = 0;
    // The anchor (the newest entry that moved the time on) by its push
    // number, so that it survives growth and reads passing it.
    uint64_t m_anchor = 0;
    uint64_t m_pushed = 0;
    std::unique_ptr<CxutRawEntry[]> m_entries;
    uint32_t m_capacity = 0;
    uint32_t m_read = 0;
    uint32_t m_write = 0;
    uint32_t m_count = 0;
    bool m_accumulate[8] = {};
};
