#pragma once
#include <wx/toolbar.h>

// Base of the side, activity and help bars: each remembers what its tools
// were built for and rebuilds them only when that changed.
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

    bool m_autoIconSize = true;
    int m_largeIcons = 1;
};
