#include "support/testDisplay.h"
#include "support/testEnvironment.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <execinfo.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A crash in a test that runs beside many others is rarely seen twice: print
// where it happened before the process goes. The sanitizers report their own.
void ReportCrash(int signal)
{
    void* frames[64];
    const int count = ::backtrace(frames, 64);
    static const char header[] = "\nThe test crashed here:\n";
    (void)!::write(STDERR_FILENO, header, sizeof header - 1);
    ::backtrace_symbols_fd(frames, count, STDERR_FILENO);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool ListsTests(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    qvtest::IsolateEnvironment();
    // Every test program has a display of its own, started before the toolkit
    // and stopped after it (a static ends after the toolkit's clean-up).
    static qvtest::PrivateDisplay display;
    if (!ListsTests(argc, argv)) {
        std::string error;
        if (!display.Start(error)) {
            std::fprintf(stderr, "No display for the tests: %s\n", error.c_str());
            return 1;
        }
    }
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGABRT})
        std::signal(signal, ReportCrash);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
