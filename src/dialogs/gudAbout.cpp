#include "dialogs/gudAbout.h"

#include "app/gumApp.h"

#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

CgudAbout::CgudAbout(wxWindow* parent) : AboutDlg(parent, wxID_ANY, _("About Quorvanti..."))
{
    m_version->SetLabel(m_version->GetLabel() + " " + "1.0.0 (1V001)");
    wxBitmap icon;
    icon.CopyFromIcon(wxGetApp().m_res.m_icons[ICON_APP]);
    m_bitmap->SetBitmap(icon);
    m_notice->SetLabel(GetNotice());
    GetSizer()->Fit(this);
}

CgudAbout::~CgudAbout() = default;

wxString CgudAbout::GetNotice()
{
    return _("Data logging and graphing for science teaching.");
}
