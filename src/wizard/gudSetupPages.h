#pragma once
// What the set-up wizard's pages share: their frame, the Start row, the
// removal of choices the user level does not allow and the common end of
// filling a page.
// The wizard, with the pages, which name each other as neighbours.
#include "wizard/gudSetupWizard.h"

#include <wx/string.h>
#include <wx/valtext.h>

class CdocDoc;
class CgudSetupWizard;
class CxhwSetup;
class wxBoxSizer;
class wxSizer;
class wxStaticBoxSizer;
class wxStaticText;
class wxWindow;
class wxWizardPage;

enum
{
    ID_SETUP_START = 10055,
};

// The wizard that holds the page.
CgudSetupWizard& gudWizardOf(const wxWindow* page);
CxhwSetup& gudSetupOf(const wxWindow* page);
CdocDoc& gudDocOf(const wxWindow* page);

// Lays the page out: the group box of its choices on the left, a line, and
// the column of explanations on the right; returns the group box's sizer and
// gives the column in texts.
wxStaticBoxSizer* gudBeginPage(wxWizardPage* page, const wxString& title, wxBoxSizer*& texts);
// An explanation in the right column, after a stretchable spacer of the
// given proportion (none for 0).
wxStaticText* gudAddText(wxWindow* page, wxSizer* texts, const wxString& text, int spacer = 1);
// "Select Start to begin logging." and the Start button, under the texts.
void gudAddStartRow(wxWindow* page, wxSizer* texts);
// A radio button after a stretchable spacer, as the choices are laid out.
wxWindow* gudAddRadio(wxWindow* page, wxSizer* sizer, int id, const wxString& label, bool first,
                      int spacer = 1);

// Takes the choices out of the page whose features the user level does not
// allow: each (feature, window id) pair, in order; the window leaves its
// sizer with the spacer before it. The hidden text, if any, belongs to it.
void gudRemoveChoice(wxWindow* page, int feature, int id, wxWindow* hiddenText = nullptr);

// A text validator that admits only the characters of allowed.
wxTextValidator gudNumberValidator(const wxString& allowed, wxString* data);

// The common end of filling a page: Start by the log type, the base
// transfer, layout and the wizard fitted; the base transfer's result.
bool gudFinishTransferToWindow(wxWizardPage* page);

// Reads a number above 0 from text; false leaves value alone.
bool gudReadPositive(const wxString& text, double& value);

// Whether the measurement takes a bar width unless timing runs between gates.
bool gudIsDistanceMeasurement(int measurement);
