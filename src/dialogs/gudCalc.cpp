#include "dialogs/gudCalc.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "dialogs/gucListChannel.h"
#include "document/docDoc.h"
#include "transport/zxMessageBox.h"
#include "views/gucChannel.h"

#include <algorithm>
#include <vector>
#include <wx/button.h>
#include <wx/gbsizer.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace {

struct Key
{
    int id;
    const char* label;
    const char* tip;
    int row;
    int column;
};

// In the order of creation, which is the tab order.
const Key kKeys[] = {
    {ID_CALC_KEY_SQRT, wxTRANSLATE("&sqrt"), wxTRANSLATE("square root of"), 0, 0},
    {ID_CALC_KEY_OPEN, wxTRANSLATE("&("), wxTRANSLATE("open bracket"), 0, 2},
    {ID_CALC_KEY_CLOSE, wxTRANSLATE("&)"), wxTRANSLATE("close bracket"), 0, 3},
    {ID_CALC_KEY_7, wxTRANSLATE("&7"), nullptr, 1, 2},
    {ID_CALC_KEY_8, wxTRANSLATE("&8"), nullptr, 1, 3},
    {ID_CALC_KEY_9, wxTRANSLATE("&9"), nullptr, 1, 4},
    {ID_CALC_KEY_4, wxTRANSLATE("&4"), nullptr, 2, 2},
    {ID_CALC_KEY_5, wxTRANSLATE("&5"), nullptr, 2, 3},
    {ID_CALC_KEY_6, wxTRANSLATE("&6"), nullptr, 2, 4},
    {ID_CALC_KEY_1, wxTRANSLATE("&1"), nullptr, 3, 2},
    {ID_CALC_KEY_2, wxTRANSLATE("&2"), nullptr, 3, 3},
    {ID_CALC_KEY_3, wxTRANSLATE("&3"), nullptr, 3, 4},
    {ID_CALC_KEY_0, wxTRANSLATE("&0"), nullptr, 4, 2},
    {ID_CALC_KEY_POINT, wxTRANSLATE("&."), nullptr, 4, 4},
    {ID_CALC_KEY_POWER, wxTRANSLATE("&^"), wxTRANSLATE("raise to the power of"), 0, 6},
    {ID_CALC_KEY_DIVIDE, wxTRANSLATE("&/"), wxTRANSLATE("divide by"), 1, 6},
    {ID_CALC_KEY_MULTIPLY, wxTRANSLATE("&*"), wxTRANSLATE("multiply by"), 2, 6},
    {ID_CALC_KEY_SUBTRACT, wxTRANSLATE("&-"), wxTRANSLATE("subtract"), 3, 6},
    {ID_CALC_KEY_ADD, wxTRANSLATE("&+"), wxTRANSLATE("add"), 4, 6},
};

// The digit of a digit key; -1 for every other key.
int DigitOf(int id)
{
    switch (id) {
    case ID_CALC_KEY_0: return 0;
    case ID_CALC_KEY_1: return 1;
    case ID_CALC_KEY_2: return 2;
    case ID_CALC_KEY_3: return 3;
    case ID_CALC_KEY_4: return 4;
    case ID_CALC_KEY_5: return 5;
    case ID_CALC_KEY_6: return 6;
    case ID_CALC_KEY_7: return 7;
    case ID_CALC_KEY_8: return 8;
    case ID_CALC_KEY_9: return 9;
    default: return -1;
    }
}

wxButton* MakeButton(wxWindow* parent, int id, const wxString& label)
{
    return new wxButton(parent, id, label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT, wxDefaultValidator,
                        "button");
}

wxStaticLine* MakeLine(wxWindow* parent, long style)
{
    return new wxStaticLine(parent, wxID_STATIC, wxDefaultPosition, wxDefaultSize, style, "staticLine");
}

CdocField* LastFormulaChannel(const CdocFieldV& fields)
{
    for (int i = fields.GetCount() - 1; i >= 0; --i) {
        CdocField* field = fields.GetAt(i);
        if (field && field->m_content == CONTENT_FORMULA)
            return field;
    }
    return nullptr;
}

wxString TitleOf(const CdocDoc* doc, const CdocField* field)
{
    if (!field)
        return wxString();
    return doc ? gucChannelTitle(*doc, *field) : field->GetTitle(0);
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgudCalc, wxDialog);

