#include "wizard/gudMatch.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"
#include "wizard/gudMatchTemplate.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudMatch, wxDialog);

namespace {

constexpr int kTimerId = 1;
constexpr int kTimerMs = 200;

} // namespace

wxBEGIN_EVENT_TABLE(CgudMatch, wxDialog)
    EVT_BUTTON(ID_MATCH_ROW_DISABLE_0, CgudMatch::OnDisableRow)
    EVT_COMMAND_RANGE(ID_MATCH_ROW_DISABLE_1, ID_MATCH_ROW_DISABLE_1 + 8, wxEVT_BUTTON, CgudMatch::OnDisableRow)
    EVT_BUTTON(ID_MATCH_REFRESH, CgudMatch::OnRefreshSensors)
    EVT_BUTTON(wxID_OK, CgudMatch::OnOK)
    EVT_UPDATE_UI(wxID_OK, CgudMatch::OnUpdateOK)
    EVT_BUTTON(wxID_HELP, CgudMatch::OnHelp)
    EVT_TIMER(kTimerId, CgudMatch::OnTimer)
wxEND_EVENT_TABLE()

CgudMatch::CgudMatch() : m_timer(this, kTimerId) {}

CgudMatch::CgudMatch(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
    : m_timer(this, kTimerId)
{
    Create(parent, id, title, position, size, style);
}

CgudMatch::~CgudMatch()
{
    m_timer.Stop();
}

bool CgudMatch::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    if (!wxDialog::Create(parent, id, title, position, size, style, "dialog"))
        return false;
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre();
    return true;
}

void CgudMatch::CreateControls()
{
    const CgumRes& res = wxGetApp().m_res;
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    m_grid = new wxGridBagSizer(0, 0);
    m_grid->SetEmptyCellSize(wxSize(1, 1));
    main->Add(m_grid, 0, wxALL, 5);

    const int centred = wxALIGN_CENTER_VERTICAL | wxALL;
    m_grid->Add(new wxStaticText(this, ID_MATCH_TEMPLATE_TITLE, _("Template")), wxGBPosition(0, 0),
                wxGBSpan(1, 2), centred, 5);
    m_grid->Add(new wxStaticText(this, ID_MATCH_SENSORS_TITLE, _("Sensors")), wxGBPosition(0, 3), wxGBSpan(1, 2),
                centred, 5);
    auto* refresh = new wxBitmapButton(this, ID_MATCH_REFRESH, res.m_pictures[PICTURE_MATCH_REFRESH]);
    refresh->SetToolTip(_("Refresh sensors"));
    refresh->Hide();
    m_grid->Add(refresh, wxGBPosition(0, 5), wxDefaultSpan, wxALL, 2);
    m_grid->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL),
                wxGBPosition(1, 0), wxGBSpan(1, 2), wxEXPAND | wxALL, 0);
    m_grid->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL),
                wxGBPosition(1, 3), wxGBSpan(1, 3), wxEXPAND | wxALL, 0);
    m_grid->Add(new wxStaticLine(this, wxID_STATIC, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL),
                wxGBPosition(0, 2), wxGBSpan(12, 1), wxEXPAND | wxLEFT | wxRIGHT, 5);

    const wxIcon& icon = res.GetSensorIcon(wxString());
    for (int r = 0; r < kRows; ++r) {
        auto* storedIcon = new wxStaticBitmap(this, StoredIconId(r), icon);
        auto* storedName = new wxStaticText(this, StoredNameId(r), _("Static text"));
        auto* connectedIcon = new wxStaticBitmap(this, ConnectedIconId(r), icon);
        auto* connectedText = new wxStaticText(this, ConnectedTextId(r), _("Static text"));
        auto* disable = new wxBitmapButton(this, DisableId(r), res.m_pictures[PICTURE_MATCH_DISABLE]);
        disable->SetToolTip(_("Disable this sensor"));
        disable->Hide();
        m_grid->Add(storedIcon, wxGBPosition(r + 2, 0), wxDefaultSpan, centred, 5);
        m_grid->Add(storedName, wxGBPosition(r + 2, 1), wxDefaultSpan, centred, 5);
        m_grid->Add(connectedIcon, wxGBPosition(r + 2, 3), wxDefaultSpan, centred, 5);
        m_grid->Add(connectedText, wxGBPosition(r + 2, 4), wxDefaultSpan, centred, 5);
        m_grid->Add(disable, wxGBPosition(r + 2, 5), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    }

    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK")));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel")));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help")));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

