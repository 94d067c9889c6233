#include "files/docStateKeys.h"

#include "app/base/gumHelpers.h"
#include "data/docData.h"
#include "data/docColour.h"
#include "data/docNoValue.h"
#include "data/xhwMinMax.h"
#include "files/docFile.h"
#include "hardware/xhwSenCalib.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutBoxPublicInfo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <cwctype>

namespace {

wxString Real(double value)
{
    wxString text;
    gumFormatDouble(text, value);
    return text;
}

// Whole part of a real, held to the 64-bit range so the cast is defined.
long long WholePart(double value)
{
    if (!std::isfinite(value))
        return 0;
    return (long long)std::clamp(std::trunc(value), -9.2e18, 9.2e18);
}

} // namespace

bool docSameName(const wxString& text, const char* name)
{
    const size_t length = text.length();
    if (std::strlen(name) != length)
        return false;
    const wchar_t* t = text.wc_str();
    for (size_t i = 0; i < length; ++i) {
        const wchar_t a = t[i];
        const wchar_t b = wchar_t(static_cast<unsigned char>(name[i]));
        if (a != b && std::towlower(wint_t(a)) != std::towlower(wint_t(b)))
            return false;
    }
    return true;
}

wxString docOneLine(const wxString& text)
{
    wxString out = text;
    out.Replace("\r\n", " ");
    out.Replace("\r", " ");
    out.Replace("\n", " ");
    return out;
}

wxString docFormatStateValue(const CdocStateKey& key, int item)
{
    wxString value;
    switch (key.m_form) {
    case STATE_FLAG:
        value = *static_cast<bool*>(key.m_value) ? "1" : "0";
        break;
    case STATE_INT:
        value = wxString::Format("%d", *static_cast<int*>(key.m_value));
        break;
    case STATE_INT64:
        value = wxString::Format("%lld", (long long)*static_cast<int64_t*>(key.m_value));
        break;
    case STATE_UINT64:
        value = wxString::Format("%llu", (unsigned long long)*static_cast<uint64_t*>(key.m_value));
        break;
    case STATE_FLOAT:
        value = Real(*static_cast<float*>(key.m_value));
        break;
    case STATE_DOUBLE:
        value = Real(*static_cast<double*>(key.m_value));
        break;
    case STATE_PRECISE:
        gumFormatDoubleG(value, 12, *static_cast<double*>(key.m_value));
        break;
    case STATE_TEXT:
    case STATE_FONT:
        value = docOneLine(*static_cast<wxString*>(key.m_value));
        break;
    case STATE_RANGE: {
        const CxhwMinMax& range = *static_cast<CxhwMinMax*>(key.m_value);
        value = Real(range.m_min) + "," + Real(range.m_max);
        break;
    }
    case STATE_COLOUR: {
        const CdocColour& colour = *static_cast<CdocColour*>(key.m_value);
        value = wxString::Format("%d,%d,%d", colour.Red(), colour.Green(), colour.Blue());
        break;
    }
    case STATE_WHOLE_FLOAT:
        value = wxString::Format("%lld", WholePart(*static_cast<float*>(key.m_value)));
        break;
    case STATE_WHOLE_DOUBLE:
        value = wxString::Format("%lld", WholePart(*static_cast<double*>(key.m_value)));
        break;
    }
    if (item >= 0)
        return wxString::Format("%d,", item) + value;
    return value;
}

bool docParseWhole(const wxString& text, int64_t& value)
{
    wxString field = text;
    field.Trim(false);
    long long n = 0;
    if (field.empty() || !field.ToLongLong(&n, 10))
        return false;
    value = n;
    return true;
}

bool docParseInt(const wxString& text, int& value)
{
    int64_t n = 0;
    if (!docParseWhole(text, n) || n < INT_MIN || n > INT_MAX)
        return false;
    value = int(n);
    return true;
}

bool docParseUInt64(const wxString& text, uint64_t& value)
{
    wxString field = text;
    field.Trim(false);
    unsigned long long n = 0;
    if (field.empty() || field.Find('-') != wxNOT_FOUND || !field.ToULongLong(&n, 10))
        return false;
    value = n;
    return true;
}

bool docParseReal(const wxString& text, double& value)
{
    double x = 0.0;
    if (text.empty() || !gumStringToDouble(text, &x))
        return false;
    // Non-finite numbers would poison every sum: they read as no value.
    value = std::isfinite(x) ? x : double(DOC_NO_VALUE);
    return true;
}

