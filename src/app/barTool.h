#pragma once
#include <wx/toolbar.h>

// The main tool bar along the top of the main frame.
class CbarTool : public wxToolBar
{
public:
    CbarTool(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size, long style,
             const wxString& name);
    ~CbarTool() override;

    void UpdateWindowUI(long flags = wxUPDATE_UI_NONE) override;

    virtual void SaveState();
    virtual bool StateChanged();
    virtual void UpdateTools();
    virtual void AddCommandTool(unsigned int tool);

    void UpdateIfChanged(bool force);
    void SetLargeIcons();
    void SetSmallIcons();

    int m_userLevel = 0;
    int m_state = 1;
    int m_largeIcons = 1;
};

CbarTool* barNewToolBar(wxWindow* parent);
