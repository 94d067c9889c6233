#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// A USB HID device in place of a real one, plugged into a CzxUSBSimHost: the
// ports and devices above it run their own code against it. A simulated
// logger derives from it and answers in OnWrite. Every member is safe from
// any thread.
class CzxUSBSimDevice
{
public:
    CzxUSBSimDevice(int32_t vendorId, int32_t productId, int32_t releaseBCD = 0x0100);
    virtual ~CzxUSBSimDevice();
    CzxUSBSimDevice(const CzxUSBSimDevice&) = delete;
    CzxUSBSimDevice& operator=(const CzxUSBSimDevice&) = delete;

    int32_t GetVendorId() const { return m_vendorId; }
    int32_t GetProductId() const { return m_productId; }
    int32_t GetReleaseBCD() const { return m_releaseBCD; }
    // 8 or 64, by the ids, as the host side sizes its reports.
    size_t GetPayloadSize() const { return m_payload; }

    // Queues one input report: the payload, cut or zero-padded to the report
    // size. False while unplugged.
    bool SendReport(const uint8_t* payload, size_t n);
    // Sends bytes as 8-byte counted reports: the last seven bytes sent, oldest
    // first, and the running count of bytes sent. Without deliver the reports
    // are lost on the way, as when the host misses some. No bytes: the last
    // report again, as the device repeats it at every poll with nothing new.
    void SendStream(const uint8_t* bytes, size_t n, bool deliver = true);
    // Input reports not yet read by the host.
    size_t GetPendingCount();

    // The host's output reports so far, report id first.
    size_t GetWrittenCount();
    std::vector<uint8_t> GetWritten(size_t i);
    // Waits, sleeping 1 ms between looks, until n reports have been written.
    bool WaitWritten(size_t n, long ms);
    // Milliseconds from the host's taking of the last input report before
    // write i to that write; -1 when it had taken none.
    double GetWriteLagMs(size_t i);
    void ClearWritten();

    // After the next `after` writes, n writes fail.
    void FailWrites(int n, int after = 0);
    void SetOpenable(bool openable);
    int GetOpenCount();

    // Gone: every handle open on it fails and the host no longer lists it.
    void Unplug();
    // Back again, with nothing queued; handles from before stay dead.
    void Plug();
    bool IsPlugged();

protected:
    // Each output report, report id first, on the writing thread, after it has
    // been recorded.
    virtual void OnWrite(const std::vector<uint8_t>& report);

private:
    friend class CzxUSBSimHandle;
    friend class CzxUSBSimHost;

    struct CzxWritten
    {
        std::vector<uint8_t> m_report;
        double m_lagMs;
    };

    // For the host: a generation to open with, or -1 when it cannot open.
    int HostOpen();
    int HostWrite(int generation, const uint8_t* report, size_t n);
    int HostRead(int generation, uint8_t* buffer, size_t n, int ms);
    bool IsGeneration(int generation);

    const int32_t m_vendorId;
    const int32_t m_productId;
    const int32_t m_releaseBCD;
    const size_t m_payload;

    std::mutex m_lock;
    bool m_plugged = true;
    bool m_openable = true;
    int m_generation = 0;
    int m_openCount = 0;
    int m_failWrites = 0;
    int m_failAfter = 0;
    std::deque<std::vector<uint8_t>> m_input;
    std::vector<CzxWritten> m_written;
    bool m_taken = false;
    std::chrono::steady_clock::time_point m_takenAt;
    uint8_t m_streamCount = 0;
    uint8_t m_streamLast[7] = {0, 0, 0, 0, 0, 0, 0};
};