bool docParseColour(const wxString& text, CdocColour& colour)
{
    wxString rest = text;
    wxString field;
    int64_t rgb[3] = {};
    for (int64_t& c : rgb) {
        docSplitField(field, rest);
        if (!docParseWhole(field, c))
            return false;
    }
    auto channel = [](int64_t c) { return uint8_t(((c % 256) + 256) % 256); };
    colour = CdocColour(channel(rgb[0]), channel(rgb[1]), channel(rgb[2]));
    return true;
}

bool docParseRange(const wxString& text, CxhwMinMax& range)
{
    wxString rest = text;
    wxString a;
    wxString b;
    docSplitField(a, rest);
    docSplitField(b, rest);
    double min = 0.0;
    double max = 0.0;
    if (!docParseReal(a, min) || !docParseReal(b, max))
        return false;
    range.Set(float(max), float(min));
    return true;
}

// The font description: version, point size, family, style, weight,
// underlined, face name, encoding; the face may be empty, the rest numbers.
bool docParseFontText(const wxString& text)
{
    if (text.empty())
        return true;
    const wxArrayString parts = wxSplit(text, ';', '\0');
    if (parts.size() < 8)
        return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i == 6)
            continue;
        double x = 0.0;
        if (!docParseReal(parts[i], x))
            return false;
    }
    return true;
}

bool docReadStateKey(const CdocStateKeys& keys, const wxString& key, const wxString& value, bool fonts)
{
    for (const CdocStateKey& k : keys) {
        if (!docSameName(key, k.m_key))
            continue;
        if (!k.m_read)
            return true;
        int64_t whole = 0;
        double real = 0.0;
        switch (k.m_form) {
        case STATE_FLAG:
            if (!docParseWhole(value, whole))
                return false;
            *static_cast<bool*>(k.m_value) = whole != 0;
            return true;
        case STATE_INT:
        case STATE_WHOLE_FLOAT: {
            int n = 0;
            if (!docParseInt(value, n))
                return false;
            if (k.m_form == STATE_INT)
                *static_cast<int*>(k.m_value) = n;
            else
                *static_cast<float*>(k.m_value) = float(n);
            return true;
        }
        case STATE_INT64:
            if (!docParseWhole(value, whole))
                return false;
            *static_cast<int64_t*>(k.m_value) = whole;
            return true;
        case STATE_UINT64:
            return docParseUInt64(value, *static_cast<uint64_t*>(k.m_value));
        case STATE_FLOAT:
            if (!docParseReal(value, real))
                return false;
            *static_cast<float*>(k.m_value) = docFiniteOrNoValue(real);
            return true;
        case STATE_DOUBLE:
        case STATE_PRECISE:
        case STATE_WHOLE_DOUBLE:
            return docParseReal(value, *static_cast<double*>(k.m_value));
        case STATE_TEXT:
            *static_cast<wxString*>(k.m_value) = value;
            return true;
        case STATE_FONT:
            if (fonts && docParseFontText(value))
                *static_cast<wxString*>(k.m_value) = value;
            return true;
        case STATE_RANGE:
            return docParseRange(value, *static_cast<CxhwMinMax*>(k.m_value));
        case STATE_COLOUR:
            return docParseColour(value, *static_cast<CdocColour*>(k.m_value));
        }
        return true;
    }
    return true;
}

