#include "app/gumRes.h"

#include "app/gumPictureData.h"
#include "hardware/xhwBoxTypes.h"
#include "protocol/xutBoxInfo.h"

#include <wx/filename.h>
#include <wx/mstream.h>

namespace {

struct Named
{
    int index;
    const char* name;
};

// Pictures of the main tool bar built into the program, both sizes.
const Named kToolPictures[] = {
    {BMP_NEW, "new"},
    {BMP_TABLE, "table"},
    {BMP_DIGITS, "digits"},
    {BMP_INFORMATION, "information"},
    {BMP_DELETE_LAST, "deletelast"},
    {BMP_COPY_GRAPH, "copygraph"},
    {BMP_COPY_TABLE, "copytable"},
    {BMP_AUTO_ZOOM, "autozoom"},
    {BMP_DEFAULT_ZOOM, "defaultzoom"},
    {BMP_ANNOTATE, "annotate"},
    {BMP_GAUGE, "gauge"},
    {BMP_NOTES, "notes"},
};

const Named kLevelPictures[] = {
    {BMP_LEVEL1, "level1"},
    {BMP_LEVEL2, "level2"},
    {BMP_LEVEL3, "level3"},
    {BMP_LEVEL4, "level4"},
};

// Side pictures read from the resource folder, in the order they are read;
// %d is the size, 32 or 48.
const Named kSideFiles[] = {
    {BMP_AUTOLOG, "sb%dautolog"},
    {BMP_FETCH, "sb%dfetch"},
    {BMP_HELP, "sb%dhelp"},
    {BMP_OPEN, "sb%dopen"},
    {BMP_PRINT, "sb%dprint"},
    {BMP_SAVE, "sb%dsave"},
    {BMP_SCOPE, "sb%dscope"},
    {BMP_SETUP, "rb%dsetup"},
    {BMP_SNAPSHOT, "sb%dsnapshot"},
    {BMP_START, "sb%dstart"},
    {BMP_STOP, "sb%dstop"},
};

const Named kSinglePictures[] = {
    {PICTURE_ONE_BAR, "picture-bars1"},
    {PICTURE_TWO_BARS, "picture-bars2"},
    {PICTURE_FOUR_BARS, "picture-bars4"},
    {PICTURE_MATCH_DISABLE, "picture-cross7"},
    {PICTURE_MATCH_REFRESH, "picture-refresh11"},
};

const int kLoggerSlots[] = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 63};

// The icon names that sensor records carry, with their slots.
const Named kSensorIcons[] = {
    {22, "AirPres"},  {23, "Current"},  {24, "Light"},    {25, "Loop"},     {26, "Magnet"},
    {27, "pH"},       {28, "Sound"},    {29, "Temp"},     {30, "TempK"},    {31, "Ultrasnd"},
    {32, "Voltage"},  {33, "LightSw"},  {34, "Heart"},    {35, "Frequenc"}, {36, "OnOff"},
    {37, "Position"}, {38, "Humidity"}, {39, "Switch"},   {40, "Stop"},     {41, "Percent"},
    {42, "WindSp"},   {43, "Meter3"},   {44, "DO2"},      {45, "Gate"},     {46, "Conduct"},
    {47, "Accln"},    {48, "Colorim"},  {49, "WaterFlo"}, {50, "Direct"},   {51, "Output"},
    {52, "Force"},    {53, "Bulb"},     {54, "Count"},    {55, "Period"},   {56, "Balance"},
    {57, "Time"},     {58, "Radiate"},  {59, "Wireless"}, {60, "Tick"},     {61, "Cross"},
    {62, "Popup"},    {64, "Rain"},     {65, "Mike"},     {66, "Breath"},   {67, "Mains"},
    {68, "Camera"},   {69, "Speaker"},  {70, "Meter1"},   {71, "Meter2"},   {72, "Bell"},
    {73, "SineWave"},
};

wxImage BuiltInImage(const wxString& name)
{
    const CgumPictureData* data = gumFindPictureData(name.utf8_str());
    if (!data)
        return wxImage();
    wxMemoryInputStream stream(data->data, data->size);
    return wxImage(stream, wxBITMAP_TYPE_PNG);
}

wxBitmap BuiltInBitmap(const wxString& name)
{
    const wxImage image = BuiltInImage(name);
    return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

wxIcon BuiltInIcon(const wxString& name)
{
    wxIcon icon;
    const wxBitmap bitmap = BuiltInBitmap(name);
    if (bitmap.IsOk())
        icon.CopyFromBitmap(bitmap);
    return icon;
}

} // namespace

