#include "protocol/xutXLogger.h"

#include "app/base/gumHelpers.h"
#include "hardware/xhwBoxTypes.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutXLoggerBtlePort.h"
#include "protocol/xutXLoggerUSBPort.h"
#include "transport/zxByteFIFO.h"
#include "transport/zxTime.h"
#include "transport/zxUSBDevice.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <wx/utils.h>

namespace {

constexpr uint8_t kCmdGetId = 1;
constexpr uint8_t kCmdGetVersion = 2;
constexpr uint8_t kCmdGetBootId = 3;
constexpr uint8_t kCmdStatus = 13;
constexpr uint8_t kCmdStreamStop = 27;
constexpr uint8_t kCmdKeepAlive = 0;
constexpr uint8_t kCmdUSBVersion = '1';
constexpr int kStatusBootstrap = 38;
constexpr int kBtleRecord = 9;
constexpr int kUSBPacket = 58;
constexpr int kUSBRecords = 7;
constexpr int64_t kTickMs = 50;
constexpr int64_t kKeepAliveMs = 1000;

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

int Hundredths(double version) { return int(std::lround(version * 100.0)); }

uint32_t Milliseconds(double seconds)
{
    if (!(seconds > 0.0))
        return 0;
    return uint32_t(std::min(std::lround(seconds * 1000.0), long(UINT32_MAX / 2)));
}

} // namespace

int xutXLoggerBoxTypeFromId(int id, double firmware)
{
    switch (id / 8) {
    case 0: return BOX_TYPE_2;
    case 1: return Hundredths(firmware) < 200 ? BOX_TYPE_3 : BOX_TYPE_PARDOVINE;
    case 3: return BOX_TYPE_TUNDRANE;
    case 4: return BOX_TYPE_LUMIVASTA;
    case 5: return BOX_TYPE_ZEMBROW;
    case 6: return BOX_TYPE_CINDRALLY;
    case 8: return id == 69 ? BOX_TYPE_TUNDRANE2 : BOX_TYPE_KESTILON;
    case 9: return BOX_TYPE_KESTILON_BOOT;
    case 10: return BOX_TYPE_TUNDRANE2;
    case 11: return BOX_TYPE_TUNDRANE2_BOOT;
    default: return BOX_TYPE_UNKNOWN;
    }
}

bool xutParseVersion(const uint8_t* text, double& version)
{
    if (!IsDigit(text[0]) || text[1] != '.' || !IsDigit(text[2]) || !IsDigit(text[3]))
        return false;
    const wxString s(reinterpret_cast<const char*>(text), 4);
    double value = 0.0;
    if (!gumStringToDouble(s, &value))
        return false;
    version = value;
    return true;
}

bool xutParseUSBVersion(const uint8_t* text, double& version)
{
    double hardware = 0.0;
    if (text[0] != 'F' || text[1] != 'W' || text[6] != 'H' || text[7] != 'W'
        || !xutParseVersion(text + 8, hardware))
        return false;
    return xutParseVersion(text + 2, version);
}

uint32_t xutXLoggerReportPart(int32_t vendor, int32_t product, uint8_t code, uint32_t& from)
{
    from = 1;
    const bool boot = (vendor == kXLoggerVendor && (product == 0x0011 || product == 0x0021))
                      || (vendor == 0x04D8 && product == 0x003C);
    if (boot) {
        from = 0;
        return 64;
    }
    if (code == 6)
        return 16;
    if (code == '1')
        return 12;
    if (code == '2')
        return 18;
    if (code == '8' || (code >= 'e' && code <= 't'))
        return 63;
    if (code == '<') {
        from = 2;
        return 16;
    }
    if (code == '>' || code == 'A')
        return 61;
    if (code == 'P')
        return kUSBPacket;
    if (code == 'd' || code == 'x') {
        from = 0;
        return 3;
    }
    return 0;
}

void xutFrameXLoggerReport(int32_t vendor, int32_t product, const uint8_t report[64],
                           CzxByteFIFO& received)
{
    uint32_t from = 0;
    const uint32_t n = xutXLoggerReportPart(vendor, product, report[0], from);
    if (n > 0)
        received.Put(report + from, n);
}

CxutXLoggerPort::~CxutXLoggerPort() = default;

bool CxutXLoggerPort::SetDevice(std::unique_ptr<CzxUSBDevice>) { return false; }

