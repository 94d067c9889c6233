#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
#include <wx/string.h>

// One HID device as the system lists it.
struct CzxUSBHostInfo
{
    wxString m_path;
    int32_t m_vendorId = 0;
    int32_t m_productId = 0;
    int32_t m_releaseBCD = 0;
};

// One opened HID device. Write and Read may be called from two threads at
// once (the writer and the device's I/O thread).
class CzxUSBHandle
{
public:
    virtual ~CzxUSBHandle();
    // One output report: the report id, then the payload. The number of bytes
    // sent, or -1.
    virtual int Write(const uint8_t* report, size_t n) = 0;
    // One input report's payload into buffer, waiting up to ms (0: only a look).
    // The number of bytes read, 0 when none came, -1 when the device is gone.
    virtual int Read(uint8_t* buffer, size_t n, int ms) = 0;
};

// Lists and opens the HID devices of the computer: hidraw through hidapi, or a
// simulated bus in the tests.
class CzxUSBHost
{
public:
    virtual ~CzxUSBHost();
    // False when the system's devices cannot be listed.
    virtual bool List(std::vector<CzxUSBHostInfo>& devices) = 0;
    // None when the device is gone or cannot be opened.
    virtual std::unique_ptr<CzxUSBHandle> Open(const wxString& path) = 0;
};

// The host that scans use: the system's unless one was set. Setting none
// returns to the system's; the caller keeps the host alive while devices it
// listed are in use.
CzxUSBHost& zxGetUSBHost();
void zxSetUSBHost(CzxUSBHost* host);
