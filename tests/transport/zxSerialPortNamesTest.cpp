#include "transport/zxSerialPort.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct NameCase
{
    bool (*build)(wxString&, int);
    int port;
    const char* text;
    bool valid;
};

TEST(SerialPortNames, BuildersFillTheTextAndTellValidNumbers)
{
    const NameCase cases[] = {
        {zxSerialPortName, 0, "ttyS-1", false},    {zxSerialPortName, 1, "ttyS0", true},
        {zxSerialPortName, 99, "ttyS98", true},    {zxSerialPortName, 100, "ttyS99", false},
        {zxSerialPortPath, 5, "/dev/ttyS4", true}, {zxSerialPortPath, 0, "/dev/ttyS-1", false},
        {zxRfcommPortPath, 1, "/dev/rfcomm0", true}, {zxRfcommPortName, 99, "rfcomm98", true},
        {zxRfcommPortName, 100, "rfcomm99", false},
    };
    for (const NameCase& c : cases) {
        wxString text = "stale";
        EXPECT_EQ(c.build(text, c.port), c.valid) << c.text;
        EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(zxSerialDefaultPortList(), "(ttyS0,ttyS1)");
    EXPECT_EQ(zxSerialCheckPort(3), 0);
}

TEST(SerialPortNames, PrefixFromTheEnvironmentNamesPortNDirectly)
{
    ::setenv("QUORVANTI_SERIAL_PREFIX", "/tmp/emulated/tty", 1);
    wxString path;
    EXPECT_TRUE(zxSerialPortPath(path, 5));
    EXPECT_EQ(path, "/tmp/emulated/tty5");
    CzxSerialPort port;
    port.SetPort(7, wxString());
    EXPECT_EQ(port.GetPath(), "/tmp/emulated/tty7");
    ::unsetenv("QUORVANTI_SERIAL_PREFIX");
    EXPECT_TRUE(zxSerialPortPath(path, 5));
    EXPECT_EQ(path, "/dev/ttyS4");
}

TEST(SerialPort, OpenFailsWithoutADeviceAndLeavesThePortClosed)
{
    CzxSerialPort port;
    port.SetPort(100, wxString()); // no default device for this number
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    port.SetPort(1, "/nonexistent/ttyNone");
    EXPECT_FALSE(port.Open());
    EXPECT_FALSE(port.IsOpen());
    uint8_t byte = 0;
    EXPECT_FALSE(port.Write(&byte, 1));
    EXPECT_FALSE(port.Read(&byte, 1));
    EXPECT_EQ(port.GetRXCount(), 0u);
    EXPECT_EQ(port.GetStatus(), -2);
}

} // namespace
