#include "data/dataTestSupport.h"
#include "files/gumFile.h"
#include "files/gumFileStreams.h"
#include "hardware/xhwSenFile.h"

#include <gtest/gtest.h>
#include <wx/mstream.h>

namespace {

class FileState : public testing::Test
{
protected:
    FileState() { m_res.LoadStrings(); }

    // Reading number, elapsed time, a sensor channel, a manual channel and a
    // formula channel, with marks, notes and every part of the document set.
    void Fill(CdocDoc& doc)
    {
        CdocData& data = doc.m_data;
        ASSERT_TRUE(data.AddFields(5));
        const int contents[] = {CONTENT_READING, CONTENT_ELAPSED_TIME, CONTENT_SENSOR, CONTENT_MANUAL,
                                CONTENT_FORMULA};
        const char* names[] = {"Reading", "Time", "Temp, inside", "Marker", "Twice"};
        const char* units[] = {"", "s", "'C", "Mark", "\"q\""};
        for (int f = 0; f < 5; ++f) {
            CdocField& field = *data.m_fields.GetAt(f);
            field.InitManual();
            field.m_content = contents[f];
            field.m_name = names[f];
            field.m_unit = units[f];
            field.m_places = 2;
            // The reading-number and elapsed-time channels are always black.
            field.m_colour = f < 2 ? CdocColour(0, 0, 0) : CdocColour(uint8_t(10 * f), 20, 255);
            field.m_counter = 1234567;
            for (int i = 0; i < 7; ++i)
                field.SetSample(i, f == 3 && i == 4 ? DOC_NO_VALUE : float(i) * 0.25f + float(f));
        }
        CdocField& sensor = *data.m_fields.GetAt(2);
        sensor.m_socket = 1;
        sensor.m_fieldSensor.m_idCode = 17;
        sensor.m_fieldSensor.m_calib.m_name = "Temperature";
        sensor.m_fieldSensor.m_calib.m_nowMax = 55.5f;
        data.SetRecords(7);
        data.m_marks[1] = 1;
        data.m_marks[5] = 1;
        data.m_interval = 0.5;
        data.m_startTime = 93000;
        data.m_startDate = 20240305;
        data.m_latitude = 51.123456789012;
        doc.m_title = "Cooling\nwith a lid";
        doc.m_notes = "first\r\nsecond\rthird\n\nfifth";
        doc.m_activity = ACTIVITY_PERIODIC;
        doc.m_viewTable = true;

        CdocFieldKey key3(data.m_fields.GetAt(3)->m_key, 3, data.m_fields.GetAt(3));
        CdocFieldKey key4(data.m_fields.GetAt(4)->m_key, 4, data.m_fields.GetAt(4));
        doc.m_graph.m_axisL = key3;
        doc.m_graph.m_points = true;
        doc.m_graph.m_font = "0;12;74;90;92;0;Sans Serif, Bold;0";
        doc.m_table.m_date = false;
        doc.m_setup.m_readings = 501;
        doc.m_setup.m_mass1S = "0.5 kg";
        for (int i = 0; i < 2; ++i) {
            const int a = doc.m_annotations.Add();
            ASSERT_GE(a, 0);
            doc.m_annotations.m_slots[size_t(a)].m_text = i ? "peak, high" : "start";
            doc.m_annotations.m_slots[size_t(a)].m_fieldY = key3;
            doc.m_annotations.m_slots[size_t(a)].m_x = 1.5f + float(i);
        }
        CdocControlItem& rule = doc.m_control.m_rules[2];
        rule.m_enabled = true;
        rule.m_field = key3;
        rule.m_threshold = 22.5f;
        rule.m_thresholdText = "22,5";
        doc.m_scope.m_timebase = 3;
        doc.m_timing.m_elapsedTimeToLastEvent = 4294967296ull;
        doc.m_timing.m_measurement[4] = 0.125;
        CdocTimer* timer = doc.m_timing.m_timers.AddTimer();
        ASSERT_NE(timer, nullptr);
        timer->m_count = 2;
        timer->m_times[1] = 18446744073709551615ull;
        doc.m_tool.m_now.m_tool = 3;
        doc.m_boxInfo.m_boxStamp = "Lab 4";
        doc.m_boxInfo.m_info.m_hardware = 7;
        doc.m_boxInfo.m_info.m_firmware = 1.02f;
        doc.m_boxInfo.m_sensors[5].m_calib.m_units = "lux";

        const int c = doc.m_calcs.Add(1);
        ASSERT_GE(c, 0);
        CdocCalc& calc = *doc.m_calcs.GetAt(c);
        calc.m_field = key4;
        ASSERT_TRUE(calc.AppendChannel(data.m_fields.GetAt(3)));
        ASSERT_TRUE(calc.AppendMultiply());
        ASSERT_TRUE(calc.AppendDigit(2));
        calc.m_order = 0;
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(doc.m_predict.AddPoint(float(i) * 0.1f, i % 50 == 49 ? DOC_NO_VALUE : float(i)));
        doc.m_predict.m_fieldX = CdocFieldKey(data.m_fields.GetAt(1)->m_key, 1, data.m_fields.GetAt(1));
    }

