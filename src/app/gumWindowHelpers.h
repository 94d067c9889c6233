#pragma once
#include <wx/gdicmn.h>

class wxWindow;
class wxObject;

// The client area of the display that shows the window (the first display
// when none does).
void gumGetDisplayArea(const wxWindow* window, wxRect& out);
void gumSetHeightInLines(wxWindow* control, int lines, int percent);
void gumSetWidthInChars(wxWindow* control, int characters, int percent);
void gumKeepOnDisplay(wxWindow* window, const wxPoint* position, bool fit);
void gumPostSizeEvent(wxWindow* window, wxObject* eventObject);
void gumBeforeShowModal();