wxBEGIN_EVENT_TABLE(CgudCalc, wxDialog)
    EVT_COMBOBOX(ID_CALC_CHANNEL, CgudCalc::OnChannelChosen)
    EVT_BUTTON(ID_CALC_NEW, CgudCalc::OnNew)
    EVT_LIST_ITEM_SELECTED(ID_CALC_LIST, CgudCalc::OnListSelected)
    EVT_COMMAND_RANGE(ID_CALC_KEY_ADD, ID_CALC_KEY_SQRT, wxEVT_BUTTON, CgudCalc::OnKey)
    EVT_BUTTON(ID_CALC_KEY_DELETE, CgudCalc::OnKey)
    EVT_UPDATE_UI_RANGE(ID_CALC_KEY_ADD, ID_CALC_KEY_SQRT, CgudCalc::OnUpdateKey)
    EVT_UPDATE_UI(ID_CALC_KEY_DELETE, CgudCalc::OnUpdateKey)
    EVT_BUTTON(wxID_OK, CgudCalc::OnOk)
    EVT_BUTTON(wxID_HELP, CgudCalc::OnHelp)
wxEND_EVENT_TABLE()

CgudCalc::CgudCalc() = default;

CgudCalc::CgudCalc(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                   const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudCalc::~CgudCalc() = default;

bool CgudCalc::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
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

void CgudCalc::CreateControls()
{
    m_mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(m_mainSizer);

    auto* top = new wxBoxSizer(wxVERTICAL);
    m_mainSizer->Add(top, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);
    top->Add(new wxStaticText(this, ID_CALC_CHANNEL_LABEL, _("Channel"), wxDefaultPosition, wxDefaultSize, 0,
                              "staticText"),
             0, wxLEFT | wxRIGHT | wxTOP, 5);
    auto* chooserRow = new wxBoxSizer(wxHORIZONTAL);
    top->Add(chooserRow, 0, wxEXPAND);
    m_channelCtrl = new CgucChannel(this, ID_CALC_CHANNEL, wxString(), wxDefaultPosition, wxDefaultSize,
                                    wxArrayString(), wxCB_READONLY);
    chooserRow->Add(m_channelCtrl, 1, wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP | wxBOTTOM, 5);
    chooserRow->Add(MakeButton(this, ID_CALC_NEW, _("New")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    top->Add(MakeLine(this, wxLI_HORIZONTAL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    top->Add(new wxStaticText(this, ID_CALC_FORMULA_LABEL, _("Formula"), wxDefaultPosition, wxDefaultSize, 0,
                              "staticText"),
             0, wxLEFT | wxRIGHT | wxTOP, 5);
    auto* text = new wxTextCtrl(this, ID_CALC_FORMULA, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_READONLY,
                                wxTextValidator(wxFILTER_NONE, &m_formula), "text");
    top->Add(text, 0, wxEXPAND | wxALL, 5);

    auto* lower = new wxBoxSizer(wxHORIZONTAL);
    m_mainSizer->Add(lower, 1, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    m_list = new CgucListChannel(this, ID_CALC_LIST, wxDefaultPosition, wxSize(100, 100),
                                 wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL);
    lower->Add(m_list, 1, wxEXPAND | wxLEFT | wxTOP, 5);

    auto* keypadBox = new wxBoxSizer(wxVERTICAL);
    lower->Add(keypadBox, 1, wxALL, 5);
    auto* grid = new wxGridBagSizer(0, 0);
    grid->SetEmptyCellSize(wxSize(10, 20));
    keypadBox->Add(grid, 0, wxALIGN_RIGHT);
    wxSize common(0, 0);
    std::vector<wxButton*> uniform;
    for (const Key& key : kKeys) {
        wxButton* button = MakeButton(this, key.id, wxGetTranslation(key.label));
        if (key.tip)
            button->SetToolTip(wxGetTranslation(key.tip));
        grid->Add(button, wxGBPosition(key.row, key.column), wxDefaultSpan, wxALIGN_CENTER | wxALL, 2);
        if (key.id != ID_CALC_KEY_SQRT) {
            uniform.push_back(button);
            common.IncTo(button->GetBestSize());
        }
    }
    for (wxButton* button : uniform) {
        button->SetMinSize(common);
        button->SetMaxSize(common);
    }
    grid->Add(MakeLine(this, wxLI_VERTICAL), wxGBPosition(0, 1), wxGBSpan(5, 1), wxEXPAND | wxALL, 5);
    grid->Add(MakeLine(this, wxLI_VERTICAL), wxGBPosition(0, 5), wxGBSpan(5, 1), wxEXPAND | wxALL, 5);
    grid->Add(MakeLine(this, wxLI_HORIZONTAL), wxGBPosition(5, 1), wxGBSpan(1, 6), wxEXPAND | wxALL, 5);
    wxButton* remove = MakeButton(this, ID_CALC_KEY_DELETE, _("&Delete"));
    remove->SetToolTip(_("delete last item in formula"));
    keypadBox->Add(remove, 0, wxALIGN_RIGHT | wxALL, 5);

    m_mainSizer->Add(MakeLine(this, wxLI_HORIZONTAL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 5);
    auto* buttons = new wxStdDialogButtonSizer;
    buttons->AddButton(new wxButton(this, wxID_OK, _("&OK"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, _("&Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->AddButton(new wxButton(this, wxID_HELP, _("&Help"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "button"));
    buttons->Realize();
    m_mainSizer->Add(buttons, 0, wxEXPAND | wxALL, 5);

    text->Bind(wxEVT_SET_FOCUS, &CgudCalc::OnTextFocus, this);
    m_list->Bind(wxEVT_LEFT_DCLICK, &CgudCalc::OnListDoubleClick, this);
}

void CgudCalc::SetChannel(CdocField* field)
{
    m_field = field;
    const CdocCalc* stored = m_doc ? m_doc->m_calcs.FindByChannel(field) : nullptr;
    if (stored)
        m_calc = *stored;
    else
        m_calc.Reset();
    m_calc.m_doc = m_doc;
    m_calc.m_field = field ? CdocFieldKey(field->m_key, -1, field) : CdocFieldKey();
    UpdateFormulaText();
    m_calc.m_modified = false;
}

void CgudCalc::UpdateFormulaText()
{
    m_calc.GetFormulaText(m_formula);
}

void CgudCalc::CommitFormulas()
{
    CdocCalcs& calcs = m_doc->m_calcs;
    calcs.RenumberOrder();
    calcs.SortByDependency();
    calcs.RecalculateAll();
    m_doc->ModifyAndUpdateViews(HINT_CHANNEL_CHANGED, nullptr);
}

bool CgudCalc::SaveFormula(CdocField* field)
{
    if (!field || !m_doc)
        return true;
    if (!m_calc.Parse()) {
        zxMessageBox(_("Invalid formula"));
        return false;
    }
    CdocCalcs& calcs = m_doc->m_calcs;
    CdocCalc* stored = calcs.FindByChannel(field);
    if (!stored) {
        const int index = calcs.Add(1);
        if (index < 0) {
            zxMessageBox(_("No free space for more formulae"));
            return false;
        }
        stored = calcs.GetAt(index);
    }
    calcs.RenumberOrder();
    m_calc.m_order = stored->m_order;
    m_calc.m_field = CdocFieldKey(field->m_key, -1, field);
    m_calc.m_doc = m_doc;
    *stored = m_calc;
    CommitFormulas();
    return true;
}

bool CgudCalc::AskSaveFormula()
{
    wxString question = _("Do you want to save the formula to channel %s");
    question.Replace("%s", TitleOf(m_doc, m_field));
    if (!zxQuestionBox(question))
        return true;
    return SaveFormula(m_field);
}

void CgudCalc::FillFormulaChannels()
{
    m_channelCtrl->Clear();
    if (m_doc) {
        const CdocFieldV& fields = m_doc->m_data.m_fields;
        for (int i = 0; i < fields.GetCount(); ++i) {
            CdocField* field = fields.GetAt(i);
            if (field && field->m_content == CONTENT_FORMULA)
                m_channelCtrl->Append(TitleOf(m_doc, field), static_cast<void*>(field));
        }
    }
    if (!m_field || m_channelCtrl->SelectChannel(m_field) < 0)
        m_channelCtrl->SetSelection(wxNOT_FOUND);
    m_channelCtrl->Enable();
}

bool CgudCalc::TransferDataToWindow()
{
    m_list->ClearAll();
    if (m_calc.CanAppendChannel()) {
        m_list->m_includeNone = false;
        m_list->m_includeIndex = true;
        m_list->m_includeAllSensors = false;
        m_list->FillChannels(m_doc);
        m_list->Enable();
    }
    FillFormulaChannels();
    const bool done = wxDialog::TransferDataToWindow();
    m_mainSizer->Layout();
    m_mainSizer->SetSizeHints(this);
    m_mainSizer->Fit(this);
    return done;
}

void CgudCalc::OnChannelChosen(wxCommandEvent& event)
{
    TransferDataFromWindow();
    CdocField* chosen = m_channelCtrl->GetSelectedChannel();
    if (m_field && chosen != m_field && m_calc.m_modified) {
        m_channelCtrl->SelectChannel(m_field);
        if (!AskSaveFormula())
            return;
    }
    if (chosen) {
        SetChannel(chosen);
    } else {
        m_channelCtrl->SelectChannel(m_field);
        CdocFieldKey added;
        if (m_doc && m_doc->m_data.NewFormulaField(&added, true))
            SetChannel(m_doc->m_data.m_fields.Find(added));
    }
    TransferDataToWindow();
}

void CgudCalc::OnNew(wxCommandEvent& event)
{
    TransferDataFromWindow();
    if (m_calc.m_modified && !AskSaveFormula())
        return;
    CdocFieldKey added;
    if (m_doc && m_doc->m_data.NewFormulaField(&added, true))
        SetChannel(m_doc->m_data.m_fields.Find(added));
    TransferDataToWindow();
}

void CgudCalc::OnListSelected(wxListEvent& event)
{
    m_calc.AppendChannel(m_list->GetSelectedChannel());
    UpdateFormulaText();
    // The list must not be emptied inside its own selection handling.
    CallAfter([this] { TransferDataToWindow(); });
}

void CgudCalc::OnKey(wxCommandEvent& event)
{
    const int id = event.GetId();
    const int digit = DigitOf(id);
    if (digit >= 0) {
        m_calc.AppendDigit(digit);
    } else {
        switch (id) {
        case ID_CALC_KEY_SQRT: m_calc.AppendSqrt(); break;
        case ID_CALC_KEY_OPEN: m_calc.AppendOpenBracket(); break;
        case ID_CALC_KEY_CLOSE: m_calc.AppendCloseBracket(); break;
        case ID_CALC_KEY_POWER: m_calc.AppendPower(); break;
        case ID_CALC_KEY_DIVIDE: m_calc.AppendDivide(); break;
        case ID_CALC_KEY_MULTIPLY: m_calc.AppendMultiply(); break;
        case ID_CALC_KEY_SUBTRACT: m_calc.AppendSubtract(); break;
        case ID_CALC_KEY_ADD: m_calc.AppendAdd(); break;
        case ID_CALC_KEY_POINT: m_calc.AppendPoint(); break;
        case ID_CALC_KEY_DELETE: m_calc.DeleteLast(); break;
        default: event.Skip(); return;
        }
    }
    UpdateFormulaText();
    TransferDataToWindow();
}

bool CgudCalc::CanPress(int id) const
{
    if (DigitOf(id) >= 0)
        return m_calc.CanAppendDigit();
    switch (id) {
    case ID_CALC_KEY_SQRT: return m_calc.CanAppendSqrt();
    case ID_CALC_KEY_OPEN: return m_calc.CanAppendOpenBracket();
    case ID_CALC_KEY_CLOSE: return m_calc.CanAppendCloseBracket();
    case ID_CALC_KEY_POWER: return m_calc.CanAppendPower();
    case ID_CALC_KEY_DIVIDE: return m_calc.CanAppendDivide();
    case ID_CALC_KEY_MULTIPLY: return m_calc.CanAppendMultiply();
    case ID_CALC_KEY_SUBTRACT: return m_calc.CanAppendSubtract();
    case ID_CALC_KEY_ADD: return m_calc.CanAppendAdd();
    case ID_CALC_KEY_POINT: return m_calc.CanAppendPoint();
    case ID_CALC_KEY_DELETE: return m_calc.HasTokens();
    default: return true;
    }
}

void CgudCalc::OnUpdateKey(wxUpdateUIEvent& event)
{
    event.Enable(CanPress(event.GetId()));
}

void CgudCalc::OnOk(wxCommandEvent& event)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
    if (m_field && m_calc.m_modified) {
        if (!SaveFormula(m_field))
            return;
    } else if (m_doc) {
        CommitFormulas();
    }
    EndModal(wxID_OK);
}

void CgudCalc::OnHelp(wxCommandEvent& event)
{
    wxGetApp().ShowHelp(_("Calculate.htm"), this);
}

void CgudCalc::OnTextFocus(wxFocusEvent& event)
{
    event.Skip();
    // The formula is written with the keys only; the text keeps no focus.
    CallAfter([this] {
        if (wxWindow* ok = FindWindow(wxID_OK))
            ok->SetFocus();
    });
}

void CgudCalc::OnListDoubleClick(wxMouseEvent& event)
{
}

bool gudCalculate(CdocDoc* doc, CdocFieldKey& key)
{
    if (!doc || !appIsAllowed(FEATURE_CALCULATE))
        return false;
    CgudCalc dialog(wxGetApp().m_frame, ID_CALC_DIALOG, _("Calculate"));
    dialog.m_doc = doc;
    CdocFieldV& fields = doc->m_data.m_fields;
    CdocField* field = fields.Find(key);
    if (!field || field->m_content != CONTENT_FORMULA)
        field = LastFormulaChannel(fields);
    if (!field) {
        CdocFieldKey added;
        if (!doc->m_data.NewFormulaField(&added, false))
            return false;
        field = fields.Find(added);
        if (!field || field->m_content != CONTENT_FORMULA)
            field = LastFormulaChannel(fields);
    }
    dialog.SetChannel(field);
    dialog.TransferDataToWindow();
    gumBeforeShowModal();
    return dialog.ShowModal() == wxID_OK;
}
