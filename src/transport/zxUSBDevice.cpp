#include "transport/zxUSBDevice.h"

#include "transport/zxTime.h"
#include "transport/zxUSBPort.h"
#include "transport/zxUSBReadWriteThread.h"

#include <algorithm>
#include <cstring>
#include <wx/utils.h>

namespace {

constexpr int kIOPriority = 100;
// A read looks for at most this long, so a stop is seen soon.
constexpr int kReadSliceMs = 20;
constexpr int kReportBuffer = 320;
constexpr int kPacedTries = 3;

} // namespace

CzxUSBDevice::CzxUSBDevice() = default;

CzxUSBDevice::~CzxUSBDevice()
{
    Release();
}

bool CzxUSBDevice::ReadProperties(CzxUSBHost& host, const CzxUSBHostInfo& info)
{
    m_path.clear();
    m_vendorId = m_productId = m_releaseBCD = 0;
    if (info.m_path.empty())
        return false;
    m_host = &host;
    m_path = info.m_path;
    m_vendorId = info.m_vendorId;
    m_productId = info.m_productId;
    m_releaseBCD = info.m_releaseBCD;
    return true;
}

bool CzxUSBDevice::Open()
{
    Close();
    if (!m_host || m_path.empty())
        return false;
    m_handle = m_host->Open(m_path);
    if (!m_handle)
        return false;
    m_open = true;
    m_rxFIFO.Clear();
    {
        std::lock_guard<std::mutex> lock(m_rxTimeLock);
        m_lastRX = 0;
    }
    m_watch.Start(0);
    if (!StartIO(kIOPriority)) {
        m_ioThreadMgr.Stop();
        m_handle.reset();
        m_open = false;
        return false;
    }
    return true;
}

void CzxUSBDevice::Close()
{
    m_ioThreadMgr.Stop();
    m_handle.reset();
    m_open = false;
}

void CzxUSBDevice::Forget()
{
    m_handle.reset();
    m_host = nullptr;
    m_path.clear();
    m_vendorId = m_productId = m_releaseBCD = 0;
    m_open = false;
    m_present = true;
}

void CzxUSBDevice::Release()
{
    Close();
    Forget();
}

void CzxUSBDevice::Reset()
{
    // Ended the ordinary way: the thread sees the request within one read
    // slice, while a thread cancelled outright could still be inside the
    // device as it is deleted.
    m_ioThreadMgr.Stop();
    Forget();
}

bool CzxUSBDevice::IsOpen() const
{
    return m_handle && m_open;
}

bool CzxUSBDevice::IsReady() const
{
    return IsOpen() && m_present;
}

int64_t CzxUSBDevice::GetLastRX() const
{
    std::lock_guard<std::mutex> lock(m_rxTimeLock);
    return m_lastRX;
}

void CzxUSBDevice::StampRX()
{
    const int64_t now = zxWatchTime(m_watch);
    std::lock_guard<std::mutex> lock(m_rxTimeLock);
    m_lastRX = now;
}

bool CzxUSBDevice::WriteReport(const uint8_t* report)
{
    if (!report || !IsReady())
        return false;
    const int length = GetReportLength();
    if (IsProduct0301())
        return WritePaced(report, length);
    return m_handle->Write(report, size_t(length)) == length;
}

bool CzxUSBDevice::WritePaced(const uint8_t* report, int length)
{
    for (int attempt = 0; attempt < kPacedTries; ++attempt) {
        const int wait = GetPaceDelay(zxTimeDiff(zxWatchTime(m_watch), GetLastRX()));
        if (wait > 0) {
            CzxStopWatch watch;
            while (watch.Time() < wait)
                wxMilliSleep(1);
        }
        if (m_handle->Write(report, size_t(length)) == length)
            return true;
        if (!m_present)
            return false;
    }
    return false;
}

void CzxUSBDevice::RunIO(CzxUSBReadWriteThread& thread)
{
    const uint32_t payload = uint32_t(GetReportLength() - 1);
    uint8_t report[kReportBuffer];
    bool skip = true;
    while (thread.CheckState(&skip)) {
        if (skip)
            continue; // CheckState has waited
        if (!m_present) {
            // Gone: nothing more will come until the owner starts again.
            wxMilliSleep(5);
            continue;
        }
        std::memset(report, 0, sizeof report);
        const int got = m_handle->Read(report, sizeof report, kReadSliceMs);
        if (got < 0) {
            m_present = false;
            continue;
        }
        if (got == 0)
            continue;
        StampRX();
        // Exactly one report's payload whatever the device sent, so the
        // reports that follow keep their place: a short one is padded with
        // zeros, a long one cut.
        m_rxFIFO.Put(report, payload);
        HandOnReports();
    }
}

void CzxUSBDevice::HandOnReports()
{
    const uint32_t payload = uint32_t(GetReportLength() - 1);
    uint8_t report[kReportBuffer];
    while (m_rxFIFO.GetCount() >= payload) {
        if (!m_rxFIFO.Get(report, payload))
            return;
        if (CzxUSBPort* port = GetPort())
            port->PutRXReport(report, payload);
    }
}
