// A channel's lines of the document's information text.
#include "app/appOptions.h"
#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "data/docCalcs.h"
#include "data/docField.h"
#include "document/docDoc.h"

#include <cmath>
#include <wx/intl.h>

namespace {

void AddLine(wxString& text, const wxString& label, const wxString& value)
{
    text << " " << label << ": " << value << gumGetNewLine();
}

} // namespace

wxString& CdocField::GetInfoText(wxString& text, int n, int letterNumber) const
{
    float min = DOC_NO_VALUE, max = DOC_NO_VALUE, sum = 0.0f, sumSquares = 0.0f;
    int32_t count = 0;
    if (n > 0)
        GetStatistics(n, &min, &max, &sum, &sumSquares, &count);
    if (count == 0)
        min = max = DOC_NO_VALUE;

    AddLine(text, _("Channel"), GetLetter(letterNumber));
    AddLine(text, _("Name"), m_name);
    AddLine(text, _("Units"), m_unit);
    AddLine(text, _("Description"), m_descript);
    if (m_content == CONTENT_FORMULA && m_doc) {
        if (CdocCalc* calc = m_doc->m_calcs.FindByChannel(this)) {
            wxString formula;
            calc->GetFormulaText(formula);
            if (!formula.empty())
                AddLine(text, _("Formula"), formula);
        }
    }

    // More places until a maximum and a minimum that differ read differently.
    int places = m_places;
    wxString maxText = GetDisplayText(places, max);
    wxString minText = GetDisplayText(places, min);
    while (min != max && maxText == minText && places <= 5) {
        ++places;
        maxText = GetDisplayText(places, max);
        minText = GetDisplayText(places, min);
    }
    AddLine(text, gumGetString(921), maxText + " " + m_unit);
    AddLine(text, gumGetString(922), minText + " " + m_unit);
    if (count == 0)
        return text;
    const float mean = sum / float(count);
    AddLine(text, gumGetString(923), GetDisplayText(places + 1, mean) + " " + m_unit);
    if (appIsAllowed(FEATURE_STANDARD_DEVIATION) && m_content != CONTENT_READING && m_content != CONTENT_ELAPSED_TIME) {
        const float variance = sumSquares / float(count) - mean * mean;
        const float deviation = variance > 0.0f ? std::sqrt(variance) : 0.0f;
        AddLine(text, _("Standard deviation"), GetDisplayText(m_places + 1, deviation));
    }
    return text;
}
