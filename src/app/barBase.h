#pragma once
#include <wx/toolbar.h>

class CgumBitmapPair;

// Base of the side, activity and help bars: each remembers what its tools
// were built for and rebuilds them only when that changed. Their pictures are
// the side set of the resources (32 or 48 pixels).
class CbarBase : public wxToolBar
{
public:
    CbarBase(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size, long style,
             const wxString& name);
    ~CbarBase() override;

    void UpdateWindowUI(long flags = wxUPDATE_UI_NONE) override;

    virtual void SaveState();
    virtual bool StateChanged();
    virtual void UpdateTools();
    virtual void AddCommandTool(unsigned int kind);

    void UpdateIfChanged(bool force);
    // A size chosen here holds for good: the frame's size no longer decides.
    void SetLargeIcons();
    void SetSmallIcons();
    // Large pictures while the main frame (before it exists, the display) is
    // at least 800 by 480 pixels.
    bool UseLargeIcons() const;
    bool CheckIconSize();
    void FitBitmapSize(const CgumBitmapPair& pair);

    bool m_autoIconSize = true;
    int m_largeIcons = 1;

protected:
    // Paints the bar in the colour of the panel around it.
    void PaintLikeParent();
    // Realising and laying out after the tools were added; rows is 0 for one
    // tool per row.
    void FinishTools(int toolMode, int rows);
};

// The picture of a tool, or an empty square of the bar's size when it could
// not be loaded: the toolkit refuses a tool without a picture.
wxBitmap barToolPicture(const wxBitmap& picture, const wxSize& size);

// The current document's State, 1 (ready) without a document: what the bars
// are built for.
int barCurrentDocState();
