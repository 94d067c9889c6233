#include "protocol/xutPktDevice.h"

CxutPktDevice::~CxutPktDevice() = default;

bool CxutPktDevice::IsPacket() const
{
    return xutPktDeviceKind(GetVendorId(), GetProductId()) == 2;
}

int CxutPktDevice::GetReleaseNumber() const
{
    const int bcd = GetReleaseBCD();
    return ((bcd >> 12) & 0xF) * 1000 + ((bcd >> 8) & 0xF) * 100 + ((bcd >> 4) & 0xF) * 10 +
           (bcd & 0xF);
}

int xutPktDeviceKind(int vendorId, int productId)
{
    if (vendorId == 0x2F1A && productId == 0x0301)
        return 1;
    if (vendorId == 0x3A7C && productId >= 0x0101 && productId <= 0x010F)
        return 2;
    if (vendorId == 0x2F1A && productId >= 0x0401 && productId <= 0x040F)
        return 2;
    return 0;
}
