#pragma once
#include <wx/string.h>

class CxhwBox;
class CxutBoxInfo;
class CxhwUSBDeviceV;
class CxutPktDeviceSource;

// Box type 7: up to six USB packet devices driven as one logger.

// Its feature test on an identity; the oscilloscope and triggered sampling
// need the packet device (the option flag).
bool xhwMivaHasFeature(int feature, const CxutBoxInfo& info);
// The answer where no identity is at hand: every feature.
bool xhwMivaHasAnyFeature(int feature);

int xhwMivaGetMaxSensors(CxhwBox& box);
bool xhwMivaStartPolling(CxhwBox& box, int values[6]);
bool xhwMivaPoll(CxhwBox& box, int values[6]);
bool xhwMivaStopPolling(CxhwBox& box);
bool xhwMivaStartStream(CxhwBox& box, double period);
bool xhwMivaReadStream(CxhwBox& box, int* values, int& count, int max, int nextTime, int step);
bool xhwMivaStopStream(CxhwBox& box);
bool xhwMivaStartSetupLogging(CxhwBox& box);
bool xhwMivaReadSetupLogging(CxhwBox& box, int values[6], int& count);
bool xhwMivaStopSetupLogging(CxhwBox& box);
bool xhwMivaStartScope(CxhwBox& box);
bool xhwMivaReadScope(CxhwBox& box, int* values, int& count);
bool xhwMivaCaptureScope(CxhwBox& box);
bool xhwMivaStopScope(CxhwBox& box);
bool xhwMivaGetTimingMask(CxhwBox& box, int& mask);
bool xhwMivaStartTiming(CxhwBox& box);
bool xhwMivaReadTiming(CxhwBox& box);
bool xhwMivaStopTiming(CxhwBox& box);
bool xhwMivaSetOutputs(CxhwBox& box, int mask, bool force);
int xhwMivaSetSensorRange(CxhwBox& box, int input, float low, float high);
// Palette entry of an input's colour from the devices' channel table.
bool xhwMivaGetInputColour(CxhwBox& box, int& colour, int input, int range);

// The link: connect to the listed packet devices, the check that they are
// still usable, the monitor step, and closing, resetting and aborting.
bool xhwMivaConnect(CxhwBox& box, CxhwUSBDeviceV& devices);
bool xhwMivaIsOpen(CxhwBox& box);
bool xhwMivaCheckLink(CxhwBox& box, bool outputsOff, int values[6]);
int xhwMivaClose(CxhwBox& box);
int xhwMivaReset(CxhwBox& box);
int xhwMivaAbort(CxhwBox& box);

// Where the box finds its packet devices (the default finds none).
void xhwMivaSetDeviceSource(CxhwBox& box, CxutPktDeviceSource* source);
bool xhwMivaReadCurrentValues(CxhwBox& box, int values[6]);
// A fast run's period in whole µs, 1 to 10000.
int xhwMivaFastPeriodUs(double seconds);
