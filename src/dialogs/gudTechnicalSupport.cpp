#include "dialogs/gudTechnicalSupport.h"

#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(CgudTechnicalSupport, wxDialog);

wxBEGIN_EVENT_TABLE(CgudTechnicalSupport, wxDialog)
    EVT_BUTTON(ID_TECHNICAL_SUPPORT_MAKER, CgudTechnicalSupport::OnMakerSite)
    EVT_BUTTON(ID_TECHNICAL_SUPPORT_SUPPLIER, CgudTechnicalSupport::OnSupplierSite)
wxEND_EVENT_TABLE()

namespace {

const char* const kSupplierPlaceholder = "https://www.your-supplier.example/";

} // namespace

wxString gudSupplierPlaceholder()
{
    return kSupplierPlaceholder;
}

CgudTechnicalSupport::CgudTechnicalSupport(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& position, const wxSize& size, long style)
{
    Create(parent, id, title, position, size, style);
}

CgudTechnicalSupport::~CgudTechnicalSupport() = default;

bool CgudTechnicalSupport::Create(wxWindow* parent, wxWindowID id, const wxString& title,
                                  const wxPoint& position, const wxSize& size, long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, title, position, size, style, "dialog");
    CreateControls();
    GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void CgudTechnicalSupport::CreateControls()
{
    m_sizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(m_sizer);
    m_inner = new wxBoxSizer(wxVERTICAL);
    m_sizer->Add(m_inner, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_inner->Add(5, 5, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_inner->Add(new wxStaticText(this, wxID_STATIC,
                                  _("For help with Quorvanti, your logger or its sensors, visit the maker's "
                                    "web site or ask your supplier."),
                                  wxDefaultPosition, wxDefaultSize, 0, "staticText"),
                 0, wxEXPAND | wxALL, 5);
    m_inner->Add(5, 5, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_makerButton = new wxButton(this, ID_TECHNICAL_SUPPORT_MAKER, gumGetMakerAddress(), wxDefaultPosition,
                                 wxDefaultSize, 0, wxDefaultValidator, "button");
    m_inner->Add(m_makerButton, 0, wxEXPAND | wxALL, 5);
    m_supplierButton = new wxButton(this, ID_TECHNICAL_SUPPORT_SUPPLIER, wxGetTranslation(kSupplierPlaceholder),
                                    wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "button");
    m_inner->Add(m_supplierButton, 0, wxEXPAND | wxALL, 5);
    auto* close = new wxButton(this, wxID_OK, _("Close"), wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "button");
    close->SetDefault();
    m_sizer->Add(close, 0, wxALIGN_RIGHT | wxALL, 5);
}

void CgudTechnicalSupport::OnMakerSite(wxCommandEvent& event)
{
    gumLaunchBrowser(m_makerAddress, 0);
    EndModal(event.GetId());
}

void CgudTechnicalSupport::OnSupplierSite(wxCommandEvent& event)
{
    gumLaunchBrowser(m_supplierAddress, 0);
    EndModal(event.GetId());
}

void gudShowTechnicalSupport()
{
    CgudTechnicalSupport dialog(wxGetApp().m_frame, ID_TECHNICAL_SUPPORT_DIALOG, _("Technical Support"));
    dialog.m_makerAddress = gumGetMakerAddress();
    dialog.m_supplierAddress = wxGetTranslation(kSupplierPlaceholder);
    if (dialog.m_makerAddress.length() < 2)
        dialog.m_makerButton->Hide();
    if (dialog.m_supplierAddress.length() < 2 || dialog.m_supplierAddress == kSupplierPlaceholder)
        dialog.m_supplierButton->Hide();
    dialog.TransferDataToWindow();
    dialog.Layout();
    dialog.GetSizer()->SetSizeHints(&dialog);
    dialog.Fit();
    gumBeforeShowModal();
    dialog.ShowModal();
}