CxutXLogger::CxutXLogger()
    : m_usb(std::make_unique<CxutXLoggerUSBPort>()), m_btle(std::make_unique<CxutXLoggerBtlePort>())
{
}

CxutXLogger::~CxutXLogger() = default;

void CxutXLogger::SetUSBPort(std::unique_ptr<CxutXLoggerPort> port) { m_usb = std::move(port); }
void CxutXLogger::SetBtlePort(std::unique_ptr<CxutXLoggerPort> port) { m_btle = std::move(port); }

bool CxutXLogger::AttachUSBDevice(std::unique_ptr<CzxUSBDevice> device)
{
    return device && m_usb && m_usb->SetDevice(std::move(device));
}

CxutXLoggerPort* CxutXLogger::Port()
{
    if (IsUSBLink())
        return m_usb.get();
    if (IsBtleLink())
        return m_btle.get();
    return nullptr;
}

bool CxutXLogger::IsOpen()
{
    CxutXLoggerPort* port = Port();
    return port && port->IsOpen();
}

bool CxutXLogger::IsReady()
{
    CxutXLoggerPort* port = Port();
    return port && port->IsReady();
}

bool CxutXLogger::Open()
{
    CxutXLoggerPort* port = Port();
    if (!port)
        return false;
    if (IsBtleLink()) {
        port->Close();
        port->Flush();
    }
    return port->Open();
}

void CxutXLogger::Close()
{
    if (m_btle)
        m_btle->Close();
    if (m_usb)
        m_usb->Close();
}

void CxutXLogger::CloseAndDetach()
{
    Close();
    if (m_usb)
        m_usb->Detach();
}

void CxutXLogger::Disconnect()
{
    if (m_btle)
        m_btle->Close();
    if (m_usb) {
        m_usb->Abandon();
        m_usb->Detach();
    }
}

void CxutXLogger::Flush()
{
    if (CxutXLoggerPort* port = Port())
        port->Flush();
}

uint32_t CxutXLogger::GetInputCount()
{
    CxutXLoggerPort* port = Port();
    return port ? port->GetInputCount() : 0;
}

uint32_t CxutXLogger::WaitForInput(uint32_t n, uint32_t ms)
{
    CzxStopWatch watch;
    uint32_t count = GetInputCount();
    while (count < n && watch.Time() < long(ms)) {
        wxMilliSleep(1);
        count = GetInputCount();
    }
    return count;
}

bool CxutXLogger::ReadPort(int n, uint8_t* buffer, double seconds, bool strict)
{
    if (!IsOpen())
        return false;
    if (n == 0)
        return true;
    if (n < 0)
        return false;
    return Port()->Read(uint32_t(n), buffer, Milliseconds(seconds), strict);
}

bool CxutXLogger::Read(int n, uint8_t* buffer, double seconds)
{
    return ReadPort(n, buffer, seconds, false);
}

bool CxutXLogger::ReadStrict(int n, uint8_t* buffer, double seconds)
{
    return ReadPort(n, buffer, seconds, true);
}

bool CxutXLogger::SendByte(uint8_t byte) { return Write(1, &byte); }

bool CxutXLogger::Write(int n, const uint8_t* bytes)
{
    if (!IsOpen() || n < 0)
        return false;
    return Port()->Write(uint32_t(n), bytes);
}

bool CxutXLogger::DrainInput(bool slow)
{
    CzxStopWatch watch;
    uint8_t byte = 0;
    while (ReadStrict(1, &byte, slow ? 0.3 : 0.02)) {
        if (watch.TimeInMicro().GetValue() > 3000999)
            return false;
    }
    return true;
}

bool CxutXLogger::ReadStatusReply(int& status)
{
    uint8_t b[3] = {};
    if (!Read(1, b, 0.3))
        return false;
    int value = b[0];
    if (b[0] == 13) {
        if (!Read(2, b, 0.5) || b[0] != 10)
            return false;
        value = b[1];
        if (b[1] == 13) {
            if (!Read(2, b, 0.5) || b[0] != 10)
                return false;
            value = b[1];
        }
    } else if (b[0] == 0) {
        if (!Read(3, b, 0.5) || b[0] != 13 || b[1] != 10)
            return false;
        value = b[2];
    }
    if (value < 36 || value > 38 || GetInputCount() > 0)
        return false;
    status = value;
    return true;
}

bool CxutXLogger::ReadUSBVersion(double seconds, double& version)
{
    uint8_t text[12];
    return SendByte(kCmdUSBVersion) && Read(12, text, seconds) && xutParseUSBVersion(text, version);
}