CdocStateKeys docCalibKeys(CxhwSenCalib& c)
{
    return {
        {"Index", STATE_INT, &c.m_index, true},
        {"Ident", STATE_INT, &c.m_ident, true},
        {"Name", STATE_TEXT, &c.m_name, true},
        {"Units", STATE_TEXT, &c.m_units, true},
        {"CalMax", STATE_FLOAT, &c.m_calMax, true},
        {"CalMin", STATE_FLOAT, &c.m_calMin, true},
        {"DefMax", STATE_FLOAT, &c.m_defMax, true},
        {"DefMin", STATE_FLOAT, &c.m_defMin, true},
        {"NowMax", STATE_FLOAT, &c.m_nowMax, true},
        {"NowMin", STATE_FLOAT, &c.m_nowMin, true},
        {"Places", STATE_INT, &c.m_places, true},
        {"gain", STATE_FLOAT, &c.m_gain, true},
        {"offset", STATE_FLOAT, &c.m_offset, true},
        {"Table", STATE_TEXT, &c.m_table, true},
        {"Icon", STATE_TEXT, &c.m_icon, true},
        {"TPtr", STATE_INT, &c.m_tableStart, false},
        {"Description", STATE_TEXT, &c.m_description, true},
        {"Resolution", STATE_FLOAT, &c.m_resolution, true},
        {"MinRange", STATE_FLOAT, &c.m_minRange, true},
        {"Threshold", STATE_INT, &c.m_threshold, true},
        {"PlacesMin", STATE_INT, &c.m_placesMin, true},
        {"PlacesMax", STATE_INT, &c.m_placesMax, true},
        {"PostProc", STATE_INT, &c.m_postProc, true},
        {"SlowMS", STATE_INT, &c.m_slowMs, true},
        {"TriggerUS", STATE_INT, &c.m_triggerUs, true},
        {"ScopeUS", STATE_INT, &c.m_scopeUs, true},
        {"FastDur", STATE_INT, &c.m_fastDur, true},
        {"TimingUS", STATE_INT, &c.m_timingUs, true},
        {"fRecommendSlow", STATE_FLAG, &c.m_fRecommendSlow, true},
        {"fCanTriggered", STATE_FLAG, &c.m_fCanTriggered, true},
        {"fCanScope", STATE_FLAG, &c.m_fCanScope, true},
        {"fCanTiming", STATE_FLAG, &c.m_fCanTiming, true},
        {"fCanPretrigger", STATE_FLAG, &c.m_fCanPretrigger, true},
        {"fGreaterThan", STATE_FLAG, &c.m_fGreaterThan, true},
        {"fDigital", STATE_FLAG, &c.m_fDigital, true},
        {"fDlgOnePoint", STATE_FLAG, &c.m_fDlgOnePoint, true},
        {"fDlgTwoPoint", STATE_FLAG, &c.m_fDlgTwoPoint, true},
        {"fDlgInvert", STATE_FLAG, &c.m_fDlgInvert, true},
        {"fDlgPH", STATE_FLAG, &c.m_fDlgPH, true},
        {"fDlgColorimeter", STATE_FLAG, &c.m_fDlgColorimeter, true},
        {"Measure", STATE_INT, &c.m_measure, true},
        {"fCanSlow", STATE_FLAG, &c.m_fCanSlow, true},
        {"fIsCounter", STATE_FLAG, &c.m_fIsCounter, true},
        {"fIsInteger", STATE_FLAG, &c.m_fIsInteger, true},
        {"fIsControl", STATE_FLAG, &c.m_fIsControl, true},
    };
}

CdocStateKeys docSensorKeysBefore(CxhwSensor& s)
{
    return {
        {"Enable", STATE_FLAG, &s.m_enable, true},
        {"IdCode", STATE_INT, &s.m_idCode, true},
        {"IdType", STATE_INT, &s.m_idType, true},
        {"CalType", STATE_INT, &s.m_calType, true},
        {"Raw", STATE_INT, &s.m_raw, true},
        {"ChangedID", STATE_FLAG, &s.m_changedId, true},
        {"ChangedCal", STATE_FLAG, &s.m_changedCal, true},
        {"ChangedEnable", STATE_FLAG, &s.m_changedEnable, true},
        {"ChangedRaw", STATE_FLAG, &s.m_changedRaw, true},
        {"UserCal", STATE_FLAG, &s.m_userCal, true},
        {"UserEnable", STATE_FLAG, &s.m_userEnable, true},
    };
}

CdocStateKeys docSensorKeysAfter(CxhwSensor& s)
{
    return {
        {"TriggerAndScope", STATE_FLAG, &s.m_triggerAndScope, true},
        {"Optional", STATE_FLAG, &s.m_optional, true},
        {"InitiallyDisabled", STATE_FLAG, &s.m_initiallyDisabled, true},
        {"InitiallyInvisible", STATE_FLAG, &s.m_initiallyInvisible, true},
        {"LED", STATE_INT, &s.m_led, true},
        {"SensorName", STATE_TEXT, &s.m_sensorName, true},
        {"SensorVersion", STATE_INT, &s.m_sensorVersion, true},
        {"Product", STATE_INT, &s.m_product, true},
        {"Brand", STATE_INT, &s.m_brand, true},
        {"Lang", STATE_INT, &s.m_lang, true},
        {"LEDMain", STATE_INT, &s.m_ledMain, true},
        {"WarmUp", STATE_INT, &s.m_warmUp, true},
        {"SensorCurrent", STATE_INT, &s.m_sensorCurrent, true},
        {"SensorTiming", STATE_FLAG, &s.m_sensorTiming, true},
        {"TPName", STATE_TEXT, &s.m_tpName, true},
        {"TPIcon", STATE_TEXT, &s.m_tpIcon, true},
    };
}

