#include "hardware/xutTimerFIFO.h"

CxutTimerFIFO::CxutTimerFIFO() : m_mutex(wxMUTEX_RECURSIVE) {}

CxutTimerFIFO::~CxutTimerFIFO()
{
    wxMutexLocker lock(m_mutex);
    m_ring.Release();
}

void CxutTimerFIFO::Clear()
{
    wxMutexLocker lock(m_mutex);
    m_ring.Clear();
    m_status = CxutTimerStatus();
}

bool CxutTimerFIFO::Put(const CxutTimerStatus& status, const CxutTimerEvent* events, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    m_status = status;
    return m_ring.Put(events, n);
}

uint32_t CxutTimerFIFO::Take(CxutTimerStatus& status, CxutTimerEvent* events, uint32_t max)
{
    wxMutexLocker lock(m_mutex);
    status = m_status;
    return m_ring.Take(events, max);
}

uint32_t CxutTimerFIFO::GetCount()
{
    wxMutexLocker lock(m_mutex);
    return m_ring.GetCount();
}

uint32_t CxutTimerFIFO::GetCapacity()
{
    wxMutexLocker lock(m_mutex);
    return m_ring.GetCapacity();
}

CxutTimerStatus CxutTimerFIFO::GetStatus()
{
    wxMutexLocker lock(m_mutex);
    return m_status;
}

void CxutTimerFIFO::SetStatus(const CxutTimerStatus& status)
{
    wxMutexLocker lock(m_mutex);
    m_status = status;
}

bool CxutTimerFIFO::Peek(uint32_t i, CxutTimerEvent& event)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Peek(i, event);
}
