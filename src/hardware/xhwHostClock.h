#pragma once
#include <cstdint>

// The host sample clock of loggers that the host polls: how many readings are
// due at a time (milliseconds modulo ten days), so that the readings stay on
// the exact period grid however late the clock is asked.
class CxhwHostClock
{
public:
    // The reading pushed at the start counts as taken at nowMs.
    void Start(int64_t nowMs);
    // The whole periods passed since the last reading; the last reading's
    // time advances by that many periods. 0 for a period that is not positive.
    int Due(int64_t nowMs, double period);
    int64_t GetLast() const { return m_last; }

private:
    int64_t m_last = 0;
};
