#include "protocol/xhwSystemImageFiles.h"

#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xhwSystemInstall.h"
#include "transport/zxTextFile.h"

#include <algorithm>
#include <wx/ffile.h>
#include <wx/log.h>

namespace {

constexpr int kFirstWord = 4;
constexpr int kFirstChecksum = 2047;
constexpr int kSecondPart = 2048;
constexpr int kBox6First = 8192;
constexpr int kBox6Checksum = 8195;
// Words that follow a type-6 image and are sent as zeros.
constexpr int kBox6Tail = 8;
constexpr int kBox4First = 4096;
constexpr int kBox4Values = 4096;
constexpr int kBox4MinSize = 20001;
constexpr uint8_t kBox4Marker[7] = {0x5B, 0x4A, 0x40, 0x40, 0x40, 0x40, 0x40};

int HexDigit(wxUniChar c)
{
    const unsigned v = c.GetValue();
    if (v >= '0' && v <= '9')
        return int(v - '0');
    if (v >= 'A' && v <= 'F')
        return int(v - 'A' + 10);
    if (v >= 'a' && v <= 'f')
        return int(v - 'a' + 10);
    return -1;
}

int HexByte(const wxString& line, size_t at)
{
    return HexDigit(line[at]) * 16 + HexDigit(line[at + 1]);
}

// String-table entry n; an entry beyond the table gives entry 0.
wxString Entry(int n)
{
    const CgumResCore* res = gumGetResCore();
    if (!res || n < 0 || size_t(n) >= res->m_strings.size())
        n = 0;
    return gumGetString(n);
}

uint32_t CharCode(const wxString& text, size_t i)
{
    const unsigned v = text[i].GetValue();
    return v <= 0xFF ? v : '?';
}

// The low 8 bits (7 with sevenBit) of each word take a character; the bits
// above stay.
void PutText(int32_t* words, int at, const wxString& text, int width, bool sevenBit)
{
    for (int i = 0; i < width; ++i) {
        uint32_t code = size_t(i) < text.length() ? CharCode(text, size_t(i)) : ' ';
        if (sevenBit)
            code &= 0x7F;
        words[at + i] = int32_t((uint32_t(words[at + i]) & ~0xFFu) | code);
    }
}

wxString RightAligned4(const wxString& entry)
{
    return ("    " + entry).Right(4);
}

wxString Sixteen(const wxString& entry)
{
    return (entry + "    ").Mid(1);
}

int Modulo(int64_t value, int modulus)
{
    const int64_t r = value % modulus;
    return int(r < 0 ? r + modulus : r);
}

} // namespace

bool xutParseHexRecord(const wxString& line, CxutHexRecord& record)
{
    const size_t length = line.length();
    if (length < 11 || line[0] != ':')
        return false;
    for (size_t i = 1; i < length; ++i)
        if (HexDigit(line[i]) < 0)
            return false;
    const int count = HexByte(line, 1);
    if (length != size_t(2 * count + 11))
        return false;
    const int high = HexByte(line, 3);
    const int low = HexByte(line, 5);
    const int type = HexByte(line, 7);
    int sum = count + high + low + type;
    for (int j = 0; j < count; ++j) {
        record.m_data[j] = uint8_t(HexByte(line, size_t(9 + 2 * j)));
        sum += record.m_data[j];
    }
    const int checksum = HexByte(line, size_t(9 + 2 * count));
    if (((sum + checksum) & 0xFF) != 0)
        return false;
    record.m_count = count;
    record.m_address = high * 256 + low;
    record.m_type = type;
    return true;
}

int xhwReadSystemBinFile(const wxFileName& path, int32_t* words, int first, uint8_t* bytes,
                         int highest, int pad)
{
    const size_t room = 2 * size_t(highest + 1);
    std::fill(words, words + highest + 1, pad);
    for (size_t i = 0; i < room; ++i)
        bytes[i] = uint8_t(i % 2 == 0 ? pad & 0xFF : (pad >> 8) & 0xFF);

    wxFFile file;
    {
        wxLogNull quiet;
        if (!file.Open(path.GetFullPath(), "rb"))
            return 0;
    }
    const wxFileOffset length = file.Length();
    if (length < 0 || size_t(length) > room)
        return 0;
    const size_t size = size_t(length);
    // A file that fits the byte buffer may still run past the word image
    // when it does not start at word 0.
    if (size_t(first) + (size + 1) / 2 > size_t(highest) + 1)
        return 0;
    if (size > 0 && file.Read(bytes, size) != size)
        return 0;
    for (size_t i = 0; i < size; i += 2)
        words[first + int(i / 2)] = bytes[i] + 256 * bytes[i + 1];
    return first + int((size + 1) / 2);
}

