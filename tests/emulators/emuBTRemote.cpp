#include "emulators/emuBTRemote.h"

void CemuBTRemote::Configure(const std::function<void(Setup&)>& change)
{
    std::lock_guard<std::mutex> lock(m_lock);
    change(m_setup);
}

CemuBTRemote::Setup CemuBTRemote::GetSetup()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_setup;
}

void CemuBTRemote::ConfigureLogger(const std::function<void(CemuLoggerConfig&)>& change)
{
    std::lock_guard<std::mutex> lock(m_lock);
    change(m_logger.Config());
}

void CemuBTRemote::Send(const std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> CemuBTRemote::TakePending()
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<uint8_t> out;
    out.swap(m_pending);
    return out;
}

std::vector<uint8_t> CemuBTRemote::Written()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_written;
}

void CemuBTRemote::OnWritten(const uint8_t* bytes, size_t n)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_written.insert(m_written.end(), bytes, bytes + n);
    const std::vector<uint8_t> reply = m_logger.Receive(bytes, n);
    if (m_setup.answering)
        m_pending.insert(m_pending.end(), reply.begin(), reply.end());
}

int CemuBTRemote::CountOpens()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_opens;
}

void CemuBTRemote::CountOpen()
{
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_opens;
}
