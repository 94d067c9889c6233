#include "transport/zxUSBReadWriteThread.h"

#include "transport/zxUSBDeviceBase.h"

CzxUSBReadWriteThread::CzxUSBReadWriteThread(CzxUSBDeviceBase& device) : m_device(device) {}

wxThread::ExitCode CzxUSBReadWriteThread::Entry()
{
    // RunIO returns only once CheckState has acknowledged the stop.
    m_device.RunIO(*this);
    return nullptr;
}
