#pragma once

class CxhwBox;

// Box type 14, the logger that exists only in the program (link kind 101).

bool xhwSimulatedReadValues(CxhwBox& box, int values[6]);
bool xhwSimulatedStartScope(CxhwBox& box);
bool xhwSimulatedCaptureScope(CxhwBox& box);
bool xhwSimulatedReadScope(CxhwBox& box, int* values, int& count);
bool xhwSimulatedStartTiming(CxhwBox& box);
bool xhwSimulatedReadTiming(CxhwBox& box);
int xhwSimulatedFetchFile(CxhwBox& box, int slot);
