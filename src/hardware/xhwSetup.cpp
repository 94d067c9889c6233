#include "hardware/xhwSetup.h"

#include "document/docDoc.h"

#include <algorithm>
#include <climits>
#include <wx/intl.h>

namespace {

// Measurements whose single-gate result takes one or two bars.
bool IsSimpleMeasurement(int m)
{
    return m == 1 || m == 2 || m == 3 || m == 5 || m == 6;
}

bool AtMostOneTimingInput(const CdocDoc& doc)
{
    return doc.m_boxInfo.CountTimingInputs() <= 1;
}

enum
{
    MODE_BETWEEN_GATES = 0,
    MODE_LEADING_TO_LEADING = 1,
    MODE_LEADING_TO_TRAILING = 2,
};

} // namespace

CxhwSetup::CxhwSetup()
{
    SetDefaults();
}

void CxhwSetup::SetDefaults()
{
    m_setup = SETUP_LOG_PERIODIC;
    m_readings = 1001;
    m_period = 0.1;
    m_measurement = MEASUREMENT_TIME_DIFFERENCE;
    m_manualCalculation = false;
    m_timingSensor = TIMING_SENSOR_ANY;
    m_bars = 1;
    m_barWidthS = "5";
    m_sensorGapS = "100";
    m_mass1S = "1";
    m_mass2S = "1";
    m_mass3S = "1";
    m_barWidth = 5.0f;
    m_sensorGap = 100.0f;
    m_mass1 = 1.0f;
    m_mass2 = 1.0f;
    m_mass3 = 1.0f;
    m_triggeredCalibIdx = -1;
    m_triggerInput = -1;
    m_triggerHasChoices = false;
    m_barsTotal = 1;
    m_barsTotalS = "1";
}

bool CxhwSetup::IsSame(const CxhwSetup& other) const
{
    return m_setup == other.m_setup && m_readings == other.m_readings && m_period == other.m_period &&
           m_measurement == other.m_measurement && m_manualCalculation == other.m_manualCalculation &&
           m_timingSensor == other.m_timingSensor && m_bars == other.m_bars &&
           m_barWidthS == other.m_barWidthS && m_sensorGapS == other.m_sensorGapS &&
           m_mass1S == other.m_mass1S && m_mass2S == other.m_mass2S && m_mass3S == other.m_mass3S &&
           m_barWidth == other.m_barWidth && m_sensorGap == other.m_sensorGap && m_mass1 == other.m_mass1 &&
           m_mass2 == other.m_mass2 && m_mass3 == other.m_mass3 && m_barsTotal == other.m_barsTotal &&
           m_barsTotalS == other.m_barsTotalS;
}

void CxhwSetup::SetMeasurement(const CdocDoc& doc, int measurement)
{
    m_measurement = measurement;
    if (measurement == MEASUREMENT_TIME_DIFFERENCE || measurement == MEASUREMENT_SHM_PERIOD)
        m_manualCalculation = false;
    if (measurement == MEASUREMENT_SHM_PERIOD) {
        m_timingSensor = TIMING_SENSOR_ANY;
        m_bars = 1;
        UpdateBarsTotal(true);
    }
    if (AtMostOneTimingInput(doc))
        m_timingSensor = TIMING_SENSOR_ANY;
    if (m_measurement == MEASUREMENT_ACCELERATION && m_timingSensor != TIMING_SENSOR_FROM_TO && m_bars == 1) {
        m_bars = 2;
        UpdateBarsTotal(true);
    }
}

void CxhwSetup::SetBars(const CdocDoc&, int bars)
{
    m_bars = bars;
    UpdateBarsTotal(true);
}

void CxhwSetup::SetManualCalculation(const CdocDoc&, bool on)
{
    m_manualCalculation = on;
    if (m_measurement == MEASUREMENT_SHM_PERIOD || m_measurement == MEASUREMENT_TIME_DIFFERENCE)
        m_manualCalculation = false;
    else if (on && m_timingSensor == TIMING_SENSOR_EACH)
        m_timingSensor = TIMING_SENSOR_ANY;
}