    static std::string Write(CdocDoc& doc, int format = DOC_FORMAT_OWN)
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

    // A minimal own file with the given state lines.
    static std::string Own(const std::string& state, int columns = 2)
    {
        std::string text = "%%Identifier,QVD\r\n%%DataSize,1," + std::to_string(columns) + "\r\n";
        text += "%%Quorvanti,Doc,Version,12\r\n" + state + "1,2,3\r\n";
        return text;
    }

    // The two files differ only on lines written but not read back: an
    // opened file is stopped, comes from a file and has fresh channel keys.
    static bool SameBut(const std::string& first, const std::string& second)
    {
        std::vector<wxString> a;
        std::vector<wxString> b;
        gumSplitLines(wxString::FromUTF8(first.data(), first.size()), a);
        gumSplitLines(wxString::FromUTF8(second.data(), second.size()), b);
        if (a.size() != b.size())
            return false;
        const char* unread[] = {"%%Quorvanti,Doc,State,", "%%Quorvanti,Data,DataSource,", "%%Quorvanti,Field,Key,"};
        bool same = true;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i] == b[i])
                continue;
            bool allowed = false;
            for (const char* prefix : unread)
                allowed = allowed || (a[i].StartsWith(prefix) && b[i].StartsWith(prefix));
            if (!allowed) {
                ADD_FAILURE() << "line " << i << ": " << a[i] << " / " << b[i];
                same = false;
            }
        }
        return same;
    }

    CgumResCore m_res;
    CappOptions m_options;
};

} // namespace

