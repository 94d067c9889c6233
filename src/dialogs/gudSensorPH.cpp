#include "dialogs/gudSensorPH.h"

#include "app/base/gumHelpers.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"

#include <cmath>
#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>
#include <wx/valtext.h>

namespace {

constexpr int kTimerId = 1;
constexpr int kRefreshMs = 200;
// The logger's answers to a calibration it cannot store.
constexpr int kGainOutOfRange = 14;
constexpr int kOffsetOutOfRange = 15;

bool HasValue(float x)
{
    return !docIsNoValue(x);
}

} // namespace

wxString CgudSensorPH::s_lastCustom;
int CgudSensorPH::s_lastChoice = 0;

wxIMPLEMENT_DYNAMIC_CLASS(CgudSensorPH, wxDialog);

wxBEGIN_EVENT_TABLE(CgudSensorPH, wxDialog)
    EVT_INIT_DIALOG(CgudSensorPH::OnInitDialog)
    EVT_RADIOBUTTON(ID_SENSOR_PH_SINGLE, CgudSensorPH::OnSingle)
    EVT_RADIOBUTTON(ID_SENSOR_PH_TWO, CgudSensorPH::OnTwo)
    EVT_RADIOBUTTON(ID_SENSOR_PH_401, CgudSensorPH::OnBuffer)
    EVT_RADIOBUTTON(ID_SENSOR_PH_1000, CgudSensorPH::OnBuffer)
    EVT_RADIOBUTTON(ID_SENSOR_PH_CUSTOM, CgudSensorPH::OnBuffer)
    EVT_TEXT(ID_SENSOR_PH_BUFFER, CgudSensorPH::OnBufferText)
    EVT_BUTTON(ID_SENSOR_PH_FIRST, CgudSensorPH::OnFirst)
    EVT_BUTTON(ID_SENSOR_PH_SECOND, CgudSensorPH::OnSecond)
    EVT_BUTTON(wxID_OK, CgudSensorPH::OnCalibrate)
    EVT_TIMER(kTimerId, CgudSensorPH::OnTimer)
    EVT_UPDATE_UI(ID_SENSOR_PH_SECOND_GROUP, CgudSensorPH::OnUpdateTwoPoint)
    EVT_UPDATE_UI(ID_SENSOR_PH_401, CgudSensorPH::OnUpdateTwoPoint)
    EVT_UPDATE_UI(ID_SENSOR_PH_1000, CgudSensorPH::OnUpdateTwoPoint)
    EVT_UPDATE_UI(ID_SENSOR_PH_CUSTOM, CgudSensorPH::OnUpdateTwoPoint)
    EVT_UPDATE_UI(ID_SENSOR_PH_SECOND, CgudSensorPH::OnUpdateTwoPoint)
    EVT_UPDATE_UI(ID_SENSOR_PH_BUFFER, CgudSensorPH::OnUpdateBuffer)
    EVT_UPDATE_UI(wxID_OK, CgudSensorPH::OnUpdateCalibrate)
wxEND_EVENT_TABLE()

CgudSensorPH::CgudSensorPH()
    : m_g0(DOC_NO_VALUE), m_o0(DOC_NO_VALUE), m_g(DOC_NO_VALUE), m_o(DOC_NO_VALUE), m_timer(this, kTimerId)
{
}

CgudSensorPH::CgudSensorPH(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                           const wxSize& size, long style)
    : CgudSensorPH()
{
    Create(parent, id, title, position, size, style);
}

CgudSensorPH::~CgudSensorPH()
{
    m_timer.Stop();
}

