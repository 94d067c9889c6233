#pragma once
#include <chrono>
#include <functional>
#include <thread>

namespace qvtest {

// The one bound of every wait in the tests. A test waits for the thing it
// checks; only a fault of the program takes this long, whatever the load of
// the machine or the slowness of a sanitizer.
constexpr int kWaitBoundMs = 60000;

// Polls done() until it holds, sleeping a little between polls; whether it
// held within the bound.
inline bool WaitUntil(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitBoundMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace qvtest
