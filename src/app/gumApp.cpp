#include "app/gumApp.h"

#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumHelpController.h"
#include "app/gumHtmlFilter.h"
#include "app/base/gumHelpers.h"
#include "app/gumTestHooks.h"
#include "dialogs/gudBTChooser.h"
#include "document/gumDoc.h"
#include "transport/zxBTDevice.h"
#include "transport/zxBluezBtle.h"
#include "transport/zxBtle.h"
#include "transport/zxMessageBox.h"
#include "views/gumView.h"

#include <wx/button.h>
#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/fileconf.h>
#include <wx/fs_arc.h>
#include <wx/html/helpctrl.h>
#include <wx/html/htmlwin.h>
#include <wx/log.h>
#include <wx/msgout.h>
#include <wx/settings.h>
#include <wx/snglinst.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

wxIMPLEMENT_APP_NO_MAIN(CgumApp);

namespace {

struct TemplateRow
{
    const char* description;
    const char* filter;
    const char* extension;
    bool visible;
};

const TemplateRow kTemplates[6] = {
    {"Quorvanti Data", "*.qvd", "qvd", true},
    {"Data files", "*.qvd;*.obd;*.sid", "qvd;obd;sid", false},
    {"Quorvanti Data", "*.qvd", "qvd", false},
    {"Quorvanti Template", "*.qvt", "qvt", false},
    {"Ombex Bench Data", "*.obd", "obd", false},
    {"Software Independent Data", "*.sid", "sid", false},
};

// With the simulated logger, a simulated Bluetooth LE adapter stands in for
// the system's, powered on with two simulated loggers in range.
void gumSimulateBluetoothLoggers()
{
    CzxBtleAdapter& adapter = CzxBtleManager::Shared().UseSimulated();
    adapter.SetState(BTLE_STATE_POWERED_ON);
    adapter.AddInRange({"5A1E0001-7C3E-4A1D-9E85-3D6B20C4F9A1", "Kestilon SIM-1"});
    adapter.AddInRange({"5A1E0002-7C3E-4A1D-9E85-3D6B20C4F9A1", "Tundrane 2 SIM-2"});
}

} // namespace

CgumApp::CgumApp() = default;

CgumApp::~CgumApp() = default;

void CgumApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddLongSwitch("simulate", _("use the built-in simulated logger"));
}

bool CgumApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (parser.FoundSwitch("simulate") == wxCMD_SWITCH_ON)
        m_simulate = true;
    return wxApp::OnCmdLineParsed(parser);
}

