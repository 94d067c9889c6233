#include "app/barBase.h"

#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWindowHelpers.h"
#include "app/base/gumIds.h"
#include "document/docDoc.h"

#include <algorithm>
#include <wx/dcclient.h>
#include <wx/image.h>

namespace {

struct ToolKind
{
    int command;
    const char* label;
    const char* tooltip;
    const char* status;
    int picture; // -1: the picture of the user level
};

// The tool kinds of the bars; a kind with no command adds nothing.
const ToolKind kKinds[] = {
    {wxID_NEW, "New", "Start a new experiment", "New file", BMP_NEW},
    {wxID_OPEN, "Open", "Open an existing data file", "Open file", BMP_OPEN},
    {ID_START, "Start", "Start logging and graphing data", "Start logging", BMP_START},
    {ID_STOP, "Stop", "Stop logging and graphing data", "Stop logging", BMP_STOP},
    {0, "", "", "", 0},
    {ID_USER_LEVEL, "Level", "Change level", "Level", -1},
    {wxID_HELP, "Help", "Display information about this program", "Help", BMP_HELP},
    {wxID_CLOSE, "Cancel", "Cancel", "Cancel", BMP_CANCEL},
    {ID_VIEW_TABLE, "Table", "Show the table", "Table", BMP_TABLE},
    {ID_VIEW_DIGITS, "Digits", "Show the digits", "Digits", BMP_DIGITS},
    {ID_INFORMATION, "Information", "Display information and statistics", "Information", BMP_INFORMATION},
    {ID_DELETE_LAST, "Delete Last", "Delete the last reading", "Delete Last", BMP_DELETE_LAST},
    {wxID_NEW, "New", "Choose a new experiment", "New", BMP_START},
    {wxID_EXIT, "Quit", "Quit the program", "Quit", BMP_STOP},
    {ID_START, "Start", "Start logging", "Start", BMP_START},
    {wxID_CLOSE, "Stop", "Stop checking the sensors", "Stop", BMP_STOP},
    {wxID_OPEN, "Open", "Open an existing data file", "Open file", BMP_OPEN},
    {ID_FETCH, "Fetch", "Fetch data from the logger", "Fetch", BMP_FETCH},
    {ID_START, "Start", "Start logging", "Start", BMP_START},
    {ID_STOP, "Stop", "Stop logging", "Stop", BMP_STOP},
    {ID_STORE, "Store", "Store current values", "Store", BMP_START},
    {ID_MARK, "Mark", "Mark current reading", "Mark", BMP_START},
    {wxID_NEW, "New", "Choose a new experiment", "New", BMP_STOP},
    {wxID_SAVE, "Save", "Save current data to a file", "Save file", BMP_SAVE},
    {wxID_PRINT, "Print", "Print current graph", "Print graph", BMP_PRINT},
    {ID_MODE_SNAPSHOT, "Snapshot", "Begin snapshot data logging", "Snapshot", BMP_SNAPSHOT},
    {ID_MODE_AUTOLOG, "AutoLog", "Begin fully automatic data logging", "AutoLog", BMP_AUTOLOG},
    {ID_MODE_SCOPE, "Oscilloscope", "Oscilloscope mode (requires analogue sensor)", "Oscilloscope", BMP_SCOPE},
    {ID_MODE_SETUP, "Set up", "Set up timing or periodic data logging", "Set up", BMP_SETUP},
};

int LevelPicture()
{
    switch (wxGetApp().m_options.GetUserLevel()) {
    case 2:
        return BMP_LEVEL2;
    case 3:
        return BMP_LEVEL3;
    case 4:
        return BMP_LEVEL4;
    default:
        return BMP_LEVEL1;
    }
}

} // namespace

wxBitmap barToolPicture(const wxBitmap& picture, const wxSize& size)
{
    if (picture.IsOk())
        return picture;
    wxImage empty(std::max(size.x, 1), std::max(size.y, 1));
    empty.InitAlpha();
    for (int y = 0; y < empty.GetHeight(); ++y) {
        for (int x = 0; x < empty.GetWidth(); ++x)
            empty.SetAlpha(x, y, 0);
    }
    return wxBitmap(empty);
}

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
    if (kind >= sizeof kKinds / sizeof kKinds[0] || kKinds[kind].command == 0)
        return;
    const ToolKind& k = kKinds[kind];
    const int picture = k.picture < 0 ? LevelPicture() : k.picture;
    const wxBitmap& bitmap = wxGetApp().m_res.m_sideBitmaps[size_t(picture)].Get(m_largeIcons);
    AddTool(k.command, wxGetTranslation(k.label), barToolPicture(bitmap, GetToolBitmapSize()), wxNullBitmap,
            wxITEM_NORMAL, wxGetTranslation(k.tooltip), wxGetTranslation(k.status));
}

void CbarBase::UpdateIfChanged(bool force)
{
    const bool changed = StateChanged();
    if (changed || force)
        UpdateTools();
}

void CbarBase::SetLargeIcons()
{
    m_autoIconSize = false;
    m_largeIcons = 1;
    UpdateTools();
}

void CbarBase::SetSmallIcons()
{
    m_autoIconSize = false;
    m_largeIcons = 0;
    UpdateTools();
}

bool CbarBase::UseLargeIcons() const
{
    if (wxTheApp && wxGetApp().m_frame) {
        const wxSize size = wxGetApp().m_frame->GetSize();
        return size.x >= 800 && size.y >= 480;
    }
    wxRect area;
    gumGetDisplayArea(this, area);
    return area.width >= 800 && area.height >= 480;
}

bool CbarBase::CheckIconSize()
{
    if (!m_autoIconSize)
        return false;
    const int large = UseLargeIcons() ? 1 : 0;
    if (large == m_largeIcons)
        return false;
    m_largeIcons = large;
    return true;
}

void CbarBase::FitBitmapSize(const CgumBitmapPair& pair)
{
    const wxBitmap& picture = pair.Get(m_largeIcons);
    if (picture.IsOk() && picture.GetSize() != GetToolBitmapSize())
        SetToolBitmapSize(picture.GetSize());
}

void CbarBase::FinishTools(int toolMode, int rows)
{
    CgumRes& res = wxGetApp().m_res;
    const int mode = res.SetToolMode(toolMode);
    Realize();
    res.SetToolMode(mode);
    SetRows(rows > 0 ? rows : std::max(int(GetToolsCount()), 1));
    Layout();
    // The parent's own parent too: a panel that holds a bar grows or shrinks with it.
    if (wxWindow* parent = GetParent()) {
        parent->InvalidateBestSize();
        parent->Layout();
        if (parent->GetParent())
            parent->GetParent()->Layout();
    }
}

void CbarBase::PaintLikeParent()
{
    wxPaintDC dc(this);
    if (GetParent())
        dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
}

int barCurrentDocState()
{
    CdocDoc* doc = wxTheApp ? wxGetApp().GetCurrentDocDoc() : nullptr;
    return doc ? doc->m_state : 1;
}
