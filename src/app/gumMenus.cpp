// The menu bar, rebuilt whole whenever the user level or the manager mode
// changes, so that each user sees only what the level allows.
#include "app/appOptions.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "views/docTool.h"

#include <wx/menu.h>

namespace {

void Item(wxMenu* menu, int id, const char* label, const char* help)
{
    menu->Append(id, wxGetTranslation(label), wxGetTranslation(help));
}

void Check(wxMenu* menu, int id, const char* label, const char* help)
{
    menu->AppendCheckItem(id, wxGetTranslation(label), wxGetTranslation(help));
}

} // namespace

wxString gumGetMakerAddress()
{
    return _("https://www.ombex.example/");
}

void gumAppendFileMenu(wxMenu* menu, wxMenu* exportMenu, wxMenu* adminMenu)
{
    Item(menu, wxID_NEW, "&New\tCtrl+N", "Start a new experiment");
    Item(menu, wxID_OPEN, "&Open...\tCtrl+O", "Open an existing data file");
    if (appIsAllowed(FEATURE_SAVE)) {
        Item(menu, wxID_SAVE, "&Save\tCtrl+S", "Save data to current file");
        Item(menu, wxID_SAVEAS, "Save &As...", "Save data to a specified file");
    }
    menu->AppendSeparator();
    if (appIsAllowed(FEATURE_OPEN_WORKSHEET))
        Item(menu, ID_OPEN_WORKSHEET, "&Worksheet...", "Open a Worksheet file");
    if (appIsAllowed(FEATURE_OPEN_TEMPLATE))
        Item(menu, ID_OPEN_TEMPLATE, "&Template...", "Open a Template file");
    if (appIsAllowed(FEATURE_ALWAYS))
        Item(menu, ID_FETCH, "&Fetch From Logger...", "Fetch data from the logger");
    if (appIsAllowed(FEATURE_IMPORT))
        Item(menu, ID_IMPORT, "&Import...", "Open an existing data file");
    if (appIsAllowed(FEATURE_EXPORT) && exportMenu && exportMenu->GetMenuItemCount() > 0)
        menu->AppendSubMenu(exportMenu, _("&Export"), _("Save data for use by other software"));
    else
        delete exportMenu;
    if (appIsAllowed(FEATURE_PRINT)) {
        menu->AppendSeparator();
        Item(menu, wxID_PAGE_SETUP, "Page Set&up...", "Set up page size and orientation");
        Item(menu, ID_PAGE_MARGINS, "Page Margins...", "Page margins");
        Item(menu, wxID_PREVIEW, "Print Pre&view", "Preview document as it will be printed");
        Item(menu, wxID_PRINT, "&Print...\tCtrl-P", "Print current graph");
    }
    if (appIsAllowed(FEATURE_ALWAYS) && adminMenu && adminMenu->GetMenuItemCount() > 0) {
        menu->AppendSeparator();
        menu->AppendSubMenu(adminMenu, _("A&dministrator"), _("Administrator"));
    } else {
        delete adminMenu;
    }
    menu->AppendSeparator();
    Item(menu, wxID_EXIT, "E&xit Quorvanti\tAlt-X", "Quit program");
}

void gumAppendExportMenu(wxMenu* menu)
{
    if (!appIsAllowed(FEATURE_EXPORT))
        return;
    Item(menu, ID_EXPORT_SID_ANALYSIS, "&Data Analysis (SID Format)...", "Save data for use by data analysis programs");
    Item(menu, ID_EXPORT_TEXT_ANALYSIS, "&InspireData (TEXT Format)...", "Save data for use by InspireData");
    Item(menu, ID_EXPORT_EXCEL_CSV, "&Microsoft Excel (CSV Format)...",
         "Save data for use by Microsoft Excel (or compatible)");
    Item(menu, ID_EXPORT_CALC_CSV, "&OpenOffice.org Calc (CSV Format)...",
         "Save data for use by OpenOffice Calc spreadsheet");
    menu->AppendSeparator();
    Item(menu, ID_EXPORT_SID, "&Software Independent Data (SID)...", "Save data in standard SID format");
    Item(menu, ID_EXPORT_CSV, "&Comma Separated Values (CSV)...", "Save data in standard CSV format");
    Item(menu, ID_EXPORT_TSV, "&Tab Separated Values (TSV)...", "Save data in standard TSV format");
    Item(menu, ID_EXPORT_TXT, "Te&xt (TXT)...", "Save data in standard Text format");
    if (appIsAllowed(FEATURE_SAVE_TEMPLATE)) {
        menu->AppendSeparator();
        Item(menu, ID_EXPORT_TEMPLATE, "T&emplate...", "Save a Template file");
    }
}

