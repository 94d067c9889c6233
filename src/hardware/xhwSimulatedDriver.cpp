#include "hardware/xhwSimulatedDriver.h"

// The signal generator is not built yet: readings are all "no reading" and
// nothing is captured, timed or stored.

bool xhwSimulatedReadValues(CxhwBox&, int values[6])
{
    for (int i = 0; i < 6; ++i)
        values[i] = 0x20000;
    return true;
}
bool xhwSimulatedStartScope(CxhwBox&) { return true; }
bool xhwSimulatedCaptureScope(CxhwBox&) { return true; }
bool xhwSimulatedReadScope(CxhwBox&, int*, int& count)
{
    count = 0;
    return true;
}
bool xhwSimulatedStartTiming(CxhwBox&) { return true; }
bool xhwSimulatedReadTiming(CxhwBox&) { return true; }
int xhwSimulatedFetchFile(CxhwBox&, int) { return 12; }
