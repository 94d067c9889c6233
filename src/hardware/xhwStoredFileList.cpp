#include "hardware/xhwStoredFileList.h"

#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwKestilonDriver.h"

#include <algorithm>
#include <wx/intl.h>

void zxBoxFetchFileList(CxhwBox& box)
{
    CxutBoxRequest request;
    if (!box.BeginRequest(request))
        return;
    // Once answered, the mailbox never shows an earlier listing or its
    // failure: the list and its result start afresh.
    box.m_fetch.ClearFiles();
    box.m_fetch.SetListResult(0);
    if (xhwGetStoredFileSlots(box.m_info.m_hardware) == 0) {
        request.m_answer = BOX_ANSWER_UNSUPPORTED;
        box.EndRequest(request);
        return;
    }
    // Answered at once: the user interface then watches the mailbox while the
    // list is built.
    request.m_answer = BOX_ANSWER_DONE;
    box.AnswerRequest(request);
    if (box.HasFeature(20))
        xhwListStoredFileHeaders(box);
    else
        xhwListStoredFileLetters(box);
    box.EndRequest(request);
}

bool zxBoxIsFetchStopped(CxhwBox& box)
{
    CxutBoxRequest pending;
    box.GetRequest(pending);
    return box.GetState() != BOX_STATE_CONNECT || pending.m_code != BOX_REQUEST_LIST_FILES;
}

void xhwListStoredFileHeaders(CxhwBox& box)
{
    const int type = box.m_info.m_hardware;
    if (type == BOX_TYPE_KESTILON || type == BOX_TYPE_TUNDRANE2) {
        xhwKestilonListStoredFiles(box);
        return;
    }
    box.m_fetch.ClearFiles();
    const int n = box.GetStoredFileCount();
    const int listed = std::min(n, int(CxutFetch::kMaxFiles));
    box.m_fetch.SetListResult(listed);
    for (int i = 0; i < listed; ++i) {
        if (zxBoxIsFetchStopped(box))
            return;
        CxutFetchFile file;
        if (box.ReadStoredFileHeader(i, file) == 0)
            box.m_fetch.AddFile(file);
    }
}

void xhwListStoredFileLetters(CxhwBox& box)
{
    box.m_fetch.ClearFiles();
    const int mask = box.GetStoredFileMask();
    if (mask < 0) {
        box.m_fetch.SetListResult(-2);
        return;
    }
    const wxString prefix = gumGetString(351) + " ";
    const wxString letters = _("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    int count = 0;
    for (int i = 0; i < 6; ++i) {
        if (!(mask & (1 << i)))
            continue;
        CxutFetchFile file;
        file.m_number = i;
        file.m_name = prefix;
        if (!letters.empty())
            file.m_name += letters[size_t(i) % letters.length()];
        box.m_fetch.AddFile(file);
        ++count;
    }
    box.m_fetch.SetListResult(count);
}
