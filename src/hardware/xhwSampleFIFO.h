#pragma once
#include "hardware/xhwWordQueue.h"

// Readings from the box thread (or the host sample clock) to the document:
// whole readings of six raw values, oscilloscope values, or the marked row
// numbers of a download. One producer and one consumer may use it at once.
class CxhwSampleFIFO : public CxhwWordQueue
{
};
