#include "hardware/xhwSenCalib.h"

#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xutSmartSenDef.h"

#include <algorithm>

float CxhwSenCalib::Convert(int raw) const
{
    if (raw == XHW_NO_READING)
        return XHW_NO_VALUE;
    float v;
    if (m_index >= 256 && m_def && m_def->HasRange(m_index)) {
        v = m_def->ConvertRaw(m_index, raw);
    } else if (m_tableStart == 0) {
        return XHW_NO_VALUE; // a smart calibration whose block is gone
    } else if (const CxhwSenFile* database = xhwGetSenFile()) {
        v = database->Interpolate(m_tableStart, raw);
    } else {
        v = float(raw);
    }
    float result = v * m_gain;
    result = result + m_offset;
    return result;
}

bool CxhwSenCalib::IsSame(const CxhwSenCalib& other) const
{
    return m_ident == other.m_ident && m_name == other.m_name && m_units == other.m_units &&
           m_calMax == other.m_calMax && m_calMin == other.m_calMin && m_defMax == other.m_defMax &&
           m_defMin == other.m_defMin && m_nowMax == other.m_nowMax && m_nowMin == other.m_nowMin &&
           m_places == other.m_places && m_gain == other.m_gain && m_offset == other.m_offset &&
           m_table == other.m_table && m_icon == other.m_icon && m_index == other.m_index &&
           m_tableStart == other.m_tableStart;
}

void CxhwSenCalib::GetLabel(wxString& label, int code, bool withPrefix) const
{
    if (!m_description.empty()) {
        label = m_description;
    } else {
        label.clear();
        if (m_ident == 0)
            return;
        // Places come from files and sensors: a sane precision whatever they say.
        const int precision = std::clamp(m_places - 1, 0, 20);
        wxString low;
        wxString high;
        gumFormatFixed(low, precision, m_calMin);
        gumFormatFixed(high, precision, m_calMax);
        label = m_name + ", " + low + " " + gumGetString(490) + " " + high;
        if (m_units.compare(" ") > 0)
            label += " " + m_units;
    }
    if (!withPrefix || code > 24)
        return;
    if (code == 4 || code == 7 || code == 23)
        label = gumGetString(2398) + ": " + label;
    else if (code == 2 || code == 24)
        label = gumGetString(2399) + ": " + label;
}
