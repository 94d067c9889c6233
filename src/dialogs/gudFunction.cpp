#include "dialogs/gudFunction.h"

#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/gbsizer.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/valgen.h>

namespace {

struct Function
{
    int code;
    const char* label;
    bool twoChannels;
};

const Function kFunctions[] = {
    {FUNCTION_FIT, wxTRANSLATE("Best Straight Line Fit"), false},
    {FUNCTION_GRADIENT, wxTRANSLATE("Differentiate"), false},
    {FUNCTION_AREA, wxTRANSLATE("Integrate"), false},
    {FUNCTION_DIFFERENCE, wxTRANSLATE("Difference (a - b)"), true},
    {FUNCTION_PRODUCT, wxTRANSLATE("Product (a * b)"), true},
};

bool UsesChannelB(int function)
{
    return function == FUNCTION_DIFFERENCE || function == FUNCTION_PRODUCT;
}

wxStaticText* MakeLabel(wxWindow* parent, int id, const wxString& text)
{
    return new wxStaticText(parent, id, text, wxDefaultPosition, wxDefaultSize, 0, "staticText");
}

CdocFieldKey KeyOf(CdocField* field)
{
    return field ? CdocFieldKey(field->m_key, -1, field) : CdocFieldKey();
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudFunction, wxDialog);

wxBEGIN_EVENT_TABLE(CgudFunction, wxDialog)
    EVT_COMBOBOX(ID_FUNCTION_CHANNEL_A, CgudFunction::OnChange)
    EVT_COMBOBOX(ID_FUNCTION_CHANNEL_B, CgudFunction::OnChange)
    EVT_CHOICE(ID_FUNCTION_CHOICE, CgudFunction::OnChange)
    EVT_UPDATE_UI(wxID_OK, CgudFunction::OnOkUpdate)
    EVT_BUTTON(wxID_HELP, CgudFunction::OnHelp)
wxEND_EVENT_TABLE()

CgudFunction::CgudFunction() = default;

CgudFunction::CgudFunction(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                           const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudFunction::~CgudFunction() = default;

bool CgudFunction::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                          const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->Fit(this);
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudFunction::CreateControls()
{
    m_mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(m_mainSizer);
    const wxString intro = _("Create a new channel containing values calculated using the selected function");
    m_mainSizer->Add(MakeLabel(this, wxID_STATIC, intro), 0, wxEXPAND | wxALL, 10);

    auto* grid = new wxGridBagSizer(0, 0);
    grid->SetEmptyCellSize(wxSize(10, 20));
    m_mainSizer->Add(grid, 0, wxEXPAND | wxALL, 5);
    m_labelA = MakeLabel(this, ID_FUNCTION_LABEL_A, _("Channel a"));
    grid->Add(m_labelA, wxGBPosition(1, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_channelBCtrl = new CgucChannel(this, ID_FUNCTION_CHANNEL_B, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxArrayString(), wxCB_READONLY);
    grid->Add(m_channelBCtrl, wxGBPosition(2, 1), wxDefaultSpan, wxEXPAND | wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_channelACtrl = new CgucChannel(this, ID_FUNCTION_CHANNEL_A, wxString(), wxDefaultPosition, wxDefaultSize,
                                     wxArrayString(), wxCB_READONLY);
    grid->Add(m_channelACtrl, wxGBPosition(1, 1), wxDefaultSpan, wxEXPAND | wxALIGN_CENTER_VERTICAL | wxALL, 5);
    grid->Add(MakeLabel(this, wxID_STATIC, _("Function")), wxGBPosition(0, 0), wxDefaultSpan,
              wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_functionCtrl = new wxChoice(this, ID_FUNCTION_CHOICE, wxDefaultPosition, wxDefaultSize, wxArrayString(), 0,
                                  wxDefaultValidator, "choice");
    grid->Add(m_functionCtrl, wxGBPosition(0, 1), wxDefaultSpan, wxEXPAND | wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_labelB = MakeLabel(this, ID_FUNCTION_LABEL_B, _("Channel b"));
    grid->Add(m_labelB, wxGBPosition(2, 0), wxDefaultSpan, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    grid->AddGrowableRow(1);
    grid->AddGrowableCol(1);

    auto* description = new wxStaticText(this, wxID_STATIC, intro, wxDefaultPosition, wxDefaultSize,
                                         wxST_NO_AUTORESIZE, "staticText");
    description->SetValidator(wxGenericValidator(&m_description));
    m_mainSizer->Add(description, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->Realize();
    m_mainSizer->Add(buttons, 0, wxEXPAND | wxALL, 5);
}

CdocField* CgudFunction::GetXChannel() const
{
    if (!m_doc)
        return nullptr;
    if (CdocField* x = m_doc->m_graph.GetFieldX())
        return x;
    return GetTimeChannel();
}

CdocField* CgudFunction::GetTimeChannel() const
{
    if (!m_doc)
        return nullptr;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    CdocFieldKey key;
    if (fields.FindContent(key, 0, CONTENT_ELAPSED_TIME) || fields.FindContent(key, 0, CONTENT_READING))
        return fields.Find(key);
    return nullptr;
}

bool CgudFunction::IsChannelAllowed(int function, const CdocField* field) const
{
    if (!field)
        return false;
    switch (function) {
    case FUNCTION_FIT: return field != GetXChannel();
    case FUNCTION_GRADIENT:
    case FUNCTION_AREA: return field != GetTimeChannel();
    default: return true;
    }
}

CdocField* CgudFunction::DefaultChannelB(int function, CdocField* a, CdocField* b) const
{
    if (!UsesChannelB(function) || b || !a || !m_doc)
        return b;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    const int at = fields.IndexOf(a);
    if (at < 0)
        return b;
    if (CdocField* next = fields.GetAt(at + 1))
        return next;
    return fields.GetAt(at - 1);
}

wxString CgudFunction::Letter(const CdocField* field) const
{
    if (!field || !m_doc)
        return wxString();
    return field->GetLetter(m_doc->m_data.m_fields.GetLetterNumber(field));
}

void CgudFunction::BuildDescription(int function, const CdocField* a, const CdocField* b)
{
    const wxString opening = wxGetTranslation(" \"");
    const wxString respect = wxGetTranslation("\" with respect to \"");
    const wxString joining = wxGetTranslation("\" and \"");
    const wxString closing = wxGetTranslation("\"");
    const wxString duplicate = wxGetTranslation("Duplicate \"");
    const wxString nameA = a ? Letter(a) : _("Channel?");
    const wxString nameB = b ? Letter(b) : _("Channel?");
    const CdocField* x = GetXChannel();
    const wxString nameX = x ? Letter(x) : _("Graph X axis");
    switch (function) {
    case FUNCTION_DUPLICATE: m_description = duplicate + nameA + closing; break;
    case FUNCTION_FIT: m_description = _("Best straight line fit to") + opening + nameA + respect + nameX + closing; break;
    case FUNCTION_GRADIENT: m_description = gumGetString(2483); break;
    case FUNCTION_AREA: m_description = gumGetString(2484); break;
    case FUNCTION_DIFFERENCE:
        m_description = _("Difference between") + opening + nameA + joining + nameB + closing;
        break;
    case FUNCTION_PRODUCT: m_description = _("Product of") + opening + nameA + joining + nameB + closing; break;
    default: m_description.clear(); break;
    }
}

CdocField* CgudFunction::LastAllowed(int function) const
{
    if (!m_doc)
        return nullptr;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = fields.GetCount() - 1; i >= 0; --i)
        if (IsChannelAllowed(function, fields.GetAt(i)))
            return fields.GetAt(i);
    return nullptr;
}

int CgudFunction::SelectedFunction() const
{
    const int item = m_functionCtrl->GetSelection();
    if (item == wxNOT_FOUND)
        return 0;
    const auto* function = static_cast<const Function*>(m_functionCtrl->GetClientData(unsigned(item)));
    return function ? function->code : 0;
}

void CgudFunction::FillFunctions()
{
    m_functionCtrl->Clear();
    const bool twoChannels = appIsAllowed(FEATURE_TWO_CHANNEL_FUNCTIONS);
    for (const Function& function : kFunctions) {
        if (function.twoChannels && !twoChannels)
            continue;
        const int item = m_functionCtrl->Append(wxGetTranslation(function.label),
                                                const_cast<void*>(static_cast<const void*>(&function)));
        if (function.code == m_function)
            m_functionCtrl->SetSelection(item);
    }
}

void CgudFunction::FillChannelsA()
{
    m_channelACtrl->Clear();
    if (m_doc) {
        const CdocFieldV& fields = m_doc->m_data.m_fields;
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (IsChannelAllowed(m_function, field))
                m_channelACtrl->Append(gucChannelTitle(*m_doc, *field), static_cast<void*>(field));
        }
    }
    if (!m_fieldA || m_channelACtrl->SelectChannel(m_fieldA) < 0)
        m_channelACtrl->SetSelection(wxNOT_FOUND);
    m_channelACtrl->Enable();
}

void CgudFunction::FillChannelsB()
{
    m_channelBCtrl->Clear();
    if (m_doc) {
        const CdocFieldV& fields = m_doc->m_data.m_fields;
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (field)
                m_channelBCtrl->Append(gucChannelTitle(*m_doc, *field), static_cast<void*>(field));
        }
    }
    if (!m_fieldB || m_channelBCtrl->SelectChannel(m_fieldB) < 0)
        m_channelBCtrl->SetSelection(wxNOT_FOUND);
    m_channelBCtrl->Enable();
}

bool CgudFunction::TransferDataToWindow()
{
    if (!IsChannelAllowed(m_function, m_fieldA))
        m_fieldA = LastAllowed(m_function);
    m_fieldB = DefaultChannelB(m_function, m_fieldA, m_fieldB);
    BuildDescription(m_function, m_fieldA, m_fieldB);
    FillFunctions();
    FillChannelsA();
    FillChannelsB();
    const bool two = UsesChannelB(m_function);
    m_labelA->SetLabel(two ? _("Channel a") : _("Channel"));
    m_labelB->Show(two);
    m_channelBCtrl->Show(two);
    const bool done = wxDialog::TransferDataToWindow();
    m_mainSizer->Layout();
    m_mainSizer->SetSizeHints(this);
    m_mainSizer->Fit(this);
    return done;
}

bool CgudFunction::TransferDataFromWindow()
{
    const bool done = wxDialog::TransferDataFromWindow();
    m_function = SelectedFunction();
    m_fieldA = m_channelACtrl->GetSelectedChannel();
    m_fieldB = m_channelBCtrl->GetSelectedChannel();
    if (!IsChannelAllowed(m_function, m_fieldA))
        m_fieldA = LastAllowed(m_function);
    m_fieldB = DefaultChannelB(m_function, m_fieldA, m_fieldB);
    return done;
}

void CgudFunction::OnChange(wxCommandEvent& event)
{
    TransferDataFromWindow();
    TransferDataToWindow();
}

void CgudFunction::OnOkUpdate(wxUpdateUIEvent& event)
{
    const int function = SelectedFunction();
    bool ok = IsChannelAllowed(function, m_channelACtrl->GetSelectedChannel());
    if (UsesChannelB(function))
        ok = ok && m_channelBCtrl->GetSelectedChannel();
    event.Enable(ok);
}

void CgudFunction::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(_("Function.htm"), this);
}

bool gudFunctionPlot(CdocDoc* doc, CdocFieldKey& key)
{
    if (!doc || !appIsAllowed(FEATURE_FUNCTION_PLOT))
        return false;
    CgudFunction dialog(wxGetApp().m_frame, ID_FUNCTION_DIALOG, _("Function"));
    dialog.m_doc = doc;
    dialog.m_function = FUNCTION_FIT;
    dialog.m_fieldA = doc->m_data.m_fields.Find(key);
    dialog.m_fieldB = nullptr;
    if (!dialog.m_fieldA)
        return false;
    dialog.m_fieldB = dialog.DefaultChannelB(FUNCTION_FIT, dialog.m_fieldA, nullptr);
    dialog.TransferDataToWindow();
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const int function = dialog.m_function;
    if (!dialog.IsChannelAllowed(function, dialog.m_fieldA) || (UsesChannelB(function) && !dialog.m_fieldB))
        return false;
    if (!doc->m_data.CreateFunctionField(KeyOf(dialog.m_fieldA), KeyOf(dialog.m_fieldB), function, nullptr))
        zxMessageBox(gumGetString(692));
    return true;
}
