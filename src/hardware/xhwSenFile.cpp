#include "hardware/xhwSenFile.h"

#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "files/docNormaliseUnit.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"
#include "transport/zxMessageBox.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/textfile.h>

namespace {

CxhwSenFile* g_current = nullptr;

// The icon of the pH electrode amplifier.
const char kPhIcon[] = "pH";

// String-table entry base + n, without overflowing for any n a file may hold.
const wxString& Entry(int base, int n)
{
    const long long index = (long long)base + n;
    return gumGetString(index >= 0 && index <= INT_MAX ? int(index) : -1);
}

} // namespace

CxhwSenFile* xhwGetSenFile() { return g_current; }

CxhwSenFile::CxhwSenFile()
{
    for (int i = 0; i < kMaxSensors; ++i)
        m_sensors[size_t(i)].m_index = i;
    m_extras.fill(-1);
    g_current = this;
}

CxhwSenFile::~CxhwSenFile()
{
    if (g_current == this)
        g_current = nullptr;
}

bool CxhwSenFile::Load()
{
    Reset();
    wxFileName file;
    if (CgumResCore* res = gumGetResCore())
        res->GetResourceFile(file, wxString(), "Sensors", "txt");
    wxTextFile text;
    bool opened = false;
    {
        wxLogNull quiet;
        opened = file.IsOk() && file.FileExists() && text.Open(file.GetFullPath());
    }
    if (!opened || text.GetLineCount() == 0) {
        zxMessageBox(gumGetString(573) + file.GetFullPath());
        return false;
    }
    std::vector<wxString> lines;
    lines.reserve(text.GetLineCount());
    for (size_t i = 0; i < text.GetLineCount(); ++i)
        lines.push_back(text.GetLine(i));
    return LoadLines(std::move(lines));
}

void CxhwSenFile::Reset()
{
    m_conversionCount = 0;
    m_sensorCount = 0;
    m_tableCount = 0;
    m_pointCount = 0;
    m_version.clear();
    m_conversions[0] = CxhwSenConvert();
    m_extras.fill(-1);
}

bool CxhwSenFile::LoadLines(std::vector<wxString> lines)
{
    Reset();
    m_lines = std::move(lines);
    const bool ok = ReadLines();
    m_extras.fill(-1);
    m_lines.clear();
    m_line.clear();
    m_token.clear();
    return ok;
}

bool CxhwSenFile::ReadLines()
{
    for (m_lineIndex = 0; m_lineIndex < m_lines.size(); ++m_lineIndex) {
        m_line = m_lines[m_lineIndex];
        m_line.Trim(true);
        NextWord();
        bool ok = true;
        if (m_token == "%%VERSION") {
            NextWord();
            m_version = m_token.empty() ? wxString("?") : m_token;
        } else if (m_token == "%%TABLE") {
            ok = ReadTable();
        } else if (m_token == "%%SENSOR") {
            ok = ReadSensor();
        } else if (m_token == "%%EXTRAS") {
            ReadExtras();
        } else if (m_token == "%%CONVERSION") {
            ok = ReadConversion();
        }
        // "%%CONVERT" and every other line carry nothing to read.
        if (!ok) {
            zxMessageBox(wxString::Format(_("Error in calibration table at line %d"), int(m_lineIndex)));
            return false;
        }
    }
    return true;
}

// A table runs from its "%%TABLE" line to the point line whose raw word ends
// in ';' (or to the end of the file), and gets an end point after it.
bool CxhwSenFile::ReadTable()
{
    if (m_pointCount == 0)
        m_pointCount = kFirstPoint;
    if (m_tableCount >= kMaxTables)
        return false;
    NextField();
    m_tableNames[size_t(m_tableCount)] = m_token;
    m_tableStarts[size_t(m_tableCount)] = m_pointCount;
    ++m_tableCount;
    while (m_lineIndex + 1 < m_lines.size()) {
        ++m_lineIndex;
        m_line = m_lines[m_lineIndex];
        m_line.Trim(true).Trim(false);
        if (m_line.StartsWith("%%") || m_pointCount >= kMaxPoints)
            return false;
        const float value = NextFloat();
        NextWord();
        wxString rawText = m_token;
        const int semicolon = rawText.Find(';');
        const bool last = semicolon != wxNOT_FOUND;
        if (last)
            rawText = rawText.Left(size_t(semicolon));
        int raw = 0;
        const int hex = rawText.Find("0x");
        if (hex != wxNOT_FOUND) {
            long parsed = 0;
            if (!rawText.Mid(size_t(hex) + 2).ToLong(&parsed, 16) || parsed < INT_MIN || parsed > INT_MAX)
                parsed = 0;
            raw = int(parsed % 0x10000);
        } else {
            double parsed = 0.0;
            if (!gumStringToDouble(rawText, &parsed) || !std::isfinite(parsed))
                parsed = 0.0;
            // Kept well inside int so that differences of two raws never overflow.
            const double scaled = std::trunc(parsed * 26.208);
            raw = int(std::fmax(std::fmin(scaled, double(INT_MAX / 2)), double(-(INT_MAX / 2))));
        }
        m_pointValues[size_t(m_pointCount)] = value;
        m_pointRaws[size_t(m_pointCount)] = raw;
        ++m_pointCount;
        if (last)
            break;
    }
    if (m_pointCount >= kMaxPoints)
        return false;
    m_pointRaws[size_t(m_pointCount)] = kEndRaw;
    m_pointValues[size_t(m_pointCount)] = m_pointValues[size_t(m_pointCount - 1)];
    ++m_pointCount;
    return true;
}

