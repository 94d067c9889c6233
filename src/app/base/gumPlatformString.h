#pragma once
#include <string>
#include <wx/string.h>

// Texts cross to the Bluetooth layer as UTF-32 little-endian characters.
using zxPlatformString = std::u32string;

zxPlatformString gumToNSString(const wxString& text);
void gumFromNSString(wxString& out, const zxPlatformString& text);
