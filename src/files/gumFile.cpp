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
    if (m_textOutput)
        m_textOutput->WriteString(line + "\n");
}

void CgumFile::WriteChars(const wchar_t* text)
{
    WriteLine(text ? wxString(text) : wxString());
}

bool CgumFile::ReadLine(wxString& line)
{
    if (!m_readOk || !m_input || !m_textInput || m_input->Eof())
        return false;
    if (!m_textInput->ReadLine(line)) {
        m_readOk = false;
        return false;
    }
    // An empty line at the very end is the end of the input.
    return !(line.empty() && m_input->Eof());
}

void CgumFile::WriteStream(wxOutputStream& output, CdocDoc& doc, int format)
{
    const wxMBConv& conversion = UsesUtf8(format) ? static_cast<const wxMBConv&>(wxConvUTF8)
                                                  : static_cast<const wxMBConv&>(wxConvISO8859_1);
    wxTextOutputStream text(output, UsesCrLf(format) ? wxEOL_DOS : wxEOL_UNIX, conversion);
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
    input.Reset();
    input.SeekI(0);
    if (ReadWithEncoding(wxConvUTF8, input, doc))
        return true;
    input.Reset();
    input.SeekI(0);
    if (ReadWithEncoding(wxConvISO8859_1, input, doc))
        return true;
    input.Reset();
    input.SeekI(0);
    return false;
}

bool CgumFile::ReadWithEncoding(const wxMBConv& conversion, wxInputStream& input, CdocDoc& doc)
{
    CzxTextInputStream text(input, " \t", conversion);
    m_input = &input;
    m_textInput = &text;
    m_readOk = true;
    m_format = 0;
    bool ok = Read(doc);
    if (ok && !m_readOk) {
        doc.ResetAfterClose();
        ok = false;
    }
    m_textInput = nullptr;
    return ok;
}
