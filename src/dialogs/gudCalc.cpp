#include "dialogs/gudCalc.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudCalc, wxDialog);

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
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Formula")), 0, wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudCalc::SetChannel(CdocField* field)
{
    m_field = field;
}

namespace {

CdocField* LastFormulaChannel(const CdocFieldV& fields)
{
    for (int i = fields.GetCount() - 1; i >= 0; --i) {
        CdocField* field = fields.GetAt(i);
        if (field && field->m_content == CONTENT_FORMULA)
            return field;
    }
    return nullptr;
}

} // namespace

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
    gumBeforeShowModal();
    return dialog.ShowModal() == wxID_OK;
}
