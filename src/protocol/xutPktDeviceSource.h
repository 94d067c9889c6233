#pragma once
#include "protocol/xutPktDevice.h"

#include <memory>
#include <vector>

// Where the packet combo finds newly plugged devices.
class CxutPktDeviceSource
{
public:
    virtual ~CxutPktDeviceSource() = default;
    // The packet-protocol devices plugged in now whose paths are not in known.
    virtual std::vector<std::unique_ptr<CxutPktDevice>> Scan(const std::vector<wxString>& known) = 0;
};
