#include "document/gumDoc.h"

#include "app/appOptions.h"
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "dialogs/gudInformation.h"
#include "files/docFile.h"
#include "transport/zxMessageBox.h"

#include <wx/event.h>

namespace {

using RunFn = void (*)(CgumDoc&, wxCommandEvent&);
using RuleFn = bool (*)(CgumDoc&);

constexpr int kNoGate = -1;

// One command: the feature its handler tests first, what it does, and, for
// the ids that have them, its enable and check rules.
struct Command
{
    int id;
    int feature;
    RunFn run;
    RuleFn enabled;
    RuleFn ticked;
};

// ---- Rules ---------------------------------------------------------------

CdocDoc& Doc(CgumDoc& d)
{
    return d.m_doc;
}

bool Always(CgumDoc&)
{
    return true;
}

bool HoldsData(CgumDoc& d)
{
    return Doc(d).m_state > DOC_STATE_READY;
}

bool ReadyWithLogger(CgumDoc& d)
{
    return Doc(d).m_state == DOC_STATE_READY && !Doc(d).m_waitingForFind;
}

bool HasTable(CgumDoc& d)
{
    return Doc(d).m_data.m_records > 0 && Doc(d).m_data.m_fields.GetCount() > 0;
}

bool CanExport(CgumDoc& d)
{
    return HoldsData(d) && HasTable(d);
}

bool HasTarget(CgumDoc& d, bool allowTime, bool anySensor)
{
    CdocFieldKey key;
    d.GetTargetChannel(key, allowTime, anySensor);
    return Doc(d).m_data.m_fields.Find(key) != nullptr;
}

bool TargetWithTime(CgumDoc& d)
{
    return HasTarget(d, true, false);
}

bool TargetWithTimeHoldingData(CgumDoc& d)
{
    return HasTarget(d, true, false) && HoldsData(d);
}

bool CanAnnotate(CgumDoc& d)
{
    CdocFieldKey key;
    return HoldsData(d) && Doc(d).m_data.m_fields.GetNonTime(key, 0) && Doc(d).m_graph.GetFieldX();
}

// Feature 44, and ready; or stopped after a run of the simulator, a file or
// the logger whose activity the set-up chose.
bool CanSetUp(CgumDoc& d)
{
    const CdocDoc& doc = Doc(d);
    if (!appIsAllowed(FEATURE_SETUP))
        return false;
    if (doc.m_state == DOC_STATE_READY)
        return true;
    if (doc.m_state != DOC_STATE_STOPPED)
        return false;
    const int source = doc.m_data.m_dataSource;
    if (source != DATA_SOURCE_SIMULATOR && source != DATA_SOURCE_FILE && source != DATA_SOURCE_LIVE)
        return false;
    const int activity = doc.m_activity;
    return activity == ACTIVITY_PERIODIC || activity == ACTIVITY_TIMING || activity == ACTIVITY_FAST;
}

bool SetUpActivity(CgumDoc& d)
{
    const int activity = Doc(d).m_activity;
    return activity == ACTIVITY_PERIODIC || activity == ACTIVITY_TIMING || activity == ACTIVITY_FAST;
}

bool HasControlOutput(CgumDoc& d)
{
    for (int output = 0; output <= 5; ++output)
        if (Doc(d).m_boxInfo.IsOutputAvailable(output))
            return true;
    return false;
}

template <int Type>
bool ToolEnabled(CgumDoc& d)
{
    return Doc(d).m_tool.IsToolEnabled(Type);
}

template <int Type>
bool ToolTicked(CgumDoc& d)
{
    return Doc(d).m_tool.m_now.m_tool == Type;
}

template <int Type>
void SelectTool(CgumDoc& d, wxCommandEvent&)
{
    Doc(d).m_tool.SetTool(Type);
}

template <int Format>
void Export(CgumDoc& d, wxCommandEvent&)
{
    d.ExportFile(Format);
}

// ---- Switches ------------------------------------------------------------

// A view switch that new documents copy from the options.
void ToggleView(CgumDoc& d, bool CdocDoc::*flag, bool CappOptions::*option, int hint)
{
    CdocDoc& doc = Doc(d);
    doc.*flag = !(doc.*flag);
    if (CappOptions* options = appGetOptions())
        options->*option = doc.*flag;
    doc.ModifyAndUpdateViews(hint, nullptr);
}

void ToggleViewTable(CgumDoc& d, wxCommandEvent&)
{
    CdocDoc& doc = Doc(d);
    CappOptions* options = appGetOptions();
    doc.m_viewTable = !doc.m_viewTable;
    if (options)
        options->m_viewTable = doc.m_viewTable;
    // The table and the digits share their place.
    if (doc.m_viewTable) {
        doc.m_viewDigits = false;
        if (options)
            options->m_viewDigits = false;
    }
    doc.ModifyAndUpdateViews(HINT_VIEW_TABLE, nullptr);
    if (doc.m_viewTable && doc.m_state == DOC_STATE_RUNNING)
        doc.SetAutoScroll(doc.m_autoScroll);
}

void ToggleViewDigits(CgumDoc& d, wxCommandEvent&)
{
    CdocDoc& doc = Doc(d);
    CappOptions* options = appGetOptions();
    doc.m_viewDigits = !doc.m_viewDigits;
    if (options)
        options->m_viewDigits = doc.m_viewDigits;
    if (doc.m_viewDigits) {
        doc.m_viewTable = false;
        if (options)
            options->m_viewTable = false;
    }
    doc.ModifyAndUpdateViews(HINT_VIEW_DIGITS, nullptr);
}

// A graph style flag; lines and points give way to bars and the reverse.
void ToggleStyle(CgumDoc& d, bool CdocGraph::*flag)
{
    CdocGraph& graph = Doc(d).m_graph;
    graph.*flag = !(graph.*flag);
    if ((flag == &CdocGraph::m_lines || flag == &CdocGraph::m_points) && graph.*flag)
        graph.m_bars = false;
    Doc(d).ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

void ToggleBars(CgumDoc& d, wxCommandEvent&)
{
    CdocGraph& graph = Doc(d).m_graph;
    const bool was = graph.m_bars;
    graph.m_bars = !was;
    graph.m_lines = was;
    graph.m_points = false;
    Doc(d).ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

void ToggleBestFit(CgumDoc& d, wxCommandEvent&)
{
    CdocDoc& doc = Doc(d);
    doc.m_graph.m_best = !doc.m_graph.m_best;
    if (doc.m_graph.m_best)
        doc.m_data.UpdateFits();
    doc.ModifyAndUpdateViews(HINT_GRAPH_STYLE, nullptr);
}

// ---- Side buttons --------------------------------------------------------

void RunSetUp(CgumDoc& d, wxCommandEvent&)
{
    d.RunSetupWizard();
    if (Doc(d).m_state == DOC_STATE_READY)
        Doc(d).SetActivity(ACTIVITY_AUTOLOG);
}

// ---- The logger's push button -------------------------------------------

bool MarksByButton(const CdocDoc& doc)
{
    return doc.m_state == DOC_STATE_RUNNING
           && (doc.m_activity == ACTIVITY_AUTOLOG || doc.m_activity == ACTIVITY_PERIODIC);
}

// The newest sample when the button goes down is the one a click marks.
void ButtonPress(CgumDoc& d, wxCommandEvent&)
{
    CdocDoc& doc = Doc(d);
    if (MarksByButton(doc) && doc.CanMark() && appIsAllowed(FEATURE_MARK))
        doc.RememberMark();
}

void ButtonClick(CgumDoc& d, wxCommandEvent&)
{
    CdocDoc& doc = Doc(d);
    switch (doc.m_state) {
    case DOC_STATE_RUNNING:
        switch (doc.m_activity) {
        case ACTIVITY_AUTOLOG:
        case ACTIVITY_PERIODIC:
            if (doc.CanMark() && appIsAllowed(FEATURE_MARK))
                doc.MarkRemembered();
            break;
        case ACTIVITY_SNAPSHOT:
        case ACTIVITY_SCOPE:
            if (doc.CanStore())
                doc.Store();
            break;
        default:
            if (doc.CanStart())
                doc.Start();
            break;
        }
        break;
    case DOC_STATE_READY:
    case DOC_STATE_FETCHING:
    case DOC_STATE_STOPPED:
        if (doc.CanStart())
            doc.Start();
        break;
    default:
        gumPostCommand(wxID_NEW, 0);
        break;
    }
}

void ButtonHold(CgumDoc& d, wxCommandEvent&)
{
    CdocDoc& doc = Doc(d);
    doc.ForgetMark();
    switch (doc.m_state) {
    case DOC_STATE_READY:
        gumPostCommand(wxID_CLOSE, 0);
        break;
    case DOC_STATE_FETCHING:
    case DOC_STATE_RUNNING:
        if (doc.IsBusy())
            doc.Stop();
        break;
    case DOC_STATE_STOPPED:
        gumPostCommand(wxID_NEW, 0);
        break;
    default:
        gumPostCommand(wxID_EXIT, 0);
        break;
    }
}

// ---- The table -----------------------------------------------------------

// By id; the calibration choices 6104 to 6123 share the entry of the first.
const Command kCommands[] = {
    {ID_SET_CLOCK, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.SetLoggerClock(); }, ReadyWithLogger, nullptr},
    {ID_SET_STAMP, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.SetLoggerStamp(); }, ReadyWithLogger, nullptr},
    {ID_RELOAD_SYSTEM, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).ReloadSystemSoftware(); },
     ReadyWithLogger, nullptr},
    {ID_FETCH, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.FetchFromLogger(); },
     [](CgumDoc& d) { return Doc(d).m_state == DOC_STATE_READY && Doc(d).m_boxInfo.HasFeature5(); }, nullptr},
    {ID_COPY_GRAPH, FEATURE_COPY_GRAPH, [](CgumDoc& d, wxCommandEvent&) { d.CopyGraph(); }, HoldsData, nullptr},
    {ID_COPY_TABLE, FEATURE_COPY_TABLE, [](CgumDoc& d, wxCommandEvent&) { d.CopyTable(); }, HasTable, nullptr},
    {ID_EDIT_TITLE, FEATURE_TITLE, [](CgumDoc& d, wxCommandEvent&) { d.EditTitle(false); }, HoldsData, nullptr},
    {ID_VIEW_TITLE, FEATURE_TITLE,
     [](CgumDoc& d, wxCommandEvent&) { ToggleView(d, &CdocDoc::m_viewTitle, &CappOptions::m_viewTitle, HINT_VIEW_TITLE); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_viewTitle; }},
    {ID_VIEW_TIME_AND_DATE, FEATURE_TIME_AND_DATE,
     [](CgumDoc& d, wxCommandEvent&) {
         Doc(d).m_viewTimeAndDate = !Doc(d).m_viewTimeAndDate;
         Doc(d).ModifyAndUpdateViews(HINT_VIEW_TIME_AND_DATE, nullptr);
     },
     [](CgumDoc& d) { return HoldsData(d) && Doc(d).HasStartDateTime(); },
     [](CgumDoc& d) { return Doc(d).m_viewTimeAndDate; }},
    {ID_ANNOTATE, FEATURE_ANNOTATE, [](CgumDoc& d, wxCommandEvent&) { d.Annotate(); }, CanAnnotate, nullptr},
    {ID_CHANNEL_DETAILS, FEATURE_CHANNEL_DETAILS, [](CgumDoc& d, wxCommandEvent&) { d.EditChannelDetails(); },
     TargetWithTime, nullptr},
    {ID_CHANNEL_SMOOTH, FEATURE_SMOOTH, [](CgumDoc& d, wxCommandEvent&) { d.SmoothChannel(); },
     [](CgumDoc& d) { return HasTarget(d, false, false) && HoldsData(d); }, nullptr},
    {ID_CHANNEL_UNITS, FEATURE_UNIT_CONVERSIONS, [](CgumDoc& d, wxCommandEvent&) { d.ConvertChannelUnits(); },
     TargetWithTime, nullptr},
    {ID_CHANNEL_CUSTOM_SCALE, FEATURE_CUSTOM_SCALE, [](CgumDoc& d, wxCommandEvent&) { d.CustomScaleChannel(); },
     TargetWithTime, nullptr},
    {ID_CHANNEL_INVERT, FEATURE_INVERT, [](CgumDoc& d, wxCommandEvent&) { d.InvertChannel(); }, TargetWithTime,
     nullptr},
    {ID_CHANNEL_ADD, FEATURE_ADD_CHANNEL, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_data.NewManualField(nullptr); },
     Always, nullptr},
    {ID_CHANNEL_DUPLICATE, FEATURE_DUPLICATE_CHANNEL, [](CgumDoc& d, wxCommandEvent&) { d.DuplicateChannel(); },
     TargetWithTimeHoldingData, nullptr},
    {ID_CHANNEL_FUNCTION, FEATURE_FUNCTION_PLOT, [](CgumDoc& d, wxCommandEvent&) { d.FunctionPlot(); },
     TargetWithTimeHoldingData, nullptr},
    {ID_CHANNEL_CALCULATE, FEATURE_CALCULATE, [](CgumDoc& d, wxCommandEvent&) { d.CalculateChannel(); },
     [](CgumDoc&) { return appIsAllowed(FEATURE_CALCULATE); }, nullptr},
    {ID_CHANNEL_TARE, FEATURE_TARE, [](CgumDoc& d, wxCommandEvent&) { d.TareChannel(); }, TargetWithTime, nullptr},
    {ID_CHANNEL_DELETE, FEATURE_DELETE_CHANNEL, [](CgumDoc& d, wxCommandEvent&) { d.DeleteChannel(); },
     [](CgumDoc& d) { return HasTarget(d, false, true); }, nullptr},
    {ID_SETUP, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.RunSetupWizard(); }, CanSetUp, nullptr},
    {ID_EXPORT_SID_ANALYSIS, kNoGate, Export<DOC_FORMAT_SID>, CanExport, nullptr},
    {ID_EXPORT_TEXT_ANALYSIS, kNoGate, Export<DOC_FORMAT_MARKER_TEXT>, CanExport, nullptr},
    {ID_EXPORT_EXCEL_CSV, kNoGate, Export<DOC_FORMAT_CSV>, CanExport, nullptr},
    {ID_EXPORT_CALC_CSV, kNoGate, Export<DOC_FORMAT_CSV>, CanExport, nullptr},
    {ID_EXPORT_SID, kNoGate, Export<DOC_FORMAT_SID>, CanExport, nullptr},
    {ID_EXPORT_CSV, kNoGate, Export<DOC_FORMAT_CSV>, CanExport, nullptr},
    {ID_EXPORT_TSV, kNoGate, Export<DOC_FORMAT_TSV>, CanExport, nullptr},
    {ID_EXPORT_TXT, kNoGate, Export<DOC_FORMAT_TEXT>, CanExport, nullptr},
    {ID_EXPORT_TEMPLATE, kNoGate, Export<DOC_FORMAT_TEMPLATE>, HoldsData, nullptr},
    {ID_DELETE_ALL, FEATURE_DELETE_ALL, [](CgumDoc& d, wxCommandEvent&) { Doc(d).DeleteAll(); },
     [](CgumDoc& d) { return Doc(d).CanDeleteAll(); }, nullptr},
    {ID_DELETE_LAST, FEATURE_DELETE_LAST, [](CgumDoc& d, wxCommandEvent&) { Doc(d).DeleteLast(); },
     [](CgumDoc& d) { return Doc(d).CanDeleteLast(); }, nullptr},
    {ID_VIEW_GAUGE, FEATURE_VIEW_GAUGE,
     [](CgumDoc& d, wxCommandEvent&) { ToggleView(d, &CdocDoc::m_viewGauge, &CappOptions::m_viewGauge, HINT_VIEW_GAUGE); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_viewGauge; }},
    {ID_VIEW_TABLE, FEATURE_VIEW_TABLE, ToggleViewTable, HoldsData, [](CgumDoc& d) { return Doc(d).m_viewTable; }},
    {ID_VIEW_DIGITS, FEATURE_VIEW_DIGITS, ToggleViewDigits, HoldsData,
     [](CgumDoc& d) { return Doc(d).m_viewDigits; }},
    {ID_NOTES, FEATURE_NOTES, [](CgumDoc& d, wxCommandEvent&) { d.EditNotes(); }, Always, nullptr},
    {ID_INFORMATION, kNoGate, [](CgumDoc& d, wxCommandEvent&) { gudShowInformation(&Doc(d)); }, Always, nullptr},
    {ID_GRAPH_FONT, FEATURE_GRAPH_FONT, [](CgumDoc& d, wxCommandEvent&) { d.EditGraphFont(); }, HoldsData, nullptr},
    {ID_AUTO_ZOOM, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_graph.DoAutoZoom(); }, HoldsData, nullptr},
    {ID_DEFAULT_ZOOM, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_graph.DoDefaultZoom(); }, HoldsData,
     nullptr},
    {ID_SCALE_X, FEATURE_SCALE_X, [](CgumDoc& d, wxCommandEvent&) { d.ChooseAxisX(false); }, HoldsData, nullptr},
    {ID_SCALE_LEFT, FEATURE_SCALE_LEFT, [](CgumDoc& d, wxCommandEvent&) { d.ChooseAxisLeft(false); }, HoldsData,
     nullptr},
    {ID_SCALE_RIGHT, FEATURE_SCALE_RIGHT, [](CgumDoc& d, wxCommandEvent&) { d.ChooseAxisRight(false); }, HoldsData,
     nullptr},
    {ID_GRAPH_LINES, FEATURE_GRAPH_LINES, [](CgumDoc& d, wxCommandEvent&) { ToggleStyle(d, &CdocGraph::m_lines); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_graph.m_lines; }},
    {ID_GRAPH_POINTS, FEATURE_GRAPH_POINTS, [](CgumDoc& d, wxCommandEvent&) { ToggleStyle(d, &CdocGraph::m_points); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_graph.m_points; }},
    {ID_GRAPH_BARS, kNoGate, ToggleBars, HoldsData, [](CgumDoc& d) { return Doc(d).m_graph.m_bars; }},
    {ID_GRAPH_HEAVY, FEATURE_GRAPH_HEAVY, [](CgumDoc& d, wxCommandEvent&) { ToggleStyle(d, &CdocGraph::m_heavy); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_graph.m_heavy; }},
    {ID_GRAPH_TITLE, FEATURE_TITLE, [](CgumDoc& d, wxCommandEvent&) { ToggleStyle(d, &CdocGraph::m_title); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_graph.m_title; }},
    {ID_GRAPH_GRID, FEATURE_GRAPH_GRID, [](CgumDoc& d, wxCommandEvent&) { ToggleStyle(d, &CdocGraph::m_grid); },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_graph.m_grid; }},
    {ID_BEST_FIT, FEATURE_BEST_FIT, ToggleBestFit, [](CgumDoc& d) { return Doc(d).m_state == DOC_STATE_STOPPED; },
     [](CgumDoc& d) { return Doc(d).m_graph.m_best; }},
    {ID_TABLE_OPTIONS, kNoGate, [](CgumDoc&, wxCommandEvent&) { zxInfoBox(_("Not implemented yet")); }, HoldsData,
     nullptr},
    {ID_TABLE_COLOUR, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_table.m_colour = !Doc(d).m_table.m_colour; },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_table.m_colour; }},
    {ID_TABLE_FONT, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_table.ShowNotImplemented(); }, HoldsData,
     nullptr},
    {ID_TABLE_ELAPSED, kNoGate,
     [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_table.m_elapsed = !Doc(d).m_table.m_elapsed; }, HoldsData,
     [](CgumDoc& d) { return Doc(d).m_table.m_elapsed; }},
    {ID_TABLE_DATE, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_table.m_date = !Doc(d).m_table.m_date; },
     HoldsData, [](CgumDoc& d) { return Doc(d).m_table.m_date; }},
    {ID_START, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).Start(); },
     [](CgumDoc& d) { return Doc(d).CanStart(); }, nullptr},
    {ID_START_OVERLAY, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).StartOverlay(); },
     [](CgumDoc& d) { return Doc(d).CanStartOverlay(); }, nullptr},
    {ID_RESTART, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).Restart(); },
     [](CgumDoc& d) { return Doc(d).CanRestart(); }, nullptr},
    {ID_STOP, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).Stop(); }, [](CgumDoc& d) { return Doc(d).IsBusy(); },
     nullptr},
    {ID_MARK, FEATURE_MARK, [](CgumDoc& d, wxCommandEvent&) { Doc(d).Mark(); },
     [](CgumDoc& d) { return Doc(d).CanMark(); }, nullptr},
    {ID_STORE, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).Store(); },
     [](CgumDoc& d) { return Doc(d).CanStore(); }, nullptr},
    {ID_OVERLAY, FEATURE_OVERLAY, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_overlay = !Doc(d).m_overlay; },
     [](CgumDoc& d) { return Doc(d).IsOverlayAllowed(); }, [](CgumDoc& d) { return Doc(d).IsOverlayActive(); }},
    {ID_CONTROL, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.EditControlOutputs(6); }, HasControlOutput, nullptr},
    {ID_TOOL_POSITION, FEATURE_TOOL_POSITION, SelectTool<TOOL_POSITION>, ToolEnabled<TOOL_POSITION>,
     ToolTicked<TOOL_POSITION>},
    {ID_TOOL_READING, FEATURE_TOOL_READING, SelectTool<TOOL_READING>, ToolEnabled<TOOL_READING>,
     ToolTicked<TOOL_READING>},
    {ID_TOOL_CHANGE, FEATURE_TOOL_CHANGE, SelectTool<TOOL_CHANGE>, ToolEnabled<TOOL_CHANGE>, ToolTicked<TOOL_CHANGE>},
    {ID_TOOL_DIFFERENCE, FEATURE_TOOL_DIFFERENCE, SelectTool<TOOL_DIFFERENCE>, ToolEnabled<TOOL_DIFFERENCE>,
     ToolTicked<TOOL_DIFFERENCE>},
    {ID_TOOL_GRADIENT, FEATURE_TOOL_GRADIENT, SelectTool<TOOL_GRADIENT>, ToolEnabled<TOOL_GRADIENT>,
     ToolTicked<TOOL_GRADIENT>},
    {ID_TOOL_AREA, FEATURE_TOOL_AREA, SelectTool<TOOL_AREA>, ToolEnabled<TOOL_AREA>, ToolTicked<TOOL_AREA>},
    {ID_MODE_SNAPSHOT, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.StartActivity(ACTIVITY_SNAPSHOT, true); },
     Always, nullptr},
    {ID_MODE_AUTOLOG, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.StartActivity(ACTIVITY_AUTOLOG, false); }, Always,
     nullptr},
    {ID_MODE_SCOPE, FEATURE_SCOPE, [](CgumDoc& d, wxCommandEvent&) { d.StartActivity(ACTIVITY_SCOPE, true); },
     [](CgumDoc& d) { return Doc(d).m_boxInfo.HasScopeFeature(); }, nullptr},
    {ID_MODE_SETUP, kNoGate, RunSetUp, CanSetUp, SetUpActivity},
    {ID_EVT_BOX_CHANGED, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).OnBoxChanged(); }, nullptr, nullptr},
    {ID_EVT_LINK_BROKEN, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).OnLinkBroken(); }, nullptr, nullptr},
    {ID_EVT_BOX_REFRESH, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).OnBoxRefresh(); }, nullptr, nullptr},
    {ID_EVT_BOX_SYSTEM, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).OnBoxSystemState(); }, nullptr, nullptr},
    {ID_SCALE_X_EDIT, FEATURE_SCALE_X, [](CgumDoc& d, wxCommandEvent&) { d.ChooseAxisX(true); }, nullptr, nullptr},
    {ID_SCALE_LEFT_EDIT, FEATURE_SCALE_LEFT, [](CgumDoc& d, wxCommandEvent&) { d.ChooseAxisLeft(true); }, nullptr,
     nullptr},
    {ID_SCALE_RIGHT_EDIT, FEATURE_SCALE_RIGHT, [](CgumDoc& d, wxCommandEvent&) { d.ChooseAxisRight(true); }, nullptr,
     nullptr},
    {ID_EDIT_TITLE_INPLACE, FEATURE_TITLE, [](CgumDoc& d, wxCommandEvent&) { d.EditTitle(true); }, nullptr, nullptr},
    {ID_CHANNEL_ENABLE, kNoGate, [](CgumDoc& d, wxCommandEvent&) { d.ToggleChannelInput(d.m_popupChannel); }, nullptr,
     nullptr},
    {ID_CHANNEL_RANGE_FIRST, kNoGate,
     [](CgumDoc& d, wxCommandEvent& event) { d.ChooseCalibration(event.GetId() - ID_CHANNEL_RANGE_FIRST); }, nullptr,
     nullptr},
    {ID_THEME_STANDARD, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_data.SetColourScheme(0); }, Always,
     [](CgumDoc& d) { return Doc(d).m_colours == 0; }},
    {ID_THEME_HIGH_CONTRAST, kNoGate, [](CgumDoc& d, wxCommandEvent&) { Doc(d).m_data.SetColourScheme(1); }, Always,
     [](CgumDoc& d) { return Doc(d).m_colours == 1; }},
    {ID_EVT_BUTTON_LONG, kNoGate, ButtonHold, nullptr, nullptr},
    {ID_EVT_BUTTON_CLICK, kNoGate, ButtonClick, nullptr, nullptr},
    {ID_EVT_BUTTON_PRESS, kNoGate, ButtonPress, nullptr, nullptr},
    {ID_CALIBRATE, FEATURE_CUSTOM_SCALE, [](CgumDoc& d, wxCommandEvent&) { d.CalibrateChannel(); },
     [](CgumDoc& d) { return d.CanCalibrate(); }, nullptr},
};

