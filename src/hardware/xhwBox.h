#pragma once
#include "hardware/xhwSampleFIFO.h"
#include "hardware/xhwSensor.h"
#include "hardware/xhwStoredFIFO.h"
#include "hardware/xutTimerFIFO.h"
#include "protocol/xhwSystemImage.h"
#include "protocol/xutCom.h"
#include "protocol/xutBoxInfo.h"
#include "protocol/xutBoxPublicInfo.h"
#include "protocol/xutBoxRequest.h"
#include "protocol/xutFetch.h"
#include "protocol/xutXLogger.h"
#include "transport/zxStopWatch.h"
#include "transport/zxThread.h"

#include <atomic>
#include <memory>
#include <cstdint>
#include <wx/string.h>

class CxhwBoxes;
class CxutPktCombo;
class CxutFetchFile;
class wxDateTime;

// Box states; 0 idle, 1 stop and 2 pause are the thread base's own.
enum
{
    BOX_STATE_RESET = 3,
    BOX_STATE_READY = 4,
    BOX_STATE_SEARCH = 5,
    BOX_STATE_CONNECT = 6,
    BOX_STATE_MONITOR = 7,
    BOX_STATE_SAMPLING = 8,
    BOX_STATE_SETUP_LOGGING = 9,
    BOX_STATE_TIMING = 10,
    BOX_STATE_SCOPE = 11,
    BOX_STATE_FETCH = 12,
    BOX_STATE_CLOSE = 13,
};

// What the drivers keep while an operation runs.
struct CxhwBoxRunState
{
    bool m_multiInput = false;
    // The three mode flags are also read by the manager thread. The logger
    // samples on its own (the box thread paces the readings), set-up logging,
    // scope mode.
    std::atomic<bool> m_fastPolling{false};
    std::atomic<bool> m_setupLogging{false};
    std::atomic<bool> m_scopeMode{false};
    int m_lastInput = 0;
    int m_scopeInput = 0;
    int m_samplesPerFrame = 0;
    double m_deviceInterval = 0.01;
    int m_deviceIntervalUs = 10000;
    double m_readingsToTake = 0.0;
    double m_received = 0.0;
    // -1: nothing sent yet, so the next mask is always sent.
    int m_lastSentOutputs = -1;
    // When the serial family's last keep-alive zero went out (ms, wrapped).
    int64_t m_heartbeat = 0;
};

// The connected logger: its link, what the box thread learnt of it (the
// working state) and the published copy of that, the queues through which
// readings leave it and the request slot. Its thread manager runs the box
// thread; the base's mutex is the box mutex.
class CxhwBox : public CzxThreadMgr
{
public:
    static constexpr int kInputs = 6;
    // Room a driver may fill in one scope read.
    static constexpr int kScopeValues = 1002;

    CxhwBox();
    ~CxhwBox() override;

    bool Start(CzxThread* thread, int priority) override;

    void SetManager(CxhwBoxes* manager) { m_manager = manager; }
    CxhwBoxes* GetManager() const { return m_manager; }

    // Publication (box mutex).
    bool Publish();
    bool GetPublicInfo(CxutBoxPublicInfo& out);
    void SetSensorCalibration(int input, int calibIndex, int calType);
    void SetSensorEnable(int input, bool enable);
    void SetRequestedOutputs(int mask);
    int GetRequestedOutputs();
    // The document's Activity, handed over by the manager, so that the box
    // thread never reads the document itself.
    void SetActivity(int activity);
    int GetActivity();

    // Raw readings of the working sensors (sample mutex).
    void SetRawValues(const int values[kInputs]);
    void TakeRawValues(int values[kInputs], bool reset);
    bool PushHostSample(int count, bool reset);

    // Queues (each queue's own mutex).
    bool PutSamples(const int* values, uint32_t n);
    bool PutStoredData(const float* values, uint32_t n);
    bool GetSamples(int* destination, uint32_t n);
    bool GetStoredData(float* destination, uint32_t n);
    int GetSampleCount();
    int GetSamplesUpTo(int* destination, uint32_t n);
    uint32_t GetTimingEvents(CxutTimerStatus& status, CxutTimerEvent* events, uint32_t max);
    void ClearQueues();

    // Pending scope captures (box mutex).
    void AddScopeRequest();
    void TakeScopeRequest();
    bool IsScopePending();

    // The request slot (box mutex). A new request replaces an unserved one.
    // Returns the serial number of a newly posted request. A record with code
    // 0 is the box thread's answer: it counts only for the request the box
    // thread took with BeginRequest, so an answer never lands on a request
    // posted or withdrawn in the meantime.
    uint64_t SetRequest(const CxutBoxRequest& request);
    void GetRequest(CxutBoxRequest& request);
    // Box thread: takes the pending request for serving. False when there is
    // none or the poster has withdrawn it; afterwards it can no longer be
    // withdrawn.
    bool BeginRequest(CxutBoxRequest& request);
    // Box thread: stores the served request back, code 0 and its answer.
    void EndRequest(const CxutBoxRequest& request);
    // Box thread: stores the answer of the request it serves while it goes on
    // serving it (the code stays).
    void AnswerRequest(const CxutBoxRequest& request);
    // Box thread: the slot becomes an empty request (the link was reset).
    void ClearRequest();
    // Poster: withdraws its timed-out request when the box thread has not
    // begun it; true when withdrawn.
    bool WithdrawRequest(uint64_t serial);