void CgudMatch::Fill()
{
    if (!m_doc)
        return;
    CdocDoc& doc = *m_doc;
    gudMatchRefresh(doc);
    const CgumRes& res = wxGetApp().m_res;
    auto show = [this](int id, bool on) {
        if (wxWindow* window = FindWindow(id))
            window->Show(on);
    };
    auto setIcon = [this, &res](int id, const wxString& name) {
        if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(FindWindow(id)))
            bitmap->SetIcon(res.GetSensorIcon(name));
    };
    auto setText = [this](int id, const wxString& text) {
        if (wxWindow* window = FindWindow(id))
            window->SetLabel(text);
    };

    int row = 0;
    for (int socket = 0; socket < CxhwSensorV::kCount && row < kRows; ++socket) {
        if (!doc.m_storedPresent[socket])
            continue;
        wxString name, icon;
        gudStoredSensorText(doc.m_fileBoxInfo, socket, name, icon);
        setIcon(StoredIconId(row), icon);
        setText(StoredNameId(row), name);
        show(StoredIconId(row), true);
        show(StoredNameId(row), true);
        const int input = doc.m_matchInput[socket];
        const bool paired = input >= 0;
        if (paired) {
            wxString text;
            gudConnectedSensorText(doc.m_boxInfo, input, doc.m_matchKept[socket], text, icon);
            setIcon(ConnectedIconId(row), icon);
            setText(ConnectedTextId(row), text);
        }
        show(ConnectedIconId(row), paired);
        show(ConnectedTextId(row), paired);
        show(DisableId(row), paired && doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_TUNDRANE);
        ++row;
    }
    for (; row < kRows; ++row)
        for (int id : {StoredIconId(row), StoredNameId(row), ConnectedIconId(row), ConnectedTextId(row), DisableId(row)})
            show(id, false);

    bool disabled = false;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        const CxhwSensor& sensor = doc.m_boxInfo.m_sensors[i];
        disabled = disabled || (sensor.m_idCode != 0 && !sensor.m_enable);
    }
    show(ID_MATCH_REFRESH, disabled);
}

void CgudMatch::Relayout()
{
    Fit();
    Layout();
    GetSizer()->SetSizeHints(this);
}

void CgudMatch::Refresh()
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(m_box);
    bool changed = m_box.m_info.m_changed;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        const CxhwSensor& sensor = m_box.m_sensors[i];
        changed = changed || sensor.m_changedId || sensor.m_changedCal || sensor.m_changedEnable;
    }
    if (!changed)
        return;
    if (m_doc)
        m_doc->m_waitingForFind = false;
    Fill();
    Relayout();
}

void CgudMatch::DisableRowSensor(int row)
{
    if (!m_doc)
        return;
    for (int socket = 0; socket < CxhwSensorV::kCount; ++socket) {
        if (!m_doc->m_storedPresent[socket] || row-- > 0)
            continue;
        const int input = m_doc->m_matchInput[socket];
        CxhwBoxes* boxes = xhwGetBoxes();
        if (input >= 0 && boxes)
            boxes->SetSensorEnable(input, false);
        break;
    }
    Refresh();
}

void CgudMatch::OnDisableRow(wxCommandEvent& event)
{
    const int id = event.GetId();
    DisableRowSensor(id == ID_MATCH_ROW_DISABLE_0 ? 0 : id - ID_MATCH_ROW_DISABLE_1 + 1);
}

void CgudMatch::OnRefreshSensors(wxCommandEvent& event)
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (!m_doc || !boxes)
        return;
    for (int i = 0; i < CxhwSensorV::kCount; ++i)
        if (m_doc->m_boxInfo.m_sensors[i].m_idCode != 0)
            boxes->SetSensorEnable(i, true);
}

void CgudMatch::OnOK(wxCommandEvent& event)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    if (m_doc && !gudMatchAllKept(*m_doc)
        && !zxQuestionBox(_("The connected sensors do not match the template.") + zxNewLine()
                          + _("Would you like to continue anyway?")))
        return;
    EndModal(wxID_OK);
}

void CgudMatch::OnUpdateOK(wxUpdateUIEvent& event)
{
    event.Enable(!m_doc || !m_doc->m_waitingForFind);
}

void CgudMatch::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(_("Match.htm"), this);
}

void CgudMatch::OnTimer(wxTimerEvent& event)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    Refresh();
}

bool gudRunMatchDialog(CdocDoc& doc)
{
    CgudMatch dialog(wxGetApp().m_frame, ID_MATCH_DIALOG, _("Match sensors"));
    CxhwBoxes* boxes = xhwGetBoxes();
    if (boxes)
        boxes->Connect();
    dialog.m_doc = &doc;
    dialog.Fill();
    dialog.Fit();
    dialog.Layout();
    dialog.GetSizer()->SetSizeHints(&dialog);
    gumBeforeShowModal();
    dialog.m_timer.Start(kTimerMs);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    dialog.m_timer.Stop();
    if (boxes)
        boxes->StartSearch();
    return true;
}
