// The oscilloscope's settings: its inputs and units, the timebase list and
// the gains, and the setting commands of the view.
#include "document/docScope.h"

#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "files/docNormaliseUnit.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSensor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <wx/intl.h>

namespace {

const float kGainTable[CdocScope::kGains - 1] = {0.005f, 0.01f, 0.02f, 0.05f, 0.1f, 0.2f,
                                                 0.5f,   1.0f,  2.0f,  5.0f,  10.0f};

wxString FormatG(float v)
{
    return wxString::Format("%g", double(v));
}

const CxhwSensor& NoSensor()
{
    static const CxhwSensor none;
    return none;
}

} // namespace

CdocScope::CdocScope()
{
    EnsureList();
}

CdocScope::~CdocScope() = default;

// ---- Inputs and units ----------------------------------------------------

int CdocScope::GetInput() const
{
    if (!m_doc)
        return 0;
    const int input = m_doc->m_boxInfo.FindScopeInput(false, 0);
    return input >= 0 && input < CxhwSensorV::kCount ? input : 0;
}

const CxhwSensor& CdocScope::GetInputInfo() const
{
    return m_doc ? m_doc->m_boxInfo.m_sensors[GetInput()] : NoSensor();
}

int CdocScope::GetSecondInput() const
{
    if (!m_doc)
        return -1;
    const int input = m_doc->m_boxInfo.GetScopeInputFast();
    return input >= 0 && input < CxhwSensorV::kCount ? input : -1;
}

const CxhwSensor& CdocScope::GetSecondInfo() const
{
    const int input = GetSecondInput();
    return m_doc && input >= 0 ? m_doc->m_boxInfo.m_sensors[input] : NoSensor();
}

const CxhwSenCalib& CdocScope::Calib(int input) const
{
    if (!m_doc || input < 0 || input >= CxhwSensorV::kCount)
        return NoSensor().m_calib;
    return m_doc->m_boxInfo.m_sensors[input].m_calib;
}

wxString CdocScope::GetUnits() const
{
    return GetInputInfo().m_calib.m_units;
}

wxString CdocScope::GetSecondUnits() const
{
    return GetSecondInfo().m_calib.m_units;
}

// Millivolt inputs are shown in volts: the factor turns their values.
wxString CdocScope::GetUnitText() const
{
    const wxString units = GetUnits();
    return units == _("mV") ? wxString(_("V")) : units;
}

wxString CdocScope::GetSecondUnitText() const
{
    const wxString units = GetSecondUnits();
    return units == _("mV") ? wxString(_("V")) : units;
}

float CdocScope::GetVoltsFactor() const
{
    return GetUnits() == _("mV") ? 0.001f : 1.0f;
}

float CdocScope::GetSecondVoltsFactor() const
{
    return GetSecondUnits() == _("mV") ? 0.001f : 1.0f;
}

namespace {

void MidOf(const CxhwSenCalib& calib, float& mid, float& defMin)
{
    defMin = calib.m_defMin;
    mid = calib.m_defMin >= 0.0f ? calib.m_defMin + (calib.m_defMax - calib.m_defMin) / 2.0f : 0.0f;
}

} // namespace

void CdocScope::GetInputMid(float& mid, float& defMin) const
{
    MidOf(GetInputInfo().m_calib, mid, defMin);
}

void CdocScope::GetSecondInputMid(float& mid, float& defMin) const
{
    MidOf(GetSecondInfo().m_calib, mid, defMin);
}

void CdocScope::GetCalRange(float& max, float& min) const
{
    max = GetInputInfo().m_calib.m_calMax;
    min = GetInputInfo().m_calib.m_calMin;
}

void CdocScope::GetDefRange(float& max, float& min) const
{
    max = GetInputInfo().m_calib.m_defMax;
    min = GetInputInfo().m_calib.m_defMin;
}

void CdocScope::GetSecondCalRange(float& max, float& min) const
{
    if (GetSecondInput() < 0)
        return;
    max = GetSecondInfo().m_calib.m_calMax;
    min = GetSecondInfo().m_calib.m_calMin;
}

void CdocScope::GetSecondDefRange(float& max, float& min) const
{
    if (GetSecondInput() < 0)
        return;
    max = GetSecondInfo().m_calib.m_defMax;
    min = GetSecondInfo().m_calib.m_defMin;
}

