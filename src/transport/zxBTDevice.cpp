#include "transport/zxBTDevice.h"

#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "transport/zxStopWatch.h"

#include <cmath>
#include <vector>
#include <wx/tokenzr.h>
#include <wx/utils.h>

namespace {

constexpr long kOpenWaitMs = 3000;
constexpr long kQueueSpaceWaitMicro = 1001000;
constexpr long kCloseWaitMs = 3000;
constexpr long kWriteWaitMs = 49;
constexpr long kReadAllMs = 2999;
constexpr uint32_t kChunk = 256;
// While the box thread waits on the main thread it asks again for a turn at
// this pace, as long as none is pending.
constexpr long kTurnPaceMs = 100;
constexpr long kReadTurnPaceMs = 10;

std::mutex g_chooserLock;
zxBTChooser g_chooser;

} // namespace

CzxBTDevice::CzxBTDevice() : m_poster([] { gumPostCommand(ID_EVT_BT_DATA, 0); }) {}

CzxBTDevice::~CzxBTDevice() = default;

CzxBTPlatform& CzxBTDevice::GetPlatform()
{
    std::lock_guard<std::mutex> lock(m_platformLock);
    if (!m_btDevice)
        m_btDevice = zxMakeBTPlatform();
    return *m_btDevice;
}

void CzxBTDevice::SetPoster(zxBTPoster poster)
{
    std::lock_guard<std::mutex> lock(m_posterLock);
    m_poster = std::move(poster);
}

void CzxBTDevice::SetChooser(zxBTChooser chooser)
{
    std::lock_guard<std::mutex> lock(g_chooserLock);
    g_chooser = std::move(chooser);
}

bool CzxBTDevice::ChooseDevice(wxString& name, wxString& address)
{
    zxBTChooser chooser;
    {
        std::lock_guard<std::mutex> lock(g_chooserLock);
        chooser = g_chooser;
    }
    return chooser && chooser(name, address);
}

void CzxBTDevice::Post()
{
    GetPlatform().SetRequestFailed(false);
    m_turnAsked = true;
    std::lock_guard<std::mutex> lock(m_posterLock);
    if (m_poster)
        m_poster();
}

void CzxBTDevice::PostIfIdle()
{
    if (m_turnAsked)
        return;
    m_turnAsked = true;
    std::lock_guard<std::mutex> lock(m_posterLock);
    if (m_poster)
        m_poster();
}

bool CzxBTDevice::SetAddress(const wxString& text)
{
    CzxBTAddress address;
    if (!zxBdaFromText(text, address) || GetPlatform().CheckAddress(address))
        return false;
    Close();
    GetPlatform().SetAddress(address);
    return true;
}

bool CzxBTDevice::WaitForOpen(long ms)
{
    CzxBTPlatform& platform = GetPlatform();
    CzxStopWatch watch;
    long asked = 0;
    while (!platform.HasRequestFailed() && !platform.IsChannelOpen() && watch.Time() <= ms) {
        if (watch.Time() - asked >= kTurnPaceMs) {
            asked = watch.Time();
            PostIfIdle();
        }
        wxMilliSleep(1);
    }
    CzxStopWatch room;
    asked = 0;
    while (!platform.HasRequestFailed() && !platform.HasQueueSpace() &&
           room.TimeInMicro().GetValue() < kQueueSpaceWaitMicro) {
        if (room.Time() - asked >= kTurnPaceMs) {
            asked = room.Time();
            PostIfIdle();
        }
        wxMilliSleep(1);
    }
    return platform.IsChannelOpen();
}

void CzxBTDevice::WaitForClose(long ms)
{
    CzxBTPlatform& platform = GetPlatform();
    CzxStopWatch watch;
    long asked = 0;
    while (!platform.HasRequestFailed() && platform.HasDevice() && watch.Time() <= ms) {
        if (watch.Time() - asked >= kTurnPaceMs) {
            asked = watch.Time();
            PostIfIdle();
        }
        wxMilliSleep(1);
    }
}

bool CzxBTDevice::Open()
{
    m_request = kRequestOpen;
    Post();
    if (WaitForOpen(kOpenWaitMs)) {
        m_open = true;
        m_linkOK = true;
        return true;
    }
    m_request = kRequestClose;
    Post();
    WaitForClose(kCloseWaitMs);
    return false;
}

void CzxBTDevice::Close()
{
    if (!m_open)
        return;
    m_request = kRequestClose;
    Post();
    WaitForClose(kCloseWaitMs);
    m_open = false;
}

bool CzxBTDevice::Write(const void* bytes, uint32_t n)
{
    if (!m_open || !m_linkOK)
        return false;
    const bool queued = m_txFIFO.Put(bytes, n);
    m_request = kRequestWrite;
    Post();
    CzxStopWatch watch;
    while (m_txFIFO.GetCount() > 0 && watch.Time() <= kWriteWaitMs)
        wxMilliSleep(1);
    return queued;
}

