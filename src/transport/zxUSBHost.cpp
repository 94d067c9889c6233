#include "transport/zxUSBHost.h"

#include "transport/zxUSBHidapiHost.h"

#include <mutex>

namespace {

std::mutex& HostLock()
{
    static std::mutex lock;
    return lock;
}

CzxUSBHost* g_host = nullptr;

} // namespace

CzxUSBHandle::~CzxUSBHandle() = default;

CzxUSBHost::~CzxUSBHost() = default;

CzxUSBHost& zxGetUSBHost()
{
    static CzxUSBHidapiHost system;
    std::lock_guard<std::mutex> lock(HostLock());
    return g_host ? *g_host : system;
}

void zxSetUSBHost(CzxUSBHost* host)
{
    std::lock_guard<std::mutex> lock(HostLock());
    g_host = host;
}
