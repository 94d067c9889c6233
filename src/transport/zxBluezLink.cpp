#include "transport/zxBluezLink.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#ifdef QV_HAVE_BLUEZ
#include <bluetooth/bluetooth.h>
#include <bluetooth/hci.h>
#include <bluetooth/hci_lib.h>
#include <bluetooth/rfcomm.h>
#include <bluetooth/sdp.h>
#include <bluetooth/sdp_lib.h>
#endif

namespace {

// Bytes the channel may hold back while its socket is full; past that a
// write is refused.
constexpr size_t kHeldLimit = 65536;
constexpr size_t kReadChunk = 4096;
constexpr uint16_t kSerialPortService = 0x1101;

// What a socket reports without waiting: -1 nothing yet, else the error of
// its connection (0 connected).
int ConnectResult(int fd)
{
    pollfd p{fd, POLLOUT, 0};
    if (::poll(&p, 1, 0) <= 0)
        return -1;
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return errno ? errno : EIO;
    return error;
}

#ifdef QV_HAVE_BLUEZ
bdaddr_t ToBdaddr(const CzxBTAddress& address)
{
    // Held least significant byte first.
    bdaddr_t out;
    for (int i = 0; i < 6; ++i)
        out.b[i] = address.m_bytes[5 - i];
    return out;
}

// The RFCOMM channel of the serial-port service, 0 when there is none.
int FindSerialChannel(sdp_session_t* session)
{
    uuid_t service;
    sdp_uuid16_create(&service, kSerialPortService);
    uint32_t range = 0x0000ffff;
    sdp_list_t* search = sdp_list_append(nullptr, &service);
    sdp_list_t* attributes = sdp_list_append(nullptr, &range);
    sdp_list_t* records = nullptr;
    int channel = 0;
    if (sdp_service_search_attr_req(session, search, SDP_ATTR_REQ_RANGE, attributes, &records) == 0) {
        for (sdp_list_t* r = records; r; r = r->next) {
            auto* record = static_cast<sdp_record_t*>(r->data);
            sdp_list_t* protocols = nullptr;
            if (channel == 0 && sdp_get_access_protos(record, &protocols) == 0) {
                const int port = sdp_get_proto_port(protocols, RFCOMM_UUID);
                if (port > 0 && port <= 30)
                    channel = port;
                for (sdp_list_t* p = protocols; p; p = p->next)
                    sdp_list_free(static_cast<sdp_list_t*>(p->data), nullptr);
                sdp_list_free(protocols, nullptr);
            }
            sdp_record_free(record);
        }
        sdp_list_free(records, nullptr);
    }
    sdp_list_free(search, nullptr);
    sdp_list_free(attributes, nullptr);
    return channel;
}
#endif

} // namespace

CzxBluezLink::CzxBluezLink() = default;

CzxBluezLink::~CzxBluezLink()
{
    CloseAndRelease();
}

bool CzxBluezLink::HasController()
{
#ifdef QV_HAVE_BLUEZ
    return hci_get_route(nullptr) >= 0;
#else
    return false;
#endif
}

bool CzxBluezLink::CreateWithAddressAndOpen()
{
#ifdef QV_HAVE_BLUEZ
    if (!HasController())
        return false;
    bdaddr_t any{};
    const bdaddr_t device = ToBdaddr(GetAddress());
    sdp_session_t* session = sdp_connect(&any, &device, SDP_NON_BLOCKING);
    if (!session)
        return false;
    m_session = session;
    m_state = kServiceConnecting;
    SetHasDevice(true);
    return true;
#else
    return false;
#endif
}

void CzxBluezLink::Fail()
{
    CloseAndRelease();
    SetRequestFailed(true);
}

void CzxBluezLink::AfterServiceConnected()
{
#ifdef QV_HAVE_BLUEZ
    auto* session = static_cast<sdp_session_t*>(m_session);
    const int channel = FindSerialChannel(session);
    sdp_close(session);
    m_session = nullptr;
    if (channel == 0) {
        Fail();
        return;
    }
    m_socket = ::socket(AF_BLUETOOTH, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, BTPROTO_RFCOMM);
    if (m_socket < 0) {
        Fail();
        return;
    }
    sockaddr_rc address{};
    address.rc_family = AF_BLUETOOTH;
    address.rc_bdaddr = ToBdaddr(GetAddress());
    address.rc_channel = uint8_t(channel);
    if (::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 && errno != EINPROGRESS) {
        Fail();
        return;
    }
    m_state = kChannelConnecting;
#endif
}

void CzxBluezLink::AfterChannelConnected()
{
    // The channel carries the serial link as it is: its serial parameters are
    // the logger's own 9600 8N1, nothing to set on this side.
    m_state = kOpen;
    OnOpenComplete(0);
    OnQueueSpace();
}

void CzxBluezLink::DeliverEvents()
{
#ifdef QV_HAVE_BLUEZ
    if (m_state == kServiceConnecting) {
        const int result = ConnectResult(sdp_get_socket(static_cast<sdp_session_t*>(m_session)));
        if (result > 0)
            Fail();
        else if (result == 0)
            AfterServiceConnected();
        return;
    }
    if (m_state == kChannelConnecting) {
        const int result = ConnectResult(m_socket);
        if (result == 0) {
            AfterChannelConnected();
        } else if (result > 0) {
            // As an open that completes with an error: the link never opens.
            OnOpenComplete(result);
            ::close(m_socket);
            m_socket = -1;
            m_state = kIdle;
        }
        return;
    }
    if (m_state != kOpen)
        return;
    SendHeld();
    for (;;) {
        uint8_t bytes[kReadChunk];
        const ssize_t got = ::recv(m_socket, bytes, sizeof bytes, MSG_DONTWAIT);
        if (got <= 0)
            break;
        OnData(bytes, uint32_t(got));
        if (size_t(got) < sizeof bytes)
            break;
    }
#endif
}

bool CzxBluezLink::SendHeld()
{
    while (!m_held.empty()) {
        const ssize_t sent = ::send(m_socket, m_held.data(), m_held.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent > 0) {
            m_held.erase(m_held.begin(), m_held.begin() + sent);
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
            return true;
        m_held.clear();
        return false;
    }
    return true;
}

bool CzxBluezLink::WriteChannel(const uint8_t* bytes, uint16_t n)
{
    if (m_state != kOpen || m_socket < 0)
        return false;
    if (m_held.size() + n > kHeldLimit)
        return false;
    m_held.insert(m_held.end(), bytes, bytes + n);
    return SendHeld();
}

void CzxBluezLink::CloseAndRelease()
{
#ifdef QV_HAVE_BLUEZ
    if (m_session)
        sdp_close(static_cast<sdp_session_t*>(m_session));
#endif
    m_session = nullptr;
    if (m_socket >= 0)
        ::close(m_socket);
    m_socket = -1;
    m_held.clear();
    m_state = kIdle;
    SetHasDevice(false);
    ClearChannelFlags();
}
