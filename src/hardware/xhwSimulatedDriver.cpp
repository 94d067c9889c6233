#include "hardware/xhwSimulatedDriver.h"

#include "app/base/gumHelpers.h"
#include "app/base/gumResCore.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwStoredFileList.h"
#include "protocol/xhwSystemInstall.h"
#include "protocol/xutFetchHeader.h"
#include "transport/zxTime.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <random>

// Everything here is computed in double or 64-bit integers: the simulated
// clock runs for days in microseconds, and random numbers reach 2^31 - 1.

namespace {

std::atomic<bool> g_linkBroken{false};
std::atomic<int64_t> g_polls{0};

constexpr double kRandomMax = 2147483647.0;
constexpr int kFullScale = 0xFFFF;
constexpr int kScopeArm = 32000;
constexpr int kTimingStepMs = 125;
constexpr int kTimingCycle = 31;

// The simulated clock: runs from the first use, for the whole program.
const CzxStopWatch& SimulatedClock()
{
    static const CzxStopWatch clock;
    return clock;
}

// Each thread draws from its own generator, so that a fetch seeded with 0
// gives the same values whoever else draws meanwhile.
std::mt19937& Generator()
{
    thread_local std::mt19937 generator(1);
    return generator;
}

// The oscilloscope's program-wide state; used by the box thread only.
struct SimulatedScope
{
    int64_t m_position = 0; // microseconds since the scope started
    int64_t m_startMs = 0;
    bool m_armed = false;
    int m_captured = 0;
    int m_previous = 0;
};

SimulatedScope& Scope()
{
    static SimulatedScope scope;
    return scope;
}

void GenerateTiming(int64_t microseconds, int values[6])
{
    const int64_t step = (microseconds / 125000) % kTimingCycle;
    if (step < 5)
        return;
    const int r1 = xhwSimulatedRandom() % 5 + 10;
    if (step < r1) {
        values[0] = kFullScale;
        return;
    }
    if (step < 20)
        return;
    const int r2 = xhwSimulatedRandom() % 5 + 25;
    if (step < r2)
        values[1] = kFullScale;
    else
        values[2] = kFullScale;
}

int ScopeValue(CxhwBox& box, int64_t microseconds)
{
    int values[6];
    xhwSimulatedGenerate(box.GetActivity(), microseconds, values);
    const int input = box.m_run.m_scopeInput;
    return input >= 0 && input < 6 ? values[input] : 0;
}

// The rate row of the scope setting gives the sample spacing and the length of
// a trace; the trigger is disarmed.
bool SetUpCapture(CxhwBox& box, bool rereadSetting)
{
    if (rereadSetting && box.GetManager())
        box.m_scopeRateIndex = box.GetManager()->GetScopeSetting();
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    CxutRateTable table;
    info.GetScopeRates(table);
    if (table.m_count <= 0)
        return false;
    const int row = std::clamp(box.m_scopeRateIndex, 0, int(table.m_count) - 1);
    const int steps = std::clamp(int(table.m_rows[row].m_period / 50), 1, 200);
    box.m_run.m_deviceInterval = steps * 0.00005;
    box.m_run.m_deviceIntervalUs = steps * 50;
    box.m_run.m_readingsToTake = table.m_rows[row].m_readings;
    SimulatedScope& scope = Scope();
    scope.m_armed = false;
    scope.m_captured = 0;
    scope.m_previous = ScopeValue(box, scope.m_position);
    return true;
}

void SensorIds(int activity, CxhwSensorV& ids)
{
    static const int kRun[4][2] = {{9, 7}, {8, 7}, {1, 7}, {19, 7}};
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        ids[i].m_idCode = 0;
        ids[i].m_idType = 0;
    }
    for (int i = 0; i < 4; ++i) {
        if (activity == 4) {
            ids[i].m_idCode = i < 3 ? 17 : 0;
            ids[i].m_idType = i < 3 ? 131 : 0;
        } else {
            ids[i].m_idCode = kRun[i][0];
            ids[i].m_idType = kRun[i][1];
        }
    }
}

} // namespace

void xhwSimulatedSetLinkBroken(bool broken)
{
    g_linkBroken = broken;
}

int64_t xhwSimulatedPollCount()
{
    return g_polls;
}

int32_t xhwSimulatedRandom()
{
    return int32_t(Generator()() >> 1);
}

