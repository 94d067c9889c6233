#pragma once
#include "emulators/emuPktDevice.h"
#include "hardware/xutSmartBlock.h"
#include "protocol/xutPktDevice.h"
#include "protocol/xutPktDeviceSource.h"
#include "protocol/xutPktPort.h"
#include "support/testWait.h"

#include <atomic>
#include <cstring>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>
#include <wx/utils.h>

namespace qvtest {

// A device of the multi-device logger on its own thread, handing its
// reports straight to the port: the protocol side is the emulated device's.
class SimPktDevice : public CxutPktDevice
{
public:
    SimPktDevice(int vendor, int product, int release, const wxString& path)
        : m_vendor(vendor), m_product(product), m_release(release), m_path(path),
          m_logic(xutPktDeviceKind(vendor, product) == 1)
    {
    }
    ~SimPktDevice() override { Close(); }

    static SimPktDevice* Packet(const wxString& path, std::vector<unsigned char> block,
                                int release = 0x0200)
    {
        auto* d = new SimPktDevice(0x3A7C, 0x0101, release, path);
        d->m_logic.SetBlock(std::move(block));
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
        m_logic.Receive(payload, m_logic.GetPayloadSize());
        return true;
    }
    void SetInterval(int ms) override { m_interval = ms; }

    // Test controls.
    void Unplug() { m_present = false; }
    void SetAnswering(bool on) { m_answering = on; }
    // Waits for two more polls of the device: the report it was handing over
    // is in, and one more poll has repeated it (or, silent, sent nothing).
    bool WaitTwoPolls()
    {
        const uint64_t from = m_polls;
        return WaitUntil([&] { return m_polls >= from + 2; });
    }
    void SetValue(int slot, int value) { With([&](CemuPktDevice& d) { d.SetValue(slot, value); }); }
    void SetRangeCode(int slot, int code)
    {
        With([&](CemuPktDevice& d) { d.SetRangeCode(slot, code); });
    }
    void SetIdentity(int slot, int code, int type)
    {
        With([&](CemuPktDevice& d) { d.SetIdentity(slot, code, type); });
    }
    void SetButtonBits(int bits) { With([&](CemuPktDevice& d) { d.SetButtonBits(bits); }); }
    void SetShortButtonDown(bool down)
    {
        With([&](CemuPktDevice& d) { d.SetShortButtonDown(down); });
    }
    void SetCalibrationCodes(int range, int gain, int offset)
    {
        With([&](CemuPktDevice& d) { d.SetCalibrationCodes(range, gain, offset); });
    }
    void GetCalibrationCodes(int range, int& gain, int& offset)
    {
        With([&](CemuPktDevice& d) { d.GetCalibrationCodes(range, gain, offset); });
    }
    void AddEvent(uint32_t thirds, int state, int id)
    {
        With([&](CemuPktDevice& d) { d.AddEvent(thirds, state, id); });
    }
    int CountFrames(int command)
    {
        int n = 0;
        With([&](CemuPktDevice& d) { n = d.CountFrames(command); });
        return n;
    }
    std::vector<std::vector<uint8_t>> Written()
    {
        std::vector<std::vector<uint8_t>> written;
        With([&](CemuPktDevice& d) { written = d.Written(); });
        return written;
    }
    void SetClaimedSamples(int n) { With([&](CemuPktDevice& d) { d.SetClaimedSamples(n); }); }

private:
    void With(const std::function<void(CemuPktDevice&)>& f)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        f(m_logic);
    }

    void Run()
    {
        while (!m_stop) {
            if (m_present && m_answering) {
                uint8_t report[64];
                int n = 0;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    n = m_logic.NextReport(report);
                }
                if (n)
                    m_sink->PutRXReport(report, n);
            }
            ++m_polls;
            wxMilliSleep(std::max(1, int(m_interval)));
        }
    }

    int m_vendor, m_product, m_release;
    wxString m_path;
    CxutPktPort* m_sink = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_present{true};
    std::atomic<bool> m_answering{true};
    std::atomic<int> m_interval{8};
    std::atomic<uint64_t> m_polls{0};
    std::mutex m_mutex;
    CemuPktDevice m_logic;
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

// A definition block of one-range sub-channels that can trigger, scope and
// time.
inline std::vector<unsigned char> BlockWithSlots(int slots, int product = 3)
{
    SmartBlock block;
    for (int s = 0; s < slots; ++s) {
        SmartSub sub;
        sub.list = {1};
        block.subs.push_back(sub);
    }
    SmartRange range;
    range.use = 0x1E;
    block.ranges = {range};
    block.product = product;
    return block.Build();
}

} // namespace qvtest
