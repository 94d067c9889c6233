#include "hardware/xhwSenCalibChoiceV.h"

#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartSenDef.h"
#include "protocol/xutBoxInfo.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

// An alternative type the logger can measure a classic input as: the code
// sent to the logger, the firmware feature it needs, the database ident its
// calibrations are listed under, and the two sensor types whose own
// calibration is already the first of them.
struct Alternative
{
    int code;
    int feature;
    int ident;
    bool isCode1;
    int ownTypeA;
    int ownTypeB;
};

constexpr Alternative kFirstBank[] = {
    {3, 103, 17, false, 3, 18}, {1, 101, 177, true, 1, 19},   {9, 109, 16, false, 9, 20},
    {5, 105, 13, false, 5, 21}, {11, 111, 187, false, 11, 22},
};

constexpr Alternative kSecondBank[] = {
    {131, 203, 17, false, 3, 18}, {129, 201, 177, true, 1, 19},   {137, 209, 16, false, 9, 20},
    {133, 205, 13, false, 5, 21}, {139, 211, 187, false, 11, 22},
};

bool IsBetween(int v, int low, int high) { return v >= low && v <= high; }

} // namespace

void CxhwSenCalibChoiceV::Build(const CxutBoxInfo& logger, const CxhwSensor& sensor,
                                bool alternatives, bool code1Allowed, bool any,
                                double code1Parameter, bool trigger, bool scope)
{
    m_count = 0;
    const int c = sensor.m_idCode;
    const int t = sensor.m_idType;
    Add(logger, CxhwSenCalibChoice::kOwnType, c, wxString(), 0, any, trigger, scope, false);
    // An empty input (ident 0) is not measured, so it has nothing to offer.
    if (c <= 0 || c >= 256 || !alternatives)
        return;

    wxString code1Label = gumGetString(491);
    if (code1Parameter > 0.0) {
        wxString number;
        gumFormatDouble(number, code1Parameter);
        code1Label += " (" + number + gumGetString(1249) + ")";
    }
    auto addAll = [&](const Alternative (&table)[5], int type) {
        for (const Alternative& a : table) {
            if (!xutHasFeature(a.feature, logger) || (a.isCode1 && !code1Allowed))
                continue;
            const int skip = type == a.ownTypeA || type == a.ownTypeB ? 1 : 0;
            Add(logger, a.code, a.ident, a.isCode1 ? code1Label : wxString(), skip, true, true,
                true, false);
        }
    };
    if (t < 128 && !IsBetween(t, 11, 15)) {
        if (xutHasFeature(107, logger) && (t == 2 || t == 24))
            Add(logger, 7, c, wxString(), 0, true, true, true, false);
        if (xutHasFeature(102, logger) && (t == 4 || t == 7 || t == 23))
            Add(logger, 2, c, wxString(), 0, true, true, true, false);
        addAll(kFirstBank, t);
    }
    if (t > 128 && !IsBetween(t, 139, 143))
        addAll(kSecondBank, t & 0x7F);
}

void CxhwSenCalibChoiceV::BuildTiming(const CxutBoxInfo& logger, const CxhwSensor& sensor)
{
    m_count = 0;
    const int t = sensor.m_idType;
    if (sensor.m_idCode >= 256)
        Add(logger, CxhwSenCalibChoice::kOwnType, sensor.m_idCode, wxString(), 0, false, false,
            false, true);
    else if (t < 128 && !IsBetween(t, 11, 15) && xutHasFeature(103, logger))
        Add(logger, 3, 17, wxString(), 0, true, true, true, false);
    else if (t > 128 && !IsBetween(t, 139, 143) && xutHasFeature(203, logger))
        Add(logger, 131, 17, wxString(), 0, true, true, true, false);
}

