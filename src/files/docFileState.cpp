#include "files/docFile.h"

#include "app/base/gumHelpers.h"
#include "document/docDoc.h"
#include "files/docStateSections.h"
#include "views/docTool.h"

#include <algorithm>

namespace {

const char* const kMarker = "%%Quorvanti";

wxString Real(double value)
{
    wxString text;
    gumFormatDouble(text, value);
    return text;
}

} // namespace

void CdocFile::WriteStateText(const wxString& section, const wxString& key, const wxString& value)
{
    WriteLine(wxString(kMarker) + "," + section + "," + key + "," + value);
}

void CdocFile::WriteKeys(const wxString& section, const CdocStateKeys& keys, int item)
{
    for (const CdocStateKey& key : keys)
        WriteStateText(section, key.m_key, docFormatStateValue(key, item));
}

int CdocFile::ColumnOf(const CdocFieldKey& ref) const
{
    if (ref.IsEmpty())
        return -1;
    for (int i = 0; i < m_columnCount; ++i)
        if (m_columns[i].m_key == ref.m_key)
            return i;
    return -1;
}

void CdocFile::WriteState(CdocDoc& doc)
{
    int state = doc.m_state;
    int activity = doc.m_activity;
    int colours = doc.m_colours;
    int autoScroll = doc.m_autoScroll;
    int autoScrollPending = doc.m_autoScrollPending;
    int autoScrollCount = doc.m_autoScrollCount;
    int platform = 2;
    int version = DOC_VERSION;
    WriteKeys("Doc", {
                         {"Platform", STATE_INT, &platform, true},
                         {"Version", STATE_INT, &version, true},
                         {"State", STATE_INT, &state, false},
                         {"Activity", STATE_INT, &activity, true},
                         {"Overlay", STATE_FLAG, &doc.m_overlay, true},
                         {"UnsavedData", STATE_FLAG, &doc.m_unsavedData, false},
                         {"TimerRecursionLock", STATE_FLAG, &doc.m_timerRecursionLock, false},
                         {"WaitingForFind", STATE_FLAG, &doc.m_waitingForFind, false},
                         {"Colours", STATE_INT, &colours, true},
                         {"ViewTitle", STATE_FLAG, &doc.m_viewTitle, true},
                         {"ViewTable", STATE_FLAG, &doc.m_viewTable, true},
                         {"ViewGauge", STATE_FLAG, &doc.m_viewGauge, true},
                         {"ViewDigits", STATE_FLAG, &doc.m_viewDigits, true},
                         {"ViewTimeAndDate", STATE_FLAG, &doc.m_viewTimeAndDate, true},
                         {"GraphTimeAndDate", STATE_FLAG, &doc.m_graphTimeAndDate, true},
                         {"AutoScroll", STATE_INT, &autoScroll, false},
                         {"AutoScrollPending", STATE_INT, &autoScrollPending, false},
                         {"AutoScrollCount", STATE_INT, &autoScrollCount, false},
                         {"DefaultTitle", STATE_TEXT, &doc.m_defaultTitle, false},
                         {"Title", STATE_TEXT, &doc.m_title, true},
                     });
    WriteDataSection(doc);
    WriteGraphSection(doc);
    WriteTableSection(doc);
    WriteSetupSection(doc);
    for (int i = 0; i < std::min(doc.m_annotations.m_count, DOC_MAX_ANNOTATIONS); ++i)
        WriteAnnotationLine(doc.m_annotations.m_slots[size_t(i)], i);
    for (int i = 0; i < DOC_MAX_OUTPUT_RULES; ++i)
        WriteControlLine(doc.m_control.m_rules[size_t(i)], i);
    WriteScopeSection(doc);
    WriteTimingSection(doc);
    WriteToolSection(doc);
    // Data from a file keeps the description of the logger that recorded it
    // until a run replaces the data, whatever logger is connected now.
    CxutBoxPublicInfo recorded = doc.m_data.m_dataSource == DATA_SOURCE_FILE ? doc.m_fileBoxInfo : doc.m_boxInfo;
    WriteBoxPublicInfoSection(recorded);
    for (int i = 0; i < doc.m_calcs.m_count; ++i)
        if (const CdocCalc* calc = doc.m_calcs.GetAt(i))
            WriteCalculateLine(*calc, i);
    WritePredictSection(doc);
}

