#include "app/base/appReplaceFile.h"
#include "app/base/gumHelpers.h"
#include "data/dataTestSupport.h"
#include "files/docFileLongLines.h"
#include "files/gumFile.h"
#include "files/gumFileStreams.h"
#include "files/zxTextInputStream.h"
#include "support/testEnvironment.h"
#include "support/testWait.h"

#include <clocale>
#include <csignal>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/dir.h>
#include <wx/mstream.h>

namespace qvtest {

bool Replace(const wxString& path, const std::string& bytes)
{
    return appReplaceFile(path, bytes.data(), bytes.size());
}

} // namespace qvtest

namespace {

class SavedOwner : public qvtest::CtestDocOwner
{
public:
    void MarkSaved() override { ++m_saved; }
    int m_saved = 0;
};

class DataFile : public testing::Test
{
protected:
    DataFile() { m_res.LoadStrings(); }

    // Three channels of five records, record 2 marked.
    void Fill(CdocDoc& doc)
    {
        CdocData& data = doc.m_data;
        ASSERT_TRUE(data.AddFields(3));
        const char* names[] = {"Time", "Light", "Temp"};
        const char* units[] = {"s", "lux", "'C"};
        for (int f = 0; f < 3; ++f) {
            CdocField& field = *data.m_fields.GetAt(f);
            field.InitManual();
            field.m_name = names[f];
            field.m_unit = units[f];
            field.m_places = 1;
            for (int i = 0; i < 5; ++i)
                field.SetSample(i, f == 2 && i == 3 ? DOC_NO_VALUE : float(i) * 1.5f + float(f));
        }
        data.SetRecords(5);
        data.m_marks[2] = 1;
        data.m_interval = 0.1;
        data.m_startTime = 93000;
        data.m_startDate = 20240305;
        doc.m_title = "Cooling, with a lid";
        doc.m_notes = "a\nb\n";
        doc.m_activity = ACTIVITY_PERIODIC;
        doc.m_viewDigits = true;
    }

    std::string Write(CdocDoc& doc, int format = DOC_FORMAT_OWN)
    {
        wxMemoryOutputStream memory;
        CgumFile file;
        file.WriteStream(memory, doc, format);
        const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
        return std::string(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
    }

    bool Read(CdocDoc& doc, const std::string& bytes)
    {
        wxMemoryInputStream input(bytes.data(), bytes.size());
        CgumFile file;
        return file.ReadStream(input, doc);
    }

    // Reads the bytes in a child process, which is stopped when it outlasts
    // the tests' bound; false then. ok receives the read's result.
    bool ReadsWithinTheBound(const std::string& bytes, bool& ok)
    {
        const pid_t child = fork();
        if (child < 0)
            return false;
        if (child == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            auto doc = std::make_unique<CdocDoc>();
            _exit(Read(*doc, bytes) ? 0 : 1);
        }
        int status = 0;
        if (!qvtest::WaitUntil([&] { return waitpid(child, &status, WNOHANG) == child; })) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        return WIFEXITED(status);
    }

    CgumResCore m_res;
    CappOptions m_options;
};

} // namespace

TEST_F(DataFile, OwnFileRoundTrip)
{
    CdocDoc doc;
    Fill(doc);
    const std::string bytes = Write(doc);
    EXPECT_EQ(bytes.rfind("%%Identifier,QVD\r\n%%DataSize,5,4\r\n%%Title,Cooling, with a lid\r\n", 0), 0u);
    for (const char* line : {"%%FieldName,4,Marker\r\n", "%%FieldUnits,4,Mark\r\n", "%%MaxMin,4,1,0\r\n",
                             "%%StartTime,093000\r\n", "%%StartDate,20240305\r\n", "%%Interval,0.10000\r\n",
                             "%%Ombex_Notes,\"a\"\r\n%%Ombex_Notes,\"b\"\r\n%%Quorvanti,Doc,Platform,2\r\n",
                             "%%Quorvanti,Doc,Activity,2\r\n", "\r\n3.00,4.00,5.00,1\r\n4.50,5.50,,0\r\n"})
        EXPECT_NE(bytes.find(line), std::string::npos) << line;

    SavedOwner owner;
    CdocDoc back;
    back.m_owner = &owner;
    back.m_unsavedData = true;
    ASSERT_TRUE(Read(back, bytes));
    EXPECT_EQ(back.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(back.m_data.m_dataSource, DATA_SOURCE_FILE);
    EXPECT_EQ(back.m_data.m_records, 5);
    ASSERT_EQ(back.m_data.m_fields.GetCount(), 3); // the marker column became marks
    EXPECT_EQ(back.m_data.m_marks[2], 1);
    EXPECT_EQ(back.m_data.m_marks[1], 0);
    EXPECT_EQ(back.m_data.m_fields.GetAt(1)->m_name, "Light");
    // The header's units are normalised, but the channel's own "Unit" state
    // line brings back exactly what was saved.
    EXPECT_EQ(back.m_data.m_fields.GetAt(2)->m_unit, "'C");
    EXPECT_EQ(back.m_data.m_fields.GetAt(1)->m_samples[4], 7.0f);
    EXPECT_EQ(back.m_data.m_fields.GetAt(2)->m_samples[3], DOC_NO_VALUE);
    EXPECT_EQ(back.m_data.m_startTime, 93000);
    EXPECT_NEAR(back.m_data.m_interval, 0.1, 1e-12);
    EXPECT_EQ(back.m_title, "Cooling, with a lid");
    EXPECT_EQ(back.m_notes, "a\nb\n");
    EXPECT_EQ(back.m_activity, ACTIVITY_PERIODIC);
    EXPECT_TRUE(back.m_viewDigits);
    EXPECT_EQ(back.m_fileVersion, 12);
    EXPECT_FALSE(back.m_unsavedData);
    EXPECT_EQ(owner.m_saved, 1);
}

// A file in an 8-bit encoding is read again from the start as ISO-8859-1;
// its notes are not doubled by the first attempt.
TEST_F(DataFile, EightBitFileReadsThroughTheSecondAttempt)
{
    const std::string bytes = "%%Identifier,SID\r\n%%Ombex_Notes,\"n\"\r\n%%DataSize,1,1\r\n%%Title,T\xb0\r\n"
                              "%%FieldName,1,Temp\r\n1.5\r\n";
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, bytes));
    EXPECT_EQ(doc.m_title, wxString::FromUTF8("T°"));
    EXPECT_EQ(doc.m_notes, "n\n");
    EXPECT_EQ(doc.m_data.m_dataSource, DATA_SOURCE_IMPORTED);
    // A reading-number channel is added in front of the imported column.
    EXPECT_EQ(doc.m_data.m_fields.GetAt(0)->m_content, CONTENT_READING);
    EXPECT_EQ(doc.m_data.m_fields.GetAt(1)->m_samples[0], 1.5f);
}

