#include "app/base/appOptionsFile.h"

#include "app/base/appReplaceFile.h"

#include "transport/zxTextFile.h"
#include "transport/zxSerialPort.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {

// Link kinds of the logger search (serial ports are 1 to 99).
constexpr int kLinkUsb = 100;
constexpr int kLinkBluetooth = 102;
constexpr int kLinkBluetoothLE = 103;

// A whole decimal integer: an optional sign, digits, nothing else.
bool ParseWholeNumber(const wxString& text, long& out)
{
    size_t i = 0;
    if (i < text.length() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.length())
        return false;
    for (size_t k = i; k < text.length(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
    }
    if (text.length() - i > 9) // far beyond every accepted range
        return false;
    return text.ToLong(&out);
}

bool ReadNumber(const wxString& value, int low, int high, int& field)
{
    long n = 0;
    if (!ParseWholeNumber(value, n) || n < low || n > high)
        return false;
    field = int(n);
    return true;
}

bool ReadFlag(const wxString& value, bool& field)
{
    int n = 0;
    if (!ReadNumber(value, 0, 1, n))
        return false;
    field = n == 1;
    return true;
}

wxString NumberText(int n)
{
    return wxString::Format("%d", n);
}

wxString FlagText(bool b)
{
    return b ? "1" : "0";
}

} // namespace

bool CappOptionsFile::ReadValue(const wxString& key, const wxString& value)
{
    if (key.IsSameAs("PortBtooth", false))
        return ReadNumber(value, 0, 99, PortBtooth);
    if (key.IsSameAs("PortSerial", false))
        return ReadNumber(value, 0, 99, PortSerial);
    if (key.IsSameAs("PortType", false))
        return ReadNumber(value, 0, 2, PortType);
    if (key.IsSameAs("UserLevel", false))
        return ReadNumber(value, 1, 4, UserLevel);
    if (key.IsSameAs("MaxSensingPlaces", false))
        return ReadNumber(value, 0, 5, MaxSensingPlaces);
    if (key.IsSameAs("MaxTimingPlaces", false))
        return ReadNumber(value, 0, 5, MaxTimingPlaces);
    if (key.IsSameAs("UserSave", false))
        return ReadFlag(value, UserSave);
    if (key.IsSameAs("FileFolder", false)) {
        FileFolder = value;
        return true;
    }
    if (key.IsSameAs("ManagerMode", false))
        return ReadFlag(value, ManagerMode);
    if (key.IsSameAs("BluetoothName", false)) {
        BluetoothName = value;
        return true;
    }
    if (key.IsSameAs("BluetoothAddress", false)) {
        BluetoothAddress = value;
        return true;
    }
    if (key.IsSameAs("BluetoothSmart", false))
        return ReadFlag(value, BluetoothSmart);
    if (key.IsSameAs("BluetoothSmartUUID", false)) {
        BluetoothSmartUUID = value;
        return true;
    }
    if (key.IsSameAs("BluetoothSmartName", false)) {
        BluetoothSmartName = value;
        return true;
    }
    return false;
}

bool CappOptionsFile::WriteValue(int i, wxString& key, wxString& value) const
{
    switch (i) {
    case 0: key = "PortBtooth"; value = NumberText(PortBtooth); return true;
    case 1: key = "PortSerial"; value = NumberText(PortSerial); return true;
    case 2: key = "PortType"; value = NumberText(PortType); return true;
    case 3: key = "UserLevel"; value = NumberText(UserLevel); return true;
    case 4: key = "UserSave"; value = FlagText(UserSave); return true;
    case 5: key = "FileFolder"; value = FileFolder; return true;
    case 6: key = "MaxSensingPlaces"; value = NumberText(MaxSensingPlaces); return true;
    case 7: key = "MaxTimingPlaces"; value = NumberText(MaxTimingPlaces); return true;
    case 8: key = "ManagerMode"; value = FlagText(ManagerMode); return true;
    case 9: key = "BluetoothName"; value = BluetoothName; return true;
    case 10: key = "BluetoothAddress"; value = BluetoothAddress; return true;
    case 11: key = "BluetoothSmart"; value = FlagText(BluetoothSmart); return true;
    case 12: key = "BluetoothSmartUUID"; value = BluetoothSmartUUID; return true;
    case 13: key = "BluetoothSmartName"; value = BluetoothSmartName; return true;
    default: return false;
    }
}

bool CappOptionsFile::Read(const wxString& path)
{
    wxLogNull quiet;
    zxTextFile file;
    if (!wxFileName::FileExists(path) || !file.Open(path))
        return false;
    for (size_t i = 0; i < file.GetLineCount(); ++i) {
        wxString line = file[i];
        line.Trim(true).Trim(false);
        if (line.empty())
            continue;
        const int equals = line.Find('=');
        if (equals == wxNOT_FOUND)
            continue;
        wxString key = line.Left(size_t(equals));
        wxString value = line.Mid(size_t(equals) + 1);
        key.Trim(true);
        value.Trim(false);
        ReadValue(key, value);
    }
    return true;
}

bool CappOptionsFile::Write(const wxString& path) const
{
    wxString text;
    wxString key;
    wxString value;
    for (int i = 0; WriteValue(i, key, value); ++i)
        text << key << "=" << value << "\n";
    return appWriteFileReplacing(path, text);
}

bool appWriteFileReplacing(const wxString& path, const wxString& text)
{
    wxLogNull quiet;
    const wxFileName name(path);
    if (!name.DirExists() && !wxFileName::Mkdir(name.GetPath(), 0777, wxPATH_MKDIR_FULL))
        return false;
    const wxScopedCharBuffer bytes = text.utf8_str();
    return appReplaceFile(path, bytes.data(), bytes.length());
}

void CappOptionsFile::GetNextPort(int& port, wxString& name, bool bluetoothLEAllowed) const
{
    const bool le = BluetoothSmart && bluetoothLEAllowed;
    const int last = port;
    int next = kLinkUsb;
    switch (PortType) {
    case 1:
        if (last == kLinkUsb)
            next = le ? kLinkBluetoothLE : kLinkBluetooth;
        else if (last == kLinkBluetoothLE)
            next = kLinkBluetooth;
        break;
    case 2:
        if (last == kLinkUsb)
            next = le ? kLinkBluetoothLE : PortSerial;
        else if (last == kLinkBluetoothLE)
            next = PortSerial;
        break;
    default:
        if (last == 1)
            next = 2;
        else if (last == kLinkUsb)
            next = le ? kLinkBluetoothLE : 1;
        else if (last == kLinkBluetoothLE)
            next = 1;
        break;
    }
    port = next;
    name.clear();
    if (next == kLinkBluetooth)
        name = BluetoothAddress;
    else if (next >= 1 && next <= 99)
        zxSerialPortPath(name, next);
}
