#pragma once
#include "transport/zxBTPlatform.h"
#include "transport/zxByteFIFO.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <wx/string.h>

// Asks the main thread for a turn of CzxBTDevice::ServiceRequests.
using zxBTPoster = std::function<void()>;
// The main thread's device chooser: the chosen device's name and address
// text; false when the user cancelled or nothing was chosen.
using zxBTChooser = std::function<bool(wxString& name, wxString& address)>;

// The byte port to a logger over classic Bluetooth (RFCOMM to its serial-port
// service). The box thread reads and writes; every system call is made on
// the main thread, which the port asks for a turn and then waits: the main
// thread serves the pending request in ServiceRequests.
class CzxBTDevice
{
public:
    CzxBTDevice();
    virtual ~CzxBTDevice();
    CzxBTDevice(const CzxBTDevice&) = delete;
    CzxBTDevice& operator=(const CzxBTDevice&) = delete;

    // False, with nothing done, when the text does not parse or names the
    // stored address; otherwise closes an open link and stores the address.
    bool SetAddress(const wxString& text);
    bool Open();
    void Close();
    bool Write(const void* bytes, uint32_t n);
    // Exactly n bytes or none; waits the time-out, and unless strict goes on
    // waiting until 3 s after the start.
    bool Read(void* buffer, uint32_t n);
    bool ReadStrict(void* buffer, uint32_t n);
    uint32_t WaitRXCount(uint32_t n, long ms);
    uint32_t GetRXCount();
    uint32_t GetTXCount();
    void Flush();
    bool IsOpen() const { return m_open; }
    bool IsConnected() const { return m_open && m_linkOK; }
    void SetTimeout(float seconds) { m_timeout = seconds; }
    float GetTimeout() const { return m_timeout; }

    // Main thread only.
    void ServiceRequests();
    static bool ChooseDevice(wxString& name, wxString& address);

    // Where the turns are asked for: the main frame's command unless set.
    void SetPoster(zxBTPoster poster);
    // The user interface's chooser; none: choosing finds nothing.
    static void SetChooser(zxBTChooser chooser);

private:
    enum
    {
        kRequestNone = 0,
        kRequestOpen = 1,
        kRequestClose = 2,
        kRequestWrite = 3,
    };

    CzxBTPlatform& GetPlatform();
    void Post();
    // Asks again for a turn while a wait goes on and none is pending.
    void PostIfIdle();
    // Waits for the channel, the room to write, or a failure.
    bool WaitForOpen(long ms);
    void WaitForClose(long ms);
    void FinishRequest(int request);

    float m_timeout = 1.0f;
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_linkOK{false};
    std::atomic<bool> m_strict{false};
    std::atomic<bool> m_turnAsked{false};
    std::atomic<int> m_request{kRequestNone};

    std::mutex m_platformLock;
    std::unique_ptr<CzxBTPlatform> m_btDevice;
    std::mutex m_posterLock;
    zxBTPoster m_poster;
    CzxByteFIFO m_txFIFO;
};

// Six hexadecimal fields separated by "-", each kept to its low byte.
bool zxBdaFromText(const wxString& text, CzxBTAddress& out);
wxString zxBdaToText(const CzxBTAddress& address);
