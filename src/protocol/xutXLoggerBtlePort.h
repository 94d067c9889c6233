#pragma once
#include "protocol/xutXLoggerPort.h"

class CzxBtle;

// The command link's Bluetooth LE transport: the byte port of the selected
// logger, the program's own unless another is given.
class CxutXLoggerBtlePort : public CxutXLoggerPort
{
public:
    explicit CxutXLoggerBtlePort(CzxBtle* btle = nullptr) : m_btle(btle) {}

    // Closes, empties both buffers and opens.
    bool Open() override;
    void Close() override;
    bool IsOpen() override;
    bool IsReady() override;
    void Flush() override;
    uint32_t GetInputCount() override;
    bool Read(uint32_t n, uint8_t* buffer, uint32_t ms, bool strict) override;
    bool Write(uint32_t n, const uint8_t* bytes) override;

private:
    CzxBtle& Btle();

    CzxBtle* m_btle;
    // Closing a link that never opened here leaves the central asleep.
    bool m_opened = false;
};
