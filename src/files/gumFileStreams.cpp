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
