#pragma once
#include "hardware/xhwRing.h"

#include <cstdint>
#include <wx/thread.h>

// Readings from the box thread (or the host sample clock) to the document:
// whole readings of six raw values, oscilloscope values, or the marked row
// numbers of a download. One producer and one consumer may use it at once.
class CxhwSampleFIFO
{
public:
    CxhwSampleFIFO();
    ~CxhwSampleFIFO();
    CxhwSampleFIFO(const CxhwSampleFIFO&) = delete;
    CxhwSampleFIFO& operator=(const CxhwSampleFIFO&) = delete;

    void Clear();
    uint32_t GetCount();
    uint32_t GetCapacity();
    bool Put(const int32_t* source, uint32_t n);
    bool Get(int32_t* destination, uint32_t n);
    uint32_t GetUpTo(int32_t* destination, uint32_t n);
    bool Reserve(uint32_t n);

private:
    wxMutex m_mutex;
    CxhwRing<int32_t, 1024> m_ring;
};
