#pragma once
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"

#include <wx/colour.h>

namespace qvtest {

// A document connected to the simulated logger with three inputs, no
// channels yet, the logger search over.
inline void SetUpMeterDoc(CdocDoc& doc)
{
    doc.m_waitingForFind = false;
    CxutBoxPublicInfo& box = doc.m_boxInfo;
    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    box.m_info.m_maxSensors = 3;
    box.m_boxPower = 100;
    box.m_boxStamp = "Lab bench 3";
}

// A temperature sensor on the logger's input and its channel, Def range 0
// to 100, with the current value.
inline CdocField& AddMeterSensor(CdocDoc& doc, int input, const wxColour& colour, float value,
                                 const char* name = "Temperature")
{
    CxhwSensor& sensor = doc.m_boxInfo.m_sensors[input];
    sensor.m_idCode = 20 + input;
    sensor.m_calib.m_ident = 20 + input;
    sensor.m_calib.m_icon = "Temp";
    sensor.m_calib.m_name = name;
    sensor.m_calib.m_units = "C";
    sensor.m_calib.m_defMax = 100.0f;
    sensor.m_calib.m_defMin = 0.0f;
    sensor.m_calib.m_places = 1;
    CdocFieldV& fields = doc.m_data.m_fields;
    CdocField& field = *fields.GetAt(fields.Add(1));
    field.InitSensor(input, sensor);
    field.m_colour = CdocColour(colour.Red(), colour.Green(), colour.Blue());
    field.m_current = value;
    return field;
}

// A manual or formula channel over 0 to 100 with the current value.
inline CdocField& AddMeterExtra(CdocDoc& doc, bool formula, const wxColour& colour, float value)
{
    CdocFieldV& fields = doc.m_data.m_fields;
    CdocField& field = *fields.GetAt(fields.Add(1));
    if (formula)
        field.InitFormula();
    else
        field.InitManual();
    field.m_name = formula ? "Sum" : "Mass";
    field.m_unit = "g";
    field.m_def.Set(100.0f, 0.0f);
    field.m_colour = CdocColour(colour.Red(), colour.Green(), colour.Blue());
    field.m_current = value;
    return field;
}

} // namespace qvtest
