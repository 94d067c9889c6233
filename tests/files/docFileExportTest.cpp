#include "data/dataTestSupport.h"
#include "files/docNormaliseUnit.h"
#include "files/gumFile.h"
#include "files/gumUtf8.h"
#include "support/testEnvironment.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <wx/mstream.h>

namespace {

class FileExport : public testing::Test
{
protected:
    FileExport() { m_res.LoadStrings(); }

    // Time in s, a temperature in 'C with a quote in its name, record 1 marked.
    void Fill(CdocDoc& doc)
    {
        CdocData& data = doc.m_data;
        ASSERT_TRUE(data.AddFields(2));
        const char* names[] = {"Time", "Temp \"in\""};
        const wxString units[] = {"s", wxString::FromUTF8("°C")};
        for (int f = 0; f < 2; ++f) {
            CdocField& field = *data.m_fields.GetAt(f);
            field.InitManual();
            field.m_name = names[f];
            field.m_unit = units[f];
            field.m_places = 1;
            for (int i = 0; i < 3; ++i)
                field.SetSample(i, f == 1 && i == 2 ? DOC_NO_VALUE : float(i) + 10.0f * float(f));
        }
        data.m_fields.GetAt(0)->m_content = CONTENT_ELAPSED_TIME;
        data.SetRecords(3);
        data.m_marks[1] = 1;
        data.m_interval = 1.0;
        doc.m_title = wxString::FromUTF8("Cooling €");
    }

