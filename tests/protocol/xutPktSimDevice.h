#pragma once
#include "protocol/xutPktDevice.h"
#include "protocol/xutPktDeviceSource.h"
#include "protocol/xutPktPort.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>
#include <wx/utils.h>

namespace qvtest {

// A device of the multi-device logger on its own thread: a packet device
// (64-byte frames answered with the frame's sequence, a definition block and
// calibration memory, live values, captures, timing events, a push button)
// or a short-report device (8-byte reports by the mode the host asks for).
// Like the real one it sends a report every poll interval, answering the
// newest frame again until another comes.
class SimPktDevice : public CxutPktDevice
{
public:
    SimPktDevice(int vendor, int product, int release, const wxString& path)
        : m_vendor(vendor), m_product(product), m_release(release), m_path(path)
    {
        std::memset(m_memory, 0, sizeof m_memory);
    }
    ~SimPktDevice() override { Close(); }

    static SimPktDevice* Packet(const wxString& path, std::vector<unsigned char> block,
                                int release = 0x0200)
    {
        auto* d = new SimPktDevice(0x3A7C, 0x0101, release, path);
        d->m_block = std::move(block);
        return d;
    }
    static SimPktDevice* Short(const wxString& path, int release = 0x0112)
    {
        return new SimPktDevice(0x2F1A, 0x0301, release, path);
    }

    int GetVendorId() const override { return m_vendor; }
    int GetProductId() const override { return m_product; }
    int GetReleaseBCD() const override { return m_release; }
    wxString GetPath() const override { return m_path; }
    int GetReportLength() const override { return IsShortReport() ? 9 : 65; }

    bool Open(CxutPktPort* sink) override
    {
        Close();
        if (!m_present)
            return false;
        m_sink = sink;
        m_open = true;
        m_stop = false;
        m_thread = std::thread([this] { Run(); });
        return true;
    }
    void Close() override
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        m_open = false;
    }
    bool IsOpen() const override { return m_open; }
    bool IsReady() const override { return m_open && m_present; }
    bool WriteReport(const uint8_t* payload) override
    {
        if (!m_present)
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_frames.emplace_back(payload, payload + (IsShortReport() ? 8 : 64));
        m_written.push_back(m_frames.back());
        return true;
    }
    void SetInterval(int ms) override { m_interval = ms; }

    // Test controls.
    void Unplug() { m_present = false; }
    void SetValue(int slot, int value)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_values[slot] = value;
    }
    void SetRangeCode(int slot, int code)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ranges[slot] = uint8_t(code);
    }
    void SetIdentity(int slot, int code, int type)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ids[slot][0] = uint8_t(code);
        m_ids[slot][1] = uint8_t(type);
    }
    // Packet byte 0 bits 2, 6, 7 (pressed, clicked, held).
    void SetButtonBits(int bits)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_buttonBits = uint8_t(bits & 0xC4);
    }
    void SetShortButtonDown(bool down) { m_shortDown = down; }
    void SetCalibrationCodes(int range, int gain, int offset)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        uint8_t* at = m_memory + 4 * (range - 1);
        at[0] = uint8_t(gain);
        at[1] = uint8_t(gain >> 8);
        at[2] = uint8_t(offset);
        at[3] = uint8_t(offset >> 8);
    }
    void GetCalibrationCodes(int range, int& gain, int& offset)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const uint8_t* at = m_memory + 4 * (range - 1);
        gain = at[0] | at[1] << 8;
        offset = at[2] | at[3] << 8;
    }
    // A timing event: time in thirds of a µs, input state, event id.
    void AddEvent(uint32_t thirds, int state, int id)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({thirds, uint8_t(state), uint8_t(id)});
    }
    void SetAnswering(bool on) { m_answering = on; }
    int CountFrames(int command)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        int n = 0;
        for (const auto& f : m_written)
            n += IsShortReport() ? 1 : f[1] == command;
        return n;
    }
    std::vector<std::vector<uint8_t>> Written()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_written;
    }
    // Every report then names this many samples, whatever fits.
    void SetClaimedSamples(int n) { m_claimed = n; }

