#include "files/docFile.h"

#include "app/base/gumHelpers.h"
#include "document/docDoc.h"
#include "files/docStateSections.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xutSmartIdent.h"
#include "views/docTool.h"

#include <algorithm>
#include <climits>

namespace {

bool SplitInt(wxString& rest, int& value)
{
    wxString field;
    docSplitField(field, rest);
    return docParseInt(field, value);
}

bool SplitReal(wxString& rest, double& value)
{
    wxString field;
    docSplitField(field, rest);
    return docParseReal(field, value);
}

// The same along the line from pos, for lines of many fields.
bool IntAt(const wxString& line, size_t& pos, int& value)
{
    wxString field;
    docFieldAt(field, line, pos);
    return docParseInt(field, value);
}

bool RealAt(const wxString& line, size_t& pos, double& value)
{
    wxString field;
    docFieldAt(field, line, pos);
    return docParseReal(field, value);
}

} // namespace

CdocFieldKey CdocFile::ColumnRef(CdocDoc& doc, long n) const
{
    if (n < 0 || n >= m_columnCount)
        return CdocFieldKey();
    CdocFieldKey ref = m_columns[n];
    if (!doc.m_data.m_fields.Find(ref))
        return CdocFieldKey();
    return ref;
}

bool CdocFile::ReadSection(CdocDoc& doc, wxString rest)
{
    wxString section;
    wxString key;
    docSplitField(section, rest);
    docSplitField(key, rest);
    return ReadStateLine(doc, section, key, rest);
}

bool CdocFile::ReadStateLine(CdocDoc& doc, const wxString& section, const wxString& key, const wxString& value)
{
    auto is = [&section](const char* name) { return docSameName(section, name); };
    const bool fonts = doc.m_filePlatform == 2;
    if (is("Field") || is("FieldSensor") || is("FieldCalib"))
        return ReadFieldLine(doc, section, key, value);
    if (is("Doc"))
        return ReadDocKey(doc, key, value);
    if (is("Data"))
        return ReadDataLine(doc, key, value);
    if (is("Graph"))
        return ReadGraphLine(doc, key, value);
    if (is("Table"))
        return docReadStateKey(docTableKeys(doc.m_table), key, value, fonts);
    if (is("Setup"))
        return ReadSetupLine(doc, key, value);
    if (is("Annotation"))
        return ReadAnnotationLine(doc, value);
    if (is("Control"))
        return ReadControlLine(doc, key, value);
    if (is("Scope"))
        return docReadStateKey(docScopeKeys(doc.m_scope), key, value);
    if (is("Timing"))
        return ReadTimingLine(doc, key, value);
    if (is("TimerV")) {
        CdocTimer* timer = doc.m_timing.m_timers.AddTimer();
        if (!timer)
            return false;
        if (!timer->ParseLine(value)) {
            doc.m_timing.m_timers.DeleteTimer(timer);
            return false;
        }
        return true;
    }
    if (is("ToolNow") || is("ToolWas")) {
        CdocToolState& state = is("ToolNow") ? doc.m_tool.m_now : doc.m_tool.m_was;
        const int was = state.m_tool;
        const bool ok = docReadStateKey(docToolKeys(state), key, value);
        if (state.m_tool < 0 || state.m_tool > 6)
            state.m_tool = was;
        return ok;
    }
    if (is("BoxPublicInfo") || is("BoxInfo"))
        return ReadBoxLine(doc, section, key, value);
    if (is("SensorV"))
        return true;
    if (is("Sensor") || is("Calib"))
        return ReadBoxLine(doc, section, key, value);
    if (is("Calculate"))
        return ReadCalculateLine(doc, value);
    if (is("TriggeredSenCalib")) {
        wxString rest = value;
        int item = 0;
        if (!SplitInt(rest, item))
            return false;
        return docReadCalibKey(doc.m_setup.m_triggeredSenCalib, key, rest);
    }
    if (is("Predict"))
        return ReadPredictLine(doc, key, value);
    return true;
}