    static std::string Write(CdocDoc& doc, int format)
    {
        wxMemoryOutputStream memory;
        CgumFile file;
        file.WriteStream(memory, doc, format);
        const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
        return std::string(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
    }

    static bool Read(CdocDoc& doc, const std::string& bytes)
    {
        wxMemoryInputStream input(bytes.data(), bytes.size());
        CgumFile file;
        return file.ReadStream(input, doc);
    }

    CgumResCore m_res;
    CappOptions m_options;
};

} // namespace

TEST_F(FileExport, TextFormatsHaveTheirTitlesSeparatorsAndLineEnds)
{
    CdocDoc doc;
    Fill(doc);
    EXPECT_EQ(Write(doc, DOC_FORMAT_CSV), "\"Time\",\"Temp \"\"in\"\"\",\"Marker\"\n"
                                          "\"s\",\"\xb0"
                                          "C\",\"Mark\"\n"
                                          "0.00,10.00,0\n1.00,11.00,1\n2.00,,0\n");
    EXPECT_EQ(Write(doc, DOC_FORMAT_TSV), "\"Time\"\t\"Temp \"\"in\"\"\"\t\"Marker\"\n"
                                          "\"s\"\t\"\xb0"
                                          "C\"\t\"Mark\"\n"
                                          "0.00\t10.00\t0\n1.00\t11.00\t1\n2.00\t\t0\n");
    EXPECT_EQ(Write(doc, DOC_FORMAT_TEXT), "Time\tTemp \"in\"\tMarker\ns\t\xb0"
                                           "C\tMark\n0.00\t10.00\t0\n1.00\t11.00\t1\n2.00\t\t0\n");
    EXPECT_EQ(Write(doc, DOC_FORMAT_MARKER_TEXT), "Time (s)\tTemp \"in\" (\xb0"
                                                  "C)\tMarker\n0.00\t10.00\t0\n1.00\t11.00\t1\n2.00\t\t0\n");
    // SID: ISO-8859-1 with CR LF; the euro sign has no byte there and is
    // replaced, the line kept.
    const std::string sid = Write(doc, DOC_FORMAT_SID);
    EXPECT_EQ(sid.rfind("%%Identifier,SID\r\n%%DataSize,3,3\r\n%%Title,Cooling ?\r\n%%FieldName,1,Time\r\n", 0), 0u);
    EXPECT_NE(sid.find("%%FieldUnits,2,\xb0"
                       "C\r\n"),
              std::string::npos);
    EXPECT_NE(sid.find("%%Interval,1.00000\r\n"), std::string::npos);
    EXPECT_EQ(sid.find("%%Quorvanti"), std::string::npos);
    EXPECT_NE(sid.find("\r\n0.00,10.00,0\r\n1.00,11.00,1\r\n2.00,,0\r\n"), std::string::npos);
    // The own file is UTF-8.
    EXPECT_NE(Write(doc, DOC_FORMAT_OWN).find("%%Title,Cooling \xe2\x82\xac\r\n"), std::string::npos);
}

// An independent reader: Python's csv module sees the numbers and units.
TEST_F(FileExport, CsvReadsInPython)
{
    if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no python3";
    CdocDoc doc;
    Fill(doc);
    const std::string dir = qvtest::MakeTempDir("csv");
    const std::string path = dir + "/out.csv";
    CgumFile file;
    ASSERT_TRUE(file.WriteFile(path, doc, DOC_FORMAT_CSV));
    const std::string script = "import csv,sys\n"
                               "rows=list(csv.reader(open(sys.argv[1],encoding='latin-1')))\n"
                               "assert rows[0]==['Time','Temp \"in\"','Marker'],rows[0]\n"
                               "assert rows[1]==['s','\\u00b0C','Mark'],rows[1]\n"
                               "assert float(rows[3][1])==11.0 and rows[3][2]=='1'\n"
                               "assert rows[4][1]==''\n";
    const std::string scriptPath = dir + "/check.py";
    std::ofstream(scriptPath) << script;
    EXPECT_EQ(std::system(("python3 " + scriptPath + " " + path).c_str()), 0);
}

// The exports take the locale's encoding: UTF-8 where its character set is
// UTF-8, ISO-8859-1 where it is 8-bit or none; the own file is UTF-8 in
// every locale, and an export reads back in either.
TEST_F(FileExport, ExportsTakeTheLocalesEncoding)
{
    const struct
    {
        const char* locale;
        bool utf8;
    } cases[] = {{"C", false}, {"POSIX", false}, {"de_DE.UTF-8", true}, {"en_US.UTF-8", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        qvtest::ScopedLocale locale(c.locale);
        ASSERT_TRUE(locale.Ok()) << "the test command installs " << c.locale;
        EXPECT_EQ(gumLocaleIsUtf8(), c.utf8);
        CdocDoc doc;
        Fill(doc);
        doc.m_data.m_fields.GetAt(0)->m_unit = wchar_t(0xD800); // no form in either encoding
        const std::string degree = c.utf8 ? "\xc2\xb0" : "\xb0";
        const std::string titles = "\"Time\",\"Temp \"\"in\"\"\",\"Marker\"\n\"?\",\"" + degree + "C\",\"Mark\"\n";
        EXPECT_EQ(Write(doc, DOC_FORMAT_CSV).substr(0, titles.size()), titles);
        for (int format : {DOC_FORMAT_TSV, DOC_FORMAT_TEXT, DOC_FORMAT_MARKER_TEXT, DOC_FORMAT_OBD})
            EXPECT_NE(Write(doc, format).find(degree + "C"), std::string::npos) << format;
        const std::string sid = Write(doc, DOC_FORMAT_SID);
        EXPECT_NE(sid.find(c.utf8 ? "%%Title,Cooling \xe2\x82\xac\r\n" : "%%Title,Cooling ?\r\n"), std::string::npos);
        CdocDoc back;
        ASSERT_TRUE(Read(back, sid));
        EXPECT_EQ(back.m_title, c.utf8 ? wxString::FromUTF8("Cooling €") : wxString("Cooling ?"));
        EXPECT_EQ(back.m_data.m_fields.GetAt(1)->m_unit, wxString::FromUTF8("°C"));
        doc.m_data.m_fields.GetAt(0)->m_unit = "s";
        EXPECT_NE(Write(doc, DOC_FORMAT_OWN).find("%%Title,Cooling \xe2\x82\xac\r\n"), std::string::npos);
    }
}

// Python's csv module in a UTF-8 locale reads an export made in one with the
// locale's own encoding, as other programs on the desktop do.
TEST_F(FileExport, CsvReadsInPythonInAUtf8Locale)
{
    qvtest::ScopedLocale locale("en_US.UTF-8");
    ASSERT_TRUE(locale.Ok()) << "the test command installs en_US.UTF-8";
    CdocDoc doc;
    Fill(doc);
    const std::string dir = qvtest::MakeTempDir("csv-utf8");
    const std::string path = dir + "/out.csv";
    CgumFile file;
    ASSERT_TRUE(file.WriteFile(path, doc, DOC_FORMAT_CSV));
    const std::string script = "import csv,locale,sys\n"
                               "assert locale.getpreferredencoding(False).lower() in ('utf-8','utf8')\n"
                               "rows=list(csv.reader(open(sys.argv[1],newline='')))\n"
                               "assert rows[1]==['s','\\u00b0C','Mark'],rows[1]\n"
                               "assert float(rows[3][1])==11.0 and rows[4][1]==''\n";
    const std::string scriptPath = dir + "/check.py";
    std::ofstream(scriptPath) << script;
    // Bounded, so that a python that hangs fails the test instead of holding it.
    const int status = std::system(("timeout 60 env LC_ALL=en_US.UTF-8 PYTHONUTF8=0 python3 " + scriptPath + " " +
                                    path + " 2>" + dir + "/error.txt")
                                       .c_str());
    EXPECT_EQ(status, 0) << qvtest::ReadFile(dir + "/error.txt");
}

// The table copy carries a time-and-date column only when the document can
// show one; each record's moment comes from its elapsed-time sample, not
// from its number times the interval.
TEST_F(FileExport, TableTextTimeAndDateColumnFollowsTheDocument)
{
    const struct
    {
        const char* what;
        bool view;
        int level;
        int startDate;
        bool column;
    } cases[] = {
        {"shown", true, 4, 20240305, true},
        {"display switched off", false, 4, 20240305, false},
        {"level without the feature", true, 2, 20240305, false},
        {"start date unknown", true, 4, 0, false},
    };
    for (const auto& c : cases) {
        CdocDoc doc;
        Fill(doc);
        doc.m_viewTimeAndDate = c.view;
        m_options.SetUserLevel(c.level);
        doc.m_data.m_interval = 2.0;
        doc.m_data.m_startDate = c.startDate;
        doc.m_data.m_startTime = 93000;
        doc.m_data.UpdateStartDateTime();
        CgumFile file;
        wxString text;
        ASSERT_TRUE(file.WriteTableText(text, doc));
        const wxArrayString lines = wxSplit(text, '\n', '\0');
        ASSERT_GE(lines.size(), 5u) << c.what;
        if (c.column) {
            EXPECT_EQ(lines[0], "Time\tTemp \"in\"\tMarker\tTime and Date") << c.what;
            EXPECT_EQ(lines[1], wxString::FromUTF8("s\t°C\tMark\t")) << c.what;
            EXPECT_EQ(lines[2], "0.00\t10.00\t0\tMar  5, 2024, Tue 09:30:00") << c.what;
            EXPECT_EQ(lines[3], "1.00\t11.00\t1\tMar  5, 2024, Tue 09:30:01") << c.what;
        } else {
            EXPECT_EQ(lines[0], "Time\tTemp \"in\"\tMarker") << c.what;
            EXPECT_EQ(lines[3], "1.00\t11.00\t1") << c.what;
        }
    }
    m_options.SetUserLevel(4);
}

// The same SID file with every line end, with and without a final one, in
// UTF-8 and ISO-8859-1, opens to the same document.
TEST_F(FileExport, ImportsReadAlikeWhateverTheLineEndsAndEncoding)
{
    const std::string lines[] = {"%%Identifier,SID", "%%DataSize,3,2", "%%Title,T\xc2\xb0", "%%FieldName,1,Time",
                                 "%%FieldUnits,1,us", "%%FieldName,2,Temp", "%%FieldUnits,2,'C",
                                 "0,20", "5,21", "10,22"};
    for (const char* end : {"\n", "\r\n", "\r"}) {
        for (bool finalEnd : {true, false}) {
            for (bool latin : {false, true}) {
                std::string bytes;
                for (const std::string& line : lines)
                    bytes += line + end;
                if (!finalEnd)
                    bytes.resize(bytes.size() - std::strlen(end));
                if (latin)
                    bytes.replace(bytes.find("\xc2\xb0"), 2, "\xb0");
                CdocDoc doc;
                ASSERT_TRUE(Read(doc, bytes)) << end << finalEnd << latin;
                EXPECT_EQ(doc.m_title, wxString::FromUTF8("T°"));
                ASSERT_EQ(doc.m_data.m_fields.GetCount(), 2);
                const CdocField& time = *doc.m_data.m_fields.GetAt(0);
                EXPECT_EQ(time.m_content, CONTENT_ELAPSED_TIME);
                EXPECT_EQ(time.m_gain, 1000000.0f); // "us" is microseconds
                EXPECT_EQ(time.m_unit, wxString::FromUTF8("µs"));
                EXPECT_EQ(doc.m_data.m_fields.GetAt(1)->m_unit, wxString::FromUTF8("°C"));
                EXPECT_EQ(doc.m_data.m_fields.GetAt(1)->m_samples[2], 22.0f);
                EXPECT_EQ(doc.m_data.m_dataSource, DATA_SOURCE_IMPORTED);
            }
        }
    }
}

TEST_F(FileExport, ReadingNumberColumnsAreFoundAndPutFirst)
{
    struct Case
    {
        const char* file;
        int readingAt;     // where the reading-number channel ends up
        int channels;      // after detection
        const char* first; // name of the first channel
    };
    const Case cases[] = {
        {"%%Identifier,SID\n%%DataSize,3,2\n%%FieldName,1,Temp\n%%FieldName,2,N\n5,1\n6,2\n7,3\n", 0, 2, "N"},
        {"%%Identifier,SID\n%%DataSize,2,1\n%%FieldName,1,Item\n7\n9\n", 0, 1, "Item"},
        {"%%Identifier,SID\n%%DataSize,3,1\n%%FieldName,1,Count\n0\n1\n2\n", 0, 2, ""},
        {"%%Identifier,SID\n%%DataSize,3,2\n%%FieldName,1,A\n%%FieldName,2,B\n1,0\n1,1\n1,2.5\n", 0, 3, ""},
        {"%%Identifier,SID\n%%DataSize,3,2\n%%FieldName,1,A\n%%FieldName,2,B\n1,0\n1,1.000004\n1,2\n", 0, 2, "B"},
    };
    for (const Case& c : cases) {
        CdocDoc doc;
        ASSERT_TRUE(Read(doc, c.file)) << c.file;
        ASSERT_EQ(doc.m_data.m_fields.GetCount(), c.channels) << c.file;
        EXPECT_EQ(doc.m_data.m_fields.GetAt(c.readingAt)->m_content, CONTENT_READING) << c.file;
        if (*c.first) {
            EXPECT_EQ(doc.m_data.m_fields.GetAt(0)->m_name, c.first) << c.file;
        }
    }
    // Saved again, the header and the rows agree on the moved column.
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, cases[0].file));
    const std::string own = Write(doc, DOC_FORMAT_OWN);
    EXPECT_NE(own.find("%%FieldName,1,N\r\n"), std::string::npos);
    EXPECT_NE(own.find("\r\n1.00,5.00\r\n"), std::string::npos) << own.substr(own.size() - 40);
}

