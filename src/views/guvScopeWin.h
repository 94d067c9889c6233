#pragma once
#include "views/guvPanelWin.h"

// The oscilloscope panel's drawing window.
class CguvScopeWin : public CguvPanelWin
{
public:
    using CguvPanelWin::CguvPanelWin;
};
