#pragma once
#include <cstdint>
#include <wx/string.h>

// Request codes: 0 none or served.
enum
{
    BOX_REQUEST_NONE = 0,
    BOX_REQUEST_SET_NAME = 1,
    BOX_REQUEST_SET_CLOCK = 2,
    BOX_REQUEST_INSTALL_SYSTEM = 3,
    BOX_REQUEST_LIST_FILES = 4,
    BOX_REQUEST_PH_CALIBRATE = 5,
};

// Answers: 0 pending; the poster waits for 2 or more.
enum
{
    BOX_ANSWER_PENDING = 0,
    BOX_ANSWER_DONE = 2,
    BOX_ANSWER_FAILED = 3,
    BOX_ANSWER_NAME_PASSED = 4,
    BOX_ANSWER_UNSUPPORTED = 5,
};

// A one-off request posted by the user interface to the box thread, and its
// answer. Plain record, copied whole under the box mutex.
class CxutBoxRequest
{
public:
    static constexpr int64_t kNoTime = INT64_MIN;

    int32_t m_code = BOX_REQUEST_NONE;
    int32_t m_answer = BOX_ANSWER_PENDING;
    wxString m_text;
    int32_t m_value = 0;
    // Local date-time in milliseconds since 1970; kNoTime for none.
    int64_t m_time = kNoTime;
    // The pH calibration's arguments and the driver's result.
    int32_t m_input = 0;
    float m_gain = 0.0f;
    float m_offset = 0.0f;
    int32_t m_result = 0;
};
