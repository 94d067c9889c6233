// Channel colours by the document's colour scheme.
#include "app/appOptions.h"
#include "data/docData.h"
#include "data/docPalette.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"

namespace {

constexpr int kRanges = 4;
constexpr int kInputs = 6;

const CdocColour kBlack(0, 0, 0);

bool IsSensorData(const CdocField& field)
{
    return field.m_content == CONTENT_SENSOR || field.m_content == CONTENT_STORED_SENSOR;
}

} // namespace

void docSetDefaultColour(CdocFieldHdr& field)
{
    field.m_colour = CdocColour();
}

bool CdocData::HasColour(const CdocColour& colour) const
{
    for (int i = 0; i < m_fields.GetCount(); ++i)
        if (m_fields.GetAt(i)->m_colour == colour)
            return true;
    return false;
}

CdocColour CdocData::GetInputColour(int boxType, int input, int range) const
{
    // The connected logger's own type may colour its inputs differently.
    const bool connected = m_doc && boxType == m_doc->m_boxInfo.m_info.m_hardware;
    return docPaletteColour(connected ? xhwGetConnectedInputColourIndex(boxType, input, range)
                                      : xhwGetInputColourIndex(boxType, input, range));
}

bool CdocData::IsLoggerInputColour(const CdocColour& colour) const
{
    for (int input = 0; input < kInputs; ++input)
        for (int range = 0; range < kRanges; ++range)
            if (colour == docPaletteColour(xhwGetInputColourIndex(BOX_TYPE_MIVA, input, range)) ||
                colour == docPaletteColour(xhwGetInputColourIndex(BOX_TYPE_LUMIVASTA, input, range)))
                return true;
    return false;
}

CdocColour CdocData::PickFreeColour(const int* list, bool avoid) const
{
    for (int i = 0; i < DOC_COLOUR_LIST_SIZE; ++i) {
        const CdocColour colour = docPaletteColour(list[i]);
        if ((!avoid || !IsLoggerInputColour(colour)) && !HasColour(colour))
            return colour;
    }
    for (int i = 0; i < DOC_COLOUR_LIST_SIZE; ++i) {
        const CdocColour colour = docPaletteColour(list[i]);
        if (!HasColour(colour))
            return colour;
    }
    return CdocColour();
}

void CdocData::ColourTimeChannels()
{
    CdocFieldKey key;
    if (m_fields.FindContent(key, 0, CONTENT_ELAPSED_TIME))
        key.m_field->m_colour = kBlack;
    if (m_fields.FindContent(key, 0, CONTENT_READING))
        key.m_field->m_colour = kBlack;
}

void CdocData::AssignColours()
{
    if (m_doc && m_doc->m_colours == 1)
        AssignHighContrastColours();
    else
        AssignStandardColours();
}

void CdocData::AssignStandardColours()
{
    // Before a run, a channel that is no logger input keeps clear of the
    // colours that a logger shows on its inputs, so it is not taken for one.
    const bool avoid = !m_doc || (m_doc->m_state <= DOC_STATE_READY && m_doc->m_colours == 0);
    ColourTimeChannels();
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        CdocField& field = *m_fields.GetAt(i);
        if (!IsSensorData(field) || field.m_colour.IsOk())
            continue;
        for (int range = 0; range < kRanges; ++range) {
            const CdocColour colour = GetInputColour(field.m_hardware, field.m_socket, range);
            if (colour == kBlack)
                break;
            if (!HasColour(colour)) {
                field.m_colour = colour;
                break;
            }
        }
    }
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        CdocField& field = *m_fields.GetAt(i);
        if (IsSensorData(field) && !field.m_colour.IsOk())
            field.m_colour = PickFreeColour(docStandardColours,
                                            GetInputColour(field.m_hardware, field.m_socket, 0) == kBlack);
    }
    for (int i = 0; i < m_fields.GetCount(); ++i) {
        CdocField& field = *m_fields.GetAt(i);
        if (!field.m_colour.IsOk())
            field.m_colour = PickFreeColour(docStandardColours, avoid);
    }
}

void CdocData::AssignHighContrastColours()
{
    ColourTimeChannels();
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < m_fields.GetCount(); ++i) {
            CdocField& field = *m_fields.GetAt(i);
            if ((pass == 1 || IsSensorData(field)) && !field.m_colour.IsOk())
                field.m_colour = PickFreeColour(docHighContrastColours, false);
        }
}

void CdocData::SetColourScheme(int scheme)
{
    if (!appIsAllowed(FEATURE_COLOUR_THEME))
        return;
    if (m_doc)
        m_doc->m_colours = scheme;
    if (CappOptions* options = appGetOptions())
        options->m_colourTheme = scheme;
    for (int i = 0; i < m_fields.GetCount(); ++i)
        docSetDefaultColour(*m_fields.GetAt(i));
    AssignColours();
    ModifyAndUpdateViews(HINT_CHANNEL_ADDED, nullptr);
}
