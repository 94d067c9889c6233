#pragma once
#include "app/appOptions.h"
#include "app/gumRes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"

#include <array>
#include <wx/app.h>
#include <wx/font.h>
#include <wx/intl.h>

class CgumDoc;
class CdocDoc;
class CgumDocManager;
class CgumFrame;
class wxDocTemplate;
class wxHtmlHelpController;
class wxSingleInstanceChecker;
class wxWindow;

// The one application object; it owns every long-lived manager.
class CgumApp : public wxApp
{
public:
    CgumApp();
    ~CgumApp() override;

    bool OnInit() override;
    int OnExit() override;
    int FilterEvent(wxEvent& event) override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    bool OnInitLocale();
    void LoadFileHistory();
    void SaveFileHistory();
    CgumDoc* GetCurrentDocument();
    CdocDoc* GetCurrentDocDoc();
    void ShowHelp(const wxString& page, wxWindow* parent);
    wxFont& GetGuiFont();

    CgumDocManager* m_docManager = nullptr;
    std::array<wxDocTemplate*, 6> m_templates{};
    wxHtmlHelpController* m_help = nullptr;
    wxLocale m_locale;
    wxSingleInstanceChecker* m_checker = nullptr;
    CgumFrame* m_frame = nullptr;
    CgumRes m_res;
    CxhwSenFile m_senFile;
    CxhwBoxes m_boxes;
    wxFont m_guiFont;
    CappOptions m_options;
    // Set by --simulate: the connect loop opens the simulated logger.
    bool m_simulate = false;

    // Brings down what a start that failed half-way had made (OnExit is not
    // called then).
    void EndFailedStart();

private:
    bool PressHelpButton(wxKeyEvent& event);
};

wxDECLARE_APP(CgumApp);

// The open document's State and Activity as last recorded, for tool bars.
class CgumAppState
{
public:
    virtual ~CgumAppState() = default;
    void Save();
    bool Changed();

    int m_state = 0;
    int m_activity = 0;
};

// Installs the configuration file as the toolkit's global configuration.
void gumCreateConfig();
class wxConfigBase;
wxConfigBase* gumGetConfig();
