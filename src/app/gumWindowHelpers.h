#pragma once
#include <functional>
#include <wx/gdicmn.h>

class wxWindow;
class wxObject;
class wxMenu;

// The client area of the display that shows the window (the first display
// when none does).
void gumGetDisplayArea(const wxWindow* window, wxRect& out);
void gumSetHeightInLines(wxWindow* control, int lines, int percent);
void gumSetWidthInChars(wxWindow* control, int characters, int percent);
void gumKeepOnDisplay(wxWindow* window, const wxPoint* position, bool fit);
void gumPostSizeEvent(wxWindow* window, wxObject* eventObject);
void gumBeforeShowModal();

// Pops the menu up on the window at the mouse and returns once it has closed;
// a chosen item's command goes to the menu first, then to the window.
void gumPopupMenu(wxWindow* window, wxMenu& menu);
// Replaces the toolkit's pop-up (tests): the hook gets the window and the menu
// and returns the id of the item to choose, or wxID_NONE to close it.
using gumPopupMenuHook = std::function<int(wxWindow* window, wxMenu& menu)>;
void gumSetPopupMenuHook(gumPopupMenuHook hook);
