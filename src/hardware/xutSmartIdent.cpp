#include "hardware/xutSmartIdent.h"

#include "hardware/xhwSensor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// 10^code for the decimal codes 1..5, exact in single precision.
float PowerOfTen(int code)
{
    static const float powers[] = {1.0f, 10.0f, 100.0f, 1000.0f, 10000.0f, 100000.0f};
    return powers[code];
}

int AsInt16(int c) { return int(int16_t(uint16_t(std::clamp(c, 0, 0xFFFF)))); }

int AsCode(int v) { return v < 0 ? v + 0x10000 : v; }

// Nearest integer (floor of x + 0.5) of a value already limited to a small range.
int RoundHalfUp(float x) { return int(std::floor(x + 0.5f)); }

// A value limited to ±limit; NaN becomes 0 so that no code is undefined.
float Limit(float v, float low, float high)
{
    if (std::isnan(v))
        return 0.0f;
    return std::min(std::max(v, low), high);
}

// Scales a value into the integer units of a decimal code.
float ScaleToCode(float v, int code)
{
    if (code <= 0)
        return v;
    if (code <= 5)
        return v * PowerOfTen(code);
    return v / 10.0f;
}

// The family of an old record, chosen by its calibration's name.
void OldFamily(const CxhwSenCalib& calib, int& brand, int& product)
{
    brand = 0x11;
    if (calib.m_name == "Light Level")
        product = 1;
    else if (calib.m_name == "Sound Level")
        product = 2;
    else if (calib.m_name == "Temperature")
        product = 3;
    else
        brand = product = 0;
}

} // namespace

int xutMakeSmartIdent(int input, int sub, int brand, int product)
{
    return XUT_SMART_BASE + product * 0x10000 + brand * 0x100 + input * 8 + sub;
}

int xutMakeSmartIdentBank(int input, int sub, int bank, int range)
{
    return XUT_SMART_BASE + bank * 0x1000 + range * 0x100 + input * 8 + sub;
}

int xutGetSmartIdentInput(int v) { return v < XUT_SMART_BASE ? -1 : (v >> 3) & 7; }
int xutGetSmartIdentSub(int v) { return v < XUT_SMART_BASE ? -1 : v & 7; }
int xutGetSmartIdentByte1(int v) { return v < XUT_SMART_BASE ? -1 : (v >> 8) & 0xFF; }
int xutGetSmartIdentByte2(int v) { return v < XUT_SMART_BASE ? -1 : (v >> 16) & 0xFF; }
int xutGetSmartIdentBank(int v) { return v < XUT_SMART_BASE ? -1 : (v >> 12) & 1; }
int xutGetSmartIdentRange(int v) { return v < XUT_SMART_BASE ? -1 : (v >> 8) & 0xF; }

int xutGetKindCalType(int kind)
{
    static const int types[] = {8, 3, 9, 11, 2, 2, 2, 2};
    return kind >= 1 && kind <= 8 ? types[kind - 1] : 7;
}

int xutMakeSigned16(int low, int high)
{
    return int(int16_t(uint16_t((low & 0xFF) | ((high & 0xFF) << 8))));
}

float xutApplyDecimalCode(int v, int code)
{
    code &= 0xFF;
    if (code == 0)
        return float(v);
    if (code <= 5)
        return float(v) / PowerOfTen(code);
    return float(v) * 10.0f;
}

int xutGainToCode(float gain)
{
    if (std::isnan(gain))
        gain = 1.0f;
    const float scaled = std::clamp(gain, 0.5f, 1.5f) * 32768.0f;
    return int(std::clamp(scaled, 16384.0f, 49152.0f));
}

float xutCodeToGain(int g)
{
    if (g < 0x4000 || g > 0xC000)
        return 1.0f;
    return std::clamp(float(g) / 32768.0f, 0.5f, 1.5f);
}

