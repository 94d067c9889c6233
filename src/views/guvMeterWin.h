#pragma once
#include "views/guvPanelWin.h"

// The meter panel's drawing window.
class CguvMeterWin : public CguvPanelWin
{
public:
    using CguvPanelWin::CguvPanelWin;
};
