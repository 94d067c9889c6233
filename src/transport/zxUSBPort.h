#pragma once
#include "transport/zxByteFIFO.h"
#include "transport/zxUSBDevice.h"

#include <cstdint>
#include <memory>

// The byte port over one USB HID device: written bytes become output reports,
// input reports become a byte stream read with a time-out. Reports of 8 bytes
// carry a count byte; reports of 64 bytes are taken raw.
class CzxUSBPort
{
public:
    // Direct: writes go out at once on the caller's thread; else they wait in
    // the transmit buffer for GetTXReport. Framed: each 8-byte input report
    // ends with the device's running count of bytes sent.
    explicit CzxUSBPort(bool direct = true, bool framed = false);
    // Releases the device.
    virtual ~CzxUSBPort();
    CzxUSBPort(const CzxUSBPort&) = delete;
    CzxUSBPort& operator=(const CzxUSBPort&) = delete;

    // Closes and deletes the device held, then takes the one given, if any.
    virtual void SetDevice(std::unique_ptr<CzxUSBDevice> device);
    CzxUSBDevice* GetDevice() const { return m_device.get(); }

    bool Open();
    void Close();
    // After the device has gone away.
    void Reset();
    void Flush();
    bool IsOpen() const;
    bool IsReady() const;

    bool Write(const void* bytes, uint32_t n);
    // One message of counted 8-byte reports, the first marked with 0x80.
    bool WriteMessage(const void* bytes, uint32_t n);
    // Exactly one report's payload.
    bool WriteReportData(const void* payload);

    // Waits, sleeping 1 ms between looks, until n bytes are held or ms have
    // passed; returns the number held.
    uint32_t WaitRXCount(uint32_t n, long ms);
    // Exactly n bytes within ms, or none taken.
    bool Read(void* buffer, uint32_t n, long ms);
    uint32_t GetRXCount() { return m_rxFIFO.GetCount(); }
    uint32_t GetTXCount() { return m_txFIFO.GetCount(); }

    // Fills the next output report's payload from the transmit buffer; false
    // when there was none to fill.
    virtual bool GetTXReport(uint8_t* payload);
    // One input report's payload, on the device's I/O thread; false when its
    // bytes could not be kept.
    virtual bool PutRXReport(const uint8_t* payload, uint32_t n);

    int GetReleaseNumber() const;
    int GetReportLength() const;
    bool IsProduct0301() const;
    bool IsProduct0301Old() const;
    bool IsProduct0301New() const;
    bool IsProductRange0400() const;
    bool IsProduct0010() const;
    bool IsProduct0011() const;
    bool IsProduct0020() const;
    bool IsProduct0021() const;

private:
    bool SendReport(const uint8_t* payload, uint32_t size);
    bool WriteCounted(const uint8_t* bytes, uint32_t n, uint8_t firstFlag);

    bool m_direct;
    bool m_framed;
    std::unique_ptr<CzxUSBDevice> m_device;
    // Touched by PutRXReport, and by Open while no I/O thread runs.
    int32_t m_lastRXCount = -1;
    CzxByteFIFO m_txFIFO;
    CzxByteFIFO m_rxFIFO;
};
