#include "dialogs/gudInformation.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "app/base/gumHelpers.h"
#include "data/docField.h"
#include "document/docDoc.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudInformation, wxDialog);

wxBEGIN_EVENT_TABLE(CgudInformation, wxDialog)
    EVT_BUTTON(wxID_COPY, CgudInformation::OnCopyText)
    EVT_BUTTON(ID_INFORMATION_ADD_TO_NOTES, CgudInformation::OnAddToNotes)
    EVT_BUTTON(ID_INFORMATION_REFRESH, CgudInformation::OnRefresh)
wxEND_EVENT_TABLE()

CgudInformation::CgudInformation(wxWindow* parent, wxWindowID id, const wxString& title,
                                 const wxPoint& position, const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudInformation::~CgudInformation() = default;

bool CgudInformation::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                             const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudInformation::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    m_textCtrl = new wxTextCtrl(this, ID_INFORMATION_TEXT, wxString(), wxDefaultPosition, wxDefaultSize,
                                wxTE_MULTILINE | wxTE_READONLY | wxTE_NOHIDESEL, wxDefaultValidator, "text");
    main->Add(m_textCtrl, 0, wxEXPAND | wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    main->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxTOP, 5);
    const struct
    {
        const char* label;
        int id;
    } rows[] = {
        {"&Copy text", wxID_COPY},
        {"&Add to Notes", ID_INFORMATION_ADD_TO_NOTES},
        {"&Refresh", ID_INFORMATION_REFRESH},
        {"OK", wxID_OK},
    };
    for (const auto& row : rows) {
        buttons->Add(new wxButton(this, row.id, wxGetTranslation(row.label), wxDefaultPosition, wxDefaultSize, 0,
                                  wxDefaultValidator, "button"),
                     0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    }
    m_textCtrl->SetValidator(wxTextValidator(wxFILTER_NONE, &m_text));
    gumSetHeightInLines(m_textCtrl, 30, 80);
    gumSetWidthInChars(m_textCtrl, 40, 80);
}

void CgudInformation::OnCopyText(wxCommandEvent& event)
{
    wxString text = m_textCtrl->GetStringSelection();
    if (text.empty())
        text = m_text;
    text.Replace("\r\n", "\n");
    text.Replace("\r", "\n");
    if (!wxTheClipboard->Open())
        return;
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
}

// The notes changed, so the document is modified: closing it must not lose
// them without asking.
void CgudInformation::OnAddToNotes(wxCommandEvent& event)
{
    if (!m_doc)
        return;
    m_doc->m_notes += m_text;
    if (m_doc->m_owner)
        m_doc->m_owner->ModifyDoc();
}

void CgudInformation::OnRefresh(wxCommandEvent& event)
{
    m_text.clear();
    if (m_doc)
        m_doc->GetInformationText(m_text);
    TransferDataToWindow();
}

int gudShowInformation(CdocDoc* doc)
{
    if (!appIsAllowed(FEATURE_INFORMATION))
        return wxID_CANCEL;
    CgudInformation dialog(wxGetApp().m_frame, ID_INFORMATION_DIALOG, _("Information"));
    dialog.m_doc = doc;
    dialog.m_text.clear();
    if (doc)
        doc->GetInformationText(dialog.m_text);
    gumBeforeShowModal();
    return dialog.ShowModal();
}
