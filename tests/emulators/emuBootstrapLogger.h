#pragma once
#include "emulators/emuSerialLogger.h"

#include <chrono>
#include <cstdint>
#include <vector>

// How the emulated bootstrap loader behaves.
struct CemuBootstrapConfig
{
    // The ID byte the loader reports (family x 8 + revision).
    int bootId = 40;
    // Answers the command that starts the loader.
    bool entersBootstrap = true;
    // 2-byte steps the transfer takes; the 6-byte transfer finds its length
    // in its first word.
    int expectedSteps = 0;
    bool triples = false;
    // The step whose echo comes back wrong, -1 none.
    int wrongEchoAt = -1;
    // Steps after which the loader falls silent (a broken link), -1 never.
    int silentAfter = -1;
    // After the transfer the new system runs; else the loader stays.
    bool restarts = true;
    // Takes every byte as part of a file sent in 7-byte chunks, each
    // acknowledged with one byte (box type 4, already waiting for it).
    bool chunks = false;
};

// A serial-family logger with its bootstrap loader: the application side is
// a CemuSerialLogger; 0x06 0x88 starts the loader, which identifies itself,
// takes an image in echoed steps and restarts. Not locked: its owner is.
class CemuBootstrapLogger
{
public:
    using Clock = std::chrono::steady_clock;

    CemuBootstrapConfig& Config() { return m_config; }
    CemuSerialLogger& Application() { return m_app; }

    std::vector<uint8_t> Receive(const uint8_t* bytes, size_t n, Clock::time_point now);
    std::vector<uint8_t> Tick(Clock::time_point now);

    bool InBootstrap() const { return m_mode != kApplication; }
    int Steps() const { return m_steps; }
    // The image words received, in order.
    const std::vector<uint16_t>& Words() const { return m_words; }
    bool Restarted() const { return m_restarted; }
    int Exits() const { return m_exits; }
    // The bytes taken in chunks.
    const std::vector<uint8_t>& Chunked() const { return m_chunked; }
    // Every byte received, in order.
    const std::vector<uint8_t>& Received() const { return m_received; }

private:
    enum Mode
    {
        kApplication,
        kLoader,
        kTransfer,
        kSilent,
    };

    void Loader(uint8_t byte, std::vector<uint8_t>& out);
    void Transfer(uint8_t byte, std::vector<uint8_t>& out);

    CemuBootstrapConfig m_config;
    CemuSerialLogger m_app;
    Mode m_mode = kApplication;
    bool m_pendingStart = false;
    std::vector<uint8_t> m_step;
    std::vector<uint16_t> m_words;
    std::vector<uint8_t> m_received;
    std::vector<uint8_t> m_chunked;
    int m_steps = 0;
    int m_exits = 0;
    bool m_restarted = false;
};