void gumAppendAdminMenu(wxMenu* menu)
{
    // The administrator's own record decides, never the user's options.
    const bool manager = wxGetApp().m_options.m_settings.ManagerMode;
    Item(menu, ID_SET_CLOCK, "Set Logger's &Clock", "Set Logger's Clock");
    if (!manager)
        return;
    Item(menu, ID_SET_STAMP, "Set Logger's Security S&tamp", "Set Logger's Security Stamp");
    Item(menu, ID_RELOAD_SYSTEM, "&Reload Logger's System Software", "Reload Logger's System Software");
    menu->AppendSeparator();
    Item(menu, ID_ADMIN_SETTINGS, "&Administrator's Settings...", "Administrator's Settings");
}

void gumAppendEditMenu(wxMenu* menu)
{
    if (!appIsAllowed(FEATURE_EDIT_MENU))
        return;
    if (appIsAllowed(FEATURE_COPY_GRAPH))
        Item(menu, ID_COPY_GRAPH, "Copy &Graph", "Copy Graph");
    if (appIsAllowed(FEATURE_COPY_TABLE))
        Item(menu, ID_COPY_TABLE, "Copy T&able", "Copy Table");
    if (appIsAllowed(FEATURE_DELETE_LAST) || appIsAllowed(FEATURE_DELETE_ALL))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_DELETE_LAST))
        Item(menu, ID_DELETE_LAST, "Delete &Last\tDel", "Delete last reading stored");
    if (appIsAllowed(FEATURE_DELETE_ALL))
        Item(menu, ID_DELETE_ALL, "Delete All\tShift+Del", "Delete all stored data");
    if (appIsAllowed(FEATURE_TITLE)) {
        menu->AppendSeparator();
        Item(menu, ID_EDIT_TITLE, "Title...", "Choose a title");
    }
}

void gumAppendViewMenu(wxMenu* menu, wxMenu* colourMenu)
{
    if (appIsAllowed(FEATURE_TITLE))
        Check(menu, ID_VIEW_TITLE, "Titl&e", "Show the title");
    if (appIsAllowed(FEATURE_VIEW_GAUGE))
        Check(menu, ID_VIEW_GAUGE, "&Gauge", "Show the gauge");
    if (appIsAllowed(FEATURE_VIEW_TABLE) || appIsAllowed(FEATURE_VIEW_DIGITS))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_VIEW_TABLE))
        Check(menu, ID_VIEW_TABLE, "&Table\tCtrl+T", "Show the table");
    if (appIsAllowed(FEATURE_VIEW_DIGITS))
        Check(menu, ID_VIEW_DIGITS, "&Digits", "Show the digits");
    if (appIsAllowed(FEATURE_TIME_AND_DATE) || appIsAllowed(FEATURE_TOOLBAR))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_TIME_AND_DATE))
        Check(menu, ID_VIEW_TIME_AND_DATE, "Time And Date", "Show the time and date");
    if (appIsAllowed(FEATURE_TOOLBAR))
        Check(menu, ID_VIEW_TOOLBAR, "Toolba&r", "Show the toolbar");
    if (appIsAllowed(FEATURE_INFORMATION) || appIsAllowed(FEATURE_NOTES))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_NOTES))
        Item(menu, ID_NOTES, "&Notes\tF2", "Show the notes");
    if (appIsAllowed(FEATURE_INFORMATION))
        Item(menu, ID_INFORMATION, "&Information\tCtrl+I", "Show the information");
    if (colourMenu) {
        menu->AppendSeparator();
        menu->AppendSubMenu(colourMenu, _("&Colour"), _("Colour"));
    }
}

