#pragma once
#include <wx/stopwatch.h>

// Measures every time-out of drivers, protocols and links; starts at 0 when built.
class CzxStopWatch : public wxStopWatch
{
public:
    CzxStopWatch() { Start(0); }
    virtual ~CzxStopWatch();
};