// Written, read and written again, the file is the same byte for byte, and
// the document read holds what was saved.
TEST_F(FileState, OwnFileAndTemplateRoundTripToTheSameBytes)
{
    for (int format : {DOC_FORMAT_OWN, DOC_FORMAT_TEMPLATE}) {
        CdocDoc doc;
        Fill(doc);
        const std::string first = Write(doc, format);
        CdocDoc back;
        ASSERT_TRUE(Read(back, first));
        const std::string second = Write(back, format);
        EXPECT_TRUE(SameBut(first, second));
        // Saved once more, the file read again is the same but for the keys.
        CdocDoc third;
        ASSERT_TRUE(Read(third, second));
        EXPECT_TRUE(SameBut(second, Write(third, format)));

        const CdocData& data = back.m_data;
        ASSERT_EQ(data.m_fields.GetCount(), 5); // "Marker" stays a channel
        EXPECT_EQ(data.m_fields.GetAt(3)->m_name, "Marker");
        EXPECT_EQ(data.m_fields.GetAt(3)->m_samples[4], DOC_NO_VALUE);
        EXPECT_EQ(data.m_fields.GetAt(2)->m_name, "Temp, inside");
        EXPECT_EQ(data.m_fields.GetAt(2)->m_content, CONTENT_SENSOR);
        EXPECT_EQ(data.m_fields.GetAt(2)->m_fieldSensor.m_idCode, 17);
        EXPECT_EQ(data.m_fields.GetAt(2)->m_fieldSensor.m_calib.m_nowMax, 55.5f);
        EXPECT_EQ(data.m_fields.GetAt(2)->m_counter, 1234567);
        EXPECT_EQ(data.m_fields.GetAt(4)->m_unit, "\"q\"");
        EXPECT_EQ(data.m_fields.GetAt(2)->m_colour, CdocColour(20, 20, 255));
        EXPECT_EQ(data.m_fields.GetAt(0)->m_colour, CdocColour(0, 0, 0));
        EXPECT_EQ(data.m_marks[1], 1);
        EXPECT_EQ(data.m_marks[5], 1);
        EXPECT_EQ(data.m_marks[2], 0);
        EXPECT_EQ(data.m_records, 7);
        EXPECT_EQ(data.m_startTime, 93000);
        EXPECT_EQ(data.m_startDate, 20240305);
        EXPECT_NEAR(data.m_latitude, 51.123456789012, 1e-9);
        EXPECT_EQ(back.m_title, "Cooling with a lid");
        EXPECT_EQ(back.m_notes, "first\nsecond\nthird\n\nfifth\n");
        EXPECT_EQ(back.m_activity, ACTIVITY_PERIODIC);
        EXPECT_TRUE(back.m_viewTable);
        EXPECT_EQ(back.m_graph.GetFieldL(), data.m_fields.GetAt(3));
        EXPECT_TRUE(back.m_graph.m_points);
        EXPECT_EQ(back.m_graph.m_font, "0;12;74;90;92;0;Sans Serif, Bold;0");
        EXPECT_FALSE(back.m_table.m_date);
        EXPECT_EQ(back.m_setup.m_readings, 501);
        EXPECT_EQ(back.m_setup.m_mass1S, "0.5 kg");
        ASSERT_EQ(back.m_annotations.m_count, 2);
        EXPECT_EQ(back.m_annotations.m_slots[1].m_text, "peak, high");
        EXPECT_EQ(back.m_annotations.m_slots[1].m_x, 2.5f);
        EXPECT_TRUE(back.m_control.m_rules[2].m_enabled);
        EXPECT_EQ(back.m_control.m_rules[2].m_thresholdText, "22,5");
        EXPECT_EQ(back.m_control.m_rules[2].m_field.m_key, data.m_fields.GetAt(3)->m_key);
        EXPECT_EQ(back.m_scope.m_timebase, 3);
        EXPECT_EQ(back.m_timing.m_elapsedTimeToLastEvent, 4294967296ull);
        EXPECT_EQ(back.m_timing.m_measurement[4], 0.125);
        ASSERT_EQ(back.m_timing.m_timers.GetCount(), 1);
        EXPECT_EQ(back.m_timing.m_timers.GetAt(0)->m_times[1], 18446744073709551615ull);
        EXPECT_EQ(back.m_tool.m_now.m_tool, 3);
        EXPECT_EQ(back.m_boxInfo.m_boxStamp, "Lab 4");
        EXPECT_EQ(back.m_boxInfo.m_info.m_firmware, 1.0f);
        EXPECT_EQ(back.m_fileBoxInfo.m_sensors[5].m_calib.m_units, "lux");
        ASSERT_EQ(back.m_calcs.m_count, 1);
        EXPECT_EQ(back.m_calcs.GetAt(0)->m_tokens.m_count, 3);
        EXPECT_EQ(back.m_calcs.GetAt(0)->m_field.m_key, data.m_fields.GetAt(4)->m_key);
        ASSERT_EQ(back.m_predict.m_count, 300);
        EXPECT_EQ(back.m_predict.m_y[49], DOC_NO_VALUE);
        EXPECT_EQ(back.m_predict.m_x[299], 29.9f);
        EXPECT_EQ(back.m_predict.m_fieldX.m_key, data.m_fields.GetAt(1)->m_key);
        EXPECT_EQ(back.m_state, DOC_STATE_STOPPED);
    }
}

