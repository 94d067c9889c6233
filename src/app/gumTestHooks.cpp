#include "app/gumTestHooks.h"

#include "transport/platform/zxMessageDialog.h"

#include <wx/ffile.h>
#include <wx/utils.h>

void gumInstallBoxPresenter()
{
    wxString log;
    if (!wxGetEnv("QUORVANTI_BOX_LOG", &log) || log.empty()) {
        zxSetBoxPresenter(zxShowMessageDialog);
        return;
    }
    wxString answer;
    wxGetEnv("QUORVANTI_BOX_ANSWER", &answer);
    const bool yes = answer.IsSameAs("yes", false);
    zxSetBoxPresenter([log, yes](const CzxBoxCall& call) {
        static const char* const kinds[] = {"error", "info", "question", "question"};
        wxFFile file(log, "ab");
        if (file.IsOpened()) {
            wxString text = call.text;
            text.Replace("\n", "\\n");
            file.Write(wxString::Format("%s\t%s\t%s\n", kinds[call.kind], call.caption, text),
                       wxConvUTF8);
        }
        if (call.kind != zxBOX_QUESTION && call.kind != zxBOX_QUESTION_CANCEL)
            return int(wxID_OK);
        return yes ? int(wxID_YES) : int(wxID_NO);
    });
}
