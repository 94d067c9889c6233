#pragma once
#include "app/base/gumResCore.h"
#include "app/gumBitmapPair.h"

#include <array>
#include <wx/icon.h>
#include <wx/image.h>

class CxutBoxInfo;

// Picture indices of the two tool picture sets; the numbers without a name
// hold no picture.
enum
{
    BMP_NEW = 0,
    BMP_OPEN = 1,
    BMP_SAVE = 2,
    BMP_PRINT = 3,
    BMP_START = 4,
    BMP_STOP = 5,
    BMP_STORE = 6,
    BMP_HELP = 7,
    BMP_LEVEL1 = 8,
    BMP_LEVEL2 = 9,
    BMP_LEVEL3 = 10,
    BMP_LEVEL4 = 11,
    BMP_CANCEL = 12,
    BMP_SNAPSHOT = 13,
    BMP_AUTOLOG = 14,
    BMP_SCOPE = 15,
    BMP_SETUP = 16,
    BMP_FETCH = 17,
    BMP_TABLE = 18,
    BMP_DIGITS = 19,
    BMP_INFORMATION = 20,
    BMP_DELETE_LAST = 21,
    BMP_COPY_GRAPH = 25,
    BMP_COPY_TABLE = 26,
    BMP_AUTO_ZOOM = 27,
    BMP_DEFAULT_ZOOM = 28,
    BMP_ANNOTATE = 29,
    BMP_GAUGE = 32,
    BMP_NOTES = 33,
    BMP_MARK = 34,
    BMP_COUNT = 39,
};

// The single pictures: the timed object with one, two or four bars, and the
// disable and refresh buttons of template matching.
enum
{
    PICTURE_ONE_BAR = 0,
    PICTURE_TWO_BARS = 1,
    PICTURE_FOUR_BARS = 2,
    PICTURE_MATCH_DISABLE = 3,
    PICTURE_MATCH_REFRESH = 4,
    PICTURE_COUNT = 5,
};

// Icon slots: the application, nine state icons, loggers, sensors.
enum
{
    ICON_APP = 0,
    ICON_STATE_FIRST = 1,
    ICON_LOGGER_UNKNOWN = 10,
    ICON_SENSOR_DEFAULT = 21,
    ICON_COUNT = 74,
};

// The application's resources: the paths and string table of CgumResCore
// and every picture the program shows, loaded once at start-up.
class CgumRes : public CgumResCore
{
public:
    CgumRes();
    ~CgumRes() override;

    // Loads every picture, then the string table; only the string table
    // decides the result.
    bool Load();
    bool LoadToolBitmap(wxBitmap& bitmap, const wxString& name) const;
    // The tool bars call it around realising their tools; it keeps nothing.
    int SetToolMode(int mode);

    const wxIcon& GetSensorIcon(const wxString& name) const;
    // State icon n (0 to 7 battery levels, 8 external power), or null.
    const wxIcon* GetStateIcon(int n) const;
    const wxIcon& GetLoggerIcon(const CxutBoxInfo& info) const;

    std::array<CgumBitmapPair, BMP_COUNT> m_toolBitmaps;
    std::array<CgumBitmapPair, BMP_COUNT> m_sideBitmaps;
    std::array<wxBitmap, PICTURE_COUNT> m_pictures;
    std::array<wxIcon, ICON_COUNT> m_icons;
    // The meter's channel buttons carry it.
    wxIcon m_dropDownIcon;
    wxImage m_scopeImage;
};
