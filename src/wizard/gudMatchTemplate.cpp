#include "wizard/gudMatchTemplate.h"

#include "app/base/gumResCore.h"
#include "data/docData.h"
#include "document/docDoc.h"
#include "document/docHint.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSenFile.h"

#include <algorithm>

namespace {

constexpr int kSockets = CxhwSensorV::kCount;

bool IsSocket(int n) { return n >= 0 && n < kSockets; }

// The first calibration choice a record offers on its own, without the
// logger's alternatives; false when it offers none.
bool FirstChoice(const CxutBoxPublicInfo& info, int input, CxhwSenCalibChoice& choice)
{
    if (!IsSocket(input))
        return false;
    CxhwSenCalibChoiceV choices;
    choices.Build(info.m_info, info.m_sensors[input], false, false, true, 0.0, false, false);
    if (choices.GetCount() < 1)
        return false;
    choice = choices[0];
    return true;
}

bool HasSensor(const CxutBoxPublicInfo& info, int n, bool timing)
{
    if (timing)
        return (info.m_boxTimingIdentify >> n) & 1;
    const CxhwSensor& sensor = info.m_sensors[n];
    return sensor.m_enable && sensor.m_idCode != 0;
}

void RefreshConnected(CdocDoc& doc)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(doc.m_boxInfo);
}

// The four routines differ in their start code and in the start routine
// they end with; the result is the start routine's, or declined.
enum MatchResult
{
    MATCH_STARTED,
    MATCH_DECLINED,
};

MatchResult PairAndApply(CdocDoc& doc, int code, int& result)
{
    gudMatchRefresh(doc);
    if (!gudMatchAllMatched(doc) && !doc.RunMatchDialog())
        return MATCH_DECLINED;
    doc.m_matchCode = code;
    doc.m_matchRebuilt = false;
    gudApplySensorEnables(doc);
    if (doc.m_activity != ACTIVITY_TIMING) {
        gudApplyCalibrations(doc);
        gudRemapOutputRules(doc);
    }
    switch (code) {
    case START_CODE_OVERLAID: result = doc.StartOverlaid(); break;
    case START_CODE_REPLACING: result = doc.StartReplacing(); break;
    default: result = doc.StartContinue(); break;
    }
    doc.m_matchCode = START_CODE_NONE;
    return MATCH_STARTED;
}

} // namespace

// ---- The routines ----------------------------------------------------------

bool gudMatchTemplate(CdocDoc& doc)
{
    int result = 0;
    return PairAndApply(doc, START_CODE_PREPARE, result) == MATCH_STARTED;
}

int gudMatchAndStartByCode(CdocDoc& doc, int code)
{
    if (code != START_CODE_OVERLAID && code != START_CODE_REPLACING)
        code = START_CODE_START;
    int result = 0;
    if (PairAndApply(doc, code, result) == MATCH_DECLINED)
        return 1;
    return result;
}

int gudMatchAndStart(CdocDoc& doc) { return gudMatchAndStartByCode(doc, START_CODE_START); }

int gudMatchAndStartOverlay(CdocDoc& doc) { return gudMatchAndStartByCode(doc, START_CODE_OVERLAID); }

int gudMatchAndStartReplace(CdocDoc& doc) { return gudMatchAndStartByCode(doc, START_CODE_REPLACING); }

// ---- Pairing ----------------------------------------------------------------

void gudMatchRefresh(CdocDoc& doc)
{
    RefreshConnected(doc);
    gudMatchResetMaps(doc);
    gudMatchPass(doc, true, true, true);
    gudMatchPass(doc, true, true, false);
    gudMatchPass(doc, false, false, false);
}

void gudMatchResetMaps(CdocDoc& doc)
{
    const bool timing = doc.m_activity == ACTIVITY_TIMING;
    for (int i = 0; i < kSockets; ++i) {
        doc.m_matchInput[i] = -1;
        doc.m_matchSocket[i] = -1;
        doc.m_matchKept[i] = false;
        doc.m_storedPresent[i] = HasSensor(doc.m_fileBoxInfo, i, timing);
        doc.m_connectedPresent[i] = HasSensor(doc.m_boxInfo, i, timing);
    }
}

