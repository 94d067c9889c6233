#include "transport/zxSerialPort.h"

#include "transport/zxSerialReadWriteThread.h"
#include "transport/zxStopWatch.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <wx/utils.h>

namespace {

constexpr int kThreadPriority = 100;
// How long a close lets the device send what it still holds before the rest
// is dropped: closing a terminal with output held back may otherwise block.
constexpr long kCloseDrainMs = 200;

long TimeoutMs(float seconds)
{
    return long(std::floor(double(seconds) * 1000.0 + 0.5));
}

} // namespace

CzxSerialPort::CzxSerialPort() = default;

CzxSerialPort::~CzxSerialPort()
{
    // Owners close first; a port left open must not leave its thread behind.
    Close();
}

void CzxSerialPort::SetPort(int port, const wxString& name)
{
    Close();
    m_port = port;
    m_name = name;
}

wxString CzxSerialPort::GetPath() const
{
    if (!m_name.empty())
        return m_name;
    wxString path;
    zxSerialPortPath(path, m_port);
    return path;
}

bool CzxSerialPort::ApplySettings()
{
    termios t;
    if (::tcgetattr(m_fd, &t) != 0)
        return false;
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                           IXOFF | IXANY);
    t.c_oflag = 0;
    t.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | CREAD | PARENB | PARODD | HUPCL | CLOCAL);
    t.c_cflag |= CS8 | CREAD | CLOCAL;
    t.c_lflag &= ~tcflag_t(ECHO | ECHOE | ECHOK | ECHONL | ISIG | ICANON | IEXTEN | TOSTOP | NOFLSH);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 10;
    if (::cfsetispeed(&t, B9600) != 0 || ::cfsetospeed(&t, B9600) != 0)
        return false;
    return ::tcsetattr(m_fd, TCSANOW, &t) == 0;
}

bool CzxSerialPort::Open()
{
    Close();
    m_tx.Clear();
    m_rx.Clear();
    if (m_name.empty() && (m_port < 1 || m_port > 99))
        return false;
    const wxString path = GetPath();
    const wxCharBuffer native = path.mb_str(*wxConvCurrent);
    if (!native.data() || native.length() == 0)
        return false;
    m_fd = ::open(native.data(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0) {
        m_fd = -1;
        return false;
    }
    if (!ApplySettings()) {
        CloseDescriptor();
        return false;
    }
    SetTimeout(1.0f);
    if (!m_threadMgr.Start(new CzxSerialReadWriteThread(m_fd, m_tx, m_rx), kThreadPriority)) {
        CloseDescriptor();
        return false;
    }
    m_threadMgr.SetState(zxTHREAD_RUN);
    return true;
}

void CzxSerialPort::CloseDescriptor()
{
    if (m_fd < 0)
        return;
    // What the device still holds gets a short while to go out; the rest is
    // dropped, so that the close itself cannot wait on the device.
    CzxStopWatch watch;
    int held = 0;
    while (::ioctl(m_fd, TIOCOUTQ, &held) == 0 && held > 0 && watch.Time() < kCloseDrainMs)
        wxMilliSleep(1);
    ::tcflush(m_fd, TCOFLUSH);
    ::close(m_fd);
    m_fd = -1;
}

void CzxSerialPort::Close()
{
    if (m_fd < 0)
        return;
    // The thread goes before the descriptor it uses.
    m_threadMgr.Stop();
    CloseDescriptor();
}

void CzxSerialPort::SetTimeout(float seconds)
{
    m_timeout = seconds;
    termios t;
    if (m_fd < 0 || ::tcgetattr(m_fd, &t) != 0)
        return;
    // Tenths of a second, at most what the device's field holds.
    const double tenths = double(seconds) * 10.0;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = cc_t(tenths <= 0.0 ? 0 : tenths >= 255.0 ? 255 : int(tenths));
    ::tcsetattr(m_fd, TCSANOW, &t);
}

bool CzxSerialPort::Write(const void* bytes, uint32_t n)
{
    if (m_fd < 0)
        return false;
    return m_tx.Put(bytes, n);
}

bool CzxSerialPort::Read(void* buffer, uint32_t n)
{
    if (m_fd < 0)
        return false;
    const long limit = TimeoutMs(m_timeout);
    CzxStopWatch watch;
    while (m_rx.GetCount() < n && watch.Time() < limit)
        wxMilliSleep(1);
    return m_rx.Get(buffer, n);
}

uint32_t CzxSerialPort::WaitRXCount(uint32_t n, long ms)
{
    CzxStopWatch watch;
    while (m_rx.GetCount() < n && watch.Time() < ms)
        wxMilliSleep(1);
    return m_rx.GetCount();
}

uint32_t CzxSerialPort::GetRXCount()
{
    return m_fd < 0 ? 0 : m_rx.GetCount();
}

uint32_t CzxSerialPort::GetTXCount()
{
    return m_fd < 0 ? 0 : m_tx.GetCount();
}

void CzxSerialPort::Flush()
{
    if (m_fd < 0)
        return;
    m_tx.Clear();
    m_rx.Clear();
    ::tcflush(m_fd, TCIOFLUSH);
}

wxString zxSerialDefaultPortList()
{
    return "(ttyS0,ttyS1)";
}

bool zxSerialPortName(wxString& out, int port)
{
    out = wxString::Format("ttyS%d", port - 1);
    return port >= 1 && port <= 99;
}

bool zxSerialPortPath(wxString& out, int port)
{
    wxString prefix;
    if (wxGetEnv("QUORVANTI_SERIAL_PREFIX", &prefix) && !prefix.empty())
        out = wxString::Format("%s%d", prefix, port);
    else
        out = wxString::Format("/dev/ttyS%d", port - 1);
    return port >= 1 && port <= 99;
}

bool zxRfcommPortPath(wxString& out, int port)
{
    out = wxString::Format("/dev/rfcomm%d", port - 1);
    return port >= 1 && port <= 99;
}

bool zxRfcommPortName(wxString& out, int port)
{
    out = wxString::Format("rfcomm%d", port - 1);
    return port >= 1 && port <= 99;
}

int zxSerialCheckPort(int port)
{
    return 0;
}