void CxhwSetup::SetTimingSensor(const CdocDoc& doc, int sensor)
{
    m_timingSensor = sensor;
    if (AtMostOneTimingInput(doc))
        m_timingSensor = TIMING_SENSOR_ANY;
}

void CxhwSetup::UpdateBarsTotal(bool force)
{
    if (force || m_barsTotal < m_bars) {
        m_barsTotal = m_bars;
        m_barsTotalS = wxString::Format("%d", m_barsTotal);
    }
}

void CxhwSetup::SetBarsTotalText(const wxString& text)
{
    unsigned long number = 0;
    // A number past what an int holds is not taken: it would turn negative.
    if (text.ToCULong(&number, 10) && number != 0 && number <= (unsigned long)INT_MAX) {
        m_barsTotalS = text;
        m_barsTotal = int(number);
    }
    UpdateBarsTotal(false);
}

float CxhwSetup::GetMass(int i) const
{
    if (i == 0)
        return m_mass1;
    if (i == 1)
        return m_mass2;
    return m_mass3;
}

void CxhwSetup::GetTimingGeometry(int& detectEvents, bool& detectSingleSensor, bool& detectLeading,
                                  float& distance) const
{
    detectEvents = 0;
    detectSingleSensor = false;
    detectLeading = false;
    distance = 1.0f;
    const bool fromTo = m_timingSensor == TIMING_SENSOR_FROM_TO;
    if (m_measurement == MEASUREMENT_ACCELERATION) {
        detectEvents = 3;
        detectSingleSensor = !fromTo;
        detectLeading = fromTo ? m_bars % 2 == 0 : m_bars % 4 == 0;
        distance = detectLeading ? 2.0f * m_barWidth : m_barWidth;
    } else if (m_measurement == MEASUREMENT_SHM_PERIOD) {
        detectEvents = 5;
        detectSingleSensor = true;
    } else {
        detectEvents = 1;
        detectSingleSensor = !fromTo;
        detectLeading = fromTo || m_bars % 2 == 0;
        if (fromTo)
            distance = m_sensorGap;
        else
            distance = detectLeading ? 2.0f * m_barWidth : m_barWidth;
    }
}

bool CxhwSetup::HasEventsFor(int& needed, int position, bool singleSensor, bool) const
{
    needed = 1;
    const long long left = (long long)std::max(m_barsTotal, m_bars) - position;
    const int m = m_measurement;
    if (singleSensor) {
        if (m >= MEASUREMENT_SHM_PERIOD)
            return true;
        if (IsSimpleMeasurement(m)) {
            needed = m_bars == 1 ? 1 : 2;
            return left >= needed;
        }
        if (m == MEASUREMENT_ACCELERATION) {
            if (m_bars == 1)
                return false;
            needed = m_bars == 2 || m_bars == 4 ? m_bars : 4;
            return left >= needed;
        }
        return true;
    }
    if (m >= MEASUREMENT_SHM_PERIOD)
        return false;
    if (IsSimpleMeasurement(m))
        return true;
    if (m == MEASUREMENT_ACCELERATION) {
        switch (m_bars) {
        case 1:
            needed = 1;
            break;
        case 2:
        case 4:
            needed = 2;
            break;
        default:
            needed = 4;
            break;
        }
        return left >= needed;
    }
    return false;
}

int CxhwSetup::GetTimingMode() const
{
    const bool fromTo = m_timingSensor == TIMING_SENSOR_FROM_TO;
    const int m = m_measurement;
    if (fromTo && m != MEASUREMENT_ACCELERATION && m != MEASUREMENT_SHM_PERIOD)
        return MODE_BETWEEN_GATES;
    bool leading = false;
    if (m == MEASUREMENT_ACCELERATION)
        leading = fromTo ? m_bars % 2 == 0 : m_bars % 4 == 0;
    else if (m != MEASUREMENT_SHM_PERIOD)
        leading = m_bars % 2 == 0;
    return leading ? MODE_LEADING_TO_LEADING : MODE_LEADING_TO_TRAILING;
}

