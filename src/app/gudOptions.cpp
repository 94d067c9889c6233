#include "app/gudOptions.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "dialogs/gudBLEScan.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"
#include "transport/zxBtle.h"
#include "transport/zxBTDevice.h"
#include "transport/zxSerialPort.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dirdlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudOptions, wxDialog);

namespace {

gudFolderChooser g_folderChooser;

} // namespace

void gudSetFolderChooser(gudFolderChooser chooser)
{
    g_folderChooser = std::move(chooser);
}

wxBEGIN_EVENT_TABLE(CgudOptions, wxDialog)
    EVT_BUTTON(ID_OPTIONS_LEVEL, CgudOptions::OnLevel)
    EVT_BUTTON(ID_OPTIONS_BT_SEARCH, CgudOptions::OnBluetoothSearch)
    EVT_CHOICE(ID_OPTIONS_PORT, CgudOptions::OnPortChoice)
    EVT_CHECKBOX(ID_OPTIONS_SMART, CgudOptions::OnSmart)
    EVT_BUTTON(ID_OPTIONS_SMART_SEARCH, CgudOptions::OnSmartSearch)
    EVT_BUTTON(ID_OPTIONS_BROWSE, CgudOptions::OnBrowse)
    EVT_BUTTON(ID_OPTIONS_DEFAULTS, CgudOptions::OnDefaults)
    EVT_BUTTON(ID_OPTIONS_SAVE, CgudOptions::OnSave)
    EVT_BUTTON(wxID_HELP, CgudOptions::OnHelp)
wxEND_EVENT_TABLE()

CgudOptions::CgudOptions(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                         const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS | wxWS_EX_VALIDATE_RECURSIVELY);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    m_portList = zxSerialDefaultPortList();
    CreateControls();
    GetSizer()->Fit(this);
    Centre(wxBOTH);
}

CgudOptions::~CgudOptions() = default;

