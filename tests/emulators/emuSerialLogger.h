#pragma once
#include "emulators/emuLogger.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What an emulated serial-family logger (box types 2 to 6, 8 and 9) holds
// beyond its identification: readings, battery, clock memory, display stamp,
// timing and capture bytes, and its stored files.
struct CemuSerialConfig
{
    int boxType = 8;
    // Raw readings of inputs 0 to 5, as the per-input and multi-input reads
    // give them.
    int reading[6] = {0x1000, 0x2000, 0x3000, 0x4000, 0x5000, 0x6000};
    // The streamed frame sent every 10 ms.
    std::vector<uint8_t> streamFrame = {0x00, 0x80, 0x40, 0xFF, 0x1B};
    int batteryHigh = 0x80;
    int batteryLow = 0x00;
    int batteryByte = 8;
    int timingMask = 7;
    // Sent once a timing run starts (records of two bytes, or box type 6's
    // state replies in turn).
    std::vector<uint8_t> timingRecords;
    std::vector<std::vector<uint8_t>> timingStates;
    // Sent once a triggered capture starts, and each scope trace.
    std::vector<uint8_t> capture;
    std::vector<uint8_t> scopeTrace;
    // Display stamp: the first reply (0 none), and its text.
    int stampCode = 5;
    std::string stamp = "HELLO";
    // Box type 6's flags byte (bit 5: the clock needs setting) comes from
    // the identification config; its file count:
    int fileCount = 0;
    // Slot states (types 4, 5, 6, 8) and the bytes each slot streams.
    int slotState[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> slotData[8];
    // Box type 2: the slot mask, each slot's start address, the end address.
    int type2Mask = 0;
    int type2Start[8] = {};
    int type2End = 0;
    // A logger that stops answering inside a transfer after this many data
    // bytes; -1 never.
    int breakAfter = -1;
};

// The logger's side of the serial family's byte commands. Identification
// commands go to an inner CemuLogger. Not locked: its owner is.
class CemuSerialLogger
{
public:
    using Clock = std::chrono::steady_clock;

    CemuSerialConfig& Config() { return m_config; }
    CemuLoggerConfig& Identity() { return m_identity.Config(); }
    // Box types 2, 4, 5 and 8: the logger's memory (clock, program, files).
    std::vector<uint8_t>& Memory() { return m_memory; }

    std::vector<uint8_t> Receive(const uint8_t* bytes, size_t n, Clock::time_point now);
    // What the logger sends by itself by now (streamed frames).
    std::vector<uint8_t> Tick(Clock::time_point now);

    const std::vector<uint8_t>& Received() const { return m_received; }
    void ClearReceived() { m_received.clear(); }
    int LastOutputs() const { return m_outputs; }
    int LastSwitchMask() const { return m_identity.LastSwitchMask(); }
    const std::string& StampWritten() const { return m_stampWritten; }
    bool IsStreaming() const { return m_mode == kStream; }
    int Mode() const { return m_mode; }
    // Text commands of box type 2, as received.
    const std::vector<std::string>& Texts() const { return m_texts; }

    enum Modes
    {
        kIdle,
        kStream,
        kTiming,
        kCapture,
        kScope,
        kStamp,
    };

private:
    void Take(uint8_t byte, std::vector<uint8_t>& out, Clock::time_point now);
    // Length of the command that starts with these bytes, 0 while unknown.
    size_t CommandLength() const;
    void Run(std::vector<uint8_t>& out, Clock::time_point now);
    void RunText(std::vector<uint8_t>& out);
    void PutData(std::vector<uint8_t>& out, const uint8_t* data, size_t n);

    CemuSerialConfig m_config;
    CemuLogger m_identity;
    std::vector<uint8_t> m_memory = std::vector<uint8_t>(0x10000, 0);
    std::vector<uint8_t> m_received;
    std::vector<uint8_t> m_command;
    std::string m_text;
    std::vector<std::string> m_texts;
    int m_mode = kIdle;
    Clock::time_point m_lastByte;
    Clock::time_point m_lastFrame;
    int m_pointer = 0;
    int m_outputs = -1;
    int m_slot = -1;
    size_t m_slotPos = 0;
    size_t m_stampPos = 0;
    std::string m_stampWritten;
    size_t m_timingState = 0;
    size_t m_sent = 0;
};
