#pragma once
// System and firmware images written by the tests into a folder of their
// own, which stands in for the resource folder while a test runs.
#include "app/base/gumResCore.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

class CtestSystemFolder
{
public:
    CtestSystemFolder()
    {
        const char* old = std::getenv("QUORVANTI_RESOURCES_DIR");
        m_old = old ? old : "";
        char folder[] = "/tmp/qvsystemXXXXXX";
        if (::mkdtemp(folder))
            m_folder = folder;
        ::mkdir((m_folder + "/QuorvantiRes").c_str(), 0700);
        // The tables that ship stay readable from here.
        for (const char* table : {"Strings.txt", "Sensors.txt"})
            ::symlink((m_old + "/QuorvantiRes/" + table).c_str(), Path(table).c_str());
        ::setenv("QUORVANTI_RESOURCES_DIR", m_folder.c_str(), 1);
    }
    ~CtestSystemFolder()
    {
        ::setenv("QUORVANTI_RESOURCES_DIR", m_old.c_str(), 1);
        std::system(("rm -rf '" + m_folder + "'").c_str());
    }
    CtestSystemFolder(const CtestSystemFolder&) = delete;
    CtestSystemFolder& operator=(const CtestSystemFolder&) = delete;

    std::string Path(const std::string& name) const { return m_folder + "/QuorvantiRes/" + name; }
    std::string Folder() const { return m_folder + "/QuorvantiRes"; }

    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream out(Path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    void WriteText(const std::string& name, const std::vector<std::string>& lines) const
    {
        std::ofstream out(Path(name), std::ios::binary);
        for (const std::string& line : lines)
            out << line << "\n";
    }

private:
    std::string m_folder;
    std::string m_old;
};

// One Intel HEX record with its checksum.
inline std::string HexRecord(int type, int address, const std::vector<uint8_t>& data)
{
    int sum = int(data.size()) + (address >> 8) + (address & 0xFF) + type;
    char head[16];
    std::snprintf(head, sizeof head, ":%02X%04X%02X", unsigned(data.size()), unsigned(address & 0xFFFF), unsigned(type));
    std::string line = head;
    for (uint8_t b : data) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        line += pair;
        sum += b;
    }
    char check[3];
    std::snprintf(check, sizeof check, "%02X", unsigned((0x100 - (sum & 0xFF)) & 0xFF));
    return line + check;
}

inline std::string HexEnd()
{
    return ":00000001FF";
}

// Little-endian words from a word index on, as HEX data records of 8 words.
inline std::vector<std::string> HexWords(int firstWord, const std::vector<uint16_t>& words)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < words.size(); i += 8) {
        std::vector<uint8_t> data;
        for (size_t j = i; j < words.size() && j < i + 8; ++j) {
            data.push_back(uint8_t(words[j] & 0xFF));
            data.push_back(uint8_t(words[j] >> 8));
        }
        lines.push_back(HexRecord(0, 2 * (firstWord + int(i)), data));
    }
    lines.push_back(HexEnd());
    return lines;
}

// Raw little-endian words.
inline std::vector<uint8_t> RawWords(const std::vector<uint16_t>& words)
{
    std::vector<uint8_t> bytes;
    for (uint16_t w : words) {
        bytes.push_back(uint8_t(w & 0xFF));
        bytes.push_back(uint8_t(w >> 8));
    }
    return bytes;
}

// 14-bit words 4 to 4 + n - 1 with the first checksum at word 2047 when
// the image reaches it (the raw file begins at word 4).
inline std::vector<uint16_t> Image14(int n, uint16_t seed)
{
    std::vector<uint16_t> words(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        words[size_t(i)] = uint16_t((seed + 37 * i) & 0x3FFF);
    return words;
}
