#include "data/docTimerV.h"

#include "document/docTiming.h"

#include <algorithm>
#include <new>

CdocTimer* CdocTimerV::AddTimer()
{
    std::unique_ptr<CdocTimer> timer(new (std::nothrow) CdocTimer);
    if (!timer)
        return nullptr;
    m_timers.push_back(std::move(timer));
    return m_timers.back().get();
}

void CdocTimerV::DeleteTimer(CdocTimer* timer)
{
    auto at = std::find_if(m_timers.begin(), m_timers.end(), [timer](const auto& t) { return t.get() == timer; });
    if (at != m_timers.end())
        m_timers.erase(at);
}

void CdocTimerV::DeleteAll()
{
    m_timers.clear();
}

void CdocTimerV::RemoveFinished()
{
    m_timers.erase(std::remove_if(m_timers.begin(), m_timers.end(), [](const auto& t) { return t->m_finished; }),
                   m_timers.end());
}

CdocTimer* CdocTimerV::GetAt(int i) const
{
    return i >= 0 && i < GetCount() ? m_timers[size_t(i)].get() : nullptr;
}

CdocTimer* CdocTimerV::FindOpen(const CdocTiming& timing) const
{
    for (const auto& t : m_timers)
        if (t->IsOpen(timing))
            return t.get();
    return nullptr;
}

CdocTimer* CdocTimerV::FindOpenForKey(const CdocTiming& timing, int key) const
{
    for (const auto& t : m_timers)
        if (t->m_input == key && t->IsOpen(timing))
            return t.get();
    return nullptr;
}

CdocTimer* CdocTimerV::FindLastUnfinished() const
{
    for (auto at = m_timers.rbegin(); at != m_timers.rend(); ++at)
        if (!(*at)->m_finished)
            return at->get();
    return nullptr;
}

CdocTimer* CdocTimerV::FindLastUnfinishedForKey(int key) const
{
    for (auto at = m_timers.rbegin(); at != m_timers.rend(); ++at)
        if ((*at)->m_input == key && !(*at)->m_finished)
            return at->get();
    return nullptr;
}

CdocTimer* CdocTimerV::FindForKey(int key) const
{
    for (const auto& t : m_timers)
        if (t->m_input == key)
            return t.get();
    return nullptr;
}

int CdocTimerV::CountForKey(int key) const
{
    return int(std::count_if(m_timers.begin(), m_timers.end(), [key](const auto& t) { return t->m_input == key; }));
}

int CdocTimerV::CountOpenForKey(const CdocTiming& timing, int key) const
{
    return int(std::count_if(m_timers.begin(), m_timers.end(),
                             [&](const auto& t) { return t->m_input == key && t->IsOpen(timing); }));
}

bool CdocTimerV::HasOpen(const CdocTiming& timing) const
{
    return FindOpen(timing) != nullptr;
}

CdocTimer* CdocTimerV::AdvanceAll(CdocTiming& timing)
{
    CdocTimer* complete = nullptr;
    for (const auto& t : m_timers)
        if (t->Advance(timing))
            complete = t.get();
    return complete;
}

void CdocTimerV::SetPendingAll(const CdocTiming& timing)
{
    for (const auto& t : m_timers)
        t->SetPending(timing);
}
