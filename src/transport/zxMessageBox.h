#pragma once
#include <functional>
#include <wx/string.h>

// The three modal boxes of the program. Their texts come already translated.
// Who shows them is installed at start-up (a real dialog in the application);
// without one, a box is written to standard error and answered "No", so that
// code without windows never blocks.
enum zxBoxKind
{
    zxBOX_ERROR,
    zxBOX_INFO,
    zxBOX_QUESTION,
    // Yes, No and Cancel.
    zxBOX_QUESTION_CANCEL,
};

struct CzxBoxCall
{
    zxBoxKind kind;
    wxString text;
    wxString caption;
};

// Returns the standard identifier the box ended with (wxID_YES, wxID_NO,
// wxID_OK, wxID_CANCEL).
using zxBoxPresenter = std::function<int(const CzxBoxCall&)>;

// Installs the presenter and returns the previous one.
zxBoxPresenter zxSetBoxPresenter(zxBoxPresenter presenter);

int zxMessageBox(const wxString& text);
int zxMessageBox(const wxString& text, const wxString& caption);
int zxInfoBox(const wxString& text);
int zxInfoBox(const wxString& text, const wxString& caption);
bool zxQuestionBox(const wxString& text);
bool zxQuestionBox(const wxString& text, const wxString& caption);
// Yes, No and Cancel: returns wxID_YES, wxID_NO or wxID_CANCEL (also when the
// box was closed).
int zxQuestionCancelBox(const wxString& text, const wxString& caption);
void zxNotImplementedBox();
void zxNotImplementedBox(const wxString& caption);

wxString zxAppTitle();
wxString zxNewLine();
