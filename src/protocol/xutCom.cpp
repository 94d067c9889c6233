#include "protocol/xutCom.h"

#include "app/base/gumHelpers.h"
#include "hardware/xhwBoxTypes.h"
#include "protocol/xutBoxInfo.h"
#include "transport/zxStopWatch.h"

#include <wx/utils.h>

namespace {

// A logger that goes on sending for longer than this is not drained.
constexpr long long kDrainLimitUs = 3000999;
// After a reset, a type 6 logger is asked for its ready bits for at most this
// long, so that one that keeps answering "not ready" cannot hold the thread.
constexpr long kReadyLimitMs = 5000;
constexpr unsigned long kReadyPollMs = 10;

bool IsDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

bool InBand(int hundredths, int low, int high)
{
    return hundredths >= low && hundredths <= high;
}

} // namespace

CxutCom::CxutCom() = default;

CxutCom::~CxutCom() = default;

bool CxutCom::ReadStatusReply(int* status)
{
    const int first = ReadByte(0.3f);
    if (first < 0)
        return false;
    int value = -1;
    if (first >= LOGGER_STATUS_PRESENT && first <= LOGGER_STATUS_BOOTSTRAP) {
        value = first;
    } else if (first == 13) {
        uint8_t bytes[2];
        if (!Read(2, bytes, 0.5f) || bytes[0] != 10)
            return false;
        value = bytes[1];
        if (value == 13) {
            if (!Read(2, bytes, 0.5f) || bytes[0] != 10)
                return false;
            value = bytes[1];
        }
    } else if (first == 0) {
        uint8_t bytes[3];
        if (!Read(3, bytes, 0.5f) || bytes[0] != 13 || bytes[1] != 10)
            return false;
        value = bytes[2];
    } else {
        return false;
    }
    if (value < LOGGER_STATUS_PRESENT || value > LOGGER_STATUS_BOOTSTRAP)
        return false;
    // Anything already behind the status means the reply was not one.
    if (GetRXCount() > 0)
        return false;
    if (status)
        *status = value;
    return true;
}

bool CxutCom::RequestStatus(int* status)
{
    WriteByte(LOGGER_CMD_STATUS);
    return ReadStatusReply(status);
}

bool CxutCom::ReadVersion(int& id, float& version)
{
    WriteByte(LOGGER_CMD_GET_ID);
    const int got = ReadByte(0.5f);
    if (got < 0)
        return false;
    WriteByte(LOGGER_CMD_GET_VERSION);
    uint8_t text[4];
    if (!Read(4, text, 1.0f))
        return false;
    if (!IsDigit(text[0]) || text[1] != '.' || !IsDigit(text[2]) || !IsDigit(text[3]))
        return false;
    double value = 0.0;
    if (!gumStringToDouble(wxString(reinterpret_cast<const char*>(text), 4), &value))
        return false;
    id = got;
    version = float(value);
    return true;
}

bool CxutCom::RequestId(bool& bootstrap, int& id, float& version)
{
    int status = 0;
    if (!RequestStatus(&status))
        return false;
    if (status != LOGGER_STATUS_BOOTSTRAP) {
        bootstrap = false;
        return ReadVersion(id, version);
    }
    ReadByte(0.2f); // the bootstrap loader sends one more byte, or none
    WriteByte(LOGGER_CMD_GET_BOOT_ID);
    const int got = ReadByte(1.9f);
    if (got < 0)
        return false;
    bootstrap = true;
    id = got;
    version = 0.0f;
    return true;
}

bool CxutCom::DrainInput(bool slow)
{
    const float each = slow ? 0.3f : 0.02f;
    CzxStopWatch watch;
    for (;;) {
        if (ReadByteStrict(each) < 0)
            return true;
        if (watch.TimeInMicro().GetValue() > kDrainLimitUs)
            return false;
    }
}

bool CxutCom::ReadBusyFlag(int boxType, bool& busy, float version)
{
    busy = false;
    const int v = xhwFirmwareHundredths(version);
    if (boxType == BOX_TYPE_ZEMBROW) {
        WriteByte(LOGGER_CMD_GET_FLAGS);
        const int flags = ReadByte(0.5f);
        if (flags < 0)
            return false;
        busy = (flags & 0x08) != 0;
        return true;
    }
    if (boxType != BOX_TYPE_LUMIVASTA || (v > 99 && v < 105))
        return true;

    WriteByte(LOGGER_CMD_GET_FLAGS);
    int flags = ReadByte(0.5f);
    if (flags < 0)
        return false;
    if (flags & 0x08) {
        busy = true;
        return true;
    }
    if (flags & 0x01)
        return true;

    // Not ready: restart it, let it finish talking, then wait for both ready
    // bits. Giving up on the wait is not a failure, as with no reply.
    WriteByte(LOGGER_CMD_RESET);
    WriteByte(LOGGER_CMD_GET_ID);
    CzxStopWatch watch;
    while (ReadByte(0.5f) >= 0)
        if (watch.TimeInMicro().GetValue() > kDrainLimitUs)
            return true;
    watch.Start(0);
    for (;;) {
        WriteByte(LOGGER_CMD_GET_FLAGS);
        flags = ReadByte(0.5f);
        if (flags < 0 || (flags & 0x03) == 0x03)
            return true;
        if (watch.Time() >= kReadyLimitMs)
            return true;
        wxMilliSleep(kReadyPollMs);
    }
}