TEST_F(FileExport, TimeColumnsByNameUnitsOrInterval)
{
    struct Case
    {
        const char* units;
        float gain;
    };
    const Case cases[] = {{"s", 1.0f}, {"ms", 1000.0f}, {"Minutes", 1.0f / 60.0f}, {"hrs", 1.0f / 3600.0f},
                          {"sec.", 1.0f}};
    for (const Case& c : cases) {
        CdocDoc doc;
        const std::string file = std::string("%%Identifier,SID\n%%DataSize,1,2\n%%FieldName,1,Elapsed Time\n"
                                             "%%FieldUnits,1,") +
                                 c.units + "\n%%FieldName,2,Temp\n1,2\n";
        ASSERT_TRUE(Read(doc, file));
        EXPECT_EQ(doc.m_data.m_fields.GetAt(0)->m_gain, c.gain) << c.units;
        EXPECT_EQ(doc.m_data.m_fields.GetCount(), 2);
    }
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, "%%Identifier,SID\n%%DataSize,3,2\n%%FieldName,1,Temp\n%%FieldName,2,Time\n"
                          "%%Interval,0.5\n1,0\n2,1\n3,2\n"));
    ASSERT_EQ(doc.m_data.m_fields.GetCount(), 3);
    const CdocField& time = *doc.m_data.m_fields.GetAt(0);
    EXPECT_EQ(time.m_content, CONTENT_ELAPSED_TIME);
    // The record times 0, 0.5 s, 1 s in the axis' own units.
    EXPECT_GT(time.m_samples[1], 0.0f);
    EXPECT_EQ(time.m_samples[2], 2.0f * time.m_samples[1]);
    EXPECT_NE(doc.m_data.m_fields.GetAt(2)->m_content, CONTENT_ELAPSED_TIME); // only the first column counts
}

