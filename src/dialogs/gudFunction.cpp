#include "dialogs/gudFunction.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/base/gumResCore.h"
#include "app/gumWindowHelpers.h"
#include "document/docDoc.h"
#include "transport/zxMessageBox.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudFunction, wxDialog);

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
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    main->Add(new wxStaticText(this, wxID_STATIC, _("Best Straight Line Fit")), 0, wxALL, 5);
    main->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 5);
    main->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

bool gudFunctionPlot(CdocDoc* doc, CdocFieldKey& key)
{
    if (!doc || !appIsAllowed(FEATURE_FUNCTION_PLOT))
        return false;
    CgudFunction dialog(wxGetApp().m_frame, ID_FUNCTION_DIALOG, _("Function"));
    dialog.m_doc = doc;
    dialog.m_function = FUNCTION_FIT;
    dialog.m_fieldA = doc->m_data.m_fields.Find(key);
    if (!dialog.m_fieldA)
        return false;
    gumBeforeShowModal();
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const CdocFieldKey a(dialog.m_fieldA->m_key, -1, dialog.m_fieldA);
    const CdocFieldKey b = dialog.m_fieldB ? CdocFieldKey(dialog.m_fieldB->m_key, -1, dialog.m_fieldB) : CdocFieldKey();
    if (!doc->m_data.CreateFunctionField(a, b, dialog.m_function, nullptr))
        zxMessageBox(gumGetString(692));
    return true;
}
