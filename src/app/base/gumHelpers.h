#pragma once
#include <wx/string.h>

// Numbers in files, formulas and text fields use "." whatever the locale.
bool gumStringToDouble(const wxString& text, double* out);
void gumFormatDouble(wxString& out, double value);
void gumFormatDoubleG(wxString& out, int precision, double value);
void gumFormatFixed(wxString& out, int decimals, double value);

bool gumGetField(wxString& out, const wxString& line, int n, const wxString& separator, bool merge);
// The text as UTF-8, cut to at most size - 1 bytes on a whole character, then
// a zero byte.
bool gumCopyToCharBuffer(const wxString& text, char* buffer, int size);

wxString gumGetNewLine();
wxString gumGetMessageNewLine();

wxString gumGetAppName();
wxString gumGetVendorName();
