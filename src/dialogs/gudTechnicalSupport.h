#pragma once
#include <wx/dialog.h>

class wxBoxSizer;
class wxButton;

enum
{
    ID_TECHNICAL_SUPPORT_DIALOG = 10043,
    ID_TECHNICAL_SUPPORT_SUPPLIER = 10045,
    ID_TECHNICAL_SUPPORT_MAKER = 10046,
};

// Where to get help: a sentence and buttons that open the maker's and the
// supplier's web sites.
class CgudTechnicalSupport : public wxDialog
{
public:
    CgudTechnicalSupport() = default;
    CgudTechnicalSupport(wxWindow* parent, wxWindowID id, const wxString& title,
                         const wxPoint& position = wxDefaultPosition, const wxSize& size = wxSize(400, 300),
                         long style = wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    ~CgudTechnicalSupport() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);
    void CreateControls();

    void OnMakerSite(wxCommandEvent& event);
    void OnSupplierSite(wxCommandEvent& event);

    wxBoxSizer* m_sizer = nullptr;
    wxBoxSizer* m_inner = nullptr;
    wxButton* m_makerButton = nullptr;
    wxButton* m_supplierButton = nullptr;
    wxString m_makerAddress;
    wxString m_supplierAddress;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudTechnicalSupport);
    wxDECLARE_EVENT_TABLE();
};

// The supplier's address before a translation names a supplier.
wxString gudSupplierPlaceholder();

// Runs the dialog over the main frame with the maker's and the supplier's
// addresses.
void gudShowTechnicalSupport();
