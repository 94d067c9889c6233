#include "app/appOptions.h"

#include "app/base/gumAdminHelper.h"
#include "app/base/gumResCore.h"
#include "transport/zxBtle.h"
#include "transport/zxMessageBox.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>

namespace {

struct FeatureLevel
{
    int feature;
    int level;
};

// Entry n holds feature n.
const FeatureLevel kFeatures[FEATURE_COUNT] = {
    {0, 1}, {1, 3}, {2, 2}, {3, 4}, {4, 3}, {5, 4}, {6, 3}, {7, 3}, {8, 2}, {9, 2},
    {10, 4}, {11, 2}, {12, 3}, {13, 3}, {14, 3}, {15, 3}, {16, 1}, {17, 3}, {18, 2}, {19, 2},
    {20, 3}, {21, 2}, {22, 3}, {23, 1}, {24, 4}, {25, 2}, {26, 2}, {27, 2}, {28, 2}, {29, 3},
    {30, 3}, {31, 3}, {32, 2}, {33, 3}, {34, 2}, {35, 3}, {36, 3}, {37, 2}, {38, 2}, {39, 1},
    {40, 2}, {41, 1}, {42, 1}, {43, 2}, {44, 2}, {45, 3}, {46, 2}, {47, 3}, {48, 3}, {49, 3},
    {50, 2}, {51, 3}, {52, 2}, {53, 3}, {54, 3}, {55, 3}, {56, 2}, {57, 3}, {58, 3}, {59, 3},
    {60, 3}, {61, 2}, {62, 4}, {63, 1}, {64, 1}, {65, 1}, {66, 1}, {67, 1}, {68, 1}, {69, 3},
    {70, 3}, {71, 1}, {72, 1}, {73, 3}, {74, 4}, {75, 2}, {76, 4}, {77, 3}, {78, 3}, {79, 3},
    {80, 4}, {81, 3}, {82, 3}, {83, 4}, {84, 4}, {85, 4}, {86, 4}, {87, 3}, {88, 3}, {89, 4},
    {90, 2}, {91, 3}, {92, 2}, {93, 3}, {94, 1}, {95, 1}, {96, 4}, {97, 2}, {98, 2}, {99, 4},
    {100, 3}, {101, 1}, {102, 1}, {103, 3}, {104, 3}, {105, 3}, {106, 3}, {107, 3}, {108, 1}, {109, 1},
    {110, 1}, {111, 3}, {112, 2}, {113, 2}, {114, 1}, {115, 3}, {116, 1}, {117, 2}, {118, 1}, {119, 2},
    {120, 3}, {121, 3}, {122, 3}, {123, 1}, {124, 3}, {125, 3}, {126, 3}, {127, 1}, {128, 1}, {129, 1},
    {130, 1}, {131, 3}, {132, 1}, {133, 1}, {134, 3}, {135, 3}, {136, 1},
};

wxString SettingsPath()
{
    if (CgumResCore* res = gumGetResCore()) {
        wxFileName file;
        res->GetSettingsFile(file);
        return file.GetFullPath();
    }
    return wxFileName(CgumResCore::GetAllUsersAppSupportDir(), "Settings", "txt").GetFullPath();
}

wxString UserSettingsPath()
{
    if (CgumResCore* res = gumGetResCore()) {
        wxFileName file;
        res->GetUserSettingsFile(file);
        return file.GetFullPath();
    }
    return wxFileName(CgumResCore::GetUserAppSupportDir(), "Settings", "txt").GetFullPath();
}

wxString UserOptionsPath()
{
    if (CgumResCore* res = gumGetResCore()) {
        wxFileName file;
        res->GetUserOptionsFile(file);
        return file.GetFullPath();
    }
    return wxFileName(CgumResCore::GetUserAppSupportDir(), "Options", "txt").GetFullPath();
}

CappOptions* g_options = nullptr;

} // namespace

CappOptions::CappOptions()
{
    UpdateLevelFlags();
    g_options = this;
}

CappOptions::~CappOptions()
{
    if (g_options == this)
        g_options = nullptr;
}

CappOptions* appGetOptions()
{
    return g_options;
}

bool appIsAllowed(int feature)
{
    const CappOptions* options = g_options;
    return options && options->IsAllowed(feature);
}

int CappOptions::GetFeatureLevel(int n)
{
    if (n < 0 || n >= FEATURE_COUNT)
        return 5;
    return kFeatures[n].level;
}

bool CappOptions::IsAllowed(int n) const
{
    // A feature number from outside the table is never allowed.
    if (n < 0 || n >= FEATURE_COUNT)
        return false;
    return GetUserLevel() >= kFeatures[n].level;
}

