#include "data/docFieldHdr.h"

#include "app/appOptions.h"
#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "data/docData.h"
#include "document/docDoc.h"
#include "files/docNormaliseUnit.h"
#include "hardware/xhwBoxTypes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <wx/intl.h>

namespace {

bool IsWhole(float x) { return std::isfinite(x) && std::floor(x) == x; }

// Step of the fractional axis ranges for 0 to 4 places; finer for any other.
float PlacesStep(int places)
{
    static const float kSteps[] = {1.0f, 0.1f, 0.01f, 0.001f, 0.0001f};
    return places >= 0 && places <= 4 ? kSteps[places] : 0.00001f;
}

} // namespace

CdocFieldHdr::CdocFieldHdr()
{
    CdocFieldHdr::InitEmpty();
}

void CdocFieldHdr::Clear()
{
    m_content = CONTENT_NONE;
    m_name.clear();
    m_unit.clear();
    m_descript.clear();
    m_colour = CdocColour();
    m_places = 1;
    m_socket = 0;
    m_hardware = 0;
    m_firmware = 0.0f;
    m_ident = 0;
    m_type = 0;
    m_cal.Unset();
    m_def.Set(100.0f, 0.0f);
    m_now.Set(100.0f, 0.0f);
    m_fieldEnable = true;
    m_show = true;
    m_gain = 1.0f;
    m_offset = 0.0f;
    m_smoothTimes = 0;
    m_smoothEpsilon = 0;
    m_smoothEpsilonWas = 0;
    m_manualS.clear();
    m_manual = DOC_NO_VALUE;
    m_manualLogOverNull = false;
    m_measurement = 0;
    m_fitM = 1.0f;
    m_fitC = 0.0f;
    m_fitLabel.clear();
}

void CdocFieldHdr::InitEmpty()
{
    Clear();
}

void CdocFieldHdr::InitReading(float calMax, float defMax, float nowMax)
{
    Clear();
    m_content = CONTENT_READING;
    m_name = _("Reading");
    m_places = 0;
    m_cal.Set(calMax, 1.0f);
    m_def.Set(defMax, 1.0f);
    m_now.Set(nowMax, 1.0f);
    m_ident = 253;
}

void CdocFieldHdr::InitElapsedTime()
{
    Clear();
    m_content = CONTENT_ELAPSED_TIME;
    m_name = _("Elapsed Time");
    m_unit = _("s");
    m_cal.Set(10.0f, 0.0f);
    m_def.Set(10.0f, 0.0f);
    m_now.Set(10.0f, 0.0f);
    m_ident = 253;
}

void CdocFieldHdr::InitSensorNone()
{
    Clear();
    m_content = CONTENT_SENSOR;
}

wxString CdocFieldHdr::GetDefaultDescript(int input) const
{
    return gumGetString(32) + wxString::Format(" %d", input + 1);
}

void CdocFieldHdr::InitSensor(int input, const CxhwSensor& sensor)
{
    Clear();
    m_content = CONTENT_SENSOR;
    m_show = !sensor.IsBlank();
    m_fieldEnable = sensor.m_enable;
    if (m_doc) {
        m_hardware = m_doc->m_boxInfo.m_info.m_hardware;
        m_firmware = m_doc->m_boxInfo.m_info.m_firmware;
    }
    m_socket = input;
    m_fieldSensor = sensor;
    const CxhwSenCalib& calib = sensor.m_calib;
    m_ident = calib.m_ident;
    m_type = sensor.m_calType;
    m_name = calib.m_name;
    m_unit = calib.m_units;
    m_descript = GetDefaultDescript(input);
    // A calibration read from a file may hold anything: a non-finite limit
    // is an unset one.
    m_cal.Set(docFiniteOrNoValue(calib.m_calMax), docFiniteOrNoValue(calib.m_calMin));
    m_def.Set(docFiniteOrNoValue(calib.m_defMax), docFiniteOrNoValue(calib.m_defMin));
    m_now.Set(docFiniteOrNoValue(calib.m_nowMax), docFiniteOrNoValue(calib.m_nowMin));
    m_places = calib.m_places;
    m_measurement = 0;
}

