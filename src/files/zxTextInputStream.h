#pragma once
#include <wx/txtstrm.h>

// Splits its input into lines at LF, CR LF or a lone CR, and tells a
// character that cannot be decoded from the end of the input.
class CzxTextInputStream : public wxTextInputStream
{
public:
    CzxTextInputStream(wxInputStream& input, const wxString& separators, const wxMBConv& conversion)
        : wxTextInputStream(input, separators, conversion)
    {
    }
    virtual ~CzxTextInputStream() = default;

    // The next line without its end; false when a character could not be decoded.
    bool ReadLine(wxString& line);
};
