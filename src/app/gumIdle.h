#pragma once
#include <wx/html/htmlwin.h>

// The start page shown while no document is open; its links open in the
// default browser and the page itself never navigates.
class CgumIdle : public wxHtmlWindow
{
public:
    CgumIdle(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~CgumIdle() override;

private:
    void OnLinkClicked(wxHtmlLinkEvent& event);

    wxDECLARE_EVENT_TABLE();
};
