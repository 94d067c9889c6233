#include "app/gumDocManager.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumDocPrintout.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "app/gumPageMargins.h"
#include "app/gumWin.h"
#include "app/gumWindowHelpers.h"
#include "document/gumDoc.h"
#include "transport/zxMessageBox.h"
#include "views/guvGraphPanel.h"
#include "views/guvGraphView.h"
#include "views/guvGraphWin.h"
#include "wizard/gudMatchTemplate.h"

#include <mutex>
#include <new>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/printdlg.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

namespace {

std::mutex g_hookMutex;
gumBrowserLauncher g_launcher;
gumFileChooser g_chooser;

bool FolderExists(const wxString& folder)
{
    return !folder.empty() && wxFileName::DirExists(folder);
}

// The nine dialog-data values of print and preview: one page, all of it.
void SetOnePage(wxPrintDialogData& data)
{
    data.SetMinPage(1);
    data.SetMaxPage(1);
    data.SetFromPage(1);
    data.SetToPage(1);
    data.EnablePageNumbers(false);
    data.SetAllPages(true);
    data.SetSelection(false);
    data.EnableSelection(false);
    data.SetNoCopies(1);
}

// Through the program's own boxes, so that it is answered like every other.
void CouldNotOpen()
{
    const wxString name = wxTheApp ? wxTheApp->GetAppName() : wxString();
    zxMessageBox(_("Sorry, could not open this file."), name.empty() ? _("File error") : name);
}

} // namespace

wxBEGIN_EVENT_TABLE(CgumDocManager, wxDocManager)
    EVT_MENU(wxID_PAGE_SETUP, CgumDocManager::OnPageSetup)
    EVT_MENU(ID_PAGE_MARGINS, CgumDocManager::OnPageMargins)
    EVT_MENU(wxID_PRINT, CgumDocManager::OnPrint)
    EVT_MENU(wxID_PREVIEW, CgumDocManager::OnPreview)
    EVT_UPDATE_UI(wxID_PAGE_SETUP, CgumDocManager::OnUpdateEnable)
    EVT_UPDATE_UI(ID_PAGE_MARGINS, CgumDocManager::OnUpdateEnable)
    EVT_UPDATE_UI(wxID_PRINT, CgumDocManager::OnUpdatePrint)
    EVT_UPDATE_UI(wxID_PREVIEW, CgumDocManager::OnUpdatePrint)
    EVT_UPDATE_UI(wxID_SAVE, CgumDocManager::OnUpdateSave)
    EVT_UPDATE_UI(wxID_SAVEAS, CgumDocManager::OnUpdateSaveAs)
    EVT_MENU(wxID_OPEN, CgumDocManager::OnFileOpen)
    EVT_UPDATE_UI(ID_IMPORT, CgumDocManager::OnUpdateKeep)
    EVT_MENU(ID_IMPORT, CgumDocManager::OnImport)
    EVT_MENU(ID_OPEN_WORKSHEET, CgumDocManager::OnOpenWorksheet)
    EVT_UPDATE_UI(ID_OPEN_WORKSHEET, CgumDocManager::OnUpdateKeep)
    EVT_MENU(ID_OPEN_TEMPLATE, CgumDocManager::OnOpenTemplate)
    EVT_UPDATE_UI(ID_OPEN_TEMPLATE, CgumDocManager::OnUpdateKeep)
wxEND_EVENT_TABLE()

CgumDocManager::CgumDocManager(long flags, bool initialize) : wxDocManager(flags, initialize) {}

CgumDocManager::~CgumDocManager() = default;

bool CgumDocManager::CreatePrintData()
{
    m_printData.reset(new (std::nothrow) wxPrintData);
    if (!m_printData)
        return false;
    m_pageSetupData.reset(new (std::nothrow) wxPageSetupDialogData);
    if (!m_pageSetupData) {
        m_printData.reset();
        return false;
    }
    *m_pageSetupData = *m_printData;
    m_pageSetupData->SetMarginTopLeft(wxPoint(10, 10));
    m_pageSetupData->SetMarginBottomRight(wxPoint(10, 10));
    return true;
}

void CgumDocManager::DeletePrintData()
{
    m_printData.reset();
    m_pageSetupData.reset();
}