// Only strict UTF-8 is read as UTF-8: overlong forms, surrogates, codes above
// U+10FFFF and cut sequences send the whole file to ISO-8859-1, where every
// byte is a character. Saved again, nothing of it is lost.
TEST_F(DataFile, OnlyStrictUtf8IsReadAsUtf8)
{
    struct Case
    {
        const char* bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"\xE0\x80\xAF", false},         // "/" in three bytes
        {"\xC0\xAF", false},             // "/" in two
        {"\xF0\x80\x80\xAF", false},     // "/" in four
        {"\xED\xA0\x80", false},         // a surrogate
        {"\xF4\x90\x80\x80", false},     // above U+10FFFF
        {"\xF8\x88\x80\x80\x80", false}, // a five-byte form
        {"\xE2\x82", false},             // cut short
        {"\x80", false},                 // a lone continuation byte
        {"\xC2\xB2", true},              // "²"
        {"\xF0\x9F\x98\x80", true},      // U+1F600
        {"\xEF\xBF\xBF", true},          // U+FFFF
    };
    for (const Case& c : cases) {
        const std::string bad = c.bytes;
        const std::string file = "%%Identifier,QVD\r\n%%DataSize,1,1\r\n%%Title,a" + bad + "b\r\n%%FieldName,1,m" +
                                 bad + "\r\n1\r\n";
        const wxString expected =
            c.utf8 ? wxString::FromUTF8(bad.data(), bad.size()) : wxString(bad.data(), wxConvISO8859_1, bad.size());
        ASSERT_FALSE(expected.empty());
        CdocDoc doc;
        ASSERT_TRUE(Read(doc, file)) << bad;
        EXPECT_EQ(doc.m_title, "a" + expected + "b") << bad;
        EXPECT_EQ(doc.m_data.m_fields.GetAt(0)->m_name, "m" + expected) << bad;

        const std::string saved = Write(doc);
        const wxCharBuffer utf8 = expected.utf8_str();
        const std::string title = "%%Title,a" + std::string(utf8.data(), utf8.length()) + "b\r\n";
        EXPECT_NE(saved.find(title), std::string::npos) << bad;
        CdocDoc back;
        ASSERT_TRUE(Read(back, saved)) << bad;
        EXPECT_EQ(back.m_title, doc.m_title) << bad;
        EXPECT_EQ(back.m_data.m_fields.GetAt(0)->m_name, "m" + expected) << bad;
    }
}

