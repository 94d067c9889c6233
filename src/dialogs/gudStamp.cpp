#include "dialogs/gudStamp.h"

#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "app/gumWindowHelpers.h"
#include "dialogs/gudClock.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

// The logger's name or stamp setting.
constexpr int kStampFeature = 2;
constexpr int kTimerId = 1;
constexpr int kNameLength = 15;

const char* const kNameChars = "01234567890ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const char* const kStampChars = "01234567890 #$-+*/ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

wxString PadLine(const wxString& line)
{
    wxString padded = line.Left(GUD_STAMP_LINE);
    padded.Pad(GUD_STAMP_LINE - padded.length());
    return padded;
}

wxString StampHint()
{
    return _("2 lines of 16 characters - use only: A-Z a-z 0-9 # $ - + * /");
}

wxString StampWarning()
{
    return _("WARNING: Once set, the logger's security stamp cannot be changed");
}

} // namespace

void gudSplitStamp(const wxString& stamp, bool nameMode, wxString& line1, wxString& line2)
{
    if (nameMode) {
        line1 = stamp;
        line2.clear();
        return;
    }
    // Line 2 is what follows the first 16 characters, so that a short stamp
    // is not shown, and written back, on both lines.
    line1 = stamp.Left(GUD_STAMP_LINE);
    line2 = stamp.length() > size_t(GUD_STAMP_LINE) ? stamp.Mid(GUD_STAMP_LINE, GUD_STAMP_LINE) : wxString();
    line1.Trim(true);
    line2.Trim(true);
}

wxString gudJoinStamp(const wxString& line1, const wxString& line2)
{
    return PadLine(line1) + PadLine(line2);
}

wxIMPLEMENT_DYNAMIC_CLASS(CgudStamp, wxDialog);

wxBEGIN_EVENT_TABLE(CgudStamp, wxDialog)
    EVT_INIT_DIALOG(CgudStamp::OnInitDialog)
    EVT_TIMER(kTimerId, CgudStamp::OnTimer)
    EVT_UPDATE_UI(wxID_OK, CgudStamp::OnOkUpdate)
    EVT_BUTTON(wxID_OK, CgudStamp::OnOk)
    EVT_BUTTON(wxID_HELP, CgudStamp::OnHelp)
wxEND_EVENT_TABLE()

