#pragma once
#include "protocol/xutPktPort.h"
#include "transport/zxStopWatch.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CxhwSensorV;
class CxutPktDeviceSource;
class wxStopWatch;

// Up to six packet-protocol devices shown as one logger with six display
// channels. Devices may come and go: a scan opens new ones, drops vanished
// ones and gives their slots free channels; a channel that keeps its device
// and slot is never moved. Box thread only; the ports guard their own input.
class CxutPktCombo
{
public:
    static constexpr int kPorts = 6;
    static constexpr int kChannels = 6;

    CxutPktCombo();
    virtual ~CxutPktCombo();
    CxutPktCombo(const CxutPktCombo&) = delete;
    CxutPktCombo& operator=(const CxutPktCombo&) = delete;

    // The definition blocks of the six inputs (default: the sensor
    // database's), where new devices are found, and the run clock that
    // stamps streamed readings (default: the combo's own).
    void SetDefinitions(CxutSmartSenDefs* definitions);
    void SetDeviceSource(CxutPktDeviceSource* source) { m_source = source; }
    void SetRunClock(const wxStopWatch* clock) { m_runClock = clock; }
    int64_t GetRunClockMs() const;

    CxutPktPort& GetPort(int i) { return m_ports[i]; }
    int GetMode() const { return m_mode; }
    int GetRunFlag() const { return m_runFlag; }
    void SetRunFlag(int on) { m_runFlag = on ? 1 : 0; }
    int GetChannelPort(int channel) const { return m_channelPort[channel]; }
    int GetChannelSlot(int channel) const { return m_channelSlot[channel]; }
    int GetChannelFamily(int channel) const { return m_channelFamily[channel]; }

    void ResetPorts(std::vector<std::unique_ptr<CxutPktDevice>> devices);
    // The same with the devices the source finds now.
    void ResetPortsFromSource();
    bool OpenPorts();
    bool EnsureOpen();
    void ClosePorts();
    void ReleasePorts();
    bool IsAnyPortOpen();
    bool IsAnyPortBusy();
    bool WaitNotBusy(float seconds);
    void SyncDataCounters();
    bool WaitForData(float seconds);
    bool SendSettings(bool force);
    bool AllInMode(int mode);
    bool WaitForAcks(int mode, float seconds);
    bool SetMode(int mode, bool force, float seconds);

    int GetChannelCount() const;
    int GetLowestRelease() const;
    bool HasOldShortReportPort() const;
    bool HasNewShortReportPort() const;
    bool HasPacketPort() const;
    int GetCommonVersion() const;

    bool SetChannelMask(int mask, bool force);
    void ApplySensorSettings(const CxhwSensorV& records);
    void CheckSensorSettling(CxhwSensorV& records, const int* raw);
    bool ScanDevices();
    void ReassignChannels();
    bool UpdateSensors(CxhwSensorV& records);
    // Palette entry of a channel's colour family and shade.
    int GetChannelTableEntry(int channel, int shade) const;
    int SetSensorCalibration(int channel, CxhwSensor& record, float gain, float offset);

    bool StartStream(const CxhwSensorV& records);
    bool StopStream();
    // Up to max (at most 20) readings of six values from t at step s (ms).
    bool ReadSamples(int* out, int& n, int64_t t, int64_t s, int max = 20);
    bool ReadLiveValues(int values[6]);
    bool ResendAndWait(float seconds);

    bool StartTimingEvents();
    bool StopTimingEvents();
    // Interval since the previous event in µs and the six inputs' states.
    bool ReadTimingEvent(int64_t& time, int& mask, bool& got);

    bool StartFastSampling(int channel, int count, int periodUs, int trigger);
    bool StartScope(int channel, int count, int periodUs, int trigger);
    // One sample of the channel into values[channel].
    bool ReadFastSample(int channel, int values[6], bool& got);
    bool ReadScope(int channel, int* values, int& n, int max);

private:
    void CloseAll();
    void AssignFamilies();
    int LeastUsed(const std::vector<int>& list) const;
    static int ToMs(float seconds);

    CxutPktPort m_ports[kPorts];
    int m_channelPort[kChannels];
    int m_channelSlot[kChannels];
    int m_channelFamily[kChannels];
    int m_channelHeld[kChannels];
    int m_portFamily[kPorts];
    CzxStopWatch m_intervalWatch;
    CzxStopWatch m_ownClock;
    const wxStopWatch* m_runClock = nullptr;
    CxutPktDeviceSource* m_source = nullptr;
    bool m_timingStartPending = true;
    int m_lastEventPort = 0;
    int m_inputState = 0;
    // Read by the ports' input threads while they build frames.
    std::atomic<int> m_mode{0};
    int m_channelMask = 0;
    std::atomic<int> m_runFlag{0};
};
