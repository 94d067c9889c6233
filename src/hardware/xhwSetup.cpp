#include "hardware/xhwSetup.h"

CxhwSetup::CxhwSetup()
{
    SetDefaults();
}

void CxhwSetup::SetDefaults()
{
    m_setup = SETUP_LOG_PERIODIC;
    m_readings = 1001;
    m_period = 0.1;
    m_measurement = 1;
    m_manualCalculation = false;
    m_timingSensor = 0;
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

void CxhwSetup::UpdateBarsTotal(bool force)
{
    if (force || m_barsTotal < m_bars) {
        m_barsTotal = m_bars;
        m_barsTotalS = wxString::Format("%d", m_barsTotal);
    }
}