CgumRes::CgumRes() = default;

CgumRes::~CgumRes() = default;

bool CgumRes::Load()
{
    m_icons[ICON_APP] = BuiltInIcon("icon-app");
    for (int n = 0; n <= 8; ++n)
        m_icons[size_t(ICON_STATE_FIRST + n)] = BuiltInIcon(wxString::Format("icon-state%d", n));
    for (int slot : kLoggerSlots)
        m_icons[size_t(slot)] = BuiltInIcon(wxString::Format("icon-logger%d", slot));
    m_icons[ICON_SENSOR_DEFAULT] = BuiltInIcon("icon-sensor-default");
    for (const Named& icon : kSensorIcons)
        m_icons[size_t(icon.index)] = BuiltInIcon("icon-sensor-" + wxString(icon.name).Lower());

    for (const Named& tool : kToolPictures) {
        m_toolBitmaps[size_t(tool.index)].m_small = BuiltInBitmap(wxString("tool16-") + tool.name);
        m_toolBitmaps[size_t(tool.index)].m_large = BuiltInBitmap(wxString("tool32-") + tool.name);
    }
    for (const Named& level : kLevelPictures) {
        m_sideBitmaps[size_t(level.index)].m_small = BuiltInBitmap(wxString("side32-") + level.name);
        m_sideBitmaps[size_t(level.index)].m_large = BuiltInBitmap(wxString("side48-") + level.name);
    }
    for (const Named& file : kSideFiles)
        LoadToolBitmap(m_sideBitmaps[size_t(file.index)].m_small, wxString::Format(file.name, 32));
    for (const Named& file : kSideFiles)
        LoadToolBitmap(m_sideBitmaps[size_t(file.index)].m_large, wxString::Format(file.name, 48));

    for (const Named& picture : kSinglePictures)
        m_pictures[size_t(picture.index)] = BuiltInBitmap(picture.name);
    m_dropDownIcon = BuiltInIcon("dropdown");

    wxFileName scope;
    GetResourceFile(scope, "bitmaps", "scope", "png");
    m_scopeImage = wxImage();
    if (scope.FileExists())
        m_scopeImage.LoadFile(scope.GetFullPath(), wxBITMAP_TYPE_PNG);
    return LoadStrings();
}

// A missing file leaves the picture empty without a message: a report box
// for each would stand in the way of the start, and the bars size their
// tools by what was loaded. A file that exists but cannot be read is
// reported by the toolkit.
bool CgumRes::LoadToolBitmap(wxBitmap& bitmap, const wxString& name) const
{
    bitmap = wxBitmap();
    wxFileName file;
    GetResourceFile(file, "bitmaps", name, "png");
    if (!file.FileExists())
        return false;
    return bitmap.LoadFile(file.GetFullPath(), wxBITMAP_TYPE_PNG);
}

int CgumRes::SetToolMode(int mode)
{
    return -1;
}

const wxIcon& CgumRes::GetSensorIcon(const wxString& name) const
{
    for (const Named& icon : kSensorIcons) {
        if (name.IsSameAs(icon.name, false))
            return m_icons[size_t(icon.index)];
    }
    return m_icons[ICON_SENSOR_DEFAULT];
}

const wxIcon* CgumRes::GetStateIcon(int n) const
{
    if (n < 0 || n > 8)
        return nullptr;
    return &m_icons[size_t(ICON_STATE_FIRST + n)];
}

const wxIcon& CgumRes::GetLoggerIcon(const CxutBoxInfo& info) const
{
    int slot = ICON_LOGGER_UNKNOWN;
    switch (info.m_hardware) {
    case BOX_TYPE_2:
        slot = 17;
        break;
    case BOX_TYPE_3:
        slot = 16;
        break;
    case BOX_TYPE_PARDOVINE:
        slot = 12;
        break;
    case BOX_TYPE_TUNDRANE:
        slot = 14;
        break;
    case BOX_TYPE_LUMIVASTA:
        slot = 13;
        break;
    case BOX_TYPE_MIVA:
        slot = info.m_mivaOldShort || info.m_mivaNewShort ? 63 : 15;
        break;
    case BOX_TYPE_ZEMBROW:
        slot = 18;
        break;
    case BOX_TYPE_CINDRALLY:
        slot = 11;
        break;
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_SIMULATED:
        slot = 19;
        break;
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
        slot = 20;
        break;
    default:
        break;
    }
    return m_icons[size_t(slot)];
}
