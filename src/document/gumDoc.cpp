#include "document/gumDoc.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "app/base/appReplaceFile.h"
#include "files/gumFile.h"
#include "files/gumFileDialogs.h"
#include "files/gumFileStreams.h"
#include "hardware/xhwBoxes.h"
#include "transport/zxMessageBox.h"

#include <sstream>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/mstream.h>
#include <wx/utils.h>

namespace {

constexpr int kTimerId = 1;
constexpr int kTickMs = 100;

bool FolderExists(const wxString& folder)
{
    return !folder.empty() && wxFileName::DirExists(folder);
}

wxString BoxCaption()
{
    const wxString name = wxTheApp ? wxTheApp->GetAppName() : wxString();
    return name.empty() ? _("Warning") : name;
}

} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(CgumDoc, wxDocument);

// Every command of the document, from the clock (6000) to the pH calibration
// (6155), goes through the command table; ids in that span that belong to the
// frame or the document manager are passed on.
wxBEGIN_EVENT_TABLE(CgumDoc, wxDocument)
    EVT_TIMER(kTimerId, CgumDoc::OnTimer)
    EVT_MENU_RANGE(ID_SET_CLOCK, ID_CALIBRATE, CgumDoc::OnCommand)
    EVT_UPDATE_UI_RANGE(ID_SET_CLOCK, ID_CALIBRATE, CgumDoc::OnUpdateCommand)
wxEND_EVENT_TABLE()

CgumDoc::CgumDoc()
{
    m_doc.m_owner = this;
}

CgumDoc::~CgumDoc()
{
    m_timer.Stop();
    m_doc.m_owner = nullptr;
}

void CgumDoc::StartTimer()
{
    m_timer.SetOwner(this, kTimerId);
    m_timer.Start(kTickMs, wxTIMER_CONTINUOUS);
}

void CgumDoc::OnTimer(wxTimerEvent& event)
{
    m_doc.OnTimerTick();
}

bool CgumDoc::OnNewDocument()
{
    if (!wxDocument::OnNewDocument())
        return false;
    if (!m_doc.m_data.m_fields.Reserve(DOC_MAX_FIELDS) || !m_doc.m_calcs.Reserve(DOC_MAX_CALCS)) {
        zxMessageBox(_("Not enough memory"));
        return false;
    }
    m_doc.OnNew();
    StartTimer();
    return true;
}

bool CgumDoc::OnOpenDocument(const wxString& path)
{
    CxhwBoxes* boxes = xhwGetBoxes();
    if (boxes)
        boxes->RequestIdle();
    if (!wxDocument::OnOpenDocument(path))
        return false;
    if (boxes)
        boxes->GetPublicInfo(m_doc.m_boxInfo);
    StartTimer();
    return true;
}

std::istream& CgumDoc::LoadObject(std::istream& stream)
{
    wxBusyCursor busy;
    wxMemoryBuffer buffer(1024);
    bool ok = gumReadIstream(buffer, stream);
    if (ok) {
        wxMemoryInputStream input(buffer.GetData(), buffer.GetDataLen());
        CgumFile file;
        ok = file.ReadStream(input, m_doc);
    }
    if (ok) {
        if (stream.fail())
            stream.clear(); // read to its end
    } else {
        // A document that could not be read is not to be offered for saving.
        Modify(false);
        stream.setstate(std::ios::failbit);
    }
    return stream;
}

bool CgumDoc::WriteData(wxOutputStream& output)
{
    CgumFile file;
    file.WriteStream(output, m_doc, DOC_FORMAT_OWN);
    return output.IsOk();
}

std::ostream& CgumDoc::SaveObject(std::ostream& stream)
{
    wxBusyCursor busy;
    wxMemoryOutputStream memory;
    m_writeOk = WriteData(memory);
    if (m_writeOk) {
        wxMemoryInputStream input(memory);
        m_writeOk = gumCopyToOstream(stream, input);
    }
    return stream;
}

bool CgumDoc::DoSaveDocument(const wxString& path)
{
    std::ostringstream bytes(std::ios::out | std::ios::binary);
    m_writeOk = false;
    SaveObject(bytes);
    const std::string text = bytes.str();
    const bool ok = m_writeOk && bytes.good() && appReplaceFile(path, text.data(), text.size());
    if (!ok)
        zxMessageBox(wxString::Format(_("Sorry, could not save the file \"%s\"."), path));
    return ok;
}

bool CgumDoc::OnCloseDocument()
{
    if (!wxDocument::OnCloseDocument())
        return false;
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->RequestIdleOnClose();
    m_doc.ResetAfterClose();
    m_timer.Stop();
    return true;
}

bool CgumDoc::IsModified() const
{
    return wxDocument::IsModified() || m_doc.m_unsavedData;
}

