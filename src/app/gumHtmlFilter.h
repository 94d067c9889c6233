#pragma once
#include <wx/html/htmlfilt.h>

// Reads pages named ".htm" or ".html" as HTML whatever the system's MIME
// table says of them: some systems call ".htm" XHTML, which the toolkit's
// HTML windows would show as plain text (the help book's pages among them).
// The pages are UTF-8; a page that is not is read as ISO-8859-1.
class CgumHtmlFilter : public wxHtmlFilter
{
public:
    bool CanRead(const wxFSFile& file) const override;
    wxString ReadFile(const wxFSFile& file) const override;
};