void gumAppendThemeMenu(wxMenu* menu)
{
    if (!appIsAllowed(FEATURE_COLOUR_THEME))
        return;
    Check(menu, ID_THEME_STANDARD, "&Standard", "Standard colour theme");
    Check(menu, ID_THEME_HIGH_CONTRAST, "&High Contrast", "High Contrast colour theme");
}

void gumAppendGraphMenu(wxMenu* menu)
{
    if (!appIsAllowed(FEATURE_GRAPH_MENU))
        return;
    if (appIsAllowed(FEATURE_GRAPH_FONT))
        Item(menu, ID_GRAPH_FONT, "&Font...", "Font...");
    if (appIsAllowed(FEATURE_ANNOTATE))
        Item(menu, ID_ANNOTATE, "A&nnotate...", "Annotate...");
    menu->AppendSeparator();
    Item(menu, ID_AUTO_ZOOM, "&Auto Zoom\tF6", "Auto Zoom");
    Item(menu, ID_DEFAULT_ZOOM, "&Default Zoom\tF7", "Default Zoom");
    if (appIsAllowed(FEATURE_SCALE_X) || appIsAllowed(FEATURE_SCALE_LEFT) || appIsAllowed(FEATURE_SCALE_RIGHT))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_SCALE_X))
        Item(menu, ID_SCALE_X, "&X Axis Scale...", "X Axis Scale...");
    if (appIsAllowed(FEATURE_SCALE_LEFT))
        Item(menu, ID_SCALE_LEFT, "&Y Axis Scale (Left)...", "Y Axis Scale (Left)...");
    if (appIsAllowed(FEATURE_SCALE_RIGHT))
        Item(menu, ID_SCALE_RIGHT, "&Y Axis Scale (Right)...", "Y Axis Scale (Right)...");
    menu->AppendSeparator();
    if (appIsAllowed(FEATURE_GRAPH_GRID))
        Check(menu, ID_GRAPH_GRID, "&Grid\tF3", "Grid");
    if (appIsAllowed(FEATURE_GRAPH_LINES))
        Check(menu, ID_GRAPH_LINES, "&Lines\tF4", "Lines");
    if (appIsAllowed(FEATURE_GRAPH_POINTS))
        Check(menu, ID_GRAPH_POINTS, "&Points\tF5", "Points");
    if (appIsAllowed(FEATURE_ALWAYS))
        Check(menu, ID_GRAPH_BARS, "&Bars", "Bars");
    if (appIsAllowed(FEATURE_GRAPH_HEAVY))
        Check(menu, ID_GRAPH_HEAVY, "&Heavy", "Heavy");
    if (appIsAllowed(FEATURE_BEST_FIT)) {
        menu->AppendSeparator();
        Check(menu, ID_BEST_FIT, "&Best Line Fit", "Best Line Fit");
    }
}

