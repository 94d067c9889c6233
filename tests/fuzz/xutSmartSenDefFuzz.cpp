// Feeds arbitrary bytes to a smart sensor's definition block, chunk by chunk
// as the logger driver does, and runs every reader over it: ranges, tables,
// strings, conversions, calibrations, sensor records and choice lists.
//
// Input: byte 0 picks the chunk size, byte 1 the sub-channel, the rest is
// the block. The same block is also read after garbage was left behind the
// received bytes and behind its declared length: any difference in what the
// readers make of it means one of them looked outside the block.
#include "app/base/gumResCore.h"
#include "hardware/xhwSenCalibChoiceV.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSensor.h"
#include "hardware/xutSmartIdent.h"
#include "protocol/xutBoxInfo.h"
#include "transport/zxMessageBox.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>
#include <wx/init.h>

namespace {

constexpr int kInput = 2;

CxhwSenFile* g_database = nullptr;

// Everything the readers answer, gathered to compare two reads.
struct Digest
{
    std::vector<uint32_t> numbers;
    wxString texts;

    void Add(int v) { numbers.push_back(uint32_t(v)); }
    void Add(float v)
    {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        numbers.push_back(bits);
    }
    void Add(const wxString& text) { texts += text + "|"; }
    bool operator==(const Digest& o) const { return numbers == o.numbers && texts == o.texts; }
};

void Fill(CxutSmartSenDef& def, const uint8_t* block, size_t size, size_t chunk)
{
    def.Clear();
    for (size_t at = 0; at < size; at += chunk)
        def.Append(block + at, int(size - at < chunk ? size - at : chunk));
}

void ReadCalib(Digest& d, const CxhwSenCalib& calib)
{
    d.Add(calib.m_index);
    d.Add(calib.m_ident);
    d.Add(calib.m_name);
    d.Add(calib.m_units);
    d.Add(calib.m_description);
    d.Add(calib.m_icon);
    d.Add(calib.m_calMax);
    d.Add(calib.m_calMin);
    d.Add(calib.m_defMax);
    d.Add(calib.m_defMin);
    d.Add(calib.m_places);
    d.Add(int(calib.m_fCanSlow) | int(calib.m_fCanTriggered) << 1 | int(calib.m_fCanScope) << 2
          | int(calib.m_fCanTiming) << 3);
    for (int raw : {0, 1, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x20000, -1})
        d.Add(calib.Convert(raw));
    wxString label;
    calib.GetLabel(label, 7, true);
    d.Add(label);
}

Digest ReadAll(const CxutSmartSenDef& def, int sub)
{
    Digest d;
    d.Add(int(def.IsComplete()));
    for (int s = -1; s <= 9; ++s) {
        d.Add(int(def.GetSubRecord(s) != nullptr));
        for (int n = 0; n <= 16; ++n)
            d.Add(int(def.SubOffersRange(s, n, 0)) | int(def.SubOffersRange(s, n, 1)) << 1);
    }
    for (int k = -1; k <= 20; ++k) {
        d.Add(int(def.GetPointTable(k) != nullptr));
        d.Add(int(def.GetStringRecord(k) != nullptr));
        wxString text = "-";
        def.GetString(text, k);
        d.Add(text);
    }
    for (int n = -1; n <= 16; ++n) {
        d.Add(int(def.GetRange(n) != nullptr));
        d.Add(def.GetRangeCode(n));
        d.Add(def.GetRangeCalType(n));
    }
    for (int v = 0; v < 8; ++v)
        d.Add(def.FindRange(v));

    const int ident = xutMakeSmartIdent(kInput, sub, 0x11, 3);
    for (int flags = 0; flags < 16; ++flags) {
        // A range list may name one range twice; the walk is bounded here.
        int after = -1;
        for (int guard = 0; guard < 40; ++guard) {
            after = def.NextRange(ident, after, flags & 1, flags & 2, flags & 4, flags & 8);
            d.Add(after);
            if (after < 0)
                break;
        }
    }
    for (int bank = 0; bank <= 1; ++bank) {
        for (int range = 0; range <= 15; ++range) {
            const int index = xutMakeSmartIdentBank(kInput, sub, bank, range);
            d.Add(int(def.HasRange(index)));
            for (int raw : {0, 0x1234, 0x8000, 0xFFFF, 0x20000})
                d.Add(def.ConvertRaw(index, raw));
            CxhwSenCalib calib;
            def.GetRangeCalib(calib, index);
            ReadCalib(d, calib);
        }
    }

    // A sensor on that input, its choices and what it may be used for.
    CxhwSensor sensor;
    sensor.m_idCode = ident;
    sensor.m_idType = 7;
    g_database->AssignSensor(sensor);
    ReadCalib(d, sensor.m_calib);
    d.Add(sensor.m_calType);
    d.Add(sensor.m_sensorName);
    d.Add(sensor.m_tpName);
    d.Add(sensor.m_tpIcon);
    d.Add(int(sensor.m_enable) | int(sensor.m_optional) << 1 | sensor.m_led << 2);
    CxutBoxInfo logger;
    logger.m_hardware = 7;
    logger.m_firmware = 5.0f;
    CxhwSenCalibChoiceV list;
    list.Build(logger, sensor, true, true, true, 1.5, true, true);
    d.Add(list.GetCount());
    for (int i = 0; i < list.GetCount(); ++i) {
        d.Add(list[i].m_index);
        d.Add(list[i].m_code);
        d.Add(list[i].m_label);
    }
    d.Add(list.FindCurrent(sensor));
    d.Add(list.FindBest(sensor, true));
    d.Add(list.FindBestAny(sensor, true));
    d.Add(list.FindBestTrigScope(sensor, true, true));
    d.Add(list.FindBestTrigScope(sensor, false, false));
    d.Add(int(sensor.CanTime(logger, true)));
    d.Add(int(sensor.SuitsRate(logger, false)));
    CxhwSenCalibChoice choice;
    d.Add(int(sensor.GetCalibChoice(&choice, logger, true, true)));
    d.Add(int(sensor.GetRateCalibChoice(&choice, logger, true, true)));
    return d;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static wxInitializer init;
    zxSetBoxPresenter([](const CzxBoxCall&) { return 0; });
    static CgumResCore res;
    res.m_strings.assign(CgumResCore::kStringCount, wxString());
    res.m_strings[490] = "to";
    res.m_strings[491] = "Counts";
    res.m_strings[1249] = " s";
    static CxhwSenFile database;
    database.LoadLines({"%%SENSOR 255,Unknown,%,100,0,1", "%%SENSOR 17,Event,,1,0,0"});
    g_database = &database;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2 || size > 2 + CxutSmartSenDef::kMaxLength + 200)
        return 0;
    const size_t chunk = 1 + data[0] % 80;
    const int sub = data[1] % 8;
    const uint8_t* block = data + 2;
    const size_t length = size - 2;
    CxutSmartSenDef& def = *g_database->GetSmartDefs().GetDef(kInput);

    // Zeros behind the received bytes.
    static const std::vector<uint8_t> zeros(CxutSmartSenDef::kMaxLength, 0);
    static const std::vector<uint8_t> garbage(CxutSmartSenDef::kMaxLength, 0xA5);
    def.Clear();
    def.Append(zeros.data(), int(zeros.size()));
    Fill(def, block, length, chunk);
    const Digest plain = ReadAll(def, sub);

    // Garbage behind them.
    def.Clear();
    def.Append(garbage.data(), int(garbage.size()));
    Fill(def, block, length, chunk);
    if (!(ReadAll(def, sub) == plain))
        __builtin_trap();

    // Garbage in place of what the first chunk brought past the declared
    // length (the 32 header bytes of a complete block are always read).
    if (length >= 2) {
        const size_t declared = size_t(block[0] | block[1] << 8);
        const size_t first = chunk < length ? chunk : length;
        if (declared < first) {
            std::vector<uint8_t> spoiled(block, block + length);
            for (size_t i = declared < 32 ? 32 : declared; i < first; ++i)
                spoiled[i] = 0xA5;
            Fill(def, spoiled.data(), length, chunk);
            if (!(ReadAll(def, sub) == plain))
                __builtin_trap();
        }
    }
    return 0;
}
