#include "protocol/xhwSystemImageSend.h"

#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwLink.h"
#include "protocol/xhwSystemImageFiles.h"
#include "protocol/xhwSystemInstall.h"

#include <algorithm>
#include <vector>

namespace {

constexpr float kBootstrapSeconds = 5.0f;
constexpr float kRestartSeconds = 60.0f;
constexpr int kBox6First = 8192;
constexpr uint8_t kTransferReady = '>';
constexpr uint8_t kTransferDone = 'S';
constexpr uint8_t kBox4Filler = 0x2E;
constexpr uint8_t kBox4Abort[4] = {0x5D, 0x3C, 0x3C, 0x3C};

// The installer's buffers, lent to the descriptor while the installation runs.
class CxhwImageBuffers
{
public:
    CxhwImageBuffers(CxhwSystemImage& image, size_t words, size_t bytes)
        : m_image(image), m_words(words, 0), m_bytes(bytes, 0)
    {
        m_image.m_wordImage = m_words.data();
        m_image.m_byteImage = m_bytes.data();
    }
    ~CxhwImageBuffers()
    {
        m_image.m_wordImage = nullptr;
        m_image.m_byteImage = nullptr;
    }
    CxhwImageBuffers(const CxhwImageBuffers&) = delete;
    CxhwImageBuffers& operator=(const CxhwImageBuffers&) = delete;

private:
    CxhwSystemImage& m_image;
    std::vector<int32_t> m_words;
    std::vector<uint8_t> m_bytes;
};

bool Fail(CxhwBox& box, int result)
{
    box.m_install.m_result = result;
    return false;
}

// After a transfer the logger must come back with its new system; one that
// stays silent or in its loader has not been installed.
bool AwaitRestart(CxhwBox& box)
{
    box.m_install.m_stage = 3;
    xhwSetInstallProgress(box, 0.0f);
    if (xhwWaitForRestart(box, kRestartSeconds))
        return true;
    return Fail(box, box.m_install.m_cancel ? SYSTEM_RESULT_CANCELLED : SYSTEM_RESULT_NO_ANSWER);
}

void BeginSending(CxhwBox& box)
{
    box.m_install.m_stage = 2;
    xhwSetInstallProgress(box, 0.0f);
}

bool UpdateWords(CxhwBox& box, int type)
{
    CxhwSystemImage& image = box.m_install;
    image.m_boxType = type;
    image.m_highestWord = type == BOX_TYPE_TUNDRANE ? 0x1FFF : 0x1EFF;
    image.m_padValue = 0x3FFF;
    image.m_textPatch = type != BOX_TYPE_CINDRALLY;
    if (type == BOX_TYPE_TUNDRANE) {
        image.m_textBase = 0x1000;
        image.m_shortTextCount = 6;
        image.m_text4Entry = 0x811;
        image.m_text16Entry = 0x834;
    }
    if (!xhwEnterBootstrap(box, type, true, kBootstrapSeconds))
        return false;
    image.m_fileFamily = box.m_info.m_bootstrapFamily;
    image.m_fileRevision = box.m_info.m_bootstrapRevision;
    CxhwImageBuffers buffers(image, kSystemWords, 2 * size_t(image.m_highestWord + 1));
    const int count = xutLoadFirmwareWords(box, image);
    if (count == 0) {
        xutExitBootstrap(box);
        image.m_noImage = true;
        return false;
    }
    if (!xhwEnterBootstrap(box, type, true, kBootstrapSeconds))
        return false;
    BeginSending(box);
    const bool sent = xutSendFirmwareWords(box, image.m_wordImage, count, image.m_padValue);
    xhwResetLink(box);
    return sent;
}

} // namespace

bool xutUpdateFirmwareBox5(CxhwBox& box)
{
    return UpdateWords(box, BOX_TYPE_TUNDRANE);
}

bool xutUpdateFirmwareBox8(CxhwBox& box)
{
    return UpdateWords(box, BOX_TYPE_ZEMBROW);
}

bool xutUpdateFirmwareBox9(CxhwBox& box)
{
    return UpdateWords(box, BOX_TYPE_CINDRALLY);
}

bool xutUpdateFirmwareBox6(CxhwBox& box)
{
    CxhwSystemImage& image = box.m_install;
    image.m_boxType = BOX_TYPE_LUMIVASTA;
    image.m_fileFamily = 4;
    image.m_fileRevision = 0;
    image.m_highestWord = 0xFFFF;
    image.m_padValue = 0xFFFF;
    image.m_textPatch = false;
    image.m_textBase = 0x1000;
    image.m_shortTextCount = 6;
    image.m_text4Entry = 0x811;
    image.m_text16Entry = 0x834;
    if (!xhwEnterBootstrap(box, BOX_TYPE_LUMIVASTA, false, kBootstrapSeconds))
        return false;
    CxhwImageBuffers buffers(image, kSystemWordsBox6, 2 * size_t(kSystemWordsBox6));
    const int n = xutLoadFirmwareImage(box, image);
    if (n == 0)
        return false;
    if (!xhwEnterBootstrap(box, BOX_TYPE_LUMIVASTA, true, kBootstrapSeconds))
        return false;
    box.m_info.m_bootstrapFlag = true;
    BeginSending(box);
    const bool sent = xutSendFirmwareTriples(box, image.m_wordImage, n);
    xhwResetLink(box);
    return sent;
}

