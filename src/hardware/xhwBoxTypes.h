#pragma once
#include <cstdint>
#include <wx/string.h>

class CxutBoxInfo;

// Box types: the identity's Hardware value, chosen by the logger's ID byte.
enum
{
    BOX_TYPE_NONE = 0,
    BOX_TYPE_UNKNOWN = 1,
    BOX_TYPE_2 = 2,
    BOX_TYPE_3 = 3,
    BOX_TYPE_PARDOVINE = 4,
    BOX_TYPE_TUNDRANE = 5,
    BOX_TYPE_LUMIVASTA = 6,
    BOX_TYPE_MIVA = 7,
    BOX_TYPE_ZEMBROW = 8,
    BOX_TYPE_CINDRALLY = 9,
    BOX_TYPE_KESTILON = 10,
    BOX_TYPE_KESTILON_BOOT = 11,
    BOX_TYPE_TUNDRANE2 = 12,
    BOX_TYPE_TUNDRANE2_BOOT = 13,
    BOX_TYPE_SIMULATED = 14,
};

// Link kinds of a box: 1 to 99 are serial port numbers.
enum
{
    BOX_LINK_NONE = 0,
    BOX_LINK_USB = 100,
    BOX_LINK_SIMULATED = 101,
    BOX_LINK_RFCOMM = 102,
    BOX_LINK_BTLE = 103,
};

// The serial family: the loggers spoken to over the byte link.
bool xhwIsSerialFamily(int boxType);
// The command-protocol loggers (USB HID or Bluetooth LE).
bool xhwIsCommandFamily(int boxType);

// Firmware versions are compared as their two-decimal texts.
int xhwFirmwareHundredths(float version);
bool xhwIsFirmwareAtLeast(float firmware, float version);

// Lowest firmware version with the feature; 9.0 when no version has it.
float xhwGetFeatureVersion(int boxType, int feature);
bool xhwIsFeatureSupported(int feature, int boxType, float firmware);

int xhwGetStoredFileSlots(int boxType);
bool xhwUsesNameStamp(int boxType);
// Whether the logger stores a new calibration in a pH sensor.
bool xhwCanCalibratePh(int boxType);
double xhwGetTimingTickMicroseconds(int boxType);

// Display name of a logger; mode 0 and 1 add the version, 1 also the
// control-interface suffix, 2 gives the name alone.
void xhwGetBoxName(wxString& name, int mode, const CxutBoxInfo& info);

// Palette entry (0 to 59) of an input's default colour for a box type.
int xhwGetInputColourIndex(int boxType, int input, int range);
// The same for the type of the logger that is connected, whose tables differ
// for a few types; the packet logger (type 7) asks its driver instead.
int xhwGetConnectedInputColourIndex(int boxType, int input, int range);

// Palette index tables of the default input colours (1 to 5).
int xhwInputColourTableEntry(int table, int input, int range);