void CdocFieldHdr::InitSensorSpecial(int input, const CxhwSensor& sensor, int kind)
{
    // Name and units entries of the special measurements 1 to 7.
    static const int kNames[] = {983, 984, 985, 986, 987, 988, 989};
    static const int kUnits[] = {990, 991, 991, 992, 993, 994, 990};
    CdocFieldHdr::InitSensor(input, sensor);
    if (kind >= 1 && kind <= 7) {
        m_name = gumGetString(kNames[kind - 1]);
        m_unit = gumGetString(kUnits[kind - 1]);
    } else {
        m_name.clear();
        m_unit.clear();
    }
    m_cal.Unset();
    m_def.Set(1.0f, 0.0f);
    m_now.Set(1.0f, 0.0f);
    m_places = 5;
    m_measurement = kind;
}

void CdocFieldHdr::InitManual()
{
    Clear();
    m_content = CONTENT_MANUAL;
    m_name = gumGetString(1158);
    m_unit = gumGetString(1263);
    m_places = 0;
    m_def.Set(100.0f, 0.0f);
    m_now.Set(100.0f, 0.0f);
    m_cal.Unset();
    m_manual = DOC_NO_VALUE;
    m_manualS.clear();
    m_manualLogOverNull = true;
}

void CdocFieldHdr::InitFormula()
{
    Clear();
    m_content = CONTENT_FORMULA;
    m_name = _("Formula");
    m_unit.clear();
    m_descript = _("Formula");
    m_places = 1;
    m_def.Set(100.0f, 0.0f);
    m_now.Set(100.0f, 0.0f);
    m_cal.Unset();
    m_manual = 0.0f;
    m_manualS = "0";
}

void CdocFieldHdr::ClearProcessing()
{
    m_fitM = 1.0f;
    m_fitC = 0.0f;
    m_fitLabel.clear();
    m_smoothTimes = 0;
    m_smoothEpsilon = 0;
    m_smoothEpsilonWas = 0;
    m_manualLogOverNull = true;
}

void CdocFieldHdr::InitTiming(int result)
{
    Clear();
    m_content = CONTENT_TIMING;
    m_socket = result;
    m_name = result == 1 ? _("Time 2") : result == 2 ? _("Time 3") : _("Time 1");
    m_unit = _("s");
    m_cal.Set(10.0f, 0.0f);
    m_def.Set(10.0f, 0.0f);
    m_now.Set(10.0f, 0.0f);
    m_places = 5;
}

void CdocFieldHdr::RefreshSensor(int input, const CxhwSensor& sensor, bool special, bool keep)
{
    const CdocFieldHdr copy(*this);
    if (special)
        InitSensorSpecial(input, sensor, copy.m_measurement);
    else
        InitSensor(input, sensor);
    if (!keep)
        return;
    m_fieldEnable = copy.m_fieldEnable;
    m_show = copy.m_show;
    m_name = copy.m_name;
    m_unit = copy.m_unit;
    m_places = copy.m_places;
    m_gain = copy.m_gain;
    m_offset = copy.m_offset;
    m_cal = copy.m_cal;
    m_def = copy.m_def;
    m_now = copy.m_now;
    if (copy.m_descript != GetDefaultDescript(copy.m_socket))
        m_descript = copy.m_descript;
}

