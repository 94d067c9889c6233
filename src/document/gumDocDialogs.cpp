#include "document/gumDoc.h"

// Still thin: the commands that run the clock, stamp, fetch, notes, title,
// font, annotation, axis, control-output and set-up dialogs do nothing yet.

bool CgumDoc::ChooseChannel(CdocFieldKey&, const wxString&, const wxString&, const wxString&, bool,
                            bool, bool, bool, bool)
{
    return false;
}

void CgumDoc::EditTitle(bool) {}
void CgumDoc::ChooseAxisX(bool) {}
void CgumDoc::ChooseAxisLeft(bool) {}
void CgumDoc::ChooseAxisRight(bool) {}
void CgumDoc::EditControlOutputs(int) {}
void CgumDoc::RunSetupWizard() {}
void CgumDoc::SetLoggerClock() {}
void CgumDoc::SetLoggerStamp() {}
void CgumDoc::FetchFromLogger() {}
void CgumDoc::EditNotes() {}
void CgumDoc::EditGraphFont() {}
void CgumDoc::Annotate() {}
