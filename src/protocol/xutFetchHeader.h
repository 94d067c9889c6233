#pragma once
#include "hardware/xhwSensor.h"
#include "protocol/xutFetchFile.h"

#include <cstdint>
#include <wx/string.h>

// The header of a file downloaded from a logger: which file, how many readings
// at what interval, the sensors of its inputs and the texts it carries.
class CxutFetchHeader
{
public:
    CxutFetchFile m_file;
    int32_t m_readings = 0;
    double m_interval = 0.0;
    double m_duration = 0.0;
    // Set: m_indexSensor describes the index channel.
    int32_t m_indexFlag = 0;
    CxhwSensor m_indexSensor;
    CxhwSensorV m_sensors;
    wxString m_name;
    wxString m_title;
    wxString m_notes;
    // Box types 10 and 12: the number of marks.
    int32_t m_count = 0;
};
