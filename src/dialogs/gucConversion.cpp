#include "dialogs/gucConversion.h"

#include "data/docField.h"
#include "hardware/xhwSenFile.h"

#include <algorithm>

namespace {

// One text line taller than the toolkit makes it, within the room on screen.
class ConversionListPopup : public wxVListBoxComboPopup
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

wxIMPLEMENT_DYNAMIC_CLASS(CgucConversion, wxOwnerDrawnComboBox);

wxBEGIN_EVENT_TABLE(CgucConversion, wxOwnerDrawnComboBox)
wxEND_EVENT_TABLE()

CgucConversion::CgucConversion() = default;

CgucConversion::CgucConversion(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& position,
                               const wxSize& size, const wxArrayString& choices, long style,
                               const wxValidator& validator)
{
    Create(parent, id, value, position, size, choices, style, validator, "comboBox");
    const wxArrayString items = GetStrings();
    SetPopupControl(new ConversionListPopup);
    if (GetCount() == 0)
        Append(items);
}

CgucConversion::~CgucConversion() = default;

void CgucConversion::Fill(const CdocField* field, bool showAll)
{
    const CxhwSenConvert* kept = GetSelectedConversion();
    Clear();
    Append(_("None"), static_cast<void*>(nullptr));
    if (const CxhwSenFile* file = xhwGetSenFile()) {
        const int count = std::clamp(file->m_conversionCount, 0, int(file->m_conversions.size()));
        for (int i = 0; i < count; ++i) {
            const CxhwSenConvert& conversion = file->m_conversions[size_t(i)];
            if (!field || showAll || conversion.m_fromUnits == field->m_unit)
                Append(conversion.m_description, const_cast<CxhwSenConvert*>(&conversion));
        }
    }
    SetSelection(0);
    if (kept)
        SelectConversion(kept);
    // The toolkit keeps the best size it measured for the old items: a
    // refit must see the widest of the new ones.
    InvalidateBestSize();
}

const CxhwSenConvert* CgucConversion::GetConversion(int index) const
{
    if (index < 0 || index >= int(GetCount()) || !HasClientUntypedData())
        return nullptr;
    return static_cast<const CxhwSenConvert*>(GetClientData(unsigned(index)));
}

const CxhwSenConvert* CgucConversion::GetSelectedConversion() const
{
    return GetConversion(GetSelection());
}

int CgucConversion::FindConversion(const CxhwSenConvert* conversion) const
{
    for (int i = 0; i < int(GetCount()); ++i)
        if (GetConversion(i) == conversion)
            return i;
    return -1;
}

int CgucConversion::SelectConversion(const CxhwSenConvert* conversion)
{
    const int index = FindConversion(conversion);
    if (index >= 0)
        SetSelection(index);
    return index;
}

wxCoord CgucConversion::OnMeasureItem(size_t item) const
{
    return GetCharHeight();
}

wxCoord CgucConversion::OnMeasureItemWidth(size_t item) const
{
    return -1;
}
