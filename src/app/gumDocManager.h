#pragma once
#include <functional>
#include <memory>
#include <wx/cmndata.h>
#include <wx/docview.h>

class CguvView;

// The document manager: opening files four ways, the file history, the frame
// title, page set-up, page margins, print and print preview.
class CgumDocManager : public wxDocManager
{
public:
    CgumDocManager(long flags = 0, bool initialize = true);
    ~CgumDocManager() override;

    bool CreatePrintData();
    void DeletePrintData();
    wxPrintData* GetPrintData() const { return m_printData.get(); }

    void SetDataDirectory(const wxString& folder);
    bool OpenAsTemplate(const wxString& path, long flags);
    bool OpenAsImport(const wxString& path, long flags);
    CguvView* GetPrintableView();

    wxString MakeFrameTitle(wxDocument* doc) override;
    void AddFileToHistory(const wxString& file) override;

    void OnPageSetup(wxCommandEvent& event);
    void OnPageMargins(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);
    void OnPreview(wxCommandEvent& event);
    void OnFileOpen(wxCommandEvent& event);
    void OnImport(wxCommandEvent& event);
    void OnOpenWorksheet(wxCommandEvent& event);
    void OnOpenTemplate(wxCommandEvent& event);

    void OnUpdateEnable(wxUpdateUIEvent& event);
    void OnUpdatePrint(wxUpdateUIEvent& event);
    void OnUpdateSave(wxUpdateUIEvent& event);
    void OnUpdateSaveAs(wxUpdateUIEvent& event);
    void OnUpdateKeep(wxUpdateUIEvent& event);

    std::unique_ptr<wxPrintData> m_printData;
    std::unique_ptr<wxPageSetupDialogData> m_pageSetupData;
    wxString m_worksheetDir;
    wxString m_templateDir;
    wxString m_dataDir;
    bool m_addToHistory = true;

private:
    void SetTemplatesVisible(bool first, bool others);
    void RestoreTemplates();
    bool ReopenAs(wxDocument* doc, bool asTemplate);
    wxString TemplatesFolder();
    void OpenWorksheetTemplate(const wxString& worksheet);
    wxString ChooseExistingFile(const wxString& title, const wxString& folder, const wxString& filter);

    wxDECLARE_EVENT_TABLE();
};

// Opens an address or a file path in the system's default browser.
bool gumLaunchBrowser(const wxString& address, int flags);

// Replaces the browser launch (tests); an empty function restores it.
using gumBrowserLauncher = std::function<bool(const wxString& address, int flags)>;
void gumSetBrowserLauncher(gumBrowserLauncher launcher);

// Replaces the file chooser of the worksheet and template commands (tests);
// it gets the title and returns the chosen path or an empty text.
using gumFileChooser = std::function<wxString(const wxString& title)>;
void gumSetFileChooser(gumFileChooser chooser);
