// An install into a fresh prefix holds what the desktop needs, and the
// installed program starts from there with its own resources.
#include "support/testEnvironment.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, got);
        ::pclose(pipe);
    }
    return out;
}

// Whether the display shows a window named "... Quorvanti" that belongs to
// the process (other test programs share the display).
bool ShowsMainWindow(pid_t pid)
{
    const std::string tree = Run("xwininfo -root -tree 2>/dev/null");
    size_t at = 0;
    while ((at = tree.find("Quorvanti\"", at)) != std::string::npos) {
        const size_t start = tree.rfind("0x", at);
        at += 1;
        if (start == std::string::npos)
            continue;
        const std::string id = tree.substr(start, tree.find(' ', start) - start);
        const std::string owner = Run("xprop -id " + id + " _NET_WM_PID 2>/dev/null");
        if (owner.find("= " + std::to_string(pid)) != std::string::npos)
            return true;
    }
    return false;
}

// The PNG's width and height from its header.
std::pair<int, int> PngSize(const std::string& bytes)
{
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto word = [&](size_t i) {
        return (int(uint8_t(bytes[i])) << 24) | (int(uint8_t(bytes[i + 1])) << 16) |
               (int(uint8_t(bytes[i + 2])) << 8) | int(uint8_t(bytes[i + 3]));
    };
    return {word(16), word(20)};
}

} // namespace

TEST(Install, IntoAPrefixForTheDesktopAndStartsFromThere)
{
    const std::string prefix = qvtest::MakeTempDir("prefix");
    const std::string log = prefix + "-install.log";
    const std::string install = "'" QV_CMAKE_COMMAND "' --install '" QV_BUILD_DIR "' --prefix '" + prefix +
                                "' >'" + log + "' 2>&1";
    ASSERT_EQ(std::system(install.c_str()), 0) << qvtest::ReadFile(log);

    const std::string program = prefix + "/bin/quorvanti";
    const std::string res = prefix + "/share/quorvanti/QuorvantiRes/";
    EXPECT_EQ(::access(program.c_str(), X_OK), 0);
    for (const char* file : {"Strings.txt", "Sensors.txt", "Intro.htm", "Quorvanti Help.htb", "bitmaps/sb32start.png",
                             "bitmaps/sb48stop.png", "bitmaps/rb32setup.png", "bitmaps/scope.png"})
        EXPECT_TRUE(fs::is_regular_file(res + file)) << file;
    EXPECT_EQ(::access((res + "OSX/QuorvantiAdmin").c_str(), X_OK), 0);

    const std::string desktop = qvtest::ReadFile(prefix + "/share/applications/quorvanti.desktop");
    EXPECT_NE(desktop.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nName=Quorvanti\n"), std::string::npos);
    EXPECT_NE(desktop.find("\nExec=" + program + "\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nIcon=quorvanti\n"), std::string::npos);
    for (int size : {32, 48, 64, 128, 256}) {
        const std::string icon = prefix + "/share/icons/hicolor/" + std::to_string(size) + "x" +
                                 std::to_string(size) + "/apps/quorvanti.png";
        EXPECT_EQ(PngSize(qvtest::ReadFile(icon)), std::make_pair(size, size)) << icon;
    }

    // The installed program finds its resources beside itself: no resource
    // folder is given, and a start that failed would show a box.
    const std::string boxes = prefix + "-boxes.log";
    std::vector<std::string> variables;
    for (char** e = environ; *e; ++e) {
        const std::string variable = *e;
        if (variable.rfind("QUORVANTI_", 0) != 0)
            variables.push_back(variable);
    }
    variables.push_back("QUORVANTI_BOX_LOG=" + boxes);
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()), 0);

    bool shown = false;
    int status = 0;
    bool ended = false;
    const auto start = std::chrono::steady_clock::now();
    while (!shown && !ended && std::chrono::steady_clock::now() - start < std::chrono::seconds(60)) {
        ended = ::waitpid(pid, &status, WNOHANG) == pid;
        shown = !ended && ShowsMainWindow(pid);
        if (!shown)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (!ended) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(shown) << (ended ? "the program ended" : "no window");
    EXPECT_EQ(qvtest::ReadFile(boxes), "");
}
