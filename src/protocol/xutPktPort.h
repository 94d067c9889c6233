#pragma once
#include "protocol/xutPktDevice.h"
#include "protocol/xutRawFIFO.h"
#include "transport/zxByteFIFO.h"
#include "transport/zxStopWatch.h"

#include <cstdint>
#include <memory>
#include <mutex>

class CxhwSensor;
class CxutPktCombo;
class CxutSmartSenDef;
class CxutSmartSenDefs;

// What a packet device is told with every command frame; the last sent copy
// decides what a frame may mark as unchanged.
struct CxutPktSettings
{
    int m_sequence = 0xFF;
    bool m_clickedAck = true;
    bool m_heldAck = true;
    int m_runFlag = 0;
    int m_command = 12; // none yet
    int m_byte2 = 2;
    int m_deviceFamily = 1;
    int m_definitionOffset = 0;
    uint8_t m_rangeCodes[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    uint8_t m_slotFamilies[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    int m_rangeWords[8] = {0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000, 0x8000};
    uint8_t m_rangeFlags[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    int m_sampleCount = 1001;
    int m_samplePeriod = 100; // µs
    int m_trigger = 0;
    bool m_full = false;
    bool m_chunkPending = false;
};

// Drives one USB HID device of the multi-device logger, a short-report
// device (8-byte reports, one slot used) or a packet device (64-byte command
// frames answered by packets that echo the frame's sequence, up to eight
// slots). Input reports arrive on the device's thread through PutRXReport;
// everything else runs on the box thread. Both sides take the port mutex.
class CxutPktPort
{
public:
    static constexpr int kSlots = 8;
    static constexpr int kMaxScope = 1008;

    CxutPktPort();
    virtual ~CxutPktPort();
    CxutPktPort(const CxutPktPort&) = delete;
    CxutPktPort& operator=(const CxutPktPort&) = delete;

    // The combo that owns the port, its index (the logger input whose
    // definition block it uses) and the store of those blocks.
    void Attach(CxutPktCombo* combo, int index, CxutSmartSenDefs* definitions);
    int GetIndex() const { return m_index; }

    virtual void SetDevice(std::unique_ptr<CxutPktDevice> device);
    CxutPktDevice* GetDevice() const { return m_device.get(); }
    bool HasDevice() const { return m_device != nullptr; }
    bool IsReady() const { return m_device && m_device->IsReady(); }
    bool IsShortReport() const { return m_device && m_device->IsShortReport(); }
    bool IsPacket() const { return m_device && m_device->IsPacket(); }
    int GetReleaseNumber() const { return m_device ? m_device->GetReleaseNumber() : 0; }

    // Called on the device's thread with each input report's payload.
    virtual bool PutRXReport(const uint8_t* data, int n);

    bool Open();
    void Close();
    void Release();

    bool SendSettings(bool force);
    bool SetChannelMask(int mask, bool force);
    void SetSlotValue(int slot, int value);
    int GetSlotValue(int slot);
    bool IsInMode(int mode);
    int GetState();
    uint32_t GetDataCounter();
    uint32_t m_rememberedCounter = 0;

    bool StartClock();
    void StopClock();
    CxutRawFIFO& GetQueue() { return m_queue; }
    bool ReadValues(uint8_t values[16]);
    bool KeepAlive();
    bool SendPendingAcks();

    bool StartFastSampling(int slot, int count, int periodUs, int trigger);
    bool ReadFastSample(int& value, bool& got);
    bool StartScope(int slot, int count, int periodUs, int trigger);
    // Takes up to max values (and never more than the sample count).
    bool ReadScope(int* values, int& n, int max);
    bool ReadTimingEvent(uint8_t record[6], bool& got);

    // Sensors of the slots.
    CxutSmartSenDef* GetDefinition() const;
    bool HasCompleteDefinition() const;
    int GetSlotCount();
    int UpdateSensors(CxhwSensor* records);
    bool UpdateSensor(int slot, CxhwSensor& record);
    void ApplySensor(int slot, const CxhwSensor& record);
    void CheckSettling(int slot, CxhwSensor& record, const int* raw);
    int SetCalibration(int slot, CxhwSensor& record, float gain, float offset);
    int WriteCalibration(int slot, CxhwSensor& record, float gain, float offset);
    // Byte at of the definition block when complete, else -1.
    int GetDefinitionByte(int at) const;
    // The kind byte of the slot's sub-channel record, or -1.
    int GetSlotKind(int slot) const;

    // The last frame sent to a packet device, for the tests' eyes.
    void GetLastFrame(uint8_t frame[64]);

private:
    using Lock = std::lock_guard<std::recursive_mutex>;

    void ResetProtocol();
    int ComboMode() const;
    int ComboRunFlag() const;
    int64_t ClockNow() const;

    bool SendFrame(int command, const uint8_t* params = nullptr, int paramBytes = 0,
                   const uint8_t* data = nullptr, int dataBytes = 0);
    bool SendShortSettings(bool force, bool closing);
    void PrepareSettings(bool force);
    bool SlotRangeListed(int slot) const;
    bool PutPacket(const uint8_t* p);
    bool PutShortReport(const uint8_t* p);
    void PostButtons(const uint8_t* p);
    void StartDefinitionRead();
    void OnDefinitionChunk(const uint8_t* p);
    void RequestDefinitionChunk();
    void OnDefinitionStep();
    void ReadCalibration();
    void OnCalibrationReply(const uint8_t* p);
    void TakeRangeParameters();
    bool SendMemoryCommand(int address, int length, const uint8_t* data);
    bool StartCapture(int command, int slot, int count, int periodUs, int trigger);

    CxutPktCombo* m_combo = nullptr;
    int m_index = 0;
    CxutSmartSenDefs* m_definitions = nullptr;
    std::unique_ptr<CxutPktDevice> m_device;
    mutable std::recursive_mutex m_mutex;
    CzxByteFIFO m_rx;
    CxutRawFIFO m_queue;

    uint32_t m_dataCounter = 0;
    uint8_t m_eventCounter = 0;
    int m_lastEventId = -1;
    bool m_firstReport = true;
    uint8_t m_lastPayload[64];
    int m_state = 0;
    int m_replyPending = 0;
    uint8_t m_lastFrame[64] = {};

    bool m_streaming = false;
    CxutRawEntry m_entry;
    int32_t m_counterBase[8] = {};

    int m_shortMode = 0;
    int m_holdCounter = 0;
    bool m_buttonDown = false;
    uint8_t m_idPairs[3][2] = {};
    uint8_t m_high[8] = {};
    uint8_t m_low[8] = {};
    int m_shortBase[8] = {};
    int m_accumulated[8] = {};
    int m_requestedCodes[8] = {};
    uint8_t m_shortCodes[8] = {};
    uint8_t m_sentShortCodes[8] = {};
    int m_shortFamily = 0;
    bool m_changed = false;
    int m_channelMask = 0;
    int m_sentChannelMask = -1;

    CxutPktSettings m_settings;
    CxutPktSettings m_sent;
    int m_lastEcho = -1;
    bool m_bit2 = false, m_bit6 = false, m_bit7 = false;
    uint8_t m_rangeCode[8] = {};
    int m_valueA[8] = {};
    int m_valueB[8] = {};

    int m_requestedIdents[8] = {};
    bool m_sensorChanged = false;

    int m_samplesReceived = 0;
    int m_captureSlot = 0;
    bool m_calWritePending = false;

    bool m_settling = false;
    bool m_validReading = false;
    CzxStopWatch m_settleWatch;
    CzxStopWatch m_validWatch;
};
