#include "hardware/xhwBox.h"

#include "hardware/xhwBoxes.h"

bool CxhwBox::Start(CzxThread* thread, int priority)
{
    if (!thread)
        thread = new CxhwBoxThread; // detached: frees itself when it ends
    return CzxThreadMgr::Start(thread, priority);
}

wxThread::ExitCode CxhwBoxThread::Entry()
{
    xhwRunStateLoop(*this);
    return nullptr;
}
