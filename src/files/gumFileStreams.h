#pragma once
#include <iosfwd>
#include <string>
#include <vector>
#include <wx/buffer.h>
#include <wx/string.h>

class wxInputStream;

// Reads the whole standard stream into the buffer in blocks of 1024 bytes;
// false when the stream had already failed.
bool gumReadIstream(wxMemoryBuffer& buffer, std::istream& stream);
// Copies the toolkit stream into the standard one in blocks of 1024 bytes;
// true when the output is still good.
bool gumCopyToOstream(std::ostream& output, wxInputStream& input);

// Splits the text into lines at LF, CR LF and a lone CR; a final line end
// makes no empty last line.
void gumSplitLines(const wxString& text, std::vector<wxString>& lines);