// The last of the ids that choose a calibration.
constexpr int kCalibChoiceLast = ID_CHANNEL_RANGE_FIRST + 19;

const Command* FindCommand(int id)
{
    if (id > ID_CHANNEL_RANGE_FIRST && id <= kCalibChoiceLast)
        id = ID_CHANNEL_RANGE_FIRST;
    for (const Command& command : kCommands)
        if (command.id == id)
            return &command;
    return nullptr;
}

} // namespace

void CgumDoc::OnCommand(wxCommandEvent& event)
{
    const Command* command = FindCommand(event.GetId());
    if (!command) {
        event.Skip();
        return;
    }
    if (command->feature != kNoGate && !appIsAllowed(command->feature))
        return;
    command->run(*this, event);
}

void CgumDoc::OnUpdateCommand(wxUpdateUIEvent& event)
{
    const Command* command = FindCommand(event.GetId());
    if (!command || !command->enabled) {
        event.Skip();
        return;
    }
    event.Enable(command->enabled(*this));
    if (command->ticked)
        event.Check(command->ticked(*this));
}

void CgumDoc::StartActivity(int activity, bool backToAutoLog)
{
    // The activity changes only while the document is ready or stopped: a
    // change mid-run would feed readings to the wrong tick.
    if (m_doc.m_state != DOC_STATE_READY && m_doc.m_state != DOC_STATE_STOPPED)
        return;
    m_doc.SetActivity(activity);
    m_doc.Start();
    if (backToAutoLog && m_doc.m_state == DOC_STATE_READY)
        m_doc.SetActivity(ACTIVITY_AUTOLOG);
}
