#pragma once
#include "hardware/xhwRing.h"

#include <cstdint>
#include <wx/thread.h>

// A mutex-guarded queue of 32-bit words that grows in steps of 1024: the
// common part of the sample and stored-data queues. Every operation holds the
// queue's own mutex for its whole duration.
class CxhwWordQueue
{
public:
    CxhwWordQueue();
    ~CxhwWordQueue();
    CxhwWordQueue(const CxhwWordQueue&) = delete;
    CxhwWordQueue& operator=(const CxhwWordQueue&) = delete;

    void Clear();
    uint32_t GetCount();
    uint32_t GetCapacity();
    bool Put(const int32_t* source, uint32_t n);
    bool Get(int32_t* destination, uint32_t n);
    uint32_t GetUpTo(int32_t* destination, uint32_t n);
    bool Reserve(uint32_t n);

protected:
    wxMutex m_mutex;
    CxhwRing<int32_t, 1024> m_ring;
};
