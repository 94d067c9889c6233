#pragma once
#include "files/docFile.h"

#include <memory>

class CzxTextInputStream;
class wxInputStream;
class wxMBConv;
class wxOutputStream;
class wxTextOutputStream;

// The data file on the toolkit's streams: the encoding and line end by format
// index, reading first as strict UTF-8 and then as ISO-8859-1. Built on the
// stack for one read or one write.
class CgumFile : public CdocFile
{
public:
    CgumFile() = default;
    ~CgumFile() override;

    void WriteLine(const wxString& line) override;
    void WriteChars(const wchar_t* text) override;
    bool ReadLine(wxString& line) override;

    // The caller learns of write errors from the stream.
    void WriteStream(wxOutputStream& output, CdocDoc& doc, int format);
    // Written through memory and a temporary file; the old file stays as it
    // was when anything fails.
    bool WriteFile(const wxString& path, CdocDoc& doc, int format);
    bool ReadStream(wxInputStream& input, CdocDoc& doc);
    bool ReadWithEncoding(const wxMBConv& conversion, wxInputStream& input, CdocDoc& doc);

    wxInputStream* m_input = nullptr;
    wxOutputStream* m_output = nullptr;
    wxTextOutputStream* m_textOutput = nullptr;
    CzxTextInputStream* m_textInput = nullptr;
    bool m_readOk = true;
};
