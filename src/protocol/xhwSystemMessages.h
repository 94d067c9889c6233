#pragma once
#include <wx/filename.h>

// The messages of a finished system-software installation, by its result;
// shown on the main thread when the installation has ended.
void xhwShowSystemInstalledMessage();
void xhwShowSystemFileMissingMessage(const wxFileName& file);
void xhwShowCorruptSystemFileMessage(const wxFileName& file);
void xhwShowWrongLoggerMessage(int boxType);
void xhwShowUsbCableMessage();
void xhwShowSystemInstallFailedMessage();
