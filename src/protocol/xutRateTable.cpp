#include "protocol/xutRateTable.h"

#include <vector>

namespace {

// 1, 2, 5, 10, 20, 50, ..., 2,000,000, 5,000,000.
std::vector<int64_t> Series()
{
    std::vector<int64_t> values;
    for (int64_t decade = 1; decade <= 1000000; decade *= 10)
        for (int64_t step : {1, 2, 5})
            values.push_back(step * decade);
    return values;
}

} // namespace

void xutBuildRateTable(CxutRateTable& table, int32_t minPeriod, int32_t maxPeriod,
                       int32_t minCount, int32_t maxCount, int32_t minSpan, int32_t maxSpan)
{
    const std::vector<int64_t> series = Series();
    int defaultRow = -1;
    // A limit of 0 or less (a smart sensor's byte, a file's field) would
    // offer a period of no time at all.
    if (minPeriod < 1)
        minPeriod = 1;

    int64_t g = 1;
    if (minPeriod > 5000000) {
        g = 50;
    } else if (minPeriod > 1) {
        for (int64_t value : series)
            if (value >= minPeriod) {
                g = value;
                break;
            }
    }

    int n = 0;
    bool inSeries = false;
    for (int64_t value : series)
        inSeries = inSeries || value == minPeriod;
    if (!inSeries) {
        table.m_rows[0] = {minPeriod, minCount + 1, minCount + 1};
        n = 1;
        if (int64_t(minPeriod) * minCount >= 1000)
            defaultRow = 0;
    }

    for (int64_t span : series) {
        if (n >= CxutRateTable::kRows)
            break;
        if (span < minSpan || span > maxSpan)
            continue;
        for (int64_t period : series) {
            if (period < g || period > maxPeriod)
                continue;
            if (span < int64_t(minCount) * period)
                break; // this span gives no row
            if (int64_t(maxCount) * period < span || span % period != 0)
                continue;
            const int32_t readings = int32_t(span / period + 1);
            table.m_rows[n] = {int32_t(period), readings, readings};
            if (span >= 1000 && defaultRow < 0)
                defaultRow = n;
            ++n;
            break;
        }
    }
    table.m_count = n;
    table.m_default = defaultRow < 0 ? 0 : defaultRow;
}

int32_t xutGetDefaultRateCode(int32_t boxType)
{
    return boxType == 7 ? 1001 : 251;
}
