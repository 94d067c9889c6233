#pragma once
#include "transport/zxUSBSimDevice.h"

#include <cstdint>
#include <mutex>
#include <vector>

// What the emulated USB boot loader reports of itself and how it misbehaves.
struct CemuBootLoaderConfig
{
    struct Region
    {
        int type;
        uint32_t start;
        uint32_t size;
    };

    int bytesPerPacket = 56;
    int family = 1;
    int extendedMark = 0xA5;
    std::vector<Region> regions = {{1, 0x0000, 0x400}, {3, 0x300000, 0x10}};
    int bootVersion = 0x0102;
    int appVersion = 0x0108;
    uint32_t signatureAddress = 0x0006;
    int signatureValue = 0x600D;
    uint32_t erasePageSize = 0x40;
    // Answers nothing more once this many program commands have come (an
    // unplugged cable), -1 never.
    int silentAfterPrograms = -1;
    // A byte address whose programmed value does not hold, -1 none.
    int64_t weakByte = -1;
    // The sign command writes this in place of the signature, -1 the right one.
    int wrongSignature = -1;
};

// A logger in its USB boot loader: answers the boot-loader commands in
// 64-byte reports and keeps its flash. Answer is the device's logic; as a
// simulated USB device it answers every output report the same way. Every
// member is safe from any thread.
class CemuBootLoader : public CzxUSBSimDevice
{
public:
    explicit CemuBootLoader(int32_t vendor = 0x3A7C, int32_t product = 0x0011);

    CemuBootLoaderConfig Config();
    void SetConfig(const CemuBootLoaderConfig& config);

    // The reply to one 64-byte command, empty when there is none.
    std::vector<uint8_t> Answer(const uint8_t* command);

    // The byte at a device address of the region that holds it (0xFF unset).
    int ByteAt(uint32_t address, int index = 0);
    int Count(uint8_t command);

protected:
    void OnWrite(const std::vector<uint8_t>& report) override;

private:
    struct Memory
    {
        CemuBootLoaderConfig::Region region;
        int perAddress;
        std::vector<uint8_t> bytes;
    };

    void Erase();
    Memory* Holder(uint32_t address);
    void Reflash();

    std::mutex m_lock;
    CemuBootLoaderConfig m_config;
    std::vector<Memory> m_memory;
    int m_counts[256] = {};
    bool m_silent = false;
};
