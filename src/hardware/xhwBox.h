#pragma once
#include "transport/zxThread.h"

// The connected logger; its thread performs the box states through the drivers.
class CxhwBox : public CzxThreadMgr
{
public:
    bool Start(CzxThread* thread, int priority) override;
};

class CxhwBoxThread : public CzxThread
{
public:
    ExitCode Entry() override;
};
