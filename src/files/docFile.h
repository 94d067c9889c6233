#pragma once
#include "data/docFieldKey.h"
#include "data/docFieldV.h"

#include <wx/string.h>

class CdocData;
class CdocDoc;

// Format indexes of the data files.
enum
{
    DOC_FORMAT_OWN_LF = 2,
    DOC_FORMAT_OBD = 3,
    DOC_FORMAT_SID = 4,
    DOC_FORMAT_CSV = 5,
    DOC_FORMAT_TSV = 6,
    DOC_FORMAT_MARKER_TEXT = 7,
    DOC_FORMAT_TEXT = 8,
    DOC_FORMAT_OWN = 9,
    DOC_FORMAT_TABLE_COPY = 10,
    DOC_FORMAT_TEMPLATE = 11,
};

// Writes a document as one of the text data files and reads the ones with a
// header, a line at a time; a derived class carries the lines to a stream.
// Still thin: the own data file and the template carry the header, the notes,
// the "Doc" section of the state lines and the rows; the other sections, the
// exports without a header and the column detection of imports are to come.
class CdocFile
{
public:
    CdocFile() = default;
    virtual ~CdocFile() = 0;
    CdocFile(const CdocFile&) = delete;
    CdocFile& operator=(const CdocFile&) = delete;

    // The line end is the implementation's.
    virtual void WriteLine(const wxString& line) = 0;
    virtual void WriteChars(const wchar_t* text) = 0;
    // False at the end of the input or when a line cannot be decoded.
    virtual bool ReadLine(wxString& line) = 0;

    void Write(CdocDoc& doc);
    void WriteIdentifier(CdocDoc& doc);
    void WriteHeader(CdocDoc& doc);
    void WriteFieldHeader(int column, const wxString& name, const wxString& units, const wxString& description,
                          int places, float min, float max);
    void WriteNotes(CdocDoc& doc);
    void WriteState(CdocDoc& doc);
    void WriteRows(CdocData& data);
    void CollectColumns(CdocDoc& doc);

    bool Read(CdocDoc& doc);
    // Leaves the first row in the line (m_haveRow tells whether there is one).
    bool ReadHeader(CdocDoc& doc, wxString& line);
    bool ReadSection(CdocDoc& doc, wxString rest);

    int m_format = 0;
    wxString m_separator = ",";
    wxString m_quote;
    bool m_timeAndDate = false;
    CdocFieldKey m_columns[DOC_MAX_FIELDS];
    int m_columnCount = 0;

private:
    bool HasMarks(CdocData& data) const;
    bool ReadRows(CdocDoc& doc, wxString& line);
    void TakeMarkerColumn(CdocData& data);
    void WriteStateLine(const wxString& section, const wxString& key, const wxString& value);
    bool ReadDocKey(CdocDoc& doc, const wxString& key, wxString value);

    bool m_haveRow = false;
};

// Field readers: each takes its field off the front of the line.
bool docSplitField(wxString& field, wxString& line);
bool docNextField(wxString& field, wxString& line);
bool docReadLongField(long& value, wxString& line);
bool docReadNumberField(double& value, wxString& line);