void CdocFile::WriteDataSection(CdocDoc& doc)
{
    CdocData& d = doc.m_data;
    WriteKeys("Data", docDataKeys(d));
    for (int i = 0; i < m_columnCount; ++i)
        if (CdocField* field = d.m_fields.Find(m_columns[i]))
            WriteFieldSection(*field, i);
}

CdocStateKeys docFieldKeys(CdocField& f)
{
    return {
        {"Key", STATE_INT, &f.m_key, false},
        {"Current", STATE_FLOAT, &f.m_current, true},
        // Whole, not "%g": a count of a million and more must read back.
        {"Counter", STATE_INT, &f.m_counter, true},
        {"Content", STATE_INT, &f.m_content, true},
        {"Name", STATE_TEXT, &f.m_name, true},
        {"Unit", STATE_TEXT, &f.m_unit, true},
        {"Descript", STATE_TEXT, &f.m_descript, true},
        {"Colour", STATE_COLOUR, &f.m_colour, true},
        {"Places", STATE_INT, &f.m_places, true},
        {"Hardware", STATE_INT, &f.m_hardware, true},
        {"Socket", STATE_INT, &f.m_socket, true},
        {"Ident", STATE_INT, &f.m_ident, true},
        {"Type", STATE_INT, &f.m_type, true},
        {"Cal", STATE_RANGE, &f.m_cal, true},
        {"Def", STATE_RANGE, &f.m_def, true},
        {"Now", STATE_RANGE, &f.m_now, true},
        {"FieldEnable", STATE_FLAG, &f.m_fieldEnable, true},
        {"Show", STATE_FLAG, &f.m_show, true},
        {"Gain", STATE_FLOAT, &f.m_gain, true},
        {"Offset", STATE_FLOAT, &f.m_offset, true},
        {"SmoothTimes", STATE_INT, &f.m_smoothTimes, true},
        {"SmoothEpsilon", STATE_INT, &f.m_smoothEpsilon, true},
        {"SmoothEpsilonWas", STATE_INT, &f.m_smoothEpsilonWas, true},
        {"MANUALS", STATE_TEXT, &f.m_manualS, true},
        {"MANUAL", STATE_FLOAT, &f.m_manual, true},
        {"FitM", STATE_FLOAT, &f.m_fitM, true},
        {"FitC", STATE_FLOAT, &f.m_fitC, true},
        {"FitLabel", STATE_TEXT, &f.m_fitLabel, true},
        {"Measurement", STATE_INT, &f.m_measurement, true},
        {"ManualLogOverNull", STATE_FLAG, &f.m_manualLogOverNull, true},
    };
}

void CdocFile::WriteFieldSection(CdocField& field, int column)
{
    WriteKeys("Field", docFieldKeys(field), column + 1);
    if (field.m_content == CONTENT_SENSOR)
        WriteSensorSection("FieldSensor", "FieldCalib", field.m_fieldSensor, column + 1);
}

void CdocFile::WriteSensorSection(const wxString& section, const wxString& calibSection, CxhwSensor& sensor,
                                  int item)
{
    WriteKeys(section, docSensorKeysBefore(sensor), item);
    WriteCalibSection(calibSection, sensor.m_calib, item);
    WriteKeys(section, docSensorKeysAfter(sensor), item);
}

void CdocFile::WriteCalibSection(const wxString& section, CxhwSenCalib& calib, int item)
{
    WriteKeys(section, docCalibKeys(calib), item);
}

