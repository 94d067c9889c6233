#pragma once
#include <cstdint>
#include <wx/filename.h>
#include <wx/string.h>

class CxhwBox;
class CxhwSystemImage;

// One Intel HEX record as it stands on its line.
struct CxutHexRecord
{
    int m_count = 0;
    int m_address = 0;
    int m_type = 0;
    uint8_t m_data[255] = {};
};

// A whole, well-formed record: ":" then hexadecimal digits only, the length
// its count gives, and a checksum that makes the record's bytes sum to 0.
bool xutParseHexRecord(const wxString& line, CxutHexRecord& record);

// Raw file of 16-bit little-endian words into words first onward (words has
// highest + 1 elements, bytes 2 x (highest + 1)); every other word is pad.
// The index after the last word read, or 0 when the file is missing, short
// or larger than the image.
int xhwReadSystemBinFile(const wxFileName& path, int32_t* words, int first, uint8_t* bytes,
                         int highest, int pad);
// The data records of an Intel HEX file into words (highest + 1 elements),
// reporting progress every 10 lines. The index after the last word of the
// last data record, or 0 when the file is missing or holds no data; a record
// that is not whole sets corrupt and gives 0.
int xhwReadSystemHexFile(CxhwBox& box, const wxFileName& path, int32_t* words, int highest, int pad,
                         bool& corrupt);

// The two checksums of a 14-bit image (word 2047, and the last word when the
// image reaches word 2049); count is the index after the last word.
void xutComputeWordChecksums(int32_t* words, int count, int modulus);
// The checksum word 8195 of a 16-bit image of n words from word 8192.
int32_t xutComputeTripleChecksum(const int32_t* words, int n);
// The type-4 16-bit value V of the byte values held as words 4096 to 8191.
int32_t xhwComputeBox4Checksum(const int32_t* words);

// The translated texts patched into an image: B text base, c short-text
// count, U and G the entries of the four- and sixteen-character texts.
void xutPatchImageTexts(int32_t* words, int base, int shortCount, int text4Entry, int text16Entry);
void xhwPatchImageTextsBox4(int32_t* words);

// The loaders; each sets the descriptor's result on failure and gives 0.
// Types 5, 8 and 9: the index after the last word.
int xutLoadFirmwareWords(CxhwBox& box, CxhwSystemImage& image);
// Type 6: N, the number of words from word 8192 to send.
int xutLoadFirmwareImage(CxhwBox& box, CxhwSystemImage& image);
// Type 4: the re-encoded file's size in bytes (in the byte image).
int xhwLoadSystemBox4(CxhwBox& box, CxhwSystemImage& image);

// Sizes of the installers' buffers.
constexpr int kSystemWords = 8192;
constexpr int kSystemWordsBox6 = 65536;
constexpr int kSystemBytesBox4 = 24576;
