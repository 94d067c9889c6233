#include "hardware/xhwSensor.h"
#include "hardware/xhwSenTestSupport.h"
#include "hardware/xutSmartIdent.h"
#include "hardware/xutSmartBlock.h"
#include "hardware/xutSmartSenDef.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <utility>
#include <vector>

using qvtest::SensorFileTest;

namespace {

void Put16(std::vector<unsigned char>& b, size_t at, int v)
{
    b[at] = static_cast<unsigned char>(v & 0xFF);
    b[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
}

void PutString(std::vector<unsigned char>& b, size_t at, const char* text)
{
    const size_t n = std::char_traits<char>::length(text);
    b[at] = static_cast<unsigned char>(n);
    for (size_t i = 0; i < n; ++i)
        Put16(b, at + 2 + 2 * i, text[i]);
}

// One sub-channel offering range 1 (first bank) and 2 (both banks); range 1
// converts through a three-point table with one decimal, range 2 counts.
std::vector<unsigned char> MakeBlock()
{
    std::vector<unsigned char> b(138, 0);
    Put16(b, 0, 138);
    b[4] = 1;  // sub-channels
    b[5] = 10; // record size
    Put16(b, 6, 32);
    b[8] = 2;  // ranges
    b[9] = 30; // record size
    Put16(b, 10, 42);
    b[12] = 1; // point tables
    Put16(b, 14, 102);
    b[16] = 2; // strings
    Put16(b, 18, 116);
    b[20] = 1;    // sensor name: string 1
    b[22] = 3;    // product
    b[23] = 0x11; // brand
    b[31] = 1;    // timing flag
    // Sub-channel 0: LED on, ranges 1 and 2 in the first bank, 2 in the second.
    b[32 + 2] = 0x21;
    b[32 + 3] = 0x02;
    // Range 1.
    b[42 + 1] = 2;    // name: string 2
    b[42 + 3] = 0x11; // table 1, decimal code 1
    Put16(b, 42 + 4, 1000);
    Put16(b, 42 + 6, 0);
    Put16(b, 42 + 8, 500);
    b[42 + 18] = 1;
    b[42 + 26] = 0x0F;
    b[42 + 29] = 1; // "Temp"
    // Range 2.
    b[72 + 1] = 2;
    b[72 + 20] = 1; // counts
    b[72 + 26] = 0x02;
    // Table 1: three points, decimal code 1.
    b[102] = 3;
    b[103] = 1;
    Put16(b, 104, 0x1000);
    Put16(b, 106, 100);
    Put16(b, 108, 0x2000);
    Put16(b, 110, 200);
    Put16(b, 112, 0x3000);
    Put16(b, 114, 400);
    PutString(b, 116, "Probe");
    PutString(b, 128, "Temp");
    return b;
}

void Fill(CxutSmartSenDef& def, const std::vector<unsigned char>& block)
{
    def.Clear();
    for (size_t at = 0; at < block.size(); at += 62)
        def.Append(block.data() + at, int(std::min<size_t>(62, block.size() - at)));
}

} // namespace

TEST(SmartDefinition, CompletesOnlyWithItsWholeLength)
{
    std::vector<unsigned char> block(70, 0);
    Put16(block, 0, 50);
    CxutSmartSenDef def;
    EXPECT_TRUE(def.Append(block.data(), 31));
    EXPECT_FALSE(def.IsComplete()); // shorter than a header
    def.Clear();
    EXPECT_TRUE(def.Append(block.data(), 40));
    EXPECT_FALSE(def.IsComplete());
    EXPECT_TRUE(def.Append(block.data(), 62)); // cut to the 10 missing bytes
    EXPECT_EQ(def.GetLength(), 50);
    EXPECT_TRUE(def.IsComplete());
    EXPECT_FALSE(def.Append(block.data(), 4)); // complete: nothing more
    EXPECT_EQ(def.GetLength(), 50);

    std::vector<unsigned char> huge(CxutSmartSenDef::kMaxLength + 1, 0xFF);
    def.Clear();
    EXPECT_FALSE(def.Append(huge.data(), int(huge.size())));
    EXPECT_EQ(def.GetLength(), 0);
}

TEST_F(SensorFileTest, SmartRangesConvertAndNameTheSensor)
{
    ASSERT_TRUE(LoadText("%%SENSOR 255,Unknown,%,100,0,1\n"));
    CxutSmartSenDef& def = *m_db.GetSmartDefs().GetDef(2);
    Fill(def, MakeBlock());
    ASSERT_TRUE(def.IsComplete());

    const int ident = xutMakeSmartIdent(2, 0, 0x11, 3);
    const int range1 = xutMakeSmartIdentBank(2, 0, 0, 1);
    const int range2 = xutMakeSmartIdentBank(2, 0, 0, 2);
    EXPECT_EQ(m_db.FindNext(ident, -1, true, false, false, false), range1);
    EXPECT_EQ(m_db.FindNext(ident, range1, true, false, false, false), range2);
    EXPECT_EQ(m_db.FindNext(ident, range2, true, false, false, false), -1);
    EXPECT_EQ(m_db.FindNext(ident, range2, false, true, false, false), xutMakeSmartIdentBank(2, 0, 1, 2));
    EXPECT_EQ(m_db.FindNext(ident, -1, false, false, false, true), range1);

    CxhwSenCalib calib;
    m_db.GetCalib(calib, range1);
    EXPECT_EQ(calib.m_index, range1);
    EXPECT_EQ(calib.m_ident, ident);
    EXPECT_EQ(calib.m_name, "Temp");
    EXPECT_EQ(calib.m_icon, "Temp");
    EXPECT_EQ(calib.m_calMax, 100.0f);
    EXPECT_EQ(calib.m_defMax, 50.0f);
    EXPECT_FALSE(calib.m_fCanTriggered); // range 1 is not in the second bank
    EXPECT_TRUE(calib.m_fCanTiming);
    const struct
    {
        int raw;
        float value;
    } points[] = {{0, 10.0f}, {0x1000, 10.0f}, {0x1800, 15.0f}, {0x3000, 40.0f}, {0xFFFF, 40.0f}};
    for (const auto& p : points)
        EXPECT_FLOAT_EQ(calib.Convert(p.raw), p.value) << p.raw;
    EXPECT_EQ(calib.Convert(XHW_NO_READING), XHW_NO_VALUE);

    def.SetRangeGain(1, 1.5f);
    def.SetRangeOffset(1, -1.0f);
    m_db.GetCalib(calib, range1);
    EXPECT_FLOAT_EQ(calib.Convert(0x1800), 21.5f);

    CxhwSenCalib counts;
    m_db.GetCalib(counts, range2);
    EXPECT_TRUE(counts.m_fIsCounter);
    EXPECT_EQ(counts.Convert(1000), 1000.0f); // no table

    CxhwSensor sensor;
    sensor.m_idCode = ident;
    sensor.m_idType = 7;
    ASSERT_TRUE(sensor.UseDefaultCalibration());
    EXPECT_EQ(sensor.m_calib.m_index, range1);
    EXPECT_EQ(sensor.m_calType, 7);
    EXPECT_EQ(sensor.m_sensorName, "Probe");
    EXPECT_EQ(sensor.m_product, 3);
    EXPECT_EQ(sensor.m_brand, 0x11);
    EXPECT_TRUE(sensor.m_sensorTiming);
    EXPECT_EQ(sensor.m_led, 1);
    EXPECT_EQ(sensor.m_tpName, "Temp");

    // A cleared block: its calibrations give no value, and a fresh look at
    // the sensor falls back to the database's entry for unknown sensors.
    def.Clear();
    EXPECT_EQ(calib.Convert(0x1800), XHW_NO_VALUE);
    m_db.GetCalib(calib, range1);
    EXPECT_EQ(calib.m_name, "Unknown");
    EXPECT_EQ(calib.m_index, range1);
    EXPECT_EQ(calib.m_ident, xutMakeSmartIdent(2, 0, 0, 0));
}

namespace {

using qvtest::SmartBlock;

// A block of the given declared length followed by filler, to hand over in
// chunks of the given sizes.
std::vector<unsigned char> Declaring(int total, size_t size)
{
    std::vector<unsigned char> b(size, 0x5A);
    Put16(b, 0, total);
    return b;
}

} // namespace

TEST(SmartDefinition, AppendTakesTheDeclaredLengthAndNoMore)
{
    const struct
    {
        const char* name;
        int total;
        std::vector<int> chunks;
        bool lastResult;
        int length;
        bool complete;
    } cases[] = {
        {"shorter than a header", 31, {31}, true, 31, false},
        {"one byte: the length is not known yet", 50, {1, 62}, true, 63, true},
        {"first chunk is taken whole", 40, {62}, true, 62, true},
        {"a chunk with four bytes missing adds four", 66, {62, 62}, true, 66, true},
        {"nothing more once complete", 66, {62, 62, 62}, false, 66, true},
        {"exactly the largest block", CxutSmartSenDef::kMaxLength,
         std::vector<int>(256, 62), true, 256 * 62, false},
        {"past the largest block: emptied", 0xFFFF, std::vector<int>(257, 62), false, 0, false},
    };
    for (const auto& c : cases) {
        const auto bytes = Declaring(c.total, 20000);
        CxutSmartSenDef def;
        size_t at = 0;
        bool result = false;
        for (int n : c.chunks) {
            result = def.Append(bytes.data() + at, n);
            at += size_t(n);
        }
        EXPECT_EQ(result, c.lastResult) << c.name;
        EXPECT_EQ(def.GetLength(), c.length) << c.name;
        EXPECT_EQ(def.IsComplete(), c.complete) << c.name;
    }

    // The largest block completes with its last 48 bytes.
    const auto bytes = Declaring(CxutSmartSenDef::kMaxLength, 20000);
    CxutSmartSenDef def;
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE(def.Append(bytes.data() + 62 * i, 62));
    EXPECT_TRUE(def.Append(bytes.data(), 62));
    EXPECT_EQ(def.GetLength(), CxutSmartSenDef::kMaxLength);
    EXPECT_TRUE(def.IsComplete());
}

namespace {

// One sub-channel offering range 1 in both banks; range 1 converts through a
// two-point table with one decimal; strings "Temp" and "C".
SmartBlock GoodBlock()
{
    SmartBlock b;
    b.subs.resize(1);
    b.subs[0].list = {0x11};
    b.ranges.resize(1);
    b.ranges[0] = {0, 1, 2, 1, 1, 1000, 0, 1000, 0, 1, 0, 0x0F, 0, 1};
    b.tables = {{1, {{0x1000, 100}, {0x2000, 200}}}};
    b.strings = {u"Temp", u"C"};
    return b;
}

// What a reader makes of a block: the sub-channel, the first range, a
// conversion, and the range's names.
struct Reading
{
    bool sub;
    bool range;
    int next;
    float converted;
    wxString name;
    wxString units;

