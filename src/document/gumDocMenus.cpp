#include "document/gumDoc.h"

// Still thin: the channel menus and the input switch do nothing yet.

void CgumDoc::ShowChannelMenu(wxWindow*, CdocFieldKey) {}
void CgumDoc::ShowChannelOpsMenu(wxWindow*, CdocFieldKey) {}
void CgumDoc::ToggleChannelInput(CdocFieldKey) {}
