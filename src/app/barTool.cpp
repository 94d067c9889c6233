#include "app/barTool.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/base/gumIds.h"
#include "document/docDoc.h"

#include <wx/artprov.h>

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
    const char* picture; // stand-in picture until the tool bitmaps are in
};

const Tool kTools[] = {
    {ID_VIEW_GAUGE, "Gauge", "Show the gauges", "Gauge", wxART_LIST_VIEW},
    {ID_VIEW_TABLE, "Table", "Show the table", "Table", wxART_REPORT_VIEW},
    {ID_VIEW_DIGITS, "Digits", "Show the digits", "Digits", wxART_EXECUTABLE_FILE},
    {ID_NOTES, "Notes", "Display the notes", "Notes", wxART_NORMAL_FILE},
    {ID_INFORMATION, "Information", "Display information and statistics", "Information", wxART_INFORMATION},
    {ID_AUTO_ZOOM, "Auto Zoom", "Auto Zoom the graph traces to fill the display", "Auto Zoom", wxART_PLUS},
    {ID_DEFAULT_ZOOM, "Default Zoom", "Default Zoom", "Default Zoom", wxART_MINUS},
    {ID_ANNOTATE, "Annotate graph", "Annotate graph", "Annotate graph", wxART_EDIT},
    {ID_COPY_GRAPH, "Copy Graph", "Copy Graph", "Copy Graph", wxART_COPY},
    {ID_COPY_TABLE, "Copy Table", "Copy Table", "Copy Table", wxART_PASTE},
    {ID_DELETE_LAST, "Delete last", "Delete the last reading", "Delete last", wxART_DELETE},
};

int CurrentState()
{
    CdocDoc* doc = wxGetApp().GetCurrentDocDoc();
    return doc ? doc->m_state : 1;
}

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
    m_state = CurrentState();
}

bool CbarTool::StateChanged()
{
    const int level = wxGetApp().m_options.GetUserLevel();
    const bool changed = level != m_userLevel;
    m_userLevel = level;
    m_state = CurrentState();
    return changed;
}

void CbarTool::AddCommandTool(unsigned int tool)
{
    if (tool >= sizeof kTools / sizeof kTools[0])
        return;
    const Tool& t = kTools[tool];
    const int size = m_largeIcons ? 32 : 16;
    AddTool(t.command, wxGetTranslation(t.label),
            wxArtProvider::GetBitmap(t.picture, wxART_TOOLBAR, wxSize(size, size)), wxNullBitmap,
            wxITEM_NORMAL, wxGetTranslation(t.tooltip), wxGetTranslation(t.status));
}

void CbarTool::UpdateTools()
{
    ClearTools();
    const int size = m_largeIcons ? 32 : 16;
    SetToolBitmapSize(wxSize(size, size));
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
    Realize();
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