bool CzxBTDevice::Read(void* buffer, uint32_t n)
{
    if (!m_open || !m_linkOK)
        return false;
    CzxByteFIFO& rx = GetPlatform().GetRXFIFO();
    const long limit = long(std::floor(double(m_timeout) * 1000.0 + 0.5));
    CzxStopWatch watch;
    long asked = -kReadTurnPaceMs;
    const auto wait = [&](auto more) {
        while (rx.GetCount() < n && more()) {
            // The bytes reach the buffer only in the main thread's turns.
            if (watch.Time() - asked >= kReadTurnPaceMs) {
                asked = watch.Time();
                PostIfIdle();
            }
            wxMilliSleep(1);
        }
    };
    wait([&] { return watch.Time() < limit; });
    if (!m_strict)
        wait([&] { return watch.Time() <= kReadAllMs; });
    return rx.Get(buffer, n);
}

bool CzxBTDevice::ReadStrict(void* buffer, uint32_t n)
{
    m_strict = true;
    const bool taken = Read(buffer, n);
    m_strict = false;
    return taken;
}

uint32_t CzxBTDevice::WaitRXCount(uint32_t n, long ms)
{
    CzxByteFIFO& rx = GetPlatform().GetRXFIFO();
    CzxStopWatch watch;
    long asked = -kReadTurnPaceMs;
    while (rx.GetCount() < n && watch.Time() < ms) {
        if (m_open && watch.Time() - asked >= kReadTurnPaceMs) {
            asked = watch.Time();
            PostIfIdle();
        }
        wxMilliSleep(1);
    }
    return rx.GetCount();
}

uint32_t CzxBTDevice::GetRXCount()
{
    return IsConnected() ? GetPlatform().GetRXFIFO().GetCount() : 0;
}

uint32_t CzxBTDevice::GetTXCount()
{
    return IsConnected() ? m_txFIFO.GetCount() : 0;
}

void CzxBTDevice::Flush()
{
    if (!IsConnected())
        return;
    m_txFIFO.Clear();
    GetPlatform().GetRXFIFO().Clear();
}

void CzxBTDevice::FinishRequest(int request)
{
    // A request made meanwhile stays for the next turn.
    m_request.compare_exchange_strong(request, kRequestNone);
}

void CzxBTDevice::ServiceRequests()
{
    m_turnAsked = false;
    CzxBTPlatform& platform = GetPlatform();
    switch (m_request.load()) {
    case kRequestOpen:
        m_open = false;
        m_linkOK = false;
        m_txFIFO.Clear();
        platform.GetRXFIFO().Clear();
        platform.CloseAndRelease();
        if (!platform.CreateWithAddressAndOpen()) {
            platform.CloseAndRelease();
            platform.SetRequestFailed(true);
        }
        FinishRequest(kRequestOpen);
        break;
    case kRequestClose:
        m_open = false;
        m_linkOK = false;
        m_txFIFO.Clear();
        platform.GetRXFIFO().Clear();
        platform.CloseAndRelease();
        FinishRequest(kRequestClose);
        break;
    case kRequestWrite: {
        // Stays the request, so that later turns send what is queued since.
        uint32_t count = m_txFIFO.GetCount();
        while (count > 0) {
            uint8_t chunk[kChunk];
            const uint32_t size = count < kChunk ? count : kChunk;
            if (!m_txFIFO.Get(chunk, size))
                break;
            count -= size;
            if (!m_linkOK)
                continue; // dropped
            if (!m_open || !platform.HasDevice() || !platform.WriteChannel(chunk, uint16_t(size)))
                m_linkOK = false;
        }
        break;
    }
    default:
        break;
    }
    // What the system has for the link (the channel opened, data, room to
    // write) is taken in on every turn, not only while a read waits: there
    // is no run loop of the system's own that would deliver it meanwhile.
    if (platform.HasDevice())
        platform.DeliverEvents();
}

bool zxBdaFromText(const wxString& text, CzxBTAddress& out)
{
    const wxArrayString fields = wxStringTokenize(text, "-", wxTOKEN_RET_EMPTY_ALL);
    if (fields.size() < 6)
        return false;
    CzxBTAddress address;
    for (int i = 0; i < 6; ++i) {
        unsigned long value = 0;
        if (fields[i].empty() || !fields[i].ToULong(&value, 16))
            return false;
        address.m_bytes[i] = uint8_t(value & 0xFF);
    }
    out = address;
    return true;
}

wxString zxBdaToText(const CzxBTAddress& address)
{
    const uint8_t* b = address.m_bytes;
    return wxString::Format("%02x-%02x-%02x-%02x-%02x-%02x", b[0], b[1], b[2], b[3], b[4], b[5]);
}