double CdocFieldHdr::SetTimeAxis(double interval, double duration)
{
    m_unit = gumGetString(1249);
    m_places = 2;
    m_gain = 1.0f;
    m_offset = 0.0f;
    double factor = 1.0;
    if (duration < 0.001) {
        m_unit = docNormaliseUnit(gumGetString(1203));
        interval *= 1000000.0;
        factor = 1000000.0;
        m_places = 0;
        m_gain = 1000000.0f;
    } else if (duration < 10.0) {
        m_unit = gumGetString(1241);
        m_places = interval < 0.0001 ? 2 : interval < 0.001 ? 1 : 0;
        interval *= 1000.0;
        factor = 1000.0;
        m_gain = 1000.0f;
    } else if (duration >= 864000.0) {
        interval /= 86400.0;
        m_unit = gumGetString(1353);
        factor = 1.0 / 86400.0;
        m_gain = float(factor);
    } else if (duration >= 36000.0) {
        interval /= 3600.0;
        m_unit = gumGetString(1354);
        factor = 1.0 / 3600.0;
        m_gain = float(factor);
    } else if (duration >= 600.0) {
        interval /= 60.0;
        m_unit = gumGetString(1357);
        factor = 1.0 / 60.0;
        m_gain = float(factor);
    }
    // An interval within a millionth of six decimals is taken as those.
    const double rounded = double(std::floor(float(interval * 1000000.0 + 0.5))) / 1000000.0;
    if (std::fabs(interval - rounded) < 0.000001)
        interval = rounded;
    const float top = docFiniteOrNoValue(std::ceil(factor * duration));
    const float axisMax = docIsNoValue(top) ? 10.0f : top;
    m_cal.Set(axisMax, 0.0f);
    m_def.Set(axisMax, 0.0f);
    m_now.Set(axisMax, 0.0f);
    return interval;
}

bool CdocFieldHdr::IsSensorFor(int input, const CxhwSensor& sensor, int measurement) const
{
    return m_content == CONTENT_SENSOR && m_socket == input && m_fieldSensor.IsSame(sensor) &&
           m_fieldSensor.m_enable == sensor.m_enable && m_fieldSensor.m_calib.m_ident == sensor.m_calib.m_ident &&
           m_fieldSensor.m_calType == sensor.m_calType && m_measurement == measurement;
}

wxString CdocFieldHdr::GetLetter(int n) const
{
    const wxString letters = _("RTABCDEFGHIJKLMNOPQSUVWXYZ");
    size_t at = 0;
    if (m_content == CONTENT_READING)
        at = 0;
    else if (m_content == CONTENT_ELAPSED_TIME)
        at = 1;
    else
        at = 2 + size_t(std::llabs(static_cast<long long>(n)) % 24);
    // A translation with fewer letters gives no letter rather than a wrong one.
    return at < letters.length() ? wxString(letters[at]) : wxString();
}

wxString CdocFieldHdr::GetTitle(int n) const
{
    return GetLetter(n) + ": " + GetNameWithUnits();
}

wxString CdocFieldHdr::GetListTitle() const
{
    if (m_content == CONTENT_SENSOR)
        return GetSensorTitle();
    const int n = m_doc ? m_doc->m_data.m_fields.GetLetterNumber(this) : 0;
    return GetTitle(n);
}

wxString CdocFieldHdr::GetSensorTitle() const
{
    const wxString start = gumGetString(32) + " " + wxString::Format("%d", m_socket + 1) + ": ";
    if (m_content == CONTENT_SENSOR && m_fieldSensor.IsEmpty())
        return start + gumGetString(264);
    if (!m_fieldEnable)
        return start + gumGetString(265);
    wxString title = start + m_name;
    if (m_content == CONTENT_SENSOR && m_fieldSensor.IsIdent136() && m_hardware == 2 &&
        !xhwIsFeatureSupported(4, m_hardware, m_firmware)) {
        title += ", " + gumGetString(253);
    } else if (m_cal.IsSet()) {
        static const char* const kResolutions[] = {"1", "0.1", "0.01", "0.001", "0.0001"};
        const int w = std::clamp(m_places, 0, 4);
        const int decimals = std::max(w - 1, 0);
        title += ", " + gumGetString(254) + " " + wxString::Format("%.*f", decimals, m_cal.m_min) + " to " +
                 wxString::Format("%.*f", decimals, m_cal.m_max) + " " + m_unit + " (" + gumGetString(278) + " " +
                 kResolutions[w];
        if (!m_unit.empty())
            title += " " + m_unit;
        title += ")";
    }
    return title;
}

