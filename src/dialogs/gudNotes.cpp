#include "dialogs/gudNotes.h"

#include "app/gumWindowHelpers.h"

#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudNotes, wxDialog);

wxBEGIN_EVENT_TABLE(CgudNotes, wxDialog)
    EVT_BUTTON(wxID_COPY, CgudNotes::OnCopy)
    EVT_CHAR_HOOK(CgudNotes::OnCharHook)
wxEND_EVENT_TABLE()

CgudNotes::CgudNotes(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                     const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudNotes::~CgudNotes() = default;

bool CgudNotes::Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                       const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    // Without a Cancel button the toolkit would take the close box and Escape
    // as OK; here they keep the old notes.
    SetEscapeId(wxID_CANCEL);
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudNotes::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    m_textCtrl = new wxTextCtrl(this, ID_NOTES_TEXT, wxString(), wxDefaultPosition, wxDefaultSize,
                                wxTE_MULTILINE | wxTE_NOHIDESEL, wxTextValidator(wxFILTER_NONE, &m_text), "text");
    gumSetWidthInChars(m_textCtrl, 80, 80);
    gumSetHeightInLines(m_textCtrl, 20, 80);
    main->Add(m_textCtrl, 1, wxEXPAND | wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    main->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    buttons->Add(new wxButton(this, wxID_COPY, _("&Copy"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                              "button"),
                 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_OK, _("OK"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                              "button"),
                 0, wxALL, 5);
}

void CgudNotes::OnCopy(wxCommandEvent& event)
{
    if (!Validate() || !TransferDataFromWindow())
        return;
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

void CgudNotes::OnCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE) {
        Close();
        return;
    }
    event.Skip();
}