void CdocFile::WriteGraphSection(CdocDoc& doc)
{
    CdocGraph& g = doc.m_graph;
    int axisX = ColumnOf(g.m_axisX);
    int axisL = ColumnOf(g.m_axisL);
    int axisR = ColumnOf(g.m_axisR);
    WriteKeys("Graph", {
                           {"Font", STATE_FONT, &g.m_font, true},
                           {"AxisX", STATE_INT, &axisX, true},
                           {"AxisL", STATE_INT, &axisL, true},
                           {"AxisR", STATE_INT, &axisR, true},
                           {"Lines", STATE_FLAG, &g.m_lines, true},
                           {"Points", STATE_FLAG, &g.m_points, true},
                           {"Bars", STATE_FLAG, &g.m_bars, true},
                           {"Heavy", STATE_FLAG, &g.m_heavy, true},
                           {"Title", STATE_FLAG, &g.m_title, true},
                           {"Grid", STATE_FLAG, &g.m_grid, true},
                           {"Best", STATE_FLAG, &g.m_best, true},
                           {"ScaleZoomed", STATE_INT64, &g.m_scaleZoomed, true},
                       });
}

CdocStateKeys docTableKeys(CdocTable& t)
{
    return {
        {"Font", STATE_FONT, &t.m_font, true},
        {"Colour", STATE_FLAG, &t.m_colour, true},
        {"Elapsed", STATE_FLAG, &t.m_elapsed, true},
        {"Date", STATE_FLAG, &t.m_date, true},
    };
}

void CdocFile::WriteTableSection(CdocDoc& doc)
{
    WriteKeys("Table", docTableKeys(doc.m_table));
}

CdocStateKeys docSetupKeys(CxhwSetup& s, bool before)
{
    if (!before)
        return {
            {"BarsTotal", STATE_INT, &s.m_barsTotal, true},
            {"BarsTotalS", STATE_TEXT, &s.m_barsTotalS, true},
        };
    return {
        {"Setup", STATE_INT, &s.m_setup, true},
        {"Readings", STATE_INT, &s.m_readings, true},
        {"Period", STATE_DOUBLE, &s.m_period, true},
        {"Measurement", STATE_INT, &s.m_measurement, true},
        {"ManualCalculation", STATE_FLAG, &s.m_manualCalculation, true},
        {"TimingSensor", STATE_INT, &s.m_timingSensor, true},
        {"Bars", STATE_INT, &s.m_bars, true},
        {"BarWidthS", STATE_TEXT, &s.m_barWidthS, true},
        {"SensorGapS", STATE_TEXT, &s.m_sensorGapS, true},
        {"Mass1S", STATE_TEXT, &s.m_mass1S, true},
        {"Mass2S", STATE_TEXT, &s.m_mass2S, true},
        {"Mass3S", STATE_TEXT, &s.m_mass3S, true},
        {"BarWidth", STATE_FLOAT, &s.m_barWidth, true},
        {"SensorGap", STATE_FLOAT, &s.m_sensorGap, true},
        {"Mass1", STATE_FLOAT, &s.m_mass1, true},
        {"Mass2", STATE_FLOAT, &s.m_mass2, true},
        {"Mass3", STATE_FLOAT, &s.m_mass3, true},
        {"TriggeredCalibIdx", STATE_INT, &s.m_triggeredCalibIdx, true},
    };
}

void CdocFile::WriteSetupSection(CdocDoc& doc)
{
    WriteKeys("Setup", docSetupKeys(doc.m_setup, true));
    WriteCalibSection("TriggeredSenCalib", doc.m_setup.m_triggeredSenCalib, 0);
    WriteKeys("Setup", docSetupKeys(doc.m_setup, false));
}

void CdocFile::WriteAnnotationLine(const CdocAnnotation& a, int number)
{
    WriteStateText("Annotation", wxString::Format("%d", number),
                   wxString::Format("%d,%d,", ColumnOf(a.m_fieldX), ColumnOf(a.m_fieldY)) + Real(a.m_x) + "," +
                       Real(a.m_y) + "," + docOneLine(a.m_text));
}

void CdocFile::WriteControlLine(const CdocControlItem& r, int number)
{
    WriteStateText("Control", wxString::Format("%d", number),
                   wxString::Format("%d,%d,%d,%d,", int(r.m_enabled), r.m_reserved, ColumnOf(r.m_field),
                                    int(r.m_above)) +
                       Real(r.m_threshold) + "," + docOneLine(r.m_thresholdText));
}

