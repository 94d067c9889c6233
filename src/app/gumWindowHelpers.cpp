#include "app/gumWindowHelpers.h"

#include <algorithm>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/window.h>

namespace {

gumPopupMenuHook g_popupHook;

} // namespace

void gumGetDisplayArea(const wxWindow* window, wxRect& out)
{
    int index = window ? wxDisplay::GetFromWindow(window) : wxNOT_FOUND;
    if (index == wxNOT_FOUND)
        index = 0;
    out = wxDisplay(unsigned(index)).GetClientArea();
}

void gumSetHeightInLines(wxWindow* control, int lines, int percent)
{
    wxRect area;
    gumGetDisplayArea(control, area);
    const int byLines = lines * control->GetCharHeight();
    const int byArea = int(percent * 0.01 * area.height);
    control->SetMinSize(wxSize(control->GetMinSize().x, std::min(byLines, byArea)));
}

void gumSetWidthInChars(wxWindow* control, int characters, int percent)
{
    wxRect area;
    gumGetDisplayArea(control, area);
    const int byChars = characters * control->GetCharWidth();
    const int byArea = int(percent * 0.01 * area.width);
    control->SetMinSize(wxSize(std::min(byChars, byArea), control->GetMinSize().y));
}

void gumKeepOnDisplay(wxWindow* window, const wxPoint* position, bool fit)
{
    wxRect area;
    gumGetDisplayArea(window, area);
    wxPoint at = position ? *position : window->GetPosition();
    wxSize size = window->GetSize();
    if (fit) {
        size.x = std::min(size.x, area.width);
        size.y = std::min(size.y, area.height);
    }
    at.x = std::max(area.x, std::min(at.x, area.x + area.width - size.x));
    at.y = std::max(area.y, std::min(at.y, area.y + area.height - size.y));
    window->SetSize(at.x, at.y, size.x, size.y);
}

void gumPostSizeEvent(wxWindow* window, wxObject* eventObject)
{
    wxSizeEvent event(window->GetSize(), window->GetId());
    event.SetEventObject(eventObject);
    window->GetEventHandler()->QueueEvent(event.Clone());
}

void gumBeforeShowModal() {}

void gumPopupMenu(wxWindow* window, wxMenu& menu)
{
    if (!g_popupHook) {
        if (window)
            window->PopupMenu(&menu);
        return;
    }
    const int id = g_popupHook(window, menu);
    if (id == wxID_NONE)
        return;
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&menu);
    if (const wxMenuItem* item = menu.FindItem(id); item && item->IsCheckable())
        event.SetInt(item->IsChecked() ? 0 : 1);
    if (!menu.ProcessEvent(event) && window)
        window->HandleWindowEvent(event);
}

void gumSetPopupMenuHook(gumPopupMenuHook hook)
{
    g_popupHook = std::move(hook);
}