TEST_F(FileState, StateLinesHaveTheirFormsAndOrder)
{
    CdocDoc doc;
    Fill(doc);
    const std::string bytes = Write(doc);
    const char* inOrder[] = {
        "%%Quorvanti,Doc,Platform,2\r\n",
        "%%Quorvanti,Doc,Title,Cooling with a lid\r\n",
        "%%Quorvanti,Data,Interval,0.5\r\n",
        "%%Quorvanti,Data,Latitude,51.123456789\r\n",
        "%%Quorvanti,Field,Key,1,",
        "%%Quorvanti,Field,Counter,1,1234567\r\n",
        "%%Quorvanti,Field,Colour,1,0,0,0\r\n",
        "%%Quorvanti,Field,Name,3,Temp, inside\r\n",
        "%%Quorvanti,Field,Colour,3,20,20,255\r\n",
        "%%Quorvanti,FieldSensor,UserEnable,3,0\r\n%%Quorvanti,FieldCalib,Index,3,",
        "%%Quorvanti,FieldSensor,TPIcon,3,\r\n%%Quorvanti,Field,Key,4,",
        "%%Quorvanti,Graph,AxisL,3\r\n",
        "%%Quorvanti,Table,Date,0\r\n",
        "%%Quorvanti,Setup,TriggeredCalibIdx,",
        "%%Quorvanti,TriggeredSenCalib,Index,0,",
        "%%Quorvanti,Setup,BarsTotal,",
        "%%Quorvanti,Annotation,0,-1,3,1.5,",
        "%%Quorvanti,Annotation,1,-1,3,2.5,",
        "%%Quorvanti,Control,2,1,0,3,1,22.5,22,5\r\n",
        "%%Quorvanti,Control,5,",
        "%%Quorvanti,Scope,Timebase,3\r\n",
        "%%Quorvanti,Timing,ElapsedTimeToLastEvent,4294967296\r\n",
        "%%Quorvanti,Timing,CardCount,5,0\r\n%%Quorvanti,TimerV,Timer,",
        "%%Quorvanti,ToolNow,Tool,3\r\n",
        "%%Quorvanti,ToolWas,Tool,",
        "%%Quorvanti,BoxPublicInfo,BoxStamp,Lab 4\r\n",
        "%%Quorvanti,BoxInfo,Firmware,1\r\n",
        "%%Quorvanti,Sensor,Enable,0,",
        "%%Quorvanti,Calib,fIsControl,5,",
        "%%Quorvanti,Calculate,0,0,4,",
        "%%Quorvanti,Predict,FieldX,1\r\n",
        "%%Quorvanti,Predict,Points,0,0,0.1,1,",
    };
    size_t at = 0;
    for (const char* line : inOrder) {
        const size_t found = bytes.find(line, at);
        ASSERT_NE(found, std::string::npos) << line;
        at = found;
    }
    EXPECT_EQ(bytes.find(",SensorV,"), std::string::npos);
    // Several "Points" lines, each 500 characters or more but the last.
    size_t lines = 0;
    for (size_t p = bytes.find("Predict,Points,"); p != std::string::npos; p = bytes.find("Predict,Points,", p + 1)) {
        const size_t end = bytes.find("\r\n", p);
        const size_t next = bytes.find("Predict,Points,", end);
        if (next != std::string::npos) {
            EXPECT_GE(end - p - 15, 500u);
        }
        ++lines;
    }
    EXPECT_GT(lines, 2u);
}

