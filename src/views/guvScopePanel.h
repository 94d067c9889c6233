#pragma once
#include <wx/panel.h>
#include <wx/string.h>

class CguvScopeTrigger;
class CguvScopeWin;
class wxBoxSizer;
class wxChoice;

// The oscilloscope panel of the content panel: a row of the gain choice (the
// gains, then the scope sensor's ranges), the timebase choice and the trigger
// indicator above the drawing window.
class CguvScopePanel : public wxPanel
{
public:
    static constexpr int kTimebaseId = 10042;
    static constexpr int kGainId = 10043;

    CguvScopePanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& position = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~CguvScopePanel() override;

    // Fills both choices and picks the texts and trigger label that fit.
    void UpdateControls();
    void OnSize(wxSizeEvent& event);
    void OnTimebaseChoice(wxCommandEvent& event);
    void OnGainChoice(wxCommandEvent& event);

    wxBoxSizer* m_sizer = nullptr;
    wxBoxSizer* m_controls = nullptr;
    CguvScopeWin* m_window = nullptr;
    wxChoice* m_timebaseChoice = nullptr;
    wxChoice* m_gainChoice = nullptr;
    CguvScopeTrigger* m_trigger = nullptr;
    wxString m_labelLong;
    wxString m_labelMid;
    wxString m_labelShort;
    // The size the controls were last fitted to.
    wxSize m_laidOutSize;
    bool m_updating = false;

private:
    wxDECLARE_EVENT_TABLE();
};
