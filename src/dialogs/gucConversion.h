#pragma once
#include <wx/odcombo.h>

class CdocField;
class CxhwSenConvert;

// The unit conversions of the sensor database that start from a channel's
// units, by their descriptions, after a first "None" item. The items point
// at the database's conversions, which outlive every picker.
class CgucConversion : public wxOwnerDrawnComboBox
{
public:
    CgucConversion();
    CgucConversion(wxWindow* parent, wxWindowID id, const wxString& value = wxEmptyString,
                   const wxPoint& position = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   const wxArrayString& choices = wxArrayString(), long style = 0,
                   const wxValidator& validator = wxDefaultValidator);
    ~CgucConversion() override;

    // Lists the conversions from the channel's units (every one with no
    // channel or with showAll); the selection stays on its conversion while
    // that is still listed, else goes back to "None".
    void Fill(const CdocField* field, bool showAll);
    // None for "None" and for no valid selection.
    const CxhwSenConvert* GetSelectedConversion() const;
    int SelectConversion(const CxhwSenConvert* conversion);
    int FindConversion(const CxhwSenConvert* conversion) const;
    const CxhwSenConvert* GetConversion(int index) const;

    wxCoord OnMeasureItem(size_t item) const override;
    wxCoord OnMeasureItemWidth(size_t item) const override;

private:
    wxDECLARE_DYNAMIC_CLASS(CgucConversion);
    wxDECLARE_EVENT_TABLE();
};
