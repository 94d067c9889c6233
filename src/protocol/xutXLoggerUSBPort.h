#pragma once
#include "protocol/xutXLoggerPort.h"
#include "protocol/xutXLoggerUSB.h"

// The command link's USB transport: the report port over the logger's HID
// device.
class CxutXLoggerUSBPort : public CxutXLoggerPort
{
public:
    bool Open() override { return m_port.Open(); }
    void Close() override { m_port.Close(); }
    bool IsOpen() override { return m_port.IsOpen(); }
    bool IsReady() override { return m_port.IsReady(); }
    void Flush() override { m_port.Flush(); }
    uint32_t GetInputCount() override { return m_port.GetRXCount(); }
    bool Read(uint32_t n, uint8_t* buffer, uint32_t ms, bool strict) override;
    bool Write(uint32_t n, const uint8_t* bytes) override;
    int32_t GetVendorId() override;
    int32_t GetProductId() override;
    bool SetDevice(std::unique_ptr<CzxUSBDevice> device) override;
    void Detach() override { m_port.SetDevice(nullptr); }
    void Abandon() override { m_port.Reset(); }
    CzxUSBPort* GetUSBPort() override { return &m_port; }

private:
    CxutXLoggerUSB m_port;
};
