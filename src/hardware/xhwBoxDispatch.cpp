// The box operations that depend on the type of the connected logger: the
// per-type constants and the dispatch to each type's driver.
#include "hardware/xhwBox.h"

#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwComDriver.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwMivaDriver.h"
#include "hardware/xhwSerialModels.h"
#include "hardware/xhwSimulatedDriver.h"

#include <algorithm>
#include <wx/datetime.h>

namespace {

void ClearValues(int* values, int n)
{
    std::fill(values, values + n, 0);
}

} // namespace

bool CxhwBox::HasFeature(int feature) const
{
    if (m_info.m_hardware == BOX_TYPE_MIVA)
        return xhwMivaHasFeature(feature, m_info);
    return xhwIsFeatureSupported(feature, m_info.m_hardware, m_info.m_firmware);
}

bool CxhwBox::HasOutputFeature() const
{
    return HasFeature(13);
}

int CxhwBox::GetInputCount()
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_LUMIVASTA:
        return 6;
    case BOX_TYPE_MIVA:
        return xhwMivaGetMaxSensors(*this);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
    case BOX_TYPE_SIMULATED:
        return 4;
    default:
        return 3;
    }
}

double CxhwBox::GetTimingTickMicroseconds() const
{
    return xhwGetTimingTickMicroseconds(m_info.m_hardware);
}

bool CxhwBox::GetTimingMask(int& mask)
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_2:
    case BOX_TYPE_3:
    case BOX_TYPE_PARDOVINE:
        mask = 7;
        return true;
    case BOX_TYPE_TUNDRANE:
    case BOX_TYPE_ZEMBROW:
    case BOX_TYPE_CINDRALLY:
        return xhwComGetTimingMask(*this, mask);
    case BOX_TYPE_LUMIVASTA:
        mask = 63;
        return true;
    case BOX_TYPE_MIVA:
        return xhwMivaGetTimingMask(*this, mask);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_SIMULATED:
        mask = 15;
        return true;
    case BOX_TYPE_TUNDRANE2:
    case BOX_TYPE_TUNDRANE2_BOOT:
        mask = 1;
        return true;
    default:
        mask = 0;
        return true;
    }
}

int CxhwBox::GetTimingIdentify()
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_TUNDRANE2: return 1;
    case BOX_TYPE_TUNDRANE2_BOOT: return 2;
    case BOX_TYPE_SIMULATED: return 7;
    default: return xhwGetTimingIdentify(m_info, m_sensors, m_timingMask);
    }
}

int CxhwBox::GetPower()
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_2: return xhwType2GetPower(*this);
    case BOX_TYPE_3: return xhwType3GetPower(*this);
    case BOX_TYPE_PARDOVINE: return xhwPardovineGetPower(*this);
    case BOX_TYPE_TUNDRANE: return xhwTundraneGetPower(*this);
    case BOX_TYPE_LUMIVASTA: return xhwLumivastaGetPower(*this);
    case BOX_TYPE_ZEMBROW: return xhwZembrowGetPower(*this);
    case BOX_TYPE_CINDRALLY: return xhwCindrallyGetPower(*this);
    case BOX_TYPE_MIVA:
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2: return 103;
    case BOX_TYPE_KESTILON_BOOT:
    case BOX_TYPE_TUNDRANE2_BOOT: return 102;
    case BOX_TYPE_SIMULATED: return 60;
    default: return 0;
    }
}

int CxhwBox::GetPowerOf(int source)
{
    if (source != 1)
        return 0;
    const int type = m_info.m_hardware;
    if (type == BOX_TYPE_KESTILON_BOOT || type == BOX_TYPE_TUNDRANE2_BOOT)
        return 0;
    return GetPower();
}

int CxhwBox::GetOutputDeviceMask()
{
    if (m_info.m_hardware == BOX_TYPE_NONE)
        return 0;
    const int outputs = HasFeature(4) ? std::min(GetInputCount(), int(kInputs)) : 0;
    int mask = 0;
    for (int i = 0; i < outputs; ++i)
        if (m_sensors[i].m_enable && m_sensors[i].m_idCode == 136)
            mask |= 1 << i;
    return mask;
}

