#pragma once

class CxhwBox;

// Serves the install request of the box's request slot (box thread): answers
// it as started, then installs the system software carried for the logger's
// type and announces the end to the main frame.
void xhwStartSystemInstall(CxhwBox& box);
// The installation for the connected logger's type; its result goes into the
// box's install descriptor.
void xhwInstallSystem(CxhwBox& box);
