#include "app/base/appReplaceFile.h"
#include "files/gumFile.h"

#include "document/docDoc.h"
#include "files/gumFileStreams.h"
#include "files/gumUtf8.h"

#include <algorithm>
#include <cstring>
#include <wx/mstream.h>

namespace {

bool UsesCrLf(int format)
{
    return format == DOC_FORMAT_OBD || format == DOC_FORMAT_SID || format == DOC_FORMAT_OWN ||
           format == DOC_FORMAT_TEMPLATE;
}

// The own data file and the template are always UTF-8. The exports take the
// system's encoding as the locale reports it: UTF-8 on every current desktop,
// so that other programs read them as they are; ISO-8859-1 where the locale
// has an 8-bit character set or none, which the reader's fall-back takes.
bool UsesUtf8(int format)
{
    if (format < DOC_FORMAT_OBD || format > DOC_FORMAT_TEMPLATE || format == DOC_FORMAT_OWN ||
        format == DOC_FORMAT_TEMPLATE)
        return true;
    return gumLocaleIsUtf8();
}

// Where each line lies in the bytes: lines end at LF, CR LF or a lone CR, and
// a final line end makes no empty last line.
void FindLines(const char* bytes, size_t length, size_t start, std::vector<std::pair<size_t, size_t>>& lines)
{
    lines.clear();
    size_t begin = start;
    for (size_t i = start; i < length; ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        lines.emplace_back(begin, i - begin);
        if (c == '\r' && i + 1 < length && bytes[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < length)
        lines.emplace_back(begin, length - begin);
}

// Characters in a line of the file; a UTF-8 character has one byte that is
// not a continuation byte.
size_t CharCount(const char* bytes, size_t length, bool utf8)
{
    if (!utf8)
        return length;
    size_t count = 0;
    for (size_t i = 0; i < length; ++i)
        count += (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80;
    return count;
}

} // namespace

CgumFile::~CgumFile() = default;

void CgumFile::BeginWriting(wxOutputStream& output, int format)
{
    m_output = &output;
    m_format = format;
    m_export = format >= DOC_FORMAT_OBD && format <= DOC_FORMAT_TEXT;
    m_eightBit = !UsesUtf8(format);
    m_crLf = UsesCrLf(format);
    m_writeFailed = false;
    m_pending.clear();
}

void CgumFile::EndWriting()
{
    if (m_output && !m_pending.empty()) {
        m_output->Write(m_pending.data(), m_pending.size());
        if (m_output->LastWrite() != m_pending.size())
            m_writeFailed = true;
    }
    // Set last: every write to a toolkit stream clears its error first.
    if (m_writeFailed && m_output)
        m_output->Reset(wxSTREAM_WRITE_ERROR);
    m_output = nullptr;
    std::string().swap(m_pending);
}

void CgumFile::WriteLine(const wxString& line)
{
    if (!m_output)
        return;
    std::string& out = m_pending;
    const wchar_t* text = line.wc_str();
    const size_t length = line.length();
    // Most lines are plain ASCII without a line break: copied as they are.
    size_t plain = 0;
    while (plain < length && uint32_t(text[plain]) < 0x80 && text[plain] != L'\n')
        ++plain;
    const size_t at = out.size();
    out.resize(at + plain);
    for (size_t i = 0; i < plain; ++i)
        out[at + i] = char(text[i]);
    for (size_t i = plain; i < length; ++i) {
        const uint32_t c = uint32_t(text[i]);
        if (c == '\n') {
            out += m_crLf ? "\r\n" : "\n";
        } else if (c < 0x80) {
            out.push_back(char(c));
        } else if (m_eightBit) {
            // A character the 8-bit encoding cannot hold is replaced, so
            // that the rest of the line is still written.
            out.push_back(c <= 0xFF ? char(c) : '?');
        } else if (!gumAppendUtf8(out, c)) {
            // No UTF-8 form: an export is replaced as above; the own file
            // would lose this, so its write fails.
            if (m_export)
                out.push_back('?');
            else
                m_writeFailed = true;
        }
    }
    out += m_crLf ? "\r\n" : "\n";
}

void CgumFile::WriteChars(const wchar_t* text)
{
    WriteLine(text ? wxString(text) : wxString());
}

bool CgumFile::ReadLine(wxString& line)
{
    if (!m_bytes || m_nextLine >= m_lines.size())
        return false;
    const std::pair<size_t, size_t> at = m_lines[m_nextLine++];
    const char* bytes = m_bytes + at.first;
    m_decoded.clear();
    if (m_utf8) {
        if (!gumDecodeUtf8(bytes, at.second, m_decoded))
            return false;
    } else {
        m_decoded.resize(at.second);
        for (size_t i = 0; i < at.second; ++i)
            m_decoded[i] = wchar_t(static_cast<unsigned char>(bytes[i]));
    }
    line.assign(m_decoded.data(), m_decoded.size());
    return true;
}

void CgumFile::WriteStream(wxOutputStream& output, CdocDoc& doc, int format)
{
    BeginWriting(output, format);
    // The text goes to the stream in one write at the end: a memory stream
    // that grows with every block costs more than all the rest of a save.
    // Room is set aside at once (it is only touched as it fills), as a cell
    // and its separator seldom take more than twelve bytes.
    const CdocData& data = doc.m_data;
    const size_t records = size_t(std::clamp(data.m_records, 0, DOC_MAX_SAMPLES));
    const size_t columns = size_t(std::clamp(data.m_fields.GetCount(), 0, DOC_MAX_FIELDS)) + 2;
    m_pending.reserve(records * columns * 12 + (1 << 18));
    Write(doc);
    EndWriting();
}

bool CgumFile::WriteFile(const wxString& path, CdocDoc& doc, int format)
{
    wxMemoryOutputStream memory;
    WriteStream(memory, doc, format);
    if (!memory.IsOk())
        return false;
    const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
    const std::string bytes(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
    return appReplaceFile(path, bytes.data(), bytes.size());
}

bool CgumFile::ReadStream(wxInputStream& input, CdocDoc& doc)
{
    std::string bytes;
    const wxFileOffset size = input.GetLength();
    if (size > 0)
        bytes.reserve(size_t(size));
    char block[1 << 16];
    while (input.IsOk() && !input.Eof()) {
        input.Read(block, sizeof block);
        const size_t n = input.LastRead();
        if (n == 0)
            break;
        bytes.append(block, n);
    }
    return ReadBytes(bytes.data(), bytes.size(), doc);
}

bool CgumFile::ReadBytes(const char* bytes, size_t length, CdocDoc& doc)
{
    // One encoding for the whole file, chosen before any line is parsed, so
    // that nothing is read twice: strict UTF-8 when every byte fits it, else
    // ISO-8859-1, which takes every byte.
    m_utf8 = gumIsStrictUtf8(bytes, length);
    // A byte-order mark that other programs put in front is no part of the
    // identifier line.
    const size_t start = m_utf8 && length >= 3 && std::memcmp(bytes, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    // Code 4 is no character of a text file in either encoding.
    if (length > start && std::memchr(bytes + start, 4, length - start))
        return false;
    FindLines(bytes, length, start, m_lines);
    // No line of a data file comes near this: such a file is refused before
    // the document is touched.
    constexpr size_t kLongestLine = 1 << 20;
    for (const std::pair<size_t, size_t>& line : m_lines) {
        if (line.second > kLongestLine && CharCount(bytes + line.first, line.second, m_utf8) > kLongestLine) {
            m_lines.clear();
            return false;
        }
    }
    m_bytes = bytes;
    m_nextLine = 0;
    m_format = 0;
    const bool ok = Read(doc);
    m_bytes = nullptr;
    m_lines.clear();
    return ok;
}

bool CgumFile::WriteTableText(wxString& out, CdocDoc& doc)
{
    wxMemoryOutputStream memory;
    BeginWriting(memory, DOC_FORMAT_TABLE_COPY);
    // The copy goes through UTF-8 whatever the table format's file encoding.
    m_eightBit = false;
    m_crLf = false;
    Write(doc);
    EndWriting();
    const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
    out = wxString::FromUTF8(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
    return memory.IsOk();
}
