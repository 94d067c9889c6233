#pragma once

class CxhwSensor;
class CxhwSenCalib;

// Smart-sensor numbers have bit 24 set. An ident holds the sub-channel
// (bits 0-2), the logger input (3-5), the brand (8-15) and the product
// (16-23); an index holds sub-channel and input the same way, the range
// (8-11) and the bank (12). Anything below 0x1000000 is a classic number.
constexpr int XUT_SMART_BASE = 0x1000000;

int xutMakeSmartIdent(int input, int sub, int brand, int product);
int xutMakeSmartIdentBank(int input, int sub, int bank, int range);
// Each getter gives -1 for a classic number.
int xutGetSmartIdentInput(int v);
int xutGetSmartIdentSub(int v);
int xutGetSmartIdentByte1(int v);
int xutGetSmartIdentByte2(int v);
int xutGetSmartIdentBank(int v);
int xutGetSmartIdentRange(int v);
// Calibration type of a smart range kind ("PostProc").
int xutGetKindCalType(int kind);

// Values stored as 16-bit codes by the definition blocks and the logger.
int xutMakeSigned16(int low, int high);
float xutApplyDecimalCode(int v, int code);
int xutGainToCode(float gain);
float xutCodeToGain(int g);
float xutBytesToGain(int low, int high);
int xutOffsetToCode(int code, float offset);
float xutCodeToOffset(int c, int code);
float xutBytesToOffset(int low, int high, int code);
int xutValueToInt(int code, float v);
int xutValueToCode(int code, float v);
float xutCodeToValue(int c, int code);
float xutBytesToValue(int low, int high, int code);
int xutCodeToInt16(int c);
int xutInt16ToCode(int v);

// Smart numbers of older data files: 256 + input × 256 + sub × 32 +
// bank × 16 + range. Numbers below 256 are classic and stay as they are.
int xutOldGetInput(int old);
int xutOldGetSub(int old);
int xutOldGetBank(int old);
int xutOldGetRange(int old);
int xutOldToNewIndex(int old);
int xutOldToNewIdent(int old, int brand, int product);
void xutUpgradeSensorIdents(CxhwSensor& sensor);
void xutUpgradeCalibIdents(CxhwSenCalib& calib);
