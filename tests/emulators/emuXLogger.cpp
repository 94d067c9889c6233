#include "emulators/emuXLogger.h"

#include <algorithm>

namespace {

uint8_t Xor(const uint8_t* b, size_t n)
{
    uint8_t x = 0;
    for (size_t i = 0; i < n; ++i)
        x ^= b[i];
    return x;
}

void PutWord(std::vector<uint8_t>& out, uint32_t w)
{
    out.push_back(uint8_t(w >> 24));
    out.push_back(uint8_t(w >> 16));
    out.push_back(uint8_t(w >> 8));
    out.push_back(uint8_t(w));
}

} // namespace

void CemuXLogger::Report(std::vector<uint8_t>& out, uint8_t code, const std::vector<uint8_t>& body,
                         int at)
{
    if (!m_config.usb) {
        out.insert(out.end(), body.begin(), body.end());
        return;
    }
    uint8_t report[64] = {};
    report[0] = code;
    std::copy_n(body.begin(), std::min<size_t>(body.size(), size_t(64 - at)), report + at);
    out.insert(out.end(), report, report + 64);
}

std::vector<uint8_t> CemuXLogger::Receive(const uint8_t* bytes, size_t n)
{
    std::vector<uint8_t> out;
    m_received.insert(m_received.end(), bytes, bytes + n);
    for (size_t i = 0; i < n; ++i) {
        if (m_partial.empty() && bytes[i] == 0)
            continue; // keep-alive
        m_partial.push_back(bytes[i]);
        Command(out);
    }
    return m_config.answering ? out : std::vector<uint8_t>();
}

std::vector<uint8_t> CemuXLogger::SlotHeader(int slot)
{
    if (slot != 0 || m_config.fileHeader.size() != 16)
        return std::vector<uint8_t>(16, 0);
    // Reading the header starts the file's download over.
    m_dataAt = 0;
    m_markAt = 0;
    m_badLeft = m_config.badChunks;
    return m_config.fileHeader;
}

std::vector<uint8_t> CemuXLogger::Chunk(int size)
{
    std::vector<uint8_t> data(size_t(size), 0);
    for (int i = 0; i < size && m_dataAt < m_config.fileData.size(); ++i)
        data[size_t(i)] = m_config.fileData[m_dataAt++];
    return data;
}

void CemuXLogger::Command(std::vector<uint8_t>& out)
{
    const std::vector<uint8_t>& c = m_partial;
    const uint8_t code = c[0];
    auto done = [this] { m_partial.clear(); };
    const bool usb = m_config.usb;
    if (code == 27) {
        m_streaming = false;
        return done();
    }
    if (usb) {
        switch (code) {
        case '1': {
            const std::string text = "FW" + m_config.version + "HW1.00";
            Report(out, '1', std::vector<uint8_t>(text.begin(), text.end()));
            return done();
        }
        case 0x06: {
            std::vector<uint8_t> body;
            for (int i = 0; i < 4; ++i) {
                body.push_back(m_config.sensorCode[i]);
                body.push_back(uint8_t(m_config.reading[i]));
                body.push_back(uint8_t(m_config.reading[i] >> 8));
            }
            body.resize(16, 0);
            Report(out, 6, body);
            return done();
        }
        case 0x38:
            Report(out, '8', std::vector<uint8_t>(m_config.name.begin(), m_config.name.end()));
            return done();
        case 0x39:
            if (c.size() > 1 && c.back() == 0) {
                m_config.name.assign(c.begin() + 1, c.end() - 1);
                return done();
            }
            return;
        case 'F':
            m_streaming = false;
            m_restart = true;
            return done();
        case 'P':
            if (c.size() < 2)
                return;
            m_step = c[1];
            m_streaming = true;
            m_sequence = 0;
            return done();
        case 0x3C:
            if (c.size() < 2)
                return;
            if (c[1] >= 1 && c[1] <= 8)
                Report(out, '<', SlotHeader(c[1] - 1), 2);
            return done();
        case 0x3E: {
            std::vector<uint8_t> body;
            for (int i = 0; i < 15; ++i)
                PutWord(body, m_markAt < m_config.marks.size() ? m_config.marks[m_markAt++] : 0);
            // The words follow a byte of their own.
            Report(out, '>', body, 2);
            return done();
        }
        case 0x41: {
            std::vector<uint8_t> data = Chunk(60);
            data.insert(data.begin(), Xor(data.data(), data.size()));
            Report(out, 'A', data);
            return done();
        }
        default:
            return done();
        }
    }
    switch (code) {
    case 13:
        out.push_back(m_config.status);
        return done();
    case 1:
        out.push_back(m_config.id);
        return done();
    case 2:
        out.insert(out.end(), m_config.version.begin(), m_config.version.end());
        return done();
    case 3:
        out.push_back(m_config.bootId);
        return done();
    case 0x04:
        if (c.size() < 2)
            return;
        out.push_back(c[1] < 4 ? m_config.sensorCode[c[1]] : 0);
        out.push_back(c[1] < 4 ? m_config.sensorType[c[1]] : 0);
        return done();
    case 0x10: {
        if (c.size() < 3)
            return;
        const uint16_t r = m_config.reading[c[1] & 3];
        out.push_back(uint8_t(r >> 8));
        out.push_back(uint8_t(r));
        return done();
    }
    case 0x06: {
        if (c.size() < 2)
            return;
        const uint8_t sub = c[1];
        if (sub == 0x20) {
            m_streaming = true;
            m_sequence = 0;
        } else if (sub >= 0x31 && sub <= 0x38) {
            const std::vector<uint8_t> header = SlotHeader(sub - 0x31);
            out.insert(out.end(), header.begin(), header.end());
        } else if (sub == 0x55) {
            std::vector<uint8_t> body;
            for (int i = 0; i < 5; ++i)
                PutWord(body, m_markAt < m_config.marks.size() ? m_config.marks[m_markAt++] : 0);
            out.insert(out.end(), body.begin(), body.end());
        } else if (sub == 0x52 || sub == 0x51) {
            if (sub == 0x52)
                m_lastChunk = Chunk(250);
            std::vector<uint8_t> block(m_lastChunk);
            block.push_back(Xor(block.data(), block.size()));
            if (m_badLeft > 0) {
                --m_badLeft;
                block.back() ^= 0x5A;
            }
            out.insert(out.end(), block.begin(), block.end());
        }
        return done();
    }
    default:
        return done();
    }
}

std::vector<uint8_t> CemuXLogger::NextStream()
{
    std::vector<uint8_t> out;
    if (!m_streaming)
        return out;
    auto record = [this](std::vector<uint8_t>& b) {
        const uint32_t k = m_record++;
        const uint16_t v[4] = {uint16_t(k), uint16_t(k >> 16), 0x1234, 0xABCD};
        for (uint16_t w : v) {
            b.push_back(uint8_t(w >> 8));
            b.push_back(uint8_t(w));
        }
    };
    if (m_config.usb) {
        std::vector<uint8_t> body;
        body.push_back(uint8_t(m_step));
        body.push_back(++m_sequence);
        for (int k = 0; k < 7; ++k)
            record(body);
        Report(out, 'P', body);
        return out;
    }
    record(out);
    out.push_back(++m_sequence);
    return out;
}
