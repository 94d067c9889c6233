#include "transport/zxBTPlatform.h"

#include "transport/zxBluezLink.h"

namespace {
std::mutex g_makerLock;
zxBTPlatformMaker g_maker;
} // namespace

CzxBTPlatform::CzxBTPlatform() = default;

CzxBTPlatform::~CzxBTPlatform() = default;

void CzxBTPlatform::SetAddress(const CzxBTAddress& address)
{
    std::lock_guard<std::mutex> lock(m_addressLock);
    m_address = address;
}

CzxBTAddress CzxBTPlatform::GetAddress() const
{
    std::lock_guard<std::mutex> lock(m_addressLock);
    return m_address;
}

bool CzxBTPlatform::CheckAddress(const CzxBTAddress& address) const
{
    std::lock_guard<std::mutex> lock(m_addressLock);
    return m_address == address;
}

void CzxBTPlatform::OnOpenComplete(int status)
{
    // A failed open leaves the flag clear: the waiting side times out.
    if (status == 0)
        m_channelOpen = true;
}

void CzxBTPlatform::OnData(const uint8_t* bytes, uint32_t n)
{
    m_rx.Put(bytes, n);
}

void CzxBTPlatform::ClearChannelFlags()
{
    m_channelOpen = false;
    m_queueSpace = false;
}

void zxSetBTPlatformMaker(zxBTPlatformMaker maker)
{
    std::lock_guard<std::mutex> lock(g_makerLock);
    g_maker = std::move(maker);
}

std::unique_ptr<CzxBTPlatform> zxMakeBTPlatform()
{
    {
        std::lock_guard<std::mutex> lock(g_makerLock);
        if (g_maker)
            return g_maker();
    }
    return std::make_unique<CzxBluezLink>();
}