bool CxutXLogger::RequestId(int& id, double& version, bool& bootstrap)
{
    bootstrap = false;
    version = 0.0;
    if (IsUSBLink()) {
        if (!ReadUSBVersion(0.3, version))
            return false;
        if (!m_usb || m_usb->GetVendorId() != kXLoggerVendor)
            return false;
        const int32_t product = m_usb->GetProductId();
        if (product == kXLoggerProductKestilon)
            id = 64;
        else if (product == kXLoggerProductTundrane2)
            id = 80;
        else
            return false;
        return true;
    }
    if (!IsBtleLink())
        return false;
    int status = 0;
    if (!SendByte(kCmdStatus) || !ReadStatusReply(status))
        return false;
    uint8_t b[4] = {};
    if (status == kStatusBootstrap) {
        Read(1, b, 0.2);
        if (!SendByte(kCmdGetBootId) || !Read(1, b, 1.9))
            return false;
        id = b[0];
        bootstrap = true;
        return true;
    }
    if (!SendByte(kCmdGetId) || !Read(1, b, 0.5))
        return false;
    id = b[0];
    return SendByte(kCmdGetVersion) && Read(4, b, 1.0) && xutParseVersion(b, version);
}

bool CxutXLogger::ReadBoxInfo(CxutBoxInfo& info, bool drain, bool slowDrain)
{
    info.Clear();
    info.ClearBootstrap();
    if (drain)
        DrainInput(slowDrain);
    int id = 0;
    double version = 0.0;
    bool bootstrap = false;
    if (!RequestId(id, version, bootstrap))
        return false;
    info.m_hardware = xutXLoggerBoxTypeFromId(id, version);
    info.m_maxSensors = xutGetMaxSensors(info.m_hardware);
    info.m_bootstrapFamily = id / 8;
    info.m_bootstrapRevision = id % 8;
    info.m_firmware = float(version);
    info.m_bootstrapFlag = bootstrap;
    if (bootstrap)
        return true;
    info.m_model.clear();
    info.m_compatible = false;
    if (Hundredths(version) >= 200 || info.m_hardware == BOX_TYPE_UNKNOWN)
        return false;
    info.m_compatible = Hundredths(version) >= 130;
    info.m_varnok = false;
    info.m_loggerBusy = false;
    return true;
}

bool CxutXLogger::RequestStatus(int& status)
{
    if (IsUSBLink()) {
        double version = 0.0;
        return ReadUSBVersion(1.0, version);
    }
    if (!IsBtleLink())
        return false;
    return SendByte(kCmdStatus) && ReadStatusReply(status);
}

bool CxutXLogger::WaitForVersion(double expected)
{
    if (!IsOpen())
        return false;
    const bool usb = IsUSBLink();
    if (!usb && !IsBtleLink())
        return false;
    const int size = usb ? 12 : 4;
    uint8_t window[12] = {};
    if (!SendByte(usb ? kCmdUSBVersion : kCmdGetVersion) || !ReadStrict(size, window, 1.0))
        return false;
    CzxStopWatch watch;
    for (;;) {
        double version = 0.0;
        const bool parsed = usb ? xutParseUSBVersion(window, version) : xutParseVersion(window, version);
        if (parsed && (expected < 0.0 || Hundredths(version) == Hundredths(expected)))
            return true;
        if (watch.Time() > 1000)
            return false;
        std::copy(window + 1, window + size, window);
        if (!ReadStrict(1, window + size - 1, 0.5))
            return false;
    }
}

void CxutXLogger::ResetStream()
{
    m_streaming = false;
    m_queue.Clear();
    m_current.Reset();
    m_lastRecordTime = 0;
    m_lastSequence = 0;
}

bool CxutXLogger::StartStream(double period)
{
    if (!IsUSBLink() && !IsBtleLink())
        return false;
    ResetStream();
    m_streaming = true;
    m_firstRecord = true;
    if (IsBtleLink()) {
        m_queue.SetStep(10);
        if (IsOpen()) {
            const uint8_t start[2] = {0x06, 0x20};
            Write(2, start);
        }
        ResetKeepAlive();
        return true;
    }
    uint8_t step = 100;
    if (period < 1.0) {
        const long b = long(std::floor(period * 1000.0));
        step = b % 100 == 0 ? 100 : b % 10 == 0 ? 10 : 1;
    }
    m_queue.SetStep(step);
    if (IsOpen()) {
        const uint8_t start[2] = {'P', step};
        Write(2, start);
    }
    return true;
}

