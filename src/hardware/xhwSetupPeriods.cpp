#include "document/docDoc.h"
#include "hardware/xhwSetup.h"
#include "protocol/xutRateTable.h"

#include <algorithm>
#include <cmath>

namespace {

const double kPeriods[20] = {3600, 1800, 600, 300, 120, 60,   30,    10,    5,     2,
                             1,    0.5,  0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};

} // namespace

int CxhwSetup::GetReadingsLimit(const CdocDoc& doc) const
{
    switch (m_setup) {
    case SETUP_LOG_PERIODIC:
        return 1001;
    case SETUP_LOG_FAST_TRIGGER:
        return xutGetDefaultRateCode(doc.m_boxInfo.m_info.m_hardware);
    case SETUP_LOG_PERIODIC_ADVANCED:
        return m_readings;
    case SETUP_LOG_TIMING:
        return 20001;
    default:
        return 1000;
    }
}

int CxhwSetup::GetPeriodList(double list[21], const CdocDoc& doc, int logType)
{
    int count = 0;
    if (logType == SETUP_LOG_FAST_TRIGGER) {
        CxutRateTable table;
        doc.m_boxInfo.GetFastRates(table, doc.m_boxInfo.FindTriggerInput(false, 0), nullptr);
        const int n = std::min(int(table.m_count), CxutRateTable::kRows);
        for (int i = n - 1; i >= 0; --i)
            list[count++] = table.m_rows[i].m_period / 1000000.0;
    } else {
        const double resolution = doc.m_boxInfo.GetTimingResolution();
        for (double period : kPeriods)
            if (period >= resolution)
                list[count++] = period;
    }
    list[count] = -1.0;
    return count;
}

int CxhwSetup::FindNearest(const double* list, int count, double x)
{
    if (count < 2)
        return 0;
    int best = 0;
    float bestDistance = float(std::fabs(list[0] - x));
    for (int i = 1; i < count; ++i) {
        const float distance = float(std::fabs(list[i] - x));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

double CxhwSetup::GetNearestPeriod(const CdocDoc& doc, double x) const
{
    double list[21];
    const int count = GetPeriodList(list, doc, m_setup);
    return list[FindNearest(list, count, x)];
}
