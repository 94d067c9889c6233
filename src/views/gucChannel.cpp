#include "views/gucChannel.h"

#include "document/docDoc.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/settings.h>

namespace {

// The list of a channel drop-down: one text line taller than the toolkit
// makes it, within the room on screen, so that the last item is not cut.
class ChannelListPopup : public wxVListBoxComboPopup
{
public:
    wxSize GetAdjustedSize(int minWidth, int prefHeight, int maxHeight) override
    {
        wxSize size = wxVListBoxComboPopup::GetAdjustedSize(minWidth, prefHeight, maxHeight);
        if (wxComboCtrl* combo = GetComboCtrl())
            size.y = std::min(size.y + combo->GetCharHeight(), maxHeight);
        return size;
    }
};

} // namespace

bool gucIsChannelListed(const CdocField& field, bool includeIndex, bool includeAllSensors)
{
    if ((field.m_content == CONTENT_READING || field.m_content == CONTENT_ELAPSED_TIME) && !includeIndex)
        return false;
    if (field.m_content == CONTENT_SENSOR && !includeAllSensors &&
        (field.m_fieldSensor.IsEmpty() || !field.m_fieldEnable))
        return false;
    return true;
}

wxString gucChannelTitle(const CdocDoc& doc, const CdocField& field)
{
    return field.GetTitle(doc.m_data.m_fields.GetLetterNumber(&field));
}

wxColour gucChannelColour(const CdocField& field)
{
    const CdocColour& colour = field.m_colour;
    return colour.IsOk() ? wxColour(colour.Red(), colour.Green(), colour.Blue()) : wxColour(0, 0, 0);
}

wxIMPLEMENT_DYNAMIC_CLASS(CgucChannel, wxOwnerDrawnComboBox);

wxBEGIN_EVENT_TABLE(CgucChannel, wxOwnerDrawnComboBox)
wxEND_EVENT_TABLE()

CgucChannel::CgucChannel() = default;

CgucChannel::CgucChannel(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& position,
    const wxSize& size, const wxArrayString& choices, long style, const wxValidator& validator)
{
    Create(parent, id, value, position, size, choices, style, validator, "comboBox");
    // The toolkit may have made its own list already, with the choices in it.
    const wxArrayString items = GetStrings();
    SetPopupControl(new ChannelListPopup);
    if (GetCount() == 0)
        Append(items);
}

CgucChannel::~CgucChannel() = default;

void CgucChannel::AddChannels(CdocDoc* doc)
{
    if (!doc)
        return;
    const CdocFieldV& fields = doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        CdocField* field = fields.GetAt(i);
        if (field && gucIsChannelListed(*field, m_includeIndex, m_includeAllSensors))
            Append(gucChannelTitle(*doc, *field), static_cast<void*>(field));
    }
}

CdocField* CgucChannel::ChannelAt(int item) const
{
    if (item < 0 || item >= int(GetCount()) || !HasClientUntypedData())
        return nullptr;
    return static_cast<CdocField*>(GetClientData(unsigned(item)));
}

CdocField* CgucChannel::GetSelectedChannel()
{
    return ChannelAt(GetSelection());
}

int CgucChannel::SelectChannel(CdocField* field)
{
    for (int i = 0; i < int(GetCount()); ++i) {
        if (ChannelAt(i) == field) {
            SetSelection(i);
            return i;
        }
    }
    return -1;
}

void CgucChannel::OnDrawItem(wxDC& dc, const wxRect& rect, int item, int flags) const
{
    if (const CdocField* field = ChannelAt(item))
        dc.SetTextForeground(gucChannelColour(*field));
    wxOwnerDrawnComboBox::OnDrawItem(dc, rect, item, flags);
}

wxCoord CgucChannel::OnMeasureItem(size_t item) const
{
    return GetCharHeight();
}

wxCoord CgucChannel::OnMeasureItemWidth(size_t item) const
{
    return -1;
}

void CgucChannel::OnDrawBackground(wxDC& dc, const wxRect& rect, int item, int flags) const
{
    wxOwnerDrawnComboBox::OnDrawBackground(dc, rect, item, flags);
}

void CgucChannel::PrepareBackground(wxDC& dc, const wxRect& rect, int flags) const
{
    const bool listItem = (flags & wxCONTROL_ISSUBMENU) != 0;
    int spacingX = 0;
    int spacingY = 0;
    if (!listItem) {
        const bool enabled = IsThisEnabled();
        spacingX = enabled ? 2 : 1;
        spacingY = enabled && GetClientSize().y > GetCharHeight() + 2 ? 2 : 1;
    }
    const bool selected = listItem && (flags & wxCONTROL_SELECTED) != 0;
    const wxColour text = wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHTTEXT : wxSYS_COLOUR_WINDOWTEXT);
    const wxColour back = wxSystemSettings::GetColour(selected ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_WINDOW);

    wxRect fill(rect);
    const int customWidth = listItem ? 0 : GetCustomPaintWidth();
    fill.x += customWidth + spacingX;
    fill.width -= customWidth + 2 * spacingX;
    fill.y += spacingY;
    fill.height -= 2 * spacingY;

    dc.SetTextForeground(text);
    dc.SetBrush(wxBrush(back, wxBRUSHSTYLE_SOLID));
    dc.SetPen(wxPen(back, 1, wxPENSTYLE_SOLID));
    dc.DrawRectangle(fill);
    dc.SetClippingRegion(wxRect(rect.x, rect.y, fill.x + fill.width - rect.x, rect.height));
}