void gumAppendDataMenu(wxMenu* menu, bool restricted, bool shortLabels, bool withTare, bool withCustomScale,
                       bool withInvert, bool withCalibrate)
{
    if (!appIsAllowed(FEATURE_CHANNEL_MENU))
        return;
    if (appIsAllowed(FEATURE_CHANNEL_DETAILS))
        Item(menu, ID_CHANNEL_DETAILS, "&Edit Details...", "Edit Details");
    if (!restricted && appIsAllowed(FEATURE_SMOOTH))
        Item(menu, ID_CHANNEL_SMOOTH, "&Smooth...", "Smooth");
    if (withTare && appIsAllowed(FEATURE_TARE))
        Item(menu, ID_CHANNEL_TARE, "&Tare to...", "Tare to");
    if (appIsAllowed(FEATURE_UNIT_CONVERSIONS))
        Item(menu, ID_CHANNEL_UNITS, "&Unit Conversions...", "Unit Conversions");
    if (withCustomScale && appIsAllowed(FEATURE_CUSTOM_SCALE))
        Item(menu, ID_CHANNEL_CUSTOM_SCALE, "Custo&m Scale...", "Custom Scale");
    if (withInvert && appIsAllowed(FEATURE_INVERT))
        Item(menu, ID_CHANNEL_INVERT, "&Invert Values...", "Invert Values");
    if (withCalibrate)
        Item(menu, ID_CALIBRATE, "&Calibrate...", "Calibrate");
    if (appIsAllowed(FEATURE_ADD_CHANNEL) || appIsAllowed(FEATURE_DUPLICATE_CHANNEL) || appIsAllowed(FEATURE_FUNCTION_PLOT) ||
        appIsAllowed(FEATURE_CALCULATE))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_ADD_CHANNEL))
        Item(menu, ID_CHANNEL_ADD, "&Add Channel...", "Add Channel");
    if (!restricted && appIsAllowed(FEATURE_DUPLICATE_CHANNEL))
        Item(menu, ID_CHANNEL_DUPLICATE, "&Duplicate Channel...", "Duplicate Channel");
    if (!restricted && appIsAllowed(FEATURE_FUNCTION_PLOT))
        Item(menu, ID_CHANNEL_FUNCTION, "&Function Plot...", "Function Plot");
    if (appIsAllowed(FEATURE_CALCULATE))
        Item(menu, ID_CHANNEL_CALCULATE, "&Calculate...", "Calculate");
    if (appIsAllowed(FEATURE_DELETE_CHANNEL)) {
        menu->AppendSeparator();
        Item(menu, ID_CHANNEL_DELETE, "De&lete Channel...", "Delete Channel");
    }
    if (!shortLabels)
        return;
    if (!restricted && appIsAllowed(FEATURE_SMOOTH) && !appIsAllowed(FEATURE_SMOOTH_DIALOG))
        menu->SetLabel(ID_CHANNEL_SMOOTH, _("&Smooth"));
    if (withInvert && appIsAllowed(FEATURE_INVERT))
        menu->SetLabel(ID_CHANNEL_INVERT, _("&Invert Values"));
    if (!restricted && appIsAllowed(FEATURE_DUPLICATE_CHANNEL))
        menu->SetLabel(ID_CHANNEL_DUPLICATE, _("&Duplicate Channel"));
}

void gumAppendLoggingMenu(wxMenu* menu)
{
    Item(menu, ID_START, "Star&t\tF11", "Start logging and graphing data");
    Item(menu, ID_STOP, "Sto&p\tF12", "Stop logging and graphing data");
    if (appIsAllowed(FEATURE_MARK))
        Item(menu, ID_MARK, "&Mark\tF8", "Mark");
    Item(menu, ID_STORE, "&Store\tF9", "Store");
    if (appIsAllowed(FEATURE_OVERLAY) || appIsAllowed(FEATURE_CONTROL_OUTPUTS) || appIsAllowed(FEATURE_SETUP))
        menu->AppendSeparator();
    if (appIsAllowed(FEATURE_OVERLAY))
        Check(menu, ID_OVERLAY, "&Overlay", "Overlay");
    if (appIsAllowed(FEATURE_CONTROL_OUTPUTS))
        Item(menu, ID_CONTROL, "&Control...", "Control");
    if (appIsAllowed(FEATURE_SETUP))
        Item(menu, ID_SETUP, "Set &up...", "Set up");
}