// A line with a character that has no UTF-8 form fails the write instead of
// being left out; an export in the 8-bit encoding puts "?" in its place.
TEST_F(DataFile, ALineThatCannotBeEncodedFailsTheWrite)
{
    const wchar_t surrogate[] = {L'a', wchar_t(0xD800), L'b', 0};
    const wchar_t beyond[] = {L'c', wchar_t(0x110000), 0};
    for (const wchar_t* text : {surrogate, beyond}) {
        CdocDoc doc;
        Fill(doc);
        doc.m_data.m_fields.GetAt(1)->m_name = text;
        wxMemoryOutputStream memory;
        CgumFile file;
        file.WriteStream(memory, doc, DOC_FORMAT_OWN);
        EXPECT_FALSE(memory.IsOk());

        const std::string dir = qvtest::MakeTempDir("unwritable");
        const wxString path = dir + "/run.qvd";
        ASSERT_TRUE(qvtest::Replace(path, "old"));
        CgumFile again;
        EXPECT_FALSE(again.WriteFile(path, doc, DOC_FORMAT_TEMPLATE));
        EXPECT_EQ(qvtest::ReadFile(path.ToStdString()), "old");

        CgumFile csv;
        ASSERT_TRUE(csv.WriteFile(path, doc, DOC_FORMAT_CSV));
        EXPECT_NE(qvtest::ReadFile(path.ToStdString()).find(wxString(text).Left(1).ToStdString() + "?"),
                  std::string::npos);
    }
}

TEST_F(DataFile, BadFilesFailAndLeaveTheDocumentEmpty)
{
    const char* files[] = {
        "%%DataSize,1,1\r\n1\r\n",                        // no identifier
        "%%Identifier,QVD\r\n%%Title,x\r\n",              // no size
        "%%Identifier,QVD\r\n%%DataSize,3,1\r\n1\r\n2\r\n", // a row missing
        "%%Identifier,QVD\r\n%%DataSize,x,1\r\n",         // malformed size
        "%%Identifier,QVD\r\n%%DataSize,1,1\r\n%%MaxMin,1,a,0\r\n1\r\n",
        "",
    };
    for (const char* text : files) {
        CdocDoc doc;
        doc.m_title = "kept?";
        EXPECT_FALSE(Read(doc, text)) << text;
        EXPECT_EQ(doc.m_data.m_records, 0) << text;
        EXPECT_EQ(doc.m_data.m_fields.GetCount(), 0) << text;
        EXPECT_EQ(doc.m_title, doc.m_defaultTitle) << text;
        }
}

TEST_F(DataFile, CountsFromTheFileAreHeldToTheStore)
{
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, "%%Identifier,QVD\r\n%%DataSize,-4,99\r\n"));
    EXPECT_EQ(doc.m_data.m_records, 0);
    EXPECT_EQ(doc.m_data.m_fields.GetCount(), DOC_MAX_FIELDS);
}

// Only the first size line counts. A repeated one neither adds channels nor
// empties them again: the channel named between the two keeps its name, which
// also shows that a long run of repeats does no work on the channels.
TEST_F(DataFile, ARepeatedSizeLineChangesNothing)
{
    const struct
    {
        const char* repeated;
        int repeats;
    } cases[] = {{"%%DataSize,2,3\r\n", 1}, {"%%DataSize,1,18\r\n", 100000}};
    for (const auto& c : cases) {
        std::string file = "%%Identifier,QVD\r\n%%DataSize,2,3\r\n%%FieldName,1,Light\r\n";
        for (int i = 0; i < c.repeats; ++i)
            file += c.repeated;
        file += "1,2,3\r\n4,5,6\r\n";
        CdocDoc doc;
        ASSERT_TRUE(Read(doc, file)) << c.repeats;
        const CdocData& data = doc.m_data;
        EXPECT_EQ(data.m_records, 2) << c.repeats;
        EXPECT_EQ(data.m_fields.GetCount(), 3) << c.repeats;
        if (data.m_fields.GetCount() < 3)
            continue;
        EXPECT_EQ(data.m_fields.GetAt(0)->m_name, "Light") << c.repeats;
        EXPECT_EQ(data.m_fields.GetAt(2)->m_samples[1], 6.0f) << c.repeats;
    }
    // A repeated size line must still be whole numbers.
    CdocDoc doc;
    EXPECT_FALSE(Read(doc, "%%Identifier,QVD\r\n%%DataSize,1,1\r\n%%DataSize,x,1\r\n1\r\n"));
}

