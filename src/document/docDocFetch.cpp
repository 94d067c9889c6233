// The fetch run: a file stored on the logger copied into the document. The
// box thread downloads it and hands over the header through the logger's
// stored-file mailbox, the rows through the stored-data queue and the numbers
// of the marked rows through the sample queue; the document's working ticks
// take them until the download's result ends the fetch.
#include "document/docDoc.h"

#include "app/base/gumCommands.h"
#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "protocol/xutFetch.h"
#include "transport/zxMessageBox.h"

#include <wx/filename.h>
#include <wx/intl.h>

namespace {

CxutFetch* Mailbox()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    return boxes ? &boxes->m_box.m_fetch : nullptr;
}

// The graph of a fetched file by the kind of run that recorded it.
void SetFetchStyle(CdocGraph& graph, int logType)
{
    const bool bars = logType == ACTIVITY_SNAPSHOT || logType == ACTIVITY_TIMING;
    const bool lines = logType >= 0 && logType <= ACTIVITY_SCOPE && !bars;
    graph.m_lines = lines;
    graph.m_bars = bars;
    graph.m_points = !lines && !bars;
}

// A name from a logger may hold a folder separator; as a file name it must not.
wxString AsFileName(wxString name)
{
    for (wxUniChar c : wxFileName::GetForbiddenChars() + wxFileName::GetPathSeparators())
        name.Replace(wxString(c), "-");
    return name;
}

} // namespace

bool CdocDoc::StartFetch(const CxutFetchFile& file)
{
    if (IsBusy())
        return false;
    if (CxutFetch* mailbox = Mailbox()) {
        mailbox->SetFetchNumber(file.m_number);
        mailbox->ResetResult();
    }
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->StartFetch();
    SetState(DOC_STATE_FETCHING);
    m_data.ResetForFetch();
    m_graph.ChooseDefaultAxes();
    ModifyAndUpdateViews(HINT_AXES, nullptr);
    UpdateViews(HINT_RUN_STARTED, nullptr);
    SetAutoScroll(m_data.m_logNext);
    return true;
}

void CdocDoc::TickFetch()
{
    CxutFetch* mailbox = Mailbox();
    if (!mailbox)
        return;
    switch (mailbox->GetHeaderState()) {
    case 1:
        OnFetchHeader();
        break;
    case 2:
        OnFetchData();
        break;
    default:
        // A download that failed before its header ends here, or the fetch
        // would wait for a header that never comes.
        if (mailbox->IsResultReady())
            FinishFetch();
        break;
    }
}

void CdocDoc::OnFetchHeader()
{
    CxutFetchHeader header;
    if (CxutFetch* mailbox = Mailbox())
        mailbox->TakeHeader(header);
    m_data.SetupFromFetchHeader(header);
    SetFetchStyle(m_graph, m_data.m_logType);
    m_graph.ChooseRunAxes();
    ModifyAndUpdateViews(HINT_AXES, nullptr);
    UpdateViews(HINT_RUN_STARTED, nullptr);
    SetAutoScroll(m_data.m_logNext);
}

void CdocDoc::TakeFetchedData()
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (!boxes)
        return;
    float row[DOC_RAW_VALUES];
    while (boxes->GetStoredData(row, DOC_RAW_VALUES)) {
        // Past a full store the rest of the file is dropped.
        m_data.AddFetchedReading(row);
        m_unsavedData = true;
    }
    int mark = 0;
    while (boxes->GetSamples(&mark, 1)) {
        // A number outside the store marks nothing and is not announced.
        if (mark < 0 || mark >= DOC_MAX_SAMPLES)
            continue;
        m_data.m_marks[size_t(mark)] = 1;
        m_unsavedData = true;
        ModifyAndUpdateViews(HINT_MARKED, &mark);
    }
}

void CdocDoc::OnFetchData()
{
    CxutFetch* mailbox = Mailbox();
    // Asked first: the rows queued before the result are all taken below.
    const bool ready = mailbox && mailbox->IsResultReady();
    TakeFetchedData();
    ModifyAndUpdateViews(HINT_NEW_DATA, nullptr);
    if (ready)
        FinishFetch();
}

void CdocDoc::FinishFetch()
{
    CxutFetch* mailbox = Mailbox();
    const int result = mailbox ? mailbox->GetResult() : 1;
    switch (result) {
    case 0:
        break;
    case 2:
    case 4:
        zxMessageBox(gumGetString(865));
        break;
    case 12:
        zxMessageBox(gumGetString(863));
        break;
    case 13:
        zxMessageBox(gumGetString(843) + wxString::Format("%d", mailbox ? mailbox->GetProgress() : 0));
        break;
    default:
        zxMessageBox(_("Remote fetch failed"));
        break;
    }
    if (result != 0) {
        // The part fetched goes with the document, without a save question.
        StopRun();
        m_unsavedData = false;
        if (m_owner)
            m_owner->MarkSaved();
        gumPostCommand(wxID_NEW, 0);
        return;
    }
    CxutFetchHeader header;
    if (mailbox)
        mailbox->TakeHeader(header);
    wxString name;
    xhwGetBoxName(name, 2, m_boxInfo.m_info);
    const wxString docName = header.m_docName.empty() ? name : header.m_docName;
    wxString title = header.m_title;
    if (title.empty()) {
        title = name;
        const wxString date = docFormatDate(m_data.m_startDate);
        if (!date.empty())
            title += "  -  " + date + "  " + docFormatTime(m_data.m_startTime);
    }
    wxString notes = header.m_notes;
    if (notes.empty())
        notes = gumGetString(864) + " " + name + gumGetNewLine() + gumGetNewLine();
    m_title = title;
    m_notes = notes;
    if (m_owner)
        m_owner->SetDocFileName(AsFileName(docName));
    StopRun();
    PrepareLoadedData();
}

void CdocDoc::StopFetch()
{
    // What the logger sent before Stop is kept, once the header set the store up.
    if (CxutFetch* mailbox = Mailbox(); mailbox && mailbox->GetHeaderState() == 2)
        TakeFetchedData();
    SetState(DOC_STATE_STOPPED);
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->RequestIdleAfterFetch();
    UpdateViews(HINT_RUN_STOPPED, nullptr);
    if (m_data.m_logType == 0)
        OnNew();
}
