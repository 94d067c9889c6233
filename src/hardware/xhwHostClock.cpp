#include "hardware/xhwHostClock.h"

#include "transport/zxTime.h"

#include <cmath>

void CxhwHostClock::Start(int64_t nowMs)
{
    m_last = zxWrapTime(nowMs);
}

int CxhwHostClock::Due(int64_t nowMs, double period)
{
    if (!(period > 0.0))
        return 0;
    const int64_t t = zxWrapTime(nowMs);
    int64_t d = t - m_last;
    if (t < m_last)
        d += kZxTimePeriodMs;
    const double periods = double(d) / 1000.0 / period;
    if (periods < 1.0)
        return 0;
    // A clock stopped for days would owe more than any run can take.
    const int n = periods > 1.0e6 ? 1000000 : int(periods);
    m_last = zxWrapTime(m_last + int64_t(std::floor(period * n * 1000.0 + 0.5)));
    return n;
}
