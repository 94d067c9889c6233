#pragma once
#include "transport/zxCom.h"

#include <cstdint>

class CxutBoxInfo;

// Command bytes of the loggers' byte protocol (host to logger).
enum
{
    LOGGER_CMD_GET_ID = 1,
    LOGGER_CMD_GET_VERSION = 2,
    LOGGER_CMD_GET_BOOT_ID = 3,
    LOGGER_CMD_GET_SENSOR_ID = 4,
    LOGGER_CMD_GET_FLAGS = 9,
    LOGGER_CMD_STATUS = 13,
    LOGGER_CMD_RESET = 14,
    LOGGER_CMD_SWITCH = 0x17,
    LOGGER_CMD_SWITCH_SECOND = 0x40,
};

// Status replies: 36 and 37 both mean present; 38 the bootstrap loader runs.
enum
{
    LOGGER_STATUS_PRESENT = 36,
    LOGGER_STATUS_READY = 37,
    LOGGER_STATUS_BOOTSTRAP = 38,
};

// The host side of the byte command protocol on every link CzxCom reaches
// (serial, RFCOMM, the USB byte stream): one command, then a reply of known
// length within a time-out. Box thread only; holds no lock of its own.
class CxutCom : public CzxCom
{
public:
    CxutCom();
    ~CxutCom() override;

    // Identifies the logger into info. The output mask (bits 0 to 3) goes
    // out with the accessory probe of the loggers that have one.
    bool ReadBoxInfo(CxutBoxInfo& info, bool drain, bool slowDrain, int outputMask);
    bool RequestStatus(int* status);
    bool RequestId(bool& bootstrap, int& id, float& version);
    bool ReadVersion(int& id, float& version);
    // The status byte in any of its three framings; status may be null.
    bool ReadStatusReply(int* status);
    // Discards what the logger still sends; false when it would not stop.
    bool DrainInput(bool slow);
    bool ReadBusyFlag(int boxType, bool& busy, float version);
    // Inputs 0 to min(count, 6) - 1; every entry not read is 0.
    bool ReadSensorIds(int count, int32_t idCode[6], int32_t idType[6]);
    bool ReadSensorId(int input, int count, int32_t& idCode, int32_t& idType);
    // The output-switching accessory's reply (0 to 255), -1 when none came.
    int SendSwitch(int mask);
};

// Box type of an ID byte on the byte links; the version parts family 1.
int32_t xutComGetBoxTypeFromId(int id, float version);
// Model code and Compatible of info's box type, firmware and revision; false
// when the firmware lies in neither band of its type.
bool xutGetModelCode(CxutBoxInfo& info);
// The third byte of the switch command for an output mask.
uint8_t xutComSwitchByte(int mask);
