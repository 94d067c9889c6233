#include "document/gumDoc.h"

#include "app/appOptions.h"
#include "files/gumFile.h"
#include "files/gumFileDialogs.h"
#include "transport/zxMessageBox.h"
#include "views/grnGraph.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dcmemory.h>
#include <wx/utils.h>

namespace {

// The graph picture's size, whatever the size of the graph window.
constexpr int kGraphPictureSize = 1000;

} // namespace

bool CgumDoc::ExportFile(int format)
{
    if (!appIsAllowed(FEATURE_EXPORT))
        return false;
    wxString path;
    if (!gumSelectExportFile(path, format))
        return false;
    wxBusyCursor busy;
    CgumFile file;
    if (!file.WriteFile(path, m_doc, format)) {
        zxMessageBox(_("Sorry, could not save this file."), wxTheApp ? wxTheApp->GetAppName() : wxString());
        return false;
    }
    return true;
}

void CgumDoc::CopyGraph()
{
    if (!appIsAllowed(FEATURE_COPY_GRAPH))
        return;
    wxBitmap bitmap(kGraphPictureSize, kGraphPictureSize, wxBITMAP_SCREEN_DEPTH);
    if (bitmap.IsOk()) {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        CgrnGraph renderer;
        renderer.SetDoc(&m_doc);
        // An empty graph is still a picture worth copying.
        renderer.Draw(dc, wxRect(0, 0, kGraphPictureSize, kGraphPictureSize), false);
        dc.SelectObject(wxNullBitmap);
    }
    wxClipboardLocker locker;
    if (!locker)
        return;
    wxTheClipboard->Clear();
    if (bitmap.IsOk())
        wxTheClipboard->SetData(new wxBitmapDataObject(bitmap));
}

void CgumDoc::CopyTable()
{
    if (!appIsAllowed(FEATURE_COPY_TABLE))
        return;
    wxString text;
    CgumFile file;
    const bool written = file.WriteTableText(text, m_doc);
    wxClipboardLocker locker;
    if (!locker)
        return;
    wxTheClipboard->Clear();
    if (written)
        wxTheClipboard->SetData(new wxTextDataObject(text));
}
