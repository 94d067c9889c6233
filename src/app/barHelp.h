#pragma once
#include "app/barBase.h"

// The help bar along the bottom of the boxes panel: the user level and Help.
class CbarHelp : public CbarBase
{
public:
    explicit CbarHelp(wxWindow* parent);
    ~CbarHelp() override;

    void SaveState() override;
    bool StateChanged() override;
    void UpdateTools() override;

    int m_userLevel = 0;
    int m_state = 1;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};

CbarHelp* barNewHelpBar(wxWindow* parent);
