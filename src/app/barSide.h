#pragma once
#include "app/barBase.h"
#include "app/gumApp.h"

// The side bar at the left of the content panel: the next steps of the
// experiment, by the document's State and Activity.
class CbarSide : public CbarBase
{
public:
    explicit CbarSide(wxWindow* parent);
    ~CbarSide() override;

    void SaveState() override;
    bool StateChanged() override;
    void UpdateTools() override;

    CgumAppState m_appState;
};

CbarSide* barNewSideBar(wxWindow* parent);