void CgumDocManager::SetDataDirectory(const wxString& folder)
{
    if (FolderExists(folder))
        m_dataDir = folder;
    if (!FolderExists(m_dataDir))
        m_dataDir = folder;
}

wxString CgumDocManager::MakeFrameTitle(wxDocument* doc)
{
    if (!doc)
        return zxAppTitle();
    return doc->GetUserReadableName() + _(" - ") + zxAppTitle();
}

void CgumDocManager::AddFileToHistory(const wxString& file)
{
    if (m_addToHistory)
        wxDocManager::AddFileToHistory(file);
}

void CgumDocManager::SetTemplatesVisible(bool first, bool others)
{
    auto& templates = wxGetApp().m_templates;
    for (size_t i = 0; i < templates.size(); ++i) {
        if (templates[i])
            templates[i]->SetFlags(((i == 0) ? first : others) ? wxTEMPLATE_VISIBLE : wxTEMPLATE_INVISIBLE);
    }
}

void CgumDocManager::RestoreTemplates()
{
    SetTemplatesVisible(true, false);
}

bool CgumDocManager::OpenAsTemplate(const wxString& path, long flags)
{
    auto& templates = wxGetApp().m_templates;
    for (size_t i = 0; i < templates.size(); ++i) {
        if (templates[i])
            templates[i]->SetFlags(i == 3 ? wxTEMPLATE_VISIBLE : wxTEMPLATE_INVISIBLE);
    }
    m_addToHistory = false;
    wxDocument* doc = CreateDocument(path, flags);
    m_addToHistory = true;
    RestoreTemplates();
    if (!doc) {
        OnOpenFileFailure();
        return false;
    }
    return ReopenAs(doc, true);
}

bool CgumDocManager::OpenAsImport(const wxString& path, long flags)
{
    SetTemplatesVisible(false, true);
    m_addToHistory = false;
    wxDocument* doc = CreateDocument(path, flags);
    m_addToHistory = true;
    RestoreTemplates();
    if (!doc) {
        OnOpenFileFailure();
        return false;
    }
    return ReopenAs(doc, false);
}

// An imported file or a template becomes an own data file that was never
// saved, so that Save asks for a name and never writes over the original.
bool CgumDocManager::ReopenAs(wxDocument* doc, bool asTemplate)
{
    wxDocTemplate* own = wxGetApp().m_templates[0];
    if (own)
        doc->SetDocumentTemplate(own);
    wxFileName name(doc->GetFilename());
    name.SetExt(own ? own->GetDefaultExtension() : wxString("qvd"));
    doc->SetFilename(name.GetFullPath(), true);
    doc->SetTitle(name.GetFullName());
    doc->SetDocumentSaved(false);
    if (asTemplate) {
        if (CgumDoc* gumDoc = dynamic_cast<CgumDoc*>(doc))
            gudMatchTemplate(gumDoc->m_doc);
    }
    return true;
}

void CgumDocManager::OnFileOpen(wxCommandEvent& event)
{
    if (FolderExists(m_dataDir))
        SetLastDirectory(m_dataDir);
    if (CreateDocument(wxString(), 0))
        SetDataDirectory(GetLastDirectory());
    else
        OnOpenFileFailure();
}

void CgumDocManager::OnImport(wxCommandEvent& event)
{
    if (FolderExists(m_dataDir))
        SetLastDirectory(m_dataDir);
    if (OpenAsImport(wxString(), 0))
        SetDataDirectory(GetLastDirectory());
}

wxString CgumDocManager::TemplatesFolder()
{
    if (!FolderExists(m_templateDir)) {
        wxFileName folder;
        if (CgumResCore* res = gumGetResCore())
            res->GetTemplatesFolder(folder);
        m_templateDir = folder.GetPath();
        if (!FolderExists(m_templateDir))
            m_templateDir = wxStandardPaths::Get().GetDocumentsDir();
    }
    return m_templateDir;
}

wxString CgumDocManager::ChooseExistingFile(const wxString& title, const wxString& folder,
                                            const wxString& filter)
{
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        if (g_chooser)
            return g_chooser(title);
    }
    return wxFileSelector(title, folder, wxString(), wxString(), filter, wxFD_OPEN | wxFD_FILE_MUST_EXIST,
                          wxGetApp().m_frame);
}

