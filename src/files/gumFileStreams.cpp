#include "files/gumFileStreams.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stream.h>

namespace {

constexpr size_t kBlock = 1024;

// The temporary file is created private; the saved file gets the old file's
// permissions, or those of a new file.
void SetFinalMode(const wxString& path, const wxString& temp)
{
    struct stat old;
    mode_t mode = 0;
    if (::stat(path.fn_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::chmod(temp.fn_str(), mode);
}

} // namespace

bool gumReadIstream(wxMemoryBuffer& buffer, std::istream& stream)
{
    if (stream.fail() || stream.bad())
        return false;
    char block[kBlock];
    while (!stream.eof()) {
        stream.read(block, kBlock);
        const std::streamsize got = stream.gcount();
        if (got <= 0)
            break;
        // Doubled when full: growing by one block each time would copy a
        // large file over and over.
        const size_t needed = buffer.GetDataLen() + size_t(got);
        if (needed > buffer.GetBufSize())
            buffer.SetBufSize(std::max(needed + kBlock, 2 * buffer.GetBufSize()));
        buffer.AppendData(block, size_t(got));
    }
    return !stream.bad();
}

bool gumCopyToOstream(std::ostream& output, wxInputStream& input)
{
    if (output.fail() || output.bad() || !input.IsOk())
        return false;
    char block[kBlock];
    for (;;) {
        input.Read(block, kBlock);
        const size_t got = input.LastRead();
        if (got == 0)
            break;
        output.write(block, std::streamsize(got));
        if (!output.good())
            break;
    }
    return output.good();
}

bool gumReplaceFile(const wxString& path, const std::string& bytes)
{
    wxString temp;
    {
        wxLogNull quiet; // the caller reports a failure its own way
        temp = wxFileName::CreateTempFileName(path + "-");
    }
    if (temp.empty())
        return false;
    bool ok = false;
    {
        std::ofstream file(temp.fn_str(), std::ios::binary | std::ios::trunc);
        if (file) {
            file.write(bytes.data(), std::streamsize(bytes.size()));
            file.close();
            ok = !file.fail();
        }
    }
    if (ok) {
        SetFinalMode(path, temp);
        ok = std::rename(temp.fn_str(), path.fn_str()) == 0;
    }
    if (!ok)
        std::remove(temp.fn_str());
    return ok;
}

void gumSplitLines(const wxString& text, std::vector<wxString>& lines)
{
    lines.clear();
    const std::wstring wide = text.ToStdWstring();
    size_t start = 0;
    const size_t n = wide.size();
    for (size_t i = 0; i < n; ++i) {
        const wchar_t c = wide[i];
        if (c != L'\n' && c != L'\r')
            continue;
        lines.emplace_back(wide.substr(start, i - start));
        if (c == L'\r' && i + 1 < n && wide[i + 1] == L'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.emplace_back(wide.substr(start));
}