CdocStateKeys docBoxPublicInfoKeys(CxutBoxPublicInfo& p)
{
    static_assert(sizeof(int32_t) == sizeof(int), "whole numbers are held as int");
    return {
        {"BoxStamp", STATE_TEXT, &p.m_boxStamp, true},
        {"BoxPower", STATE_INT, &p.m_boxPower, true},
        {"BoxTimingMask", STATE_INT, &p.m_boxTimingMask, true},
        {"BoxTimingIdentify", STATE_INT, &p.m_boxTimingIdentify, true},
        {"BoxTimingTicksPerSecond", STATE_WHOLE_DOUBLE, &p.m_boxTimingTicksPerSecond, true},
    };
}

CdocStateKeys docBoxInfoKeys(CxutBoxInfo& b)
{
    return {
        {"Hardware", STATE_INT, &b.m_hardware, true},
        {"Firmware", STATE_WHOLE_FLOAT, &b.m_firmware, true},
        {"MaxSensors", STATE_INT, &b.m_maxSensors, true},
        {"Model", STATE_TEXT, &b.m_model, true},
        {"Varnok", STATE_FLAG, &b.m_varnok, true},
        {"Compatible", STATE_FLAG, &b.m_compatible, true},
        {"BootstrapFlag", STATE_FLAG, &b.m_bootstrapFlag, true},
        {"BootstrapFamily", STATE_INT, &b.m_bootstrapFamily, true},
        {"BootstrapRevision", STATE_INT, &b.m_bootstrapRevision, true},
        {"LoggerBusy", STATE_FLAG, &b.m_loggerBusy, true},
        {"Changed", STATE_FLAG, &b.m_changed, true},
        {"ComIsPortSlow", STATE_FLAG, &b.m_comIsPortSlow, true},
        {"ComIsPortUsb", STATE_FLAG, &b.m_comIsPortUsb, true},
    };
}

bool docReadCalibKey(CxhwSenCalib& calib, const wxString& key, const wxString& value)
{
    const bool ok = docReadStateKey(docCalibKeys(calib), key, value);
    if (docSameName(key, "Table")) {
        const CxhwSenFile* senFile = xhwGetSenFile();
        calib.m_tableStart = senFile ? senFile->FindTable(calib.m_table) : -1;
    }
    return ok;
}

bool docReadSensorKey(CxhwSensor& sensor, const wxString& key, const wxString& value)
{
    const int idCode = sensor.m_idCode;
    if (!docReadStateKey(docSensorKeysBefore(sensor), key, value) ||
        !docReadStateKey(docSensorKeysAfter(sensor), key, value))
        return false;
    // A classic sensor's ident must be one the sensor database knows, or the
    // sensor would be looked up past what it holds.
    const CxhwSenFile* senFile = xhwGetSenFile();
    const int code = sensor.m_idCode;
    const bool unknown = code < 0 || (code > 0 && code < 256 && senFile && senFile->GetSensorCount() > 0 &&
                                      senFile->FindNext(code, -1, true, false, false, false) < 0);
    if (docSameName(key, "IdCode") && unknown) {
        sensor.m_idCode = idCode;
        return false;
    }
    return true;
}

CdocStateKeys docDataKeys(CdocData& d)
{
    return {
        {"Interval", STATE_DOUBLE, &d.m_interval, true},
        {"MaxRecords", STATE_INT, &d.m_maxRecords, true},
        {"Records", STATE_INT, &d.m_records, true},
        {"StartTime", STATE_INT, &d.m_startTime, true},
        {"StartDate", STATE_INT, &d.m_startDate, true},
        {"LogType", STATE_INT, &d.m_logType, true},
        {"DataSource", STATE_INT, &d.m_dataSource, true},
        {"LogNext", STATE_INT, &d.m_logNext, true},
        {"fLogOverlay", STATE_FLAG, &d.m_fLogOverlay, true},
        {"LogSkip", STATE_INT, &d.m_logSkip, true},
        {"LogCount", STATE_INT, &d.m_logCount, true},
        {"LogPeriod", STATE_DOUBLE, &d.m_logPeriod, true},
        {"Latitude", STATE_PRECISE, &d.m_latitude, true},
        {"Longitude", STATE_PRECISE, &d.m_longitude, true},
        {"Altitude", STATE_PRECISE, &d.m_altitude, true},
        {"HorizontalAccuracy", STATE_PRECISE, &d.m_horizontalAccuracy, true},
        {"VerticalAccuracy", STATE_PRECISE, &d.m_verticalAccuracy, true},
    };
}
