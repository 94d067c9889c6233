#include "files/gumFileDialogs.h"

#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "transport/zxMessageBox.h"

#include "files/docFile.h"

#include <wx/filedlg.h>
#include <wx/filename.h>

namespace {

gumSaveFileHook g_saveHook;

wxString AskPath(const wxString& message, const wxString& folder, const wxString& name,
                 const wxString& defaultExtension, const wxString& wildcard, int flags, wxWindow* parent, int x,
                 int y)
{
    if (g_saveHook)
        return g_saveHook(message, folder, name);
    return wxFileSelector(message, folder, name, defaultExtension, wildcard, flags, parent, x, y);
}

} // namespace

bool gumSaveFileSelector(wxString& path, const wxString& extension, const wxString& message,
                         const wxString& folder, const wxString& name, const wxString& defaultExtension,
                         const wxString& wildcard, int flags, wxWindow* parent, int x, int y)
{
    wxString startFolder = folder;
    wxString startName = name;
    for (;;) {
        wxString chosen = AskPath(message, startFolder, startName, defaultExtension, wildcard, flags, parent, x, y);
        if (chosen.empty())
            return false;
        wxFileName file(chosen);
        if (!extension.empty() && !file.HasExt()) {
            chosen += "." + extension;
            file.Assign(chosen);
        }
        if (gumConfirmOverwrite(chosen)) {
            path = chosen;
            return true;
        }
        startFolder = file.GetPath();
        startName = file.GetFullName();
    }
}

bool gumConfirmOverwrite(const wxString& path)
{
    if (!wxFileName::FileExists(path))
        return true;
    const wxString text = wxString::Format(_("File '%s' already exists."), wxFileName(path).GetFullName()) +
                          zxNewLine() + _("Do you want to replace it?");
    return zxQuestionBox(text, _("Confirm Save"));
}

void gumRememberFolder(const wxString& folder)
{
    CgumDocManager* manager = wxTheApp ? wxGetApp().m_docManager : nullptr;
    if (!manager)
        return;
    const wxString remembered = manager->GetLastDirectory();
    if (wxFileName::DirExists(folder) || remembered.empty() || !wxFileName::DirExists(remembered))
        manager->SetLastDirectory(folder);
}

namespace {

struct ExportKind
{
    const char* title;
    const char* wildcard;
    const char* extension;
};

ExportKind ExportKindOf(int format)
{
    switch (format) {
    case DOC_FORMAT_OWN_LF:
    case DOC_FORMAT_OWN:
        return {"Save As", "Quorvanti Data (*.qvd)|*.qvd", ".qvd"};
    case DOC_FORMAT_OBD:
        return {"Export As Ombex Bench Data", "Ombex Bench Data (*.obd)|*.obd", ".obd"};
    case DOC_FORMAT_SID:
        return {"Export as Software Independent Data", "Software Independent Data (*.sid)|*.sid", ".sid"};
    case DOC_FORMAT_CSV:
        return {"Export as Comma Separated Values", "Comma Separated Values (*.csv)|*.csv", ".csv"};
    case DOC_FORMAT_TSV:
        return {"Export as Tab Separated Values", "Tab Separated Values (*.tsv)|*.tsv", ".tsv"};
    case DOC_FORMAT_MARKER_TEXT:
    case DOC_FORMAT_TEXT:
    case DOC_FORMAT_TABLE_COPY:
        return {"Export as Text", "Text (*.txt)|*.txt", ".txt"};
    case DOC_FORMAT_TEMPLATE:
        return {"Export as Template", "Quorvanti Template (*.qvt)|*.qvt", ".qvt"};
    default:
        return {"Save As", "All Files (*.*)|*.*", ""};
    }
}

} // namespace

bool gumSelectExportFile(wxString& path, int format)
{
    const ExportKind kind = ExportKindOf(format);
    const wxString title = wxGetTranslation(kind.title);
    const wxString wildcard = wxGetTranslation(kind.wildcard);
    const wxString extension = kind.extension;
    CgumDocManager* manager = wxTheApp ? wxGetApp().m_docManager : nullptr;
    wxString folder = manager ? manager->GetLastDirectory() : wxString();
    if (!folder.empty() && !wxFileName::DirExists(folder))
        folder.clear();
    wxString name;
    for (;;) {
        wxString chosen;
        if (g_saveHook) {
            chosen = g_saveHook(title, folder, name);
        } else {
            wxFileDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, title, folder, name, wildcard,
                                wxFD_SAVE, wxDefaultPosition, wxDefaultSize, "filedlg");
            dialog.Centre(wxBOTH);
            if (dialog.ShowModal() == wxID_OK)
                chosen = dialog.GetPath();
        }
        if (chosen.empty())
            return false;
        // The extension is compared without case: "data.CSV" stays as it is.
        if (!extension.empty() && (chosen.length() <= 4 || chosen.Right(4).Lower() != extension.Lower()))
            chosen += extension;
        if (gumConfirmOverwrite(chosen)) {
            path = chosen;
            gumRememberFolder(wxFileName(chosen).GetPath());
            return true;
        }
        const wxFileName file(chosen);
        folder = file.GetPath();
        name = file.GetFullName();
    }
}

void gumSetSaveFileHook(gumSaveFileHook hook)
{
    g_saveHook = std::move(hook);
}