bool xhwInstallSystemBox4(CxhwBox& box)
{
    CxhwSystemImage& image = box.m_install;
    image.m_boxType = BOX_TYPE_PARDOVINE;
    image.m_fileFamily = 1;
    image.m_fileRevision = 0;
    image.m_highestWord = 0x1FFF;
    image.m_padValue = 0x3FFF;
    image.m_textBase = 0x1000;
    image.m_shortTextCount = 6;
    image.m_text4Entry = 0x811;
    image.m_text16Entry = 0x834;
    CxhwImageBuffers buffers(image, kSystemWords, kSystemBytesBox4);
    const int size = xhwLoadSystemBox4(box, image);
    if (size == 0)
        return false;
    if (!xhwEnterBootstrap(box, BOX_TYPE_PARDOVINE, false, kBootstrapSeconds))
        return false;
    BeginSending(box);
    const bool sent = xhwSendSystemBox4(box, image.m_byteImage, size);
    xhwResetLink(box);
    return sent;
}

bool xutSendFirmwareWords(CxhwBox& box, const int32_t* words, int count, int pad)
{
    const int modulus = pad + 1;
    box.m_com.WriteByte(LOGGER_CMD_GET_VERSION);
    box.m_com.ReadByte(0.2f);
    for (int i = 4; i < count; ++i) {
        const int v = int(uint32_t(words[i]) % uint32_t(modulus));
        const uint8_t step[2] = {uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF)};
        box.m_com.Write(2, step);
        if (box.m_com.ReadByte(0.5f) != (step[0] ^ step[1]))
            return Fail(box, SYSTEM_RESULT_NO_ANSWER);
        if (i % 20 == 0)
            xhwSetInstallProgress(box, float(i) / float(count - 1));
        if (xhwIsInstallCancelled(box))
            return Fail(box, SYSTEM_RESULT_CANCELLED);
    }
    return AwaitRestart(box);
}

bool xutSendFirmwareTriples(CxhwBox& box, const int32_t* words, int n)
{
    while (box.m_com.ReadByte(0.1f) >= 0) {
    }
    box.m_com.WriteByte(LOGGER_CMD_GET_VERSION);
    if (box.m_com.ReadByte(0.5f) != kTransferReady)
        return Fail(box, SYSTEM_RESULT_NO_ANSWER);
    for (int i = 0; i < n; i += 3) {
        uint8_t step[6];
        uint8_t echo = 0;
        for (int k = 0; k < 3; ++k) {
            const uint32_t v = uint32_t(words[kBox6First + i + k]) & 0xFFFF;
            step[2 * k] = uint8_t(v & 0xFF);
            step[2 * k + 1] = uint8_t(v >> 8);
            echo ^= step[2 * k] ^ step[2 * k + 1];
        }
        box.m_com.Write(6, step);
        if (i % 120 == 0)
            xhwSetInstallProgress(box, float(i) / float(n - 1));
        if (box.m_com.ReadByte(1.5f) != echo)
            return Fail(box, SYSTEM_RESULT_NO_ANSWER);
        if (xhwIsInstallCancelled(box))
            return Fail(box, SYSTEM_RESULT_CANCELLED);
    }
    if (box.m_com.ReadByte(5.0f) != kTransferDone)
        return Fail(box, SYSTEM_RESULT_NO_ANSWER);
    return AwaitRestart(box);
}

bool xhwSendSystemBox4(CxhwBox& box, const uint8_t* bytes, int size)
{
    for (int offset = 0; offset < size; offset += 7) {
        uint8_t chunk[7];
        std::fill(std::begin(chunk), std::end(chunk), kBox4Filler);
        for (int i = 0; i < 7 && offset + i < size; ++i)
            chunk[i] = bytes[offset + i];
        box.m_com.Write(7, chunk);
        box.m_com.ReadByte(0.06f);
        xhwSetInstallProgress(box, float(offset) / float(size + 7));
        if (xhwIsInstallCancelled(box)) {
            box.m_com.ReadByte(0.1f);
            box.m_com.Write(4, kBox4Abort);
            box.m_com.WaitTXEmpty();
            return Fail(box, SYSTEM_RESULT_CANCELLED);
        }
    }
    box.m_com.WaitTXEmpty();
    return true;
}

bool xutExitBootstrap(CxhwBox& box)
{
    if (!box.m_info.m_bootstrapFlag)
        return false;
    box.m_com.ReadByte(0.5f);
    box.m_com.WriteByte(LOGGER_CMD_RESET);
    box.m_com.ReadByte(0.5f);
    box.m_com.WriteByte(LOGGER_CMD_RESET);
    return true;
}