CgudStamp::CgudStamp(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudStamp::~CgudStamp() = default;

bool CgudStamp::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudStamp::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto status = [this, main](wxString* text) {
        auto* label = new wxStaticText(this, ID_STAMP_STATUS, _("Static text"), wxDefaultPosition, wxDefaultSize,
                                       wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE, "staticText");
        label->SetValidator(wxGenericValidator(text));
        gumSetWidthInChars(label, 40, 80);
        main->Add(label, 0, wxEXPAND | wxALL, 5);
        return label;
    };
    m_statusLabel = status(&m_statusText);
    m_loggerLabel = status(&m_loggerText);

    auto* caption = new wxStaticText(this, wxID_STATIC, _("Logger's Security Stamp:"), wxDefaultPosition,
                                     wxDefaultSize, 0, "staticText");
    caption->SetToolTip(_("The security stamp is shown on the logger's display"));
    main->Add(caption, 0, wxLEFT | wxRIGHT | wxTOP, 5);

    const wxTextValidator filter1(wxFILTER_INCLUDE_CHAR_LIST, &m_line1);
    m_line1Ctrl = new wxTextCtrl(this, ID_STAMP_LINE1, wxString(), wxDefaultPosition, wxDefaultSize, 0, filter1,
                                 "text");
    main->Add(m_line1Ctrl, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    const wxTextValidator filter2(wxFILTER_INCLUDE_CHAR_LIST, &m_line2);
    m_line2Ctrl = new wxTextCtrl(this, ID_STAMP_LINE2, wxString(), wxDefaultPosition, wxDefaultSize, 0, filter2,
                                 "text");
    m_line2Ctrl->SetToolTip(_("Enter the second line you want displayed on the logger"));
    main->Add(m_line2Ctrl, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);

    m_hintLabel = new wxStaticText(this, wxID_STATIC, StampHint(), wxDefaultPosition, wxDefaultSize,
                                   wxALIGN_RIGHT | wxST_NO_AUTORESIZE, "staticText");
    main->Add(m_hintLabel, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    main->Add(5, 5, 0, wxALL, 5);
    m_warningLabel = new wxStaticText(this, wxID_STATIC, StampWarning(), wxDefaultPosition, wxDefaultSize, 0,
                                      "staticText");
    m_warningLabel->SetForegroundColour(wxColour(255, 0, 0));
    main->Add(m_warningLabel, 0, wxALL, 20);

    auto* buttons = new wxStdDialogButtonSizer;
    for (const auto& [id, text] : {std::pair<int, wxString>{wxID_OK, _("&OK")}, {wxID_CANCEL, _("&Cancel")},
                                   {wxID_HELP, _("&Help")}})
        buttons->AddButton(
            new wxButton(this, id, text, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button"));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);

    // The stamp form at creation; the hint keeps the room of its longer text.
    m_hintLabel->SetMinSize(m_hintLabel->GetBestSize());
    ApplyMode(false);
    m_statusText = m_statusLabel->GetLabel();
    m_loggerText = m_loggerLabel->GetLabel();
}

void CgudStamp::ApplyMode(bool nameMode)
{
    m_hintLabel->SetLabel(nameMode ? _("Use only: A-Z a-z 0-9") : StampHint());
    m_line2Ctrl->Show(!nameMode);
    // A hidden line takes no part in the checks on OK.
    m_line2Ctrl->Enable(!nameMode);
    m_warningLabel->SetLabel(nameMode ? wxString() : StampWarning());
    m_line1Ctrl->SetToolTip(nameMode ? _("Enter the name you want displayed on the logger")
                                     : _("Enter the first line you want displayed on the logger"));
    const wxString chars = nameMode ? kNameChars : kStampChars;
    for (wxTextCtrl* field : {m_line1Ctrl, m_line2Ctrl}) {
        field->SetMaxLength(nameMode ? kNameLength : GUD_STAMP_LINE);
        if (auto* filter = dynamic_cast<wxTextValidator*>(field->GetValidator()))
            filter->SetCharIncludes(chars);
    }
    Layout();
    GetSizer()->SetSizeHints(this);
}

int CgudStamp::ShowModal()
{
    m_timer.SetOwner(this, kTimerId);
    m_timer.Start(200);
    gumBeforeShowModal();
    const int result = wxDialog::ShowModal();
    m_timer.Stop();
    if (result == wxID_OK)
        zxInfoBox(gumGetString(418));
    return result;
}

void CgudStamp::UpdateState()
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->GetPublicInfo(m_boxInfo);
    wxString status;
    wxString logger;
    const bool ready = gudGetLoggerStatus(m_boxInfo, kStampFeature, status, logger);
    const wxString stamp = ready ? m_boxInfo.m_boxStamp : wxString();
    if (ready == m_ready && status == m_statusText && logger == m_loggerText && stamp == m_lastStamp)
        return;

    const bool nameMode = xhwUsesNameStamp(m_boxInfo.m_info.m_hardware);
    // The form first, so that the fields' lengths fit the text they get.
    ApplyMode(nameMode);
    // The user's edits stay until the logger's own text changes.
    if (stamp != m_lastStamp) {
        m_lastStamp = stamp;
        gudSplitStamp(stamp, nameMode, m_line1, m_line2);
        m_line1Ctrl->Clear();
        m_line1Ctrl->AppendText(m_line1);
        m_line2Ctrl->Clear();
        m_line2Ctrl->AppendText(m_line2);
    }
    if (status != m_statusText)
        m_statusLabel->SetLabel(status);
    if (logger != m_loggerText)
        m_loggerLabel->SetLabel(logger);
    gudWidenStatusLabel(m_statusLabel);
    gudWidenStatusLabel(m_loggerLabel);
    m_ready = ready;
    m_statusText = status;
    m_loggerText = logger;
    Layout();
    Fit();
}

bool CgudStamp::SetLoggerStamp()
{
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_NAME;
    if (xhwUsesNameStamp(m_boxInfo.m_info.m_hardware)) {
        if (m_line1.empty()) {
            zxMessageBox(gumGetString(419));
            return false;
        }
        request.m_text = m_line1;
    } else {
        request.m_text = gudJoinStamp(m_line1, m_line2);
    }
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PostRequest(request);
    else
        request.m_answer = BOX_ANSWER_FAILED;
    switch (request.m_answer) {
    case BOX_ANSWER_DONE: return true;
    case BOX_ANSWER_UNSUPPORTED: zxMessageBox(gumGetString(426)); return false;
    default: zxMessageBox(gumGetString(419)); return false;
    }
}

void CgudStamp::OnInitDialog(wxInitDialogEvent& event)
{
    TransferDataToWindow();
    UpdateWindowUI();
    UpdateState();
}

void CgudStamp::OnTimer(wxTimerEvent& event)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    UpdateState();
}

void CgudStamp::OnOkUpdate(wxUpdateUIEvent& event)
{
    event.Enable(m_ready);
}

void CgudStamp::OnOk(wxCommandEvent& event)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    if (m_ready && SetLoggerStamp())
        EndModal(wxID_OK);
}

void CgudStamp::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("Stamp.htm"), this);
}
