// Feeds arbitrary bytes to the sensor file reader, as Load would after
// opening a file, then uses what was read; and the same bytes to a smart
// sensor's definition block with its readers.
#include "app/base/gumResCore.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"
#include "transport/zxMessageBox.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
#include <wx/init.h>
#include <wx/strconv.h>

namespace {

// Splits text into lines at CR LF, LF or CR, as the text file reader does.
std::vector<wxString> SplitLines(const wxString& text)
{
    std::vector<wxString> lines;
    wxString line;
    for (size_t i = 0; i < text.length(); ++i) {
        const wxUniChar c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.length() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

void UseDatabase(const CxhwSenFile& db)
{
    const int raws[] = {-1, 0, 1, 0x7FFF, 0xFFFF, 0x10000, 0x20000, 0x7FFFFFFF};
    for (int i = 0; i < db.GetSensorCount(); ++i) {
        const CxhwSenCalib& calib = db.GetSensor(i);
        for (int raw : raws)
            (void)calib.Convert(raw);
        wxString label;
        db.GetCalibLabel(label, i, 7, true);
    }
    for (int t = 0; t < db.GetTableCount(); ++t)
        for (int raw : raws)
            (void)db.Interpolate(db.GetTableStart(t), raw);
    for (int start = 0; start <= db.GetPointCount(); start += 97)
        (void)db.Interpolate(start, 0x8000);
    CxhwSensorV sensors;
    CxhwSensorV ids;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        ids[i].m_idCode = i == 5 ? 177 : i * 50;
        ids[i].m_idType = i == 5 ? 1 : 7;
    }
    sensors.UpdateIds(ids);
    const int readings[CxhwSensorV::kCount] = {0, 100, 0xFFFF, 0x20000, 5, 7};
    sensors.SetRawValues(readings);
    sensors.SetRawValues(readings);
}

void UseSmartBlock(CxhwSenFile& db, const uint8_t* data, size_t size)
{
    CxutSmartSenDef& def = *db.GetSmartDefs().GetDef(1);
    def.Clear();
    for (size_t at = 0; at < size; at += 62)
        def.Append(data + at, int(size - at < 62 ? size - at : 62));
    for (int n = 0; n <= 16; ++n) {
        def.SetRangeGain(n, 1.25f);
        (void)def.GetRangeCalType(n);
    }
    const int ident = xutMakeSmartIdent(1, size % 8, 0, 0);
    for (int after = -1, guard = 0; guard < 40; ++guard) {
        after = def.NextRange(ident, after, guard < 20, true, true, true);
        if (after < 0)
            break;
        CxhwSenCalib calib;
        db.GetCalib(calib, after);
        (void)calib.Convert(int(size) * 37 % 0x10000);
        (void)calib.Convert(0xFFFF);
    }
    CxhwSensor sensor;
    sensor.m_idCode = ident;
    sensor.m_idType = 7;
    db.AssignSensor(sensor);
    (void)def.FindRange(int(size));
    (void)def.ConvertRaw(xutMakeSmartIdentBank(1, 0, 0, 1), 0x1234);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer init;
    zxSetBoxPresenter([](const CzxBoxCall&) { return 0; });
    static CgumResCore res;
    res.m_strings.assign(CgumResCore::kStringCount, wxString());
    res.m_strings[490] = "to";
    res.m_strings[1001] = "'C";
    res.m_strings[1101] = "Celsius";
    res.m_strings[1070] = "Temperature";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const wxString text(reinterpret_cast<const char*>(data), wxConvAuto(), size);
    auto db = std::make_unique<CxhwSenFile>();
    db->LoadLines(SplitLines(text));
    UseDatabase(*db);
    UseSmartBlock(*db, data, size);
    return 0;
}