private:
    struct Event
    {
        uint32_t thirds;
        uint8_t state, id;
    };

    void Run()
    {
        while (!m_stop) {
            if (m_present && m_answering) {
                uint8_t report[64] = {};
                int n = 0;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    n = IsShortReport() ? ShortReport(report) : PacketReport(report);
                }
                if (n)
                    m_sink->PutRXReport(report, n);
            }
            wxMilliSleep(std::max(1, int(m_interval)));
        }
    }

    int PacketReport(uint8_t* r)
    {
        if (!m_frames.empty()) {
            m_current = m_frames.front();
            m_frames.pop_front();
            m_fresh = true;
            for (int s = 0; s < 8 && m_current[1] >= 1 && m_current[1] <= 4; ++s)
                if (m_current[8 + s] != 0x80 && m_current[8 + s] != 0)
                    m_ranges[s] = m_current[8 + s];
            m_captured = 0;
        }
        if (m_current.empty())
            return 0;
        const int command = m_current[1];
        r[0] = uint8_t((m_current[0] & 0x30) | m_buttonBits);
        r[1] = 0;
        switch (command) {
        case 1:
            for (int s = 0; s < 8; ++s) {
                r[8 + s] = m_ranges[s];
                r[16 + 2 * s] = uint8_t(m_values[s]);
                r[17 + 2 * s] = uint8_t(m_values[s] >> 8);
            }
            break;
        case 2:
        case 3: {
            const int count = m_current[56] | m_current[57] << 8;
            const int n = std::min(31, count - m_captured);
            if (m_claimed) {
                r[1] = uint8_t(m_claimed);
            } else {
                r[1] = uint8_t(std::max(n, 0));
            }
            for (int i = 0; i < std::max(n, 0); ++i) {
                r[2 + 2 * i] = uint8_t(m_captured + i);
                r[3 + 2 * i] = uint8_t((m_captured + i) >> 8);
            }
            m_captured += std::max(n, 0);
            break;
        }
        case 4: {
            // One event a report, each sent twice as a device repeats its
            // last report.
            if (!m_events.empty()) {
                const Event& e = m_events.front();
                r[1] = 1;
                r[4] = uint8_t(e.thirds);
                r[5] = uint8_t(e.thirds >> 8);
                r[6] = uint8_t(e.thirds >> 16);
                r[7] = uint8_t(e.thirds >> 24);
                r[8] = e.state;
                r[9] = e.id;
                if (++m_eventSends == 2) {
                    m_events.pop_front();
                    m_eventSends = 0;
                }
            }
            break;
        }
        case 8: {
            const int offset = m_current[4] | m_current[5] << 8;
            for (int i = 0; i < 62 && offset + i < int(m_block.size()); ++i)
                r[2 + i] = m_block[size_t(offset + i)];
            break;
        }
        case 10: {
            const int address = m_current[4] | m_current[5] << 8;
            const int length = std::min<int>(m_current[6], 56);
            if (m_fresh && m_current[7] == 0xA9)
                for (int i = 0; i < length && address + i < 64; ++i)
                    m_memory[address + i] = m_current[8 + i];
            for (int i = 0; i < length && address + i < 64; ++i)
                r[8 + i] = m_memory[address + i];
            break;
        }
        default:
            break;
        }
        m_fresh = false;
        return 64;
    }

    int ShortReport(uint8_t* r)
    {
        while (!m_frames.empty()) {
            const auto& f = m_frames.front();
            if (f[6] != 4)
                m_shortMode = f[6] & 3;
            m_frames.pop_front();
        }
        r[6] = uint8_t(m_shortMode);
        r[7] = m_shortDown ? 0 : 0x80;
        if (m_shortMode == 1) {
            for (int k = 0; k < 3; ++k) {
                r[2 * k] = uint8_t(m_values[k] >> 8);
                r[2 * k + 1] = uint8_t(m_values[k]);
            }
        } else if (m_shortMode == 2) {
            if (!m_events.empty()) {
                const Event& e = m_events.front();
                r[0] = uint8_t(e.thirds);
                r[1] = uint8_t(e.thirds >> 8);
                r[2] = uint8_t(e.thirds >> 16);
                r[3] = uint8_t(e.thirds >> 24);
                r[4] = e.state;
                r[5] = e.id;
                m_lastShortEvent = {r[0], r[1], r[2], r[3], r[4], r[5]};
                m_events.pop_front();
            } else if (!m_lastShortEvent.empty()) {
                std::memcpy(r, m_lastShortEvent.data(), 6);
            }
        } else {
            for (int k = 0; k < 3; ++k) {
                r[2 * k] = m_ids[k][0];
                r[2 * k + 1] = m_ids[k][1];
            }
        }
        return 8;
    }

    int m_vendor, m_product, m_release;
    wxString m_path;
    std::vector<unsigned char> m_block;
    CxutPktPort* m_sink = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_present{true};
    std::atomic<bool> m_answering{true};
    std::atomic<bool> m_shortDown{false};
    std::atomic<int> m_interval{8};
    std::atomic<int> m_claimed{0};
    std::mutex m_mutex;
    std::deque<std::vector<uint8_t>> m_frames;
    std::vector<std::vector<uint8_t>> m_written;
    std::vector<uint8_t> m_current;
    bool m_fresh = false;
    int m_captured = 0;
    int m_eventSends = 0;
    uint8_t m_ranges[8] = {};
    int m_values[8] = {};
    uint8_t m_ids[3][2] = {};
    uint8_t m_buttonBits = 0;
    uint8_t m_memory[64];
    std::deque<Event> m_events;
    int m_shortMode = 0;
    std::vector<uint8_t> m_lastShortEvent;
};

// Devices waiting to be found by the combo's next scan.
class SimPktSource : public CxutPktDeviceSource
{
public:
    void Plug(SimPktDevice* device)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_waiting.emplace_back(device);
    }
    std::vector<std::unique_ptr<CxutPktDevice>> Scan(const std::vector<wxString>&) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<std::unique_ptr<CxutPktDevice>> found;
        for (auto& d : m_waiting)
            found.push_back(std::move(d));
        m_waiting.clear();
        return found;
    }

private:
    std::mutex m_mutex;
    std::vector<std::unique_ptr<SimPktDevice>> m_waiting;
};

// Waits, polling, for a condition; false when it does not come within ms.
inline bool WaitFor(const std::function<bool()>& done, int ms = 5000)
{
    CzxStopWatch watch;
    while (!done()) {
        if (watch.Time() > ms)
            return false;
        wxMilliSleep(1);
    }
    return true;
}

} // namespace qvtest