float xutBytesToGain(int low, int high) { return xutCodeToGain((low & 0xFF) + 256 * (high & 0xFF)); }

int xutOffsetToCode(int code, float offset)
{
    const float limit = code > 5 ? 163840.0f : 16384.0f / PowerOfTen(std::max(code, 0));
    const float int16Low = code > 5 ? -327680.0f : -32768.0f / PowerOfTen(std::max(code, 0));
    const float int16High = code > 5 ? 327670.0f : 32767.0f / PowerOfTen(std::max(code, 0));
    float v = Limit(offset, -limit, limit);
    v = Limit(v, int16Low, int16High);
    const int c = std::clamp(RoundHalfUp(ScaleToCode(v, code)), -16384, 16384);
    return AsCode(c);
}

float xutCodeToOffset(int c, int code)
{
    if (c >= 16385 && c <= 49151)
        return 0.0f;
    return xutApplyDecimalCode(AsInt16(c), code);
}

float xutBytesToOffset(int low, int high, int code)
{
    return xutCodeToOffset((low & 0xFF) + 256 * (high & 0xFF), code);
}

int xutValueToInt(int code, float v)
{
    float low;
    float high;
    if (code <= 0) {
        low = -32767.0f;
        high = 32768.0f;
    } else if (code <= 5) {
        high = 32767.0f / PowerOfTen(code);
        low = -high;
    } else {
        high = 327670.0f;
        low = -high;
    }
    const float scaled = ScaleToCode(Limit(v, low, high), code);
    return std::clamp(RoundHalfUp(scaled), -32767, 32768);
}

int xutValueToCode(int code, float v) { return AsCode(xutValueToInt(code, v)); }

float xutCodeToValue(int c, int code) { return xutApplyDecimalCode(AsInt16(c), code); }

float xutBytesToValue(int low, int high, int code)
{
    return xutApplyDecimalCode(xutMakeSigned16(low, high), code);
}

int xutCodeToInt16(int c) { return AsInt16(c); }

int xutInt16ToCode(int v) { return AsCode(std::clamp(v, -32767, 32768)); }

int xutOldGetInput(int old) { return old < 256 ? -1 : (old - 256) / 256; }
int xutOldGetSub(int old) { return old < 256 ? -1 : ((old - 256) / 32) % 8; }
int xutOldGetBank(int old) { return old < 256 ? -1 : ((old - 256) / 16) % 2; }
int xutOldGetRange(int old) { return old < 256 ? -1 : (old - 256) % 16; }

// Old numbers come from files: an input beyond the field is kept inside it,
// so the new number never spills into the range or brand bits.
int xutOldToNewIndex(int old)
{
    if (old < 256)
        return old;
    return xutMakeSmartIdentBank(xutOldGetInput(old) & 7, xutOldGetSub(old), xutOldGetBank(old),
                                 xutOldGetRange(old));
}

int xutOldToNewIdent(int old, int brand, int product)
{
    if (old < 256)
        return old;
    return xutMakeSmartIdent(xutOldGetInput(old) & 7, xutOldGetSub(old), brand & 0xFF, product & 0xFF);
}

void xutUpgradeSensorIdents(CxhwSensor& sensor)
{
    int brand = 0;
    int product = 0;
    OldFamily(sensor.m_calib, brand, product);
    sensor.m_idCode = xutOldToNewIdent(sensor.m_idCode, brand, product);
    sensor.m_calib.m_ident = xutOldToNewIdent(sensor.m_calib.m_ident, brand, product);
    sensor.m_calib.m_index = xutOldToNewIndex(sensor.m_calib.m_index);
}

void xutUpgradeCalibIdents(CxhwSenCalib& calib)
{
    int brand = 0;
    int product = 0;
    OldFamily(calib, brand, product);
    calib.m_ident = xutOldToNewIdent(calib.m_ident, brand, product);
    calib.m_index = xutOldToNewIndex(calib.m_index);
}
