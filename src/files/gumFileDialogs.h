#pragma once
#include <functional>
#include <wx/string.h>

class wxWindow;

// The Save As chooser: asks until a path is chosen whose file does not exist
// or may be replaced; an extension is added to a path that has none.
bool gumSaveFileSelector(wxString& path, const wxString& extension, const wxString& message,
                         const wxString& folder, const wxString& name, const wxString& defaultExtension,
                         const wxString& wildcard, int flags, wxWindow* parent, int x, int y);
// True when no file is at the path or the user agrees to replace it.
bool gumConfirmOverwrite(const wxString& path);
// Makes the folder the remembered one (the document manager's last folder)
// when it exists, and also when the remembered one is empty or gone.
void gumRememberFolder(const wxString& folder);

// The export chooser of the format index: asks until a path is chosen whose
// file does not exist or may be replaced, adds the format's extension and
// remembers the folder.
bool gumSelectExportFile(wxString& path, int format);

// Replaces the toolkit's file selector and the export chooser of gumSaveFileSelector (tests): it gets
// the message, folder and name and returns the chosen path or an empty text.
using gumSaveFileHook = std::function<wxString(const wxString& message, const wxString& folder, const wxString& name)>;
void gumSetSaveFileHook(gumSaveFileHook hook);
