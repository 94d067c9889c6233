#pragma once
#include "app/base/appOptionsFile.h"
#include "hardware/xhwSetup.h"

#include <functional>
#include <mutex>

// Features gated by the user level (0 to 136); the numbers without a name
// carry a level but gate nothing.
enum
{
    FEATURE_ALWAYS = 0,
    FEATURE_ADD_CHANNEL = 1,
    FEATURE_ANNOTATE = 2,
    FEATURE_TOOL_AREA = 3,
    FEATURE_BEST_FIT = 4,
    FEATURE_CALCULATE = 5,
    FEATURE_TOOL_CHANGE = 6,
    FEATURE_CONTROL_OUTPUTS = 7,
    FEATURE_COPY_GRAPH = 8,
    FEATURE_COPY_TABLE = 9,
    FEATURE_CUSTOM_SCALE = 10,
    FEATURE_CHANNEL_MENU = 11,
    FEATURE_DELETE_ALL = 12,
    FEATURE_DELETE_CHANNEL = 13,
    FEATURE_DELETE_LAST = 14,
    FEATURE_TOOL_DIFFERENCE = 15,
    FEATURE_VIEW_DIGITS = 16,
    FEATURE_DUPLICATE_CHANNEL = 17,
    FEATURE_EDIT_MENU = 18,
    FEATURE_CHANNEL_DETAILS = 19,
    FEATURE_EXPORT = 20,
    FEATURE_GRAPH_FONT = 21,
    FEATURE_FUNCTION_PLOT = 22,
    FEATURE_VIEW_GAUGE = 23,
    FEATURE_TOOL_GRADIENT = 24,
    FEATURE_GRAPH_MENU = 25,
    FEATURE_GRAPH_GRID = 26,
    FEATURE_GRAPH_HEAVY = 27,
    FEATURE_HELP_CONTENTS = 28,
    FEATURE_IMPORT = 29,
    FEATURE_INFORMATION = 30,
    FEATURE_INVERT = 31,
    FEATURE_GRAPH_LINES = 32,
    FEATURE_MARK = 33,
    FEATURE_NOTES = 34,
    FEATURE_OPTIONS = 35,
    FEATURE_OVERLAY = 36,
    FEATURE_GRAPH_POINTS = 37,
    FEATURE_TOOL_POSITION = 38,
    FEATURE_PRINT = 39,
    FEATURE_TOOL_READING = 41,
    FEATURE_SAVE = 42,
    FEATURE_SETUP = 44,
    FEATURE_SMOOTH = 45,
    FEATURE_VIEW_TABLE = 46,
    FEATURE_TARE = 47,
    FEATURE_TIME_AND_DATE = 49,
    FEATURE_TITLE = 50,
    FEATURE_TOOLBAR = 51,
    FEATURE_GRAPH_TOOLS = 52,
    FEATURE_UNIT_CONVERSIONS = 53,
    FEATURE_OPEN_WORKSHEET = 54,
    FEATURE_SCALE_X = 55,
    FEATURE_SCALE_LEFT = 56,
    FEATURE_SCALE_RIGHT = 57,
    FEATURE_SCOPE = 59,
    FEATURE_TABLE_EDIT = 60,
    FEATURE_START_LINE = 61,
    FEATURE_AUTO_RESCALE = 62,
    FEATURE_CHANNEL_COLOUR = 63,
    FEATURE_COLOUR_THEME = 64,
    FEATURE_TWO_CHANNEL_FUNCTIONS = 65,
    FEATURE_TABLE_TIME_AND_DATE = 66,
    FEATURE_TIME_AND_DATE_AXIS = 67,
    FEATURE_SAVE_TEMPLATE = 69,
    FEATURE_OPEN_TEMPLATE = 70,
    FEATURE_SMOOTH_DIALOG = 71,
    FEATURE_STANDARD_DEVIATION = 72,
    FEATURE_DEFAULT_TOOLBAR = 73,
    FEATURE_DEFAULT_TITLE = 74,
    FEATURE_DEFAULT_GAUGE = 75,
    FEATURE_DEFAULT_TABLE = 76,
    FEATURE_DEFAULT_DIGITS = 77,
    FEATURE_THIN_TRACES = 78,
    FEATURE_SETUP_FAST_TRIGGER = 79,
    FEATURE_SETUP_PERIODIC_ADVANCED = 80,
    FEATURE_SETUP_VELOCITY = 81,
    FEATURE_SETUP_ACCELERATION = 82,
    FEATURE_SETUP_KINETIC_ENERGY = 83,
    FEATURE_SETUP_MOMENTUM = 84,
    FEATURE_SETUP_SHM_PERIOD = 85,
    FEATURE_SETUP_MANUAL_CALCULATION = 86,
    FEATURE_SETUP_EACH_SENSOR = 87,
    FEATURE_SETUP_TWO_BARS = 88,
    FEATURE_SETUP_FOUR_BARS = 89,
    FEATURE_SCOPE_CONTINUE = 134,
    FEATURE_CONTINUE_FILE_DATA = 135,
    FEATURE_WHOLE_NUMBERS = 136,
    FEATURE_COUNT = 137,
};

// The options in force: the administrator's record, the record in force, the
// values derived from the user level and the colour theme of new documents.
class CappOptions
{
public:
    CappOptions();
    virtual ~CappOptions();
    CappOptions(const CappOptions&) = delete;
    CappOptions& operator=(const CappOptions&) = delete;

    // The minimum user level of feature n; 5 (never reached) outside 0..136.
    static int GetFeatureLevel(int n);
    bool IsAllowed(int n) const;
    void UpdateLevelFlags();

    bool Load(bool report);
    bool SaveUserOptions(const CappOptionsFile& record, bool report);
    bool InstallAdminSettings(const CappOptionsFile& record, bool report);
    bool SaveAdminSettingsCopy(const CappOptionsFile& record, bool report);
    void SaveAdminSettings(CappOptionsFile record, bool report);
    void Set(const CappOptionsFile& record, bool save);
    void Apply(bool levelChanged, bool managerChanged);

    // The logger manager's thread reads the record in force while the main
    // thread may replace it: every replacement and every read from another
    // thread goes through this lock.
    CappOptionsFile GetCurrentCopy() const;
    int GetUserLevel() const;
    void SetCurrent(const CappOptionsFile& record);
    void SetUserLevel(int level);
    void GetNextPort(int& port, wxString& name, bool bluetoothLEAllowed) const;

    // What Apply does beyond the options themselves (menus, layout, the open
    // document, the data folder, the remembered Bluetooth LE logger); the
    // application installs it.
    std::function<void(bool levelChanged, bool managerChanged)> m_applyHandler;

    CappOptionsFile m_settings;
    int m_colourTheme = 0;
    bool m_showToolBar = true;
    bool m_viewTitle = true;
    bool m_viewTable = true;
    bool m_viewGauge = true;
    bool m_viewDigits = false;
    // The logging set-up that new documents copy; in no file.
    CxhwSetup m_setup;

private:
    mutable std::mutex m_currentLock;
    // The record in force; only through the accessors above.
    CappOptionsFile m_current;
};

// The application's options object (the one constructed last and still
// alive), so that code without windows reaches the feature gate; null before.
CappOptions* appGetOptions();

// The feature gate of the application's options; false while there are none.
bool appIsAllowed(int feature);
