#include "protocol/xutPktUSBDevice.h"

#include "protocol/xutPktPort.h"

#include <algorithm>

CxutPktUSBDevice::CxutPktUSBDevice(std::unique_ptr<CzxUSBDevice> device)
    : m_vendorId(device ? device->GetVendorId() : 0),
      m_productId(device ? device->GetProductId() : 0),
      m_releaseBCD(device ? device->GetReleaseBCD() : 0),
      m_path(device ? device->GetPath() : wxString()),
      m_reportLength(zxUSBReportLength(m_vendorId, m_productId))
{
    m_usb.SetDevice(std::move(device));
}

CxutPktUSBDevice::~CxutPktUSBDevice()
{
    Close();
}

bool CxutPktUSBDevice::Open(CxutPktPort* sink)
{
    Close();
    m_usb.m_target = sink;
    if (m_usb.Open())
        return true;
    m_usb.m_target = nullptr;
    return false;
}

void CxutPktUSBDevice::Close()
{
    // The I/O thread ends first, so no report reaches the port after this.
    m_usb.Close();
    m_usb.m_target = nullptr;
}

bool CxutPktUSBDevice::IsOpen() const
{
    return m_usb.IsOpen();
}

bool CxutPktUSBDevice::IsReady() const
{
    return m_usb.IsReady();
}

bool CxutPktUSBDevice::WriteReport(const uint8_t* payload)
{
    return payload && m_usb.WriteReportData(payload);
}

void CxutPktUSBDevice::SetInterval(int ms)
{
    if (CzxUSBDevice* device = m_usb.GetDevice())
        device->SetInterval(uint8_t(std::clamp(ms, 0, 255)));
}

bool CxutPktUSBDevice::CReportSink::PutRXReport(const uint8_t* payload, uint32_t n)
{
    CxutPktPort* target = m_target;
    return target && target->PutRXReport(payload, int(n));
}