void CgumDocManager::OnOpenTemplate(wxCommandEvent& event)
{
    if (!appIsAllowed(FEATURE_OPEN_TEMPLATE))
        return;
    if (m_templateDir.empty())
        TemplatesFolder();
    const wxString path =
        ChooseExistingFile(_("Select a template"), m_templateDir, _("Quorvanti Template (*.qvt)|*.qvt"));
    if (path.empty())
        return;
    if (!wxFileName::FileExists(path)) {
        CouldNotOpen();
        return;
    }
    m_templateDir = wxFileName(path).GetPath();
    OpenAsTemplate(path, wxDOC_SILENT);
}

void CgumDocManager::OnOpenWorksheet(wxCommandEvent& event)
{
    if (m_worksheetDir.empty()) {
        wxFileName folder;
        if (CgumResCore* res = gumGetResCore())
            res->GetWorksheetsFolder(folder);
        m_worksheetDir = folder.GetPath();
        if (!FolderExists(m_worksheetDir))
            m_worksheetDir = wxStandardPaths::Get().GetDocumentsDir();
    }
    const wxString path = ChooseExistingFile(_("Select a worksheet"), m_worksheetDir, "*.*");
    if (path.empty())
        return;
    if (!wxFileName::FileExists(path)) {
        CouldNotOpen();
        return;
    }
    const wxFileName file(path);
    m_worksheetDir = file.GetPath();
    const wxString ext = file.GetExt();
    if (ext.IsSameAs(_("QVD"), false)) {
        m_addToHistory = false;
        wxDocument* doc = CreateDocument(path, wxDOC_SILENT);
        m_addToHistory = true;
        if (doc) {
            doc->SetFilename(file.GetFullName(), true);
            doc->SetDocumentSaved(false);
        } else {
            OnOpenFileFailure();
        }
    } else if (ext.IsSameAs(_("QVT"), false)) {
        if (appIsAllowed(FEATURE_OPEN_TEMPLATE))
            OpenAsTemplate(path, wxDOC_SILENT);
    } else if (ext.IsSameAs(_("OBD"), false) || ext.IsSameAs(_("SID"), false)) {
        OpenAsImport(path, wxDOC_SILENT);
    } else {
        gumLaunchBrowser(path, 0);
        OpenWorksheetTemplate(path);
    }
}

// A worksheet of another application may have a template of the same name.
void CgumDocManager::OpenWorksheetTemplate(const wxString& worksheet)
{
    wxFileName name(worksheet);
    wxDocTemplate* templ = wxGetApp().m_templates[3];
    name.SetExt(templ ? templ->GetDefaultExtension() : wxString("qvt"));
    const wxString fileName = name.GetFullName();

    wxFileName beside(name.GetPath(), wxString());
    if (beside.GetDirCount() > 0)
        beside.RemoveLastDir();
    beside.AppendDir(_("Quorvanti Templates"));

    wxFileName appTemplates;
    if (CgumResCore* res = gumGetResCore())
        res->GetTemplatesFolder(appTemplates);

    const wxString folders[] = {name.GetPath(), beside.GetPath(), TemplatesFolder(), appTemplates.GetPath()};
    for (const wxString& folder : folders) {
        const wxFileName candidate(folder, fileName);
        if (candidate.FileExists() && candidate.IsFileReadable()) {
            OpenAsTemplate(candidate.GetFullPath(), wxDOC_SILENT);
            return;
        }
    }
}

CguvView* CgumDocManager::GetPrintableView()
{
    CdocDoc* doc = wxGetApp().GetCurrentDocDoc();
    if (!doc || doc->m_state < DOC_STATE_FETCHING || doc->m_state > DOC_STATE_STOPPED)
        return nullptr;
    CgumFrame* frame = wxGetApp().m_frame;
    if (!frame || !frame->m_content || !frame->m_content->m_graphPanel ||
        !frame->m_content->m_graphPanel->m_window)
        return nullptr;
    return frame->m_content->m_graphPanel->m_window->m_view;
}

void CgumDocManager::OnUpdateEnable(wxUpdateUIEvent& event)
{
    event.Enable(true);
}

