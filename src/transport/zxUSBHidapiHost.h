#pragma once
#include "transport/zxUSBHost.h"

// The computer's USB HID devices through hidapi's hidraw back end.
class CzxUSBHidapiHost : public CzxUSBHost
{
public:
    bool List(std::vector<CzxUSBHostInfo>& devices) override;
    std::unique_ptr<CzxUSBHandle> Open(const wxString& path) override;
};
