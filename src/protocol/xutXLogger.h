#pragma once
#include "protocol/xutRawFIFO.h"
#include "protocol/xutXLoggerPort.h"
#include "transport/zxStopWatch.h"

#include <cstdint>
#include <memory>

class CxutBoxInfo;
class CzxUSBDevice;
class CzxByteFIFO;
class wxStopWatch;

enum
{
    XLOGGER_LINK_USB = 100,
    XLOGGER_LINK_BTLE = 103,
};

// USB ids of the newer loggers and their boot loaders.
constexpr int32_t kXLoggerVendor = 0x3A7C;
constexpr int32_t kXLoggerProductKestilon = 0x0010;
constexpr int32_t kXLoggerProductTundrane2 = 0x0020;

// The command link to box types 10 and 12 (and their boot loaders) over USB
// HID or Bluetooth LE: identification, keep-alive, and the data stream that
// the resampling queue turns into readings at the run's own period. Every
// operation switches on the link kind; any other kind fails or does nothing.
// Box thread only.
class CxutXLogger
{
public:
    // With the USB report port and the program's Bluetooth LE port.
    CxutXLogger();
    virtual ~CxutXLogger();
    CxutXLogger(const CxutXLogger&) = delete;
    CxutXLogger& operator=(const CxutXLogger&) = delete;

    // In place of a transport's port (none: that transport is closed).
    void SetUSBPort(std::unique_ptr<CxutXLoggerPort> port);
    void SetBtlePort(std::unique_ptr<CxutXLoggerPort> port);
    // Moves the device into the USB port; false without a port that takes it.
    bool AttachUSBDevice(std::unique_ptr<CzxUSBDevice> device);
    // The USB report port, for the boot loader's installer; none when the
    // USB transport is not a report port.
    CzxUSBPort* GetUSBPort() { return m_usb ? m_usb->GetUSBPort() : nullptr; }
    // The clock the stream's first record is stamped from (the run clock).
    void SetRunClock(const wxStopWatch* clock) { m_runClock = clock; }

    void SetLinkKind(int kind) { m_linkKind = kind; }
    int GetLinkKind() const { return m_linkKind; }
    bool IsUSBLink() const { return m_linkKind == XLOGGER_LINK_USB; }
    bool IsBtleLink() const { return m_linkKind == XLOGGER_LINK_BTLE; }
    bool IsWireless() const { return IsBtleLink(); }

    bool IsOpen();
    bool IsConnected() { return IsOpen(); }
    bool IsReady();
    bool Open();
    void Close();
    void CloseAndDetach();
    void Disconnect();
    void Flush();
    uint32_t GetInputCount();
    uint32_t WaitForInput(uint32_t n, uint32_t ms);
    bool Read(int n, uint8_t* buffer, double seconds);
    bool ReadStrict(int n, uint8_t* buffer, double seconds);
    bool SendByte(uint8_t byte);
    bool Write(int n, const uint8_t* bytes);
    void BeginBlock() {}
    bool EndBlock() { return true; }

    bool ReadBoxInfo(CxutBoxInfo& info, bool drain, bool slowDrain);
    bool RequestStatus(int& status);
    // Any version when expected is negative.
    bool WaitForVersion(double expected);
    bool DrainInput(bool slow);

    bool StartStream(double period);
    bool StopStream();
    // Reads the waiting records into the queue and hands out up to 20
    // readings of six values from t on at step s (ms).
    bool ReadStream(int* values, int& count, int64_t t, int64_t s);
    void KeepAlive();
    void ResetKeepAlive();

    CxutRawFIFO& GetQueue() { return m_queue; }

    static constexpr int kMaxStreamReadings = 20;

private:
    CxutXLoggerPort* Port();
    bool ReadPort(int n, uint8_t* buffer, double seconds, bool strict);
    bool ReadStatusReply(int& status);
    bool RequestId(int& id, double& version, bool& bootstrap);
    bool ReadUSBVersion(double seconds, double& version);
    void ResetStream();
    uint64_t RunTime() const;
    bool ReadBtleRecords();
    bool ReadUSBPackets();

    int m_linkKind = 0;
    std::unique_ptr<CxutXLoggerPort> m_usb;
    std::unique_ptr<CxutXLoggerPort> m_btle;
    const wxStopWatch* m_runClock = nullptr;
    bool m_streaming = false;
    bool m_firstRecord = false;
    uint64_t m_lastRecordTime = 0;
    uint8_t m_lastSequence = 0;
    CxutRawFIFO m_queue;
    CxutRawEntry m_current;
    CzxStopWatch m_keepAliveWatch;
    int64_t m_lastKeepAlive = 0;
};

// Box type of an ID byte on this link (1 for an unknown family).
int xutXLoggerBoxTypeFromId(int id, double firmware);
// Whether the text is digit, '.', digit, digit; its value then.
bool xutParseVersion(const uint8_t* text, double& version);
// Whether twelve bytes read FWd.ddHWd.dd; the firmware part then.
bool xutParseUSBVersion(const uint8_t* text, double& version);
// The part of one 64-byte USB input report that the link keeps, by the code
// in its first byte (all of it from a boot loader): its start and length,
// 0 when the report is dropped.
uint32_t xutXLoggerReportPart(int32_t vendor, int32_t product, uint8_t code, uint32_t& from);
// Appends that part to the received bytes.
void xutFrameXLoggerReport(int32_t vendor, int32_t product, const uint8_t report[64],
                           CzxByteFIFO& received);
