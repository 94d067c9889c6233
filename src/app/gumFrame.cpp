#include "app/gumFrame.h"

#include "app/gumApp.h"
#include "app/gumCommands.h"
#include "app/gumDocManager.h"
#include "transport/zxMessageBox.h"

#include <wx/menu.h>

wxBEGIN_EVENT_TABLE(CgumFrame, wxDocParentFrame)
    EVT_MENU(wxID_EXIT, CgumFrame::OnExit)
    EVT_MENU(wxID_ABOUT, CgumFrame::OnAbout)
wxEND_EVENT_TABLE()

CgumFrame::CgumFrame(CgumDocManager* manager, wxFrame* parent, wxWindowID id, const wxString& title,
                     const wxPoint& position, const wxSize& size, long style)
    : wxDocParentFrame(manager, parent, id, title, position, size, style, "frame")
{
    CreateMenuBar();
    // Worker threads reach the user interface through this queue only.
    gumSetCommandPoster([this](int commandId, int value) {
        wxCommandEvent event(wxEVT_MENU, commandId);
        event.SetInt(value);
        GetEventHandler()->QueueEvent(event.Clone());
    });
}

CgumFrame::~CgumFrame()
{
    gumSetCommandPoster(nullptr);
    if (wxTheApp && wxGetApp().m_frame == this)
        wxGetApp().m_frame = nullptr;
}

bool CgumFrame::Destroy()
{
    gumSetCommandPoster(nullptr);
    wxGetApp().m_frame = nullptr;
    return wxDocParentFrame::Destroy();
}

void CgumFrame::CreateMenuBar()
{
    auto* file = new wxMenu;
    file->Append(wxID_NEW);
    file->Append(wxID_OPEN);
    file->Append(wxID_SAVE);
    file->Append(wxID_SAVEAS);
    file->AppendSeparator();
    file->Append(wxID_EXIT);
    auto* help = new wxMenu;
    help->Append(wxID_ABOUT);
    auto* bar = new wxMenuBar;
    bar->Append(file, _("&File"));
    bar->Append(help, _("&Help"));
    wxMenuBar* old = GetMenuBar();
    SetMenuBar(bar);
    delete old;
}

int CgumFrame::FilterKey(wxKeyEvent& event)
{
    return -1;
}

void CgumFrame::OnExit(wxCommandEvent& event)
{
    Close();
}

void CgumFrame::OnAbout(wxCommandEvent& event)
{
    zxInfoBox(zxAppTitle());
}
