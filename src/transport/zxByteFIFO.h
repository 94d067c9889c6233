#pragma once
#include <cstdint>
#include <wx/thread.h>

// Thread-safe ring buffer of bytes; grows in steps of 1024 and never shrinks.
class CzxByteFIFO
{
public:
    CzxByteFIFO();
    ~CzxByteFIFO();
    CzxByteFIFO(const CzxByteFIFO&) = delete;
    CzxByteFIFO& operator=(const CzxByteFIFO&) = delete;

    bool Put(const void* bytes, uint32_t n);
    bool Get(void* destination, uint32_t n);
    // Copies up to n of the oldest bytes without taking them; returns how many.
    uint32_t Peek(void* destination, uint32_t n);
    // Drops up to n of the oldest bytes.
    void Discard(uint32_t n);
    bool Reserve(uint32_t n);
    uint32_t GetCount();
    void Clear();
    uint32_t GetCapacity();

private:
    bool Grow(uint32_t n);

    wxMutex m_mutex;
    uint8_t* m_buffer = nullptr;
    uint32_t m_capacity = 0;
    uint32_t m_read = 0;
    uint32_t m_write = 0;
    uint32_t m_count = 0;
};