// ---- Timebases -----------------------------------------------------------

void CdocScope::EnsureList()
{
    CxutRateTable& list = m_timebaseList;
    if (list.m_count > 0 && list.m_count <= CxutRateTable::kRows)
        return;
    list = CxutRateTable();
    list.m_rows[0].m_period = 100;
    list.m_rows[0].m_readings = 101;
    list.m_rows[0].m_points = 101;
    list.m_count = 1;
    list.m_default = 0;
}

const CxutRate& CdocScope::EnsureTimebase(int index)
{
    EnsureList();
    return m_timebaseList.m_rows[std::clamp(index, 0, int(m_timebaseList.m_count) - 1)];
}

int CdocScope::GetTimebaseCount()
{
    EnsureList();
    return m_timebaseList.m_count;
}

double CdocScope::GetTimebaseDivision(int index)
{
    const CxutRate& rate = EnsureTimebase(index);
    return double(rate.m_points - 1) * rate.m_period / 10.0;
}

double CdocScope::GetTimebaseSweepMs(int index)
{
    const CxutRate& rate = EnsureTimebase(index);
    return double(rate.m_readings - 1) * rate.m_period / 1000.0;
}

namespace {

// Sweep time in microseconds, exact for every table.
int64_t SweepUs(const CxutRate& rate)
{
    return int64_t(rate.m_readings - 1) * rate.m_period;
}

} // namespace

void CdocScope::KeepTimebase()
{
    const int oldCount = m_timebaseList.m_count;
    const int64_t sweep = m_timebase >= 0 && m_timebase < oldCount && oldCount <= CxutRateTable::kRows
                              ? SweepUs(m_timebaseList.m_rows[m_timebase])
                              : 10000;
    CxutRateTable table;
    if (m_doc)
        m_doc->m_boxInfo.GetScopeRates(table);
    m_timebaseList = table;
    const int count = GetTimebaseCount();
    m_timebase = std::clamp(m_timebase, 0, count - 1);
    if (SweepUs(EnsureTimebase(m_timebase)) == sweep)
        return;
    int best = -1;
    int64_t bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const int64_t distance = std::llabs(SweepUs(EnsureTimebase(i)) - sweep);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    m_timebase = best;
}

wxString CdocScope::GetTimebaseText(int index, bool shortForm)
{
    const CxutRate& first = EnsureTimebase(0);
    const bool micro = float(first.m_period) * float(first.m_points - 1) / 10000.0f < 0.1f;
    const CxutRate& rate = EnsureTimebase(index);
    float v;
    wxString unit;
    if (micro) {
        v = float(rate.m_points - 1) * float(rate.m_period) / 10.0f;
        unit = docNormaliseUnit(gumGetString(1203));
    } else {
        v = float(rate.m_period) * float(rate.m_points - 1) / 10000.0f;
        unit = gumGetString(1241);
    }
    if (shortForm)
        return FormatG(v) + " " + unit + _("/div");
    return FormatG(v) + " " + unit + " " + _("per X division");
}

// ---- Gains ---------------------------------------------------------------

float CdocScope::GetGainValue(int index)
{
    return index >= 0 && index < kGains - 1 ? kGainTable[index] : 20.0f;
}

wxString CdocScope::GetGainText(int index, bool shortForm) const
{
    const wxString value = FormatG(GetGainValue(index) * m_multiplier);
    if (shortForm)
        return value + " " + GetUnitText() + _("/div");
    return value + " " + GetUnitText() + " " + _("per Y division");
}