wxString CdocFieldHdr::GetNameWithUnits() const
{
    if (!m_name.empty() && !m_unit.empty())
        return m_name + " (" + m_unit + ")";
    return m_name.empty() ? m_unit : m_name;
}

wxString CdocFieldHdr::GetNameUnitsTwoLines() const
{
    if (!m_name.empty() && !m_unit.empty())
        return m_name + "\n(" + m_unit + ")";
    return m_name.empty() ? m_unit : m_name;
}

wxString CdocFieldHdr::GetUnitsOrName() const
{
    return m_unit.empty() ? m_name : m_unit;
}

wxString CdocFieldHdr::GetValueText(int places, float x) const
{
    if (docIsNoValue(x))
        return wxString();
    return wxString::Format("%.*f", places < 0 ? m_places : places, double(x));
}

wxString CdocFieldHdr::GetPlainValueText(int places, float x) const
{
    wxString text;
    if (!docIsNoValue(x))
        gumFormatFixed(text, places < 0 ? m_places : places, double(x));
    return text;
}

wxString CdocFieldHdr::GetOverText(int places) const
{
    if (!m_cal.IsMaxSet())
        return "> ";
    return wxString::Format("> %.*f", places < 0 ? m_places : places, double(m_cal.m_max));
}

wxString CdocFieldHdr::GetUnderText(int places) const
{
    if (!m_cal.IsMinSet())
        return "< ";
    return wxString::Format("< %.*f", places < 0 ? m_places : places, double(m_cal.m_min));
}

wxString CdocFieldHdr::GetDisplayText(int places, float x) const
{
    if (docIsNoValue(x))
        return wxString();
    if (m_content == CONTENT_SENSOR || m_content == CONTENT_STORED_SENSOR) {
        if (m_cal.IsMaxSet() && x > m_cal.m_max)
            return GetOverText(places);
        if (m_cal.IsMinSet() && x < m_cal.m_min)
            return GetUnderText(places);
    }
    return GetValueText(places, x);
}

bool CdocFieldHdr::IsWholeNumber() const
{
    if (!IsWhole(m_gain) || !IsWhole(m_offset))
        return false;
    if (m_content == CONTENT_READING)
        return true;
    return appIsAllowed(FEATURE_WHOLE_NUMBERS) &&
           (m_content == CONTENT_SENSOR || m_content == CONTENT_STORED_SENSOR) && m_fieldSensor.IsInteger();
}

bool CdocFieldHdr::TakesWholeNumberRanges() const
{
    return !appIsAllowed(FEATURE_WHOLE_NUMBERS) || IsWholeNumber();
}

bool CdocFieldHdr::CheckRanges()
{
    bool changed = m_def.Normalise();
    changed = m_now.Normalise() || changed;
    if (!TakesWholeNumberRanges()) {
        const float step = PlacesStep(m_places);
        if (m_def.m_max - m_def.m_min < step) {
            m_def.m_max = m_def.m_min + step;
            changed = true;
        }
        if (m_now.m_max - m_now.m_min < step) {
            m_now.m_max = m_now.m_min + step;
            changed = true;
        }
        return changed;
    }
    if (m_def.m_max - m_def.m_min < 1.0f) {
        // Halved before adding, so that two large limits cannot overflow.
        const float centre = m_def.m_max / 2.0f + m_def.m_min / 2.0f;
        m_def.m_max = std::trunc(centre + 1.0f);
        m_def.m_min = std::trunc(centre - 1.0f);
        changed = true;
    }
    if (m_now.m_max - m_now.m_min < 1.0f) {
        m_now.m_max = std::floor(m_now.m_max) + 1.0f;
        m_now.m_min = std::floor(m_now.m_min);
        changed = true;
    }
    return changed;
}

