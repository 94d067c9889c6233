#include "files/gumFile.h"

#include "document/docDoc.h"
#include "files/gumFileStreams.h"
#include "files/zxTextInputStream.h"

#include <wx/mstream.h>
#include <wx/strconv.h>
#include <wx/txtstrm.h>

namespace {

bool UsesCrLf(int format)
{
    return format == DOC_FORMAT_OBD || format == DOC_FORMAT_SID || format == DOC_FORMAT_OWN ||
           format == DOC_FORMAT_TEMPLATE;
}

// The exports are 8-bit; this system has no default 8-bit encoding of its
// own, and ISO-8859-1 reads back through the reader's fall-back.
bool UsesUtf8(int format)
{
    return format < DOC_FORMAT_OBD || format > DOC_FORMAT_TEMPLATE || format == DOC_FORMAT_OWN ||
           format == DOC_FORMAT_TEMPLATE;
}

} // namespace

CgumFile::~CgumFile() = default;

void CgumFile::WriteLine(const wxString& line)
{
    if (!m_textOutput)
        return;
    if (!m_eightBit) {
        m_textOutput->WriteString(line + "\n");
        return;
    }
    // A character the 8-bit encoding cannot hold would make the toolkit drop
    // the whole line: it is replaced instead.
    wxString text = line;
    for (wxString::iterator c = text.begin(); c != text.end(); ++c)
        if (wxUint32(*c) > 0xFF)
            *c = '?';
    m_textOutput->WriteString(text + "\n");
}

void CgumFile::WriteChars(const wchar_t* text)
{
    WriteLine(text ? wxString(text) : wxString());
}

bool CgumFile::ReadLine(wxString& line)
{
    if (m_nextLine >= m_lines.size())
        return false;
    line = m_lines[m_nextLine++];
    return true;
}

void CgumFile::WriteStream(wxOutputStream& output, CdocDoc& doc, int format)
{
    const wxMBConv& conversion = UsesUtf8(format) ? static_cast<const wxMBConv&>(wxConvUTF8)
                                                  : static_cast<const wxMBConv&>(wxConvISO8859_1);
    wxTextOutputStream text(output, UsesCrLf(format) ? wxEOL_DOS : wxEOL_UNIX, conversion);
    m_eightBit = !UsesUtf8(format);
    m_output = &output;
    m_textOutput = &text;
    m_format = format;
    Write(doc);
    text.Flush();
    m_textOutput = nullptr;
}

bool CgumFile::WriteFile(const wxString& path, CdocDoc& doc, int format)
{
    wxMemoryOutputStream memory;
    WriteStream(memory, doc, format);
    if (!memory.IsOk())
        return false;
    const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
    const std::string bytes(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
    return gumReplaceFile(path, bytes);
}

bool CgumFile::ReadStream(wxInputStream& input, CdocDoc& doc)
{
    wxMemoryBuffer bytes;
    char block[4096];
    while (input.IsOk() && !input.Eof()) {
        input.Read(block, sizeof block);
        const size_t n = input.LastRead();
        if (n == 0)
            break;
        bytes.AppendData(block, n);
    }
    return ReadBytes(static_cast<const char*>(bytes.GetData()), bytes.GetDataLen(), doc);
}

bool CgumFile::ReadBytes(const char* bytes, size_t length, CdocDoc& doc)
{
    // One encoding for the whole file, chosen before any line is parsed, so
    // that nothing is read twice: strict UTF-8 when every byte fits it.
    wxString text;
    if (length > 0) {
        text = wxString::FromUTF8(bytes, length);
        if (text.empty())
            text = wxString(bytes, wxConvISO8859_1, length);
    }
    // A byte-order mark that other programs put in front is no part of the
    // identifier line.
    if (!text.empty() && text[0] == wxUniChar(0xFEFF))
        text.Remove(0, 1);
    // Code 4 is no character of a text file in either encoding.
    if (text.Find(wxUniChar(4)) != wxNOT_FOUND)
        return false;
    gumSplitLines(text, m_lines);
    // No line of a data file comes near this: such a file is refused before
    // the document is touched.
    constexpr size_t kLongestLine = 1 << 20;
    for (const wxString& line : m_lines) {
        if (line.length() > kLongestLine) {
            m_lines.clear();
            return false;
        }
    }
    m_nextLine = 0;
    m_format = 0;
    const bool ok = Read(doc);
    m_lines.clear();
    return ok;
}

bool CgumFile::WriteTableText(wxString& out, CdocDoc& doc)
{
    wxMemoryOutputStream memory;
    wxTextOutputStream text(memory, wxEOL_UNIX, wxConvUTF8);
    m_output = &memory;
    m_textOutput = &text;
    m_eightBit = false;
    m_format = DOC_FORMAT_TABLE_COPY;
    Write(doc);
    text.Flush();
    m_textOutput = nullptr;
    m_output = nullptr;
    const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
    out = wxString::FromUTF8(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
    return memory.IsOk();
}
