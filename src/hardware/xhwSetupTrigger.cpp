#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSetup.h"

#include "document/docDoc.h"

namespace {

// The database's calibration of a choice entry.
CxhwSenCalib LoadCalib(int index)
{
    CxhwSenCalib calib;
    if (const CxhwSenFile* db = xhwGetSenFile())
        db->GetCalib(calib, index);
    return calib;
}

bool IsInput(int input)
{
    return input >= 0 && input < CxhwSensorV::kCount;
}

} // namespace

bool xhwHasMivaOption(const CdocDoc& doc)
{
    const CxutBoxInfo& info = doc.m_boxInfo.m_info;
    return info.m_hardware == BOX_TYPE_MIVA && info.m_mivaOption != 0;
}

bool xhwLacksMivaOption(const CdocDoc& doc)
{
    return !xhwHasMivaOption(doc);
}

int CxhwSetup::BuildTriggerChoices(const CdocDoc& doc, bool option)
{
    m_triggerHasChoices = false;
    m_triggerInput = doc.m_boxInfo.FindTriggerInput(true, option ? 1 : 0);
    if (!IsInput(m_triggerInput)) {
        m_triggerInput = -1;
        m_triggeredCalibIdx = -1;
        return -1;
    }
    const CxhwSensor& sensor = doc.m_boxInfo.m_sensors[m_triggerInput];
    return m_triggerChoices.FindCalibChoice(sensor, doc.m_boxInfo.m_info, option, false);
}

void CxhwSetup::SetTriggerHasChoices(const CdocDoc& doc)
{
    m_triggerHasChoices = doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_MIVA && m_triggerChoices.GetCount() > 1;
}

bool CxhwSetup::UpdateTriggeredCalib(const CdocDoc& doc, bool option)
{
    const int best = BuildTriggerChoices(doc, option);
    if (m_triggerInput < 0)
        return false;
    const int count = m_triggerChoices.GetCount();
    auto inList = [count](int i) { return i >= 0 && i < count; };
    // A choice kept from before counts only while the database still gives
    // the calibration it stood for.
    if (inList(m_triggeredCalibIdx)
        && !LoadCalib(m_triggerChoices.GetAt(m_triggeredCalibIdx).m_index).IsSame(m_triggeredSenCalib))
        m_triggeredCalibIdx = -1;
    if (!inList(m_triggeredCalibIdx))
        m_triggeredCalibIdx = best;
    if (inList(m_triggeredCalibIdx))
        m_triggeredSenCalib = LoadCalib(m_triggerChoices.GetAt(m_triggeredCalibIdx).m_index);
    else
        m_triggeredSenCalib = doc.m_boxInfo.m_sensors[m_triggerInput].m_calib;
    SetTriggerHasChoices(doc);
    return m_triggerHasChoices;
}

bool CxhwSetup::SelectTriggeredCalib(const CdocDoc& doc, bool option, int index)
{
    BuildTriggerChoices(doc, option);
    if (m_triggerInput < 0)
        return false;
    if (index >= 0 && index < m_triggerChoices.GetCount()) {
        m_triggeredCalibIdx = index;
        m_triggeredSenCalib = LoadCalib(m_triggerChoices.GetAt(index).m_index);
    }
    SetTriggerHasChoices(doc);
    return m_triggerHasChoices;
}

void CxhwSetup::RefreshTriggeredCalib(const CdocDoc& doc)
{
    UpdateTriggeredCalib(doc, xhwHasMivaOption(doc));
}

bool CxhwSetup::RefreshTriggerHasChoices(const CdocDoc& doc)
{
    return UpdateTriggeredCalib(doc, xhwHasMivaOption(doc));
}

int CxhwSetup::ChooseTriggeredCalib(const CdocDoc& doc, int index)
{
    SelectTriggeredCalib(doc, xhwHasMivaOption(doc), index);
    return m_triggeredCalibIdx;
}

wxString CxhwSetup::GetTriggerChoiceLabel(int i) const
{
    return m_triggerChoices.GetAt(i).m_label;
}

void CxhwSetup::SetSensorCalibration(int input, const CxhwSetupChoices::Choice& choice) const
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->SetSensorCalibration(input, choice.m_index, choice.m_code);
}

bool CxhwSetup::CheckSensorScales(CdocDoc& doc, bool option, bool apply)
{
    bool result = false;
    if (m_setup == SETUP_LOG_FAST_TRIGGER) {
        const int input = doc.m_boxInfo.FindTriggerInput(true, option ? 1 : 0);
        if (!IsInput(input))
            return false;
        result = CheckTriggerScale(doc, input, doc.m_boxInfo.m_sensors[input], option, apply);
    } else if (m_setup == SETUP_LOG_TIMING) {
        return false;
    } else {
        for (int i = 0; i < CxhwSensorV::kCount; ++i)
            if (doc.m_boxInfo.HoldsSensor(i) && CheckSensorScale(doc, i, doc.m_boxInfo.m_sensors[i], option, apply))
                result = true;
    }
    if (apply) {
        if (doc.IsReady())
            doc.OnBoxUpdate(false);
        else if (CxhwBoxes* boxes = xhwGetBoxes())
            boxes->GetPublicInfo(doc.m_boxInfo);
    }
    return result;
}

bool CxhwSetup::CheckTriggerScale(const CdocDoc& doc, int input, const CxhwSensor& sensor, bool option, bool apply)
{
    if (m_setup == SETUP_LOG_TIMING)
        return false;
    const CxutBoxInfo& logger = doc.m_boxInfo.m_info;
    CxhwSetupChoices list;
    list.FindCalibChoice(sensor, logger, option, false);
    const int chosen = m_triggeredCalibIdx;
    if (chosen >= 0 && chosen < list.GetCount()
        && LoadCalib(list.GetAt(chosen).m_index).IsSame(m_triggeredSenCalib)) {
        if (list.IsSelected(sensor, chosen))
            return false;
        if (apply)
            SetSensorCalibration(input, list.GetAt(chosen));
        return true;
    }
    if (sensor.CanTrigger())
        return false;
    CxhwSetupChoices::Choice target;
    if (!CxhwSetupChoices::GetCalibChoice(target, sensor, logger, option, false))
        return false;
    if (apply)
        SetSensorCalibration(input, target);
    return true;
}

bool CxhwSetup::CheckSensorScale(const CdocDoc& doc, int input, const CxhwSensor& sensor, bool option, bool apply)
{
    if (m_setup == SETUP_LOG_TIMING)
        return false;
    const CxutBoxInfo& logger = doc.m_boxInfo.m_info;
    const double period = GetNearestPeriod(doc, m_period);
    const bool fast = logger.GetTimeResolution() > period;
    if (CxhwSetupChoices::SuitsRate(sensor, logger, fast))
        return false;
    CxhwSetupChoices::Choice target;
    if (!CxhwSetupChoices::GetRateCalibChoice(target, sensor, logger, option, fast))
        return false;
    if (apply)
        SetSensorCalibration(input, target);
    return true;
}