int CxhwBox::GetInputColourIndex(int boxType, int input, int range)
{
    if (boxType != m_info.m_hardware)
        return xhwGetInputColourIndex(boxType, input, range);
    if (boxType == BOX_TYPE_MIVA) {
        int colour = 0;
        xhwMivaGetInputColour(*this, colour, input, range);
        return colour;
    }
    return xhwGetConnectedInputColourIndex(boxType, input, range);
}

// ---- Host-polled sampling ------------------------------------------------

bool CxhwBox::StartPolling(int values[kInputs])
{
    ResetRunState(false);
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComStartPolling(*this, values);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStartPolling(*this, values);
    if (xhwIsCommandFamily(type))
        return xhwKestilonReadValues(*this, values);
    if (type == BOX_TYPE_SIMULATED)
        return xhwSimulatedReadValues(*this, values);
    return false;
}

bool CxhwBox::Poll(int values[kInputs])
{
    ClearValues(values, kInputs);
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComPoll(*this, values);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaPoll(*this, values);
    if (xhwIsCommandFamily(type))
        return xhwKestilonReadValues(*this, values);
    if (type == BOX_TYPE_SIMULATED)
        return xhwSimulatedReadValues(*this, values);
    return false;
}

bool CxhwBox::StopPolling()
{
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComStopPolling(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStopPolling(*this);
    return xhwIsCommandFamily(type) || type == BOX_TYPE_SIMULATED;
}

// ---- Streamed sampling ---------------------------------------------------

bool CxhwBox::StartStream(double period)
{
    ResetRunState(false);
    const int type = m_info.m_hardware;
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStartStream(*this, period);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStartStream(*this, period);
    return false;
}

bool CxhwBox::ReadStream(int* values, int& count, int max, int nextTime, int step)
{
    // At most 20 readings of six values fit the caller's buffer.
    max = std::clamp(max, 0, 20);
    ClearValues(values, kInputs);
    count = 0;
    const int type = m_info.m_hardware;
    bool ok = false;
    if (type == BOX_TYPE_MIVA)
        ok = xhwMivaReadStream(*this, values, count, max, nextTime, step);
    else if (xhwIsCommandFamily(type))
        ok = xhwKestilonReadStream(*this, values, count, max, nextTime, step);
    count = std::clamp(count, 0, max);
    return ok;
}

bool CxhwBox::StopStream()
{
    const int type = m_info.m_hardware;
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStopStream(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStopStream(*this);
    return false;
}

// ---- Set-up logging ------------------------------------------------------

bool CxhwBox::StartSetupLogging()
{
    ResetRunState(false);
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComStartSetupLogging(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStartSetupLogging(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStartSetupLogging(*this);
    return type == BOX_TYPE_SIMULATED;
}

bool CxhwBox::ReadSetupLogging(int values[kInputs], bool& got)
{
    ClearValues(values, kInputs);
    got = false;
    const int type = m_info.m_hardware;
    int count = 0;
    bool ok = false;
    if (xhwIsSerialFamily(type)) {
        ok = xhwComReadSetupLogging(*this, values, count);
    } else if (type == BOX_TYPE_MIVA) {
        ok = xhwMivaReadSetupLogging(*this, values, count);
    } else if (xhwIsCommandFamily(type)) {
        ok = xhwKestilonReadSetupLogging(*this, values, count);
    } else if (type == BOX_TYPE_SIMULATED) {
        ok = xhwSimulatedReadValues(*this, values);
        count = 1;
    }
    got = ok && count > 0;
    return ok;
}

bool CxhwBox::StopSetupLogging()
{
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComStopSetupLogging(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStopSetupLogging(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStopSetupLogging(*this);
    return false;
}

// ---- Oscilloscope --------------------------------------------------------

bool CxhwBox::StartScope()
{
    ResetRunState(false);
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComStartScope(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStartScope(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStartScope(*this);
    if (type == BOX_TYPE_SIMULATED)
        return xhwSimulatedStartScope(*this);
    return false;
}

bool CxhwBox::ReadScope(int* values, int& count)
{
    ClearValues(values, kInputs);
    count = 0;
    const int type = m_info.m_hardware;
    bool ok = false;
    if (xhwIsSerialFamily(type))
        ok = xhwComReadScope(*this, values, count);
    else if (type == BOX_TYPE_MIVA)
        ok = xhwMivaReadScope(*this, values, count);
    else if (xhwIsCommandFamily(type))
        ok = xhwKestilonReadScope(*this, values, count);
    else if (type == BOX_TYPE_SIMULATED)
        ok = xhwSimulatedReadScope(*this, values, count);
    count = std::clamp(count, 0, int(kScopeValues));
    return ok;
}

bool CxhwBox::CaptureScope()
{
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComCaptureScope(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaCaptureScope(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonCaptureScope(*this);
    if (type == BOX_TYPE_SIMULATED)
        return xhwSimulatedCaptureScope(*this);
    return false;
}

bool CxhwBox::StopScope()
{
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComStopScope(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStopScope(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStopScope(*this);
    return false;
}

// ---- Timing --------------------------------------------------------------

bool CxhwBox::StartTiming()
{
    int mask = 0;
    if (!GetTimingMask(mask))
        return false;
    m_timingMask = mask;
    m_timingIdentify = GetTimingIdentify();
    m_timing.Clear();
    switch (m_info.m_hardware) {
    case BOX_TYPE_2:
        return xhwType2StartTiming(*this);
    case BOX_TYPE_3:
    case BOX_TYPE_PARDOVINE:
    case BOX_TYPE_TUNDRANE:
    case BOX_TYPE_ZEMBROW:
    case BOX_TYPE_CINDRALLY:
        return xhwComStartTiming(*this);
    case BOX_TYPE_LUMIVASTA:
        return xhwLumivastaStartTiming(*this);
    case BOX_TYPE_MIVA:
        return xhwMivaStartTiming(*this);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        return xhwKestilonStartTiming(*this);
    case BOX_TYPE_SIMULATED:
        return xhwSimulatedStartTiming(*this);
    default:
        return false;
    }
}

bool CxhwBox::ReadTiming()
{
    const int type = m_info.m_hardware;
    if (type == BOX_TYPE_LUMIVASTA)
        return xhwLumivastaReadTiming(*this);
    if (xhwIsSerialFamily(type))
        return xhwComReadTiming(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaReadTiming(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonReadTiming(*this);
    if (type == BOX_TYPE_SIMULATED)
        return xhwSimulatedReadTiming(*this);
    return false;
}

bool CxhwBox::StopTiming()
{
    const int type = m_info.m_hardware;
    if (type == BOX_TYPE_LUMIVASTA)
        return xhwLumivastaStopTiming(*this);
    if (xhwIsSerialFamily(type))
        return xhwComStopTiming(*this);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaStopTiming(*this);
    if (xhwIsCommandFamily(type))
        return xhwKestilonStopTiming(*this);
    return false;
}

// ---- Outputs, name, clock, pH --------------------------------------------

bool CxhwBox::SetOutputs(int mask, bool force)
{
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComSetOutputs(*this, mask, force);
    if (type == BOX_TYPE_MIVA)
        return xhwMivaSetOutputs(*this, mask, force);
    if (xhwIsCommandFamily(type))
        return xhwKestilonSetOutputs(*this, mask, force);
    if (type == BOX_TYPE_SIMULATED) {
        if (force || mask != m_run.m_lastSentOutputs)
            m_run.m_lastSentOutputs = mask;
        return true;
    }
    return false;
}

void CxhwBox::ReadName(wxString& text, int& kind)
{
    kind = 0;
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        xhwComReadStamp(*this, text, kind);
    else if (xhwIsCommandFamily(type))
        xhwKestilonReadName(*this, text, kind);
}

int CxhwBox::WriteName(const wxString& text, int value, int& kind)
{
    kind = 0;
    const int type = m_info.m_hardware;
    if (xhwIsSerialFamily(type))
        return xhwComWriteStamp(*this, text, value, kind);
    if (xhwIsCommandFamily(type))
        return xhwKestilonWriteName(*this, text, kind);
    return 2;
}

int CxhwBox::SetClock(const wxDateTime& time)
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_2: return xhwType2SetClock(*this, time);
    case BOX_TYPE_PARDOVINE: return xhwPardovineSetClock(*this, time);
    case BOX_TYPE_TUNDRANE: return xhwTundraneSetClock(*this, time);
    case BOX_TYPE_LUMIVASTA: return xhwLumivastaSetClock(*this, time);
    case BOX_TYPE_ZEMBROW: return xhwZembrowSetClock(*this, time);
    default: return 2; // no clock
    }
}

int CxhwBox::CheckClock()
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_2: return xhwType2CheckClock(*this);
    case BOX_TYPE_PARDOVINE: return xhwPardovineCheckClock(*this);
    case BOX_TYPE_TUNDRANE: return xhwTundraneCheckClock(*this);
    case BOX_TYPE_LUMIVASTA: return xhwLumivastaCheckClock(*this);
    case BOX_TYPE_ZEMBROW: return xhwZembrowCheckClock(*this);
    default: return 2;
    }
}

int CxhwBox::CalibratePh(int input, float gain, float offset)
{
    if (xhwCanCalibratePh(m_info.m_hardware))
        return xhwMivaSetSensorRange(*this, input, gain, offset);
    return 2;
}

// ---- Stored files --------------------------------------------------------

int CxhwBox::GetStoredFileCount()
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_PARDOVINE:
    case BOX_TYPE_TUNDRANE:
        return xutComCountStoredFiles(*this);
    case BOX_TYPE_LUMIVASTA:
    case BOX_TYPE_ZEMBROW:
        return xhwLumivastaCountStoredFiles(*this);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        return xhwKestilonGetStoredFileCount(*this);
    default:
        return -1;
    }
}

int CxhwBox::GetStoredFileMask()
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_2:
        return xhwType2GetStoredFileMask(*this);
    case BOX_TYPE_PARDOVINE:
    case BOX_TYPE_TUNDRANE:
    case BOX_TYPE_ZEMBROW:
        return xutComGetStoredFileMask(*this);
    case BOX_TYPE_LUMIVASTA:
        return xhwLumivastaGetStoredFileMask(*this);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        return xhwKestilonGetStoredFileMask(*this);
    case BOX_TYPE_SIMULATED:
        return 11; // slots 0, 1 and 3
    default:
        return 0;
    }
}

int CxhwBox::ReadStoredFileHeader(int n, CxutFetchFile& file)
{
    switch (m_info.m_hardware) {
    case BOX_TYPE_PARDOVINE:
    case BOX_TYPE_TUNDRANE:
    case BOX_TYPE_ZEMBROW:
        return xutComReadFileInfo(*this, file, n);
    case BOX_TYPE_LUMIVASTA:
        return xhwLumivastaReadFileInfo(*this, file, n);
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        return xhwKestilonReadStoredFileHeader(*this, file, n);
    default:
        return 4;
    }
}

int CxhwBox::FetchFile(int n)
{
    m_fetch.ResetResult();
    int result = 4; // no stored files on this type
    switch (m_info.m_hardware) {
    case BOX_TYPE_2:
        result = xhwType2FetchFile(*this, n);
        break;
    case BOX_TYPE_PARDOVINE:
    case BOX_TYPE_TUNDRANE:
    case BOX_TYPE_ZEMBROW:
        result = xutComFetchFile(*this, n);
        break;
    case BOX_TYPE_LUMIVASTA:
        result = xhwLumivastaFetchFile(*this, n);
        break;
    case BOX_TYPE_KESTILON:
    case BOX_TYPE_TUNDRANE2:
        result = xhwKestilonFetchFile(*this, n);
        break;
    case BOX_TYPE_SIMULATED:
        result = xhwSimulatedFetchFile(*this, n);
        break;
    default:
        break;
    }
    m_fetch.SetResult(result);
    return result;
}
