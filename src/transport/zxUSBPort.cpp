#include "transport/zxUSBPort.h"

#include "transport/zxStopWatch.h"

#include <algorithm>
#include <cstring>
#include <wx/utils.h>

namespace {

constexpr uint32_t kCountedData = 7;
constexpr uint32_t kMaxPayload = 64;
constexpr uint8_t kMessageStart = 0x80;
constexpr uint8_t kLostByte = 0xFF;

} // namespace

CzxUSBPort::CzxUSBPort(bool direct, bool framed) : m_direct(direct), m_framed(framed) {}

CzxUSBPort::~CzxUSBPort()
{
    if (m_device) {
        m_device->Close();
        m_device->SetPort(nullptr);
        m_device->Release();
    }
}

void CzxUSBPort::SetDevice(std::unique_ptr<CzxUSBDevice> device)
{
    if (m_device) {
        m_device->Close();
        m_device->SetPort(nullptr);
    }
    m_device = std::move(device);
    if (m_device)
        m_device->SetPort(this);
}

bool CzxUSBPort::Open()
{
    if (!m_device)
        return false;
    // The I/O thread must be still before the count is reset.
    m_device->Close();
    m_lastRXCount = -1;
    m_txFIFO.Clear();
    m_rxFIFO.Clear();
    return m_device->Open();
}

void CzxUSBPort::Close()
{
    if (m_device)
        m_device->Close();
}

void CzxUSBPort::Reset()
{
    if (m_device)
        m_device->Reset();
}

void CzxUSBPort::Flush()
{
    m_txFIFO.Clear();
    m_rxFIFO.Clear();
}

bool CzxUSBPort::IsOpen() const
{
    return m_device && m_device->IsOpen();
}

bool CzxUSBPort::IsReady() const
{
    return m_device && m_device->IsReady();
}

bool CzxUSBPort::SendReport(const uint8_t* payload, uint32_t size)
{
    uint8_t report[kMaxPayload + 1] = {0};
    std::memcpy(report + 1, payload, size);
    return m_device->WriteReport(report);
}

bool CzxUSBPort::WriteCounted(const uint8_t* bytes, uint32_t n, uint8_t firstFlag)
{
    uint8_t flag = firstFlag;
    while (n > 0) {
        const uint32_t k = std::min(n, kCountedData);
        uint8_t payload[kCountedData + 1] = {0};
        payload[0] = uint8_t(k | flag);
        std::memcpy(payload + 1, bytes, k);
        if (!SendReport(payload, sizeof payload))
            return false;
        flag = 0;
        bytes += k;
        n -= k;
    }
    return true;
}

bool CzxUSBPort::Write(const void* bytes, uint32_t n)
{
    if (!IsReady())
        return false;
    if (!m_direct)
        return m_txFIFO.Put(bytes, n);
    if (n == 0)
        return true;
    const uint32_t size = uint32_t(GetReportLength() - 1);
    const uint8_t* data = static_cast<const uint8_t*>(bytes);
    if (size == kCountedData + 1)
        return WriteCounted(data, n, 0);
    while (n > 0) {
        const uint32_t k = std::min(n, size);
        uint8_t payload[kMaxPayload] = {0};
        std::memcpy(payload, data, k);
        if (!SendReport(payload, size))
            return false;
        data += k;
        n -= k;
    }
    return true;
}

bool CzxUSBPort::WriteMessage(const void* bytes, uint32_t n)
{
    if (!IsReady())
        return false;
    return WriteCounted(static_cast<const uint8_t*>(bytes), n, kMessageStart);
}

bool CzxUSBPort::WriteReportData(const void* payload)
{
    if (!IsReady())
        return false;
    const uint32_t size = uint32_t(GetReportLength() - 1);
    if (!m_direct)
        return m_txFIFO.Put(payload, size);
    return SendReport(static_cast<const uint8_t*>(payload), size);
}

uint32_t CzxUSBPort::WaitRXCount(uint32_t n, long ms)
{
    CzxStopWatch watch;
    uint32_t held = m_rxFIFO.GetCount();
    while (held < n && watch.Time() < ms) {
        wxMilliSleep(1);
        held = m_rxFIFO.GetCount();
    }
    return held;
}

bool CzxUSBPort::Read(void* buffer, uint32_t n, long ms)
{
    if (WaitRXCount(n, ms) < n)
        return false;
    return n == 0 || m_rxFIFO.Get(buffer, n);
}

bool CzxUSBPort::GetTXReport(uint8_t* payload)
{
    if (m_direct || !m_device || m_txFIFO.GetCount() == 0)
        return false;
    const uint32_t size = uint32_t(GetReportLength() - 1);
    if (m_framed) {
        const uint32_t k = std::min(m_txFIFO.GetCount(), kCountedData);
        std::memset(payload, 0, kCountedData + 1);
        payload[0] = uint8_t(k);
        return m_txFIFO.Get(payload + 1, k);
    }
    if (m_txFIFO.GetCount() < size)
        return false;
    return m_txFIFO.Get(payload, size);
}

bool CzxUSBPort::PutRXReport(const uint8_t* payload, uint32_t n)
{
    if (!m_framed)
        return m_rxFIFO.Put(payload, n);
    if (n < kCountedData + 1)
        return false; // no count byte: nothing to place it by
    const int32_t count = payload[kCountedData];
    if (m_lastRXCount < 0)
        m_lastRXCount = count;
    const uint32_t d = uint32_t((count - m_lastRXCount) & 0xFF);
    m_lastRXCount = count;
    if (d == 0)
        return true;
    if (d <= kCountedData)
        return m_rxFIFO.Put(payload + kCountedData - d, d);
    // Reports were missed: the stream keeps its length, the lost bytes marked.
    uint8_t lost[256];
    std::memset(lost, kLostByte, d - kCountedData);
    return m_rxFIFO.Put(lost, d - kCountedData) && m_rxFIFO.Put(payload, kCountedData);
}

int CzxUSBPort::GetReleaseNumber() const
{
    return m_device ? m_device->GetReleaseNumber() : 0;
}

int CzxUSBPort::GetReportLength() const
{
    return m_device ? m_device->GetReportLength() : 0;
}

bool CzxUSBPort::IsProduct0301() const
{
    return m_device && m_device->IsProduct0301();
}

bool CzxUSBPort::IsProduct0301Old() const
{
    return m_device && m_device->IsProduct0301Old();
}

bool CzxUSBPort::IsProduct0301New() const
{
    return m_device && m_device->IsProduct0301New();
}

bool CzxUSBPort::IsProductRange0400() const
{
    return m_device && m_device->IsProductRange0400();
}

bool CzxUSBPort::IsProduct0010() const
{
    return m_device && m_device->IsProduct0010();
}

bool CzxUSBPort::IsProduct0011() const
{
    return m_device && m_device->IsProduct0011();
}

bool CzxUSBPort::IsProduct0020() const
{
    return m_device && m_device->IsProduct0020();
}

bool CzxUSBPort::IsProduct0021() const
{
    return m_device && m_device->IsProduct0021();
}
