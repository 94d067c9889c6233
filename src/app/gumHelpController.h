#pragma once
#include <wx/html/helpctrl.h>

class wxHtmlHelpWindow;
class wxTopLevelWindow;

// The toolkit's help controller, whose window opens laid out and placed over
// the middle of its parent or the main frame, large enough for its tool bar
// and its bookmarks.
class CgumHelpController : public wxHtmlHelpController
{
public:
    explicit CgumHelpController(int style, wxWindow* parent = nullptr);

protected:
    wxHtmlHelpFrame* CreateHelpFrame(wxHtmlHelpData* data) override;
    wxHtmlHelpDialog* CreateHelpDialog(wxHtmlHelpData* data) override;

private:
    void Place(wxTopLevelWindow& window, wxHtmlHelpWindow* help);

    wxWindow* m_over = nullptr;
};
