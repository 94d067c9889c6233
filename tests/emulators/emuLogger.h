#pragma once
#include <cstdint>
#include <string>
#include <vector>

// What the emulated logger answers with.
struct CemuLoggerConfig
{
    // How the status byte is framed after command 13.
    enum Framing
    {
        kPlain = 0,      // status
        kCrLf = 1,       // 13 10 status
        kCrLfCrLf = 2,   // 13 10 13 10 status
        kNulCrLf = 3,    // 0 13 10 status
    };

    // 36 or 37: present; 38: running its bootstrap loader.
    uint8_t status = 37;
    int framing = kPlain;
    // Bytes that follow the status at once, as a garbled reply would.
    std::vector<uint8_t> statusTrail;
    // The byte the bootstrap loader sends a moment after status 38, -1 for
    // none.
    int bootExtra = -1;
    uint8_t id = 9;
    // Four characters: a digit, ".", two digits.
    std::string version = "2.30";
    // The reply to the bootstrap ID request, -1 for none.
    int bootId = 9;
    uint8_t sensorCode[6] = {0, 0, 0, 0, 0, 0};
    uint8_t sensorType[6] = {0, 0, 0, 0, 0, 0};
    // Inputs from this one on get no answer to the sensor request.
    int sensorInputs = 6;
    // The reply to the flag request, -1 for none; after a reset the replies
    // come from flagsAfterReset in turn, its last one repeating.
    int flags = 3;
    std::vector<int> flagsAfterReset;
    // The output-switching accessory's reply, -1 for none.
    int switchReply = -1;
    // False: takes the bytes in and answers nothing.
    bool answering = true;

    // A compatible logger of a serial-family box type (2 to 6, 8, 9; also
    // 10 and 12 on a byte link): its ID byte and version text, and for the
    // types with an accessory probe a switch reply that means "none".
    // Other types get the defaults.
    static CemuLoggerConfig ForBoxType(int boxType);
};

// The logger's side of the byte command protocol: takes the host's bytes and
// gives the replies a logger would send. Not locked: its owner is.
class CemuLogger
{
public:
    CemuLoggerConfig& Config() { return m_config; }

    // The reply to these bytes from the host, empty when there is none.
    std::vector<uint8_t> Receive(const uint8_t* bytes, size_t n);

    // Bytes of the last reply that follow it after a pause (the bootstrap
    // loader's extra byte), taken once.
    std::vector<uint8_t> TakeLater();
    // Starts afresh: no command half received, no reset seen.
    void Restart();

    // Every byte received so far, in order.
    const std::vector<uint8_t>& Received() const { return m_received; }
    void ClearReceived() { m_received.clear(); }
    // The last output mask sent with the switch command, -1 before any.
    int LastSwitchMask() const { return m_lastSwitch; }
    // The third byte of the last switch command as sent, -1 before any.
    int LastSwitchByte() const { return m_lastSwitchByte; }

private:
    void Answer(uint8_t byte, std::vector<uint8_t>& out);
    void AnswerStatus(std::vector<uint8_t>& out);
    void AnswerFlags(std::vector<uint8_t>& out);

    CemuLoggerConfig m_config;
    std::vector<uint8_t> m_received;
    // A command waiting for its argument bytes.
    std::vector<uint8_t> m_partial;
    int m_lastSwitch = -1;
    int m_lastSwitchByte = -1;
    std::vector<uint8_t> m_later;
    // Flag requests answered since the last reset, -1 before any reset.
    int m_flagsSinceReset = -1;
};
