#pragma once
#include <wx/dialog.h>

class CdocDoc;
class CdocField;
class CdocFieldKey;

enum
{
    ID_FUNCTION_DIALOG = 10041,
};

// A new channel computed from one or two channels: a best straight line, a
// gradient, an area, a difference or a product.
// Still thin: offers no choice of function or channels; OK always asks for
// the best straight line fit to channel a.
class CgudFunction : public wxDialog
{
public:
    CgudFunction() = default;
    CgudFunction(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position = wxDefaultPosition,
                 const wxSize& size = wxSize(400, 300), long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    ~CgudFunction() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& position,
                const wxSize& size, long style);

    CdocDoc* m_doc = nullptr;
    // The function code, 1 to 5 (the data store's function modes).
    int m_function = 1;
    CdocField* m_fieldA = nullptr;
    CdocField* m_fieldB = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS_NO_COPY(CgudFunction);
};

// Opens the function dialog on channel a; on OK adds the new channel, or
// reports that it cannot be added. True on OK.
bool gudFunctionPlot(CdocDoc* doc, CdocFieldKey& key);
