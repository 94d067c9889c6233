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
    uint8_t id = 9;
    // Four characters: a digit, ".", two digits.
    std::string version = "2.30";
    uint8_t bootId = 9;
    uint8_t sensorCode[6] = {0, 0, 0, 0, 0, 0};
    uint8_t sensorType[6] = {0, 0, 0, 0, 0, 0};
    uint8_t flags = 3;
    // The output-switching accessory's reply, -1 for none.
    int switchReply = -1;
    // False: takes the bytes in and answers nothing.
    bool answering = true;
};

// The logger's side of the byte command protocol: takes the host's bytes and
// gives the replies a logger would send. Not locked: its owner is.
class CemuLogger
{
public:
    CemuLoggerConfig& Config() { return m_config; }

    // The reply to these bytes from the host, empty when there is none.
    std::vector<uint8_t> Receive(const uint8_t* bytes, size_t n);

    // Every byte received so far, in order.
    const std::vector<uint8_t>& Received() const { return m_received; }
    void ClearReceived() { m_received.clear(); }
    // The last output mask sent with the switch command, -1 before any.
    int LastSwitchMask() const { return m_lastSwitch; }

private:
    void Answer(uint8_t byte, std::vector<uint8_t>& out);
    void AnswerStatus(std::vector<uint8_t>& out) const;

    CemuLoggerConfig m_config;
    std::vector<uint8_t> m_received;
    // A command waiting for its argument bytes.
    std::vector<uint8_t> m_partial;
    int m_lastSwitch = -1;
};
