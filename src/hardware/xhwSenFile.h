#pragma once
#include "hardware/xhwSenCalib.h"
#include "hardware/xutSmartSenDef.h"

#include <array>
#include <vector>
#include <wx/string.h>

class CxhwSensor;

// The sensor database: the default calibrations of the classic sensors, the
// raw-to-value tables they convert through, the unit conversions, all read
// once at start-up from Sensors.txt, and the six smart-sensor definition
// blocks filled later from the logger. After Load only the smart blocks
// change, so both threads read the rest without a lock.
class CxhwSenFile
{
public:
    static constexpr int kMaxSensors = 150;
    static constexpr int kMaxTables = 80;
    static constexpr int kMaxPoints = 1100;
    static constexpr int kFirstPoint = 350;
    static constexpr int kMaxConversions = 150;
    static constexpr int kEndRaw = 0x10000;

    CxhwSenFile();
    virtual ~CxhwSenFile();
    CxhwSenFile(const CxhwSenFile&) = delete;
    CxhwSenFile& operator=(const CxhwSenFile&) = delete;

    bool Load();
    // Reads the lines of a sensor file as Load does once the file is open.
    bool LoadLines(std::vector<wxString> lines);

    float Interpolate(int tableStart, int raw) const;
    int FindTable(const wxString& name) const;
    int FindNext(int ident, int after, bool any, bool trigger, bool scope, bool timing) const;
    CxhwSenCalib& GetCalib(CxhwSenCalib& calib, int index) const;
    void AssignCalib(CxhwSensor& sensor, int index) const;
    bool AssignSensor(CxhwSensor& sensor) const;
    void GetSensorName(wxString& name, int index) const;
    void GetSensorIcon(wxString& icon, int index) const;
    void GetCalibLabel(wxString& label, int index, int code, bool withPrefix) const;

    void GetUnitText(wxString& text, int n) const;
    void DescribeConversion(wxString& text, int from, int to) const;

    const wxString& GetVersion() const { return m_version; }
    int GetSensorCount() const { return m_sensorCount; }
    const CxhwSenCalib& GetSensor(int i) const { return m_sensors[size_t(i)]; }
    int GetTableCount() const { return m_tableCount; }
    const wxString& GetTableName(int i) const { return m_tableNames[size_t(i)]; }
    int GetTableStart(int i) const { return m_tableStarts[size_t(i)]; }
    int GetPointCount() const { return m_pointCount; }
    int GetPointRaw(int i) const { return m_pointRaws[size_t(i)]; }
    float GetPointValue(int i) const { return m_pointValues[size_t(i)]; }

    CxutSmartSenDefs& GetSmartDefs() { return m_smartDefs; }
    const CxutSmartSenDefs& GetSmartDefs() const { return m_smartDefs; }

    // Read by the unit-conversion dialog: the entry after the last has an
    // empty from-units text.
    int m_conversionCount = 0;
    std::array<CxhwSenConvert, kMaxConversions> m_conversions;

private:
    void Reset();
    bool ReadLines();
    bool ReadTable();
    bool ReadSensor();
    void ReadExtras();
    bool ReadConversion();
    bool NextWord();
    bool NextField();
    int NextInt();
    float NextFloat();
    bool IsSensorIndex(int index) const { return index >= 0 && index < m_sensorCount && index < 256; }

    wxString m_version;
    std::array<int, 256> m_extras{};
    int m_pointCount = 0;
    std::array<float, kMaxPoints> m_pointValues{};
    std::array<int, kMaxPoints> m_pointRaws{};
    int m_tableCount = 0;
    std::array<wxString, kMaxTables> m_tableNames;
    std::array<int, kMaxTables> m_tableStarts{};
    int m_sensorCount = 0;
    std::array<CxhwSenCalib, kMaxSensors> m_sensors;
    CxutSmartSenDefs m_smartDefs;
    std::vector<wxString> m_lines;
    size_t m_lineIndex = 0;
    wxString m_line;
    wxString m_token;
};

// The application's sensor database (the one constructed last that still
// lives), reached by code that does not know the application object.
CxhwSenFile* xhwGetSenFile();
