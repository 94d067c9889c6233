#include "transport/zxMessageBox.h"

#include "app/base/gumHelpers.h"

#include <cstdio>
#include <mutex>
#include <wx/defs.h>
#include <wx/intl.h>

namespace {

std::mutex g_presenterMutex;
zxBoxPresenter g_presenter;

int Show(zxBoxKind kind, const wxString& text, const wxString& caption)
{
    zxBoxPresenter presenter;
    {
        std::lock_guard<std::mutex> lock(g_presenterMutex);
        presenter = g_presenter;
    }
    if (presenter)
        return presenter(CzxBoxCall{kind, text, caption});
    std::fprintf(stderr, "%s: %s\n", caption.utf8_str().data(), text.utf8_str().data());
    return wxID_NO;
}

} // namespace

zxBoxPresenter zxSetBoxPresenter(zxBoxPresenter presenter)
{
    std::lock_guard<std::mutex> lock(g_presenterMutex);
    std::swap(g_presenter, presenter);
    return presenter;
}

int zxMessageBox(const wxString& text) { return zxMessageBox(text, zxAppTitle()); }

int zxMessageBox(const wxString& text, const wxString& caption)
{
    Show(zxBOX_ERROR, text, caption);
    return 0;
}

int zxInfoBox(const wxString& text) { return zxInfoBox(text, zxAppTitle()); }

int zxInfoBox(const wxString& text, const wxString& caption)
{
    Show(zxBOX_INFO, text, caption);
    return 0;
}

bool zxQuestionBox(const wxString& text) { return zxQuestionBox(text, zxAppTitle()); }

bool zxQuestionBox(const wxString& text, const wxString& caption)
{
    return Show(zxBOX_QUESTION, text, caption) == wxID_YES;
}

int zxQuestionCancelBox(const wxString& text, const wxString& caption)
{
    const int answer = Show(zxBOX_QUESTION_CANCEL, text, caption);
    return answer == wxID_YES || answer == wxID_NO ? answer : int(wxID_CANCEL);
}

void zxNotImplementedBox() { zxNotImplementedBox(zxAppTitle()); }

void zxNotImplementedBox(const wxString& caption) { zxInfoBox(_("Not implemented yet"), caption); }

wxString zxAppTitle() { return _("Quorvanti"); }

wxString zxNewLine() { return gumGetMessageNewLine(); }
