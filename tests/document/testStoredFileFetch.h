#pragma once
// The stored file both download tests give the emulated newer logger: 15 July
// 2009 13:45:30, input 1 only, six readings 2 s apart, one mark at 5 s. The
// test stands in for the box thread's fetch state.
#include "document/docDoc.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwSensor.h"
#include "protocol/xutFetchFile.h"

#include <gtest/gtest.h>

namespace qvtest {

inline void FetchAndCheckStoredFile(CdocDoc& doc, CxhwBox& box)
{
    auto sensor = [&doc](int input) -> CdocField* {
        CdocFieldKey key;
        return doc.m_data.m_fields.FindSensor(key, input) ? key.m_field : nullptr;
    };
    CxutFetchFile file;
    file.SetNumber(0);
    ASSERT_TRUE(doc.StartFetch(file));
    box.SetState(BOX_STATE_FETCH);
    ASSERT_EQ(box.FetchFile(0), 0);
    doc.TickFetch();
    doc.TickFetch();
    EXPECT_EQ(doc.m_state, DOC_STATE_STOPPED);
    const CdocData& data = doc.m_data;
    EXPECT_EQ(data.m_records, 6);
    EXPECT_DOUBLE_EQ(data.m_interval, 2.0);
    EXPECT_EQ(data.m_startDate, 20090715);
    EXPECT_EQ(data.m_startTime, 134530);
    EXPECT_EQ(sensor(0), nullptr);
    const CdocField* channel = sensor(1);
    ASSERT_NE(channel, nullptr);
    CxhwSensorV sensors;
    sensors[1].m_idCode = 69;
    sensors[1].m_idType = 3;
    sensors.AssignAll();
    for (int i = 0; i < 6; ++i)
        EXPECT_FLOAT_EQ(channel->m_samples[i], sensors[1].Convert((i + 1) << 8 | 0x80)) << i;
    // The reading whose span passes 5 s (the third, ending at 6 s) is marked.
    EXPECT_EQ(data.m_marks[2], 1);
    EXPECT_EQ(data.m_marks[1], 0);
}

} // namespace qvtest
