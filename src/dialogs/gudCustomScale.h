#pragma once
#include <wx/dialog.h>

class CdocField;
class CgucChannel;
class wxStaticText;
class wxTextCtrl;

enum
{
    ID_CUSTOM_SCALE_DIALOG = 10029,
    ID_CUSTOM_SCALE_CHANNEL = 10011,
    ID_CUSTOM_SCALE_NAME = 10030,
    ID_CUSTOM_SCALE_UNITS = 10031,
    ID_CUSTOM_SCALE_PRESENT_1 = 10032,
    ID_CUSTOM_SCALE_NEW_1 = 10034,
    ID_CUSTOM_SCALE_PRESENT_2 = 10035,
    ID_CUSTOM_SCALE_NEW_2 = 10036,
};

// A new linear scale for a channel from two calibration points, with a new
// name and units; the caller applies it on OK.
class CgudCustomScale : public wxDialog
{
public:
    CgudCustomScale() = default;
    CgudCustomScale(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                    const wxSize& size = wxSize(400, 300),
                    long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudCustomScale() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void SetChannel(CdocField* field);
    // Each limit of the channel's range maps to itself until the user edits.
    void LoadChannel(CdocField* field);
    // Checks the four point texts, showing the first failure; false then.
    bool GetGainOffset(float& gain, float& offset);

    void OnChannel(wxCommandEvent& event);
    void OnUnits(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnOkUpdate(wxUpdateUIEvent& event);
    void OnHelp(wxCommandEvent& event);

    CgucChannel* m_channelCtrl = nullptr;
    wxTextCtrl* m_unitsCtrl = nullptr;
    wxTextCtrl* m_present1Ctrl = nullptr;
    wxStaticText* m_present1Label = nullptr;
    wxTextCtrl* m_new1Ctrl = nullptr;
    wxStaticText* m_new1Label = nullptr;
    wxTextCtrl* m_present2Ctrl = nullptr;
    wxTextCtrl* m_new2Ctrl = nullptr;
    wxStaticText* m_new2Label = nullptr;
    wxStaticText* m_present2Label = nullptr;
    wxString m_present1;
    wxString m_present2;
    wxString m_presentUnits;
    wxString m_newName;
    wxString m_new1;
    wxString m_new2;
    wxString m_newUnitsLabel;
    wxString m_newUnits;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudCustomScale);
    wxDECLARE_EVENT_TABLE();
};
