#include "dialogs/gudTare.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "app/base/gumHelpers.h"
#include "document/docDoc.h"
#include "views/gucChannel.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace {

wxTextValidator NumberValidator(wxString* text)
{
    wxTextValidator validator(wxFILTER_INCLUDE_CHAR_LIST, text);
    validator.SetCharIncludes("0123456789-+.");
    return validator;
}

bool IsNumber(const wxString& text, double* value)
{
    return gumStringToDouble(text, value);
}

bool IsTimeContent(int content)
{
    return content == CONTENT_READING || content == CONTENT_ELAPSED_TIME;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudTare, wxDialog);

wxBEGIN_EVENT_TABLE(CgudTare, wxDialog)
    EVT_COMBOBOX(ID_TARE_CHANNEL, CgudTare::OnChannel)
    EVT_UPDATE_UI(wxID_OK, CgudTare::OnUpdateOk)
    EVT_BUTTON(wxID_HELP, CgudTare::OnHelp)
wxEND_EVENT_TABLE()

CgudTare::CgudTare(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                   const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudTare::~CgudTare() = default;

bool CgudTare::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                      const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudTare::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* grid = new wxFlexGridSizer(3, 2, 0, 0);
    grid->AddGrowableCol(1);
    main->Add(grid, 1, wxEXPAND | wxALL, 5);
    auto row = [this, grid](const wxString& label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_STATIC, label, wxDefaultPosition, wxDefaultSize, 0, "staticText"), 0,
                  wxALIGN_CENTER_VERTICAL | wxALL, 5);
        grid->Add(control, 1, wxEXPAND | wxALL, 5);
    };
    m_channelCtrl = new CgucChannel(this, ID_TARE_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    row(_("Channel"), m_channelCtrl);
    m_fromCtrl = new wxTextCtrl(this, ID_TARE_FROM, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                NumberValidator(&m_from), "text");
    row(_("Tare from"), m_fromCtrl);
    m_toCtrl = new wxTextCtrl(this, ID_TARE_TO, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                              NumberValidator(&m_to), "text");
    row(_("Tare to"), m_toCtrl);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL | wxHELP), 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
}

void CgudTare::SetChannel(CdocField* field)
{
    m_field = field;
    m_channelCtrl->SelectChannel(field);
    if (!field)
        return;
    float x = DOC_NO_VALUE;
    bool fromTool = false;
    if (m_doc) {
        const CdocDoc& doc = *m_doc;
        const CdocTool& tool = doc.m_tool;
        const bool fastRun = doc.m_activity == ACTIVITY_FAST && doc.m_data.m_logNext > 0;
        CdocField* axisX = m_doc->m_graph.GetFieldX();
        if (tool.m_now.m_active && tool.m_now.m_tool == TOOL_READING &&
            (!IsTimeContent(field->m_content) || (axisX && IsTimeContent(axisX->m_content)))) {
            wxString text;
            x = tool.GetReadingAtCursor(text, field);
            fromTool = !docIsNoValue(x);
        }
        if (fromTool) {
            if (doc.m_state == DOC_STATE_FETCHING && fastRun)
                x = field->m_current;
        } else if ((doc.m_state == DOC_STATE_FETCHING || doc.m_state == DOC_STATE_RUNNING) && fastRun) {
            x = field->m_current;
        } else {
            x = DOC_NO_VALUE;
        }
    }
    m_from = m_to = field->GetValueText(-1, docIsNoValue(x) ? 0.0f : x);
    m_selectTo = true;
}

bool CgudTare::TransferDataToWindow()
{
    const bool ok = wxDialog::TransferDataToWindow();
    if (m_selectTo) {
        m_selectTo = false;
        if (m_toCtrl->IsEnabled()) {
            m_toCtrl->SetFocus();
            m_toCtrl->SelectAll();
        }
    }
    return ok;
}

void CgudTare::OnChannel(wxCommandEvent& event)
{
    TransferDataFromWindow();
    SetChannel(m_channelCtrl->GetSelectedChannel());
    TransferDataToWindow();
}

void CgudTare::OnUpdateOk(wxUpdateUIEvent& event)
{
    double value = 0.0;
    event.Enable(IsNumber(m_from, &value) && IsNumber(m_to, &value) && m_channelCtrl->GetSelectedChannel());
}

bool gudTareChannel(CdocDoc* doc, CdocFieldKey& key, bool choose)
{
    if (!doc)
        return false;
    CgudTare dialog(wxGetApp().m_frame, ID_TARE_DIALOG, _("Tare"));
    dialog.m_doc = doc;
    dialog.m_channelCtrl->Clear();
    dialog.m_channelCtrl->m_includeIndex = true;
    dialog.m_channelCtrl->m_includeAllSensors = false;
    dialog.m_channelCtrl->AddChannels(doc);
    dialog.m_channelCtrl->Enable(choose);
    CdocField* field = doc->m_data.m_fields.Find(key);
    if (!field)
        return false;
    dialog.SetChannel(field);
    dialog.Fit();
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return false;
    CdocField* chosen = dialog.m_channelCtrl->GetSelectedChannel();
    if (choose)
        key = chosen ? CdocFieldKey(chosen->m_key, -1, chosen) : CdocFieldKey();
    double from = 0.0;
    double to = 0.0;
    if (!chosen || !IsNumber(dialog.m_from, &from) || !IsNumber(dialog.m_to, &to))
        return false;
    return doc->m_data.TareField(key, float(to - from));
}

void CgudTare::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(wxGetTranslation("Tare.htm"), this);
}
