#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// A pseudo-terminal pair for an emulated logger: the program opens the slave
// path as its serial port, the emulator reads and writes the master.
class CemuPty
{
public:
    CemuPty();
    ~CemuPty();
    CemuPty(const CemuPty&) = delete;
    CemuPty& operator=(const CemuPty&) = delete;

    bool IsOpen() const { return m_master >= 0; }
    int Master() const { return m_master; }
    int Slave() const { return m_slave; }
    const std::string& SlavePath() const { return m_slavePath; }

    // Writes every byte, waiting while the terminal is full, within the tests'
    // one bound; gives up early once stop is set.
    bool WriteAll(const uint8_t* bytes, size_t n, const std::atomic<bool>& stop) const;

private:
    int m_master = -1;
    // Kept open so that the terminal outlives the program's opens and closes.
    int m_slave = -1;
    std::string m_slavePath;
};
