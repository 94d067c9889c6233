#pragma once
#include "data/docFieldKey.h"
#include "data/docFieldV.h"
#include "files/docStateKeys.h"

#include <array>
#include <wx/string.h>

class CdocAnnotation;
class CdocCalc;
class CdocControlItem;
class CdocData;
class CdocDoc;
class CxhwSenCalib;
class CxhwSensor;
class CxutBoxPublicInfo;

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
// The own data file and the template carry the whole document state as
// "%%Quorvanti" lines between the notes and the rows.
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
    void WriteColumnTitles(CdocData& data);
    void WriteTableText(CdocData& data);
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

    // The state lines of the own file and the template.
    void WriteStateText(const wxString& section, const wxString& key, const wxString& value);
    void WriteKeys(const wxString& section, const CdocStateKeys& keys, int item = -1);
    void WriteDataSection(CdocDoc& doc);
    void WriteFieldSection(CdocField& field, int column);
    void WriteSensorSection(const wxString& section, const wxString& calibSection, CxhwSensor& sensor, int item);
    void WriteCalibSection(const wxString& section, CxhwSenCalib& calib, int item);
    void WriteGraphSection(CdocDoc& doc);
    void WriteTableSection(CdocDoc& doc);
    void WriteSetupSection(CdocDoc& doc);
    void WriteAnnotationLine(const CdocAnnotation& annotation, int number);
    void WriteControlLine(const CdocControlItem& rule, int number);
    void WriteScopeSection(CdocDoc& doc);
    void WriteTimingSection(CdocDoc& doc);
    void WriteToolSection(CdocDoc& doc);
    void WriteBoxPublicInfoSection(CxutBoxPublicInfo& info);
    void WriteCalculateLine(const CdocCalc& calc, int number);
    void WritePredictSection(CdocDoc& doc);
    // A channel reference as a column number from 0, -1 when it is none of them.
    int ColumnOf(const CdocFieldKey& ref) const;
    // The reference to column n, empty when n is none of the columns read.
    CdocFieldKey ColumnRef(CdocDoc& doc, long n) const;
    void AfterReadingState(CdocDoc& doc);
    // Imports: recognise or make the elapsed-time and reading-number channels.
    void DetectTimeColumn(CdocDoc& doc);
    void DetectIndexColumn(CdocDoc& doc);
    static void UpgradeBoxInfo(CdocDoc& doc, CxutBoxPublicInfo& info);

private:
    bool ReadStateLine(CdocDoc& doc, const wxString& section, const wxString& key, const wxString& value);
    bool ReadFieldLine(CdocDoc& doc, const wxString& section, const wxString& key, wxString value);
    bool ReadDataLine(CdocDoc& doc, const wxString& key, const wxString& value);
    bool ReadGraphLine(CdocDoc& doc, const wxString& key, const wxString& value);
    bool ReadSetupLine(CdocDoc& doc, const wxString& key, const wxString& value);
    bool ReadTimingLine(CdocDoc& doc, const wxString& key, const wxString& value);
    bool ReadBoxLine(CdocDoc& doc, const wxString& section, const wxString& key, wxString value);
    bool ReadAnnotationLine(CdocDoc& doc, wxString value);
    bool ReadControlLine(CdocDoc& doc, const wxString& key, wxString value);
    bool ReadCalculateLine(CdocDoc& doc, const wxString& value);
    bool ReadPredictLine(CdocDoc& doc, const wxString& key, const wxString& value);
    bool HasMarks(CdocData& data) const;
    wxString Quoted(const wxString& text) const;
    bool ReadRows(CdocDoc& doc, wxString& line);
    void TakeMarkerColumn(CdocData& data);
    void WriteStateLine(const wxString& section, const wxString& key, const wxString& value);
    bool ReadDocKey(CdocDoc& doc, const wxString& key, wxString value);

    bool m_haveRow = false;
    // The highest channel number of the "Field" lines read.
    int m_stateColumns = 0;
    // The units of each column as the file wrote them.
    std::array<wxString, DOC_MAX_FIELDS> m_rawUnits;
};

// Field readers: each takes its field off the front of the line.
bool docSplitField(wxString& field, wxString& line);
// The field that starts at pos, split as docSplitField does; pos moves past
// its comma (to the end when there is none). Readers of many fields go along
// the line with it, as cutting the front off the line each time would copy
// the rest of the line for every field.
void docFieldAt(wxString& field, const wxString& line, size_t& pos);
bool docNextField(wxString& field, wxString& line);
bool docReadLongField(long& value, wxString& line);
bool docReadNumberField(double& value, wxString& line);
// The value of a non-empty row cell: the number it begins with, no value
// (DOC_NO_VALUE) when it begins with none or the number is not finite.
float docReadCell(const wchar_t* cell, size_t length);
