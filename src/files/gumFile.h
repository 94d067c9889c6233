#pragma once
#include "files/docFile.h"

#include <memory>
#include <vector>

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
    // The table as tab-separated text for the clipboard.
    bool WriteTableText(wxString& out, CdocDoc& doc);
    // Reads the whole file held in memory.
    bool ReadBytes(const char* bytes, size_t length, CdocDoc& doc);

    wxOutputStream* m_output = nullptr;
    wxTextOutputStream* m_textOutput = nullptr;

private:
    bool m_eightBit = false;
    std::vector<wxString> m_lines;
    size_t m_nextLine = 0;
};