void CappOptions::UpdateLevelFlags()
{
    const int level = GetUserLevel();
    m_showToolBar = level >= GetFeatureLevel(FEATURE_DEFAULT_TOOLBAR);
    m_viewTitle = level >= GetFeatureLevel(FEATURE_DEFAULT_TITLE);
    m_viewGauge = level >= GetFeatureLevel(FEATURE_DEFAULT_GAUGE);
    m_viewTable = level >= GetFeatureLevel(FEATURE_DEFAULT_TABLE);
    m_viewDigits = level >= GetFeatureLevel(FEATURE_DEFAULT_DIGITS) && !m_viewTable;
}

bool CappOptions::Load(bool report)
{
    bool ok = m_settings.Read(SettingsPath());
    if (!ok)
        ok = m_settings.Read(UserSettingsPath());
    CappOptionsFile current = m_settings;
    if (m_settings.UserSave) {
        if (current.Read(UserOptionsPath()))
            ok = true;
        current.ManagerMode = m_settings.ManagerMode;
        current.UserSave = m_settings.UserSave;
    }
    SetCurrent(current);
    if (!ok && report)
        zxInfoBox(_("Could not load Settings file."), _("Message"));
    return true;
}

bool CappOptions::SaveUserOptions(const CappOptionsFile& record, bool report)
{
    const bool ok = record.Write(UserOptionsPath());
    if (!ok && report)
        zxMessageBox(_("Could not save options file."));
    return ok;
}

bool CappOptions::InstallAdminSettings(const CappOptionsFile& record, bool report)
{
    const wxString allUsers = SettingsPath();
    bool ok = record.Write(allUsers);
    if (!ok) {
        const wxString userCopy = UserSettingsPath();
        if (!record.Write(userCopy))
            return false;
        ok = gumRunAdminHelper(userCopy, allUsers);
        wxLogNull quiet;
        wxRemoveFile(userCopy);
    }
    if (ok && report)
        zxInfoBox(_("To set the default options for all users of this computer, the Administrator's "
                    "Settings file has been saved to:") +
                  zxNewLine() + allUsers);
    return ok;
}

bool CappOptions::SaveAdminSettingsCopy(const CappOptionsFile& record, bool report)
{
    const wxString userCopy = UserSettingsPath();
    const bool ok = record.Write(userCopy);
    if (ok && report) {
        const wxString nl = zxNewLine();
        zxInfoBox(_("To set the default options for all users of this computer, run Quorvanti as an "
                    "Administrator.") +
                  nl + _("An Administrator's Settings file has been saved to:") + nl + userCopy + nl +
                  _("To set the default options for all users of a computer, copy this file to:") + nl +
                  SettingsPath());
    }
    return ok;
}

void CappOptions::SaveAdminSettings(CappOptionsFile record, bool report)
{
    const bool managerWas = m_settings.ManagerMode;
    const int levelWas = GetUserLevel();
    if (InstallAdminSettings(record, report)) {
        m_settings = record;
    } else {
        // A file that reached no other user cannot change these two.
        record.ManagerMode = m_settings.ManagerMode;
        record.UserSave = m_settings.UserSave;
        if (!SaveAdminSettingsCopy(record, report))
            zxMessageBox(_("Could not save the Administrator's Settings file."));
        m_settings = record;
    }
    SetCurrent(m_settings);
    if (m_settings.UserSave)
        SaveUserOptions(GetCurrentCopy(), report);
    Apply(GetUserLevel() != levelWas, m_settings.ManagerMode != managerWas);
}

void CappOptions::Set(const CappOptionsFile& record, bool save)
{
    const int levelWas = GetUserLevel();
    SetCurrent(record);
    Apply(GetUserLevel() != levelWas, false);
    if (save && m_settings.UserSave)
        SaveUserOptions(GetCurrentCopy(), true);
}

void CappOptions::Apply(bool levelChanged, bool managerChanged)
{
    const CappOptionsFile current = GetCurrentCopy();
    zxGetBtle().SetSelectedLogger(current.BluetoothSmartUUID, current.BluetoothSmartName);
    if (levelChanged)
        UpdateLevelFlags();
    if (m_applyHandler)
        m_applyHandler(levelChanged, managerChanged);
}

CappOptionsFile CappOptions::GetCurrentCopy() const
{
    std::lock_guard<std::mutex> lock(m_currentLock);
    return m_current;
}

int CappOptions::GetUserLevel() const
{
    std::lock_guard<std::mutex> lock(m_currentLock);
    return m_current.UserLevel;
}

void CappOptions::SetCurrent(const CappOptionsFile& record)
{
    std::lock_guard<std::mutex> lock(m_currentLock);
    m_current = record;
}

void CappOptions::SetUserLevel(int level)
{
    std::lock_guard<std::mutex> lock(m_currentLock);
    m_current.UserLevel = level;
}

void CappOptions::GetNextPort(int& port, wxString& name, bool bluetoothLEAllowed) const
{
    GetCurrentCopy().GetNextPort(port, name, bluetoothLEAllowed);
}
