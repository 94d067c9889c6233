#pragma once
#include <cstdint>
#include <wx/filename.h>

// Result codes of a system or firmware installation.
enum
{
    SYSTEM_RESULT_DONE = 0,
    SYSTEM_RESULT_CANCELLED = 7,
    SYSTEM_RESULT_NO_ANSWER = 8,
    SYSTEM_RESULT_FILE_MISSING = 9,
    SYSTEM_RESULT_FILE_CORRUPT = 10,
    SYSTEM_RESULT_WRONG_LOGGER = 11,
    SYSTEM_RESULT_NEEDS_USB = 16,
};

// The state and outcome of a logger system installation. The box holds the
// working copy; every published logger description carries a copy of its state.
class CxhwSystemImage
{
public:
    CxhwSystemImage();

    void Reset();
    // Takes the other descriptor's state (what a published copy carries);
    // the installer's buffers are never shared.
    void CopyStateFrom(const CxhwSystemImage& other);

    int32_t m_fileFamily = 0;
    int32_t m_fileRevision = 0;
    int32_t m_boxType = 0;
    // The installer's buffers, owned by the installer while it runs.
    uint8_t* m_byteImage = nullptr;
    int32_t* m_wordImage = nullptr;
    int32_t m_highestWord = 0x1EFF;
    int32_t m_padValue = 0x3FFF;
    bool m_textPatch = true;
    int32_t m_textBase = 0x13FF;
    int32_t m_shortTextCount = 8;
    int32_t m_text4Entry = 0x825;
    int32_t m_text16Entry = 0x9C4;
    int32_t m_result = SYSTEM_RESULT_DONE;
    wxFileName m_fileName;
    bool m_noImage = false;
    float m_progress = 0.0f;
    // 1 preparing, 2 sending, 3 waiting for the restart, 0 ended.
    int32_t m_stage = 0;
    bool m_cancel = false;
};

// Whether a system update is offered, per box type (0 to 100); the document
// clears a type's entry when the user declines. Set up by the first descriptor.
extern bool xhwSystemUpdateOffer[101];

// Version of the system software that ships for a box type; 0 for none.
float xhwGetSystemVersion(int boxType);
