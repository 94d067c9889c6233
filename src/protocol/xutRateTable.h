#pragma once
#include <cstdint>

// One offered sampling period and the readings a run of it takes (counted
// with one extra, held twice: readings and points).
struct CxutRate
{
    int32_t m_period = 0;
    int32_t m_readings = 0;
    int32_t m_points = 0;
};

// The sampling periods offered for fast (triggered) sampling and for the
// oscilloscope: up to 20 rows, the rows in use and the default row.
class CxutRateTable
{
public:
    static constexpr int kRows = 20;

    CxutRate m_rows[kRows];
    int32_t m_count = 0;
    int32_t m_default = 0;
};

// Fills the table over the 1-2-5 series of periods and spans.
void xutBuildRateTable(CxutRateTable& table, int32_t minPeriod, int32_t maxPeriod,
                       int32_t minCount, int32_t maxCount, int32_t minSpan, int32_t maxSpan);

// The readings of a fast run by default: 1001 for box type 7, 251 for others.
int32_t xutGetDefaultRateCode(int32_t boxType);
