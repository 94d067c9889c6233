#include "hardware/xhwBoxTypes.h"

#include "app/base/gumResCore.h"
#include "hardware/xhwKestilonDriver.h"
#include "protocol/xutBoxInfo.h"

#include <cmath>
#include <iterator>
#include <wx/intl.h>

namespace {

constexpr float N = 9.0f;    // no version has the feature
constexpr float OPT = -1.0f; // type 7: with its option flag (answered by its driver)

// Columns of the feature table, in order.
constexpr int kTableTypes[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14};
constexpr int kColumns = int(std::size(kTableTypes));

struct FeatureRow
{
    int feature;
    float version[kColumns];
};

// Lowest firmware version with each feature, per box type.
constexpr FeatureRow kFeatures[] = {
    // feature  2  3  4  5     6  7    8     9  10 12 14
    {1, {0, 0, 0, N, 0, 0, 0, 0, 0, 0, 0}},
    {2, {N, N, N, 0, N, N, 0, 0, 0, 0, N}},
    {3, {N, N, N, N, N, 0, N, 0, N, N, N}},
    {4, {N, 0, 0, 0, 0, 0, 0, 0, N, N, 0}},
    {5, {0, N, 0, 0, 0, N, 0, N, 0, 0, 0}},
    {6, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {7, {N, N, N, 0, N, N, N, N, N, N, N}},
    {8, {0, N, N, N, N, N, N, N, N, N, N}},
    {9, {N, N, N, N, N, 0, N, N, N, N, N}},
    {10, {N, 0, 0, N, N, N, 0, 0, N, N, 0}},
    {11, {N, N, N, N, N, N, N, N, N, N, 0}},
    {12, {N, N, 0, 0, 0, N, 0, 0, N, N, 0}},
    {13, {N, N, 0, N, N, N, N, N, N, N, N}},
    {14, {0, N, 0, 1.08f, 0, N, 0, N, N, N, N}},
    {15, {N, N, N, 0, N, N, 0, 0, N, 0, N}},
    {16, {N, N, 0, 0, 0, N, 0, 0, N, N, N}},
    {17, {N, N, N, N, N, 0, N, N, N, N, N}},
    {18, {0, N, N, N, N, N, N, N, N, N, N}},
    {19, {N, N, N, N, N, N, 0, 0, 0, 0, N}},
    {20, {N, N, 0, 0, 0, N, 0, N, 0, 0, N}},
    {21, {N, N, N, N, 0, N, 0, 0, N, N, N}},
    {22, {N, N, N, N, N, OPT, 1.02f, 0, 0, N, 0}},
    {23, {N, N, N, N, N, OPT, 1.02f, 0, 0, N, N}},
    {24, {N, N, N, 1.09f, N, N, 1.02f, 0, 0, 0, N}},
    {101, {N, N, N, N, N, N, 0, 0, N, N, N}},
    {102, {0, N, N, N, 0, 0, 0, 0, 0, 0, 0}},
    {103, {N, N, N, N, N, N, 0, 0, N, N, N}},
    {104, {N, N, N, N, 0, 0, 0, 0, 0, 0, 0}},
    {105, {N, N, N, N, N, N, 0, 0, N, N, N}},
    {107, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {109, {N, N, N, N, N, N, 0, 0, N, N, N}},
    {111, {N, N, N, N, N, N, 0, 0, N, N, N}},
    {201, {0, N, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {203, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {205, {0, N, 0, N, 0, 0, 0, 0, 0, 0, 0}},
    {208, {N, N, N, N, 0, 0, N, N, 0, 0, 0}},
    {209, {0, N, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {211, {N, N, 0, N, 0, 0, 0, 0, 0, 0, 0}},
    {213, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {215, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
};

// Default input colours: per input row, the palette entries of ranges 0 to 3.
constexpr int kColourTable1[][4] = {{32, 35, 33, 34}, {36, 39, 37, 38}, {40, 43, 41, 42}};
constexpr int kColourTable2[][4] = {{32, 35, 33, 34}, {36, 39, 37, 38}, {40, 43, 41, 42},
                                    {44, 47, 45, 46}, {52, 55, 53, 54}, {56, 59, 57, 58}};
constexpr int kColourTable3[][4] = {{32, 35, 33, 34}, {36, 39, 37, 38}, {48, 51, 49, 50}};
constexpr int kColourTable4[][4] = {
    {32, 35, 33, 34}, {36, 39, 37, 38}, {40, 43, 41, 42}, {48, 51, 49, 50}};
constexpr int kColourTable5[][4] = {{32, 35, 33, 34}, {36, 39, 37, 38}, {48, 51, 49, 50},
                                    {40, 43, 41, 42}, {52, 55, 53, 54}, {56, 59, 57, 58},
                                    {44, 47, 45, 46}};

// A modulus that never yields a negative index, whatever the caller passes.
int PositiveMod(int value, int n)
{
    const int m = value % n;
    return m < 0 ? m + n : m;
}

template <size_t Rows>
int Entry(const int (&table)[Rows][4], int rows, int input, int range)
{
    return table[PositiveMod(input, rows)][PositiveMod(range, 4)];
}

} // namespace

bool xhwIsSerialFamily(int boxType)
{
    return (boxType >= BOX_TYPE_2 && boxType <= BOX_TYPE_LUMIVASTA) || boxType == BOX_TYPE_ZEMBROW
           || boxType == BOX_TYPE_CINDRALLY;
}

bool xhwIsCommandFamily(int boxType)
{
    return boxType == BOX_TYPE_KESTILON || boxType == BOX_TYPE_TUNDRANE2;
}

int xhwFirmwareHundredths(float version)
{
    if (!std::isfinite(version))
        return -1;
    return int(std::floor(double(version) * 100.0 + 0.5));
}

bool xhwIsFirmwareAtLeast(float firmware, float version)
{
    if (!std::isfinite(firmware))
        return false;
    return xhwFirmwareHundredths(firmware) >= xhwFirmwareHundredths(version);
}

float xhwGetFeatureVersion(int boxType, int feature)
{
    if (boxType == BOX_TYPE_MIVA)
        return N; // type 7 answers through its own feature test
    int column = -1;
    for (int i = 0; i < kColumns; ++i)
        if (kTableTypes[i] == boxType)
            column = i;
    if (column < 0)
        return N;
    for (const FeatureRow& row : kFeatures)
        if (row.feature == feature)
            return row.version[column];
    return N;
}

bool xhwIsFeatureSupported(int feature, int boxType, float firmware)
{
    if (boxType == BOX_TYPE_NONE)
        return false;
    if (boxType == BOX_TYPE_MIVA)
        return true; // no identity to ask here
    return xhwIsFirmwareAtLeast(firmware, xhwGetFeatureVersion(boxType, feature));
}

int xhwGetStoredFileSlots(int boxType)
{
    switch (boxType) {
    case BOX_TYPE_2:
    case BOX_TYPE_PARDOVINE:
    case BOX_TYPE_TUNDRANE:
    case BOX_TYPE_ZEMBROW:
    case BOX_TYPE_SIMULATED:
        return 4;
    case BOX_TYPE_LUMIVASTA:
        return 127;
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        return xhwKestilonGetStoredFileSlots();
    default:
        return 0;
    }
}

bool xhwUsesNameStamp(int boxType)
{
    return boxType == BOX_TYPE_NONE || boxType == BOX_TYPE_KESTILON
           || boxType == BOX_TYPE_TUNDRANE2;
}

bool xhwCanCalibratePh(int boxType)
{
    return boxType == BOX_TYPE_MIVA;
}

double xhwGetTimingTickMicroseconds(int boxType)
{
    switch (boxType) {
    case BOX_TYPE_PARDOVINE:
        return 32.11838;
    case BOX_TYPE_LUMIVASTA:
    case BOX_TYPE_MIVA:
        return 1.0;
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
        return 1.0 / 3.0;
    default:
        return 32.0;
    }
}

void xhwGetBoxName(wxString& name, int mode, const CxutBoxInfo& info)
{
    int entry = 16;
    switch (info.m_hardware) {
    case BOX_TYPE_2: entry = 11; break;
    case BOX_TYPE_3: entry = 12; break;
    case BOX_TYPE_PARDOVINE: entry = 13; break;
    case BOX_TYPE_TUNDRANE: entry = 15; break;
    case BOX_TYPE_LUMIVASTA: entry = 18; break;
    case BOX_TYPE_MIVA: entry = 20; break;
    case BOX_TYPE_ZEMBROW: entry = 21; break;
    case BOX_TYPE_CINDRALLY: entry = 23; break;
    case BOX_TYPE_SIMULATED: entry = 10; break;
    default: break;
    }
    switch (info.m_hardware) {
    case BOX_TYPE_MIVA:
        name = info.m_mivaOldShort || info.m_mivaNewShort ? _("Miva") : gumGetString(entry);
        break;
    case BOX_TYPE_KESTILON: name = _("Kestilon"); break;
    case BOX_TYPE_KESTILON_BOOT: name = _("Kestilon Bootloader"); break;
    case BOX_TYPE_TUNDRANE2: name = _("Tundrane 2"); break;
    case BOX_TYPE_TUNDRANE2_BOOT: name = _("Tundrane 2 Bootloader"); break;
    default: name = gumGetString(entry); break;
    }
    if (info.m_hardware == BOX_TYPE_PARDOVINE || info.m_hardware == BOX_TYPE_LUMIVASTA
        || info.m_hardware == BOX_TYPE_ZEMBROW)
        name << " " << info.m_model;
    if (info.m_hardware == BOX_TYPE_MIVA && info.m_commonVersion < 0)
        mode = 2;
    if (info.m_compatible)
        name << " " << _("(or compatible)");
    if (mode == 0 || mode == 1) {
        const double version = info.m_commonVersion >= 0 ? info.m_commonVersion / 100.0
                                                       : double(info.m_firmware);
        name << " " << _("version") << " " << wxString::Format("%1.2f", version);
    }
    if (mode == 1 && info.m_varnok)
        name << _(", plus control interface");
}

int xhwInputColourTableEntry(int table, int input, int range)
{
    switch (table) {
    case 2: return Entry(kColourTable2, 6, input, range);
    case 3: return Entry(kColourTable3, 3, input, range);
    case 4: return Entry(kColourTable4, 4, input, range);
    case 5: return Entry(kColourTable5, 7, input, range);
    default: return Entry(kColourTable1, 3, input, range);
    }
}

int xhwGetInputColourIndex(int boxType, int input, int range)
{
    switch (boxType) {
    case BOX_TYPE_LUMIVASTA:
        return xhwInputColourTableEntry(2, input, range);
    case BOX_TYPE_MIVA:
        return xhwInputColourTableEntry(5, input, range);
    case BOX_TYPE_CINDRALLY:
        return xhwInputColourTableEntry(3, input, range);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
    case BOX_TYPE_SIMULATED:
        // The first four rows of the six-input table.
        return kColourTable2[PositiveMod(input, 4)][PositiveMod(range, 4)];
    default:
        return xhwInputColourTableEntry(1, input, range);
    }
}

int xhwGetConnectedInputColourIndex(int boxType, int input, int range)
{
    switch (boxType) {
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
        return xhwInputColourTableEntry(4, input, range);
    default:
        return xhwGetInputColourIndex(boxType, input, range);
    }
}