// Each line stands alone: bad values and numbers out of range change nothing,
// and the file still opens.
TEST_F(FileState, BadStateLinesChangeNothing)
{
    const std::string state = "%%quorvanti,doc,title,a, b\r\n"
                              "%%Quorvanti,Doc,Activity,2x\r\n"
                              "%%Quorvanti,Unknown,Key,1\r\n"
                              "%%Quorvanti,SensorV,Enable,0,1\r\n"
                              "%%Quorvanti,Field,Name,0,zero\r\n"
                              "%%Quorvanti,Field,Name,3,three\r\n"
                              "%%Quorvanti,Field,Name,2,two\r\n"
                              "%%Quorvanti,Field,Places,2,9\r\n"
                              "%%Quorvanti,Field,Counter,2,1e6\r\n"
                              "%%Quorvanti,Control,6,1,0,0,1,5,x\r\n"
                              "%%Quorvanti,Control,1,1,0,7,1,5,a,b\r\n"
                              "%%Quorvanti,Sensor,IdCode,6,5\r\n"
                              "%%Quorvanti,BoxInfo,MaxSensors,7\r\n"
                              "%%Quorvanti,Setup,Readings,50\r\n"
                              "%%Quorvanti,Setup,Setup,9\r\n"
                              "%%Quorvanti,Data,Records,99999\r\n"
                              "%%Quorvanti,Data,Records,1\r\n"
                              "%%Quorvanti,Graph,AxisL,5\r\n"
                              "%%Quorvanti,Calculate,0,0,1,0,2,9,0,A,4,-1,/\r\n"
                              "%%Quorvanti,Predict,Points,1,2,3\r\n"
                              "%%Quorvanti,TimerV,Timer,1,2\r\n"
                              "%%Quorvanti,Timing,Delta,3,1\r\n"
                              "%%Quorvanti,Timing,Delta,2,-5\r\n";
    CdocDoc doc;
    const CxhwSetup fresh = doc.m_setup;
    ASSERT_TRUE(Read(doc, Own(state)));
    EXPECT_EQ(doc.m_title, "a, b");
    EXPECT_EQ(doc.m_activity, ACTIVITY_AUTOLOG);
    ASSERT_EQ(doc.m_data.m_fields.GetCount(), 2);
    EXPECT_EQ(doc.m_data.m_fields.GetAt(1)->m_name, "two");
    EXPECT_EQ(doc.m_data.m_fields.GetAt(0)->m_name, "");
    EXPECT_LE(doc.m_data.m_fields.GetAt(1)->m_places, 5);
    EXPECT_TRUE(doc.m_control.m_rules[1].m_enabled);
    EXPECT_EQ(doc.m_control.m_rules[1].m_thresholdText, "a,b");
    EXPECT_TRUE(doc.m_control.m_rules[1].m_field.IsEmpty());
    EXPECT_EQ(doc.m_boxInfo.m_info.m_maxSensors, CxutBoxInfo().m_maxSensors);
    EXPECT_EQ(doc.m_setup.m_readings, fresh.m_readings);
    EXPECT_EQ(doc.m_setup.m_setup, fresh.m_setup);
    EXPECT_EQ(doc.m_data.m_records, 1);
    EXPECT_TRUE(doc.m_graph.m_axisL.IsEmpty());
    EXPECT_EQ(doc.m_calcs.m_count, 0); // "A /" does not parse
    ASSERT_EQ(doc.m_predict.m_count, 1);
    EXPECT_EQ(doc.m_timing.m_timers.GetCount(), 0);
    EXPECT_EQ(doc.m_timing.m_delta[2], -5.0);
}

// The colour scheme number comes back as it was written, whatever it is.
TEST_F(FileState, ColourSchemeKeepsItsNumber)
{
    for (int scheme : {0, 1, 2, 7, -3}) {
        CdocDoc doc;
        Fill(doc);
        doc.m_colours = scheme;
        const std::string bytes = Write(doc);
        EXPECT_NE(bytes.find("%%Quorvanti,Doc,Colours," + std::to_string(scheme) + "\r\n"), std::string::npos);
        CdocDoc back;
        ASSERT_TRUE(Read(back, bytes));
        EXPECT_EQ(back.m_colours, scheme);
        EXPECT_TRUE(SameBut(bytes, Write(back)));
    }
}

// A file without a version is the oldest: every old-version step applies.
TEST_F(FileState, OldVersionsAreBroughtUpToDate)
{
    const std::string text = "%%Identifier,QVD\r\n%%DataSize,1,1\r\n"
                             "%%Quorvanti,Doc,Colours,1\r\n"
                             "%%Quorvanti,Field,Show,1,0\r\n"
                             "%%Quorvanti,Field,Counter,1,5\r\n"
                             "%%Quorvanti,FieldSensor,IdCode,0,44\r\n"
                             "%%Quorvanti,BoxInfo,Hardware,6\r\n"
                             "%%Quorvanti,Data,Interval,0\r\n"
                             "1\r\n";
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, text));
    EXPECT_EQ(doc.m_fileVersion, 0);
    EXPECT_EQ(doc.m_colours, 0);
    const CdocField& field = *doc.m_data.m_fields.GetAt(0);
    EXPECT_FALSE(field.m_fieldEnable);
    EXPECT_EQ(field.m_counter, 131072);
    EXPECT_TRUE(field.m_manualLogOverNull);
    EXPECT_EQ(field.m_fieldSensor.m_idCode, 44); // numbered from 0 before version 8
    EXPECT_EQ(doc.m_boxInfo.m_boxTimingMask, 63);
    EXPECT_DOUBLE_EQ(doc.m_data.m_logPeriod, 0.1);
}