bool CxutCom::ReadBoxInfo(CxutBoxInfo& info, bool drain, bool slowDrain, int outputMask)
{
    info.Clear();
    info.ClearBootstrap();
    if (drain)
        DrainInput(slowDrain);

    bool bootstrap = false;
    int id = 0;
    float version = 0.0f;
    if (!RequestId(bootstrap, id, version))
        return false;
    info.m_bootstrapFlag = bootstrap;
    info.m_hardware = xutComGetBoxTypeFromId(id, version);
    info.m_maxSensors = xutGetMaxSensors(info.m_hardware);
    info.m_bootstrapFamily = id / 8;
    info.m_bootstrapRevision = id % 8;
    info.m_firmware = version;
    if (bootstrap)
        return true;

    if (!xutGetModelCode(info))
        return false;

    info.m_varnok = false;
    const int type = info.m_hardware;
    if (type == BOX_TYPE_2 || type == BOX_TYPE_3 || type == BOX_TYPE_PARDOVINE) {
        const int reply = SendSwitch(outputMask);
        if (reply < 0)
            return false;
        info.m_varnok = reply == 0;
    }

    bool busy = false;
    if (!ReadBusyFlag(type, busy, version))
        return false;
    info.m_loggerBusy = busy;
    return true;
}

bool CxutCom::ReadSensorId(int input, int count, int32_t& idCode, int32_t& idType)
{
    idCode = 0;
    idType = 0;
    if (input < 0 || input > 5 || input >= count)
        return true;
    const uint8_t command[2] = {LOGGER_CMD_GET_SENSOR_ID, uint8_t(input)};
    Write(2, command);
    const int code = ReadByte(1.1f);
    if (code < 0)
        return false;
    const int type = ReadByte(0.5f);
    if (type < 0)
        return false;
    idCode = code;
    idType = type;
    return true;
}

bool CxutCom::ReadSensorIds(int count, int32_t idCode[6], int32_t idType[6])
{
    for (int i = 0; i < 6; ++i) {
        idCode[i] = 0;
        idType[i] = 0;
    }
    for (int i = 0; i < count && i <= 5; ++i)
        if (!ReadSensorId(i, count, idCode[i], idType[i]))
            return false;
    return true;
}

int CxutCom::SendSwitch(int mask)
{
    const uint8_t command[3] = {LOGGER_CMD_SWITCH, LOGGER_CMD_SWITCH_SECOND, xutComSwitchByte(mask)};
    Write(3, command);
    return ReadByte(0.5f);
}

uint8_t xutComSwitchByte(int mask)
{
    int m = mask < 0 ? 0 : mask & 0x0F;
    if (m > 7)
        m |= 0x10;
    return uint8_t(~m & 0xFF);
}

int32_t xutComGetBoxTypeFromId(int id, float version)
{
    if (id < 0 || id > 255)
        return BOX_TYPE_UNKNOWN;
    switch (id / 8) {
    case 0:
        return BOX_TYPE_2;
    case 1:
        return xhwFirmwareHundredths(version) < 200 ? BOX_TYPE_3 : BOX_TYPE_PARDOVINE;
    case 3:
        return BOX_TYPE_TUNDRANE;
    case 4:
        return BOX_TYPE_LUMIVASTA;
    case 5:
        return BOX_TYPE_ZEMBROW;
    case 6:
        return BOX_TYPE_CINDRALLY;
    case 8:
        return id <= 68 ? BOX_TYPE_KESTILON : BOX_TYPE_TUNDRANE2;
    case 9:
        return BOX_TYPE_TUNDRANE2;
    default:
        return BOX_TYPE_UNKNOWN;
    }
}

bool xutGetModelCode(CxutBoxInfo& info)
{
    const int v = xhwFirmwareHundredths(info.m_firmware);
    bool ok = false;
    bool compatible = false;
    wxString model;
    switch (info.m_hardware) {
    case BOX_TYPE_2:
        ok = InBand(v, 100, 299);
        compatible = InBand(v, 150, 199) || InBand(v, 250, 299);
        break;
    case BOX_TYPE_3:
    case BOX_TYPE_TUNDRANE:
        ok = InBand(v, 100, 199);
        compatible = InBand(v, 130, 199);
        break;
    case BOX_TYPE_PARDOVINE:
        ok = InBand(v, 200, 299);
        compatible = InBand(v, 230, 299);
        model = "1000";
        break;
    case BOX_TYPE_LUMIVASTA:
        ok = InBand(v, 1, 199);
        compatible = InBand(v, 130, 199);
        // Named by revision even when the version fits no band.
        info.m_model = info.m_bootstrapRevision == 0 ? "CX" : info.m_bootstrapRevision == 1 ? "BX" : "xx";
        model = info.m_model;
        break;
    case BOX_TYPE_ZEMBROW:
        ok = InBand(v, 0, 199);
        compatible = InBand(v, 130, 199);
        model = "SX";
        break;
    case BOX_TYPE_CINDRALLY:
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        ok = InBand(v, 0, 199);
        compatible = InBand(v, 130, 199);
        break;
    default:
        break;
    }
    if (!ok)
        return false;
    info.m_model = model;
    info.m_compatible = compatible;
    return true;
}
