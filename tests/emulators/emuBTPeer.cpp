#include "emulators/emuBTPeer.h"

CemuBTPeer::CemuBTPeer(std::shared_ptr<CemuBTRemote> remote) : m_remote(std::move(remote)) {}

CemuBTPeer::~CemuBTPeer() = default;

void CemuBTPeer::Install(const std::shared_ptr<CemuBTRemote>& remote)
{
    zxSetBTPlatformMaker([remote] { return std::make_unique<CemuBTPeer>(remote); });
}

void CemuBTPeer::Uninstall()
{
    zxSetBTPlatformMaker(nullptr);
}

bool CemuBTPeer::CreateWithAddressAndOpen()
{
    const CemuBTRemote::Setup setup = m_remote->GetSetup();
    if (!setup.controller || !setup.device || !setup.service)
        return false;
    m_remote->CountOpen();
    m_state = kOpening;
    SetHasDevice(true);
    return true;
}

void CemuBTPeer::CloseAndRelease()
{
    m_state = kIdle;
    SetHasDevice(false);
    ClearChannelFlags();
}

bool CemuBTPeer::WriteChannel(const uint8_t* bytes, uint16_t n)
{
    if (m_state != kOpen || m_remote->GetSetup().refuseWrites)
        return false;
    m_remote->OnWritten(bytes, n);
    return true;
}

void CemuBTPeer::DeliverEvents()
{
    if (m_state == kOpening) {
        const int status = m_remote->GetSetup().openStatus;
        OnOpenComplete(status);
        if (status == 0) {
            OnQueueSpace();
            m_state = kOpen;
        } else {
            m_state = kIdle; // the device stays held until released
        }
        return;
    }
    if (m_state != kOpen)
        return;
    const std::vector<uint8_t> bytes = m_remote->TakePending();
    if (!bytes.empty())
        OnData(bytes.data(), uint32_t(bytes.size()));
}
