#pragma once
#include "data/docControl.h"
#include "protocol/xutBoxPublicInfo.h"

#include <array>
#include <wx/dialog.h>
#include <wx/timer.h>

class CdocDoc;
class CgucChannel;
class wxCheckBox;
class wxRadioBox;

enum
{
    ID_CONTROL_DIALOG = 10011,
    ID_CONTROL_OUTPUT = 10063,
    ID_CONTROL_HEADING = 10077,
    ID_CONTROL_CHANNEL = 10011,
    ID_CONTROL_DIRECTION = 10074,
    ID_CONTROL_THRESHOLD = 10075,
    ID_CONTROL_UNITS = 10071,
    ID_CONTROL_ENABLE = 10076,
};

// The rules of the six control outputs, edited as copies that the caller
// takes back on OK; the form shows one output's rule at a time and offers
// the outputs that the connected logger can switch.
class CgudControl : public wxDialog
{
public:
    CgudControl() = default;
    CgudControl(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                const wxSize& size = wxSize(400, 300),
                long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudControl() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    int ShowModal() override;

    void LoadOutput(int output);
    void CheckLogger();

    void OnOutput(wxCommandEvent& event);
    void OnChannel(wxCommandEvent& event);
    void OnDirection(wxCommandEvent& event);
    void OnThreshold(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnTimer(wxTimerEvent& event);

    wxRadioBox* m_outputCtrl = nullptr;
    CgucChannel* m_channelCtrl = nullptr;
    wxCheckBox* m_enableCtrl = nullptr;
    int m_selected = 0;
    // 0 "is above", 1 "is below".
    int m_direction = 0;
    wxString m_thresholdText;
    wxString m_unitsText;
    bool m_enabled = false;
    wxString m_headingText;
    // The output whose rule the form shows, 0 to 5.
    int m_output = 0;
    std::array<CdocControlItem, DOC_MAX_OUTPUT_RULES> m_rules;
    CdocDoc* m_doc = nullptr;
    CxutBoxPublicInfo m_boxInfo;
    wxTimer m_timer;
    // Set while the form is filled, so that the change handlers ignore the
    // changes that filling makes.
    bool m_loading = false;

private:
    // A rule the user changes becomes enabled.
    void TickEnable();

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudControl);
    wxDECLARE_EVENT_TABLE();
};
