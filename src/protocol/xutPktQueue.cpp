#include "protocol/xutPktQueue.h"

#include "transport/zxTime.h"

void CxutPktQueue::Clear()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_entries.clear();
}

void CxutPktQueue::SetStep(int64_t ms)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_step = ms;
}

void CxutPktQueue::SetAccumulate(int value, bool on)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (value >= 0 && value < 8)
        m_accumulate[value] = on;
}

bool CxutPktQueue::Push(const CxutPktEntry& entry)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    CxutPktEntry e = entry;
    if (m_entries.empty())
        m_newest = e.m_time;
    else if (zxTimeDiff(e.m_time, m_newest) < 0)
        e.m_time = m_newest; // a late stamp never goes back in time
    else
        m_newest = e.m_time;
    m_entries.push_back(e);
    return true;
}

int CxutPktQueue::CountDue(int64_t t, int64_t s)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    if (m_entries.empty() || s <= 0)
        return 0;
    const int64_t d = zxTimeDiff(m_newest, t);
    return d < 0 ? 0 : int(d / s + 1);
}

int CxutPktQueue::ReadResampled(CxutPktEntry* out, int n, int64_t t, int64_t s)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    const int k = std::min(n, CountDue(t, s));
    for (int i = 0; i < k; ++i)
        TakeAt(out[i], zxWrapTime(t + i * s));
    return k < 0 ? 0 : k;
}

int CxutPktQueue::GetCount()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    return int(m_entries.size());
}

void CxutPktQueue::TakeAt(CxutPktEntry& out, int64_t t)
{
    size_t e = 0;
    while (e + 1 < m_entries.size() && zxTimeDiff(m_entries[e + 1].m_time, t) <= 0)
        ++e;
    for (size_t i = 0; i < e; ++i)
        for (int v = 0; v < 8; ++v)
            if (m_accumulate[v])
                m_entries[e].m_values[v] += m_entries[i].m_values[v];
    m_entries.erase(m_entries.begin(), m_entries.begin() + long(e));
    out = m_entries.front();
    for (int v = 0; v < 8; ++v)
        if (m_accumulate[v])
            m_entries.front().m_values[v] = 0;
}