void gumAppendToolsMenu(wxMenu* menu)
{
    if (!appIsAllowed(FEATURE_GRAPH_TOOLS))
        return;
    if (docIsToolAllowed(TOOL_POSITION))
        Check(menu, ID_TOOL_POSITION, "&Position", "Position");
    if (docIsToolAllowed(TOOL_READING))
        Check(menu, ID_TOOL_READING, "&Reading", "Reading");
    if (docIsToolAllowed(TOOL_CHANGE))
        Check(menu, ID_TOOL_CHANGE, "&Change", "Change");
    if (docIsToolAllowed(TOOL_DIFFERENCE))
        Check(menu, ID_TOOL_DIFFERENCE, "&Difference", "Difference");
    if (docIsToolAllowed(TOOL_GRADIENT))
        Check(menu, ID_TOOL_GRADIENT, "&Gradient", "Gradient");
    if (docIsToolAllowed(TOOL_AREA))
        Check(menu, ID_TOOL_AREA, "&Area", "Area");
    if (appIsAllowed(FEATURE_OPTIONS)) {
        menu->AppendSeparator();
        Item(menu, ID_TOOL_OPTIONS, "&Options...", "Options...");
    }
}

void gumAppendHelpMenu(wxMenu* menu)
{
    if (appIsAllowed(FEATURE_HELP_CONTENTS)) {
        Item(menu, ID_HELP_INTRO, "&Introduction", "Help Introduction");
        Item(menu, wxID_HELP, "&Contents\tF1", "Help contents");
        menu->AppendSeparator();
        menu->Append(ID_WEB_SITE, _("&Ombex Portal"), _("Browse") + " " + gumGetMakerAddress());
        menu->AppendSeparator();
        Item(menu, ID_TECHNICAL_SUPPORT, "&Technical Support", "Technical Support");
        Item(menu, wxID_ABOUT, "&About Quorvanti", "About");
    } else {
        Item(menu, ID_HELP_INTRO, "&Introduction\tF1", "Help Introduction");
        menu->AppendSeparator();
        Item(menu, wxID_ABOUT, "&About Quorvanti", "About");
    }
}

void CgumFrame::CreateMenuBar()
{
    auto* exportMenu = new wxMenu;
    auto* adminMenu = new wxMenu;
    auto* file = new wxMenu;
    auto* edit = new wxMenu;
    auto* view = new wxMenu;
    auto* graph = new wxMenu;
    auto* data = new wxMenu;
    auto* logging = new wxMenu;
    auto* tools = new wxMenu;
    auto* help = new wxMenu;
    wxMenu* colour = nullptr;
    if (appIsAllowed(FEATURE_COLOUR_THEME)) {
        colour = new wxMenu;
        gumAppendThemeMenu(colour);
    }

    gumAppendExportMenu(exportMenu);
    gumAppendAdminMenu(adminMenu);
    gumAppendFileMenu(file, exportMenu, adminMenu); // takes or frees both submenus
    gumAppendEditMenu(edit);
    gumAppendViewMenu(view, colour);
    gumAppendGraphMenu(graph);
    gumAppendDataMenu(data, false, false, true, true, true, false);
    gumAppendLoggingMenu(logging);
    gumAppendToolsMenu(tools);
    gumAppendHelpMenu(help);

    // The file history must not keep pointers to menus about to be deleted.
    wxDocManager* manager = GetDocumentManager();
    if (wxMenuBar* old = GetMenuBar()) {
        for (size_t i = old->GetMenuCount(); i-- > 0;) {
            if (manager)
                manager->FileHistoryRemoveMenu(old->GetMenu(i));
        }
        SetMenuBar(nullptr);
        delete old;
    }

    auto* bar = new wxMenuBar;
    const std::pair<wxMenu*, const char*> menus[] = {
        {file, "&File"},   {edit, "&Edit"},       {view, "&View"},   {graph, "&Graph"},
        {data, "&Data"},   {logging, "&Logging"}, {tools, "&Tools"}, {help, "&Help"},
    };
    for (const auto& [menu, title] : menus) {
        if (menu->GetMenuItemCount() > 0)
            bar->Append(menu, wxGetTranslation(title));
        else
            delete menu;
    }
    SetMenuBar(bar);
    if (manager) {
        manager->FileHistoryUseMenu(file);
        manager->FileHistoryAddFilesToMenu(file);
    }
}
