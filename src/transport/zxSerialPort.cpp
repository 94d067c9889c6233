#include "transport/zxSerialPort.h"

wxString zxSerialDefaultPortList()
{
    return "(ttyS0,ttyS1)";
}

bool zxSerialPortName(wxString& out, int port)
{
    if (port < 1 || port > 99)
        return false;
    out = wxString::Format("ttyS%d", port - 1);
    return true;
}

bool zxSerialPortPath(wxString& out, int port)
{
    if (port < 1 || port > 99)
        return false;
    out = wxString::Format("/dev/ttyS%d", port - 1);
    return true;
}
