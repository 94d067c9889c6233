#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>
#include <wx/string.h>

class CdocColour;
class CdocFile;
class CxhwMinMax;
class CxhwSenCalib;
class CxhwSensor;
class CxutBoxInfo;
class CxutBoxPublicInfo;

// The value forms of the state lines.
enum CdocStateForm
{
    STATE_FLAG,      // bool
    STATE_INT,       // int
    STATE_INT64,     // int64_t
    STATE_UINT64,    // uint64_t, unsigned decimal
    STATE_FLOAT,     // float, "%g"
    STATE_DOUBLE,    // double, "%g"
    STATE_PRECISE,   // double, twelve significant digits
    STATE_TEXT,      // wxString, the rest of the line
    STATE_RANGE,     // CxhwMinMax, minimum then maximum
    STATE_COLOUR,    // CdocColour, three whole numbers
    STATE_FONT,      // wxString holding the ";"-separated font description
    STATE_WHOLE_FLOAT,  // float written without its fraction, read as a whole number
    STATE_WHOLE_DOUBLE, // double written without its fraction, read as a real
};

// One key of a section bound to the member that holds its value.
class CdocData;

struct CdocStateKey
{
    const char* m_key;
    CdocStateForm m_form;
    void* m_value;
    bool m_read;
};

using CdocStateKeys = std::vector<CdocStateKey>;

// The keys of the records that more than one section carries, in file order.
CdocStateKeys docCalibKeys(CxhwSenCalib& calib);
// The sensor's keys but its calibration, which goes after "UserEnable".
CdocStateKeys docSensorKeysBefore(CxhwSensor& sensor);
CdocStateKeys docSensorKeysAfter(CxhwSensor& sensor);
CdocStateKeys docBoxPublicInfoKeys(CxutBoxPublicInfo& info);
CdocStateKeys docBoxInfoKeys(CxutBoxInfo& info);
CdocStateKeys docDataKeys(CdocData& d);

// The value of one key in its written form; item >= 0 goes in front of it.
wxString docFormatStateValue(const CdocStateKey& key, int item);
// Reads the value text into the key's member when the key is one of the list
// (case ignored) and may be read; false only for a malformed value. A font
// is taken only when fonts is true (files of platform 2).
bool docReadStateKey(const CdocStateKeys& keys, const wxString& key, const wxString& value, bool fonts = true);
bool docReadCalibKey(CxhwSenCalib& calib, const wxString& key, const wxString& value);
bool docReadSensorKey(CxhwSensor& sensor, const wxString& key, const wxString& value);

// Value readers of the whole text: false leaves the value unchanged.
bool docParseWhole(const wxString& text, int64_t& value);
bool docParseInt(const wxString& text, int& value);
bool docParseUInt64(const wxString& text, uint64_t& value);
bool docParseReal(const wxString& text, double& value);
bool docParseColour(const wxString& text, CdocColour& colour);
bool docParseRange(const wxString& text, CxhwMinMax& range);
bool docParseFontText(const wxString& text);
// Whether the text is the name (a section, key or header key of plain ASCII),
// case ignored as wxString::IsSameAs ignores it, but without converting the
// name to a string each time: there are thousands of such tests in a file.
bool docSameName(const wxString& text, const char* name);
// A text value on one line: line breaks become spaces.
wxString docOneLine(const wxString& text);
