#pragma once
#include "views/grnBoxes.h"
#include "views/guvView.h"

class wxMouseEvent;

// The boxes panel's view: paints through the boxes renderer, redraws only
// the changed lines as readings arrive, lays out again when the channels or
// the run change, and turns clicks on a box into channel commands: the
// square shows or hides the channel on the graph, the texts open its
// details, the right button its operations menu.
class CguvBoxesView : public CguvView
{
public:
    CguvBoxesView();
    ~CguvBoxesView() override;

    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    wxWindow* GetWindow() override;
    void OnWindowMouse(wxMouseEvent& event) override;

    // True when the renderer has a layout, laying out on the shown window
    // when needed.
    bool EnsureLayout();
    // The changed lines through a client context, or the whole window when
    // the renderer refuses.
    void DrawChanges();

    CgrnBoxes m_renderer;
    CgrnBoxesHit m_hit;

protected:
    void AttachRenderer() override;
    // What a click asks of the document.
    virtual void ShowChannelDetails(const CdocFieldKey& key);
    virtual void ShowChannelOpsMenu(const CdocFieldKey& key);

private:
    wxDECLARE_DYNAMIC_CLASS(CguvBoxesView);
};
