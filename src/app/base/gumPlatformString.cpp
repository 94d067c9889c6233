#include "app/base/gumPlatformString.h"

zxPlatformString gumToNSString(const wxString& text)
{
    zxPlatformString result;
    result.reserve(text.length());
    for (wxUniChar c : text)
        result.push_back(char32_t(c.GetValue()));
    return result;
}

void gumFromNSString(wxString& out, const zxPlatformString& text)
{
    out.clear();
    for (char32_t c : text)
        out += wxUniChar(wxUint32(c));
}
