#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the emulated newer logger (box types 10 and 12) holds.
struct CemuXLoggerConfig
{
    bool usb = true;
    // Bluetooth LE: status (38 runs the boot loader), ID and boot ID.
    uint8_t status = 37;
    uint8_t id = 66;
    uint8_t bootId = 73;
    // "d.dd"; USB sends it as FWd.ddHW1.00.
    std::string version = "1.05";
    uint8_t sensorCode[4] = {0, 0, 0, 0};
    uint8_t sensorType[4] = {3, 3, 3, 3};
    uint16_t reading[4] = {0, 0, 0, 0};
    std::string name = "Lab12";
    // The stored file of slot 0 (empty without a header): header,
    // marks and the readings' bytes.
    std::vector<uint8_t> fileHeader;
    std::vector<uint32_t> marks;
    std::vector<uint8_t> fileData;
    // Bluetooth LE chunks whose checksum comes out wrong before a good one.
    int badChunks = 0;
    bool answering = true;
};

// The logger's side of the command link: takes the host's bytes and gives
// what it sends back, as whole 64-byte input reports on USB or raw bytes on
// Bluetooth LE. Streaming is pulled: each NextStream gives the logger's
// next packet or record while a stream runs. Not locked: its owner is.
class CemuXLogger
{
public:
    CemuXLoggerConfig& Config() { return m_config; }

    std::vector<uint8_t> Receive(const uint8_t* bytes, size_t n);
    // Empty when no stream runs.
    std::vector<uint8_t> NextStream();
    bool IsStreaming() const { return m_streaming; }
    // USB: ms between records; Bluetooth LE: 50.
    int StreamStep() const { return m_config.usb ? m_step : 50; }
    // The next packet or record goes missing (its counter is skipped).
    void DropNext() { ++m_sequence; m_record += m_config.usb ? 7 : 1; }

    // Whether the host has asked the logger (USB) to restart in its boot
    // loader since the last look.
    bool TakeRestart()
    {
        const bool asked = m_restart;
        m_restart = false;
        return asked;
    }

    const std::vector<uint8_t>& Received() const { return m_received; }
    void ClearReceived() { m_received.clear(); }

private:
    void Command(std::vector<uint8_t>& out);
    void Report(std::vector<uint8_t>& out, uint8_t code, const std::vector<uint8_t>& body,
                int at = 1);
    std::vector<uint8_t> Chunk(int size);
    // Slots other than 0 are empty: a header of zeros.
    std::vector<uint8_t> SlotHeader(int slot);

    CemuXLoggerConfig m_config;
    std::vector<uint8_t> m_received;
    std::vector<uint8_t> m_partial;
    bool m_streaming = false;
    int m_step = 100;
    uint8_t m_sequence = 0;
    uint32_t m_record = 0;
    size_t m_dataAt = 0;
    size_t m_markAt = 0;
    std::vector<uint8_t> m_lastChunk;
    int m_badLeft = 0;
    bool m_restart = false;
};
