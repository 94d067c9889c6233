#include "emulators/emuBootLoader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kQuery = 0x02;
constexpr uint8_t kErase = 0x04;
constexpr uint8_t kProgram = 0x05;
constexpr uint8_t kGetData = 0x07;
constexpr uint8_t kSign = 0x09;
constexpr uint8_t kQueryExtended = 0x0C;

uint32_t Get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

int PerAddress(int family, int type)
{
    if (type == 1)
        return (family == 2 || family == 4) ? 2 : 1;
    if (type == 3)
        return family == 2 ? 2 : 1;
    return 1;
}

} // namespace

CemuBootLoader::CemuBootLoader(int32_t vendor, int32_t product) : CzxUSBSimDevice(vendor, product)
{
    Reflash();
}

CemuBootLoaderConfig CemuBootLoader::Config()
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_config;
}

void CemuBootLoader::SetConfig(const CemuBootLoaderConfig& config)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_config = config;
    Reflash();
}

void CemuBootLoader::Reflash()
{
    m_memory.clear();
    for (const CemuBootLoaderConfig::Region& region : m_config.regions) {
        const int per = PerAddress(m_config.family, region.type);
        m_memory.push_back({region, per, std::vector<uint8_t>(size_t(region.size) * size_t(per), 0x00)});
    }
}

void CemuBootLoader::Erase()
{
    for (Memory& m : m_memory)
        if (m.region.type == 1)
            std::fill(m.bytes.begin(), m.bytes.end(), 0xFF);
}

CemuBootLoader::Memory* CemuBootLoader::Holder(uint32_t address)
{
    for (Memory& m : m_memory)
        if (address >= m.region.start && address < m.region.start + m.region.size)
            return &m;
    return nullptr;
}

int CemuBootLoader::ByteAt(uint32_t address, int index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    Memory* m = Holder(address);
    if (!m)
        return -1;
    return m->bytes[size_t(address - m->region.start) * size_t(m->perAddress) + size_t(index)];
}

int CemuBootLoader::Count(uint8_t command)
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_counts[command];
}

std::vector<uint8_t> CemuBootLoader::Answer(const uint8_t* command)
{
    std::lock_guard<std::mutex> lock(m_lock);
    ++m_counts[command[0]];
    if (m_silent)
        return {};
    std::vector<uint8_t> reply(64, 0);
    switch (command[0]) {
    case kQuery: {
        reply[0] = kQuery;
        reply[1] = uint8_t(m_config.bytesPerPacket);
        reply[2] = uint8_t(m_config.family);
        for (int i = 0; i < 6; ++i) {
            uint8_t* entry = reply.data() + 3 + 9 * i;
            if (size_t(i) >= m_config.regions.size()) {
                entry[0] = 0xFF;
                continue;
            }
            entry[0] = uint8_t(m_config.regions[size_t(i)].type);
            Put32(entry + 1, m_config.regions[size_t(i)].start);
            Put32(entry + 5, m_config.regions[size_t(i)].size);
        }
        reply[57] = uint8_t(m_config.extendedMark);
        return reply;
    }
    case kQueryExtended:
        reply[0] = kQueryExtended;
        reply[1] = uint8_t(m_config.bootVersion);
        reply[2] = uint8_t(m_config.bootVersion >> 8);
        reply[3] = uint8_t(m_config.appVersion);
        reply[4] = uint8_t(m_config.appVersion >> 8);
        Put32(reply.data() + 5, m_config.signatureAddress);
        reply[9] = uint8_t(m_config.signatureValue);
        reply[10] = uint8_t(m_config.signatureValue >> 8);
        Put32(reply.data() + 11, m_config.erasePageSize);
        return reply;
    case kErase:
        Erase();
        return {};
    case kProgram: {
        if (m_config.silentAfterPrograms >= 0 && m_counts[kProgram] > m_config.silentAfterPrograms) {
            m_silent = true;
            return {};
        }
        const uint32_t address = Get32(command + 1);
        const int n = std::min<int>(command[5], 58);
        Memory* m = Holder(address);
        if (!m)
            return {};
        const size_t at = size_t(address - m->region.start) * size_t(m->perAddress);
        for (int i = 0; i < n && at + size_t(i) < m->bytes.size(); ++i) {
            const int64_t byteAddress = int64_t(address) * m->perAddress + i;
            const uint8_t value = command[64 - n + i];
            m->bytes[at + size_t(i)] = byteAddress == m_config.weakByte ? uint8_t(value ^ 0x01) : value;
        }
        return {};
    }
    case kGetData: {
        const uint32_t address = Get32(command + 1);
        const int n = std::min<int>(command[5], 58);
        reply[0] = kGetData;
        Put32(reply.data() + 1, address);
        reply[5] = uint8_t(n);
        Memory* m = Holder(address);
        const size_t at = m ? size_t(address - m->region.start) * size_t(m->perAddress) : 0;
        for (int i = 0; i < n; ++i)
            reply[size_t(64 - n + i)] = m && at + size_t(i) < m->bytes.size() ? m->bytes[at + size_t(i)] : 0xFF;
        return reply;
    }
    case kSign: {
        const int value = m_config.wrongSignature >= 0 ? m_config.wrongSignature : m_config.signatureValue;
        for (int k = 0; k < 2; ++k) {
            Memory* m = Holder(m_config.signatureAddress + uint32_t(k));
            if (m)
                m->bytes[size_t(m_config.signatureAddress + uint32_t(k) - m->region.start) * size_t(m->perAddress)]
                    = uint8_t(value >> (8 * k));
        }
        return {};
    }
    default:
        return {};
    }
}

void CemuBootLoader::OnWrite(const std::vector<uint8_t>& report)
{
    if (report.size() < 65)
        return;
    const std::vector<uint8_t> reply = Answer(report.data() + 1);
    if (!reply.empty())
        SendReport(reply.data(), reply.size());
}
