// Loading, checking and patching logger system images from their files.
#include "hardware/xhwBox.h"
#include "protocol/xhwSystemImageFiles.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xhwSystemTestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

class SystemImage : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_res.LoadStrings()); }

    wxFileName File(const std::string& name) const { return wxFileName(m_folder.Path(name)); }

    // A descriptor of a byte-link type with buffers of the installer's sizes.
    void Prepare(int family, int revision, int highest, int pad, bool patch)
    {
        m_words.assign(size_t(highest) + 1 < kSystemWords ? kSystemWords : size_t(highest) + 1, 0);
        m_bytes.assign(2 * (size_t(highest) + 1), 0);
        m_image.m_fileFamily = family;
        m_image.m_fileRevision = revision;
        m_image.m_highestWord = highest;
        m_image.m_padValue = pad;
        m_image.m_textPatch = patch;
        m_image.m_wordImage = m_words.data();
        m_image.m_byteImage = m_bytes.data();
    }

    CgumResCore m_res;
    CtestSystemFolder m_folder;
    CxhwBox m_box;
    CxhwSystemImage m_image;
    std::vector<int32_t> m_words;
    std::vector<uint8_t> m_bytes;
};

TEST(HexRecord, TakesOnlyWholeRecords)
{
    const std::string good = HexRecord(0, 0x0010, {0x12, 0xAB});
    struct Case
    {
        std::string line;
        bool parses;
    } cases[] = {
        {good, true},
        {":0200100012ab31", true}, // lowercase digits
        {good + " ", false},       // trailing space
        {good.substr(0, good.size() - 2) + "00", false},
        {":020010", false},
        {":03001000ABCD12", false}, // shorter than its count says
        {":0200100012AG31", false},
        {"0200100012AB3100", false},
    };
    for (const Case& c : cases) {
        CxutHexRecord record;
        EXPECT_EQ(xutParseHexRecord(c.line, record), c.parses) << c.line;
    }
    CxutHexRecord record;
    ASSERT_TRUE(xutParseHexRecord(good, record));
    EXPECT_EQ(record.m_count, 2);
    EXPECT_EQ(record.m_address, 0x10);
    EXPECT_EQ(record.m_data[1], 0xAB);
}

TEST_F(SystemImage, HexDataAfterTheHighAreaMovesUp)
{
    m_folder.WriteText("a.hex", {HexRecord(4, 0, {0x00, 0x01}), HexRecord(0, 0xE000, {0x11, 0x11, 0x22, 0x22}),
                                 HexRecord(0, 0x0010, {0x33, 0x33}), HexRecord(0, 0x0020, {0x44}), HexEnd()});
    std::vector<int32_t> words(0x10000);
    bool corrupt = true;
    const int after = xhwReadSystemHexFile(m_box, File("a.hex"), words.data(), 0xFFFF, 0xFFFF, corrupt);
    EXPECT_FALSE(corrupt);
    EXPECT_EQ(words[0x7000], 0x1111);
    EXPECT_EQ(words[0x7001], 0x2222);
    EXPECT_EQ(words[0x8000 + 8], 0x3333);
    EXPECT_EQ(words[8], 0xFFFF);
    EXPECT_EQ(words[0x8010], 0xFFFF); // the one-byte record is skipped
    EXPECT_EQ(after, 0x8008 + 1);
}

