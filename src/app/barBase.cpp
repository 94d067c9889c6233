#include "app/barBase.h"

#include "app/base/gumIds.h"

#include <wx/artprov.h>

namespace {

struct ToolKind
{
    int command;
    const char* label;
    const char* tooltip;
    const char* status;
    const char* picture; // stand-in picture until the tool bitmaps are in
};

// Kinds 12 to 24, the side bar's.
const ToolKind kSideKinds[] = {
    {wxID_NEW, "New", "Choose a new experiment", "New", wxART_NEW},
    {wxID_EXIT, "Quit", "Quit the program", "Quit", wxART_QUIT},
    {ID_START, "Start", "Start logging", "Start", wxART_GO_FORWARD},
    {wxID_CLOSE, "Stop", "Stop checking the sensors", "Stop", wxART_CROSS_MARK},
    {wxID_OPEN, "Open", "Open an existing data file", "Open file", wxART_FILE_OPEN},
    {ID_FETCH, "Fetch", "Fetch data from the logger", "Fetch", wxART_GO_DOWN},
    {ID_START, "Start", "Start logging", "Start", wxART_GO_FORWARD},
    {ID_STOP, "Stop", "Stop logging", "Stop", wxART_CROSS_MARK},
    {ID_STORE, "Store", "Store current values", "Store", wxART_TICK_MARK},
    {ID_MARK, "Mark", "Mark current reading", "Mark", wxART_TICK_MARK},
    {wxID_NEW, "New", "Choose a new experiment", "New", wxART_CROSS_MARK},
    {wxID_SAVE, "Save", "Save current data to a file", "Save file", wxART_FILE_SAVE},
    {wxID_PRINT, "Print", "Print current graph", "Print graph", wxART_PRINT},
};

} // namespace

CbarBase::CbarBase(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size, long style,
                   const wxString& name)
    : wxToolBar(parent, id, position, size, style, name)
{
    CbarBase::SaveState();
}

CbarBase::~CbarBase() = default;

void CbarBase::UpdateWindowUI(long flags)
{
    if (StateChanged())
        UpdateTools();
    wxToolBar::UpdateWindowUI(flags);
}

void CbarBase::SaveState() {}

bool CbarBase::StateChanged()
{
    return false;
}

void CbarBase::UpdateTools() {}

void CbarBase::AddCommandTool(unsigned int kind)
{
    if (kind < 12 || kind > 24)
        return;
    const ToolKind& k = kSideKinds[kind - 12];
    const int size = m_largeIcons ? 48 : 32;
    AddTool(k.command, wxGetTranslation(k.label),
            wxArtProvider::GetBitmap(k.picture, wxART_TOOLBAR, wxSize(size, size)), wxNullBitmap,
            wxITEM_NORMAL, wxGetTranslation(k.tooltip), wxGetTranslation(k.status));
}

void CbarBase::UpdateIfChanged(bool force)
{
    const bool changed = StateChanged();
    if (changed || force)
        UpdateTools();
}