void CgumDoc::Modify(bool modified)
{
    if (!modified)
        m_doc.m_unsavedData = false;
    wxDocument::Modify(modified);
}

bool CgumDoc::OnSaveModified()
{
    if (!IsModified())
        return true;
    const wxString text = wxString::Format(_("Do you want to save changes to %s?"), GetUserReadableName());
    switch (zxQuestionCancelBox(text, BoxCaption())) {
    case wxID_YES:
        return Save();
    case wxID_NO:
        Modify(false);
        return true;
    default:
        return false;
    }
}

bool CgumDoc::SaveAs()
{
    // The chooser starts in the data folder of the options, else in the
    // folder last remembered.
    wxString remembered;
    if (wxTheApp && wxGetApp().m_docManager) {
        CgumDocManager* manager = wxGetApp().m_docManager;
        remembered = FolderExists(manager->m_dataDir) ? manager->m_dataDir : manager->GetLastDirectory();
        if (!FolderExists(remembered))
            remembered.clear();
    }
    const wxString oldPath = GetFilename();
    const bool savedBefore = !oldPath.empty() && GetDocumentSaved();
    if (wxDocTemplate* templ = GetDocumentTemplate())
        templ->SetDirectory(savedBefore ? wxString() : remembered);
    if (!ChooseSavePath())
        return false;
    const wxString newFolder = wxFileName(GetFilename()).GetPath();
    if (savedBefore && newFolder == wxFileName(oldPath).GetPath())
        return true;
    gumRememberFolder(newFolder);
    return true;
}

bool CgumDoc::ChooseSavePath()
{
    wxDocTemplate* templ = GetDocumentTemplate();
    if (!templ)
        return false;
    wxString filter = templ->GetDescription() + " (" + templ->GetFileFilter() + ")|" + templ->GetFileFilter();
    if (wxDocManager* manager = GetDocumentManager()) {
        for (wxList::compatibility_iterator node = manager->GetTemplates().GetFirst(); node; node = node->GetNext()) {
            auto* other = static_cast<wxDocTemplate*>(node->GetData());
            if (other == templ || !other->IsVisible() || other->GetDocClassInfo() != templ->GetDocClassInfo() ||
                other->GetViewClassInfo() != templ->GetViewClassInfo())
                continue;
            filter << "|" << other->GetDescription() << " (" << other->GetFileFilter() << ") |"
                   << other->GetFileFilter();
        }
    }
    wxString folder = templ->GetDirectory();
    if (folder.empty())
        folder = wxFileName(GetFilename()).GetPath();
    wxString path;
    if (!gumSaveFileSelector(path, templ->GetDefaultExtension(), _("Save as"), folder,
                             wxFileName(GetFilename()).GetFullName(), templ->GetDefaultExtension(), filter,
                             wxFD_SAVE, GetDocumentWindow(), wxDefaultCoord, wxDefaultCoord))
        return false;
    // Named before the save: a failed save leaves the new name in place.
    SetFilename(path, false);
    SetTitle(wxFileName(path).GetFullName());
    OnChangeFilename(true);
    if (!OnSaveDocument(path))
        return false;
    if (templ->FileMatchesTemplate(path) && GetDocumentManager())
        GetDocumentManager()->AddFileToHistory(path);
    return true;
}

void CgumDoc::SetDocumentFilename(const wxString& name)
{
    wxFileName file(GetFilename());
    file.SetName(name);
    const wxDocTemplate* templ = GetDocumentTemplate();
    const wxString extension = templ ? templ->GetDefaultExtension() : wxString();
    if (extension.empty())
        file.ClearExt();
    else
        file.SetExt(extension);
    SetFilename(file.GetFullPath(), true);
    SetTitle(name);
}

bool CgumDoc::ConfirmDiscard(const wxString& message, bool force)
{
    if (!appIsAllowed(FEATURE_SAVE) || m_doc.m_data.m_records <= 0 || !(force || m_doc.m_unsavedData))
        return true;
    const wxString text = (message.empty() ? gumGetString(900) : message) + zxNewLine() + gumGetString(901);
    switch (zxQuestionCancelBox(text, BoxCaption())) {
    case wxID_YES:
        return SaveAs();
    case wxID_NO:
        m_doc.m_unsavedData = false;
        return true;
    default:
        return false;
    }
}

void CgumDoc::MarkSaved()
{
    Modify(false);
}

void CgumDoc::RenewFrameTitle()
{
    if (CgumFrame* frame = wxTheApp ? wxGetApp().m_frame : nullptr)
        frame->UpdateTitle(this);
}

void CgumDoc::UpdateDocViews(CdocHint& hint)
{
    UpdateAllViews(nullptr, &hint);
}

void CgumDoc::ModifyDoc()
{
    Modify(true);
}

