#pragma once
#include <wx/string.h>

// The display form of a units text written in plain characters ("'C" gives
// "°C", "us" gives "µs", "m/s2" gives "m/s²"); any other text comes back as it
// is. The comparison is of the whole text, case counting.
wxString docNormaliseUnit(const wxString& units);
