#pragma once
#include "dialogs/AboutDlg.h"

// The about box: the application's icon, name, version and notice. Shown
// without blocking; OK hides it, and it goes with the main frame.
class CgudAbout : public AboutDlg
{
public:
    explicit CgudAbout(wxWindow* parent);
    ~CgudAbout() override;

    static wxString GetNotice();
};
