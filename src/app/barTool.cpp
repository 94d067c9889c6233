#include "app/barTool.h"

#include "app/appOptions.h"
#include "app/barBase.h"
#include "app/gumApp.h"
#include "app/base/gumIds.h"
#include "document/docDoc.h"


namespace {

enum
{
    TOOL_GAUGE,
    TOOL_TABLE,
    TOOL_DIGITS,
    TOOL_NOTES,
    TOOL_INFORMATION,
    TOOL_AUTO_ZOOM,
    TOOL_DEFAULT_ZOOM,
    TOOL_ANNOTATE,
    TOOL_COPY_GRAPH,
    TOOL_COPY_TABLE,
    TOOL_DELETE_LAST,
};

struct Tool
{
    int command;
    const char* label;
    const char* tooltip;
    const char* status;
    int picture;
};

const Tool kTools[] = {
    {ID_VIEW_GAUGE, "Gauge", "Show the gauges", "Gauge", BMP_GAUGE},
    {ID_VIEW_TABLE, "Table", "Show the table", "Table", BMP_TABLE},
    {ID_VIEW_DIGITS, "Digits", "Show the digits", "Digits", BMP_DIGITS},
    {ID_NOTES, "Notes", "Display the notes", "Notes", BMP_NOTES},
    {ID_INFORMATION, "Information", "Display information and statistics", "Information", BMP_INFORMATION},
    {ID_AUTO_ZOOM, "Auto Zoom", "Auto Zoom the graph traces to fill the display", "Auto Zoom", BMP_AUTO_ZOOM},
    {ID_DEFAULT_ZOOM, "Default Zoom", "Default Zoom", "Default Zoom", BMP_DEFAULT_ZOOM},
    {ID_ANNOTATE, "Annotate graph", "Annotate graph", "Annotate graph", BMP_ANNOTATE},
    {ID_COPY_GRAPH, "Copy Graph", "Copy Graph", "Copy Graph", BMP_COPY_GRAPH},
    {ID_COPY_TABLE, "Copy Table", "Copy Table", "Copy Table", BMP_COPY_TABLE},
    {ID_DELETE_LAST, "Delete last", "Delete the last reading", "Delete last", BMP_DELETE_LAST},
};

} // namespace

CbarTool::CbarTool(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size, long style,
                   const wxString& name)
    : wxToolBar(parent, id, position, size, style, name)
{
    CbarTool::SaveState();
}

CbarTool::~CbarTool() = default;

CbarTool* barNewToolBar(wxWindow* parent)
{
    return new CbarTool(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTB_HORIZONTAL | wxTB_FLAT,
                        "toolbar");
}

void CbarTool::UpdateWindowUI(long flags)
{
    if (StateChanged())
        UpdateTools();
    wxToolBar::UpdateWindowUI(flags);
}

void CbarTool::SaveState()
{
    m_largeIcons = 1;
    m_userLevel = wxGetApp().m_options.GetUserLevel();
    m_state = barCurrentDocState();
}

bool CbarTool::StateChanged()
{
    const int level = wxGetApp().m_options.GetUserLevel();
    const bool changed = level != m_userLevel;
    m_userLevel = level;
    m_state = barCurrentDocState();
    return changed;
}

void CbarTool::AddCommandTool(unsigned int tool)
{
    if (tool >= sizeof kTools / sizeof kTools[0])
        return;
    const Tool& t = kTools[tool];
    const wxBitmap& picture = wxGetApp().m_res.m_toolBitmaps[size_t(t.picture)].Get(m_largeIcons);
    AddTool(t.command, wxGetTranslation(t.label), barToolPicture(picture, GetToolBitmapSize()), wxNullBitmap,
            wxITEM_NORMAL, wxGetTranslation(t.tooltip), wxGetTranslation(t.status));
}

void CbarTool::UpdateTools()
{
    ClearTools();
    const wxBitmap& size = wxGetApp().m_res.m_toolBitmaps[BMP_NEW].Get(m_largeIcons);
    if (size.IsOk() && size.GetSize() != GetToolBitmapSize())
        SetToolBitmapSize(size.GetSize());
    SetMargins(2, 0);
    if (appIsAllowed(FEATURE_VIEW_GAUGE))
        AddCommandTool(TOOL_GAUGE);
    if (appIsAllowed(FEATURE_VIEW_TABLE))
        AddCommandTool(TOOL_TABLE);
    if (appIsAllowed(FEATURE_VIEW_DIGITS))
        AddCommandTool(TOOL_DIGITS);
    if (GetToolsCount() > 0 && (appIsAllowed(FEATURE_NOTES) || appIsAllowed(FEATURE_INFORMATION)))
        AddSeparator();
    if (appIsAllowed(FEATURE_NOTES))
        AddCommandTool(TOOL_NOTES);
    if (appIsAllowed(FEATURE_INFORMATION))
        AddCommandTool(TOOL_INFORMATION);
    if (GetToolsCount() > 0)
        AddSeparator();
    AddCommandTool(TOOL_AUTO_ZOOM);
    AddCommandTool(TOOL_DEFAULT_ZOOM);
    if (appIsAllowed(FEATURE_ANNOTATE))
        AddCommandTool(TOOL_ANNOTATE);
    if (appIsAllowed(FEATURE_COPY_GRAPH) || appIsAllowed(FEATURE_COPY_TABLE))
        AddSeparator();
    if (appIsAllowed(FEATURE_COPY_GRAPH))
        AddCommandTool(TOOL_COPY_GRAPH);
    if (appIsAllowed(FEATURE_COPY_TABLE))
        AddCommandTool(TOOL_COPY_TABLE);
    if (appIsAllowed(FEATURE_DELETE_LAST)) {
        AddSeparator();
        AddCommandTool(TOOL_DELETE_LAST);
    }
    CgumRes& res = wxGetApp().m_res;
    const int mode = res.SetToolMode(0);
    Realize();
    res.SetToolMode(mode);
    SetRows(1);
    Layout();
    if (GetParent())
        GetParent()->Layout();
    Refresh(true);
}

void CbarTool::UpdateIfChanged(bool force)
{
    const bool changed = StateChanged();
    if (changed || force)
        UpdateTools();
}

void CbarTool::SetLargeIcons()
{
    m_largeIcons = 1;
    UpdateTools();
}

void CbarTool::SetSmallIcons()
{
    m_largeIcons = 0;
    UpdateTools();
}
