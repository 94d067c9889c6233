#include "app/base/gumHelpers.h"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <wx/intl.h>

namespace {

// The separator of the C library's numeric locale, which wcstod and the
// printf family follow.
wxString LocaleDecimalPoint()
{
    const lconv* conv = std::localeconv();
    if (!conv || !conv->decimal_point || !*conv->decimal_point)
        return ".";
    return wxString::FromUTF8(conv->decimal_point);
}

void ToPoint(wxString& text)
{
    const wxString sep = LocaleDecimalPoint();
    if (sep != ".")
        text.Replace(sep, ".");
}

} // namespace

bool gumStringToDouble(const wxString& text, double* out)
{
    wxString copy = text;
    const wxString sep = LocaleDecimalPoint();
    if (sep != ".")
        copy.Replace(".", sep);
    const std::wstring wide = copy.ToStdWstring();
    const wchar_t* start = wide.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const double value = std::wcstod(start, &end);
    if (end == start || errno == ERANGE)
        return false;
    *out = value;
    return *end == L'\0';
}

void gumFormatDouble(wxString& out, double value)
{
    out = wxString::Format("%g", value);
    ToPoint(out);
}

void gumFormatDoubleG(wxString& out, int precision, double value)
{
    out = wxString::Format("%.*g", precision, value);
    ToPoint(out);
}

void gumFormatFixed(wxString& out, int decimals, double value)
{
    out = wxString::Format("%0.*f", decimals < 0 ? 6 : decimals, value);
    ToPoint(out);
}

bool gumGetField(wxString& out, const wxString& line, int n, const wxString& separator, bool merge)
{
    out.clear();
    if (line.empty())
        return false;
    wxString rest = line;
    for (int i = 0; i < n; ++i) {
        const int at = separator.empty() ? wxNOT_FOUND : rest.Find(separator);
        if (at == wxNOT_FOUND)
            return false;
        rest = rest.Mid(size_t(at) + separator.length());
        if (merge)
            while (rest.StartsWith(separator, &rest)) {
            }
    }
    const int at = separator.empty() ? wxNOT_FOUND : rest.Find(separator);
    out = at == wxNOT_FOUND ? rest : rest.Left(size_t(at));
    return true;
}

bool gumCopyToCharBuffer(const wxString& text, char* buffer, int size)
{
    if (!buffer || size < 1)
        return true;
    const wxScopedCharBuffer utf8 = text.utf8_str();
    const char* data = utf8.data() ? utf8.data() : "";
    size_t length = std::min(std::strlen(data), size_t(size - 1));
    // A cut before a continuation byte would leave half a character behind.
    while (length > 0 && (static_cast<unsigned char>(data[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, data, length);
    buffer[length] = '\0';
    return true;
}

wxString gumGetNewLine() { return "\n"; }

wxString gumGetMessageNewLine() { return "\n"; }

wxString gumGetAppName() { return _("Quorvanti"); }

wxString gumGetVendorName() { return _("Corvath"); }
