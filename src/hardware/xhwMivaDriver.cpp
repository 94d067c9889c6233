#include "hardware/xhwMivaDriver.h"

#include "hardware/xhwBoxTypes.h"
#include "protocol/xutBoxInfo.h"

// The link to the packet devices is not built yet: every operation that
// would talk to them fails, so the box reports the logger as not answering.

bool xhwMivaHasFeature(int feature, const CxutBoxInfo& info)
{
    if (info.m_hardware != BOX_TYPE_MIVA)
        return false;
    switch (feature) {
    case 22:
    case 23:
        return info.m_mivaOption != 0;
    case 1: case 3: case 4: case 6: case 9: case 17: case 102: case 104: case 107:
    case 201: case 203: case 205: case 208: case 209: case 211: case 213: case 215:
        return true;
    default:
        return false;
    }
}

bool xhwMivaHasAnyFeature(int)
{
    return true;
}

int xhwMivaGetMaxSensors(CxhwBox&) { return 0; }
bool xhwMivaStartPolling(CxhwBox&, int[6]) { return false; }
bool xhwMivaPoll(CxhwBox&, int[6]) { return false; }
bool xhwMivaStopPolling(CxhwBox&) { return false; }
bool xhwMivaStartStream(CxhwBox&, double) { return false; }
bool xhwMivaReadStream(CxhwBox&, int*, int& count, int, int, int)
{
    count = 0;
    return false;
}
bool xhwMivaStopStream(CxhwBox&) { return false; }
bool xhwMivaStartSetupLogging(CxhwBox&) { return false; }
bool xhwMivaReadSetupLogging(CxhwBox&, int[6], int& count)
{
    count = 0;
    return false;
}
bool xhwMivaStopSetupLogging(CxhwBox&) { return false; }
bool xhwMivaStartScope(CxhwBox&) { return false; }
bool xhwMivaReadScope(CxhwBox&, int*, int& count)
{
    count = 0;
    return false;
}
bool xhwMivaCaptureScope(CxhwBox&) { return false; }
bool xhwMivaStopScope(CxhwBox&) { return false; }
bool xhwMivaGetTimingMask(CxhwBox&, int& mask)
{
    mask = 0;
    return false;
}
bool xhwMivaStartTiming(CxhwBox&) { return false; }
bool xhwMivaReadTiming(CxhwBox&) { return false; }
bool xhwMivaStopTiming(CxhwBox&) { return false; }
bool xhwMivaSetOutputs(CxhwBox&, int, bool) { return false; }
int xhwMivaSetSensorRange(CxhwBox&, int, float, float) { return 2; }
bool xhwMivaGetInputColour(CxhwBox&, int& colour, int input, int range)
{
    colour = xhwInputColourTableEntry(5, input, range);
    return false;
}
bool xhwMivaConnect(CxhwBox&, CxhwUSBDeviceV&) { return false; }
bool xhwMivaIsOpen(CxhwBox&) { return false; }
bool xhwMivaCheckLink(CxhwBox&, bool, int[6]) { return false; }
int xhwMivaClose(CxhwBox&) { return 0; }
int xhwMivaReset(CxhwBox&) { return 0; }
int xhwMivaAbort(CxhwBox&) { return 0; }
