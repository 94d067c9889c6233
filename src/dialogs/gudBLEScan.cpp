#include "dialogs/gudBLEScan.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "transport/zxBtle.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudBLEScan, wxDialog);

namespace {

constexpr int kTimerId = 1;

} // namespace

wxBEGIN_EVENT_TABLE(CgudBLEScan, wxDialog)
    EVT_INIT_DIALOG(CgudBLEScan::OnInitDialog)
    EVT_CHECKBOX(ID_BLE_SCAN_CHECK, CgudBLEScan::OnScan)
    EVT_BUTTON(ID_BLE_SCAN_CLEAR, CgudBLEScan::OnClear)
    EVT_LIST_ITEM_SELECTED(ID_BLE_SCAN_LIST, CgudBLEScan::OnSelected)
    EVT_LIST_ITEM_ACTIVATED(ID_BLE_SCAN_LIST, CgudBLEScan::OnActivated)
    EVT_BUTTON(wxID_HELP, CgudBLEScan::OnHelp)
    EVT_TIMER(kTimerId, CgudBLEScan::OnTimer)
wxEND_EVENT_TABLE()

CgudBLEScan::CgudBLEScan(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
    : m_timer(this, kTimerId)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    Centre(wxBOTH);
}

CgudBLEScan::~CgudBLEScan()
{
    m_timer.Stop();
    zxGetBtle().SetDiscoverHandler(nullptr, nullptr);
}

void CgudBLEScan::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    m_scanBox = new wxCheckBox(this, ID_BLE_SCAN_CHECK, _("Scan for new loggers"));
    main->Add(m_scanBox, 0, wxALL, 5);
    main->Add(new wxButton(this, ID_BLE_SCAN_CLEAR, _("Clear loggers list")), 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
    m_failedText = new wxStaticText(this, ID_BLE_SCAN_FAILED, _("Scan failed to start - Bluetooth state unknown"),
                                    wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    m_failedText->Hide();
    main->Add(m_failedText, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    m_list = new wxListCtrl(this, ID_BLE_SCAN_LIST, wxDefaultPosition, wxSize(-1, 120),
                            wxLC_REPORT | wxLC_SINGLE_SEL);
    main->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK")));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel")));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help")));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

void CgudBLEScan::OnInitDialog(wxInitDialogEvent& event)
{
    m_scanFailed = false;
    m_selectedIndex = -1;
    CzxBtle& btle = zxGetBtle();
    btle.InitSelection();
    m_selectedIndex = btle.GetSelectedIndex();
    btle.SetDiscoverHandler(&CgudBLEScan::OnDiscovered, this);
    m_timer.Start(1000);
    event.Skip(); // the toolkit's own initialisation shows the state
}

int CgudBLEScan::ShowModal()
{
    gumBeforeShowModal();
    const int result = wxDialog::ShowModal();
    CzxBtle& btle = zxGetBtle();
    if (btle.IsScanning())
        btle.ScanStop();
    btle.SetDiscoverHandler(nullptr, nullptr);
    return result;
}

bool CgudBLEScan::TransferDataToWindow()
{
    CzxBtle& btle = zxGetBtle();
    m_list->ClearAll();
    m_list->InsertColumn(0, _("Logger"), wxLIST_FORMAT_LEFT);
    const int count = btle.GetLoggerCount();
    for (int row = 0; row < count; ++row) {
        wxString name, identifier;
        btle.GetLogger(count - 1 - row, name, identifier);
        m_list->InsertItem(row, name.empty() ? _("Unknown") : name);
    }
    m_list->SetColumnWidth(0, m_list->GetClientSize().x);
    m_scanBox->SetValue(btle.IsScanning());
    if (m_scanFailed) {
        wxString text = _("Scan failed to start - ");
        btle.GetStateText(text);
        m_failedText->SetLabel(text);
    }
    m_failedText->Show(m_scanFailed);
    EnableOK();
    Layout();
    const bool valid = m_selectedIndex >= 0 && m_selectedIndex < count;
    for (int row = 0; row < count; ++row) {
        const bool selected = valid && row == count - 1 - m_selectedIndex;
        m_list->SetItemState(row, selected ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    }
    return true;
}

void CgudBLEScan::EnableOK()
{
    if (wxWindow* ok = FindWindow(wxID_OK))
        ok->Enable(m_selectedIndex >= 0 && m_selectedIndex < zxGetBtle().GetLoggerCount());
}

void CgudBLEScan::StartScan()
{
    if (!zxGetBtle().ScanStart())
        m_scanFailed = true;
}

void CgudBLEScan::OnScan(wxCommandEvent& event)
{
    m_scanFailed = false;
    if (zxGetBtle().IsScanning())
        zxGetBtle().ScanStop();
    else
        StartScan();
    TransferDataToWindow();
}

void CgudBLEScan::OnClear(wxCommandEvent& event)
{
    CzxBtle& btle = zxGetBtle();
    const bool scanning = btle.IsScanning();
    if (scanning)
        btle.ScanStop();
    btle.ClearLoggers();
    btle.ForgetLoggers();
    m_selectedIndex = btle.GetSelectedIndex();
    if (scanning)
        StartScan();
    TransferDataToWindow();
}

void CgudBLEScan::OnSelected(wxListEvent& event)
{
    m_selectedIndex = zxGetBtle().GetLoggerCount() - 1 - int(event.GetIndex());
    EnableOK();
}

void CgudBLEScan::OnActivated(wxListEvent& event)
{
    wxWindow* ok = FindWindow(wxID_OK);
    if (ok && ok->IsEnabled() && Validate() && TransferDataFromWindow())
        EndModal(wxID_OK);
}

void CgudBLEScan::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(m_adminMode ? _("AdministratorSettings.htm") : _("Options.htm"), this);
}

void CgudBLEScan::OnTimer(wxTimerEvent& event)
{
    zxGetBtle().OnScanDialogEvent();
}

// A discovery replaces its logger's entry in place or appends one, so a row
// the user picked still names the same logger: it stays picked, and OK gives
// the logger the user sees highlighted.
void CgudBLEScan::OnDiscovered(void* handle)
{
    auto* dialog = static_cast<CgudBLEScan*>(handle);
    CzxBtle& btle = zxGetBtle();
    if (dialog->m_selectedIndex < 0 || dialog->m_selectedIndex >= btle.GetLoggerCount())
        dialog->m_selectedIndex = btle.GetSelectedIndex();
    dialog->TransferDataToWindow();
}

bool gudShowBLEScan(wxWindow* parent, wxString& identifier, wxString& name, bool adminMode)
{
    CgudBLEScan dialog(parent ? parent : wxGetApp().m_frame, ID_BLE_SCAN_DIALOG, _("Bluetooth Smart Devices"));
    dialog.m_adminMode = adminMode;
    if (dialog.ShowModal() != wxID_OK)
        return false;
    CzxBtle& btle = zxGetBtle();
    if (dialog.m_selectedIndex < 0 || dialog.m_selectedIndex >= btle.GetLoggerCount())
        return false;
    btle.GetLogger(dialog.m_selectedIndex, name, identifier);
    return true;
}
