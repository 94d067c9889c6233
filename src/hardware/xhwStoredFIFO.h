#pragma once
#include "hardware/xhwRing.h"

#include <cstdint>
#include <wx/thread.h>

// Rows of a file downloaded from the logger: six 32-bit floats a row, already
// converted (-987654.0 where an input has none). The queue keeps 32-bit words
// and knows nothing of rows; the float forms copy the bits unchanged.
class CxhwStoredFIFO
{
public:
    CxhwStoredFIFO();
    ~CxhwStoredFIFO();
    CxhwStoredFIFO(const CxhwStoredFIFO&) = delete;
    CxhwStoredFIFO& operator=(const CxhwStoredFIFO&) = delete;

    void Clear();
    uint32_t GetCount();
    uint32_t GetCapacity();
    bool Put(const int32_t* source, uint32_t n);
    bool Get(int32_t* destination, uint32_t n);
    uint32_t GetUpTo(int32_t* destination, uint32_t n);
    bool Reserve(uint32_t n);
    bool Put(const float* source, uint32_t n);
    bool Get(float* destination, uint32_t n);

private:
    wxMutex m_mutex;
    CxhwRing<int32_t, 1024> m_ring;
};
