#include "transport/zxUSBHidapiHandle.h"

#include "transport/zxStopWatch.h"

#include <hidapi/hidapi.h>
#include <wx/utils.h>

CzxUSBHidapiHandle::CzxUSBHidapiHandle(hid_device* device) : m_device(device) {}

CzxUSBHidapiHandle::~CzxUSBHidapiHandle()
{
    std::lock_guard<std::mutex> lock(m_lock);
    hid_close(m_device);
}

int CzxUSBHidapiHandle::Write(const uint8_t* report, size_t n)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return hid_write(m_device, report, n);
}

int CzxUSBHidapiHandle::Read(uint8_t* buffer, size_t n, int ms)
{
    CzxStopWatch watch;
    for (;;) {
        int got = 0;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            got = hid_read_timeout(m_device, buffer, n, 0);
        }
        if (got != 0 || watch.Time() >= ms)
            return got < 0 ? -1 : got;
        wxMilliSleep(1);
    }
}
