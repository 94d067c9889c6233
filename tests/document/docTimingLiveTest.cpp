// Test label: threads
// A timing run with the simulated logger end to end, without a display: the
// logger threads, the document and a main loop of our own that delivers the
// threads' events and calls the 100 ms tick.
#include "app/appOptions.h"
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSimulatedDriver.h"
#include "support/testBoxes.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <wx/utils.h>

namespace {

class TimingLiveRun : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        gumSetCommandPoster([this](int id, int) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_posted.push_back(id);
        });
        m_doc.m_owner = &m_owner;
        m_boxes.SetSimulated(true);
        ASSERT_TRUE(m_boxes.StartThreads());
        m_doc.OnNew();
        RunUntil([this] { return m_doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }, 30000);
        ASSERT_EQ(m_doc.m_boxInfo.m_info.m_hardware, BOX_TYPE_SIMULATED);
    }

    void TearDown() override
    {
        xhwSimulatedSetLinkBroken(false);
        m_boxes.StopThreads();
        gumSetCommandPoster(nullptr);
    }

    // The main loop: the threads' events as they come, the tick every 100 ms.
    void RunUntil(const std::function<bool()>& done, int ms)
    {
        CzxStopWatch watch;
        long nextTick = 0;
        while (watch.Time() < ms && !done()) {
            std::deque<int> events;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                events.swap(m_posted);
            }
            for (int id : events) {
                if (id == ID_EVT_BOX_CHANGED)
                    m_doc.OnBoxChanged();
                else if (id == ID_EVT_LINK_BROKEN)
                    m_doc.OnLinkBroken();
            }
            if (watch.Time() >= nextTick) {
                m_doc.OnTimerTick();
                nextTick += 100;
            }
            wxMilliSleep(5);
        }
    }

    void RunFor(int ms)
    {
        RunUntil([] { return false; }, ms);
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CappOptions m_options;
    qvtest::CtestBoxes m_boxesShown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    qvtest::CtestDocOwner m_owner;
    std::mutex m_mutex;
    std::deque<int> m_posted;
};

} // namespace

// The simulated logger blocks gate 1 and then gate 2 once a cycle; each
// blocking lasts one event of at most 8160 ticks of 32 microseconds.
TEST_F(TimingLiveRun, TimesOfGateBlockingsAreStored)
{
    CxhwSetup& setup = m_doc.m_setup;
    setup.SetLogType(m_doc, SETUP_LOG_TIMING);
    setup.SetMeasurement(m_doc, MEASUREMENT_TIME_DIFFERENCE);
    setup.SetBars(m_doc, 1);
    setup.SetTimingSensor(m_doc, TIMING_SENSOR_ANY);
    ASSERT_EQ(m_doc.ApplySetup(), DOC_RESULT_DONE);
    ASSERT_EQ(m_doc.m_activity, ACTIVITY_TIMING);
    ASSERT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    RunUntil([this] { return m_doc.m_data.m_records >= 2; }, 30000);
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    const CdocData& data = m_doc.m_data;
    ASSERT_GE(data.m_records, 2);
    EXPECT_EQ(data.m_logType, ACTIVITY_TIMING);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);
    const double tickRate = m_doc.m_boxInfo.m_boxTimingTicksPerSecond;
    ASSERT_GT(tickRate, 0.0);
    const float longest = float(8160.0 / tickRate);
    CdocFieldKey keys[2];
    ASSERT_TRUE(data.m_fields.FindSensor(keys[0], 0));
    ASSERT_TRUE(data.m_fields.FindSensor(keys[1], 1));
    int results[2] = {0, 0};
    for (int row = 0; row < data.m_records; ++row) {
        int inRow = 0;
        for (int input = 0; input < 2; ++input) {
            const float t = keys[input].m_field->m_samples[row];
            if (t == DOC_NO_VALUE)
                continue;
            ++inRow;
            ++results[input];
            EXPECT_GE(t, 0.0f) << row;
            EXPECT_LE(t, longest) << row;
        }
        EXPECT_EQ(inRow, 1) << row; // the gates are blocked one after the other
    }
    EXPECT_GE(results[0], 1);
    EXPECT_GE(results[1], 1);
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
}
