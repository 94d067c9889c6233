#pragma once
#include "views/guvPanelWin.h"

// The digits panel's drawing window.
class CguvDigitsWin : public CguvPanelWin
{
public:
    using CguvPanelWin::CguvPanelWin;
};
