#pragma once
#include "transport/zxUSBPort.h"

// The USB report port of the command link: every reply comes in one 64-byte
// input report whose first byte names it, and only the reply's own bytes go
// on to the receive buffer.
class CxutXLoggerUSB : public CzxUSBPort
{
public:
    CxutXLoggerUSB();

    bool PutRXReport(const uint8_t* payload, uint32_t n) override;
};