int xhwReadSystemHexFile(CxhwBox& box, const wxFileName& path, int32_t* words, int highest, int pad,
                         bool& corrupt)
{
    corrupt = false;
    std::fill(words, words + highest + 1, pad);
    zxTextFile file;
    {
        wxLogNull quiet;
        if (!file.Open(path.GetFullPath()))
            return 0;
    }
    const size_t n = file.GetLineCount();
    if (n == 0)
        return 0;
    int base = 0;
    bool highSeen = false;
    bool placed = false;
    int last = 0;
    CxutHexRecord record;
    for (size_t k = 0; k < n; ++k) {
        if (k % 10 == 0)
            xhwSetInstallProgress(box, float(k) / float(n));
        const wxString& line = file.GetLine(k);
        if (line.length() <= 8)
            continue;
        // Every record is checked, so that a damaged file is refused before
        // anything reaches the logger.
        if (!xutParseHexRecord(line, record)) {
            corrupt = true;
            return 0;
        }
        if (record.m_type != 0 || record.m_count < 2)
            continue;
        const int address = record.m_address;
        if (highSeen && address < 0xE000)
            base = 0x8000;
        if (address >= 0xE000)
            highSeen = true;
        if (address / 2 > highest)
            continue;
        placed = true;
        for (int j = 0; j < record.m_count / 2; ++j) {
            const int index = base + address / 2 + j;
            last = index;
            if (index <= highest)
                words[index] = record.m_data[2 * j] + 256 * record.m_data[2 * j + 1];
        }
    }
    if (!placed)
        return 0;
    return std::min(highest, last) + 1;
}

void xutComputeWordChecksums(int32_t* words, int count, int modulus)
{
    int64_t sum = 0;
    for (int i = kFirstWord; i < kFirstChecksum; ++i)
        sum += Modulo(words[i], modulus);
    words[kFirstChecksum] = modulus - Modulo(sum, modulus);
    const int last = count - 1;
    if (last < kSecondPart + 1)
        return;
    sum = 0;
    for (int i = kSecondPart; i < last; ++i)
        sum += Modulo(words[i], modulus);
    words[last] = modulus - Modulo(sum, modulus);
}

int32_t xutComputeTripleChecksum(const int32_t* words, int n)
{
    int64_t sum = 0;
    for (int i = 0; i < n; ++i)
        sum += words[kBox6First + i];
    return 0x10000 - Modulo(sum, 0x10000);
}

int32_t xhwComputeBox4Checksum(const int32_t* words)
{
    int64_t sum = 0;
    for (int i = kBox4First + 2; i < kBox4First + kBox4Values; ++i)
        sum += words[i];
    // A 16-bit value: its two bytes are words 4096 and 4097.
    return (0x1002A - Modulo(sum, 0x10000)) & 0xFFFF;
}

void xutPatchImageTexts(int32_t* words, int base, int shortCount, int text4Entry, int text16Entry)
{
    PutText(words, base + 1244, Entry(2000), 36, false);
    for (int k = 0; k <= shortCount; ++k)
        PutText(words, base + 1152 + 6 * k, Entry(2001 + k), 6, false);
    for (int k = 0; k <= 2063 - 2017; ++k) {
        const wxString entry = Entry(2017 + k);
        if (!entry.empty())
            PutText(words, base + 68 + 4 * k, RightAligned4(entry), 4, true);
    }
    for (int k = 0; k < 8; ++k) {
        const wxString entry = Entry(text4Entry + 2 + k);
        if (!entry.empty())
            PutText(words, base + 8 + 4 * k, RightAligned4(entry), 4, true);
    }
    for (int k = 0; k < 56; ++k) {
        const wxString entry = Entry(text16Entry + 16 + k);
        if (!entry.empty())
            PutText(words, base + 256 + 16 * k, Sixteen(entry), 16, false);
    }
}

void xhwPatchImageTextsBox4(int32_t* words)
{
    PutText(words, 4108, Entry(2000), 36, false);
    for (int k = 0; k <= 6; ++k)
        PutText(words, 5248 + 6 * k, Entry(2001 + k), 6, false);
    for (int k = 0; k <= 2063 - 2017; ++k) {
        const wxString entry = Entry(2017 + k);
        if (!entry.empty())
            PutText(words, 4164 + 4 * k, RightAligned4(entry), 4, true);
    }
    for (int k = 0; k <= 2271 - 2216; ++k) {
        const wxString entry = Entry(2216 + k);
        if (entry.empty())
            continue;
        // The field of entry 2262 is cut short by what follows it in the image.
        PutText(words, 4352 + 16 * k, Sixteen(entry), 2216 + k == 2262 ? 8 : 16, false);
    }
}

