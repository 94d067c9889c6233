#pragma once
#include <cstdint>
#include <memory>
#include <new>

// Growable ring of plain values shared by the sample, stored-data and timing
// queues. Not locked: each queue holds it under its own mutex. The capacity
// grows to whole steps and never shrinks while the queue lives.
template <typename T, uint32_t Step>
class CxhwRing
{
public:
    uint32_t GetCount() const { return m_count; }
    uint32_t GetCapacity() const { return m_capacity; }

    void Clear() { m_count = m_read = m_write = 0; }

    // Makes room for n more values; false (nothing changed) when memory runs out
    // or the size would not fit the 32-bit counters.
    bool Reserve(uint32_t n)
    {
        const uint64_t needed = uint64_t(m_count) + n;
        if (needed <= m_capacity)
            return true;
        const uint64_t capacity = (needed + Step - 1) / Step * Step;
        if (capacity > UINT32_MAX / sizeof(T))
            return false;
        std::unique_ptr<T[]> block(new (std::nothrow) T[size_t(capacity)]);
        if (!block)
            return false;
        for (uint32_t i = 0; i < m_count; ++i)
            block[i] = m_buffer[(m_read + i) % m_capacity];
        m_buffer = std::move(block);
        m_capacity = uint32_t(capacity);
        m_read = 0;
        m_write = m_count == m_capacity ? 0 : m_count;
        return true;
    }

    bool Put(const T* source, uint32_t n)
    {
        if (n == 0)
            return true;
        if (!Reserve(n))
            return false;
        for (uint32_t i = 0; i < n; ++i) {
            m_buffer[m_write] = source[i];
            if (++m_write == m_capacity)
                m_write = 0;
        }
        m_count += n;
        return true;
    }

    // Takes up to n of the oldest values; returns how many were taken.
    uint32_t Take(T* destination, uint32_t n)
    {
        const uint32_t taken = n < m_count ? n : m_count;
        for (uint32_t i = 0; i < taken; ++i) {
            destination[i] = m_buffer[m_read];
            if (++m_read == m_capacity)
                m_read = 0;
        }
        m_count -= taken;
        return taken;
    }

    // Exactly n values or nothing.
    bool Get(T* destination, uint32_t n)
    {
        if (n > m_count)
            return false;
        Take(destination, n);
        return true;
    }

    // Copies the value i places after the oldest without taking it.
    bool Peek(uint32_t i, T& out) const
    {
        if (i >= m_count)
            return false;
        out = m_buffer[(m_read + i) % m_capacity];
        return true;
    }

    void Release()
    {
        m_buffer.reset();
        m_capacity = m_count = m_read = m_write = 0;
    }

private:
    std::unique_ptr<T[]> m_buffer;
    uint32_t m_capacity = 0;
    uint32_t m_read = 0;
    uint32_t m_write = 0;
    uint32_t m_count = 0;
};
