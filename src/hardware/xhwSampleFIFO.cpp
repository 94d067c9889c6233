#include "hardware/xhwSampleFIFO.h"

CxhwSampleFIFO::CxhwSampleFIFO() : m_mutex(wxMUTEX_RECURSIVE) {}

CxhwSampleFIFO::~CxhwSampleFIFO()
{
    wxMutexLocker lock(m_mutex);
    m_ring.Release();
}

void CxhwSampleFIFO::Clear()
{
    wxMutexLocker lock(m_mutex);
    m_ring.Clear();
}

uint32_t CxhwSampleFIFO::GetCount()
{
    wxMutexLocker lock(m_mutex);
    return m_ring.GetCount();
}

uint32_t CxhwSampleFIFO::GetCapacity()
{
    wxMutexLocker lock(m_mutex);
    return m_ring.GetCapacity();
}

bool CxhwSampleFIFO::Put(const int32_t* source, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Put(source, n);
}

bool CxhwSampleFIFO::Get(int32_t* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Get(destination, n);
}

uint32_t CxhwSampleFIFO::GetUpTo(int32_t* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Take(destination, n);
}

bool CxhwSampleFIFO::Reserve(uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return m_ring.Reserve(n);
}
