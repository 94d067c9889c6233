#pragma once
#include <wx/docview.h>

class CdocDoc;
class CgumView;

// Common base of the six panel views: the drawing window, the document's data
// object and the printout.
class CguvView : public wxView
{
public:
    CguvView();
    ~CguvView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    wxPrintout* OnCreatePrintout() override;

    virtual wxWindow* GetWindow();
    virtual void GetClientRect(wxDC* dc, wxRect& rect);

    CdocDoc* GetDocDoc();
    void RefreshWindow();

    CgumView* m_master = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS(CguvView);
};