bool CxhwSenFile::ReadSensor()
{
    if (m_sensorCount >= kMaxSensors)
        return false;
    CxhwSenCalib& calib = m_sensors[size_t(m_sensorCount)];
    calib = CxhwSenCalib();
    calib.m_index = m_sensorCount;
    calib.m_ident = NextInt();
    NextField();
    calib.m_name = m_token;
    NextField();
    calib.m_units = docNormaliseUnit(m_token);
    calib.m_calMax = calib.m_defMax = calib.m_nowMax = NextFloat();
    calib.m_calMin = calib.m_defMin = calib.m_nowMin = NextFloat();
    calib.m_places = NextInt();
    NextField();
    calib.m_table = m_token;
    calib.m_gain = NextFloat();
    if (calib.m_gain == 0.0f)
        calib.m_gain = 1.0f;
    calib.m_offset = NextFloat();
    NextField(); // not used
    const int nameString = NextInt();
    if (nameString > 0)
        calib.m_name = Entry(1000, nameString);
    const int unitsString = NextInt();
    if (unitsString > 0)
        calib.m_units = docNormaliseUnit(Entry(1000, unitsString));
    if (calib.m_ident >= 0 && calib.m_ident <= 255) {
        const int line = m_extras[size_t(calib.m_ident)];
        if (line >= 0 && size_t(line) < m_lines.size())
            calib.m_icon = m_lines[size_t(line)];
    }
    // The file names a sensor's kind only by its icon: the pH calibration is
    // offered for the pH electrode alone, not for every classic sensor.
    calib.m_fDlgPH = calib.m_icon == kPhIcon;
    calib.m_tableStart = FindTable(calib.m_table);
    ++m_sensorCount;
    return true;
}

// The icon of an ident: the line itself keeps the icon name, and the map
// points the ident at that line, for the sensor lines that follow.
void CxhwSenFile::ReadExtras()
{
    const int ident = NextInt();
    if (ident < 0 || ident > 255)
        return;
    m_extras[size_t(ident)] = int(m_lineIndex);
    NextField();
    m_lines[m_lineIndex] = m_token;
}

// At most 149 conversions, so that the list always ends with an empty entry.
bool CxhwSenFile::ReadConversion()
{
    if (m_conversionCount >= kMaxConversions - 1)
        return false;
    const int from = NextInt();
    const int to = NextInt();
    CxhwSenConvert& conversion = m_conversions[size_t(m_conversionCount)];
    conversion = CxhwSenConvert();
    GetUnitText(conversion.m_fromUnits, from);
    GetUnitText(conversion.m_toUnits, to);
    conversion.m_factor = NextFloat();
    conversion.m_offset = NextFloat();
    DescribeConversion(conversion.m_description, from, to);
    ++m_conversionCount;
    m_conversions[size_t(m_conversionCount)].m_fromUnits.clear();
    return true;
}

bool CxhwSenFile::NextWord()
{
    m_line.Trim(false);
    const int space = m_line.Find(' ');
    if (space == wxNOT_FOUND) {
        m_token = m_line;
        m_line.clear();
    } else {
        m_token = m_line.Left(size_t(space));
        m_line = m_line.Mid(size_t(space) + 1);
        m_line.Trim(false);
    }
    return !m_token.empty();
}

bool CxhwSenFile::NextField()
{
    m_line.Trim(false);
    const int comma = m_line.Find(',');
    if (comma == wxNOT_FOUND) {
        m_token = m_line;
        m_line.clear();
    } else {
        m_token = m_line.Left(size_t(comma));
        m_line = m_line.Mid(size_t(comma) + 1);
        m_line.Trim(false);
    }
    if (!m_token.empty() && m_token.StartsWith("\"") && m_token.EndsWith("\""))
        m_token = m_token.length() >= 2 ? m_token.Mid(1, m_token.length() - 2) : wxString();
    return !m_token.empty();
}

int CxhwSenFile::NextInt()
{
    NextField();
    long value = 0;
    if (m_token.empty() || !m_token.ToLong(&value, 10) || value < INT_MIN || value > INT_MAX)
        return 0;
    return int(value);
}

// Anything that is not a finite number in float range reads as 0, so that no
// NaN or infinity ever gets into a calibration.
float CxhwSenFile::NextFloat()
{
    NextField();
    double value = 0.0;
    if (!gumStringToDouble(m_token, &value) || !std::isfinite(value) || std::fabs(value) > FLT_MAX)
        return 0.0f;
    return float(value);
}