    // Serving of requests by the box thread.
    void ServeNameRequest();
    void ServeClockRequest();
    void ServePhRequest();

    void PumpBluetooth();
    // The link needs the main thread to serve its Bluetooth RFCOMM work.
    bool IsRfcommLink() const;
    void SwitchOutputsOff();
    void ResetRunState(bool clearCaptures);
    void ResetOutputMask() { m_run.m_lastSentOutputs = -1; }

    // True for the loggers that stream or time their readings themselves:
    // no host clock runs for them. The published identity, for the manager.
    bool PublishedStreamsOwnReadings();
    bool AnyModeFlag() const;

    // Per-type constants and dispatch of every logger operation.
    bool HasFeature(int feature) const;
    bool HasOutputFeature() const;
    int GetInputCount();
    double GetTimingTickMicroseconds() const;
    bool GetTimingMask(int& mask);
    int GetTimingIdentify();
    int GetPower();
    int GetPowerOf(int source);
    int GetOutputDeviceMask();
    int GetInputColourIndex(int boxType, int input, int range);

    bool StartPolling(int values[kInputs]);
    bool Poll(int values[kInputs]);
    bool StopPolling();
    bool StartStream(double period);
    bool ReadStream(int* values, int& count, int max, int nextTime, int step);
    bool StopStream();
    bool StartSetupLogging();
    bool ReadSetupLogging(int values[kInputs], bool& got);
    bool StopSetupLogging();
    bool StartScope();
    bool ReadScope(int* values, int& count);
    bool CaptureScope();
    bool StopScope();
    bool StartTiming();
    bool ReadTiming();
    bool StopTiming();
    bool SetOutputs(int mask, bool force);
    void ReadName(wxString& text, int& kind);
    int WriteName(const wxString& text, int value, int& kind);
    int SetClock(const wxDateTime& time);
    int CheckClock();
    int CalibratePh(int input, float gain, float offset);
    int GetStoredFileCount();
    int GetStoredFileMask();
    int ReadStoredFileHeader(int n, CxutFetchFile& file);
    int FetchFile(int n);

    // Working state: written by the box thread (the sensors also under the
    // sample mutex while the host clock may read them), read by the drivers.
    // The link kind and the packet flag are also read on the main thread.
    std::atomic<int> m_linkKind{0};
    std::atomic<bool> m_packetLink{false};
    bool m_commandLink = false;
    CxutBoxInfo m_info;
    CxhwSensorV m_sensors;
    wxString m_stamp;
    int m_power = 0;
    int m_timingMask = 0;
    int m_timingIdentify = 0;
    double m_ticksPerSecond = 0.0;
    CxhwSampleFIFO m_samples;
    CxhwStoredFIFO m_stored;
    CxutFetch m_fetch;
    CxhwBoxRunState m_run;
    wxMutex m_sampleMutex;
    int m_scopeRateIndex = 0;
    CxutTimerFIFO m_timing;
    CzxStopWatch m_watch1;
    int m_lastTimingTick = 0;
    int m_simStep = 0;
    int64_t m_simLastStep = 0;
    CzxStopWatch m_watch2;
    uint8_t m_command[8] = {};
    // The byte link of the serial family.
    CxutCom m_com;
    CxhwSystemImage m_install;
    // The command link of box types 10 and 12.
    CxutXLogger m_xlogger;
    // The USB ids of the boot loader the command link was opened on.
    int32_t m_bootVendor = 0;
    int32_t m_bootProduct = 0;
    // The devices of box type 7, made when first asked for.
    CxutPktCombo& GetPktCombo();

private:
    std::unique_ptr<CxutPktCombo> m_pktCombo;
    CxhwBoxes* m_manager = nullptr;
    // Guarded by the box mutex.
    CxutBoxPublicInfo m_public;
    CxutBoxRequest m_request;
    uint64_t m_requestSerial = 0;
    uint64_t m_servingSerial = 0;
    bool m_requestBegun = false;
    int m_scopePending = 0;
    int m_requestedOutputs = 0;
    int m_activity = 0;
};

class CxhwBoxThread : public CzxThread
{
public:
    ExitCode Entry() override;
};

// Bit i set: input i can time now on this logger.
int xhwGetTimingIdentify(const CxutBoxInfo& info, const CxhwSensorV& sensors, int mask);

// Box type 7, type 10 on Bluetooth LE or with firmware above 1.02, and type
// 12 stream their readings; the others are polled by the host.
bool xhwStreamsOwnReadings(const CxutBoxInfo& info, int linkKind);

// Answers of the name and clock requests by the driver's result.
int xhwNameRequestAnswer(int result);
int xhwClockRequestAnswer(int result);