bool CgudSensorPH::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                          const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudSensorPH::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    main->Add(columns, 1, wxEXPAND | wxALL, 5);
    auto* left = new wxBoxSizer(wxVERTICAL);
    columns->Add(left, 1, wxEXPAND | wxALL, 5);
    auto group = [this](wxWindowID id, const wxString& label, int orient) {
        auto* box = new wxStaticBox(this, id, label, wxDefaultPosition, wxDefaultSize, 0, "groupBox");
        return new wxStaticBoxSizer(box, orient);
    };
    auto button = [this](wxWindowID id, const wxString& label) {
        return new wxButton(this, id, label, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button");
    };
    // Two groups, the method and the second buffer. The handlers keep the
    // flags exclusive as well; the groups are there because GTK can neither
    // clear a radio button nor start one unchecked when it stands alone.
    auto radio = [this](wxWindowID id, const wxString& label, bool* flag) {
        const long style = id == ID_SENSOR_PH_SINGLE || id == ID_SENSOR_PH_401 ? wxRB_GROUP : 0;
        return new wxRadioButton(this, id, label, wxDefaultPosition, wxDefaultSize, style,
                                 wxGenericValidator(flag), "radioButton");
    };

    wxStaticBoxSizer* step1 = group(wxID_ANY, _("Step 1"), wxVERTICAL);
    left->Add(step1, 0, wxEXPAND | wxALL, 5);
    step1->Add(button(ID_SENSOR_PH_FIRST, _("Press this button when the probe is in a solution of pH 7.00")), 0,
               wxEXPAND | wxALL, 5);

    wxStaticBoxSizer* step2 = group(wxID_ANY, _("Step 2"), wxVERTICAL);
    left->Add(step2, 0, wxEXPAND | wxALL, 5);
    step2->Add(radio(ID_SENSOR_PH_SINGLE, _("Single point calibration"), &m_singlePoint), 0, wxALL, 5);
    step2->Add(radio(ID_SENSOR_PH_TWO, _("2 point calibration"), &m_twoPoint), 0, wxALL, 5);
    wxStaticBoxSizer* second = group(ID_SENSOR_PH_SECOND_GROUP, _("Select your 2nd buffer solution"), wxVERTICAL);
    step2->Add(second, 0, wxEXPAND | wxALL, 5);
    second->Add(radio(ID_SENSOR_PH_401, _("pH 4.01"), &m_buffer401), 0, wxALL, 5);
    second->Add(radio(ID_SENSOR_PH_1000, _("pH 10.00"), &m_buffer1000), 0, wxALL, 5);
    auto* customRow = new wxBoxSizer(wxHORIZONTAL);
    second->Add(customRow, 0, wxEXPAND);
    customRow->Add(radio(ID_SENSOR_PH_CUSTOM, _("pH"), &m_bufferCustom), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    wxTextValidator number(wxFILTER_INCLUDE_CHAR_LIST, &m_buffer);
    number.SetCharIncludes("0123456789-+.");
    m_bufferCtrl =
        new wxTextCtrl(this, ID_SENSOR_PH_BUFFER, wxString(), wxDefaultPosition, wxDefaultSize, 0, number, "text");
    customRow->Add(m_bufferCtrl, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    second->Add(button(ID_SENSOR_PH_SECOND, _("Press this button when the probe is in the solution above")), 0,
                wxEXPAND | wxALL, 5);

    auto* right = new wxBoxSizer(wxVERTICAL);
    columns->Add(right, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    right->Add(new wxStaticText(this, wxID_STATIC, _("pH monitor"), wxDefaultPosition, wxDefaultSize, 0,
                                "staticText"),
               0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_monitorCtrl = new wxTextCtrl(this, ID_SENSOR_PH_MONITOR, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY | wxTE_CENTRE, wxTextValidator(wxFILTER_NONE, &m_monitor), "text");
    right->Add(m_monitorCtrl, 0, wxEXPAND | wxALL, 5);

    auto* buttons = new wxStdDialogButtonSizer;
    wxButton* calibrate = button(wxID_OK, _("Calibrate"));
    calibrate->SetDefault();
    buttons->AddButton(calibrate);
    buttons->AddButton(button(wxID_CANCEL, _("&Cancel")));
    buttons->Realize();
    main->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

int CgudSensorPH::ShowModal()
{
    m_timer.Start(kRefreshMs);
    TransferDataToWindow();
    Fit();
    gumBeforeShowModal();
    double value = 0.0;
    if (!gumStringToDouble(s_lastCustom, &value)) {
        const CdocField* field = GetValidChannel();
        s_lastCustom = field ? field->GetValueText(-1, 5.0f) : wxString("5.0");
    }
    m_buffer = s_lastCustom;
    m_buffer401 = s_lastChoice != 1 && s_lastChoice != 2;
    m_buffer1000 = s_lastChoice == 1;
    m_bufferCustom = s_lastChoice == 2;
    const int result = wxDialog::ShowModal();
    if (result == wxID_OK) {
        s_lastCustom = m_buffer;
        s_lastChoice = m_buffer1000 ? 1 : m_bufferCustom ? 2 : 0;
    }
    m_timer.Stop();
    return result;
}

CdocField* CgudSensorPH::GetValidChannel() const
{
    if (!m_doc)
        return nullptr;
    CdocField* field = m_doc->m_data.m_fields.Lookup(m_field);
    if (!field || field->m_content != CONTENT_SENSOR || !field->m_fieldSensor.m_calib.m_fDlgPH)
        return nullptr;
    return field;
}

bool CgudSensorPH::Compute(const CdocField* field, bool reportMissing, bool reportPartial)
{
    if (!field) {
        m_g = m_o = DOC_NO_VALUE;
        m_monitor.clear();
        if (reportMissing || reportPartial)
            zxMessageBox(_("The sensor has been disconnected."));
        return false;
    }
    const CxhwSenCalib& calib = field->m_fieldSensor.m_calib;
    m_g0 = calib.m_gain;
    m_o0 = calib.m_offset;
    m_g = m_g0;
    m_o = m_o0;
    // A present gain of 0 (or none) cannot be rescaled: every new gain would
    // be 0 and the monitor would divide by it.
    const bool usable = m_g0 != 0.0f && std::isfinite(m_g0) && std::isfinite(m_o0);
    bool found = false;
    bool full = false;
    auto shiftFrom = [this, &found](bool taken, float p, float v) {
        if (found || !taken || !HasValue(p) || !HasValue(v))
            return;
        m_g = m_g0;
        m_o = (p + m_o0) - v;
        found = true;
    };
    if (usable && m_twoPoint) {
        if (m_firstTaken && m_secondTaken && m_v1 != m_v2 && HasValue(m_v1) && HasValue(m_v2) && HasValue(m_p1) &&
            HasValue(m_p2) && m_p1 != m_p2) {
            m_g = ((m_p1 - m_p2) * m_g0) / (m_v1 - m_v2);
            m_o = m_p1 - ((m_v1 - m_o0) * m_g) / m_g0;
            found = full = true;
        }
        shiftFrom(m_firstTaken, m_p1, m_v1);
        shiftFrom(m_secondTaken, m_p2, m_v2);
    } else if (usable && m_singlePoint) {
        shiftFrom(m_firstTaken, m_p1, m_v1);
        full = found;
        shiftFrom(m_secondTaken, m_p2, m_v2);
    }
    if (found && (!std::isfinite(m_g) || !std::isfinite(m_o) || m_g == 0.0f)) {
        m_g = m_g0;
        m_o = m_o0;
        found = full = false;
    }
    if ((reportMissing && !found) || (reportPartial && !full))
        zxMessageBox(_("Invalid calibration."));
    const float x = field->m_current;
    float shown = DOC_NO_VALUE;
    if (HasValue(x))
        shown = usable ? ((x - m_o0) * m_g) / m_g0 + m_o : x;
    m_monitor = field->GetValueText(-1, shown);
    return full;
}

bool CgudSensorPH::WriteCalibration(const CdocField& field)
{
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_PH_CALIBRATE;
    request.m_input = field.m_socket;
    request.m_gain = m_g;
    request.m_offset = m_o;
    request.m_answer = BOX_ANSWER_FAILED;
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PostRequest(request);
    if (request.m_answer == BOX_ANSWER_DONE)
        return true;
    if (request.m_result == kGainOutOfRange || request.m_result == kOffsetOutOfRange) {
        zxMessageBox(_("Calibration out of range."));
        return false;
    }
    // The user is told why, so that nobody tries again where it cannot work.
    wxString reason;
    if (request.m_answer == BOX_ANSWER_UNSUPPORTED || !m_doc || !xhwCanCalibratePh(m_doc->m_boxInfo.m_info.m_hardware))
        reason = _("This logger cannot store a calibration in the sensor.");
    else if (request.m_result == 0)
        reason = _("The logger did not answer. Check that it is still connected, then try again.");
    else
        reason = wxString::Format(_("The logger did not accept the calibration (error %d)."), int(request.m_result));
    zxMessageBox(_("Unable to set sensor calibration.") + "\n\n" + reason);
    return false;
}

void CgudSensorPH::RefreshMonitor()
{
    const CdocField* field = GetValidChannel();
    if (!field) {
        m_timer.Stop();
        Compute(nullptr, true, true);
        Finish(wxID_CANCEL);
        return;
    }
    Compute(field, false, false);
    m_monitorCtrl->ChangeValue(m_monitor);
}

void CgudSensorPH::Finish(int code)
{
    if (IsModal()) {
        EndModal(code);
        return;
    }
    CallAfter([this, code] {
        if (IsModal())
            EndModal(code);
    });
}

void CgudSensorPH::OnInitDialog(wxInitDialogEvent& event)
{
    TransferDataToWindow();
    UpdateWindowUI(wxUPDATE_UI_RECURSE);
    RefreshMonitor();
}

void CgudSensorPH::OnSingle(wxCommandEvent& event)
{
    const bool was = m_singlePoint;
    TransferDataFromWindow();
    if (!was)
        m_secondTaken = false;
    m_singlePoint = true;
    m_twoPoint = false;
    TransferDataToWindow();
}

void CgudSensorPH::OnTwo(wxCommandEvent& event)
{
    const bool was = m_twoPoint;
    TransferDataFromWindow();
    if (!was)
        m_secondTaken = false;
    m_twoPoint = true;
    m_singlePoint = false;
    TransferDataToWindow();
}

void CgudSensorPH::ChooseBuffer(bool* flag)
{
    const bool was = *flag;
    TransferDataFromWindow();
    if (!was)
        m_secondTaken = false;
    m_buffer401 = flag == &m_buffer401;
    m_buffer1000 = flag == &m_buffer1000;
    m_bufferCustom = flag == &m_bufferCustom;
    TransferDataToWindow();
}

void CgudSensorPH::OnBuffer(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case ID_SENSOR_PH_1000: ChooseBuffer(&m_buffer1000); break;
    case ID_SENSOR_PH_CUSTOM: ChooseBuffer(&m_bufferCustom); break;
    default: ChooseBuffer(&m_buffer401); break;
    }
}

void CgudSensorPH::OnBufferText(wxCommandEvent& event)
{
    if (!m_secondTaken || !m_twoPoint || !m_bufferCustom)
        return;
    // Only the buffer text is read: the other controls may be half way
    // through a transfer to the window.
    m_buffer = m_bufferCtrl->GetValue();
    double value = 0.0;
    if (!gumStringToDouble(m_buffer, &value) || float(value) != m_p2)
        m_secondTaken = false;
}

void CgudSensorPH::TakePoint(bool second)
{
    TransferDataFromWindow();
    const CdocField* field = GetValidChannel();
    const float reading = field && HasValue(field->m_current) ? field->m_current : DOC_NO_VALUE;
    if (second) {
        m_secondTaken = true;
        double value = 0.0;
        if (m_buffer401)
            m_p2 = 4.01f;
        else if (m_buffer1000)
            m_p2 = 10.0f;
        else
            m_p2 = gumStringToDouble(m_buffer, &value) ? float(value) : DOC_NO_VALUE;
        m_v2 = reading;
    } else {
        m_firstTaken = true;
        m_p1 = 7.0f;
        m_v1 = reading;
    }
    if (!Compute(field, true, false) && !field) {
        Finish(wxID_CANCEL);
        return;
    }
    TransferDataToWindow();
}

void CgudSensorPH::OnFirst(wxCommandEvent& event)
{
    TakePoint(false);
}

void CgudSensorPH::OnSecond(wxCommandEvent& event)
{
    TakePoint(true);
}

void CgudSensorPH::OnCalibrate(wxCommandEvent& event)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    const CdocField* field = GetValidChannel();
    if (Compute(field, true, true)) {
        if (WriteCalibration(*field))
            Finish(wxID_OK);
    } else if (!field) {
        Finish(wxID_CANCEL);
    }
}

void CgudSensorPH::OnTimer(wxTimerEvent& event)
{
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->PumpBluetooth();
    RefreshMonitor();
}

void CgudSensorPH::OnUpdateTwoPoint(wxUpdateUIEvent& event)
{
    event.Enable(m_twoPoint);
}

void CgudSensorPH::OnUpdateBuffer(wxUpdateUIEvent& event)
{
    event.Enable(m_twoPoint && m_bufferCustom);
}

void CgudSensorPH::OnUpdateCalibrate(wxUpdateUIEvent& event)
{
    event.Enable(m_firstTaken && (m_singlePoint || m_secondTaken));
}

bool gudCanCalibratePH(CdocDoc* doc, const CdocFieldKey& key)
{
    if (!doc || doc->m_state > DOC_STATE_READY)
        return false;
    const CdocField* field = doc->m_data.m_fields.Lookup(key);
    return field && field->m_content == CONTENT_SENSOR && field->m_fieldSensor.m_calib.m_fDlgPH;
}

bool gudCalibratePH(CdocDoc* doc, const CdocFieldKey& key)
{
    if (!gudCanCalibratePH(doc, key))
        return false;
    CgudSensorPH dialog(wxGetApp().m_frame, ID_SENSOR_PH_DIALOG, _("pH Calibration"));
    dialog.m_doc = doc;
    dialog.m_field = key;
    return dialog.ShowModal() == wxID_OK;
}
