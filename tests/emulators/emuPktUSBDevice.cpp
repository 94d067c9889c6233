#include "emulators/emuPktUSBDevice.h"

#include <wx/utils.h>

std::shared_ptr<CemuPktUSBDevice> CemuPktUSBDevice::Packet(std::vector<unsigned char> block,
                                                           int32_t releaseBCD)
{
    auto device = std::make_shared<CemuPktUSBDevice>(0x3A7C, 0x0101, releaseBCD);
    device->With([&](CemuPktDevice& d) { d.SetBlock(std::move(block)); });
    return device;
}

std::shared_ptr<CemuPktUSBDevice> CemuPktUSBDevice::Short(int32_t releaseBCD)
{
    return std::make_shared<CemuPktUSBDevice>(0x2F1A, 0x0301, releaseBCD);
}

CemuPktUSBDevice::CemuPktUSBDevice(int32_t vendorId, int32_t productId, int32_t releaseBCD)
    : CzxUSBSimDevice(vendorId, productId, releaseBCD), m_device(GetPayloadSize() == 8)
{
    m_thread = std::thread([this] { Run(); });
}

CemuPktUSBDevice::~CemuPktUSBDevice()
{
    m_stop = true;
    m_thread.join();
}

void CemuPktUSBDevice::With(const std::function<void(CemuPktDevice&)>& f)
{
    std::lock_guard<std::mutex> lock(m_deviceLock);
    f(m_device);
}

void CemuPktUSBDevice::OnWrite(const std::vector<uint8_t>& report)
{
    if (report.size() < 2)
        return;
    std::lock_guard<std::mutex> lock(m_deviceLock);
    m_device.Receive(report.data() + 1, report.size() - 1);
}

void CemuPktUSBDevice::Run()
{
    const long interval = GetPayloadSize() == 8 ? 8 : 2;
    while (!m_stop) {
        if (m_answering && IsPlugged() && GetPendingCount() == 0) {
            uint8_t report[64];
            int n = 0;
            {
                std::lock_guard<std::mutex> lock(m_deviceLock);
                n = m_device.NextReport(report);
            }
            if (n > 0)
                SendReport(report, size_t(n));
        }
        wxMilliSleep(interval);
    }
}