void CgudOptions::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);

    auto* top = new wxBoxSizer(wxHORIZONTAL);
    auto* levelBox = new wxStaticBoxSizer(wxVERTICAL, this, _("Sophistication &Level"));
    m_levelButton = new wxBitmapButton(levelBox->GetStaticBox(), ID_OPTIONS_LEVEL,
                                       wxGetApp().m_res.m_sideBitmaps[BMP_LEVEL4].m_small);
    levelBox->Add(m_levelButton, 0, wxALIGN_CENTRE | wxALL, 5);
    levelBox->SetMinSize(wxSize(GetTextExtent(_("Sophistication &Level")).x + 30, -1));
    top->Add(levelBox, 0, wxEXPAND | wxALL, 5);
    auto* admin = new wxBoxSizer(wxVERTICAL);
    m_managerBox = new wxCheckBox(this, ID_OPTIONS_MANAGER, _("Manager mode"), wxDefaultPosition, wxDefaultSize,
                                  0, wxGenericValidator(&m_managerMode));
    m_userSaveBox = new wxCheckBox(this, ID_OPTIONS_USER_SAVE, _("Allow users to save options"), wxDefaultPosition,
                                   wxDefaultSize, 0, wxGenericValidator(&m_userSave));
    admin->Add(m_managerBox, 0, wxALL, 5);
    admin->Add(m_userSaveBox, 0, wxALL, 5);
    top->Add(admin, 1, wxALIGN_CENTRE_VERTICAL | wxALL, 5);
    main->Add(top, 0, wxEXPAND);

    auto* connection = new wxStaticBoxSizer(wxVERTICAL, this, _("&Connection"));
    wxWindow* box = connection->GetStaticBox();
    auto* grid = new wxFlexGridSizer(3, 5, 5);
    grid->AddGrowableCol(1);
    grid->Add(new wxRadioButton(box, ID_OPTIONS_AUTOMATIC, _("Serial - &Automatic"), wxDefaultPosition,
                                wxDefaultSize, wxRB_GROUP, wxGenericValidator(&m_automatic)),
              0, wxALIGN_CENTRE_VERTICAL);
    grid->Add(new wxStaticText(box, ID_OPTIONS_PORT_LIST, m_portList), 0, wxALIGN_CENTRE_VERTICAL);
    grid->AddSpacer(0);
    grid->Add(new wxRadioButton(box, ID_OPTIONS_BLUETOOTH, _("Serial - &Bluetooth"), wxDefaultPosition,
                                wxDefaultSize, 0, wxGenericValidator(&m_bluetooth)),
              0, wxALIGN_CENTRE_VERTICAL);
    grid->Add(new wxStaticText(box, ID_OPTIONS_BT_NAME, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                               "staticText"),
              0, wxALIGN_CENTRE_VERTICAL);
    FindWindow(ID_OPTIONS_BT_NAME)->SetValidator(wxGenericValidator(&m_bluetoothName));
    grid->Add(new wxButton(box, ID_OPTIONS_BT_SEARCH, _("Search...")), 0);
    grid->Add(new wxRadioButton(box, ID_OPTIONS_SERIAL, _("Serial - &Port"), wxDefaultPosition, wxDefaultSize, 0,
                                wxGenericValidator(&m_serial)),
              0, wxALIGN_CENTRE_VERTICAL);
    wxArrayString ports;
    for (int port = 1; port <= 99; ++port) {
        wxString name;
        zxSerialPortName(name, port);
        ports.Add(name);
    }
    grid->Add(new wxChoice(box, ID_OPTIONS_PORT, wxDefaultPosition, wxDefaultSize, ports, 0,
                           wxGenericValidator(&m_serialIndex)),
              0, wxEXPAND);
    grid->AddSpacer(0);
    for (int i = 0; i < 3; ++i)
        grid->AddSpacer(5);
    m_smartBox = new wxCheckBox(box, ID_OPTIONS_SMART, _("Bluetooth Smart"));
    grid->Add(m_smartBox, 0, wxALIGN_CENTRE_VERTICAL);
    m_smartNameText = new wxStaticText(box, ID_OPTIONS_SMART_NAME, wxString());
    grid->Add(m_smartNameText, 0, wxALIGN_CENTRE_VERTICAL);
    grid->Add(new wxButton(box, ID_OPTIONS_SMART_SEARCH, _("Search...")), 0);
    connection->Add(grid, 0, wxEXPAND | wxALL, 5);
    main->Add(connection, 0, wxEXPAND | wxALL, 5);

    main->Add(new wxStaticText(this, wxID_STATIC, _("&File location")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
    auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
    auto* folder = new wxTextCtrl(this, ID_OPTIONS_FOLDER, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                  wxTextValidator(wxFILTER_NONE, &m_folder));
    gumSetWidthInChars(folder, 50, 90);
    folderRow->Add(folder, 1, wxALIGN_CENTRE_VERTICAL | wxALL, 5);
    folderRow->Add(new wxButton(this, ID_OPTIONS_BROWSE, _("&Browse...")), 0, wxALL, 5);
    main->Add(folderRow, 0, wxEXPAND);

    auto* defaultsRow = new wxBoxSizer(wxHORIZONTAL);
    defaultsRow->Add(new wxButton(this, ID_OPTIONS_DEFAULTS, _("Defaults")), 0, wxALL, 5);
    m_saveButton = new wxButton(this, ID_OPTIONS_SAVE, _("Save"));
    defaultsRow->Add(m_saveButton, 0, wxALL, 5);
    main->Add(defaultsRow, 0, wxALIGN_CENTRE_HORIZONTAL);

    auto* buttons = new wxStdDialogButtonSizer;
    m_okButton = new wxButton(this, wxID_OK, _("&OK"));
    m_okButton->SetDefault();
    buttons->AddButton(m_okButton);
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel")));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help")));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

