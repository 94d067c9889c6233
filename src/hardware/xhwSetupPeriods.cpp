#include "app/appOptions.h"
#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "data/docFieldHdr.h"
#include "document/docDoc.h"
#include "hardware/xhwSetup.h"
#include "protocol/xutRateTable.h"

#include <algorithm>
#include <cmath>

namespace {

const double kPeriods[20] = {3600, 1800, 600, 300, 120, 60,   30,    10,    5,     2,
                             1,    0.5,  0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};

const int kAllowedReadings[8] = {101, 201, 501, 1001, 2001, 5001, 10001, 20001};

bool IsAllowedReadings(int readings)
{
    return std::find(std::begin(kAllowedReadings), std::end(kAllowedReadings), readings)
           != std::end(kAllowedReadings);
}

// The value cut down to tenths, worked in single precision.
float FloorTenth(double value)
{
    return std::floor(float(value) * 10.0f) / 10.0f;
}

wxString FormatTenth(double value)
{
    wxString text;
    gumFormatFixed(text, 1, FloorTenth(value));
    return text;
}

// "%g", or the value cut down to tenths when that is the shorter text.
wxString FormatShort(double value)
{
    wxString text;
    gumFormatDouble(text, value);
    const wxString tenth = FormatTenth(value);
    return tenth.length() < text.length() ? tenth : text;
}

// Time units of docGetTimeUnitName.
enum
{
    UNIT_DAYS = 1,
    UNIT_HOURS = 2,
    UNIT_MINUTES = 3,
    UNIT_SECONDS = 4,
    UNIT_MILLISECONDS = 5,
    UNIT_MICROSECONDS = 6,
};

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

int CxhwSetup::GetPeriodList(double* list, const CdocDoc& doc, int logType)
{
    int count = 0;
    if (logType == SETUP_LOG_FAST_TRIGGER) {
        UpdateTriggeredCalib(doc, xhwHasMivaOption(doc));
        CxutRateTable table;
        doc.m_boxInfo.GetFastRates(table, m_triggerInput, &m_triggeredSenCalib);
        // The table's count is not trusted beyond its rows (or the list's
        // room), nor a period that no run could take: a sensor's limit of 0
        // or below becomes a row of its own.
        const int n = std::max(0, std::min<int>(table.m_count, std::min(CxutRateTable::kRows, kPeriodListSize - 1)));
        for (int i = n - 1; i >= 0; --i)
            if (table.m_rows[i].m_period > 0)
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

int CxhwSetup::GetPeriodChoices(const CdocDoc& doc, double* list)
{
    return GetPeriodList(list, doc, m_setup);
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

double CxhwSetup::GetNearestPeriod(const CdocDoc& doc, double x)
{
    double list[kPeriodListSize];
    const int count = GetPeriodList(list, doc, m_setup);
    return list[FindNearest(list, count, x)];
}

void CxhwSetup::SetLogType(const CdocDoc& doc, int type)
{
    m_setup = type;
    switch (type) {
    case SETUP_LOG_PERIODIC:
        m_readings = 1001;
        break;
    case SETUP_LOG_FAST_TRIGGER:
        m_readings = xutGetDefaultRateCode(doc.m_boxInfo.m_info.m_hardware);
        break;
    case SETUP_LOG_PERIODIC_ADVANCED:
        if (!IsAllowedReadings(m_readings))
            m_readings = 1001;
        break;
    default:
        return;
    }
    m_period = GetNearestPeriod(doc, m_period);
}

void CxhwSetup::SetReadings(const CdocDoc& doc, int readings)
{
    m_readings = readings;
    m_period = GetNearestPeriod(doc, m_period);
}

void CxhwSetup::AdjustToLogger(const CdocDoc& doc)
{
    const bool timing = m_setup == SETUP_LOG_TIMING;
    if ((m_setup == SETUP_LOG_FAST_TRIGGER && !appIsAllowed(FEATURE_SETUP_FAST_TRIGGER))
        || (m_setup == SETUP_LOG_PERIODIC_ADVANCED && !appIsAllowed(FEATURE_SETUP_PERIODIC_ADVANCED))) {
        m_setup = SETUP_LOG_PERIODIC;
        m_readings = 1001;
        m_period = GetNearestPeriod(doc, m_period);
    }
    if (timing && m_measurement == MEASUREMENT_VELOCITY && !appIsAllowed(FEATURE_SETUP_VELOCITY))
        SetMeasurement(doc, MEASUREMENT_SPEED);
    static const int kReplacedByTimeDifference[][2] = {
        {MEASUREMENT_ACCELERATION, FEATURE_SETUP_ACCELERATION},
        {MEASUREMENT_KINETIC_ENERGY, FEATURE_SETUP_KINETIC_ENERGY},
        {MEASUREMENT_MOMENTUM, FEATURE_SETUP_MOMENTUM},
        {MEASUREMENT_SHM_PERIOD, FEATURE_SETUP_SHM_PERIOD},
    };
    for (const auto& replaced : kReplacedByTimeDifference)
        if (timing && m_measurement == replaced[0] && !appIsAllowed(replaced[1]))
            SetMeasurement(doc, MEASUREMENT_TIME_DIFFERENCE);
    if (timing && m_manualCalculation && !appIsAllowed(FEATURE_SETUP_MANUAL_CALCULATION))
        m_manualCalculation = false;
    if (timing && m_timingSensor == TIMING_SENSOR_EACH && !appIsAllowed(FEATURE_SETUP_EACH_SENSOR))
        m_timingSensor = TIMING_SENSOR_ANY;
    if (timing && ((m_bars == 2 && !appIsAllowed(FEATURE_SETUP_TWO_BARS))
                   || (m_bars == 4 && !appIsAllowed(FEATURE_SETUP_FOUR_BARS)))) {
        m_bars = 1;
        UpdateBarsTotal(true);
    }
}

bool CxhwSetup::IsLogTypeSupported(const CdocDoc& doc) const
{
    switch (m_setup) {
    case SETUP_LOG_FAST_TRIGGER:
        return doc.m_boxInfo.CanUseTrigger(true, xhwHasMivaOption(doc) ? 1 : 0);
    case SETUP_LOG_TIMING:
        return doc.m_boxInfo.CanUseTimingInputs();
    default:
        return doc.m_boxInfo.HasSensors();
    }
}

void CxhwSetup::FormatPeriodAndDuration(wxString& text, int readings, int style, double period)
{
    double p = period;
    int periodUnit = UNIT_MICROSECONDS;
    if (period >= 3600.0) {
        p = period / 3600.0;
        periodUnit = UNIT_HOURS;
    } else if (period >= 60.0) {
        p = period / 60.0;
        periodUnit = UNIT_MINUTES;
    } else if (period >= 0.1) {
        periodUnit = UNIT_SECONDS;
    } else if (period >= 0.001) {
        p = period * 1000.0;
        periodUnit = UNIT_MILLISECONDS;
    } else {
        p = period * 1000000.0;
    }
    const wxString periodText = FormatShort(p);
    const wxString periodName = docGetTimeUnitName(periodUnit, p != 1.0);

    const double duration = (double(readings) - 1.0) * period;
    double d = duration * 1000.0;
    int durationUnit = UNIT_MILLISECONDS;
    if (duration > 172800.0) {
        d = duration / 3600.0 / 24.0;
        durationUnit = UNIT_DAYS;
    } else if (duration >= 7200.0) {
        d = duration / 3600.0;
        durationUnit = UNIT_HOURS;
    } else if (duration >= 120.0) {
        d = duration / 60.0;
        durationUnit = UNIT_MINUTES;
    } else if (duration >= 0.1) {
        d = duration;
        durationUnit = UNIT_SECONDS;
    }
    wxString durationText;
    if (style == 2 || style == 5 || style == 7)
        gumFormatFixed(durationText, 0, std::floor(d));
    else if (style == 4 || style == 9)
        durationText = FormatTenth(d);
    else
        durationText = FormatShort(d);
    const wxString durationName = docGetTimeUnitName(durationUnit, d != 1.0);

    switch (style) {
    case 0:
        text = gumGetString(469) + " = " + periodText + " " + periodName;
        break;
    case 1:
    case 9:
        text = periodText + " " + periodName;
        break;
    case 2:
    case 3:
    case 7:
    case 8:
    case 10:
        text = durationText + " " + durationName;
        break;
    case 5:
    case 6:
        text = durationText.length() < 6 ? wxString(' ', 6 - durationText.length()) : wxString();
        text += durationText + "   " + durationName;
        break;
    default:
        text = periodText + " " + periodName + " " + gumGetString(492) + " " + durationText + " " + durationName;
        break;
    }
}
