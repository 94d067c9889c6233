#pragma once
#include "emulators/emuXLoggerPeer.h"
#include "protocol/xutXLogger.h"
#include "transport/zxByteFIFO.h"
#include "transport/zxStopWatch.h"

#include <mutex>
#include <wx/utils.h>

// A transport of the command link with the emulated logger on its far
// side: USB input reports go through the link's framing, Bluetooth LE bytes
// arrive raw. Pace starts a thread that sends the stream on the logger's
// own clock.
class CtestXLoggerPort : public CxutXLoggerPort
{
public:
    explicit CtestXLoggerPort(int32_t product = kXLoggerProductKestilon)
        : m_product(product), m_peer([this](const std::vector<uint8_t>& bytes) { Deliver(bytes); })
    {
    }
    ~CtestXLoggerPort() override { StopPacing(); }

    CemuXLogger& Logger() { return m_peer.Logger(); }
    std::mutex& Mutex() { return m_peer.Mutex(); }
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
        m_peer.Receive(bytes, n);
        return true;
    }
    int32_t GetVendorId() override { return Logger().Config().usb ? m_vendor : 0; }
    int32_t GetProductId() override { return Logger().Config().usb ? m_product : 0; }

    // Bytes that arrive as they are, whatever the transport.
    void Inject(const uint8_t* bytes, uint32_t n) { m_received.Put(bytes, n); }

    // Sends the stream's next n packets (USB) or records at once.
    void Emit(int n) { m_peer.Emit(n); }
    void Pace() { m_peer.Pace(); }
    void StopPacing() { m_peer.StopPacing(); }

private:
    void Deliver(const std::vector<uint8_t>& bytes)
    {
        if (!Logger().Config().usb) {
            m_received.Put(bytes.data(), uint32_t(bytes.size()));
            return;
        }
        for (size_t at = 0; at + 64 <= bytes.size(); at += 64)
            xutFrameXLoggerReport(m_vendor, m_product, bytes.data() + at, m_received);
    }

    CzxByteFIFO m_received;
    CemuXLoggerPeer m_peer;
};