bool CdocFile::ReadFieldLine(CdocDoc& doc, const wxString& section, const wxString& key, wxString value)
{
    int n = 0;
    if (!SplitInt(value, n))
        return false;
    const bool field = docSameName(section, "Field");
    if (!field && doc.m_fileVersion <= 7 && n < INT_MAX)
        ++n; // older files counted these from 0
    CdocFieldV& fields = doc.m_data.m_fields;
    if (n < 1 || n > m_columnCount || n > fields.GetCount())
        return true;
    CdocField* channel = fields.Find(m_columns[n - 1]);
    if (!channel)
        return true;
    if (field)
        m_stateColumns = std::max(m_stateColumns, n);
    if (docSameName(section, "FieldSensor"))
        return docReadSensorKey(channel->m_fieldSensor, key, value);
    if (docSameName(section, "FieldCalib"))
        return docReadCalibKey(channel->m_fieldSensor.m_calib, key, value);

    const int places = channel->m_places;
    const int content = channel->m_content;
    const bool ok = docReadStateKey(docFieldKeys(*channel), key, value);
    // Places and content come back only within what the program can show.
    if (channel->m_places < 0 || channel->m_places > 5)
        channel->m_places = places;
    if (channel->m_content < CONTENT_NONE || channel->m_content > CONTENT_FORMULA)
        channel->m_content = content;
    if (doc.m_fileVersion < 3)
        channel->m_fieldEnable = channel->m_show;
    if (doc.m_fileVersion < 5)
        channel->m_counter = 131072;
    if (doc.m_fileVersion <= 5)
        channel->m_manualLogOverNull = true;
    return ok;
}

bool CdocFile::ReadDataLine(CdocDoc& doc, const wxString& key, const wxString& value)
{
    CdocData& d = doc.m_data;
    bool ok = true;
    if (docSameName(key, "MaxRecords") || docSameName(key, "Records")) {
        int n = 0;
        if (!docParseInt(value, n))
            return false;
        // The store holds DOC_MAX_SAMPLES records, and never fewer than none.
        n = std::clamp(n, 0, DOC_MAX_SAMPLES);
        if (docSameName(key, "Records"))
            d.SetRecords(n);
        else
            d.m_maxRecords = n;
    } else {
        const double interval = d.m_interval;
        // The record counts never come here: they are clamped above.
        ok = docReadStateKey(docDataKeys(d), key, value);
        if (d.m_interval < 0.0)
            d.m_interval = interval;
    }
    if (doc.m_fileVersion <= 1)
        d.m_logPeriod = d.m_interval > 0.0 ? d.m_interval : 0.1;
    return ok;
}

bool CdocFile::ReadGraphLine(CdocDoc& doc, const wxString& key, const wxString& value)
{
    CdocGraph& g = doc.m_graph;
    CdocFieldKey* axis = nullptr;
    if (docSameName(key, "AxisX"))
        axis = &g.m_axisX;
    else if (docSameName(key, "AxisL"))
        axis = &g.m_axisL;
    else if (docSameName(key, "AxisR"))
        axis = &g.m_axisR;
    if (axis) {
        int n = 0;
        if (!docParseInt(value, n))
            return false;
        *axis = ColumnRef(doc, n);
        return true;
    }
    const bool ok = docReadStateKey(
        {
            {"Font", STATE_FONT, &g.m_font, true},
            {"Lines", STATE_FLAG, &g.m_lines, true},
            {"Points", STATE_FLAG, &g.m_points, true},
            {"Bars", STATE_FLAG, &g.m_bars, true},
            {"Heavy", STATE_FLAG, &g.m_heavy, true},
            {"Title", STATE_FLAG, &g.m_title, true},
            {"Grid", STATE_FLAG, &g.m_grid, true},
            {"Best", STATE_FLAG, &g.m_best, true},
            {"ScaleZoomed", STATE_INT64, &g.m_scaleZoomed, true},
        },
        key, value, doc.m_filePlatform == 2);
    if (docSameName(key, "ScaleZoomed"))
        g.m_scaleZoomed = g.m_scaleZoomed != 0 ? 1 : 0;
    return ok;
}

bool CdocFile::ReadSetupLine(CdocDoc& doc, const wxString& key, const wxString& value)
{
    // Read into a copy: values a run could not use leave the set-up as it was.
    CxhwSetup setup = doc.m_setup;
    const bool ok = docReadStateKey(docSetupKeys(setup, true), key, value) &&
                    docReadStateKey(docSetupKeys(setup, false), key, value);
    const bool sound = setup.m_setup >= SETUP_LOG_PERIODIC && setup.m_setup <= SETUP_LOG_TIMING &&
                       setup.m_readings >= 101 && setup.m_readings <= DOC_MAX_SAMPLES &&
                       setup.m_measurement >= 1 && setup.m_measurement <= 7 && setup.m_timingSensor >= 0 &&
                       setup.m_timingSensor <= 2 && std::isfinite(setup.m_period) && setup.m_period > 0.0 &&
                       setup.m_bars >= 0 && setup.m_bars <= DOC_MAX_SAMPLES;
    if (ok && sound)
        doc.m_setup = setup;
    if (doc.m_fileVersion <= 9)
        doc.m_setup.m_triggeredCalibIdx = -1;
    return ok && sound;
}