void CgudOptions::SetValues(const CappOptionsFile& record)
{
    m_record = record;
    const CappOptionsFile& settings = wxGetApp().m_options.m_settings;
    m_managerMode = m_adminMode ? record.ManagerMode : settings.ManagerMode;
    m_userSave = m_adminMode ? record.UserSave : settings.UserSave;
    m_automatic = record.PortType == 0;
    m_bluetooth = record.PortType == 1;
    m_serial = record.PortType == 2;
    m_serialIndex = record.PortSerial >= 1 && record.PortSerial <= 99 ? record.PortSerial - 1 : 0;
    m_bluetoothName = record.BluetoothName;
    m_bluetoothAddress = record.BluetoothAddress;
    m_smart = record.BluetoothSmart;
    m_smartUUID = record.BluetoothSmartUUID;
    m_smartName = record.BluetoothSmartName;
    m_userLevel = record.UserLevel;
    m_folder = record.FileFolder;
}

void CgudOptions::GetValues(CappOptionsFile& record) const
{
    const CappOptionsFile& settings = wxGetApp().m_options.m_settings;
    record.PortBtooth = m_record.PortBtooth;
    record.MaxSensingPlaces = m_record.MaxSensingPlaces;
    record.MaxTimingPlaces = m_record.MaxTimingPlaces;
    record.ManagerMode = m_adminMode ? m_managerMode : settings.ManagerMode;
    record.UserSave = m_adminMode ? m_userSave : settings.UserSave;
    if (m_automatic)
        record.PortType = 0;
    else if (m_bluetooth)
        record.PortType = 1;
    else if (m_serial)
        record.PortType = 2;
    // The list shows ports 1 to 99; a port 0 read from a file stays as it was.
    if (m_serialIndex != 0 || m_record.PortSerial != 0)
        record.PortSerial = m_serialIndex + 1;
    record.BluetoothName = m_bluetoothName;
    record.BluetoothAddress = m_bluetoothAddress;
    record.BluetoothSmart = m_smart;
    record.BluetoothSmartUUID = m_smartUUID;
    record.BluetoothSmartName = m_smartName;
    record.UserLevel = m_userLevel;
    record.FileFolder = m_folder;
}

bool CgudOptions::TransferDataToWindow()
{
    const int level = m_userLevel >= 2 && m_userLevel <= 4 ? m_userLevel : 1;
    m_levelButton->SetBitmap(wxGetApp().m_res.m_sideBitmaps[size_t(BMP_LEVEL1 + level - 1)].m_small);
    m_smartBox->SetValue(m_smart);
    m_smartNameText->SetLabel(m_smartName);
    const bool ok = wxDialog::TransferDataToWindow();
    Layout();
    GetSizer()->Fit(this);
    return ok;
}

void CgudOptions::TakeValues()
{
    TransferDataFromWindow();
    m_smart = m_smartBox->GetValue();
}

void CgudOptions::OnLevel(wxCommandEvent& event)
{
    TakeValues();
    m_userLevel = m_userLevel > 3 ? 1 : m_userLevel + 1;
    TransferDataToWindow();
}

void CgudOptions::OnBluetoothSearch(wxCommandEvent& event)
{
    TakeValues();
    m_automatic = false;
    m_bluetooth = true;
    m_serial = false;
    wxString name;
    wxString address;
    if (CzxBTDevice::ChooseDevice(name, address)) {
        m_bluetoothName = name;
        m_bluetoothAddress = address;
    }
    TransferDataToWindow();
}

void CgudOptions::OnPortChoice(wxCommandEvent& event)
{
    TakeValues();
    m_automatic = false;
    m_bluetooth = false;
    m_serial = true;
    TransferDataToWindow();
}

void CgudOptions::OnSmart(wxCommandEvent& event)
{
    TransferDataFromWindow();
    m_smart = !m_smart;
    TransferDataToWindow();
}

