#pragma once
#include "views/guvPanelWin.h"

// The boxes panel's drawing window. It asks for room for a line of text and
// a box or two.
class CguvBoxesWin : public CguvPanelWin
{
public:
    explicit CguvBoxesWin(wxWindow* parent);
    ~CguvBoxesWin() override;

    // 21 character widths by 4 character heights of the window's font.
    wxSize GetMinSize() const override;
};
