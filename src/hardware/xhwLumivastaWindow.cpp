#include "hardware/xhwLumivastaWindow.h"

#include <algorithm>
#include <cstring>

bool CxhwLumivastaWindow::ReadInto(uint8_t* where)
{
    return m_read && m_read(where);
}

bool CxhwLumivastaWindow::Request(int from, int to, int readAhead)
{
    if (from < m_start || to < from || to - from > kSize)
        return false;
    const int first = from / kLumivastaBlock * kLumivastaBlock;
    const int last = (to + kLumivastaBlock - 1) / kLumivastaBlock * kLumivastaBlock;
    if (last - first > kSize)
        return false;
    if (last <= m_end)
        return true;
    if (m_ended)
        return false;
    if (first >= m_end) {
        uint8_t skipped[kLumivastaBlock];
        // The window is empty where the stream stands at every step, so a
        // read that fails half-way leaves nothing stale behind.
        m_start = m_end;
        while (m_end < first) {
            if (!ReadInto(skipped))
                return false;
            m_end += kLumivastaBlock;
            m_start = m_end;
        }
    } else if (first > m_start) {
        std::memmove(m_buffer, m_buffer + (first - m_start), size_t(m_end - first));
        m_start = first;
    }
    const int ahead = std::max(0, readAhead) / kLumivastaBlock * kLumivastaBlock;
    const int target = std::min(std::max(last, first + ahead), m_start + kSize);
    while (m_end < target) {
        if (!ReadInto(m_buffer + (m_end - m_start))) {
            if (m_end >= last) {
                // Reading ahead found the stream's end: what was asked is here.
                m_ended = true;
                return true;
            }
            return false;
        }
        m_end += kLumivastaBlock;
    }
    return true;
}