void CgumDocManager::OnUpdatePrint(wxUpdateUIEvent& event)
{
    CguvView* view = GetPrintableView();
    wxWindow* window = view ? view->GetWindow() : nullptr;
    event.Enable(window && window->IsShownOnScreen());
}

void CgumDocManager::OnUpdateSave(wxUpdateUIEvent& event)
{
    CgumDoc* doc = wxGetApp().GetCurrentDocument();
    event.Enable(doc && doc->IsModified() && doc->m_doc.m_state > DOC_STATE_READY);
}

void CgumDocManager::OnUpdateSaveAs(wxUpdateUIEvent& event)
{
    CgumDoc* doc = wxGetApp().GetCurrentDocument();
    event.Enable(doc && doc->m_doc.m_state > DOC_STATE_READY);
}

void CgumDocManager::OnUpdateKeep(wxUpdateUIEvent& event) {}

void CgumDocManager::OnPrint(wxCommandEvent& event)
{
    CguvView* view = GetPrintableView();
    if (!view || !m_printData)
        return;
    std::unique_ptr<wxPrintout> printout(view->OnCreatePrintout());
    if (!printout) {
        zxMessageBox(_("Not enough memory"));
        return;
    }
    wxPrintDialogData data(*m_printData);
    wxPrinter printer(&data);
    SetOnePage(printer.GetPrintDialogData());
    if (printer.Print(wxGetApp().m_frame, printout.get(), true))
        *m_printData = printer.GetPrintDialogData().GetPrintData();
    else if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        zxMessageBox(_("There was a problem printing.\nPerhaps your current printer is not set correctly?"));
}

void CgumDocManager::OnPreview(wxCommandEvent& event)
{
    CguvView* view = GetPrintableView();
    if (!view || !m_printData)
        return;
    wxPrintDialogData data(*m_printData);
    wxPrintout* shown = view->OnCreatePrintout();
    wxPrintout* printed = view->OnCreatePrintout();
    if (!shown || !printed) {
        delete shown;
        delete printed;
        zxMessageBox(_("Not enough memory"));
        return;
    }
    auto* preview = new wxPrintPreview(shown, printed, &data);
    SetOnePage(preview->GetPrintDialogData());
    if (!preview->IsOk()) {
        delete preview;
        zxMessageBox(_("Sorry, print preview needs a printer to be installed."));
        return;
    }
    auto* frame = new wxPreviewFrame(preview, wxGetApp().m_frame, _("Print Preview"), wxPoint(100, 100),
                                     wxSize(600, 650), wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT, "frame");
    frame->Centre(wxBOTH);
    frame->Initialize();
    // The toolkit's initialisation fits the frame to its still empty canvas.
    frame->SetSize(wxSize(600, 650));
    frame->Centre(wxBOTH);
    frame->Show(true);
}

void CgumDocManager::OnPageSetup(wxCommandEvent& event)
{
    if (!m_printData || !m_pageSetupData)
        return;
    *m_pageSetupData = *m_printData;
    wxPageSetupDialog dialog(wxGetApp().m_frame, m_pageSetupData.get());
    dialog.ShowModal();
    *m_printData = dialog.GetPageSetupDialogData().GetPrintData();
    *m_pageSetupData = dialog.GetPageSetupDialogData();
}

void CgumDocManager::OnPageMargins(wxCommandEvent& event)
{
    if (!m_printData || !m_pageSetupData)
        return;
    *m_pageSetupData = *m_printData;
    CgumPageMargins dialog(wxGetApp().m_frame, *m_pageSetupData);
    gumBeforeShowModal();
    dialog.ShowModal();
    *m_printData = dialog.m_data.GetPrintData();
    *m_pageSetupData = dialog.m_data;
}

bool gumLaunchBrowser(const wxString& address, int flags)
{
    gumBrowserLauncher launcher;
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        launcher = g_launcher;
    }
    if (launcher)
        return launcher(address, flags);
    return wxLaunchDefaultBrowser(address, flags);
}

void gumSetBrowserLauncher(gumBrowserLauncher launcher)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_launcher = std::move(launcher);
}

void gumSetFileChooser(gumFileChooser chooser)
{
    std::lock_guard<std::mutex> lock(g_hookMutex);
    g_chooser = std::move(chooser);
}
