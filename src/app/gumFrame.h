#pragma once
#include <wx/docview.h>

class CgumDocManager;

// The single main window, where commands meet.
class CgumFrame : public wxDocParentFrame
{
public:
    CgumFrame(CgumDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
              const wxPoint& position = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxDEFAULT_FRAME_STYLE);
    ~CgumFrame() override;

    bool Destroy() override;
    void CreateMenuBar();
    int FilterKey(wxKeyEvent& event);

private:
    void OnExit(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
