#include "hardware/xhwStoredFIFO.h"

#include <cstring>

static_assert(sizeof(float) == sizeof(int32_t), "stored rows travel as 32-bit words");

bool CxhwStoredFIFO::Put(const float* source, uint32_t n)
{
    // The mutex is held throughout, so a reader never sees part of a put.
    wxMutexLocker lock(m_mutex);
    if (!m_ring.Reserve(n))
        return false;
    int32_t words[64];
    for (uint32_t done = 0; done < n;) {
        const uint32_t chunk = n - done < 64 ? n - done : 64;
        std::memcpy(words, source + done, chunk * sizeof(float));
        m_ring.Put(words, chunk);
        done += chunk;
    }
    return true;
}

bool CxhwStoredFIFO::Get(float* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    if (n > m_ring.GetCount())
        return false;
    int32_t words[64];
    for (uint32_t done = 0; done < n;) {
        const uint32_t chunk = n - done < 64 ? n - done : 64;
        m_ring.Take(words, chunk);
        std::memcpy(destination + done, words, chunk * sizeof(float));
        done += chunk;
    }
    return true;
}
