#pragma once
#include "hardware/xhwWordQueue.h"

// Rows of a file downloaded from the logger: six 32-bit floats a row, already
// converted (-987654.0 where an input has none). The queue keeps 32-bit words
// and knows nothing of rows; the float forms copy the bits unchanged.
class CxhwStoredFIFO : public CxhwWordQueue
{
public:
    using CxhwWordQueue::Get;
    using CxhwWordQueue::Put;
    bool Put(const float* source, uint32_t n);
    bool Get(float* destination, uint32_t n);
};
