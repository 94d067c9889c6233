#pragma once
#include "emulators/emuXLogger.h"
#include "protocol/xutXLogger.h"
#include "transport/zxByteFIFO.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <wx/utils.h>

// A transport of the command link with the emulated logger on its far
// side: USB input reports go through the link's framing, Bluetooth LE bytes
// arrive raw. Pace starts a thread that sends the stream on the logger's
// own clock.
class CtestXLoggerPort : public CxutXLoggerPort
{
public:
    explicit CtestXLoggerPort(int32_t product = kXLoggerProductKestilon) : m_product(product) {}
    ~CtestXLoggerPort() override { StopPacing(); }

    CemuXLogger& Logger() { return m_logger; }
    std::mutex& Mutex() { return m_mutex; }
    int m_opens = 0;
    bool m_open = false;
    bool m_ready = true;
    int32_t m_vendor = kXLoggerVendor;
    int32_t m_product;

    bool Open() override
    {
        ++m_opens;
        m_open = true;
        return true;
    }
    void Close() override { m_open = false; }
    bool IsOpen() override { return m_open; }
    bool IsReady() override { return m_open && m_ready; }
    void Flush() override { m_received.Clear(); }
    uint32_t GetInputCount() override { return m_received.GetCount(); }
    bool Read(uint32_t n, uint8_t* buffer, uint32_t ms, bool) override
    {
        CzxStopWatch watch;
        while (m_received.GetCount() < n) {
            if (watch.Time() > long(ms))
                return false;
            wxMilliSleep(1);
        }
        return m_received.Get(buffer, n);
    }
    bool Write(uint32_t n, const uint8_t* bytes) override
    {
        if (!m_open)
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        Deliver(m_logger.Receive(bytes, n));
        return true;
    }
    int32_t GetVendorId() override { return m_logger.Config().usb ? m_vendor : 0; }
    int32_t GetProductId() override { return m_logger.Config().usb ? m_product : 0; }

    // Bytes that arrive as they are, whatever the transport.
    void Inject(const uint8_t* bytes, uint32_t n) { m_received.Put(bytes, n); }

    // Sends the stream's next n packets (USB) or records at once.
    void Emit(int n)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int i = 0; i < n; ++i)
            Deliver(m_logger.NextStream());
    }

    void Pace()
    {
        m_pacing = true;
        m_thread = std::thread([this] {
            CzxStopWatch clock;
            int64_t sent = 0;
            while (m_pacing) {
                int per = 0;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    per = m_logger.StreamStep() * (m_logger.Config().usb ? 7 : 1);
                    if (!m_logger.IsStreaming())
                        sent = clock.Time() / std::max(per, 1);
                }
                // A packet leaves once all its records have been sampled.
                while (m_pacing && per > 0 && (sent + 1) * per <= clock.Time()) {
                    Emit(1);
                    ++sent;
                }
                wxMilliSleep(2);
            }
        });
    }

    void StopPacing()
    {
        m_pacing = false;
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void Deliver(const std::vector<uint8_t>& bytes)
    {
        if (!m_logger.Config().usb) {
            m_received.Put(bytes.data(), uint32_t(bytes.size()));
            return;
        }
        for (size_t at = 0; at + 64 <= bytes.size(); at += 64)
            xutFrameXLoggerReport(m_vendor, m_product, bytes.data() + at, m_received);
    }

    std::mutex m_mutex;
    CemuXLogger m_logger;
    CzxByteFIFO m_received;
    std::atomic<bool> m_pacing{false};
    std::thread m_thread;
};