void CxhwSenFile::GetUnitText(wxString& text, int n) const
{
    text.clear();
    if (n > 0)
        text = docNormaliseUnit(Entry(1000, n));
}

void CxhwSenFile::DescribeConversion(wxString& text, int from, int to) const
{
    auto describe = [](int n) {
        wxString unit = docNormaliseUnit(Entry(1000, n));
        if (Entry(1000, n) != Entry(1100, n))
            unit += " (" + Entry(1100, n) + ")";
        return unit;
    };
    text = describe(from) + " " + _("to") + " " + describe(to);
}

float CxhwSenFile::Interpolate(int tableStart, int raw) const
{
    if (tableStart < 0 || tableStart >= m_pointCount)
        return float(raw);
    const size_t first = size_t(tableStart);
    if (raw < m_pointRaws[first])
        return m_pointValues[first];
    const int f = raw < kEndRaw ? raw : kEndRaw;
    size_t i = first + 1;
    while (i < size_t(m_pointCount) && m_pointRaws[i] < f)
        ++i;
    if (i >= size_t(m_pointCount)) // a table cut short by a failed load
        return m_pointValues[size_t(m_pointCount - 1)];
    // A raw on a point gives that point's value exactly, not a rounded sum.
    if (m_pointRaws[i] == kEndRaw || m_pointRaws[i] == f)
        return m_pointValues[i];
    const int ra = m_pointRaws[i - 1];
    const int rb = m_pointRaws[i];
    const float va = m_pointValues[i - 1];
    const float vb = m_pointValues[i];
    if (rb <= ra) // never a division by zero, whatever the table holds
        return vb;
    return va + (float(f - ra) * (vb - va)) / float(rb - ra);
}

int CxhwSenFile::FindTable(const wxString& name) const
{
    for (int i = 0; i < m_tableCount; ++i)
        if (m_tableNames[size_t(i)] == name)
            return m_tableStarts[size_t(i)];
    return -1;
}

int CxhwSenFile::FindNext(int ident, int after, bool any, bool trigger, bool scope, bool timing) const
{
    if (ident >= 256)
        return m_smartDefs.FindNext(ident, after, any, trigger, scope, timing);
    for (int i = after < 0 ? 0 : after + 1; i < m_sensorCount; ++i)
        if (m_sensors[size_t(i)].m_ident == ident)
            return i;
    return -1;
}

CxhwSenCalib& CxhwSenFile::GetCalib(CxhwSenCalib& calib, int index) const
{
    if (index >= 256)
        m_smartDefs.GetCalib(calib, index);
    else if (IsSensorIndex(index))
        calib = m_sensors[size_t(index)];
    return calib;
}

void CxhwSenFile::AssignCalib(CxhwSensor& sensor, int index) const
{
    if (index >= 256) {
        m_smartDefs.AssignCalib(sensor, index);
        return;
    }
    if (!IsSensorIndex(index))
        return;
    const CxhwSenCalib& entry = m_sensors[size_t(index)];
    if (!sensor.m_calib.IsSame(entry))
        sensor.m_changedCal = true;
    sensor.m_calib = entry;
}

bool CxhwSenFile::AssignSensor(CxhwSensor& sensor) const
{
    if (sensor.m_idCode >= 256) {
        const int input = xutGetSmartIdentInput(sensor.m_idCode);
        if (input < 0 || input > 5)
            return false;
        if (sensor.m_calType != sensor.m_idType)
            sensor.m_changedCal = true;
        sensor.m_calType = sensor.m_idType;
        int d = m_smartDefs.FindNext(sensor.m_idCode, -1, true, true, true, false);
        if (d < XUT_SMART_BASE)
            d = XUT_SMART_BASE + (sensor.m_idCode & 0x3F);
        AssignCalib(sensor, d);
        return true;
    }
    if (sensor.m_calType != sensor.m_idType)
        sensor.m_changedCal = true;
    sensor.m_calType = sensor.m_idType;
    int index = FindNext(sensor.m_idCode, -1, false, false, false, false);
    if (index < 0)
        index = FindNext(255, -1, false, false, false, false);
    if (index < 0)
        return false;
    AssignCalib(sensor, index);
    return true;
}

void CxhwSenFile::GetSensorName(wxString& name, int index) const
{
    if (index >= 256)
        m_smartDefs.GetName(name, index);
    else if (IsSensorIndex(index))
        name = m_sensors[size_t(index)].m_name;
}

void CxhwSenFile::GetSensorIcon(wxString& icon, int index) const
{
    if (index >= 256)
        m_smartDefs.GetIcon(icon, index);
    else if (IsSensorIndex(index))
        icon = m_sensors[size_t(index)].m_icon;
}

void CxhwSenFile::GetCalibLabel(wxString& label, int index, int code, bool withPrefix) const
{
    if (index >= 256)
        m_smartDefs.GetLabel(label, index, code, withPrefix);
    else if (IsSensorIndex(index))
        m_sensors[size_t(index)].GetLabel(label, code, withPrefix);
    else
        label.clear();
}
