#include "dialogs/gudBTChooser.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxBEGIN_EVENT_TABLE(CgudBTChooser, wxDialog)
    EVT_LISTBOX(ID_BT_CHOOSER_LIST, CgudBTChooser::OnSelected)
    EVT_LISTBOX_DCLICK(ID_BT_CHOOSER_LIST, CgudBTChooser::OnActivated)
wxEND_EVENT_TABLE()

CgudBTChooser::CgudBTChooser(wxWindow* parent, const std::vector<CzxBTPairedDevice>& devices)
    : m_devices(devices)
{
    wxDialog::Create(parent, wxID_ANY, _("Bluetooth Devices"), wxDefaultPosition, wxDefaultSize,
                     wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "dialog");
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_ANY, _("Choose the logger among the paired devices:")), 0, wxALL, 5);
    wxArrayString rows;
    for (const CzxBTPairedDevice& device : m_devices)
        rows.Add(wxString::Format("%s (%s)", device.m_name, device.m_address));
    m_list = new wxListBox(this, ID_BT_CHOOSER_LIST, wxDefaultPosition, wxSize(320, 160), rows, wxLB_SINGLE);
    main->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK")));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel")));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
    if (!m_devices.empty())
        m_list->SetSelection(0);
    EnableOK();
    main->Fit(this);
    Centre(wxBOTH);
}

CgudBTChooser::~CgudBTChooser() = default;

int CgudBTChooser::GetChoice() const
{
    const int row = m_list->GetSelection();
    return row >= 0 && size_t(row) < m_devices.size() ? row : -1;
}

void CgudBTChooser::EnableOK()
{
    if (wxWindow* ok = FindWindow(wxID_OK))
        ok->Enable(GetChoice() >= 0);
}

void CgudBTChooser::OnSelected(wxCommandEvent& event)
{
    EnableOK();
}

void CgudBTChooser::OnActivated(wxCommandEvent& event)
{
    if (GetChoice() >= 0)
        EndModal(wxID_OK);
}

bool gudChooseBTDevice(wxString& name, wxString& address)
{
    std::vector<CzxBTPairedDevice> devices;
    zxBTListPairedDevices(devices);
    CgudBTChooser chooser(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, devices);
    if (chooser.ShowModal() != wxID_OK)
        return false;
    const int choice = chooser.GetChoice();
    if (choice < 0)
        return false;
    name = devices[size_t(choice)].m_name;
    address = devices[size_t(choice)].m_address;
    return true;
}