void CgudOptions::OnSmartSearch(wxCommandEvent& event)
{
    TakeValues();
    m_smart = true;
    CxhwBoxes& boxes = wxGetApp().m_boxes;
    const int state = boxes.GetState();
    bool busy = false;
    switch (state) {
    case BOXES_STATE_RESET:
    case BOXES_STATE_IDLE:
        RunScanDialog();
        break;
    case BOXES_STATE_SAMPLING:
    case BOXES_STATE_SETUP_LOGGING:
    case BOXES_STATE_TIMING:
    case BOXES_STATE_SCOPE:
    case BOXES_STATE_FETCH:
        busy = zxGetBtle().IsOpen();
        if (!busy)
            RunScanDialog();
        break;
    case BOXES_STATE_CONNECT:
    case BOXES_STATE_SEARCH:
        // The search for a logger pauses while the user scans.
        boxes.SetState(BOXES_STATE_IDLE);
        busy = !boxes.WaitAckState(BOXES_STATE_IDLE, 3.0f);
        if (!busy)
            RunScanDialog();
        boxes.SetState(state);
        break;
    default:
        busy = true;
        break;
    }
    if (busy)
        zxInfoBox(_("Cannot search while bluetooth is busy"));
    TransferDataToWindow();
}

void CgudOptions::RunScanDialog()
{
    gudShowBLEScan(this, m_smartUUID, m_smartName, m_adminMode);
}

// A cancelled chooser keeps the folder: it gives an empty text, which would
// otherwise throw the data folder away.
void CgudOptions::OnBrowse(wxCommandEvent& event)
{
    TakeValues();
    const wxString message = _("Select a directory");
    const wxString folder = g_folderChooser ? g_folderChooser(message, m_folder)
                                            : wxDirSelector(message, m_folder, 0, wxDefaultPosition, this);
    if (!folder.empty())
        m_folder = folder;
    TransferDataToWindow();
}

void CgudOptions::OnDefaults(wxCommandEvent& event)
{
    TakeValues();
    if (m_adminMode)
        SetValues(CappOptionsFile());
    else
        SetValues(wxGetApp().m_options.m_settings);
    TransferDataToWindow();
}

void CgudOptions::OnSave(wxCommandEvent& event)
{
    TakeValues();
    EndModal(ID_OPTIONS_SAVE);
}

void CgudOptions::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(m_adminMode ? _("AdministratorSettings.htm") : _("Options.htm"), this);
}

void gudShowAdminSettings()
{
    CgudOptions dialog(wxGetApp().m_frame, ID_OPTIONS_DIALOG, _("Administrator's Settings"));
    CappOptionsFile record = wxGetApp().m_options.m_settings;
    dialog.m_adminMode = true;
    dialog.SetValues(record);
    dialog.m_okButton->SetLabel(dialog.m_saveButton->GetLabel());
    dialog.m_saveButton->Hide();
    gumBeforeShowModal();
    const int result = dialog.ShowModal();
    if (result == wxID_OK || result == ID_OPTIONS_SAVE) {
        dialog.GetValues(record);
        wxGetApp().m_options.SaveAdminSettings(record, true);
    }
}

void gudShowOptions()
{
    CgudOptions dialog(wxGetApp().m_frame, ID_OPTIONS_DIALOG, _("Options"));
    CappOptionsFile record = wxGetApp().m_options.GetCurrentCopy();
    dialog.m_adminMode = false;
    dialog.SetValues(record);
    dialog.m_managerBox->Hide();
    dialog.m_userSaveBox->Hide();
    if (!wxGetApp().m_options.m_settings.UserSave)
        dialog.m_saveButton->Hide();
    gumBeforeShowModal();
    const int result = dialog.ShowModal();
    if (result == wxID_OK) {
        dialog.GetValues(record);
        wxGetApp().m_options.Set(record, false);
    } else if (result == ID_OPTIONS_SAVE) {
        dialog.GetValues(record);
        wxGetApp().m_options.Set(record, true);
    }
}