bool CgumApp::OnInit()
{
    gumInstallBoxPresenter();
    CzxBTDevice::SetChooser(&gudChooseBTDevice);

    bool otherRunning = false;
    {
        wxLogNull quiet;
        const wxString name = wxString::Format("Quorvanti-%s", wxGetUserId());
        m_checker = new wxSingleInstanceChecker;
        otherRunning = m_checker->Create(name) && m_checker->IsAnotherRunning();
    }
    OnInitLocale();
    if (otherRunning) {
        zxInfoBox(_("Quorvanti is already running"));
        EndFailedStart();
        return false;
    }
    if (!wxApp::OnInit()) {
        EndFailedStart();
        return false;
    }
    wxInitAllImageHandlers();
    if (!m_res.Load()) {
        EndFailedStart();
        return false;
    }
    SetAppName(gumGetAppName());
    SetVendorName(gumGetVendorName());
    m_options.Load(false);
    m_options.UpdateLevelFlags();
    gumCreateConfig();
    gumGetConfig();
    if (!m_senFile.Load()) {
        EndFailedStart();
        return false;
    }
    // Tests ask for the simulated logger through the environment.
    wxString simulate;
    if (wxGetEnv("QUORVANTI_SIMULATE", &simulate) && simulate == "1")
        m_simulate = true;
    m_boxes.SetSimulated(m_simulate);
    if (m_simulate)
        gumSimulateBluetoothLoggers();
    else
        CzxBtleManager::Shared().SetPlatform(std::make_unique<CzxBluezBtle>());
    CzxBtle& btle = zxGetBtle();
    btle.LoadUserDefaults();
    const CappOptionsFile options = m_options.GetCurrentCopy();
    btle.SetSelectedLogger(options.BluetoothSmartUUID, options.BluetoothSmartName);
    if (!m_boxes.StartThreads()) {
        EndFailedStart();
        return false;
    }

    wxFileSystem::AddHandler(new wxArchiveFSHandler);
    wxHtmlWindow::AddFilter(new CgumHtmlFilter);
    m_help = new CgumHelpController(wxHF_DEFAULT_STYLE, nullptr);
    {
        wxLogNull quiet; // a missing help book is ignored
        wxFileName book;
        m_res.GetHelpBookFile(book);
        if (book.FileExists())
            m_help->Initialize(book.GetFullPath());
    }

    m_docManager = new CgumDocManager;
    if (!m_docManager->CreatePrintData()) {
        zxMessageBox(_("Not enough memory"));
        EndFailedStart();
        return false;
    }
    LoadFileHistory();

    for (size_t i = 0; i < m_templates.size(); ++i) {
        const TemplateRow& row = kTemplates[i];
        m_templates[i] = new wxDocTemplate(m_docManager, row.description, row.filter, wxString(),
                                           row.extension, "Quorvanti Doc", "Quorvanti View",
                                           CLASSINFO(CgumDoc), CLASSINFO(CgumView),
                                           row.visible ? wxTEMPLATE_VISIBLE : wxTEMPLATE_INVISIBLE);
    }

    m_frame = new CgumFrame(m_docManager, nullptr, wxID_ANY, "Quorvanti");

    const wxString folder = m_options.GetCurrentCopy().FileFolder;
    m_docManager->m_dataDir = (!folder.empty() && wxDirExists(folder))
                                  ? folder
                                  : wxStandardPaths::Get().GetDocumentsDir();
    m_docManager->SetMaxDocsOpen(1);

    m_frame->Maximize(true);
    m_frame->Show(true);
    SetTopWindow(m_frame);
    m_frame->CreateMenuBar();
    m_docManager->CreateDocument(wxString(), wxDOC_NEW);
    return true;
}

// A start that fails after the threads or managers exist must not leave them
// behind: OnExit is not called then.
void CgumApp::EndFailedStart()
{
    m_boxes.StopThreads();
    if (m_frame) {
        m_frame->Destroy();
        m_frame = nullptr;
    }
    if (m_docManager)
        m_docManager->DeletePrintData();
    delete m_help;
    m_help = nullptr;
    delete m_docManager;
    m_docManager = nullptr;
    delete m_checker;
    m_checker = nullptr;
}

int CgumApp::OnExit()
{
    if (!wxConfigBase::Get(false))
        gumGetConfig();
    SaveFileHistory();
    m_boxes.StopThreads();
    if (m_docManager)
        m_docManager->DeletePrintData();
    delete m_help;
    m_help = nullptr;
    delete m_docManager;
    m_docManager = nullptr;
    delete m_checker;
    m_checker = nullptr;
    return wxApp::OnExit();
}

bool CgumApp::OnInitLocale()
{
    bool ok = false;
    {
        wxLogNull quiet;
        ok = m_locale.Init(wxLANGUAGE_DEFAULT, wxLOCALE_LOAD_DEFAULT);
    }
    if (!ok) {
        // Reported on standard error: a log box would block an unattended start.
        wxMessageOutputStderr().Printf("%s\n", "This language is not supported by the system.");
        return false;
    }
    m_res.SetLanguage(m_locale.GetCanonicalName().BeforeFirst('_'));
    wxFileName folder;
    m_res.GetResourceFolder(folder);
    wxLocale::AddCatalogLookupPathPrefix(folder.GetPath());
    wxLogNull quiet;
    m_locale.AddCatalog("wxstd");
    m_locale.AddCatalog(wxPlatformInfo::Get().GetPortIdShortName().Lower());
    m_locale.AddCatalog("Quorvanti");
    return true;
}