void CxhwSenCalibChoiceV::Add(const CxutBoxInfo& logger, int code, int ident,
                              const wxString& label, int skip, bool any, bool trigger, bool scope,
                              bool timing)
{
    const CxhwSenFile* database = xhwGetSenFile();
    if (!database)
        return;
    if (code == 129 && xutHasFeature(9, logger))
        code = 136;
    // A definition block may name one range twice in a list, which would send
    // the walk round in a circle: each calibration is visited once.
    std::vector<int> visited;
    int g = database->FindNext(ident, -1, any, trigger, scope, timing);
    for (int i = 0; g != -1 && m_count < kMaxChoices; ++i) {
        if (i >= skip) {
            CxhwSenCalibChoice& choice = m_choices[m_count++];
            choice.m_index = g;
            choice.m_ident = ident;
            choice.m_code = code;
            choice.m_label = label;
            if (ident <= 0 || label.empty())
                database->GetCalibLabel(choice.m_label, g, code, true);
            if (choice.m_label.empty())
                choice.m_label = " ";
            if (ident >= 256) {
                const CxutSmartSenDef* def =
                    database->GetSmartDefs().GetDef(xutGetSmartIdentInput(g));
                choice.m_code = def ? def->GetRangeCalType(xutGetSmartIdentRange(g)) : 7;
            }
        }
        if (ident <= 0)
            return;
        visited.push_back(g);
        g = database->FindNext(ident, g, any, trigger, scope, timing);
        if (std::find(visited.begin(), visited.end(), g) != visited.end())
            return;
    }
}

bool CxhwSenCalibChoiceV::IsSelected(const CxhwSensor& sensor, int i) const
{
    if (i < 0 || i >= m_count)
        return false;
    const CxhwSenCalibChoice& choice = m_choices[i];
    if (choice.m_ident != sensor.m_calib.m_ident || choice.m_index != sensor.m_calib.m_index)
        return false;
    if (choice.m_code == CxhwSenCalibChoice::kOwnType)
        return (sensor.m_calType & 0x1F) == (sensor.m_idType & 0x1F);
    return choice.m_code == sensor.m_calType;
}

int CxhwSenCalibChoiceV::FindCurrent(const CxhwSensor& sensor) const
{
    for (int i = 0; i < m_count; ++i)
        if (IsSelected(sensor, i))
            return i;
    return -1;
}

template <typename Test>
int CxhwSenCalibChoiceV::FindNearest(const CxhwSensor& sensor, bool ownPasses, bool fallBack,
                                     Test passes) const
{
    if (m_count == 0)
        return -1;
    if (ownPasses) {
        const int current = FindCurrent(sensor);
        if (current >= 0)
            return current;
    }
    const CxhwSenFile* database = xhwGetSenFile();
    const CxhwSenCalib& own = sensor.m_calib;
    int best = -1;
    float bestDistance = 0.0f;
    int firstPassing = -1;
    for (int i = 0; i < m_count; ++i) {
        CxhwSenCalib calib;
        if (database)
            database->GetCalib(calib, m_choices[i].m_index);
        if (!passes(calib, m_choices[i].m_code))
            continue;
        if (firstPassing < 0)
            firstPassing = i;
        if (calib.m_units != own.m_units)
            continue;
        const float distance =
            std::fabs(own.m_defMax - calib.m_defMax) * std::fabs(own.m_defMin - calib.m_defMin);
        // Ties keep the first; a distance that is not a number never wins.
        if (best < 0 || distance < bestDistance
            || (std::isnan(bestDistance) && !std::isnan(distance))) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best >= 0)
        return best;
    return fallBack ? firstPassing : -1;
}

int CxhwSenCalibChoiceV::FindBest(const CxhwSensor& sensor, bool fallBack) const
{
    return FindNearest(sensor, sensor.IsCalTypeNative(), fallBack,
                       [&sensor](const CxhwSenCalib&, int code) {
                           return sensor.IsCodeNative(code);
                       });
}

int CxhwSenCalibChoiceV::FindBestAny(const CxhwSensor& sensor, bool fallBack) const
{
    return FindNearest(sensor, true, fallBack, [](const CxhwSenCalib&, int) { return true; });
}

int CxhwSenCalibChoiceV::FindBestTrigScope(const CxhwSensor& sensor, bool fallBack,
                                           bool scope) const
{
    if (scope)
        return FindNearest(sensor, sensor.CanScope(), fallBack,
                           [&sensor](const CxhwSenCalib& calib, int code) {
                               return sensor.CanScopeWith(calib, code);
                           });
    return FindNearest(sensor, sensor.CanTrigger(), fallBack,
                       [&sensor](const CxhwSenCalib& calib, int code) {
                           return sensor.CanTriggerWith(calib, code);
                       });
}

int CxhwSenCalibChoiceV::FindBestTiming(const CxutBoxInfo& logger, const CxhwSensor& sensor,
                                        bool fallBack) const
{
    return FindNearest(sensor, sensor.CanTimeNow(logger), fallBack,
                       [&sensor, &logger](const CxhwSenCalib& calib, int code) {
                           return sensor.CanTimeWith(logger, calib, code);
                       });
}