bool CxutXLogger::StopStream()
{
    ResetStream();
    if (IsOpen())
        SendByte(kCmdStreamStop);
    return true;
}

void CxutXLogger::KeepAlive()
{
    const int64_t now = zxWatchTime(m_keepAliveWatch);
    if (zxTimeDiff(now, m_lastKeepAlive) > kKeepAliveMs) {
        m_lastKeepAlive = now;
        if (IsOpen())
            SendByte(kCmdKeepAlive);
    }
}

void CxutXLogger::ResetKeepAlive()
{
    m_keepAliveWatch.Start(0);
    m_lastKeepAlive = zxWatchTime(m_keepAliveWatch);
    if (IsOpen())
        SendByte(kCmdKeepAlive);
}

uint64_t CxutXLogger::RunTime() const
{
    return m_runClock ? uint64_t(zxWatchTime(*m_runClock)) : 0;
}

bool CxutXLogger::ReadBtleRecords()
{
    const uint32_t records = GetInputCount() / kBtleRecord;
    for (uint32_t r = 0; r < records; ++r) {
        uint8_t b[kBtleRecord];
        if (!Read(kBtleRecord, b, 0.5))
            return false;
        const uint8_t tick = b[8];
        // The ticks are remembered only while streaming, so only then can
        // they be checked.
        if (m_streaming && !m_firstRecord && tick != uint8_t(m_lastSequence + 1))
            return false;
        for (int v = 0; v < 4; ++v)
            m_current.m_values[v] = b[2 * v] << 8 | b[2 * v + 1];
        if (!m_streaming)
            continue;
        if (m_firstRecord) {
            m_lastRecordTime = RunTime();
            m_firstRecord = false;
        } else {
            const int64_t ticks = int64_t(uint8_t(tick - m_lastSequence - 1)) + 1;
            m_lastRecordTime = uint64_t(zxWrapTime(int64_t(m_lastRecordTime) + ticks * kTickMs));
        }
        m_lastSequence = tick;
        m_current.m_time = m_lastRecordTime;
        m_queue.Push(m_current);
    }
    return true;
}

bool CxutXLogger::ReadUSBPackets()
{
    const uint32_t packets = GetInputCount() / kUSBPacket;
    for (uint32_t p = 0; p < packets; ++p) {
        uint8_t b[kUSBPacket];
        if (!Read(kUSBPacket, b, 0.5))
            return false;
        const int64_t step = b[0];
        const uint8_t counter = b[1];
        int64_t base = 0;
        if (m_streaming) {
            if (m_firstRecord) {
                base = int64_t(RunTime());
                m_firstRecord = false;
            } else {
                const int64_t packetsOn = int64_t(uint8_t(counter - m_lastSequence - 1)) + 1;
                base = zxWrapTime(int64_t(m_lastRecordTime) + (packetsOn * kUSBRecords - 6) * step);
            }
            m_lastSequence = counter;
        }
        for (int k = 0; k < kUSBRecords; ++k) {
            const uint8_t* record = b + 2 + 8 * k;
            for (int v = 0; v < 4; ++v)
                m_current.m_values[v] = record[2 * v] << 8 | record[2 * v + 1];
            if (!m_streaming)
                continue;
            m_lastRecordTime = uint64_t(zxWrapTime(base + k * step));
            m_current.m_time = m_lastRecordTime;
            m_queue.Push(m_current);
        }
    }
    return true;
}

bool CxutXLogger::ReadStream(int* values, int& count, int64_t t, int64_t s)
{
    count = 0;
    if (IsBtleLink()) {
        if (!IsReady())
            return false;
        KeepAlive();
        if (!ReadBtleRecords())
            return false;
    } else if (IsUSBLink()) {
        if (!IsOpen() || !ReadUSBPackets())
            return false;
    } else {
        return false;
    }
    const uint64_t from = uint64_t(zxWrapTime(t));
    const uint32_t due = m_queue.CountDue(from, s);
    const uint32_t n = std::min<uint32_t>(due, kMaxStreamReadings);
    if (n == 0)
        return true;
    CxutRawEntry readings[kMaxStreamReadings];
    count = int(m_queue.ReadResampled(readings, n, from, s));
    for (int i = 0; i < count; ++i)
        std::copy(readings[i].m_values, readings[i].m_values + 6, values + 6 * i);
    return true;
}