TEST_F(FileExport, BadImportsAreRefusedOrHeldToTheStore)
{
    const char* refused[] = {
        "%%Identifier,SID\n%%DataSize,2,1\n",              // records promised, none given
        "%%Identifier,SID\n%%DataSize,2,1\n1\n",           // a row missing
        "%%Identifier,SID\n%%DataSize,1,1\n%%Title,a\x04\n1\n", // code 4
    };
    for (const char* text : refused) {
        CdocDoc doc;
        EXPECT_FALSE(Read(doc, text)) << text;
        EXPECT_EQ(doc.m_data.m_records, 0);
    }
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, "\xef\xbb\xbf%%Identifier,SID\n%%DataSize,2,1\n%%FieldName,1,Reading\n1,99,98\nnan\n"));
    EXPECT_EQ(doc.m_data.m_fields.GetCount(), 1);
    EXPECT_EQ(doc.m_data.m_fields.GetAt(0)->m_samples[1], DOC_NO_VALUE);
}

TEST_F(FileExport, UnitNotations)
{
    EXPECT_EQ(docNormaliseUnit("'C"), wxString::FromUTF8("°C"));
    EXPECT_EQ(docNormaliseUnit("'c"), "'c");
    EXPECT_EQ(docNormaliseUnit("us"), wxString::FromUTF8("µs"));
    EXPECT_EQ(docNormaliseUnit("W/m2"), wxString::FromUTF8("W/m²"));
}