bool CdocFieldHdr::CheckZoomSpan()
{
    static const float kSteps[] = {1.0f, 0.1f, 0.01f, 0.001f, 0.0001f, 0.00001f};
    float minSpan = 20.0f * kSteps[std::clamp(m_places, 0, 5)];
    if (m_content == CONTENT_SENSOR && m_fieldSensor.m_calib.m_minRange > 0.0f)
        minSpan = std::max(m_fieldSensor.m_calib.m_minRange, minSpan);
    CxhwMinMax now(m_now);
    CxhwMinMax def(m_def);
    now.Normalise();
    def.Normalise();
    if (now.m_max - now.m_min < minSpan) {
        const float centre = now.m_max / 2.0f + now.m_min / 2.0f;
        now.m_max = std::min(centre + minSpan / 2.0f, def.m_max);
        now.m_min = std::max(centre - minSpan / 2.0f, def.m_min);
    }
    CxhwMinMax stored(m_now);
    stored.SetOrdered(now);
    if (stored == m_now)
        return false;
    m_now = stored;
    return true;
}

bool CdocFieldHdr::SetDefaultRange(bool setNow, float min, float max)
{
    if (!docIsNoValue(min))
        m_def.m_min = min;
    if (!docIsNoValue(max))
        m_def.m_max = max;
    if (IsCounterSensor())
        m_cal = m_def;
    else
        m_cal.SetIfUnset(m_def.m_min, m_def.m_max);
    CheckRanges();
    if (setNow)
        m_now = m_def;
    return true;
}

bool CdocFieldHdr::IsSameDefinition(const CdocFieldHdr& other) const
{
    if (m_name != other.m_name || m_unit != other.m_unit || m_descript != other.m_descript)
        return false;
    if (m_def != other.m_def || m_places != other.m_places || m_show != other.m_show)
        return false;
    if (m_manualS != other.m_manualS || m_manual != other.m_manual)
        return false;
    return !appIsAllowed(FEATURE_CHANNEL_COLOUR) || m_colour == other.m_colour;
}

bool CdocFieldHdr::ZoomToFraction(float a, float b)
{
    if (!m_now.IsSet())
        return false;
    const CxhwMinMax zoom(m_now.FromFraction(b), m_now.FromFraction(a));
    if (!zoom.IsSet() || zoom == m_now)
        return false;
    m_now = zoom;
    return true;
}

bool CdocFieldHdr::ResetZoom()
{
    if (m_now == m_def)
        return false;
    m_now = m_def;
    return true;
}

wxString docGetTimeUnitName(int unit, bool plural)
{
    static const int kPlural[] = {1353, 1354, 1357, 1361, 1364, 1365};
    static const int kSingular[] = {1362, 1358, 1359, 1349, 1341, 1303};
    if (unit < 1 || unit > 6)
        return wxString();
    return gumGetString(plural ? kPlural[unit - 1] : kSingular[unit - 1]);
}

wxString docFormatDuration(float seconds)
{
    const double x = seconds;
    double value = x * 1000000.0;
    int unit = 6;
    if (x > 172800.0) {
        value = x / 3600.0 / 24.0;
        unit = 1;
    } else if (x >= 7200.0) {
        value = x / 3600.0;
        unit = 2;
    } else if (x >= 120.0) {
        value = x / 60.0;
        unit = 3;
    } else if (x >= 1.0) {
        value = x;
        unit = 4;
    } else if (x >= 0.001) {
        value = x * 1000.0;
        unit = 5;
    }
    const double shown = std::floor(value * 100.0 + 0.009) / 100.0;
    wxString number;
    gumFormatDouble(number, shown);
    return number + " " + docGetTimeUnitName(unit, shown != 1.0);
}