void gudMatchPass(CdocDoc& doc, bool compare, bool label, bool range)
{
    const bool timing = doc.m_activity == ACTIVITY_TIMING;
    for (int i = 0; i < kSockets; ++i) {
        if (!doc.m_storedPresent[i] || doc.m_matchInput[i] >= 0)
            continue;
        for (int j = 0; j < kSockets; ++j) {
            if (!doc.m_connectedPresent[j] || doc.m_matchSocket[j] >= 0)
                continue;
            CxhwSenCalibChoice choice;
            if (compare && !gudCompareSensor(choice, doc.m_boxInfo, j, doc.m_fileBoxInfo, i, label, range))
                continue;
            doc.m_matchInput[i] = j;
            doc.m_matchSocket[j] = i;
            doc.m_matchKept[i] = compare || timing;
            break;
        }
    }
}

bool gudCompareSensor(CxhwSenCalibChoice& choice, const CxutBoxPublicInfo& connected, int input,
                      const CxutBoxPublicInfo& recorded, int socket, bool label, bool range)
{
    if (!IsSocket(input) || !IsSocket(socket))
        return false;
    if (label && gudPairingLabel(connected, input) != gudPairingLabel(recorded, socket))
        return false;
    const CxhwSenFile* database = xhwGetSenFile();
    if (!database)
        return false;
    const CxhwSensor& now = connected.m_sensors[input];
    const CxhwSensor& stored = recorded.m_sensors[socket];
    CxhwSenCalibChoiceV choices;
    choices.Build(connected.m_info, now, true, true, true, 0.0, false, false);
    for (int c = 0; c < choices.GetCount(); ++c) {
        const CxhwSenCalibChoice& candidate = choices[c];
        CxhwSenCalib calib;
        database->GetCalib(calib, candidate.m_index);
        const int type = candidate.m_code == CxhwSenCalibChoice::kOwnType ? now.m_idType : candidate.m_code;
        if (type != stored.m_calType || calib.m_units != stored.m_calib.m_units)
            continue;
        if (label && calib.m_name != stored.m_calib.m_name)
            continue;
        if (range && (calib.m_defMax != stored.m_calib.m_defMax || calib.m_defMin != stored.m_calib.m_defMin))
            continue;
        choice = candidate;
        return true;
    }
    return false;
}

bool gudMatchAllMatched(const CdocDoc& doc)
{
    const CxhwSensorV& now = doc.m_boxInfo.m_sensors;
    const CxhwSensorV& stored = doc.m_fileBoxInfo.m_sensors;
    for (int i = 0; i < kSockets; ++i) {
        if (doc.m_storedPresent[i]
            && (doc.m_matchInput[i] != i || !doc.m_matchKept[i] || now[i].m_idType != stored[i].m_idType))
            return false;
        if (doc.m_connectedPresent[i] && doc.m_matchSocket[i] < 0 && now[i].m_idType != stored[i].m_idType)
            return false;
    }
    return true;
}

bool gudMatchAllKept(const CdocDoc& doc)
{
    for (int i = 0; i < kSockets; ++i)
        if (doc.m_storedPresent[i] && (doc.m_matchInput[i] < 0 || !doc.m_matchKept[i]))
            return false;
    return true;
}

// ---- Applying the pairing -----------------------------------------------------

void gudApplySensorEnables(CdocDoc& doc)
{
    CxhwBoxes* boxes = xhwGetBoxes();
    for (int j = 0; j < kSockets; ++j) {
        const int socket = doc.m_matchSocket[j];
        const bool wanted = IsSocket(socket) && doc.m_storedPresent[socket];
        if (doc.m_boxInfo.m_sensors[j].m_enable == wanted || !boxes)
            continue;
        boxes->SetSensorEnable(j, wanted);
        RefreshConnected(doc);
    }
}

void gudApplyCalibrations(CdocDoc& doc)
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (!boxes)
        return;
    for (int i = 0; i < kSockets; ++i) {
        const int input = doc.m_matchInput[i];
        if (!doc.m_matchKept[i] || !IsSocket(input))
            continue;
        CxhwSenCalibChoice choice;
        if (!gudCompareSensor(choice, doc.m_boxInfo, input, doc.m_fileBoxInfo, i, true, true)
            && !gudCompareSensor(choice, doc.m_boxInfo, input, doc.m_fileBoxInfo, i, true, false))
            continue;
        boxes->SetSensorCalibration(input, choice.m_index, choice.m_code);
        RefreshConnected(doc);
    }
}

