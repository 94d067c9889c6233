#pragma once
#include "transport/zxByteFIFO.h"
#include "transport/zxStopWatch.h"
#include "transport/zxUSBDeviceBase.h"
#include "transport/zxUSBHost.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <wx/string.h>

// One USB HID device of a host, found by a scan. Opened, it has an I/O thread
// that reads its input reports and hands them on whole to the owning port;
// output reports are written on the caller's thread.
class CzxUSBDevice : public CzxUSBDeviceBase
{
public:
    CzxUSBDevice();
    // Releases the device.
    ~CzxUSBDevice() override;

    int32_t GetVendorId() const override { return m_vendorId; }
    int32_t GetProductId() const override { return m_productId; }
    int32_t GetReleaseBCD() const override { return m_releaseBCD; }
    const wxString& GetPath() const { return m_path; }

    // Takes the identity of a device that the host listed; false when it has
    // no path to open it by.
    bool ReadProperties(CzxUSBHost& host, const CzxUSBHostInfo& info);

    bool Open();
    void Close();
    // Closes and forgets the device, as it was before it was identified.
    void Release();
    // After the device has gone away: ends the I/O thread and forgets it.
    void Reset();
    bool IsOpen() const;
    // Open and still plugged in.
    bool IsReady() const;
    // One report: the report id, then report length - 1 payload bytes.
    bool WriteReport(const uint8_t* report);

    void RunIO(CzxUSBReadWriteThread& thread) override;

    // Milliseconds, modulo the time period, of the last input report since
    // the device was opened.
    int64_t GetLastRX() const;

private:
    void Forget();
    void StampRX();
    void HandOnReports();
    bool WritePaced(const uint8_t* report, int length);

    CzxUSBHost* m_host = nullptr;
    wxString m_path;
    int32_t m_vendorId = 0;
    int32_t m_productId = 0;
    int32_t m_releaseBCD = 0;
    // Changed only while the I/O thread is stopped.
    std::unique_ptr<CzxUSBHandle> m_handle;
    bool m_open = false;
    std::atomic<bool> m_present{true};
    CzxByteFIFO m_rxFIFO;
    mutable std::mutex m_rxTimeLock;
    int64_t m_lastRX = 0;
    CzxStopWatch m_watch;
};
