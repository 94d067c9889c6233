#include "hardware/xhwSetupChoices.h"

#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSensor.h"

#include <algorithm>

namespace {

CxhwSetupChoices::Choice ToChoice(const CxhwSenCalibChoice& from)
{
    CxhwSetupChoices::Choice choice;
    choice.m_index = from.m_index;
    choice.m_ident = from.m_ident;
    choice.m_code = from.m_code;
    choice.m_label = from.m_label;
    return choice;
}

} // namespace

int CxhwSetupChoices::FindCalibChoice(const CxhwSensor& sensor, const CxutBoxInfo& logger, bool fallBack,
                                      bool scope)
{
    m_list = std::make_shared<CxhwSenCalibChoiceV>();
    const int found = sensor.FindCalibChoice(*m_list, logger, fallBack, scope);
    m_count = std::min(m_list->GetCount(), kMaxChoices);
    for (int i = 0; i < m_count; ++i)
        m_choices[i] = ToChoice((*m_list)[i]);
    return found >= 0 && found < m_count ? found : -1;
}

const CxhwSetupChoices::Choice& CxhwSetupChoices::GetAt(int i) const
{
    static const Choice none;
    return i >= 0 && i < m_count ? m_choices[i] : none;
}

bool CxhwSetupChoices::IsSelected(const CxhwSensor& sensor, int i) const
{
    return m_list && i >= 0 && i < m_count && m_list->IsSelected(sensor, i);
}

bool CxhwSetupChoices::GetCalibChoice(Choice& choice, const CxhwSensor& sensor, const CxutBoxInfo& logger,
                                      bool fallBack, bool scope)
{
    CxhwSenCalibChoice found;
    if (!sensor.GetCalibChoice(&found, logger, fallBack, scope))
        return false;
    choice = ToChoice(found);
    return true;
}

bool CxhwSetupChoices::SuitsRate(const CxhwSensor& sensor, const CxutBoxInfo& logger, bool fast)
{
    return sensor.SuitsRate(logger, fast);
}

bool CxhwSetupChoices::GetRateCalibChoice(Choice& choice, const CxhwSensor& sensor, const CxutBoxInfo& logger,
                                          bool fallBack, bool fast)
{
    CxhwSenCalibChoice found;
    if (!sensor.GetRateCalibChoice(&found, logger, fallBack, fast))
        return false;
    choice = ToChoice(found);
    return true;
}
