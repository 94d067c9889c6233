#pragma once
#include <wx/object.h>

// The codes of the view-update hints. 41 and 42 are not used.
enum
{
    HINT_BOX_LINKED = 1,
    HINT_BOX_SENSORS = 2,
    HINT_BOX_VALUES = 3,
    HINT_BOX_STATUS = 4,
    HINT_STORE_COMPACTED = 5,
    HINT_TITLE = 6,
    HINT_VIEW_TITLE = 7,
    HINT_VIEW_GAUGE = 8,
    HINT_VIEW_TABLE = 9,
    HINT_VIEW_DIGITS = 10,
    HINT_OPTIONS = 11,
    HINT_RESCAN = 12,
    HINT_AXES = 13,
    HINT_SCALES = 14,
    HINT_GRAPH_STYLE = 15,
    HINT_DATA_RESET = 16,
    HINT_CHANNELS_RESET = 17,
    HINT_TABLE_MESSAGE = 18,
    HINT_VALUE_EDITED = 19,
    HINT_CHANNEL_CHANGED = 20,
    HINT_CHANNEL_ADDED = 21,
    HINT_CHANNEL_REMOVED = 22,
    HINT_CHANNEL_VALUES = 23,
    HINT_CHANNEL_LAYOUT = 24,
    HINT_RUN_RESET = 25,
    HINT_RUN_STARTED = 26,
    HINT_RUN_STOPPED = 27,
    HINT_NEW_DATA = 28,
    HINT_MARKED = 29,
    HINT_SAMPLE_UPDATED = 30,
    HINT_SCROLL_TO = 31,
    HINT_SCROLL_FOLLOW = 32,
    HINT_DELETED_ALL = 33,
    HINT_DELETED_LAST = 34,
    HINT_TOOL = 35,
    HINT_VIEW_TIME_AND_DATE = 36,
    HINT_SCOPE_DRAW = 37,
    HINT_SCOPE_STORED = 38,
    HINT_SCOPE_SETTINGS = 39,
    HINT_GRAPH_REDRAW = 40,
    HINT_PREDICT_ON = 43,
    HINT_PREDICT_OFF = 44,
    HINT_PREDICT_POINT = 45,
    HINT_PREDICT_CLEARED = 46,
};

// The row and column changes that HINT_TABLE_MESSAGE carries; the numbers are
// the toolkit grid's own notification ids, so the table view passes them on.
enum
{
    TABLE_ROWS_APPENDED = 2003,
    TABLE_ROWS_DELETED = 2004,
    TABLE_COLS_INSERTED = 2005,
    TABLE_COLS_APPENDED = 2006,
    TABLE_COLS_DELETED = 2007,
};

// The data of HINT_TABLE_MESSAGE: the grid table message without a table (the
// grid's own message class needs the window library).
struct CdocTableMessage
{
    int m_id = 0;
    int m_int1 = 0;
    int m_int2 = 0;
};

// A view-update hint: a code and an optional data pointer. Built on the stack
// and passed by address to every view.
class CdocHint : public wxObject
{
public:
    CdocHint(int code, void* data) : m_code(code), m_data(data) {}

    int m_code;
    void* m_data;
};
