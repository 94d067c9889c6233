#include "transport/zxStopWatch.h"

CzxStopWatch::~CzxStopWatch() = default;
