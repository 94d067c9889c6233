#include "hardware/xhwWordQueue.h"

CxhwWordQueue::CxhwWordQueue() : m_mutex(wxMUTEX_RECURSIVE) {}

CxhwWordQueue::~CxhwWordQueue()
{
    wxMutexLocker lock(m_mutex);
    m_ring.Release();
}

void CxhwWordQueue::Clear()
{
    wxMutexLocker lock(m_mutex);
    m_ring.Clear();
}

uint32_t CxhwWordQueue::GetCount()
{
    wxMutexLocker lock(m_mutex);
    return m_ring.GetCount();
}

uint32_t CxhwWordQueue::GetCapacity()
{
    wxMutexLocker lock(m_mutex);
    return m_ring.GetCapacity();
}

bool CxhwWordQueue::Put(const int32_t* source, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Put(source, n);
}

bool CxhwWordQueue::Get(int32_t* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Get(destination, n);
}

uint32_t CxhwWordQueue::GetUpTo(int32_t* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Take(destination, n);
}

bool CxhwWordQueue::Reserve(uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Reserve(n);
}
