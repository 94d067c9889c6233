#pragma once
#include <wx/docview.h>

// The document's master view.
class CgumView : public wxView
{
public:
    CgumView();
    ~CgumView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    void OnDraw(wxDC* dc) override;

private:
    wxDECLARE_DYNAMIC_CLASS(CgumView);
};
