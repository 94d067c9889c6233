#pragma once
#include <cstdint>
#include <wx/string.h>

class CxhwBox;

// Box type 14, the logger that exists only in the program (link kind 101): a
// signal generator answers every box operation.

// Tick length of its timing events in microseconds (31,250 ticks a second).
constexpr double kSimulatedTickMicroseconds = 32.0;

// The six raw readings of the generator at a time in microseconds, for the
// document's Activity (4, timing, gives gate states).
void xhwSimulatedGenerate(int activity, int64_t microseconds, int values[6]);
// The current simulated time in microseconds.
int64_t xhwSimulatedNow();
// 0 to 2,147,483,647, as the platform's generator gives; the fetch seeds it.
int32_t xhwSimulatedRandom();
void xhwSimulatedSeed(uint32_t seed);

// The simulated link stops answering (every check and read fails) until it
// is restored: how tests break the link of a run.
void xhwSimulatedSetLinkBroken(bool broken);
// How often the link has been polled so far (link checks and reads of
// readings, captures and timing data): how tests see that the logger's
// threads pace their passes.
int64_t xhwSimulatedPollCount();

// The link check: sensors by the document's Activity, timing data, readings
// and the pending request. False only after an install request.
bool xhwSimulatedCheck(CxhwBox& box, bool first, wxString& stamp, int& power, int values[6]);

bool xhwSimulatedReadValues(CxhwBox& box, int values[6]);
bool xhwSimulatedStartScope(CxhwBox& box);
bool xhwSimulatedCaptureScope(CxhwBox& box);
bool xhwSimulatedReadScope(CxhwBox& box, int* values, int& count);
bool xhwSimulatedStartTiming(CxhwBox& box);
bool xhwSimulatedReadTiming(CxhwBox& box);
int xhwSimulatedFetchFile(CxhwBox& box, int slot);
