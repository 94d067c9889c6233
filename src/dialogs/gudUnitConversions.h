#pragma once
#include <wx/dialog.h>

class CdocField;
class CgucChannel;
class CgucConversion;
class CxhwSenConvert;
class wxTextCtrl;

enum
{
    ID_UNIT_CONVERSIONS_DIALOG = 10037,
    ID_UNIT_CONVERSIONS_CHANNEL = 10011,
    ID_UNIT_CONVERSIONS_CONVERSION = 10000,
    ID_UNIT_CONVERSIONS_GAIN = 10032,
    ID_UNIT_CONVERSIONS_OFFSET = 10034,
    ID_UNIT_CONVERSIONS_SHOW_ALL = 10038,
};

// Converts a channel into other units by a conversion of the sensor database
// or by a typed gain and offset; the caller applies it on OK.
class CgudUnitConversions : public wxDialog
{
public:
    CgudUnitConversions() = default;
    CgudUnitConversions(wxWindow* parent, wxWindowID id, const wxString& title,
                        const wxPoint& position = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
                        long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudUnitConversions() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void SetChannel(CdocField* field);
    // Refills the conversions for the selected channel and shows the given
    // one's factor and offset (none: 1 and 0).
    void SelectConversion(const CxhwSenConvert* conversion);
    void ShowConversion(const CdocField* field, const CxhwSenConvert* conversion);
    // Checks the gain and offset texts, showing the first failure; false then.
    bool GetGainOffset(float& gain, float& offset);

    // A channel or conversion picked, or "Show all" toggled: the list and
    // the fields follow, replacing what was typed.
    void OnChoice(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnOkUpdate(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);

    CgucChannel* m_channelCtrl = nullptr;
    CgucConversion* m_conversionCtrl = nullptr;
    wxTextCtrl* m_gainCtrl = nullptr;
    wxTextCtrl* m_offsetCtrl = nullptr;
    bool m_showAll = false;
    wxString m_formula;
    wxString m_gain;
    wxString m_offset;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudUnitConversions);
    wxDECLARE_EVENT_TABLE();
};
