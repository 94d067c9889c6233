#include "dialogs/gudChannel.h"

#include "app/gumApp.h"
#include "app/gumWindowHelpers.h"
#include "dialogs/gucListChannel.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/valgen.h>

namespace {

constexpr int kWrapWidth = 250;

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudChannel, wxDialog);

wxBEGIN_EVENT_TABLE(CgudChannel, wxDialog)
    EVT_INIT_DIALOG(CgudChannel::OnInitDialog)
    EVT_LEFT_DCLICK(CgudChannel::OnListDoubleClick)
    EVT_UPDATE_UI(wxID_OK, CgudChannel::OnUpdateOk)
    EVT_BUTTON(wxID_HELP, CgudChannel::OnHelp)
wxEND_EVENT_TABLE()

CgudChannel::CgudChannel(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudChannel::~CgudChannel() = default;

bool CgudChannel::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudChannel::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Channel"), wxDefaultPosition, wxDefaultSize, 0, "staticText"),
              0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    m_list = new CgucListChannel(this, ID_CHANNEL_DIALOG_LIST, wxDefaultPosition, wxSize(100, 100),
                                 wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL);
    main->Add(m_list, 1, wxEXPAND | wxALL, 5);
    gumSetHeightInLines(m_list, 21, 60);
    m_textCtrl = new wxStaticText(
        this, ID_CHANNEL_DIALOG_TEXT,
        _("All values in the selected channel are inverted, so positive values become negative values.") + "\n",
        wxDefaultPosition, wxDefaultSize, 0, "staticText");
    m_textCtrl->Wrap(kWrapWidth);
    m_textCtrl->SetMinSize(m_textCtrl->GetSize());
    m_textCtrl->SetValidator(wxGenericValidator(&m_text));
    main->Add(m_textCtrl, 0, wxEXPAND | wxALL, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    // Mouse events stay with the window they happen in.
    m_list->Bind(wxEVT_LEFT_DCLICK, &CgudChannel::OnListDoubleClick, this);
}

void CgudChannel::OnInitDialog(wxInitDialogEvent& event)
{
    TransferDataToWindow();
    // The validator sets the text as one line.
    m_textCtrl->Wrap(kWrapWidth);
    Layout();
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
}

void CgudChannel::OnListDoubleClick(wxMouseEvent& event)
{
    event.Skip();
    if (!m_list || m_list->GetFirstSelectedRow() < 0)
        return;
    if (Validate() && TransferDataFromWindow())
        EndModal(wxID_OK);
}

void CgudChannel::OnUpdateOk(wxUpdateUIEvent& event)
{
    if (m_list && m_list->GetFirstSelectedRow() < 0 && m_list->GetItemCount() > 0)
        m_list->SelectRow(m_list->GetItemCount() - 1);
    event.Enable(m_list && m_list->GetFirstSelectedRow() >= 0);
}

void CgudChannel::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(m_help.empty() ? wxGetTranslation("Channel.htm") : wxGetTranslation(m_help), this);
}
