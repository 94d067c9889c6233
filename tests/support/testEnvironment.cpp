#include "support/testEnvironment.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qvtest {

namespace {
std::string g_home;

void RemoveHome()
{
    std::error_code error;
    if (!g_home.empty())
        fs::remove_all(g_home, error);
}
} // namespace

void IsolateEnvironment()
{
    char pattern[] = "/tmp/quorvanti-test-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made)
        throw std::runtime_error("cannot make a temporary home");
    g_home = made;
    ::setenv("HOME", g_home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (g_home + "/.config").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (g_home + "/etc-xdg").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (g_home + "/.local/share").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (g_home + "/.cache").c_str(), 1);
    ::setenv("XDG_DOCUMENTS_DIR", (g_home + "/Documents").c_str(), 1);
    ::setenv("TZ", "UTC", 1);
    ::setenv("QUORVANTI_RESOURCES_DIR", QV_TEST_RESOURCES_DIR, 1);
    ::unsetenv("QUORVANTI_BOX_LOG");
    ::unsetenv("QUORVANTI_SERIAL_PREFIX");
    std::atexit(RemoveHome);
}

const std::string& TempHome() { return g_home; }

std::string MakeTempDir(const std::string& name)
{
    static int counter = 0;
    const fs::path dir = fs::path(g_home) / (name + "-" + std::to_string(++counter));
    fs::create_directories(dir);
    return dir.string();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string MakeResourceTree(const std::string& name)
{
    const std::string root = MakeTempDir(name);
    fs::create_directories(fs::path(root) / "QuorvantiRes");
    ::setenv("QUORVANTI_RESOURCES_DIR", root.c_str(), 1);
    return root;
}

} // namespace qvtest
