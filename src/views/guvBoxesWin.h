#pragma once
#include "views/guvPanelWin.h"

// The boxes panel's drawing window.
class CguvBoxesWin : public CguvPanelWin
{
public:
    using CguvPanelWin::CguvPanelWin;
};