CdocStateKeys docScopeKeys(CdocScope& s)
{
    return {
        {"Timebase", STATE_INT, &s.m_timebase, true},
        {"Gainbase", STATE_INT, &s.m_gainbase, true},
        {"GainbaseDef", STATE_INT, &s.m_gainbaseDef, true},
        {"Reset", STATE_FLAG, &s.m_reset, false},
        {"Multiplier", STATE_FLOAT, &s.m_multiplier, true},
        {"TriggerIndicator", STATE_FLAG, &s.m_triggerIndicator, false},
        {"Triggered", STATE_FLAG, &s.m_triggered, false},
        {"TimeOut", STATE_INT, &s.m_timeOut, false},
        {"TriggerTimeOut", STATE_INT, &s.m_triggerTimeOut, false},
        {"LogNext", STATE_INT, &s.m_logNext, false},
        {"DataNext", STATE_INT, &s.m_dataNext, false},
        {"DrawStart", STATE_INT, &s.m_drawStart, false},
        {"DrawNext", STATE_INT, &s.m_drawNext, false},
        {"DrawClear", STATE_FLAG, &s.m_drawClear, false},
        {"DrawTrigger", STATE_FLAG, &s.m_drawTrigger, false},
        {"StoreRequested", STATE_FLAG, &s.m_storeRequested, false},
        {"EnableStore", STATE_FLAG, &s.m_enableStore, false},
    };
}

void CdocFile::WriteScopeSection(CdocDoc& doc)
{
    WriteKeys("Scope", docScopeKeys(doc.m_scope));
}

// The single-valued "Timing" keys; the numbered ones follow them.
CdocStateKeys docTimingKeys(CdocTiming& t, bool& singleSensor)
{
    return {
        {"State", STATE_TEXT, &t.m_stateText, true},
        {"WaitingForStart", STATE_FLAG, &t.m_waitingForStart, true},
        {"DetectEvents", STATE_INT, &t.m_eventsNeeded, true},
        {"DetectSingleSensor", STATE_FLAG, &singleSensor, true},
        {"DetectLeading", STATE_FLAG, &t.m_detectLeading, true},
        {"Distance", STATE_DOUBLE, &t.m_distance, true},
        {"stateStart", STATE_INT, &t.m_stateStart, true},
        {"stateLast", STATE_INT, &t.m_stateLast, true},
        {"ElapsedTimeToLastEvent", STATE_UINT64, &t.m_elapsedTimeToLastEvent, true},
        {"ElapsedTimeSinceLastEvent", STATE_UINT64, &t.m_pendingTicks, true},
        {"ElapsedTimeInSeconds", STATE_DOUBLE, &t.m_elapsedTime, true},
        {"EventDelta", STATE_UINT64, &t.m_eventTicks, true},
        {"EventState", STATE_INT, &t.m_eventState, true},
        {"EventEdge", STATE_INT, &t.m_eventEdge, true},
        {"EventDifferent", STATE_INT, &t.m_eventDifferent, true},
        {"EventLeading", STATE_INT, &t.m_eventLeading, true},
        {"EventTrailing", STATE_INT, &t.m_eventTrailing, true},
        {"Event2ndEdge", STATE_INT, &t.m_event2ndEdge, true},
        {"NextDelta", STATE_INT, &t.m_nextDelta, true},
        {"TriggerSocket", STATE_INT, &t.m_input, true},
        {"TriggerBit", STATE_INT, &t.m_inputBit, true},
        {"BetweenTriggerSocket", STATE_INT, &t.m_betweenTriggerSocket, true},
        {"BetweenTriggerBit", STATE_INT, &t.m_betweenTriggerBit, true},
        {"SingleSocket", STATE_INT, &t.m_singleSocket, true},
        {"SingleBit", STATE_INT, &t.m_singleBit, true},
    };
}

