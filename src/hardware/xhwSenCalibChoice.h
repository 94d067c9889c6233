#pragma once
#include <wx/string.h>

// One way of using a sensor on the connected logger: a calibration (database
// entry or smart range), the ident it was found under, and the type the
// input is set to with it.
class CxhwSenCalibChoice
{
public:
    CxhwSenCalibChoice() = default;
    CxhwSenCalibChoice(const CxhwSenCalibChoice&) = default;
    CxhwSenCalibChoice& operator=(const CxhwSenCalibChoice&) = default;
    virtual ~CxhwSenCalibChoice() = default;

    // The type that keeps the sensor's own IdType.
    static constexpr int kOwnType = -1;

    int m_index = 0;
    int m_ident = 0;
    int m_code = 0;
    wxString m_label; // never empty once in a list
};
