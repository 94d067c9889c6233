#include "files/docNormaliseUnit.h"

namespace {

struct CdocUnitForm
{
    const char* plain;
    const wchar_t* display;
};

// Degree sign U+00B0, micro sign U+00B5, superscript two U+00B2.
const CdocUnitForm kUnitForms[] = {
    {"//C", L"\u00B0C"},   {"//F", L"\u00B0F"},       {"'C", L"\u00B0C"},
    {"'F", L"\u00B0F"},    {"us", L"\u00B5s"},        {"uS", L"\u00B5S"},
    {"m/s2", L"m/s\u00B2"}, {"W/m2", L"W/m\u00B2"},   {"mW/m2", L"mW/m\u00B2"},
    {"x10uS", L"x10\u00B5S"},
};

} // namespace

wxString docNormaliseUnit(const wxString& units)
{
    for (const CdocUnitForm& form : kUnitForms)
        if (units == form.plain)
            return wxString(form.display);
    return units;
}
