#include "emulators/emuXLoggerFar.h"

#include "support/testWait.h"

#include "transport/zxBtle.h"
#include "transport/zxBtleManager.h"


const wxString CemuXLoggerFar::kIdentifier = "5A1E0001-7C3E-4A1D-9E85-3D6B20C4F9A1";
const wxString CemuXLoggerFar::kName = "Kestilon SIM-1";

CemuXLoggerFar::CemuXLoggerFar(bool usb, int32_t product) : m_usb(usb)
{
    if (usb) {
        m_device = std::make_shared<CemuXLoggerUSB>(product);
        m_host.Add(m_device);
        zxSetUSBHost(&m_host);
        return;
    }
    CzxBtleManager& central = CzxBtleManager::Shared();
    central.SetPlatform(std::make_unique<CzxBtleAdapter>());
    central.SetMainQueue([](std::function<void()>) {});
    central.ClearLoggers();
    CzxBtleAdapter& adapter = central.UseSimulated();
    adapter.SetState(BTLE_STATE_POWERED_ON);
    adapter.AddInRange({kIdentifier, kName});
    m_peripheral = std::make_unique<CemuXLoggerBtle>(adapter, kIdentifier);
    zxGetBtle().SetSelectedLogger(kIdentifier, kName);
}

CemuXLoggerFar::~CemuXLoggerFar()
{
    Peer().StopPacing();
    if (m_usb)
        zxSetUSBHost(nullptr);
    else
        zxGetBtle().Close();
}

CemuXLoggerPeer& CemuXLoggerFar::Peer()
{
    return m_usb ? m_device->Peer() : m_peripheral->Peer();
}

void CemuXLoggerFar::With(const std::function<void(CemuXLogger&)>& use)
{
    std::lock_guard<std::mutex> lock(Peer().Mutex());
    use(Peer().Logger());
}

bool CemuXLoggerFar::WaitStreaming()
{
    return qvtest::WaitUntil([&] {
        bool streaming = false;
        With([&](CemuXLogger& logger) { streaming = logger.IsStreaming(); });
        return streaming;
    });
}