// The first gain whose eight divisions hold the input's range.
void CdocScope::GetDefaultGain(int& index, float& multiplier) const
{
    float max = 0.0f;
    float min = 0.0f;
    GetCalRange(max, min);
    const float span = min >= 0.0f ? max - min : 2.0f * std::max(std::fabs(max), std::fabs(min));
    const double volts = double(span) * double(GetVoltsFactor());
    static const double kFine[6] = {0.04, 0.08, 0.16, 0.4, 0.8, 1.6};
    for (int i = 0; i < 6; ++i) {
        if (volts <= kFine[i]) {
            index = i;
            multiplier = 1.0f;
            return;
        }
    }
    const float v = float(volts);
    static const struct
    {
        float bound;
        int index;
        float multiplier;
    } kCoarse[] = {{4.0f, 6, 1.0f},        {8.0f, 7, 1.0f},        {16.0f, 8, 1.0f},
                   {40.0f, 9, 1.0f},       {80.0f, 10, 1.0f},      {160.0f, 11, 1.0f},
                   {400.0f, 9, 10.0f},     {800.0f, 10, 10.0f},    {1600.0f, 11, 10.0f},
                   {4000.0f, 9, 100.0f},   {8000.0f, 10, 100.0f},  {16000.0f, 11, 100.0f},
                   {40000.0f, 9, 1000.0f}, {80000.0f, 10, 1000.0f}, {160000.0f, 11, 1000.0f}};
    for (const auto& row : kCoarse) {
        if (v <= row.bound) {
            index = row.index;
            multiplier = row.multiplier;
            return;
        }
    }
    index = 11;
    multiplier = 10000.0f;
}

void CdocScope::UpdateDefaultGain()
{
    int index = 0;
    float multiplier = 1.0f;
    GetDefaultGain(index, multiplier);
    if (multiplier != m_multiplier || index != m_gainbaseDef) {
        m_multiplier = multiplier;
        m_gainbaseDef = index;
        m_gainbase = index;
    }
}

wxString CdocScope::GetSettingsText()
{
    const wxString& axes = gumGetString(2440);
    const wxString x = axes.length() > 1 ? wxString(axes[1]) : wxString("X");
    const wxString y = axes.length() > 2 ? wxString(axes[2]) : wxString("Y");
    return x + " = " + GetTimebaseText(m_timebase, false) + ", " + y + " = " + GetGainText(m_gainbase, false);
}

// ---- Setting commands ----------------------------------------------------

void CdocScope::SetTimebase(int index)
{
    m_timebase = index;
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->TriggerScope(index);
    ResetCapture();
    m_reset = true;
    if (m_doc)
        m_doc->UpdateViews(HINT_SCOPE_SETTINGS, nullptr);
}

void CdocScope::SetGainbase(int index)
{
    m_gainbase = index;
    RedrawAll();
    if (m_doc)
        m_doc->UpdateViews(HINT_SCOPE_SETTINGS, nullptr);
}

void CdocScope::SetSensorRange(int choice)
{
    if (!m_doc)
        return;
    const int input = GetInput();
    CxhwSenCalibChoiceV list;
    GetInputInfo().FindCalibChoice(list, m_doc->m_boxInfo.m_info, false, true);
    if (choice < 0 || choice >= list.GetCount())
        return;
    if (CxhwBoxes* boxes = xhwGetBoxes()) {
        boxes->SetSensorCalibration(input, list[choice].m_index, list[choice].m_code);
        boxes->GetPublicInfo(m_doc->m_boxInfo);
    }
    if (m_doc->m_state == DOC_STATE_RUNNING) {
        m_doc->StopRun();
        StartNew();
    }
}

// ---- Axis menus ----------------------------------------------------------

int CdocScope::GetYModeCount() const
{
    if (!m_doc)
        return 1;
    CxhwSenCalibChoiceV list;
    GetInputInfo().FindCalibChoice(list, m_doc->m_boxInfo.m_info, false, true);
    return list.GetCount() >= 2 ? 2 : 1;
}

int CdocScope::GetYItemCount(int mode) const
{
    if (mode != 1 || !m_doc)
        return kGains;
    CxhwSenCalibChoiceV list;
    GetInputInfo().FindCalibChoice(list, m_doc->m_boxInfo.m_info, false, true);
    return list.GetCount();
}

wxString CdocScope::GetYItemText(int mode, int index) const
{
    if (mode != 1)
        return GetGainText(index, false);
    if (!m_doc)
        return wxString();
    CxhwSenCalibChoiceV list;
    GetInputInfo().FindCalibChoice(list, m_doc->m_boxInfo.m_info, false, true);
    return index >= 0 && index < list.GetCount() ? list[index].m_label : wxString();
}

void CdocScope::OnRangeChoice(int mode, int index)
{
    if (mode == 1)
        SetSensorRange(index);
    else if (index >= 0 && index < kGains)
        SetGainbase(index);
}
