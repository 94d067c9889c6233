#include "dialogs/gudFieldDetails.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "views/gucChannel.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudFieldDetails, wxDialog);

wxBEGIN_EVENT_TABLE(CgudFieldDetails, wxDialog)
    EVT_COMBOBOX(ID_FIELD_DETAILS_CHANNEL, CgudFieldDetails::OnChannel)
wxEND_EVENT_TABLE()

CgudFieldDetails::CgudFieldDetails(wxWindow* parent, wxWindowID id, const wxString& title,
                                   const wxPoint& position, const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudFieldDetails::~CgudFieldDetails() = default;

bool CgudFieldDetails::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                              const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudFieldDetails::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* grid = new wxFlexGridSizer(2, 0, 0);
    grid->AddGrowableCol(1);
    main->Add(grid, 1, wxEXPAND | wxALL, 5);
    auto row = [this, grid](const wxString& label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_STATIC, label), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        grid->Add(control, 1, wxEXPAND | wxALL, 5);
    };
    m_channelCtrl = new CgucChannel(this, ID_FIELD_DETAILS_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    row(_("Channel"), m_channelCtrl);
    auto* name = new wxTextCtrl(this, ID_FIELD_DETAILS_NAME, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                wxTextValidator(wxFILTER_NONE, &m_name), "text");
    name->SetMaxLength(50);
    row(_("Name"), name);
    auto* units = new wxTextCtrl(this, ID_FIELD_DETAILS_UNITS, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                 wxTextValidator(wxFILTER_NONE, &m_units), "text");
    units->SetMaxLength(50);
    row(_("Units"), units);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
}

void CgudFieldDetails::SetChannel(CdocField* field)
{
    m_field = field;
    m_channelCtrl->SelectChannel(field);
    LoadDetails(field);
}

void CgudFieldDetails::LoadDetails(const CdocField* field)
{
    m_name = field ? field->m_name : wxString();
    m_units = field ? field->m_unit : wxString();
}

void CgudFieldDetails::StoreDetails(CdocField& field) const
{
    field.m_name = m_name;
    field.m_unit = m_units;
}

void CgudFieldDetails::OnChannel(wxCommandEvent& event)
{
    TransferDataFromWindow();
    SetChannel(m_channelCtrl->GetSelectedChannel());
    TransferDataToWindow();
}

bool gudEditChannelDetails(CdocDoc* doc, CdocFieldKey& key, bool choose, int mode)
{
    if (!doc || !appIsAllowed(FEATURE_CHANNEL_DETAILS))
        return false;
    CgudFieldDetails dialog(wxGetApp().m_frame, ID_FIELD_DETAILS_DIALOG, _("Channel Details"));
    dialog.m_mode = mode;
    dialog.m_channelCtrl->Clear();
    dialog.m_channelCtrl->m_includeIndex = true;
    dialog.m_channelCtrl->m_includeAllSensors = false;
    dialog.m_channelCtrl->AddChannels(doc);
    dialog.m_channelCtrl->Enable(choose);
    dialog.m_doc = doc;
    CdocField* field = doc->m_data.m_fields.Find(key);
    if (!field)
        return false;
    dialog.SetChannel(field);
    dialog.Fit();
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return false;
    CdocField* edited = dialog.m_field;
    if (choose)
        key = edited ? CdocFieldKey(edited->m_key, -1, edited) : CdocFieldKey();
    if (!edited)
        return true;
    dialog.StoreDetails(*edited);
    CdocGraph& graph = doc->m_graph;
    if (doc->m_state <= DOC_STATE_READY && graph.m_scaleZoomed % 2 == 0)
        graph.DefaultZoom();
    else
        graph.ShareScales();
    doc->ModifyAndUpdateViews(HINT_CHANNEL_CHANGED, nullptr);
    return true;
}