int xutLoadFirmwareWords(CxhwBox& box, CxhwSystemImage& image)
{
    int32_t* words = image.m_wordImage;
    const int highest = image.m_highestWord;
    const int modulus = image.m_padValue + 1;
    wxFileName path = xhwGetSystemFilePath(image.m_fileFamily, image.m_fileRevision);
    image.m_fileName = path;
    int count = xhwReadSystemBinFile(path, words, kFirstWord, image.m_byteImage, highest, image.m_padValue);
    if (count > 0) {
        const int last = count - 1;
        const int stored = words[kFirstChecksum];
        const int storedLast = words[last];
        xutComputeWordChecksums(words, count, modulus);
        if (Modulo(stored, modulus) != Modulo(words[kFirstChecksum], modulus)
            || (last >= kSecondPart + 1 && Modulo(storedLast, modulus) != Modulo(words[last], modulus))) {
            image.m_result = SYSTEM_RESULT_FILE_CORRUPT;
            return 0;
        }
    } else {
        path.SetExt("hex");
        image.m_fileName = path;
        bool corrupt = false;
        count = xhwReadSystemHexFile(box, path, words, highest, image.m_padValue, corrupt);
        if (corrupt) {
            image.m_result = SYSTEM_RESULT_FILE_CORRUPT;
            return 0;
        }
        if (count > 0)
            xutComputeWordChecksums(words, count, modulus);
    }
    // Words 0 to 3 are never sent: an image that ends there holds nothing.
    if (count <= kFirstWord) {
        image.m_result = SYSTEM_RESULT_FILE_MISSING;
        return 0;
    }
    if (image.m_textPatch) {
        xutPatchImageTexts(words, image.m_textBase, image.m_shortTextCount, image.m_text4Entry,
                           image.m_text16Entry);
        xutComputeWordChecksums(words, count, modulus);
    }
    return count;
}

int xutLoadFirmwareImage(CxhwBox& box, CxhwSystemImage& image)
{
    int32_t* words = image.m_wordImage;
    const int highest = image.m_highestWord;
    wxFileName path = xhwGetSystemFilePath(image.m_fileFamily, image.m_fileRevision);
    image.m_fileName = path;
    int after = xhwReadSystemBinFile(path, words, kBox6First, image.m_byteImage, highest, image.m_padValue);
    const bool raw = after > 0;
    if (!raw) {
        path.SetExt("hex");
        image.m_fileName = path;
        bool corrupt = false;
        after = xhwReadSystemHexFile(box, path, words, highest, image.m_padValue, corrupt);
        if (corrupt) {
            image.m_result = SYSTEM_RESULT_FILE_CORRUPT;
            return 0;
        }
    }
    // The zeros that follow the image must fit the word image too.
    if (after < kBox6First || after + kBox6Tail > highest + 1) {
        image.m_result = SYSTEM_RESULT_FILE_MISSING;
        return 0;
    }
    std::fill(words + after, words + after + kBox6Tail, 0);
    const int n = ((after - (kBox6First - 2)) / 3) * 3;
    if (n == 0) {
        image.m_result = SYSTEM_RESULT_FILE_MISSING;
        return 0;
    }
    words[kBox6First] = n;
    if (!raw)
        words[kBox6Checksum] = xutComputeTripleChecksum(words, n);
    return n;
}

int xhwLoadSystemBox4(CxhwBox&, CxhwSystemImage& image)
{
    int32_t* words = image.m_wordImage;
    uint8_t* bytes = image.m_byteImage;
    const wxFileName path = xhwGetSystemFilePath(image.m_fileFamily, image.m_fileRevision);
    image.m_fileName = path;
    image.m_result = SYSTEM_RESULT_FILE_MISSING;
    wxFFile file;
    {
        wxLogNull quiet;
        if (!file.Open(path.GetFullPath(), "rb"))
            return 0;
    }
    const wxFileOffset length = file.Length();
    if (length < kBox4MinSize || length > kSystemBytesBox4)
        return 0;
    const size_t size = size_t(length);
    if (file.Read(bytes, size) != size)
        return 0;
    const uint8_t* found = std::search(bytes, bytes + size, std::begin(kBox4Marker), std::end(kBox4Marker));
    if (found == bytes + size)
        return 0;
    const size_t marker = size_t(found - bytes);
    auto at = [marker](int j) { return marker + 7 + 40 * size_t(j / 8) + 2 * size_t(j % 8); };
    for (int j = 0; j < kBox4Values; ++j) {
        const size_t p = at(j);
        if (p + 1 >= size)
            return 0;
        words[kBox4First + j] = ((bytes[p] * 16) % 256) + (bytes[p + 1] % 16);
    }
    int32_t v = xhwComputeBox4Checksum(words);
    if (words[kBox4First] != v % 256 || words[kBox4First + 1] != v / 256) {
        image.m_result = SYSTEM_RESULT_FILE_CORRUPT;
        return 0;
    }
    xhwPatchImageTextsBox4(words);
    v = xhwComputeBox4Checksum(words);
    words[kBox4First] = v % 256;
    words[kBox4First + 1] = v / 256;
    for (int j = 0; j < kBox4Values; ++j) {
        const size_t p = at(j);
        const int value = words[kBox4First + j] & 0xFF;
        bytes[p] = uint8_t(0x40 + value / 16);
        bytes[p + 1] = uint8_t(0x40 + value % 16);
    }
    image.m_result = SYSTEM_RESULT_DONE;
    return int(size);
}
