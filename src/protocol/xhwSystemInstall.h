#pragma once
#include <wx/filename.h>

class CxhwBox;

// Serves the install request of the box's request slot (box thread): answers
// it as started, then installs the system software carried for the logger's
// type and announces the end to the main frame.
void xhwStartSystemInstall(CxhwBox& box);
// The installation for the connected logger's type; its result goes into the
// box's install descriptor.
bool xhwInstallSystem(CxhwBox& box);

// What every installer shares (box thread).
void xhwSetInstallProgress(CxhwBox& box, float fraction);
// The box thread was asked to do something else, or the user cancelled.
bool xhwIsInstallCancelled(CxhwBox& box);
// The system file "SysFFR.bin" of a family and revision, the locale's copy first.
wxFileName xhwGetSystemFilePath(int family, int revision);
// Brings the logger of the given type into its bootstrap loader (the command
// is sent only with send); false with the result set and the link reset.
bool xhwEnterBootstrap(CxhwBox& box, int boxType, bool send, float seconds);
// Waits for the logger to leave its bootstrap loader after an image was sent;
// false when it has not within the time-out or the installation was stopped.
bool xhwWaitForRestart(CxhwBox& box, float seconds);

// Test hook: scales the restart wait's listening window and its time-out, so
// that a test need not wait the minute a real logger may take.
void xhwSetRestartWaitScale(double scale);