TEST_F(FileState, EveryPieceOfAWholeFileIsReadOnce)
{
    CdocDoc doc;
    Fill(doc);
    doc.m_notes = wxString::FromUTF8("20 °C, calm");
    const std::string utf8 = Write(doc);
    // The same file in ISO-8859-1: one byte for the degree sign.
    const wxString text = wxString::FromUTF8(utf8.data(), utf8.size());
    const wxCharBuffer latin = text.mb_str(wxConvISO8859_1);
    const std::string eightBit(latin.data(), latin.length());
    ASSERT_NE(eightBit, utf8);
    for (const std::string& bytes : {utf8, eightBit}) {
        CdocDoc back;
        ASSERT_TRUE(Read(back, bytes));
        EXPECT_EQ(back.m_notes, wxString::FromUTF8("20 °C, calm\n"));
        EXPECT_EQ(back.m_annotations.m_count, 2);
        EXPECT_EQ(back.m_calcs.m_count, 1);
        EXPECT_EQ(back.m_predict.m_count, 300);
        EXPECT_EQ(back.m_timing.m_timers.GetCount(), 1);
    }
}

TEST_F(FileState, LinesSplitAtEveryLineEnd)
{
    std::vector<wxString> lines;
    gumSplitLines("a\nb\r\nc\rd", lines);
    EXPECT_EQ(lines, (std::vector<wxString>{"a", "b", "c", "d"}));
    gumSplitLines("a\r\r\n", lines);
    EXPECT_EQ(lines, (std::vector<wxString>{"a", ""}));
    gumSplitLines("", lines);
    EXPECT_TRUE(lines.empty());
}

// An opened file saved again keeps the logger it was recorded with, even when
// another logger is connected now; an overlong line refuses the file and
// leaves the document as it was.
TEST_F(FileState, RecordedLoggerStaysAndOverlongLinesAreRefused)
{
    CdocDoc doc;
    Fill(doc);
    CdocDoc back;
    ASSERT_TRUE(Read(back, Write(doc)));
    back.m_boxInfo.m_boxStamp = "Connected now";
    const std::string again = Write(back);
    EXPECT_NE(again.find("%%Quorvanti,BoxPublicInfo,BoxStamp,Lab 4\r\n"), std::string::npos);

    const std::string longLine = "%%Identifier,QVD\r\n%%DataSize,1,1\r\n%%Title," + std::string(2000000, 'x') + "\r\n1\r\n";
    EXPECT_FALSE(Read(back, longLine));
    EXPECT_EQ(back.m_data.m_records, 7);
    EXPECT_EQ(back.m_title, "Cooling with a lid");
}

// With a sensor database, a classic ident it does not hold is not taken.
TEST_F(FileState, SensorIdentsMustBeInTheDatabase)
{
    CxhwSenFile senFile;
    senFile.Load(); // the shipped database
    if (senFile.GetSensorCount() == 0)
        GTEST_SKIP() << "no sensors in the test database";
    const int known = senFile.GetSensor(0).m_ident;
    int unknown = 1;
    while (senFile.FindNext(unknown, -1, true, false, false, false) >= 0)
        ++unknown;
    CdocDoc doc;
    ASSERT_TRUE(Read(doc, Own("%%Quorvanti,Sensor,IdCode,1," + std::to_string(known) + "\r\n"
                              "%%Quorvanti,Sensor,IdCode,2," + std::to_string(unknown) + "\r\n")));
    EXPECT_EQ(doc.m_boxInfo.m_sensors[1].m_idCode, known);
    EXPECT_EQ(doc.m_boxInfo.m_sensors[2].m_idCode, 0);
}
