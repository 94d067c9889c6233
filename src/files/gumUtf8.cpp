#include "files/gumUtf8.h"

#include <cstring>
#include <langinfo.h>
#include <strings.h>

namespace {

// The length of the sequence that starts at p (at most end - p bytes), 0 when
// it is not well formed; code receives its character.
inline size_t Sequence(const unsigned char* p, const unsigned char* end, uint32_t& code)
{
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        code = b0;
        return 1;
    }
    // Second-byte bounds rule out the overlong forms, the surrogates and the
    // codes above U+10FFFF.
    size_t n = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2;
        code = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        code = b0 & 0x0F;
        if (b0 == 0xE0)
            low = 0xA0;
        else if (b0 == 0xED)
            high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        code = b0 & 0x07;
        if (b0 == 0xF0)
            low = 0x90;
        else if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (size_t(end - p) < n || p[1] < low || p[1] > high)
        return 0;
    code = (code << 6) | (p[1] & 0x3F);
    for (size_t i = 2; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3F);
    }
    return n;
}

// Eight bytes at a time while none has its top bit set.
inline const unsigned char* SkipAscii(const unsigned char* p, const unsigned char* end)
{
    while (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            break;
        p += 8;
    }
    return p;
}

} // namespace

bool gumIsStrictUtf8(const char* bytes, size_t length)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + length;
    while (p < end) {
        p = SkipAscii(p, end);
        if (p == end)
            break;
        uint32_t code = 0;
        const size_t n = Sequence(p, end, code);
        if (n == 0)
            return false;
        p += n;
    }
    return true;
}

bool gumDecodeUtf8(const char* bytes, size_t length, std::wstring& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes);
    const unsigned char* end = p + length;
    out.reserve(out.size() + length);
    while (p < end) {
        const unsigned char* ascii = SkipAscii(p, end);
        for (; p < ascii; ++p)
            out.push_back(wchar_t(*p));
        if (p == end)
            break;
        uint32_t code = 0;
        const size_t n = Sequence(p, end, code);
        if (n == 0)
            return false;
        out.push_back(wchar_t(code));
        p += n;
    }
    return true;
}

bool gumAppendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out.push_back(char(code));
    } else if (code < 0x800) {
        out.push_back(char(0xC0 | (code >> 6)));
        out.push_back(char(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        if (code >= 0xD800 && code <= 0xDFFF)
            return false;
        out.push_back(char(0xE0 | (code >> 12)));
        out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(char(0x80 | (code & 0x3F)));
    } else if (code <= 0x10FFFF) {
        out.push_back(char(0xF0 | (code >> 18)));
        out.push_back(char(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(char(0x80 | (code & 0x3F)));
    } else {
        return false;
    }
    return true;
}

bool gumLocaleIsUtf8()
{
    // glibc names it "UTF-8"; other C libraries also write "utf8".
    const char* codeset = nl_langinfo(CODESET);
    return codeset && (strcasecmp(codeset, "UTF-8") == 0 || strcasecmp(codeset, "UTF8") == 0);
}
