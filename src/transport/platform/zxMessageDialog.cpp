#include "transport/platform/zxMessageDialog.h"

#include <wx/msgdlg.h>

int zxShowMessageDialog(const CzxBoxCall& call)
{
    long style = wxOK | wxICON_ERROR;
    if (call.kind == zxBOX_INFO)
        style = wxOK | wxICON_INFORMATION;
    else if (call.kind == zxBOX_QUESTION)
        style = wxYES_NO | wxICON_QUESTION;
    else if (call.kind == zxBOX_QUESTION_CANCEL)
        style = wxYES_NO | wxCANCEL | wxICON_QUESTION;
    wxMessageDialog dialog(nullptr, call.text, call.caption, style);
    return dialog.ShowModal();
}