void gudRemapOutputRules(CdocDoc& doc)
{
    const auto rules = doc.m_control.m_rules;
    for (CdocControlItem& rule : doc.m_control.m_rules)
        rule.Reset();
    for (int k = 0; k < kSockets; ++k) {
        const int m = doc.m_matchInput[k];
        if (!IsSocket(m) || m >= DOC_MAX_OUTPUT_RULES)
            continue;
        if (doc.m_fileBoxInfo.m_sensors[k].IsControl() && doc.m_boxInfo.m_sensors[m].IsControl())
            doc.m_control.m_rules[size_t(m)] = rules[size_t(k)];
    }
}

// Every channel is looked up before any is removed, and a removal tells the
// table where the channel stands at that moment: earlier removals move the
// later channels up.
bool gudRefreshSensorChannels(CdocData& data, const CxhwSensor* sensors, int count)
{
    CdocDoc* doc = data.m_doc;
    if (!doc || doc->m_matchRebuilt)
        return true;
    doc->m_matchRebuilt = true;
    count = sensors ? std::clamp(count, 0, kSockets) : 0;
    const bool timing = doc->m_activity == ACTIVITY_TIMING;
    CdocFieldV& fields = data.m_fields;
    CdocFieldKey keys[kSockets];
    bool found[kSockets];
    for (int i = 0; i < kSockets; ++i)
        found[i] = fields.FindSensor(keys[i], i);
    for (int i = 0; i < kSockets; ++i) {
        if (!found[i])
            continue;
        CdocField* field = fields.Find(keys[i]);
        if (!field)
            continue;
        const int input = doc->m_matchInput[i];
        if (input < 0 || input >= count) {
            fields.RemoveAt(keys[i].m_index);
            data.PostChange(TABLE_COLS_DELETED, keys[i].m_index, 1);
            continue;
        }
        field->RefreshSensor(input, sensors[input], timing, doc->m_matchKept[i]);
        doc->UpdateViews(HINT_CHANNEL_LAYOUT, nullptr);
    }
    return true;
}

// ---- Texts -------------------------------------------------------------------

wxString gudPairingLabel(const CxutBoxPublicInfo& info, int input)
{
    if (!IsSocket(input))
        return wxString();
    const CxhwSensor& sensor = info.m_sensors[input];
    if (sensor.m_idCode >= 256)
        return sensor.m_tpName;
    wxString name;
    CxhwSenCalibChoice choice;
    const CxhwSenFile* database = xhwGetSenFile();
    if (database && FirstChoice(info, input, choice))
        database->GetSensorName(name, choice.m_index);
    return name;
}

bool gudStoredSensorText(const CxutBoxPublicInfo& recorded, int socket, wxString& name, wxString& icon)
{
    name.clear();
    icon.clear();
    if (!IsSocket(socket))
        return false;
    const CxhwSensor& sensor = recorded.m_sensors[socket];
    if (sensor.m_idCode >= 256) {
        name = sensor.m_tpName;
        icon = sensor.m_tpIcon;
        return true;
    }
    CxhwSenCalibChoice choice;
    const CxhwSenFile* database = xhwGetSenFile();
    if (!database || !FirstChoice(recorded, socket, choice))
        return false;
    database->GetSensorName(name, choice.m_index);
    database->GetSensorIcon(icon, choice.m_index);
    return true;
}

bool gudConnectedSensorText(const CxutBoxPublicInfo& connected, int input, bool kept, wxString& text,
                            wxString& icon)
{
    text.clear();
    icon.clear();
    CxhwSenCalibChoice choice;
    const CxhwSenFile* database = xhwGetSenFile();
    if (!database || !FirstChoice(connected, input, choice))
        return false;
    const wxString inputLabel = gumGetString(32) + wxString::Format(" %d", input + 1);
    if (kept) {
        text = inputLabel;
        icon = "Tick";
        return true;
    }
    CxhwSenCalib calib;
    database->GetCalib(calib, choice.m_index);
    text = calib.m_name + ", " + calib.m_units + ", " + inputLabel;
    icon = calib.m_icon;
    return true;
}
