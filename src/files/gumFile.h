#pragma once
#include "files/docFile.h"

#include <string>
#include <utility>
#include <vector>

class wxInputStream;
class wxOutputStream;

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

    // The caller learns of write errors from the stream, which is left failed
    // also when a line holds a character the encoding has no form for.
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

private:
    // Lines are encoded here by the file itself (the toolkit's text stream
    // leaves out a line it cannot encode, and says nothing) and handed to
    // the output stream when the file is complete.
    void BeginWriting(wxOutputStream& output, int format);
    void EndWriting();

    bool m_export = false;
    bool m_eightBit = false;
    bool m_crLf = false;
    bool m_writeFailed = false;
    std::string m_pending;

    // The file being read: its bytes, their encoding and where each line
    // lies in them (start, length), decoded one line at a time.
    const char* m_bytes = nullptr;
    bool m_utf8 = false;
    std::vector<std::pair<size_t, size_t>> m_lines;
    size_t m_nextLine = 0;
    std::wstring m_decoded;
};
