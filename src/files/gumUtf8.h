#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF and
// no sequence cut short. The toolkit's own conversion lets all of these by.

// True when every byte belongs to a well-formed sequence.
bool gumIsStrictUtf8(const char* bytes, size_t length);
// Appends the characters of the bytes; false, with what came before the
// first bad sequence appended, when they are not strict UTF-8.
bool gumDecodeUtf8(const char* bytes, size_t length, std::wstring& out);
// Appends the character's bytes; false for a surrogate or a code above
// U+10FFFF, which have no UTF-8 form.
bool gumAppendUtf8(std::string& out, uint32_t code);

// Whether the character set of the C library's present locale (LC_CTYPE) is
// UTF-8, as the program's start set it from the environment.
bool gumLocaleIsUtf8();
