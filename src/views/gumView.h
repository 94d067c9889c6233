#pragma once
#include <wx/docview.h>

class CgumFrame;
class CgumWin;
class wxWindow;

// The document's master view, the one view the framework knows: it creates
// the six panel views, one per panel of the content panel, and attaches each
// to its panel's drawing window. It ignores hints itself; the document passes
// every hint to all seven views.
class CgumView : public wxView
{
public:
    CgumView();
    ~CgumView() override;

    // Creates and attaches the panel views; false when one cannot be made
    // (those made before stay attached).
    bool OnCreate(wxDocument* doc, long flags) override;
    // Detaches the windows; always true. The document is not asked to close.
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    void OnChangeFilename() override;

    // The drawing window of each panel; none without a content panel.
    wxWindow* GetMeterWin();
    wxWindow* GetGraphWin();
    wxWindow* GetTableWin();
    wxWindow* GetDigitsWin();
    wxWindow* GetScopeWin();
    wxWindow* GetBoxesWin();

    CgumFrame* m_frame = nullptr;
    CgumWin* m_content = nullptr;

private:
    wxDECLARE_DYNAMIC_CLASS(CgumView);
};