TEST_F(DataFile, LinesEndAtLfCrLfOrCr)
{
    const std::string bytes = "a\nb\r\nc\rd";
    wxMemoryInputStream input(bytes.data(), bytes.size());
    CzxTextInputStream text(input, " \t", wxConvUTF8);
    std::vector<std::string> lines;
    wxString line;
    while (!input.Eof() && text.ReadLine(line))
        lines.push_back(line.ToStdString());
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(DataFile, FieldsSplitOutsideQuotes)
{
    wxString line = "\"a,b\",c,";
    wxString field;
    docSplitField(field, line);
    EXPECT_EQ(field, "\"a,b\"");
    docSplitField(field, line);
    EXPECT_EQ(field, "c");
    EXPECT_TRUE(line.empty());
    long n = 0;
    line = " -7,x";
    EXPECT_TRUE(docReadLongField(n, line));
    EXPECT_EQ(n, -7);
    EXPECT_FALSE(docReadLongField(n, line));
}

TEST_F(DataFile, StreamsCopyWhole)
{
    std::string big(5000, 'q');
    big[4999] = 'z';
    std::istringstream in(big);
    wxMemoryBuffer buffer(1024);
    ASSERT_TRUE(gumReadIstream(buffer, in));
    EXPECT_EQ(std::string(static_cast<const char*>(buffer.GetData()), buffer.GetDataLen()), big);
    wxMemoryInputStream input(buffer.GetData(), buffer.GetDataLen());
    std::ostringstream out;
    EXPECT_TRUE(gumCopyToOstream(out, input));
    EXPECT_EQ(out.str(), big);
}

// A write that fails (here: the file size limit) leaves the old file whole
// and no temporary file behind.
TEST_F(DataFile, ReplacingAFileThatCannotBeWrittenKeepsTheOldOne)
{
    const std::string dir = qvtest::MakeTempDir("replace");
    const wxString path = dir + "/run.qvd";
    ASSERT_TRUE(qvtest::Replace(path, "old"));
    EXPECT_EQ(qvtest::ReadFile(path.ToStdString()), "old");
    ASSERT_TRUE(qvtest::Replace(path, "new"));
    EXPECT_EQ(qvtest::ReadFile(path.ToStdString()), "new");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = qvtest::Replace(path, std::string(5000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(ok);
    EXPECT_EQ(qvtest::ReadFile(path.ToStdString()), "new");
    wxArrayString left;
    wxDir::GetAllFiles(dir, &left);
    EXPECT_EQ(left.size(), 1u);

    EXPECT_FALSE(qvtest::Replace(dir + "/missing/run.qvd", "x"));
}

// Every line up to the longest allowed is read with its result, a line of
// many fields too. How long each takes, against a line of a sixteenth of the
// length (a reader that copied the rest of the line for each field would
// take sixteen times as long a byte), is measured by qv_file_bench.
TEST_F(DataFile, LongLinesAreRead)
{
    for (const qvtest::LongLineCase& c : qvtest::LongLineCases()) {
        bool ok = !c.ok;
        EXPECT_TRUE(ReadsWithinTheBound(qvtest::LongLineFile(c, qvtest::kLongestLine), ok)) << c.what;
        EXPECT_EQ(ok, c.ok) << c.what;
    }
}

// Row cells of digits, a point and a sign are read on a short path; every
// cell reads as the general number reader gives it, in either locale.
TEST_F(DataFile, RowCellsReadAsTheNumberReaderGivesThem)
{
    const char* cells[] = {"1.5", "-0.25", ".5", "5.", "-0", "00012.500", "12345678901234567890123",
                           "0.0000000000000000000001", "-", ".", "1.2.3", "12abc", " 7", "+3", "1e3", "1e999",
                           "0x10", "inf", "nan", "x", "3-4", "123456789012345678901234567890"};
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        const std::string old = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, locale)) {
            ADD_FAILURE() << "the test command installs " << locale;
            continue;
        }
        for (const char* cell : cells) {
            const wxString text(cell);
            double x = double(DOC_NO_VALUE);
            gumStringToDouble(text, &x);
            const float general = docFiniteOrNoValue(x);
            const float read = docReadCell(text.wc_str(), text.length());
            EXPECT_EQ(read, general) << locale << " " << cell;
        }
        std::setlocale(LC_ALL, old.c_str());
    }
}
