#include "hardware/xhwSetupChoices.h"

#include "hardware/xhwSensor.h"

int CxhwSetupChoices::FindCalibChoice(const CxhwSensor& sensor, const CxutBoxInfo&, bool, bool scope)
{
    m_count = 0;
    if (sensor.m_idCode == 0 || sensor.m_calib.m_index < 0)
        return -1;
    Choice& own = m_choices[m_count++];
    own.m_index = sensor.m_calib.m_index;
    own.m_ident = sensor.m_calib.m_ident;
    own.m_code = -1;
    own.m_label = sensor.m_calib.m_name.empty() ? wxString(" ") : sensor.m_calib.m_name;
    const bool usable = scope ? sensor.CanScope() : sensor.CanTrigger();
    return usable && IsSelected(sensor, 0) ? 0 : -1;
}

const CxhwSetupChoices::Choice& CxhwSetupChoices::GetAt(int i) const
{
    static const Choice none;
    return i >= 0 && i < m_count ? m_choices[i] : none;
}

bool CxhwSetupChoices::IsSelected(const CxhwSensor& sensor, int i) const
{
    if (i < 0 || i >= m_count)
        return false;
    const Choice& c = m_choices[i];
    if (c.m_ident != sensor.m_calib.m_ident || c.m_index != sensor.m_calib.m_index)
        return false;
    if (c.m_code == -1)
        return (sensor.m_calType & 0x1F) == (sensor.m_idType & 0x1F);
    return c.m_code == sensor.m_calType;
}

bool CxhwSetupChoices::GetCalibChoice(Choice& choice, const CxhwSensor& sensor, const CxutBoxInfo& logger,
                                      bool fallBack, bool scope)
{
    CxhwSetupChoices list;
    const int found = list.FindCalibChoice(sensor, logger, fallBack, scope);
    if (found < 0)
        return false;
    choice = list.GetAt(found);
    return true;
}

bool CxhwSetupChoices::SuitsRate(const CxhwSensor&, const CxutBoxInfo&, bool)
{
    return true;
}

bool CxhwSetupChoices::GetRateCalibChoice(Choice&, const CxhwSensor&, const CxutBoxInfo&, bool, bool)
{
    return false;
}
