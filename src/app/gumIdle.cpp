#include "app/gumIdle.h"

#include "app/gumDocManager.h"
#include "app/base/gumResCore.h"

#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/filesys.h>
#include <wx/log.h>

wxBEGIN_EVENT_TABLE(CgumIdle, wxHtmlWindow)
    EVT_HTML_LINK_CLICKED(wxID_ANY, CgumIdle::OnLinkClicked)
wxEND_EVENT_TABLE()

CgumIdle::CgumIdle(wxWindow* parent, wxWindowID id)
    : wxHtmlWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxHW_DEFAULT_STYLE, "htmlWindow")
{
    wxFileName page;
    if (CgumResCore* res = gumGetResCore())
        res->GetResourceFile(page, wxString(), "Intro", "htm");
    wxLogNull quiet; // a missing page leaves the start page empty
    wxFFile file;
    wxString text;
    if (!page.FileExists() || !file.Open(page.GetFullPath(), "rb") || !file.ReadAll(&text, wxConvUTF8))
        return;
    // Shown as HTML whatever the system's MIME table says about ".htm", with
    // the page's own folder as the base of relative targets.
    const wxString url = wxFileName::FileNameToURL(page);
    m_FS->ChangePathTo(url);
    SetPage(text);
    m_OpenedPage = url;
}

CgumIdle::~CgumIdle() = default;

void CgumIdle::OnLinkClicked(wxHtmlLinkEvent& event)
{
    gumLaunchBrowser(event.GetLinkInfo().GetHref(), 0);
}
