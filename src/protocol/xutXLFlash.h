#pragma once
#include <cstdint>
#include <vector>
#include <wx/arrstr.h>

class CxhwBox;
class CxutXLogger;

// Commands of the USB HID boot loader, byte 0 of a 64-byte report.
enum
{
    BOOT_CMD_QUERY = 0x02,
    BOOT_CMD_ERASE = 0x04,
    BOOT_CMD_PROGRAM = 0x05,
    BOOT_CMD_PROGRAM_COMPLETE = 0x06,
    BOOT_CMD_GET_DATA = 0x07,
    BOOT_CMD_RESET = 0x08,
    BOOT_CMD_SIGN = 0x09,
    BOOT_CMD_QUERY_EXTENDED = 0x0C,
};

// What the boot loader told of itself, and where the progress of the current
// phase is published.
struct CxutXLFlashQuery
{
    struct CxutRegion
    {
        int m_type = 0xFF;
        uint32_t m_start = 0;
        uint32_t m_size = 0;
    };

    virtual ~CxutXLFlashQuery() = default;

    int m_bytesPerPacket = 0;
    int m_family = 1;
    int m_extendedMark = 0;
    int m_regionCount = 0;
    CxutRegion m_regions[6];
    bool m_extended = false;
    int m_bootVersion = 0;
    int m_appVersion = 0;
    uint32_t m_signatureAddress = 0;
    int m_signatureValue = 0;
    uint32_t m_erasePageSize = 0;
    CxhwBox* m_box = nullptr;
    float m_offset = 0.0f;
    float m_span = 0.0f;
};

// One memory region of the device and its image.
struct CxutXLFlashBlock
{
    virtual ~CxutXLFlashBlock() = default;

    int m_type = 0xFF;
    uint32_t m_start = 0;
    uint32_t m_end = 0;
    size_t m_length = 0;
    std::vector<uint8_t> m_buffer;
    bool m_touched = false;
    size_t m_low = 0;
    size_t m_high = 0;
    int m_family = 1;
    int m_bytesPerAddress = 1;
    int m_bytesPerWord = 1;
    int m_packetDataSize = 58;
};

struct CxutXLFlashBlocks
{
    virtual ~CxutXLFlashBlocks() = default;
    // One block per region of the query, each buffer blank (0xFF).
    void SetRegions(const CxutXLFlashQuery& query);

    int m_count = 0;
    CxutXLFlashBlock m_blocks[6];
};

// Erases, programs, reads back, compares, signs and resets a device in its
// USB boot loader from an Intel HEX image, over the logger's command link.
// The outcome is a result code of the installation descriptor. Box thread.
class CxutXLFlash
{
public:
    explicit CxutXLFlash(CxhwBox& box);
    virtual ~CxutXLFlash();
    CxutXLFlash(const CxutXLFlash&) = delete;
    CxutXLFlash& operator=(const CxutXLFlash&) = delete;

    bool Query(float seconds);
    bool Flash(const wxArrayString& lines);
    int GetResult() const { return m_result; }
    const CxutXLFlashQuery& GetQuery() const { return m_query; }
    const CxutXLFlashBlocks& GetFileImage() const { return m_file; }

    // Largest region image taken from a device's description.
    static constexpr size_t kMaxRegionBytes = 8u << 20;

private:
    bool Send(const uint8_t report[64]);
    bool SendCommand(uint8_t command);
    bool ReadReply(uint8_t reply[64], float seconds);
    bool Progress(float fraction);
    void BeginPhase(float offset, float span);
    bool LoadHex(const wxArrayString& lines);
    bool Program(const CxutXLFlashBlock& block);
    bool ReadBack(CxutXLFlashBlock& block, const CxutXLFlashBlock* file);
    bool Compare() const;
    bool CheckSignature();
    bool Fail(int result);

    CxutXLogger& m_link;
    CxutXLFlashQuery m_query;
    CxutXLFlashBlocks m_file;
    CxutXLFlashBlocks m_readBack;
    int m_result = 0;
};

// Bytes per address and per word of a region type on a device family.
void xutXLFlashSizes(int family, int type, int& bytesPerAddress, int& bytesPerWord);
