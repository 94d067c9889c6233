#pragma once
#include <string>
#include <sys/types.h>

namespace qvtest {

// An X server of this process's own with a window manager on it, so that
// nothing on the screen (focus, clipboard, pointer grabs, stacking) is shared
// with a test program running beside this one. Start points DISPLAY at it;
// the server and the manager stop with this object, or with the process
// however it ends.
class PrivateDisplay
{
public:
    PrivateDisplay() = default;
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    // Whether the server and its window manager are up; error says why not.
    bool Start(std::string& error);
    void Stop();

    // ":N", empty before Start.
    const std::string& Name() const { return m_name; }

private:
    pid_t m_server = -1;
    pid_t m_manager = -1;
    std::string m_name;
};

// Whether a window manager has announced itself on the display.
bool HasWindowManager(const std::string& display);

} // namespace qvtest