void xhwSimulatedSeed(uint32_t seed)
{
    Generator().seed(seed);
}

int64_t xhwSimulatedNow()
{
    return zxWatchTime(SimulatedClock()) * 1000;
}

void xhwSimulatedGenerate(int activity, int64_t microseconds, int values[6])
{
    std::fill(values, values + 6, 0);
    if (activity == 4) {
        GenerateTiming(microseconds, values);
        return;
    }
    const double t = double(microseconds);
    const double m = t / 1000.0;
    values[1] = int(std::sin(m / 1000.0) * 25000.0 + 32000.0);
    values[2] = int(std::fmod(20.0 * m, 40000.0) + 20000.0);
    const double amplitude = (xhwSimulatedRandom() % 10) / 10.0 + 0.5;
    const double ripple = xhwSimulatedRandom() % 4 + 4;
    values[3] = int(std::sin(m / 5000.0) * amplitude * 6616.0 + 13232.0
                    + std::sin(m / 50.0) * 6616.0 / ripple);
    const double p = std::fmod(m, 50000.0);
    if (int64_t(std::floor(p / 1000.0)) % 10 == 0)
        values[0] = 32768;
    else
        values[0] = int(std::sin(t / (std::sqrt(p / 2000.0) * 1000.0 + 1000.0)) * 26000.0 + 32768.0);
}

bool xhwSimulatedCheck(CxhwBox& box, bool first, wxString& stamp, int& power, int values[6])
{
    (void)power; // the check leaves the caller's power as it was preset
    if (g_linkBroken)
        return false;
    stamp.clear();
    CxhwSensorV ids;
    SensorIds(box.GetActivity(), ids);
    {
        wxMutexLocker lock(box.m_sampleMutex);
        box.m_sensors.UpdateIds(ids);
    }
    box.m_ticksPerSecond = 1000000.0 / kSimulatedTickMicroseconds;
    int mask = 0;
    box.GetTimingMask(mask);
    box.m_timingMask = mask;
    box.m_timingIdentify = 7;
    xhwSimulatedReadValues(box, values);

    CxutBoxRequest pending;
    box.GetRequest(pending);
    switch (pending.m_code) {
    case BOX_REQUEST_SET_NAME:
        box.ServeNameRequest();
        break;
    case BOX_REQUEST_SET_CLOCK:
        box.ServeClockRequest();
        break;
    case BOX_REQUEST_LIST_FILES:
        zxBoxFetchFileList(box);
        break;
    case BOX_REQUEST_INSTALL_SYSTEM:
        xhwStartSystemInstall(box);
        return false;
    default:
        if (first) {
            int kind = 0;
            box.ReadName(stamp, kind);
        }
        break;
    }
    return true;
}

bool xhwSimulatedReadValues(CxhwBox& box, int values[6])
{
    ++g_polls;
    xhwSimulatedGenerate(box.GetActivity(), xhwSimulatedNow(), values);
    return !g_linkBroken;
}

// ---- Oscilloscope --------------------------------------------------------

bool xhwSimulatedStartScope(CxhwBox& box)
{
    box.m_run.m_scopeMode = true;
    box.m_run.m_multiInput = false;
    CxutBoxPublicInfo info;
    box.GetPublicInfo(info);
    const int input = info.FindScopeInput(false, 0);
    if (input < 0 || input >= CxhwBox::kInputs)
        return false; // no input can feed the trace
    box.m_run.m_scopeInput = input;
    if (box.GetManager())
        box.m_scopeRateIndex = box.GetManager()->GetScopeSetting();
    SimulatedScope& scope = Scope();
    scope.m_startMs = zxWatchTime(SimulatedClock());
    scope.m_position = 0;
    return SetUpCapture(box, false);
}

bool xhwSimulatedCaptureScope(CxhwBox& box)
{
    return SetUpCapture(box, true);
}

