#pragma once
#include "protocol/xutPktDeviceSource.h"

// The multi-device logger's devices plugged into the computer, found through
// the USB host that scans use (zxGetUSBHost).
class CxutPktUSBSource : public CxutPktDeviceSource
{
public:
    std::vector<std::unique_ptr<CxutPktDevice>> Scan(const std::vector<wxString>& known) override;
};