int CxhwSetup::GetBarsPerMeasurement() const
{
    const int m = m_measurement;
    if (m == MEASUREMENT_ACCELERATION) {
        if (m_timingSensor == TIMING_SENSOR_FROM_TO)
            return m_bars == 1 ? 1 : (m_bars == 2 || m_bars == 4 ? 2 : 4);
        return m_bars == 1 || m_bars == 2 ? m_bars : 4;
    }
    if (m == MEASUREMENT_SHM_PERIOD || m_timingSensor == TIMING_SENSOR_FROM_TO)
        return 1;
    if (IsSimpleMeasurement(m))
        return m_bars == 1 ? 1 : 2;
    return 1;
}

void CxhwSetup::GetMeasurementTexts(wxString& heading, wxString& timing, wxString& distance, wxString& perPass,
                                    wxString& extra) const
{
    heading = _("Current settings:");
    const bool withDistance = m_measurement != MEASUREMENT_TIME_DIFFERENCE && m_measurement != MEASUREMENT_SHM_PERIOD;
    switch (GetTimingMode()) {
    case MODE_LEADING_TO_LEADING:
        timing = _("Timing from the start of a bar to the start of the next bar (leading edge to leading edge).");
        distance = _("The corresponding distance is the sum of the bar width and the gap between bars.");
        break;
    case MODE_LEADING_TO_TRAILING:
        timing = _("Timing from the start to the end of each bar (leading edge to trailing edge).");
        distance = _("The corresponding distance is the bar width.");
        break;
    default:
        timing = _("Timing the start of each bar between two sensors.");
        distance = _("The corresponding distance is the gap between the sensors.");
        break;
    }
    if (!withDistance)
        distance.clear();
    const int total = std::max(m_barsTotal, m_bars);
    const int bars = GetBarsPerMeasurement();
    perPass.clear();
    extra.clear();
    if (total / bars > 1)
        perPass = wxString::Format(_("%d measurements per pass."), total / bars);
    const int left = total % bars;
    if (left == 1)
        extra = _("1 extra bar ignored.");
    else if (left >= 2)
        extra = wxString::Format(_("%d extra bars ignored."), left);
}

void CxhwSetup::GetMeasurementText(wxString& text) const
{
    const wxString nl = "\n";
    const bool withDistance = m_measurement != MEASUREMENT_TIME_DIFFERENCE && m_measurement != MEASUREMENT_SHM_PERIOD;
    wxString explanation;
    switch (GetTimingMode()) {
    case MODE_LEADING_TO_LEADING:
        explanation = _("Timing from the start of a bar to the start of the") + nl +
                      _("next bar (leading edge to leading edge).");
        if (withDistance)
            explanation += nl + nl + _("The corresponding distance is the sum of the") + nl +
                           _("bar width and the gap between bars.");
        break;
    case MODE_LEADING_TO_TRAILING:
        explanation = _("Timing from the start to the end of each bar") + nl + _("(leading edge to trailing edge).");
        if (withDistance)
            explanation += nl + nl + _("The corresponding distance is the bar width.");
        break;
    default:
        explanation = _("Timing the start of each bar between two sensors.");
        if (withDistance)
            explanation += nl + nl + _("The corresponding distance is the gap between the sensors.");
        break;
    }
    explanation += nl;
    wxString heading, timing, distance, perPass, extra;
    GetMeasurementTexts(heading, timing, distance, perPass, extra);
    text = heading + nl + nl + explanation + nl;
    if (!perPass.empty())
        text += perPass + " ";
    text += extra;
}
