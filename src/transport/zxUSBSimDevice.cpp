#include "transport/zxUSBSimDevice.h"

#include "transport/zxStopWatch.h"
#include "transport/zxUSBDeviceBase.h"

#include <algorithm>
#include <wx/utils.h>

CzxUSBSimDevice::CzxUSBSimDevice(int32_t vendorId, int32_t productId, int32_t releaseBCD)
    : m_vendorId(vendorId), m_productId(productId), m_releaseBCD(releaseBCD),
      m_payload(size_t(zxUSBReportLength(vendorId, productId) - 1))
{
}

CzxUSBSimDevice::~CzxUSBSimDevice() = default;

bool CzxUSBSimDevice::SendReport(const uint8_t* payload, size_t n)
{
    std::vector<uint8_t> report(m_payload, 0);
    std::copy(payload, payload + std::min(n, m_payload), report.begin());
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_plugged)
        return false;
    m_input.push_back(std::move(report));
    return true;
}

void CzxUSBSimDevice::SendStream(const uint8_t* bytes, size_t n, bool deliver)
{
    if (n == 0 && deliver) {
        uint8_t report[8];
        {
            std::lock_guard<std::mutex> lock(m_lock);
            std::copy(m_streamLast, m_streamLast + 7, report);
            report[7] = m_streamCount;
        }
        SendReport(report, sizeof report);
        return;
    }
    while (n > 0) {
        const size_t k = std::min<size_t>(n, 7);
        uint8_t report[8];
        {
            std::lock_guard<std::mutex> lock(m_lock);
            std::copy(m_streamLast + k, m_streamLast + 7, m_streamLast);
            std::copy(bytes, bytes + k, m_streamLast + 7 - k);
            m_streamCount = uint8_t(m_streamCount + k);
            std::copy(m_streamLast, m_streamLast + 7, report);
            report[7] = m_streamCount;
        }
        if (deliver)
            SendReport(report, sizeof report);
        bytes += k;
        n -= k;
    }
}

size_t CzxUSBSimDevice::GetPendingCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_input.size();
}

size_t CzxUSBSimDevice::GetWrittenCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_written.size();
}

std::vector<uint8_t> CzxUSBSimDevice::GetWritten(size_t i)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return i < m_written.size() ? m_written[i].m_report : std::vector<uint8_t>();
}

bool CzxUSBSimDevice::WaitWritten(size_t n, long ms)
{
    CzxStopWatch watch;
    while (GetWrittenCount() < n) {
        if (watch.Time() >= ms)
            return false;
        wxMilliSleep(1);
    }
    return true;
}

double CzxUSBSimDevice::GetWriteLagMs(size_t i)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return i < m_written.size() ? m_written[i].m_lagMs : -1.0;
}

void CzxUSBSimDevice::ClearWritten()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_written.clear();
}

void CzxUSBSimDevice::FailWrites(int n, int after)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_failWrites = n;
    m_failAfter = after;
}

void CzxUSBSimDevice::SetOpenable(bool openable)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_openable = openable;
}

int CzxUSBSimDevice::GetOpenCount()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_openCount;
}

void CzxUSBSimDevice::Unplug()
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_plugged = false;
    m_input.clear();
}

void CzxUSBSimDevice::Plug()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_plugged)
        return;
    m_plugged = true;
    ++m_generation;
    m_input.clear();
    m_taken = false;
}

bool CzxUSBSimDevice::IsPlugged()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_plugged;
}

void CzxUSBSimDevice::OnWrite(const std::vector<uint8_t>&) {}

int CzxUSBSimDevice::HostOpen()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (!m_plugged || !m_openable)
        return -1;
    ++m_openCount;
    return m_generation;
}

bool CzxUSBSimDevice::IsGeneration(int generation)
{
    return m_plugged && generation == m_generation;
}

int CzxUSBSimDevice::HostWrite(int generation, const uint8_t* report, size_t n)
{
    std::vector<uint8_t> written(report, report + n);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (!IsGeneration(generation))
            return -1;
        if (m_failAfter > 0) {
            --m_failAfter;
        } else if (m_failWrites > 0) {
            --m_failWrites;
            return -1;
        }
        const auto now = std::chrono::steady_clock::now();
        const double lag = m_taken ? std::chrono::duration<double, std::milli>(now - m_takenAt).count() : -1.0;
        m_written.push_back({written, lag});
    }
    OnWrite(written);
    return int(n);
}

int CzxUSBSimDevice::HostRead(int generation, uint8_t* buffer, size_t n, int ms)
{
    CzxStopWatch watch;
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (!IsGeneration(generation))
                return -1;
            if (!m_input.empty()) {
                const std::vector<uint8_t> report = std::move(m_input.front());
                m_input.pop_front();
                m_taken = true;
                m_takenAt = std::chrono::steady_clock::now();
                const size_t k = std::min(n, report.size());
                std::copy(report.begin(), report.begin() + long(k), buffer);
                return int(k);
            }
        }
        if (watch.Time() >= ms)
            return 0;
        wxMilliSleep(1);
    }
}
