#include "protocol/xutRawFIFO.h"

#include "transport/zxTime.h"

#include <new>

namespace {

int64_t Diff(uint64_t a, uint64_t b) { return zxTimeDiff(int64_t(a), int64_t(b)); }
uint64_t Add(uint64_t a, int64_t d) { return uint64_t(zxWrapTime(int64_t(a) + d)); }

} // namespace

CxutRawFIFO::CxutRawFIFO() = default;
CxutRawFIFO::~CxutRawFIFO() = default;

void CxutRawFIFO::SetStep(uint64_t step)
{
    wxMutexLocker lock(m_mutex);
    m_step = step;
}

uint64_t CxutRawFIFO::GetStep()
{
    wxMutexLocker lock(m_mutex);
    return m_step;
}

void CxutRawFIFO::SetAccumulate(int value, bool on)
{
    wxMutexLocker lock(m_mutex);
    if (value >= 0 && value < 8)
        m_accumulate[value] = on;
}

void CxutRawFIFO::Clear()
{
    wxMutexLocker lock(m_mutex);
    m_count = 0;
    m_read = 0;
    m_write = 0;
}

uint32_t CxutRawFIFO::GetCount()
{
    wxMutexLocker lock(m_mutex);
    return m_count;
}

uint32_t CxutRawFIFO::GetCapacity()
{
    wxMutexLocker lock(m_mutex);
    return m_capacity;
}

bool CxutRawFIFO::Grow(uint32_t needed)
{
    const uint64_t size = (uint64_t(needed) + kGrowth - 1) / kGrowth * kGrowth;
    if (size > UINT32_MAX / sizeof(CxutRawEntry))
        return false;
    std::unique_ptr<CxutRawEntry[]> entries(new (std::nothrow) CxutRawEntry[size]);
    if (!entries)
        return false;
    for (uint32_t i = 0; i < m_count; ++i)
        entries[i] = m_entries[(m_read + i) % m_capacity];
    m_entries = std::move(entries);
    m_capacity = uint32_t(size);
    m_read = 0;
    m_write = m_count % m_capacity;
    return true;
}

bool CxutRawFIFO::Push(const CxutRawEntry& entry)
{
    wxMutexLocker lock(m_mutex);
    if (m_capacity < m_count + 1 && !Grow(m_count + 1))
        return false;
    CxutRawEntry& stored = m_entries[m_write];
    stored = entry;
    stored.m_time %= uint64_t(kZxTimePeriodMs);
    const uint64_t number = m_pushed++;
    if (m_count == 0) {
        m_anchor = number;
        m_newest = stored.m_time;
    } else {
        const int64_t e = Diff(stored.m_time, m_newest);
        if (e < 0) {
            stored.m_time = m_newest;
        } else if (e > 0) {
            const uint64_t f = number - m_anchor;
            uint64_t t = stored.m_time;
            if (m_step > 0) {
                const uint64_t predicted = Add(m_newest, int64_t(m_step * f));
                const int64_t off = Diff(t, predicted);
                if (off >= 2)
                    t = Add(t, -1);
                else if (off <= -2)
                    t = Add(t, 1);
                stored.m_time = t;
            }
            const int64_t spread = Diff(t, m_newest);
            // The entries since the anchor all carry the old newest time;
            // only those still held are given their share.
            for (uint64_t k = f > m_count ? f - m_count : 1; k < f; ++k) {
                const uint64_t back = f - k;
                const uint32_t at = uint32_t((m_write + m_capacity - back % m_capacity) % m_capacity);
                m_entries[at].m_time = Add(m_newest, int64_t(k) * spread / int64_t(f));
            }
            m_anchor = number;
            m_newest = t;
        }
    }
    m_write = (m_write + 1) % m_capacity;
    ++m_count;
    return true;
}

uint32_t CxutRawFIFO::CountDue(uint64_t t, int64_t s)
{
    wxMutexLocker lock(m_mutex);
    if (m_count == 0 || s <= 0)
        return 0;
    const int64_t d = Diff(m_newest, t);
    return d < 0 ? 0 : uint32_t(d / s + 1);
}

uint32_t CxutRawFIFO::ReadResampled(CxutRawEntry* out, uint32_t n, uint64_t t, int64_t s)
{
    wxMutexLocker lock(m_mutex);
    if (m_count == 0)
        return 0;
    const int64_t d = Diff(m_newest, t);
    if (d < 0)
        return 0;
    const uint64_t due = s > 0 ? uint64_t(d / s + 1) : 0;
    const uint32_t k = due < n ? uint32_t(due) : n;
    for (uint32_t i = 0; i < k; ++i)
        TakeAt(out ? &out[i] : nullptr, Add(t, int64_t(i) * s));
    return k;
}

void CxutRawFIFO::TakeAt(CxutRawEntry* out, uint64_t t)
{
    if (m_count == 0)
        return;
    uint32_t e = m_read;
    if (Diff(m_entries[m_read].m_time, t) < 0) {
        for (uint32_t j = 1; j < m_count; ++j) {
            const uint32_t next = (m_read + j) % m_capacity;
            const int64_t d = Diff(m_entries[next].m_time, t);
            if (d > 0)
                break;
            e = next;
            if (d == 0)
                break;
        }
    }
    if (e != m_read) {
        for (int v = 0; v < 8; ++v) {
            if (!m_accumulate[v])
                continue;
            for (uint32_t i = m_read; i != e; i = (i + 1) % m_capacity)
                m_entries[e].m_values[v] += m_entries[i].m_values[v];
        }
        m_count -= (e + m_capacity - m_read) % m_capacity;
        m_read = e;
    }
    if (out)
        *out = m_entries[m_read];
    for (int v = 0; v < 8; ++v)
        if (m_accumulate[v])
            m_entries[m_read].m_values[v] = 0;
}