bool xhwSimulatedReadScope(CxhwBox& box, int* values, int& count)
{
    ++g_polls;
    count = 0;
    if (g_linkBroken)
        return false;
    SimulatedScope& scope = Scope();
    const int64_t interval = std::max(box.m_run.m_deviceIntervalUs, 1);
    const int toTake = int(box.m_run.m_readingsToTake);
    const int64_t elapsed = zxTimeDiff(zxWatchTime(SimulatedClock()), scope.m_startMs);
    const int64_t due = (elapsed * 1000 - scope.m_position) / interval + 1;
    const int64_t n = std::max<int64_t>(0, std::min<int64_t>({due, toTake, 1001}));
    for (int64_t j = 0; j < n; ++j) {
        const int value = ScopeValue(box, scope.m_position + j * interval);
        if (!scope.m_armed && value >= kScopeArm && scope.m_previous < kScopeArm) {
            scope.m_armed = true;
            scope.m_captured = 0;
        }
        if (scope.m_armed && scope.m_captured < toTake) {
            values[count++] = value;
            if (++scope.m_captured >= toTake)
                scope.m_armed = false;
        }
        scope.m_previous = value;
    }
    scope.m_position += n * interval;
    if (scope.m_position > 1000000000) {
        scope.m_position -= 1000000000;
        scope.m_startMs = zxWrapTime(scope.m_startMs + 1000000);
    }
    return true;
}

// ---- Timing --------------------------------------------------------------

bool xhwSimulatedStartTiming(CxhwBox& box)
{
    box.m_watch1.Start(0);
    box.m_simStep = 0;
    box.m_simLastStep = zxWrapTime(zxWatchTime(box.m_watch1) - kTimingStepMs);
    return true;
}

bool xhwSimulatedReadTiming(CxhwBox& box)
{
    ++g_polls;
    if (g_linkBroken)
        return false;
    const int64_t now = zxWatchTime(box.m_watch1);
    if (zxTimeDiff(now, box.m_simLastStep) < kTimingStepMs)
        return true;
    box.m_simLastStep = now;
    const int k = box.m_simStep++;

    CxutTimerStatus status = box.m_timing.GetStatus();
    CxutTimerEvent event;
    event.States = status.States;
    if (k == 0) {
        event.Ticks = 1;
        event.States = 0;
    } else {
        event.Ticks = uint64_t(xhwSimulatedRandom() * 8160.0 / kRandomMax);
        switch ((k + 1) % kTimingCycle) {
        case 10: event.States = 1; break;
        case 18:
        case 23: event.States = 0; break;
        case 21: event.States = 2; break;
        default: break;
        }
    }
    if (event.States == status.States) {
        // The running ticks count in the logger's own ticks, as the timing
        // reader divides them by the ticks per second.
        const int64_t wholeMs = box.m_watch1.TimeInMicro().GetValue() / 1000;
        status.Ticks = uint64_t(double(wholeMs) * 1000.0 / kSimulatedTickMicroseconds);
        return box.m_timing.Put(status, nullptr, 0);
    }
    // The watch restarts at the event, and the step just made is its origin,
    // so that the steps stay 125 ms apart.
    box.m_watch1.Start(0);
    box.m_simLastStep = 0;
    status.Ticks = 0;
    status.States = event.States;
    return box.m_timing.Put(status, &event, 1);
}

// ---- Stored file ---------------------------------------------------------

int xhwSimulatedFetchFile(CxhwBox& box, int)
{
    CxutFetchHeader header;
    header.m_date = 0;
    header.m_time = 0;
    header.m_kind = 3;
    header.m_readings = 9;
    header.m_interval = 0.0;
    header.m_duration = 0.0;
    header.m_docName = gumGetString(804);
    header.m_title = gumGetString(805) + gumGetNewLine() + gumGetNewLine() + gumGetString(806);
    CxhwSensorV ids;
    for (int i = 0; i < CxhwSensorV::kCount; ++i) {
        ids[i].m_idCode = i == 0 ? 69 : 0;
        ids[i].m_idType = i == 0 ? 7 : 0;
    }
    header.m_sensors.UpdateIds(ids);
    header.m_sensors.AssignAll();

    box.m_samples.Clear();
    box.m_fetch.SetHeader(header);

    xhwSimulatedSeed(0);
    for (int i = 0; i < header.m_readings; ++i) {
        if (box.GetState() != BOX_STATE_FETCH)
            return 1;
        float row[6];
        row[0] = float(xhwSimulatedRandom() * 80.0 / kRandomMax + 10.0);
        for (int j = 1; j < 6; ++j)
            row[j] = -987654.0f;
        box.PutStoredData(row, 6);
    }
    return 0;
}
