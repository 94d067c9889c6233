#pragma once
#include <wx/docview.h>

// The printout of a view: the graph prints through its view, inside the page
// margins of the document manager's page set-up.
class CgumDocPrintout : public wxDocPrintout
{
public:
    CgumDocPrintout(wxView* view, const wxString& title);
    ~CgumDocPrintout() override;

    bool OnPrintPage(int page) override;
    void GetPrintRect(wxRect& rect);
    bool GetPrintScale(float& x, float& y);
};
