#include "protocol/xhwSystemMessages.h"

#include "app/base/gumResCore.h"
#include "transport/zxMessageBox.h"

#include <wx/intl.h>

namespace {

// The first line, then where the file should be, then what to do.
void ShowFileMessage(const wxString& first, const wxFileName& file)
{
    wxString folder = file.GetPath();
    if (folder.length() >= 40)
        folder = folder.Left(36) + "...";
    const wxString nl = zxNewLine();
    zxMessageBox(first + " \"" + file.GetFullName() + "\" " + gumGetString(971) + " " + folder + nl + nl
                 + gumGetString(972));
}

} // namespace

void xhwShowSystemInstalledMessage()
{
    const wxString nl = zxNewLine();
    zxInfoBox(gumGetString(965) + nl + nl + gumGetString(966));
}

void xhwShowSystemFileMissingMessage(const wxFileName& file)
{
    ShowFileMessage(gumGetString(970), file);
}

void xhwShowCorruptSystemFileMessage(const wxFileName& file)
{
    ShowFileMessage("Corrupt logger system file", file);
}

void xhwShowWrongLoggerMessage(int boxType)
{
    int entry = 0;
    switch (boxType) {
    case 4: entry = 964; break;
    case 5: entry = 973; break;
    case 6: entry = 2371; break;
    case 8: entry = 2396; break;
    case 9: entry = 2421; break;
    default: return;
    }
    zxMessageBox(gumGetString(entry));
}

void xhwShowUsbCableMessage()
{
    zxMessageBox(_("Please connect the logger with a USB cable"));
}

void xhwShowSystemInstallFailedMessage()
{
    zxMessageBox(gumGetString(974));
}
