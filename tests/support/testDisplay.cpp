#include "support/testDisplay.h"

#include "support/testWait.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qvtest {

namespace {

// Starts the program as a child that dies with this process (a crashed or
// killed test leaves no server behind); its output goes nowhere, except the
// descriptor keep, which it inherits.
pid_t Spawn(const std::vector<std::string>& args, int keep)
{
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent)
        ::_exit(127);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keep)
            ::close(fd);
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

void End(pid_t& pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    if (!WaitUntil([pid] { return ::waitpid(pid, nullptr, WNOHANG) != 0; })) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

// Reads the display number the server writes once it listens.
bool ReadDisplayNumber(int fd, std::string& number)
{
    bool complete = false;
    WaitUntil([&] {
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 0) > 0) {
            char c;
            if (::read(fd, &c, 1) != 1)
                return true; // the server ended without a display
            if (c == '\n')
                return complete = true;
            number += c;
        }
        return false;
    });
    return complete && !number.empty();
}

} // namespace

bool HasWindowManager(const std::string& display)
{
    Display* x = XOpenDisplay(display.c_str());
    if (!x)
        return false;
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool found = XGetWindowProperty(x, DefaultRootWindow(x), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &count, &after, &data) == Success &&
                       type == XA_WINDOW && count == 1;
    if (data)
        XFree(data);
    XCloseDisplay(x);
    return found;
}

PrivateDisplay::~PrivateDisplay() { Stop(); }

bool PrivateDisplay::Start(std::string& error)
{
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        error = "no pipe for the display number";
        return false;
    }
    // The server picks a free display itself and says which: no number is
    // guessed, so servers started at once never collide.
    const int write = ::dup(pipe[1]);
    m_server = Spawn({"Xvfb", "-displayfd", std::to_string(write), "-screen", "0", "1600x1000x24",
                      "-nolisten", "tcp", "-noreset"},
                     write);
    ::close(write);
    ::close(pipe[1]);
    std::string number;
    const bool read = ReadDisplayNumber(pipe[0], number);
    ::close(pipe[0]);
    if (!read) {
        error = "Xvfb did not start (is it installed?)";
        End(m_server);
        return false;
    }
    m_name = ":" + number;
    ::setenv("DISPLAY", m_name.c_str(), 1);
    ::unsetenv("WAYLAND_DISPLAY");

    // Frames are maximised and dialogs take the focus through the manager.
    m_manager = Spawn({"openbox"}, -1);
    if (!WaitUntil([this] { return HasWindowManager(m_name) || ::waitpid(m_manager, nullptr, WNOHANG) != 0; }) ||
        !HasWindowManager(m_name)) {
        error = "openbox did not start on " + m_name;
        m_manager = -1;
        Stop();
        return false;
    }
    return true;
}

void PrivateDisplay::Stop()
{
    End(m_manager);
    End(m_server);
}

} // namespace qvtest