void CdocFile::WriteTimingSection(CdocDoc& doc)
{
    CdocTiming& t = doc.m_timing;
    bool single = t.m_sameInput;
    WriteKeys("Timing", docTimingKeys(t, single));
    for (int i = 0; i < 3; ++i)
        WriteStateText("Timing", "Delta", wxString::Format("%d,", i) + Real(t.m_delta[i]));
    for (int i = 0; i < 6; ++i)
        WriteStateText("Timing", "Measurement", wxString::Format("%d,", i) + Real(t.m_measurement[i]));
    for (int i = 0; i < 6; ++i)
        WriteStateText("Timing", "MeasurementReady", wxString::Format("%d,%d", i, int(t.m_measurementReady[i])));
    for (int i = 0; i < 6; ++i)
        WriteStateText("Timing", "CardCount", wxString::Format("%d,%d", i, t.m_cardCount[i]));
    for (int i = 0; i < t.m_timers.GetCount(); ++i)
        if (const CdocTimer* timer = t.m_timers.GetAt(i))
            WriteStateText("TimerV", "Timer", timer->FormatLine());
}

CdocStateKeys docToolKeys(CdocToolState& s)
{
    return {
        {"Tool", STATE_INT, &s.m_tool, true},
        {"DragBox", STATE_FLAG, &s.m_dragBox, false},
        {"Annotate", STATE_FLAG, &s.m_annotate, false},
        {"Msg", STATE_INT, &s.m_msg, false},
        {"Active", STATE_FLAG, &s.m_active, false},
        {"fracX", STATE_FLOAT, &s.m_fracX, false},
        {"fracY", STATE_FLOAT, &s.m_fracY, false},
        {"fracX0", STATE_FLOAT, &s.m_fracX0, false},
        {"fracY0", STATE_FLOAT, &s.m_fracY0, false},
    };
}

void CdocFile::WriteToolSection(CdocDoc& doc)
{
    WriteKeys("ToolNow", docToolKeys(doc.m_tool.m_now));
    WriteKeys("ToolWas", docToolKeys(doc.m_tool.m_was));
}

void CdocFile::WriteBoxPublicInfoSection(CxutBoxPublicInfo& info)
{
    WriteKeys("BoxPublicInfo", docBoxPublicInfoKeys(info));
    WriteKeys("BoxInfo", docBoxInfoKeys(info.m_info));
    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        WriteSensorSection("Sensor", "Calib", info.m_sensors[i], i);
}

void CdocFile::WriteCalculateLine(const CdocCalc& calc, int number)
{
    const CdocCalcTokens& tokens = calc.m_tokens;
    const int count = std::clamp(tokens.m_count, 0, DOC_MAX_CALC_TOKENS);
    wxString value = wxString::Format("%d,%d,", calc.m_order, ColumnOf(calc.m_field)) + Real(calc.m_value) +
                     wxString::Format(",%d", count);
    for (int i = 0; i < count; ++i) {
        const CdocCalcToken& token = tokens.m_tokens[i];
        const int column = token.m_kind == CALC_TOKEN_CHANNEL ? ColumnOf(token.m_field) : -1;
        // The text is one field: a comma in it would shift the fields after it.
        wxString text = docOneLine(token.m_text);
        text.Replace(",", " ");
        value += wxString::Format(",%d,%d,", int(token.m_kind), column) + text;
    }
    WriteStateText("Calculate", wxString::Format("%d", number), value);
}

void CdocFile::WritePredictSection(CdocDoc& doc)
{
    CdocPredict& p = doc.m_predict;
    WriteStateText("Predict", "FieldX", wxString::Format("%d", ColumnOf(p.m_fieldX)));
    WriteStateText("Predict", "FieldY", wxString::Format("%d", ColumnOf(p.m_fieldY)));
    const int count = std::clamp(p.m_count, 0, DOC_MAX_PREDICT_POINTS);
    wxString text;
    for (int i = 0; i < count; ++i) {
        if (!text.empty())
            text += ",";
        text += Real(p.m_x[i]) + "," + Real(p.m_y[i]);
        if (text.length() >= 500 || i == count - 1) {
            WriteStateText("Predict", "Points", text);
            text.clear();
        }
    }
}
