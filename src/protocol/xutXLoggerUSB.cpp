#include "protocol/xutXLoggerUSB.h"

#include "protocol/xutXLogger.h"

namespace {

constexpr uint32_t kReport = 64;

} // namespace

// The reply framing below replaces the count-byte framing, so the port takes
// its reports raw.
CxutXLoggerUSB::CxutXLoggerUSB() : CzxUSBPort(true, false) {}

bool CxutXLoggerUSB::PutRXReport(const uint8_t* payload, uint32_t n)
{
    // A short report cannot hold the reply its code announces.
    if (!payload || n < kReport)
        return false;
    const CzxUSBDevice* device = GetDevice();
    if (!device)
        return false;
    uint32_t from = 0;
    const uint32_t kept = xutXLoggerReportPart(device->GetVendorId(), device->GetProductId(), payload[0], from);
    if (kept == 0)
        return true;
    return CzxUSBPort::PutRXReport(payload + from, kept);
}
