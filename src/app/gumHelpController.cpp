#include "app/gumHelpController.h"

#include "app/gumWindowHelpers.h"

#include <algorithm>
#include <memory>
#include <wx/app.h>
#include <wx/bookctrl.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/html/helpdlg.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/splitter.h>
#include <wx/toplevel.h>

CgumHelpController::CgumHelpController(int style, wxWindow* parent)
    : wxHtmlHelpController(style, parent), m_over(parent)
{
}

wxHtmlHelpFrame* CgumHelpController::CreateHelpFrame(wxHtmlHelpData* data)
{
    wxHtmlHelpFrame* frame = wxHtmlHelpController::CreateHelpFrame(data);
    Place(*frame, frame->GetHelpWindow());
    return frame;
}

wxHtmlHelpDialog* CgumHelpController::CreateHelpDialog(wxHtmlHelpData* data)
{
    wxHtmlHelpDialog* dialog = wxHtmlHelpController::CreateHelpDialog(data);
    Place(*dialog, dialog->GetHelpWindow());
    return dialog;
}

void CgumHelpController::Place(wxTopLevelWindow& window, wxHtmlHelpWindow* help)
{
    if (help) {
        // The bookmarks box's width is known only once it is laid out on
        // screen: each too narrow size moves the sash on, up to half the
        // window, until its texts show whole.
        auto* bookmarks = wxDynamicCast(help->FindWindow(wxID_HTML_BOOKMARKSLIST), wxComboBox);
        wxSplitterWindow* splitter = help->GetSplitterWindow();
        if (bookmarks && splitter) {
            bookmarks->Bind(wxEVT_SIZE, [bookmarks, splitter](wxSizeEvent& event) {
                event.Skip();
                int widest = 0;
                for (unsigned i = 0; i < bookmarks->GetCount(); ++i)
                    widest = std::max(widest, bookmarks->GetTextExtent(bookmarks->GetString(i)).x);
                const int sash = splitter->GetSashPosition() + bookmarks->GetSizeFromTextSize(widest).x
                                 - event.GetSize().x;
                if (splitter->IsSplit() && sash > splitter->GetSashPosition()
                    && sash <= splitter->GetClientSize().x / 2)
                    splitter->CallAfter([splitter, sash] { splitter->SetSashPosition(sash); });
            });
        }
        // The book lays its pages out only once it is on screen; until then
        // their controls keep the size they were made with, too small for
        // their scroll bars.
        if (auto* book = wxDynamicCast(help->FindWindow(wxID_HTML_NOTEBOOK), wxBookCtrlBase)) {
            const wxSize pageSize = book->GetClientSize();
            for (size_t i = 0; i < book->GetPageCount(); ++i) {
                wxWindow* page = book->GetPage(i);
                page->SetSize(pageSize);
                page->Layout();
            }
        }
    }

    wxWindow* over = m_over ? wxGetTopLevelParent(m_over) : wxTheApp->GetTopWindow();
    if (!over)
        return;
    wxSize size = window.GetSize();
    size.IncTo(over->GetSize() * 3 / 4);
    wxRect place(wxPoint(), size);
    const wxRect area = over->GetScreenRect();
    place.SetPosition(wxPoint(area.x + (area.width - place.width) / 2, area.y + (area.height - place.height) / 2));
    if (window.IsKindOf(wxCLASSINFO(wxDialog))) {
        // A dialog is put over its parent by the window manager itself.
        window.SetSize(place.GetSize());
        window.CentreOnParent();
        return;
    }
    // The window manager puts a new frame where it likes, over the menu bar:
    // once it has, the frame is moved over the middle of the program's window.
    auto pending = std::make_shared<bool>(true);
    window.Bind(wxEVT_MOVE, [w = &window, place, pending](wxMoveEvent& event) {
        event.Skip();
        if (!*pending)
            return;
        *pending = false;
        w->CallAfter([w, place] {
            w->SetSize(place);
            gumKeepOnDisplay(w, nullptr, true);
        });
    });
}
