#pragma once
#include "protocol/xutPktDevice.h"
#include "transport/zxUSBPort.h"

#include <atomic>
#include <memory>

// A device of the multi-device logger on the USB bus: its input reports are
// read on the device's own I/O thread and handed whole to the packet port;
// frames are written on the caller's thread.
class CxutPktUSBDevice : public CxutPktDevice
{
public:
    explicit CxutPktUSBDevice(std::unique_ptr<CzxUSBDevice> device);
    ~CxutPktUSBDevice() override;

    int GetVendorId() const override { return m_vendorId; }
    int GetProductId() const override { return m_productId; }
    int GetReleaseBCD() const override { return m_releaseBCD; }
    wxString GetPath() const override { return m_path; }
    int GetReportLength() const override { return m_reportLength; }

    bool Open(CxutPktPort* sink) override;
    void Close() override;
    bool IsOpen() const override;
    bool IsReady() const override;
    bool WriteReport(const uint8_t* payload) override;
    void SetInterval(int ms) override;

private:
    // What the device's I/O thread hands its reports to.
    class CReportSink : public CzxUSBPort
    {
    public:
        bool PutRXReport(const uint8_t* payload, uint32_t n) override;
        std::atomic<CxutPktPort*> m_target{nullptr};
    };

    // The identity is kept apart: the USB device forgets its own when it is
    // released or reset.
    const int m_vendorId;
    const int m_productId;
    const int m_releaseBCD;
    const wxString m_path;
    const int m_reportLength;
    CReportSink m_usb;
};