bool CdocFile::ReadTimingLine(CdocDoc& doc, const wxString& key, const wxString& value)
{
    CdocTiming& t = doc.m_timing;
    auto numbered = [&](const char* name, int count) { return docSameName(key, name) ? count : 0; };
    const int count = numbered("Delta", 3) + numbered("Measurement", 6) + numbered("MeasurementReady", 6) +
                      numbered("CardCount", 6);
    if (count > 0) {
        wxString rest = value;
        int item = 0;
        if (!SplitInt(rest, item))
            return false;
        if (item < 0 || item >= count)
            return true;
        if (docSameName(key, "Delta"))
            return docParseReal(rest, t.m_delta[item]);
        if (docSameName(key, "Measurement"))
            return docParseReal(rest, t.m_measurement[item]);
        int n = 0;
        if (!docParseInt(rest, n))
            return false;
        if (docSameName(key, "MeasurementReady"))
            t.m_measurementReady[item] = n != 0;
        else
            t.m_cardCount[item] = n;
        return true;
    }
    bool single = t.m_sameInput;
    const int events = t.m_eventsNeeded;
    const bool ok = docReadStateKey(docTimingKeys(t, single), key, value);
    t.m_sameInput = single;
    if (t.m_eventsNeeded < 1 || t.m_eventsNeeded > 5)
        t.m_eventsNeeded = events;
    if (t.m_input < 0 || t.m_input > 5)
        t.m_input = 0;
    return ok;
}

bool CdocFile::ReadBoxLine(CdocDoc& doc, const wxString& section, const wxString& key, wxString value)
{
    CxutBoxPublicInfo& info = doc.m_boxInfo;
    if (docSameName(section, "BoxPublicInfo"))
        return docReadStateKey(docBoxPublicInfoKeys(info), key, value);
    if (docSameName(section, "BoxInfo")) {
        const CxutBoxInfo was = info.m_info;
        const bool ok = docReadStateKey(docBoxInfoKeys(info.m_info), key, value);
        if (info.m_info.m_maxSensors < 0 || info.m_info.m_maxSensors > CxhwSensorV::kCount ||
            info.m_info.m_hardware < 0 || info.m_info.m_hardware > 14) {
            info.m_info = was;
            return false;
        }
        return ok;
    }
    int input = 0;
    if (!SplitInt(value, input))
        return false;
    if (input < 0 || input >= CxhwSensorV::kCount)
        return true;
    CxhwSensor& sensor = info.m_sensors[input];
    if (docSameName(section, "Calib"))
        return docReadCalibKey(sensor.m_calib, key, value);
    return docReadSensorKey(sensor, key, value);
}

bool CdocFile::ReadAnnotationLine(CdocDoc& doc, wxString value)
{
    int x = 0;
    int y = 0;
    double px = 0.0;
    double py = 0.0;
    if (!SplitInt(value, x) || !SplitInt(value, y) || !SplitReal(value, px) || !SplitReal(value, py))
        return false;
    CdocAnnotations& annotations = doc.m_annotations;
    const int i = annotations.Add();
    if (i < 0 || i >= DOC_MAX_ANNOTATIONS)
        return true; // full: the line is dropped
    CdocAnnotation& a = annotations.m_slots[size_t(i)];
    a.m_fieldX = ColumnRef(doc, x);
    a.m_fieldY = ColumnRef(doc, y);
    a.m_x = docFiniteOrNoValue(px);
    a.m_y = docFiniteOrNoValue(py);
    a.m_text = value;
    return true;
}

bool CdocFile::ReadControlLine(CdocDoc& doc, const wxString& key, wxString value)
{
    int number = 0;
    if (!docParseInt(key, number))
        return false;
    if (number < 0 || number >= DOC_MAX_OUTPUT_RULES)
        return true;
    int enabled = 0;
    int reserved = 0;
    int column = 0;
    int above = 0;
    double threshold = 0.0;
    if (!SplitInt(value, enabled) || !SplitInt(value, reserved) || !SplitInt(value, column) ||
        !SplitInt(value, above) || !SplitReal(value, threshold))
        return false;
    CdocControlItem& rule = doc.m_control.m_rules[size_t(number)];
    rule.m_enabled = enabled != 0;
    rule.m_reserved = reserved;
    rule.m_field = ColumnRef(doc, column);
    rule.m_above = above != 0;
    rule.m_threshold = docFiniteOrNoValue(threshold);
    rule.m_thresholdText = value;
    return true;
}