TEST_F(SystemImage, HexRecordWithAWrongChecksumRefusesTheFile)
{
    std::vector<std::string> lines = HexWords(4, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    lines[1].back() = lines[1].back() == '0' ? '1' : '0';
    m_folder.WriteText("b.hex", lines);
    std::vector<int32_t> words(kSystemWords);
    bool corrupt = false;
    EXPECT_EQ(xhwReadSystemHexFile(m_box, File("b.hex"), words.data(), 0x1FFF, 0x3FFF, corrupt), 0);
    EXPECT_TRUE(corrupt);
}

TEST_F(SystemImage, RawFileMustFitTheWordImage)
{
    const int highest = 15;
    std::vector<int32_t> words(highest + 1);
    std::vector<uint8_t> bytes(2 * (highest + 1));
    m_folder.WriteBytes("long.bin", std::vector<uint8_t>(2 * (highest + 1) + 1, 1));
    EXPECT_EQ(xhwReadSystemBinFile(File("long.bin"), words.data(), 0, bytes.data(), highest, 0x3FFF), 0);
    // Fits the byte buffer, but from word 4 on it would run past the last word.
    m_folder.WriteBytes("full.bin", std::vector<uint8_t>(2 * (highest + 1), 1));
    EXPECT_EQ(xhwReadSystemBinFile(File("full.bin"), words.data(), 4, bytes.data(), highest, 0x3FFF), 0);
    EXPECT_EQ(xhwReadSystemBinFile(File("full.bin"), words.data(), 0, bytes.data(), highest, 0x3FFF), 16);
    // An odd last byte is paired with the pad value's high byte.
    m_folder.WriteBytes("odd.bin", {0x34, 0x12, 0x56});
    EXPECT_EQ(xhwReadSystemBinFile(File("odd.bin"), words.data(), 4, bytes.data(), highest, 0x3FFF), 6);
    EXPECT_EQ(words[4], 0x1234);
    EXPECT_EQ(words[5], 0x3F56);
    EXPECT_EQ(words[6], 0x3FFF);
    EXPECT_EQ(xhwReadSystemBinFile(File("none.bin"), words.data(), 4, bytes.data(), highest, 0x3FFF), 0);
}

TEST(WordChecksums, SecondChecksumOnlyPastWord2048)
{
    std::vector<int32_t> words(kSystemWords, 1);
    words[2048] = 0x4005;
    xutComputeWordChecksums(words.data(), 2049, 0x4000);
    EXPECT_EQ(words[2047], 0x4000 - 2043);
    EXPECT_EQ(words[2048], 0x4005);
    xutComputeWordChecksums(words.data(), 2050, 0x4000);
    EXPECT_EQ(words[2049], 0x4000 - 5);
    std::fill(words.begin(), words.end(), 0);
    xutComputeWordChecksums(words.data(), 100, 0x4000);
    EXPECT_EQ(words[2047], 0x4000);
}

TEST_F(SystemImage, WordImagesByFileKind)
{
    // Raw file: words from word 4, with its first checksum right.
    std::vector<uint16_t> image = Image14(2050 - 4, 7);
    std::vector<int32_t> check(kSystemWords, 0x3FFF);
    std::copy(image.begin(), image.end(), check.begin() + 4);
    xutComputeWordChecksums(check.data(), 2050, 0x4000);
    image[2047 - 4] = uint16_t(check[2047]);
    image[2049 - 4] = uint16_t(check[2049]);
    m_folder.WriteBytes("Sys060.bin", RawWords(image));
    Prepare(6, 0, 0x1EFF, 0x3FFF, false);
    EXPECT_EQ(xutLoadFirmwareWords(m_box, m_image), 2050);
    EXPECT_EQ(m_image.m_result, 0);
    EXPECT_EQ(m_words[10], image[6]);

    image[100] ^= 1;
    m_folder.WriteBytes("Sys060.bin", RawWords(image));
    Prepare(6, 0, 0x1EFF, 0x3FFF, false);
    EXPECT_EQ(xutLoadFirmwareWords(m_box, m_image), 0);
    EXPECT_EQ(m_image.m_result, SYSTEM_RESULT_FILE_CORRUPT);

    // No raw file: the HEX file's checksums are computed, never compared.
    m_image.Reset();
    m_folder.WriteText("Sys051.hex", HexWords(4, Image14(40, 3)));
    Prepare(5, 1, 0x1EFF, 0x3FFF, false);
    EXPECT_EQ(xutLoadFirmwareWords(m_box, m_image), 44);
    EXPECT_EQ(m_image.m_fileName.GetFullName(), "Sys051.hex");
    int64_t sum = 0;
    for (int i = 4; i <= 2047; ++i)
        sum += m_words[size_t(i)] % 0x4000;
    EXPECT_EQ(sum % 0x4000, 0);

    m_image.Reset();
    Prepare(7, 2, 0x1EFF, 0x3FFF, false);
    EXPECT_EQ(xutLoadFirmwareWords(m_box, m_image), 0);
    EXPECT_EQ(m_image.m_result, SYSTEM_RESULT_FILE_MISSING);
    EXPECT_EQ(m_image.m_fileName.GetFullName(), "Sys072.hex");
}

TEST_F(SystemImage, TextsPatchedIntoAType8Image)
{
    m_res.m_strings[2018].clear();
    m_folder.WriteText("Sys050.hex", HexWords(4, Image14(40, 3)));
    Prepare(5, 0, 0x1EFF, 0x3FFF, true);
    ASSERT_EQ(xutLoadFirmwareWords(m_box, m_image), 44);
    auto text = [&](int at, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += char(m_words[size_t(at + i)] & 0xFF);
        return s;
    };
    const int b = 0x13FF;
    EXPECT_EQ(text(b + 1244, 36), "JanFebMarAprMayJunJulAugSepOctNovDec");
    EXPECT_EQ(text(b + 1152, 6), "Start ");
    EXPECT_EQ(text(b + 1152 + 6, 6), "Stop  ");
    EXPECT_EQ(text(b + 68, 4), "   C");
    EXPECT_EQ(text(b + 8, 4), " Min");
    EXPECT_EQ(text(b + 256, 16), "Temperature     ");
    // Bits above the character stay; an empty entry leaves its field alone.
    EXPECT_EQ(m_words[size_t(b + 68)] & ~0xFF, 0x3F00);
    EXPECT_EQ(m_words[size_t(b + 72)], 0x3FFF);
    EXPECT_EQ(m_words[6398], 0x3F00 | 'c');
    EXPECT_EQ(m_words[6399], 0x3FFF);
}

TEST_F(SystemImage, Type6ImageFromItsRawFile)
{
    m_folder.WriteBytes("Sys040.bin", RawWords({0, 1, 2, 3, 4, 5, 6, 7, 8}));
    Prepare(4, 0, 0xFFFF, 0xFFFF, false);
    m_words.assign(kSystemWordsBox6, 0x1234);
    m_image.m_wordImage = m_words.data();
    EXPECT_EQ(xutLoadFirmwareImage(m_box, m_image), 9);
    EXPECT_EQ(m_words[8192], 9);
    EXPECT_EQ(m_words[8195], 3); // a raw file carries its own checksum
    for (int i = 8201; i <= 8208; ++i)
        EXPECT_EQ(m_words[size_t(i)], 0) << i;
    EXPECT_EQ(m_words[8209], 0xFFFF);
}

TEST_F(SystemImage, Type6ImagesThatHoldNothingOrTooMuch)
{
    struct Case
    {
        const char* what;
        std::vector<uint8_t> raw;
        std::vector<std::string> hex;
        int result;
    } cases[] = {
        {"empty raw file", {}, {}, SYSTEM_RESULT_FILE_MISSING},
        {"raw file past the word image", std::vector<uint8_t>(2 * (65536 - 8192 - 4), 0), {}, SYSTEM_RESULT_FILE_MISSING},
        {"HEX data below word 8192", {}, HexWords(100, {1, 2, 3}), SYSTEM_RESULT_FILE_MISSING},
        {"HEX record damaged", {}, {":0400000001020304F0"}, SYSTEM_RESULT_FILE_CORRUPT},
    };
    for (const Case& c : cases) {
        ::unlink(m_folder.Path("Sys040.bin").c_str());
        ::unlink(m_folder.Path("Sys040.hex").c_str());
        if (c.hex.empty())
            m_folder.WriteBytes("Sys040.bin", c.raw);
        else
            m_folder.WriteText("Sys040.hex", c.hex);
        m_image.Reset();
        Prepare(4, 0, 0xFFFF, 0xFFFF, false);
        m_words.assign(kSystemWordsBox6, 0);
        m_image.m_wordImage = m_words.data();
        EXPECT_EQ(xutLoadFirmwareImage(m_box, m_image), 0) << c.what;
        EXPECT_EQ(m_image.m_result, c.result) << c.what;
    }
}

TEST_F(SystemImage, Type6HexImageGetsItsChecksum)
{
    std::vector<uint16_t> data(10);
    std::iota(data.begin(), data.end(), 0x100);
    m_folder.WriteText("Sys040.hex", HexWords(8192, data));
    Prepare(4, 0, 0xFFFF, 0xFFFF, false);
    m_words.assign(kSystemWordsBox6, 0);
    m_image.m_wordImage = m_words.data();
    const int n = xutLoadFirmwareImage(m_box, m_image);
    EXPECT_EQ(n, 12);
    // The checksum balances the words as they stood before it was stored,
    // the file's own word 8195 among them.
    int64_t sum = data[3];
    for (int i = 0; i < n; ++i)
        sum += m_words[size_t(8192 + i)];
    EXPECT_EQ(sum % 0x10000, 0);
}

// A type-4 file: text around the marker and 4096 nibble-coded values.
std::vector<uint8_t> Box4File(std::vector<int> values, size_t size, bool rightChecksum)
{
    int64_t sum = 0;
    for (size_t j = 2; j < values.size(); ++j)
        sum += values[j];
    const int v = int(0x1002A - sum % 0x10000);
    values[0] = v % 256;
    values[1] = (v / 256 + (rightChecksum ? 0 : 1)) % 256;
    std::vector<uint8_t> file(size, '.');
    const size_t marker = 50;
    const uint8_t mark[7] = {0x5B, 0x4A, 0x40, 0x40, 0x40, 0x40, 0x40};
    std::copy(mark, mark + 7, file.begin() + long(marker));
    for (size_t j = 0; j < values.size(); ++j) {
        const size_t p = marker + 7 + 40 * (j / 8) + 2 * (j % 8);
        file[p] = uint8_t(0x40 + values[j] / 16);
        file[p + 1] = uint8_t(0x40 + values[j] % 16);
    }
    return file;
}

std::vector<uint8_t> CutTo(std::vector<uint8_t> file, size_t size)
{
    file.resize(size);
    return file;
}

TEST_F(SystemImage, Type4FileIsCheckedPatchedAndReencoded)
{
    std::vector<int> values(4096);
    for (size_t j = 0; j < values.size(); ++j)
        values[j] = int((j * 7) % 256);
    struct Case
    {
        const char* what;
        std::vector<uint8_t> file;
        int result;
    } cases[] = {
        {"20000 bytes", std::vector<uint8_t>(20000, '.'), SYSTEM_RESULT_FILE_MISSING},
        {"no marker", std::vector<uint8_t>(21000, '@'), SYSTEM_RESULT_FILE_MISSING},
        {"wrong checksum", Box4File(values, 21000, false), SYSTEM_RESULT_FILE_CORRUPT},
        {"values cut off", CutTo(Box4File(values, 21000, true), 20060), SYSTEM_RESULT_FILE_MISSING},
    };
    for (const Case& c : cases) {
        m_folder.WriteBytes("Sys010.bin", c.file);
        Prepare(1, 0, 0x1FFF, 0x3FFF, true);
        m_bytes.assign(kSystemBytesBox4, 0);
        m_image.m_byteImage = m_bytes.data();
        EXPECT_EQ(xhwLoadSystemBox4(m_box, m_image), 0) << c.what;
        EXPECT_EQ(m_image.m_result, c.result) << c.what;
    }

    m_folder.WriteBytes("Sys010.bin", Box4File(values, 21000, true));
    Prepare(1, 0, 0x1FFF, 0x3FFF, true);
    m_bytes.assign(kSystemBytesBox4, 0);
    m_image.m_byteImage = m_bytes.data();
    ASSERT_EQ(xhwLoadSystemBox4(m_box, m_image), 21000);
    EXPECT_EQ(m_image.m_result, 0);
    // The month names now lie at value 12 on, and the file's checksum holds.
    auto value = [&](int j) {
        const size_t p = 50 + 7 + 40 * size_t(j / 8) + 2 * size_t(j % 8);
        return ((m_bytes[p] - 0x40) << 4) | (m_bytes[p + 1] - 0x40);
    };
    EXPECT_EQ(value(12), 'J');
    EXPECT_EQ(value(14), 'n');
    int64_t sum = 0;
    for (int j = 2; j < 4096; ++j)
        sum += value(j);
    const int v = int(0x1002A - sum % 0x10000);
    EXPECT_EQ(value(0), v % 256);
    EXPECT_EQ(value(1), v / 256);
}

// Type-4 values from index 2048 on, which no text patch reaches, adding up to
// sum.
std::vector<int> Box4Values(int64_t sum)
{
    std::vector<int> values(4096, 0);
    for (size_t j = 2048; j < values.size() && sum > 0; ++j) {
        values[j] = int(std::min<int64_t>(sum, 255));
        sum -= values[j];
    }
    return values;
}

// The value at j of a re-encoded type-4 file made by Box4File.
int Box4Value(const std::vector<uint8_t>& bytes, int j)
{
    const size_t p = 50 + 7 + 40 * size_t(j / 8) + 2 * size_t(j % 8);
    return ((bytes[p] - 0x40) << 4) | (bytes[p + 1] - 0x40);
}

TEST(Box4Checksum, IsSixteenBitsWide)
{
    const struct
    {
        int64_t sum;
        int32_t v;
    } cases[] = {
        {16, 0x001A},      {0, 0x002A},       {0x29, 0x0001},    {0x2A, 0x0000},
        {0x2B, 0xFFFF},    {0xFFFF, 0x002B},  {0x10000, 0x002A}, {0x10001, 0x0029},
        {0x10029, 0x0001}, {0x1002A, 0x0000}, {0x1002B, 0xFFFF},
    };
    for (const auto& c : cases) {
        std::vector<int32_t> words(kSystemWords, 0);
        const std::vector<int> values = Box4Values(c.sum);
        std::copy(values.begin(), values.end(), words.begin() + 4096);
        EXPECT_EQ(xhwComputeBox4Checksum(words.data()), c.v) << std::hex << c.sum;
    }
}

// Files whose sum, as read or after the text patch, lies just by a multiple
// of 0x10000 or 0x2A above one are accepted, and their checksum is written
// back as two bytes.
TEST_F(SystemImage, Type4ChecksumNearTheWrapIsAcceptedAndWritten)
{
    auto load = [&](const std::vector<int>& values) {
        m_folder.WriteBytes("Sys010.bin", Box4File(values, 21000, true));
        Prepare(1, 0, 0x1FFF, 0x3FFF, true);
        m_bytes.assign(kSystemBytesBox4, 0);
        m_image.m_byteImage = m_bytes.data();
        return xhwLoadSystemBox4(m_box, m_image);
    };
    auto patchedSum = [&] {
        int64_t sum = 0;
        for (int j = 2; j < 4096; ++j)
            sum += Box4Value(m_bytes, j);
        return sum;
    };
    // The patched texts alone, from a file of zeros.
    ASSERT_EQ(load(std::vector<int>(4096, 0)), 21000);
    const int64_t texts = patchedSum();
    for (int64_t residue : {0x0, 0x10, 0x29, 0x2A, 0x2B, 0xFFFF}) {
        // Read with the residue; then patched to it.
        const int64_t read = 0x10000 + residue;
        const int64_t patched = (texts / 0x10000 + 2) * 0x10000 + residue;
        for (int64_t free : {read, patched - texts}) {
            ASSERT_EQ(load(Box4Values(free)), 21000) << std::hex << residue << " " << free;
            EXPECT_EQ(m_image.m_result, SYSTEM_RESULT_DONE);
            const int32_t v = int32_t((0x1002A - patchedSum() % 0x10000) & 0xFFFF);
            EXPECT_EQ(Box4Value(m_bytes, 0) + 256 * Box4Value(m_bytes, 1), v) << std::hex << residue;
            EXPECT_EQ(m_words[4096], v % 256) << std::hex << residue;
            EXPECT_EQ(m_words[4097], v / 256) << std::hex << residue;
        }
    }
}

} // namespace
