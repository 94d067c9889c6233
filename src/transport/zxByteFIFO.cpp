#include "transport/zxByteFIFO.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr uint32_t kStep = 1024;
}

CzxByteFIFO::CzxByteFIFO() : m_mutex(wxMUTEX_RECURSIVE) {}

CzxByteFIFO::~CzxByteFIFO()
{
    wxMutexLocker lock(m_mutex);
    std::free(m_buffer);
    m_buffer = nullptr;
}

bool CzxByteFIFO::Grow(uint32_t n)
{
    const uint64_t needed = uint64_t(m_count) + n;
    if (needed <= m_capacity)
        return true;
    const uint64_t capacity = (needed + kStep - 1) / kStep * kStep;
    if (capacity > UINT32_MAX)
        return false;
    auto* block = static_cast<uint8_t*>(std::malloc(size_t(capacity)));
    if (!block)
        return false;
    for (uint32_t i = 0; i < m_count; ++i)
        block[i] = m_buffer[(m_read + i) % m_capacity];
    std::free(m_buffer);
    m_buffer = block;
    m_capacity = uint32_t(capacity);
    m_read = 0;
    m_write = m_count == m_capacity ? 0 : m_count;
    return true;
}

bool CzxByteFIFO::Put(const void* bytes, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    if (n == 0)
        return true;
    if (!Grow(n))
        return false;
    const auto* src = static_cast<const uint8_t*>(bytes);
    for (uint32_t i = 0; i < n; ++i) {
        m_buffer[m_write] = src[i];
        if (++m_write == m_capacity)
            m_write = 0;
    }
    m_count += n;
    return true;
}

bool CzxByteFIFO::Get(void* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    if (m_count < n)
        return false;
    auto* dst = static_cast<uint8_t*>(destination);
    for (uint32_t i = 0; i < n; ++i) {
        dst[i] = m_buffer[m_read];
        if (++m_read == m_capacity)
            m_read = 0;
    }
    m_count -= n;
    return true;
}

uint32_t CzxByteFIFO::Peek(void* destination, uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    const uint32_t taken = n < m_count ? n : m_count;
    auto* dst = static_cast<uint8_t*>(destination);
    uint32_t at = m_read;
    for (uint32_t i = 0; i < taken; ++i) {
        dst[i] = m_buffer[at];
        if (++at == m_capacity)
            at = 0;
    }
    return taken;
}

void CzxByteFIFO::Discard(uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    if (n > m_count)
        n = m_count;
    if (n == 0)
        return;
    m_read = uint32_t((uint64_t(m_read) + n) % m_capacity);
    m_count -= n;
}

bool CzxByteFIFO::Reserve(uint32_t n)
{
    wxMutexLocker lock(m_mutex);
    return Grow(n);
}

uint32_t CzxByteFIFO::GetCount()
{
    wxMutexLocker lock(m_mutex);
    return m_count;
}

uint32_t CzxByteFIFO::GetCapacity()
{
    wxMutexLocker lock(m_mutex);
    return m_capacity;
}

void CzxByteFIFO::Clear()
{
    wxMutexLocker lock(m_mutex);
    m_count = m_read = m_write = 0;
}