bool CdocFile::ReadCalculateLine(CdocDoc& doc, const wxString& value)
{
    CdocCalc calc;
    int order = 0;
    int column = 0;
    double last = 0.0;
    int count = 0;
    size_t pos = 0;
    if (!IntAt(value, pos, order) || !IntAt(value, pos, column) || !RealAt(value, pos, last) ||
        !IntAt(value, pos, count))
        return false;
    if (count < 0 || count > DOC_MAX_CALC_TOKENS)
        return false;
    calc.m_order = order;
    calc.m_field = ColumnRef(doc, column);
    for (int i = 0; i < count; ++i) {
        int kind = 0;
        int ref = 0;
        wxString text;
        if (!IntAt(value, pos, kind) || !IntAt(value, pos, ref))
            return false;
        if (kind < CALC_TOKEN_NONE || kind > CALC_TOKEN_SQRT)
            return false;
        docFieldAt(text, value, pos);
        CdocCalcToken& token = calc.m_tokens.m_tokens[i];
        token.m_kind = CdocCalcTokenKind(kind);
        token.m_field = kind == CALC_TOKEN_CHANNEL ? ColumnRef(doc, ref) : CdocFieldKey();
        token.m_text = text;
    }
    calc.m_tokens.m_count = count;
    if (!calc.Parse())
        return false;
    CdocCalcs& calcs = doc.m_calcs;
    if (calcs.m_count >= DOC_MAX_CALCS)
        return true; // full: the line is dropped
    const int i = calcs.Add(1);
    CdocCalc* slot = i >= 0 ? calcs.GetAt(i) : nullptr;
    if (!slot)
        return true;
    *slot = calc;
    return true;
}

bool CdocFile::ReadPredictLine(CdocDoc& doc, const wxString& key, const wxString& value)
{
    CdocPredict& p = doc.m_predict;
    if (docSameName(key, "FieldX") || docSameName(key, "FieldY")) {
        int n = 0;
        if (!docParseInt(value, n))
            return false;
        (docSameName(key, "FieldX") ? p.m_fieldX : p.m_fieldY) = ColumnRef(doc, n);
        return true;
    }
    if (!docSameName(key, "Points"))
        return true;
    for (size_t pos = 0; pos < value.length();) {
        double x = 0.0;
        double y = 0.0;
        if (!RealAt(value, pos, x))
            return true;
        if (!RealAt(value, pos, y))
            return false;
        if (!p.AddPoint(float(x), float(y)))
            return true; // full
    }
    return true;
}

void CdocFile::UpgradeBoxInfo(CdocDoc& doc, CxutBoxPublicInfo& info)
{
    if (doc.m_fileVersion > 8)
        return;
    const int type = info.m_info.m_hardware;
    int mask = 0;
    if (type == 6)
        mask = 63;
    else if (type == 7)
        mask = info.m_info.m_maxSensors <= 0 ? 0 : (1 << std::min(info.m_info.m_maxSensors, 6)) - 1;
    else if (type == 10 || type == 11)
        mask = 15;
    else if (type == 12 || type == 13)
        mask = 1;
    else if (type >= 2 && type <= 14)
        mask = 7;
    info.m_boxTimingMask = mask;
    info.m_boxTimingIdentify = xhwGetTimingIdentify(info.m_info, info.m_sensors, mask);
    const double tick = xhwGetTimingTickMicroseconds(type);
    info.m_boxTimingTicksPerSecond = tick > 0.0 ? 1000000.0 / tick : 0.0;
}

void CdocFile::AfterReadingState(CdocDoc& doc)
{
    doc.m_setup.UpdateBarsTotal(false);
    UpgradeBoxInfo(doc, doc.m_boxInfo);
    CdocFieldV& fields = doc.m_data.m_fields;
    if (doc.m_fileVersion <= 3) {
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (!field || field->m_content != CONTENT_SENSOR)
                continue;
            field->m_hardware = doc.m_boxInfo.m_info.m_hardware;
            if (field->m_socket >= 0 && field->m_socket < CxhwSensorV::kCount)
                field->m_fieldSensor.Assign(doc.m_boxInfo.m_sensors[field->m_socket]);
        }
    }
    if ((doc.m_fileVersion == 9 || doc.m_fileVersion == 10) && doc.m_boxInfo.m_info.m_hardware == 7) {
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (field && field->m_content == CONTENT_SENSOR)
                xutUpgradeSensorIdents(field->m_fieldSensor);
        }
        for (int i = 0; i < CxhwSensorV::kCount; ++i)
            xutUpgradeSensorIdents(doc.m_boxInfo.m_sensors[i]);
        xutUpgradeCalibIdents(doc.m_setup.m_triggeredSenCalib);
    }
}
