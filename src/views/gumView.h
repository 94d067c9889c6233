#pragma once
#include <wx/docview.h>

class CgumFrame;
class CgumWin;
class wxWindow;

// The document's master view: it attaches one panel view to the drawing
// window of each panel of the content panel.
class CgumView : public wxView
{
public:
    CgumView();
    ~CgumView() override;

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    void OnChangeFilename() override;

    wxWindow* GetGraphWin();

    CgumFrame* m_frame = nullptr;
    CgumWin* m_content = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS(CgumView);
};