    bool operator==(const Reading& o) const
    {
        return sub == o.sub && range == o.range && next == o.next && converted == o.converted
               && name == o.name && units == o.units;
    }
};

std::ostream& operator<<(std::ostream& os, const Reading& r)
{
    return os << "{sub " << r.sub << ", range " << r.range << ", next " << std::hex << r.next
              << std::dec << ", converted " << r.converted << ", '" << r.name.utf8_str() << "', '"
              << r.units.utf8_str() << "'}";
}

Reading Read(const CxutSmartSenDef& def, int input)
{
    const int ident = xutMakeSmartIdent(input, 0, 0x11, 3);
    const int range1 = xutMakeSmartIdentBank(input, 0, 0, 1);
    CxhwSenCalib calib;
    def.GetRangeCalib(calib, range1);
    return {def.GetSubRecord(0) != nullptr, def.HasRange(range1),
            def.NextRange(ident, -1, true, false, false, false), def.ConvertRaw(range1, 0x1800),
            calib.m_name, calib.m_units};
}

} // namespace

TEST_F(SensorFileTest, HostileBlocksReadNothingOutsideThemselves)
{
    ASSERT_TRUE(LoadText("%%SENSOR 255,Unknown,%,100,0,1\n"));
    const std::vector<unsigned char> good = GoodBlock().Build();
    const int total = SmartBlock::Get16(good, 0);
    const int r1 = xutMakeSmartIdentBank(0, 0, 0, 1);
    const float raw = float(0x1800);
    const Reading fine{true, true, r1, 15.0f, "Temp", "C"};
    const Reading noSub{false, true, -1, 15.0f, "Temp", "C"};
    const Reading noRange{true, false, -1, raw, "Unknown", "%"};
    const Reading noStrings{true, true, r1, 15.0f, "", ""};
    const Reading noTable{true, true, r1, raw, "Temp", "C"};
    const size_t rangeAt = size_t(SmartBlock::Get16(good, SmartBlock::kRangeFirst));
    const size_t tableAt = size_t(SmartBlock::Get16(good, SmartBlock::kTableFirst));
    const size_t stringAt = size_t(SmartBlock::Get16(good, SmartBlock::kStringFirst));
    using Bytes = std::vector<unsigned char>;
    const struct
    {
        const char* name;
        void (*spoil)(Bytes&, int total, size_t ranges, size_t tables, size_t strings);
        Reading expected;
    } cases[] = {
        {"as built", [](Bytes&, int, size_t, size_t, size_t) {}, fine},
        {"sub-channel records past the end",
         [](Bytes& b, int t, size_t, size_t, size_t) { Put16(b, SmartBlock::kSubFirst, t - 4); },
         noSub},
        {"sub-channel offset at the top",
         [](Bytes& b, int, size_t, size_t, size_t) { Put16(b, SmartBlock::kSubFirst, 0xFFFF); },
         noSub},
        {"sub-channel records larger than the block",
         [](Bytes& b, int, size_t, size_t, size_t) {
             b[SmartBlock::kSubCount] = 255;
             b[SmartBlock::kSubSizeAt] = 255;
         },
         noSub},
        {"range records past the end",
         [](Bytes& b, int t, size_t, size_t, size_t) { Put16(b, SmartBlock::kRangeFirst, t - 20); },
         noRange},
        {"range record larger than the rest",
         [](Bytes& b, int, size_t, size_t, size_t) { b[SmartBlock::kRangeSizeAt] = 255; },
         noRange},
        {"point table past the end",
         [](Bytes& b, int t, size_t, size_t, size_t) { Put16(b, SmartBlock::kTableFirst, t - 1); },
         noTable},
        {"point table with more points than bytes",
         [](Bytes& b, int, size_t, size_t tables, size_t) { b[tables] = 255; }, noTable},
        {"point table number beyond the count",
         [](Bytes& b, int, size_t ranges, size_t, size_t) { b[ranges + 3] = 0x1F; }, noTable},
        {"string longer than the block",
         [](Bytes& b, int, size_t, size_t, size_t strings) { b[strings] = 255; }, noStrings},
        {"string offset at the top",
         [](Bytes& b, int, size_t, size_t, size_t) { Put16(b, SmartBlock::kStringFirst, 0xFFFF); },
         noStrings},
        {"declared length ends after the sub-channel",
         [](Bytes& b, int, size_t, size_t, size_t) { Put16(b, 0, 42); }, noRange},
    };
    for (const auto& c : cases) {
        Bytes bytes = good;
        c.spoil(bytes, total, rangeAt, tableAt, stringAt);
        // Bait past the block's end: a reader that strayed there would find
        // the string "BAIT" and a steep table.
        for (int i = 0; i < 200; ++i) {
            bytes.push_back(i % 4 == 0 ? 2 : "BAIT"[(i / 2) % 4]);
            bytes.push_back(0);
        }
        CxutSmartSenDef& def = *m_db.GetSmartDefs().GetDef(0);
        def.Clear();
        ASSERT_TRUE(def.Append(bytes.data(), int(bytes.size()))) << c.name;
        ASSERT_TRUE(def.IsComplete()) << c.name;
        EXPECT_EQ(Read(def, 0), c.expected) << c.name;

        // Nothing else reads beyond the block either.
        CxhwSensor sensor;
        sensor.m_idCode = xutMakeSmartIdent(0, 0, 0x11, 3);
        sensor.m_idType = 7;
        ASSERT_TRUE(m_db.AssignSensor(sensor)) << c.name;
        EXPECT_EQ(sensor.m_calib.Convert(0x1800), c.expected.next < 0 ? raw : c.expected.converted)
            << c.name;
        EXPECT_EQ(sensor.m_sensorName.Find("BAIT"), wxNOT_FOUND) << c.name;
        for (int k = 0; k <= 3; ++k) {
            wxString text = "kept";
            def.GetString(text, k);
            EXPECT_EQ(text.Find("BAIT"), wxNOT_FOUND) << c.name;
        }
    }
}

TEST(SmartDefinition, PointTablesNeverDivideByZero)
{
    const struct
    {
        const char* name;
        std::vector<std::pair<int, int>> points;
        int raw;
        float value;
    } cases[] = {
        {"below the first point", {{0x1000, 10}, {0x2000, 20}}, 0x0800, 10.0f},
        {"between two points", {{0x1000, 10}, {0x2000, 20}}, 0x1800, 15.0f},
        {"above the last point", {{0x1000, 10}, {0x2000, 20}}, 0xFFFF, 20.0f},
        {"two equal raws, at them", {{0x1000, 10}, {0x1000, 20}, {0x2000, 40}}, 0x1000, 20.0f},
        {"two equal raws, past them", {{0x1000, 10}, {0x1000, 20}, {0x2000, 40}}, 0x1800, 30.0f},
        {"every raw equal", {{0x1000, 1}, {0x1000, 2}, {0x1000, 3}}, 0x1000, 2.0f},
        {"falling raws", {{0x2000, 1}, {0x1000, 2}}, 0x1800, 1.0f},
        {"a single point", {{0x1000, 7}}, 0x1800, 7.0f},
        {"negative values", {{0, -100}, {0x100, 100}}, 0x80, 0.0f},
    };
    for (const auto& c : cases) {
        SmartBlock b = GoodBlock();
        b.tables = {{0, c.points}};
        CxutSmartSenDef def;
        ASSERT_TRUE(qvtest::FillDef(def, b.Build()));
        const int range1 = xutMakeSmartIdentBank(0, 0, 0, 1);
        EXPECT_FLOAT_EQ(def.ConvertRaw(range1, c.raw), c.value) << c.name;
        for (int raw = 0; raw <= 0xFFFF; raw += 0x40)
            EXPECT_TRUE(std::isfinite(def.ConvertRaw(range1, raw))) << c.name << " " << raw;
    }
}

TEST(SmartDefinition, RangeFieldsAreScaledByTheirDecimalCode)
{
    const struct
    {
        int decimal;
        int stored;
        float value;
    } cases[] = {{0, 4000, 4000.0f}, {2, 0x0FA0, 40.0f}, {7, 0x0FA0, 40000.0f}, {1, 0xFFCE, -5.0f}};
    for (const auto& c : cases) {
        SmartBlock b = GoodBlock();
        b.ranges[0].decimal = c.decimal;
        b.ranges[0].calMax = c.stored;
        CxutSmartSenDef def;
        ASSERT_TRUE(qvtest::FillDef(def, b.Build()));
        CxhwSenCalib calib;
        def.GetRangeCalib(calib, xutMakeSmartIdentBank(0, 0, 0, 1));
        EXPECT_FLOAT_EQ(calib.m_calMax, c.value) << c.decimal;
    }

    // The icon byte is read from records of 30 bytes or more, and names one
    // of 48 icons.
    const struct
    {
        int size;
        int icon;
        const char* expected;
    } icons[] = {{29, 1, ""}, {30, 1, "Temp"}, {30, 47, "Output"}, {30, 48, ""}, {40, 2, "Light"}};
    for (const auto& c : icons) {
        SmartBlock b = GoodBlock();
        b.rangeSize = c.size;
        b.ranges[0].icon = c.icon;
        CxutSmartSenDef def;
        ASSERT_TRUE(qvtest::FillDef(def, b.Build()));
        CxhwSenCalib calib;
        def.GetRangeCalib(calib, xutMakeSmartIdentBank(0, 0, 0, 1));
        EXPECT_EQ(calib.m_icon, c.expected) << c.size << " " << c.icon;
        EXPECT_EQ(calib.m_name, "Temp") << c.size;
    }
}

TEST(SmartDefinition, NextRangeWalksBothBanksByPurpose)
{
    // Range 1: first bank, times. Range 2: both banks, triggers and scopes.
    // Range 3: second bank, scopes and times.
    SmartBlock b = GoodBlock();
    b.subs.resize(2);
    b.subs[0].list = {0x01, 0x22, 0x30};
    b.subs[1].list = {0x02};
    b.ranges.resize(3);
    b.ranges[0].use = 0x08;
    b.ranges[1] = b.ranges[0];
    b.ranges[1].use = 0x06;
    b.ranges[2] = b.ranges[0];
    b.ranges[2].use = 0x0C;
    CxutSmartSenDef def;
    ASSERT_TRUE(qvtest::FillDef(def, b.Build()));
    const int r1 = xutMakeSmartIdentBank(2, 0, 0, 1);
    const int r2 = xutMakeSmartIdentBank(2, 0, 0, 2);
    const int r2fast = xutMakeSmartIdentBank(2, 0, 1, 2);
    const int r3fast = xutMakeSmartIdentBank(2, 0, 1, 3);
    const struct
    {
        const char* name;
        int sub;
        bool any, trigger, scope, timing;
        std::vector<int> expected;
    } cases[] = {
        {"any: the first bank", 0, true, false, false, false, {r1, r2}},
        {"trigger", 0, false, true, false, false, {r2fast}},
        {"scope", 0, false, false, true, false, {r2fast, r3fast}},
        {"timing in both banks", 0, false, false, false, true, {r1, r3fast}},
        {"any and scope", 0, true, false, true, false, {r1, r2, r2fast, r3fast}},
        {"nothing asked", 0, false, false, false, false, {}},
        {"second sub-channel", 1, true, true, true, true,
         {xutMakeSmartIdentBank(2, 1, 0, 2)}},
        {"sub-channel beyond the count", 2, true, true, true, true, {}},
    };
    for (const auto& c : cases) {
        const int ident = xutMakeSmartIdent(2, c.sub, 0x11, 3);
        std::vector<int> found;
        for (int after = -1; found.size() < 10;) {
            after = def.NextRange(ident, after, c.any, c.trigger, c.scope, c.timing);
            if (after < 0)
                break;
            found.push_back(after);
        }
        EXPECT_EQ(found, c.expected) << c.name;
    }
    EXPECT_EQ(def.NextRange(0xFFFFFF, -1, true, true, true, true), -1); // classic ident
    EXPECT_EQ(def.FindRange(0), 1);
    def.Clear();
    EXPECT_EQ(def.NextRange(xutMakeSmartIdent(2, 0, 0x11, 3), -1, true, true, true, true), -1);
    EXPECT_EQ(def.FindRange(0), -1);
}

TEST_F(SensorFileTest, SmartSensorTakesItsSubChannelAndHeaderFields)
{
    ASSERT_TRUE(LoadText("%%SENSOR 255,Unknown,%,100,0,1\n"));
    SmartBlock b = GoodBlock();
    b.subs.resize(2);
    b.subs[1] = {5, 0x05, {0x01}}; // no indicator; optional, initially invisible
    b.ranges[0].postProc = 2;      // whole numbers
    b.nameString = 1;
    b.version = 4;
    b.lang = 0x0409;
    b.ledMain = 6;
    b.warmUp = 7;
    b.current = 8;
    b.timing = 1;
    CxutSmartSenDef& def = *m_db.GetSmartDefs().GetDef(3);
    ASSERT_TRUE(qvtest::FillDef(def, b.Build()));

    CxhwSensor sensor;
    sensor.m_idCode = xutMakeSmartIdent(3, 1, 0x11, 3);
    sensor.m_idType = 7;
    sensor.m_changedEnable = sensor.m_changedCal = false;
    ASSERT_TRUE(m_db.AssignSensor(sensor));
    EXPECT_EQ(sensor.m_calib.m_index, xutMakeSmartIdentBank(3, 1, 0, 1));
    EXPECT_EQ(sensor.m_calType, 3); // the type of kind 2
    EXPECT_TRUE(sensor.m_changedCal);
    EXPECT_TRUE(sensor.m_calib.m_fIsInteger);
    EXPECT_FALSE(sensor.m_calib.m_fIsCounter);
    EXPECT_FALSE(sensor.m_calib.m_fCanTriggered); // only sub-channel 0 triggers
    EXPECT_TRUE(sensor.m_optional);
    EXPECT_FALSE(sensor.m_initiallyDisabled);
    EXPECT_TRUE(sensor.m_initiallyInvisible);
    EXPECT_FALSE(sensor.m_enable);
    EXPECT_TRUE(sensor.m_changedEnable);
    EXPECT_EQ(sensor.m_led, 0);
    EXPECT_EQ(sensor.m_sensorName, "Temp");
    EXPECT_EQ(sensor.m_sensorVersion, 4);
    EXPECT_EQ(sensor.m_lang, 0x0409);
    EXPECT_EQ(sensor.m_ledMain, 6);
    EXPECT_EQ(sensor.m_warmUp, 7);
    EXPECT_EQ(sensor.m_sensorCurrent, 8);
    EXPECT_TRUE(sensor.m_sensorTiming);
    EXPECT_EQ(sensor.m_tpName, "Temp");
    EXPECT_EQ(sensor.m_tpIcon, "Temp");

    // An input beyond the six has no block.
    CxhwSensor far;
    far.m_idCode = xutMakeSmartIdent(7, 0, 0x11, 3);
    EXPECT_FALSE(m_db.AssignSensor(far));
}
