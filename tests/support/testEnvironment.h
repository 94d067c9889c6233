#pragma once
#include <clocale>
#include <string>

namespace qvtest {

// Points HOME, the XDG folders and the resources at a fresh temporary folder,
// fixes the time zone, and removes the folder at exit. Called first in main.
void IsolateEnvironment();

// The temporary home of this process.
const std::string& TempHome();

// A fresh folder below the temporary home.
std::string MakeTempDir(const std::string& name);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// Makes a resource tree (root/QuorvantiRes) and points the program at it.
std::string MakeResourceTree(const std::string& name);

// Sets the C library's locale for one test and puts it back.
class ScopedLocale
{
public:
    explicit ScopedLocale(const char* name) : m_old(std::setlocale(LC_ALL, nullptr))
    {
        m_ok = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~ScopedLocale() { std::setlocale(LC_ALL, m_old.c_str()); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
    bool Ok() const { return m_ok; }

private:
    std::string m_old;
    bool m_ok = false;
};

} // namespace qvtest
