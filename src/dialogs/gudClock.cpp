#include "dialogs/gudClock.h"

#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "app/gumWindowHelpers.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/datetime.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/valgen.h>

namespace {

// The logger's clock setting.
constexpr int kClockFeature = 14;
constexpr int kTimerId = 1;

} // namespace

bool gudGetLoggerStatus(const CxutBoxPublicInfo& info, int feature, wxString& status, wxString& logger)
{
    xhwGetBoxName(logger, 1, info.m_info);
    if (info.m_info.m_hardware == BOX_TYPE_NONE) {
        status = _("No logger connected");
        return false;
    }
    if (!xutHasFeature(feature, info.m_info)) {
        status = gumGetString(426);
        return false;
    }
    if (info.m_info.m_bootstrapFlag) {
        status = _("Logger is in bootstrap mode");
        return false;
    }
    if (info.m_info.m_loggerBusy) {
        status = _("The logger is busy");
        return false;
    }
    status = _("Connected logger is");
    return true;
}

bool gudWidenStatusLabel(wxStaticText* label)
{
    wxRect display;
    gumGetDisplayArea(label, display);
    const int room = display.width * 8 / 10;
    const int needed = std::min(label->GetTextExtent(label->GetLabel()).x + label->GetCharWidth() * 2, room);
    if (needed <= label->GetMinSize().x)
        return false;
    label->SetMinSize(wxSize(needed, label->GetMinSize().y));
    return true;
}

wxIMPLEMENT_DYNAMIC_CLASS(CgudClock, wxDialog);

wxBEGIN_EVENT_TABLE(CgudClock, wxDialog)
    EVT_INIT_DIALOG(CgudClock::OnInitDialog)
    EVT_TIMER(kTimerId, CgudClock::OnTimer)
    EVT_UPDATE_UI(wxID_OK, CgudClock::OnOkUpdate)
    EVT_BUTTON(wxID_OK, CgudClock::OnOk)
    EVT_BUTTON(wxID_HELP, CgudClock::OnHelp)
    EVT_WINDOW_DESTROY(CgudClock::OnDestroy)
wxEND_EVENT_TABLE()

CgudClock::CgudClock(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudClock::~CgudClock() = default;

bool CgudClock::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudClock::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto line = [this, main](wxString* text) {
        auto* label = new wxStaticText(this, ID_CLOCK_STATUS, _("Static text"), wxDefaultPosition, wxDefaultSize,
                                       wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE, "staticText");
        label->SetValidator(wxGenericValidator(text));
        gumSetWidthInChars(label, 40, 80);
        main->Add(label, 0, wxEXPAND | wxALL, 5);
        return label;
    };
    m_statusLabel = line(&m_statusText);
    m_loggerLabel = line(&m_loggerText);
    main->Add(5, 5, 0, wxALL, 5);

    auto* buttons = new wxStdDialogButtonSizer;
    auto button = [this, buttons](int id, const wxString& text) {
        auto* b = new wxButton(this, id, text, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button");
        buttons->AddButton(b);
        return b;
    };
    button(wxID_OK, _("&Set Clock"))->SetDefault();
    button(wxID_CANCEL, _("&Cancel"));
    button(wxID_HELP, _("&Help"));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
    // The labels start blank: the first refresh fills them at init.
    m_statusText = m_statusLabel->GetLabel();
    m_loggerText = m_loggerLabel->GetLabel();
}

int CgudClock::ShowModal()
{
    m_timer.SetOwner(this, kTimerId);
    m_timer.Start(200);
    gumBeforeShowModal();
    const int result = wxDialog::ShowModal();
    m_timer.Stop();
    return result;
}

bool CgudClock::TransferDataToWindow()
{
    return wxDialog::TransferDataToWindow();
}

void CgudClock::UpdateState()
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(m_boxInfo);
    wxString status;
    wxString logger;
    const bool ready = gudGetLoggerStatus(m_boxInfo, kClockFeature, status, logger);
    // Relabelling only on a change keeps the labels from flickering.
    if (ready == m_ready && status == m_statusText && logger == m_loggerText)
        return;
    if (status != m_statusText)
        m_statusLabel->SetLabel(status);
    if (logger != m_loggerText)
        m_loggerLabel->SetLabel(logger);
    // A long logger name widens the dialog rather than being cut.
    const bool widened = gudWidenStatusLabel(m_statusLabel);
    if (gudWidenStatusLabel(m_loggerLabel) || widened) {
        GetSizer()->SetSizeHints(this);
        Layout();
    }
    m_ready = ready;
    m_statusText = status;
    m_loggerText = logger;
}

bool CgudClock::SetLoggerClock()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_CLOCK;
    if (boxes)
        boxes->PostRequest(request);
    else
        request.m_answer = BOX_ANSWER_FAILED;
    switch (request.m_answer) {
    case BOX_ANSWER_DONE: {
        // The time the box thread wrote, not the time of the click.
        wxString text = gumGetString(896);
        if (request.m_time != CxutBoxRequest::kNoTime)
            text << " " << wxDateTime(wxLongLong(request.m_time)).Format("%c");
        zxInfoBox(text);
        return true;
    }
    case BOX_ANSWER_UNSUPPORTED: zxMessageBox(gumGetString(426)); return false;
    default: zxMessageBox(gumGetString(895)); return false;
    }
}

void CgudClock::OnInitDialog(wxInitDialogEvent& event)
{
    TransferDataToWindow();
    UpdateWindowUI();
    UpdateState();
}

void CgudClock::OnTimer(wxTimerEvent& event)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    UpdateState();
}

void CgudClock::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(m_ready);
}

void CgudClock::OnOk(wxCommandEvent& event)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    if (m_ready && SetLoggerClock())
        EndModal(wxID_OK);
}

void CgudClock::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("Clock.htm"), this);
}

void CgudClock::OnDestroy(wxWindowDestroyEvent& event)
{
    event.Skip();
}
