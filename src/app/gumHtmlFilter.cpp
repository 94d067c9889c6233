#include "app/gumHtmlFilter.h"

#include <string>
#include <wx/filesys.h>
#include <wx/stream.h>

bool CgumHtmlFilter::CanRead(const wxFSFile& file) const
{
    const wxString location = file.GetLocation().Lower();
    return location.EndsWith(".htm") || location.EndsWith(".html") ||
           file.GetMimeType().Lower().StartsWith("text/html");
}

wxString CgumHtmlFilter::ReadFile(const wxFSFile& file) const
{
    wxInputStream* stream = file.GetStream();
    if (!stream)
        return wxString();
    std::string bytes;
    char chunk[4096];
    while (stream->Read(chunk, sizeof chunk).LastRead() > 0)
        bytes.append(chunk, stream->LastRead());
    const wxString text = wxString::FromUTF8(bytes.data(), bytes.size());
    if (text.empty() && !bytes.empty())
        return wxString(bytes.data(), wxConvISO8859_1, bytes.size());
    return text;
}
