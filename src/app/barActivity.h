#pragma once
#include "app/barBase.h"

// The activity bar of the boxes panel: starts AutoLog, Snapshot or the
// oscilloscope, or opens the set-up, by the user level.
class CbarActivity : public CbarBase
{
public:
    explicit CbarActivity(wxWindow* parent);
    ~CbarActivity() override;

    void SaveState() override;
    bool StateChanged() override;
    void UpdateTools() override;

    int m_userLevel = 0;
    int m_state = 1;

private:
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
};

CbarActivity* barNewActivityBar(wxWindow* parent);
