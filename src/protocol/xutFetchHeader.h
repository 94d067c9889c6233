#pragma once
#include "hardware/xhwSensor.h"
#include "protocol/xutFetchFile.h"

#include <cstdint>
#include <wx/string.h>

// The header of a file downloaded from a logger: which file, how many readings
// at what interval, the sensors of its inputs and the texts it carries.
class CxutFetchHeader : public CxutFetchFile
{
public:
    // Copies the file, the numbers, the sensors and the texts.
    void Assign(const CxutFetchHeader& other);

    int32_t m_readings = 0;
    double m_interval = 0.0; // s; 0 for kinds without a fixed interval
    double m_duration = 0.0; // s
    // Set: m_indexSensor describes the index channel (its name, units and
    // decimal places).
    bool m_indexFlag = false;
    CxhwSensor m_indexSensor;
    CxhwSensorV m_sensors;
    // The texts handed to the document: its name, title and notes (the
    // document makes up the empty ones).
    wxString m_docName;
    wxString m_title;
    wxString m_notes;
    // Box types 10 and 12: the number of marks.
    int32_t m_count = 0;
};
