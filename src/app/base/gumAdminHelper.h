#pragma once
#include <wx/string.h>

// Copies a file with administrator rights through the auxiliary program; true
// when the destination appeared or changed within about 3 s of its end.
bool gumRunAdminHelper(const wxString& source, const wxString& destination);