void gumCreateConfig()
{
    wxFileName file;
    if (CgumResCore* res = gumGetResCore())
        res->GetUserConfigFile(file);
    {
        wxLogNull quiet;
        wxFileName::Mkdir(file.GetPath(), 0777, wxPATH_MKDIR_FULL);
    }
    auto* config = new wxFileConfig(wxTheApp ? wxTheApp->GetAppName() : gumGetAppName(),
                                    wxTheApp ? wxTheApp->GetVendorName() : gumGetVendorName(),
                                    file.GetFullPath(), wxString(), wxCONFIG_USE_LOCAL_FILE);
    delete wxConfigBase::Set(config);
}

wxConfigBase* gumGetConfig()
{
    return wxConfigBase::Get(true);
}

void CgumApp::LoadFileHistory()
{
    wxConfigBase* config = wxConfigBase::Get(false);
    if (config && m_docManager)
        m_docManager->FileHistoryLoad(*config);
}

void CgumApp::SaveFileHistory()
{
    wxConfigBase* config = wxConfigBase::Get(false);
    if (config && m_docManager) {
        m_docManager->FileHistorySave(*config);
        config->Flush();
    }
}

CdocDoc* CgumApp::GetCurrentDocDoc()
{
    CgumDoc* doc = GetCurrentDocument();
    return doc ? &doc->m_doc : nullptr;
}

CgumDoc* CgumApp::GetCurrentDocument()
{
    if (!m_docManager)
        return nullptr;
    return dynamic_cast<CgumDoc*>(m_docManager->GetCurrentDocument());
}

// F1 in a window of its own (a dialog, the set-up wizard) does what the
// window's Help button does; the Help menu's F1 belongs to the main frame.
bool CgumApp::PressHelpButton(wxKeyEvent& event)
{
    if (event.GetKeyCode() != WXK_F1 || event.GetModifiers() != wxMOD_NONE)
        return false;
    auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    wxWindow* top = window ? wxGetTopLevelParent(window) : nullptr;
    if (!top || top == m_frame)
        return false;
    auto* button = dynamic_cast<wxButton*>(top->FindWindow(wxID_HELP));
    if (!button || !button->IsShownOnScreen() || !button->IsEnabled())
        return false;
    // Queued, so that the help window's modal loop does not run inside the key filter.
    wxCommandEvent click(wxEVT_BUTTON, wxID_HELP);
    click.SetEventObject(button);
    button->GetEventHandler()->AddPendingEvent(click);
    return true;
}

int CgumApp::FilterEvent(wxEvent& event)
{
    if (event.GetEventType() != wxEVT_KEY_DOWN)
        return -1;
    auto& key = static_cast<wxKeyEvent&>(event);
    if (PressHelpButton(key))
        return 1;
    return m_frame ? m_frame->FilterKey(key) : -1;
}

void CgumApp::ShowHelp(const wxString& page, wxWindow* parent)
{
    wxFileName book;
    m_res.GetHelpBookFile(book);
    if (parent) {
        CgumHelpController dialog(wxHF_DEFAULT_STYLE | wxHF_DIALOG | wxHF_MODAL, parent);
        {
            wxLogNull quiet;
            dialog.AddBook(book);
        }
        if (page.empty())
            dialog.DisplayContents();
        else
            dialog.Display(page);
        return;
    }
    if (!m_help)
        return;
    if (page.empty())
        m_help->DisplayContents();
    else
        m_help->Display(page);
}

wxFont& CgumApp::GetGuiFont()
{
    m_guiFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (m_guiFont.GetStyle() != wxFONTSTYLE_NORMAL || m_guiFont.GetWeight() != wxFONTWEIGHT_NORMAL ||
        m_guiFont.GetUnderlined()) {
        m_guiFont.SetStyle(wxFONTSTYLE_NORMAL);
        m_guiFont.SetWeight(wxFONTWEIGHT_NORMAL);
        m_guiFont.SetUnderlined(false);
    }
    return m_guiFont;
}

void CgumAppState::Save()
{
    Changed();
}

bool CgumAppState::Changed()
{
    int state = 1;
    int activity = 0;
    if (wxTheApp) {
        if (CgumDoc* doc = wxGetApp().GetCurrentDocument()) {
            state = doc->m_doc.m_state;
            activity = doc->m_doc.m_activity;
        }
    }
    const bool changed = state != m_state || activity != m_activity;
    m_state = state;
    m_activity = activity;
    return changed;
}
