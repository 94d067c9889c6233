#include "emulators/emuXLoggerUSB.h"

namespace {

constexpr size_t kReport = 64;

} // namespace

CemuXLoggerUSB::CemuXLoggerUSB(int32_t product)
    : CzxUSBSimDevice(0x3A7C, product),
      m_peer([this](const std::vector<uint8_t>& bytes) {
          for (size_t at = 0; at + kReport <= bytes.size(); at += kReport)
              SendReport(bytes.data() + at, kReport);
      })
{
    m_peer.Logger().Config().usb = true;
}

CemuXLoggerUSB::~CemuXLoggerUSB()
{
    m_peer.StopPacing();
}

void CemuXLoggerUSB::SetBootLoader(std::shared_ptr<CzxUSBSimDevice> bootLoader)
{
    std::lock_guard<std::mutex> lock(m_peer.Mutex());
    m_bootLoader = std::move(bootLoader);
}

void CemuXLoggerUSB::OnWrite(const std::vector<uint8_t>& report)
{
    // The report id comes first.
    if (report.size() < 2)
        return;
    m_peer.Receive(report.data() + 1, report.size() - 1);
    std::shared_ptr<CzxUSBSimDevice> bootLoader;
    {
        std::lock_guard<std::mutex> lock(m_peer.Mutex());
        if (!m_peer.Logger().TakeRestart())
            return;
        bootLoader = m_bootLoader;
    }
    Unplug();
    if (bootLoader)
        bootLoader->Plug();
}
