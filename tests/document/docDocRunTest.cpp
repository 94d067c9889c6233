#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "protocol/xhwSystemImage.h"
#include "support/testBoxes.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A document with a logger manager whose threads do not run: the test puts
// the readings into the sample queue itself, as the host clock would.
class DocumentRun : public testing::Test
{
protected:
    DocumentRun()
    {
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
        // The simulated logger with two sensors that give their raw reading.
        CxutBoxInfo& info = m_doc.m_boxInfo.m_info;
        info.m_hardware = BOX_TYPE_SIMULATED;
        info.m_firmware = 1.0f;
        info.m_maxSensors = 4;
        m_doc.m_boxInfo.m_sensors[0] = qvtest::MakeSensor(9, 7, 70000.0f);
        m_doc.m_boxInfo.m_sensors[1] = qvtest::MakeSensor(8, 7, 70000.0f);
        m_doc.OnNew();
    }

    // n readings, the first input counting from first.
    void Queue(int n, int first = 0)
    {
        for (int i = 0; i < n; ++i) {
            const int raw[6] = {first + i, 1000, 0x20000, 0x20000, 0x20000, 0x20000};
            m_boxes.m_box.PutSamples(raw, 6);
        }
    }

    CdocField* Channel(int content, int n = 0)
    {
        CdocFieldKey key;
        if (content == CONTENT_SENSOR)
            return m_doc.m_data.m_fields.GetSensor(key, n) ? key.m_field : nullptr;
        return m_doc.m_data.m_fields.FindContent(key, 0, content) ? key.m_field : nullptr;
    }

    int Count(int hint) const { return m_owner.Count(hint); }

    CgumResCore m_res;
    CappOptions m_options; // user level 4: every feature allowed
    qvtest::CtestBoxes m_boxesShown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    qvtest::CtestDocOwner m_owner;
};

} // namespace

// The pacing's injectable clock: each call comes `step` ms after the last; of
// ten calls, as many work as the ratio of real to nominal time allows.
TEST_F(DocumentRun, TickPacingFollowsTheRealTime)
{
    const struct
    {
        int step;
        int working;
    } cases[] = {{100, 10}, {110, 10}, {121, 9}, {200, 5}, {404, 1}, {1000, 1}};
    for (const auto& c : cases) {
        CdocDoc doc;
        int64_t now = 0;
        doc.m_tickClock = [&now] { return now; };
        int worked = 0;
        for (int call = 0; call < 200; ++call) {
            const bool works = doc.PaceTick();
            if (call >= 100)
                worked += works;
            now += c.step;
        }
        EXPECT_EQ(worked, c.working * 10) << "step " << c.step;
        EXPECT_EQ(doc.m_workingSlots, c.working) << "step " << c.step;
    }
}

// The first call works and takes slot 0; the ratio is then measured on
// every fifth call, from the sixth on.
TEST_F(DocumentRun, TickPacingMeasuresOnEveryFifthCall)
{
    int64_t now = 0;
    m_doc.m_tickClock = [&now] { return now; };
    std::vector<int> measured;
    for (int call = 1; call <= 21; ++call, now += 200) {
        m_doc.m_lastRatio = 0;
        EXPECT_EQ(m_doc.PaceTick(), call < 6 || call % 2 == 1) << call;
        if (m_doc.m_lastRatio != 0) {
            measured.push_back(call);
            EXPECT_EQ(m_doc.m_lastRatio, 200u) << call;
        }
    }
    EXPECT_EQ(measured, (std::vector<int>{6, 11, 16, 21}));
    EXPECT_EQ(m_doc.m_workingSlots, 5);
}

// Back on time, all ten slots work again; a tick entered while one runs
// changes nothing at all.
TEST_F(DocumentRun, TickPacingRecoversAndIsNotReentered)
{
    int64_t now = 0;
    m_doc.m_tickClock = [&now] { return now; };
    for (int call = 0; call < 100; ++call, now += 300)
        m_doc.PaceTick();
    EXPECT_LT(m_doc.m_workingSlots, 10);
    for (int call = 0; call < 600; ++call, now += 100)
        m_doc.PaceTick();
    EXPECT_EQ(m_doc.m_workingSlots, 10);

    m_doc.m_timerRecursionLock = true;
    const int slot = m_doc.m_slotPosition;
    const int nominal = m_doc.m_nominalElapsed;
    m_doc.OnTimerTick();
    EXPECT_TRUE(m_doc.m_timerRecursionLock);
    EXPECT_EQ(m_doc.m_slotPosition, slot);
    EXPECT_EQ(m_doc.m_nominalElapsed, nominal);
    m_doc.m_timerRecursionLock = false;
    m_doc.OnTimerTick();
    EXPECT_FALSE(m_doc.m_timerRecursionLock);
}

// A full AutoLog store keeps every second record, doubles the interval and
// LogSkip, merges the marks and goes on: twice.
TEST_F(DocumentRun, AutoLogCompactsTwice)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    CdocData& data = m_doc.m_data;
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    EXPECT_EQ(m_boxes.GetState(), BOXES_STATE_SAMPLING);
    EXPECT_TRUE(m_boxes.IsSlowPolling());
    EXPECT_DOUBLE_EQ(data.m_interval, 0.05);
    EXPECT_EQ(data.m_logSkip, 1);
    EXPECT_EQ(data.m_maxRecords, 1001);
    EXPECT_EQ(data.m_dataSource, DATA_SOURCE_SIMULATOR);

    Queue(1000);
    m_doc.TickAutoLog();
    EXPECT_EQ(data.m_records, 1000);
    EXPECT_TRUE(m_doc.m_unsavedData);
    data.m_marks[2] = 1;   // -> record 1
    data.m_marks[7] = 1;   // -> record 3
    data.m_marks[999] = 1; // -> record 499
    m_owner.m_hints.clear();
    Queue(1, 1000);
    m_doc.TickAutoLog();
    EXPECT_EQ(data.m_records, 501);
    EXPECT_EQ(data.m_logNext, 501);
    EXPECT_DOUBLE_EQ(data.m_interval, 0.1);
    EXPECT_EQ(data.m_logSkip, 2);
    EXPECT_EQ(Count(HINT_STORE_COMPACTED), 1);
    EXPECT_EQ(Count(HINT_NEW_DATA), 1);
    for (int i = 0; i < 501; ++i)
        EXPECT_EQ(data.m_marks[i] != 0, i == 1 || i == 3 || i == 499) << i;
    CdocField* sensor = Channel(CONTENT_SENSOR);
    CdocField* time = Channel(CONTENT_ELAPSED_TIME);
    ASSERT_NE(sensor, nullptr);
    ASSERT_NE(time, nullptr);
    EXPECT_FLOAT_EQ(sensor->m_samples[250], 500.0f);
    EXPECT_FLOAT_EQ(sensor->m_samples[500], 1000.0f);
    EXPECT_EQ(sensor->m_samples[501], DOC_NO_VALUE);

    // Every second reading is stored now: 1000 more readings fill it again.
    m_owner.m_hints.clear();
    Queue(1000, 1001);
    m_doc.TickAutoLog();
    EXPECT_EQ(data.m_records, 501);
    EXPECT_DOUBLE_EQ(data.m_interval, 0.2);
    EXPECT_EQ(data.m_logSkip, 4);
    EXPECT_EQ(Count(HINT_STORE_COMPACTED), 1);
    for (int i = 0; i < 501; ++i)
        EXPECT_EQ(data.m_marks[i] != 0, i == 0 || i == 1 || i == 249) << i;
    // Record r of the store now holds reading 4 r, at 0.2 s steps.
    EXPECT_FLOAT_EQ(sensor->m_samples[100], 400.0f);
    EXPECT_FLOAT_EQ(sensor->m_samples[500], 2000.0f);
    EXPECT_NEAR(time->m_samples[500] / time->m_gain, 100.0, 1e-3);
    // Of the next four readings only the fourth is stored.
    Queue(4, 2001);
    m_doc.TickAutoLog();
    EXPECT_EQ(data.m_records, 502);
    EXPECT_FLOAT_EQ(sensor->m_samples[501], 2004.0f);
}

// A periodic run stops by itself when its store is full; the readings after
// it stay in the queue.
TEST_F(DocumentRun, PeriodicStopsAtItsReadingsCount)
{
    m_doc.SetActivity(ACTIVITY_PERIODIC);
    m_doc.m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_doc.m_setup.m_readings = 101;
    m_doc.m_setup.m_period = 0.5;
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    CdocData& data = m_doc.m_data;
    EXPECT_EQ(data.m_maxRecords, 101);
    EXPECT_DOUBLE_EQ(data.m_interval, 0.5);
    EXPECT_EQ(data.m_logSkip, 5);
    EXPECT_DOUBLE_EQ(m_boxes.GetSamplePeriod(), 0.1);
    EXPECT_FALSE(m_boxes.IsSlowPolling());

    Queue(600);
    m_doc.OnTimerTick(); // the first tick works
    EXPECT_EQ(data.m_records, 101);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_boxes.GetSampleCount(), (600 - 501) * 6);
    EXPECT_EQ(m_boxes.GetState(), BOXES_STATE_SEARCH);
    EXPECT_EQ(Count(HINT_RUN_STOPPED), 1);
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR)->m_samples[100], 500.0f);
}

// A snapshot stores one record per Store, the newest reading; a Store at the
// store's capacity stores nothing and says so.
TEST_F(DocumentRun, SnapshotStoresOneRecordPerStore)
{
    m_doc.SetActivity(ACTIVITY_SNAPSHOT);
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    CdocData& data = m_doc.m_data;
    EXPECT_TRUE(m_doc.m_viewGauge);
    EXPECT_TRUE(m_doc.m_graph.m_bars);
    EXPECT_EQ(data.m_maxRecords, DOC_MAX_SAMPLES);
    Queue(3, 10);
    m_doc.TickSnapshot();
    EXPECT_EQ(data.m_records, 0);
    EXPECT_TRUE(m_doc.CanStore());
    EXPECT_EQ(m_doc.Store(), DOC_RESULT_DONE);
    EXPECT_EQ(data.m_records, 1);
    Queue(2, 20);
    EXPECT_EQ(m_doc.Store(), DOC_RESULT_DONE);
    EXPECT_EQ(data.m_records, 2);
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR)->m_samples[0], 12.0f);
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR)->m_samples[1], 21.0f);
    EXPECT_FLOAT_EQ(Channel(CONTENT_READING)->m_samples[1], 2.0f);

    // Full: nothing written past record 20000, and the user is told.
    data.m_logNext = DOC_MAX_SAMPLES;
    data.SetRecords(DOC_MAX_SAMPLES);
    m_boxesShown.m_calls.clear();
    Queue(1, 99);
    EXPECT_EQ(m_doc.Store(), DOC_RESULT_DONE);
    EXPECT_EQ(data.m_records, DOC_MAX_SAMPLES);
    EXPECT_EQ(data.m_logNext, DOC_MAX_SAMPLES);
    ASSERT_EQ(m_boxesShown.m_calls.size(), 1u);
    EXPECT_EQ(m_boxesShown.m_calls[0].kind, zxBOX_ERROR);

    m_doc.Stop();
    EXPECT_EQ(m_doc.Store(), DOC_RESULT_NOT_ALLOWED);
}

// A broken link stops the run and keeps every reading taken, also those
// still waiting in the queue.
TEST_F(DocumentRun, BrokenLinkKeepsTheReadings)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    Queue(5);
    m_doc.TickAutoLog();
    Queue(3, 5);
    m_doc.OnLinkBroken();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_records, 8);
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR)->m_samples[7], 7.0f);
    ASSERT_EQ(m_boxesShown.m_calls.size(), 1u);
    EXPECT_EQ(m_boxesShown.m_calls[0].text, "Link to logger broken");
    // Only a running document reacts.
    m_doc.OnLinkBroken();
    EXPECT_EQ(m_boxesShown.m_calls.size(), 1u);
}

// Stop keeps the readings still waiting in the queue, as a broken link does:
// the next start would empty the queue.
TEST_F(DocumentRun, StopKeepsTheWaitingReadings)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    Queue(5);
    m_doc.TickAutoLog();
    Queue(2, 5);
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_records, 7);
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR)->m_samples[6], 6.0f);
    EXPECT_EQ(m_boxes.GetSampleCount(), 0);
    EXPECT_EQ(Count(HINT_RUN_STOPPED), 1);
}

// A periodic store that fills while Stop takes the waiting readings ends the
// run there, once; the readings past it stay in the queue.
TEST_F(DocumentRun, StopOfAFillingPeriodicRunStoresWhatFits)
{
    m_doc.SetActivity(ACTIVITY_PERIODIC);
    m_doc.m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_doc.m_setup.m_readings = 101;
    m_doc.m_setup.m_period = 0.5;
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    Queue(600);
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_records, 101);
    EXPECT_EQ(m_doc.m_data.m_logNext, 101);
    EXPECT_EQ(m_boxes.GetSampleCount(), (600 - 501) * 6);
    EXPECT_EQ(Count(HINT_RUN_STOPPED), 1);
}

TEST_F(DocumentRun, MarksOfTheNewestRecord)
{
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    EXPECT_FALSE(m_doc.CanMark()); // nothing stored yet
    Queue(4);
    m_doc.TickAutoLog();
    EXPECT_TRUE(m_doc.CanMark());
    m_doc.Mark();
    EXPECT_EQ(m_doc.m_data.m_marks[3], 1);
    EXPECT_FALSE(m_doc.CanMark()); // marked already
    m_doc.RememberMark();
    EXPECT_EQ(m_doc.m_rememberedMark, -1); // nothing to remember: not markable
    Queue(1, 4);
    m_doc.TickAutoLog();
    m_doc.RememberMark();
    EXPECT_EQ(m_doc.m_rememberedMark, 4);
    m_doc.MarkRemembered();
    EXPECT_EQ(m_doc.m_data.m_marks[4], 1);
    EXPECT_EQ(m_doc.m_rememberedMark, -1);
}

// Start code 1 prepares the run and ends it at once; Start Overlaid on an
// empty store starts afresh; a stopped store with records continues.
TEST_F(DocumentRun, StartForms)
{
    m_doc.m_matchCode = START_CODE_PREPARE;
    EXPECT_EQ(m_doc.StartNew(), DOC_RESULT_DONE);
    m_doc.m_matchCode = START_CODE_NONE;
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    std::vector<int> order;
    for (const auto& hint : m_owner.m_hints)
        if (hint.code == HINT_RUN_STARTED || hint.code == HINT_RUN_STOPPED)
            order.push_back(hint.code);
    EXPECT_EQ(order, (std::vector<int>{HINT_RUN_STARTED, HINT_RUN_STOPPED}));

    EXPECT_TRUE(m_doc.CanStartOverlay());
    EXPECT_EQ(m_doc.StartOverlay(), DOC_RESULT_DONE);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    Queue(10);
    m_doc.TickAutoLog();
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_data.m_records, 10);
    // The elapsed-time scale fits the recorded span.
    CdocField* time = Channel(CONTENT_ELAPSED_TIME);
    EXPECT_FLOAT_EQ(time->m_now.m_max, time->m_dataRange.m_max);

    // Continued with Overlay on: the sensor data is kept in stored copies.
    m_doc.m_overlay = true;
    EXPECT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    EXPECT_EQ(m_doc.m_data.m_logNext, 0);
    EXPECT_NE(Channel(CONTENT_STORED_SENSOR), nullptr);
    m_doc.Stop();

    // The oscilloscope starts in its own part, over the data kept.
    m_doc.SetActivity(ACTIVITY_SCOPE);
    m_boxesShown.m_calls.clear();
    EXPECT_EQ(m_doc.StartNew(), DOC_RESULT_DONE);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_RUNNING);
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
    m_doc.Stop();
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
}

// A Fast run without an input that can trigger, even after a change of
// scale or units, fails with its code alone: no message, no input -1.
TEST_F(DocumentRun, FastStartWithoutTriggerFails)
{
    m_doc.m_boxInfo.m_info.m_hardware = BOX_TYPE_KESTILON;
    m_doc.m_boxInfo.m_sensors[0] = CxhwSensor();
    m_doc.m_boxInfo.m_sensors[0].m_idCode = 0;
    m_doc.SetActivity(ACTIVITY_FAST);
    EXPECT_EQ(m_doc.StartNew(), DOC_RESULT_NO_TRIGGER);
    EXPECT_EQ(m_doc.m_state, DOC_STATE_READY);
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
    EXPECT_NE(m_boxes.GetState(), BOXES_STATE_SETUP_LOGGING);
}

// The logger's description builds the channels on the first update; later
// updates give one deferred hint, the first of linked, sensors, values and
// status.
TEST_F(DocumentRun, LoggerUpdatesAndDeferredHints)
{
    CxhwBox& box = m_boxes.m_box;
    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    box.m_info.m_maxSensors = 4;
    box.m_sensors[0] = qvtest::MakeSensor(9, 7, 70000.0f);
    box.m_sensors[1] = qvtest::MakeSensor(8, 7, 70000.0f);
    const int raw[6] = {100, 200, 0x20000, 0x20000, 0x20000, 0x20000};
    box.SetRawValues(raw);
    box.Publish();
    m_owner.m_hints.clear();

    m_doc.OnBoxChanged();
    EXPECT_FALSE(m_doc.m_waitingForFind);
    EXPECT_NE(Channel(CONTENT_READING), nullptr);
    EXPECT_NE(Channel(CONTENT_ELAPSED_TIME), nullptr);
    ASSERT_NE(Channel(CONTENT_SENSOR, 1), nullptr);
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR, 1)->m_current, 200.0f);
    EXPECT_EQ(Count(HINT_CHANNELS_RESET), 1);
    EXPECT_EQ(Count(HINT_BOX_LINKED), 0); // deferred to the tick
    m_doc.FlushBoxHints();
    EXPECT_EQ(Count(HINT_BOX_LINKED), 1);

    // Only new readings, twice between two ticks: one values hint.
    m_owner.m_hints.clear();
    for (int value : {300, 400}) {
        const int next[6] = {value, 200, 0x20000, 0x20000, 0x20000, 0x20000};
        box.SetRawValues(next);
        box.Publish();
        m_doc.OnBoxChanged();
    }
    EXPECT_FLOAT_EQ(Channel(CONTENT_SENSOR, 0)->m_current, 400.0f);
    m_doc.FlushBoxHints();
    m_doc.FlushBoxHints();
    EXPECT_EQ(Count(HINT_BOX_VALUES), 1);
    EXPECT_EQ(Count(HINT_CHANNELS_RESET), 0);

    // While running, the event changes nothing.
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    box.m_sensors[1].m_idCode = 0;
    box.Publish();
    m_doc.OnBoxChanged();
    EXPECT_NE(Channel(CONTENT_SENSOR, 1), nullptr);
}

// While ready every input keeps a channel: one switched off stays, marked
// off, so that it can be switched on again from its channel menu.
TEST_F(DocumentRun, AnInputSwitchedOffKeepsItsChannelWhileReady)
{
    CxhwBox& box = m_boxes.m_box;
    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    box.m_info.m_maxSensors = 4;
    box.m_sensors[0] = qvtest::MakeSensor(9, 7, 70000.0f);
    box.m_sensors[1] = qvtest::MakeSensor(8, 7, 70000.0f);
    box.Publish();
    m_doc.OnBoxChanged();
    CdocFieldKey key;
    ASSERT_TRUE(m_doc.m_data.m_fields.FindSensor(key, 1));
    const int channel = key.m_key;
    EXPECT_TRUE(key.m_field->m_fieldEnable);

    for (bool on : {false, true}) {
        box.m_sensors[1].m_enable = on;
        box.Publish();
        m_doc.OnBoxChanged();
        ASSERT_TRUE(m_doc.m_data.m_fields.FindSensor(key, 1)) << on;
        EXPECT_EQ(key.m_key, channel);
        EXPECT_EQ(key.m_field->m_fieldEnable, on);
    }
}

// The frame's title is renewed when a logger is found and whenever the logger
// or its sensors change, not for new readings alone.
TEST_F(DocumentRun, LoggerUpdatesRenewTheFrameTitle)
{
    CxhwBox& box = m_boxes.m_box;
    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    box.m_info.m_maxSensors = 4;
    box.m_sensors[0] = qvtest::MakeSensor(9, 7, 70000.0f);
    box.Publish();
    m_doc.OnBoxChanged();
    EXPECT_EQ(m_owner.m_titleRenewals, 1);

    const int raw[6] = {300, 0x20000, 0x20000, 0x20000, 0x20000, 0x20000};
    box.SetRawValues(raw);
    box.Publish();
    m_doc.OnBoxChanged();
    EXPECT_EQ(m_owner.m_titleRenewals, 1);

    box.m_sensors[1] = qvtest::MakeSensor(8, 7, 70000.0f);
    box.Publish();
    m_doc.OnBoxChanged();
    EXPECT_EQ(m_owner.m_titleRenewals, 2);
}

// The offer of newer system software: asked when the program carries a newer
// version, never on version grounds below 1.0, once per type after a No.
TEST_F(DocumentRun, SystemSoftwareOffer)
{
    CxutBoxInfo& info = m_doc.m_boxInfo.m_info;
    const struct
    {
        int type;
        float firmware;
        bool bootstrap;
        bool asked;
    } cases[] = {
        {BOX_TYPE_TUNDRANE, 1.05f, false, true}, {BOX_TYPE_TUNDRANE, 0.95f, false, false},
        {BOX_TYPE_TUNDRANE, 1.09f, false, false}, {BOX_TYPE_ZEMBROW, 0.5f, true, true},
        {BOX_TYPE_SIMULATED, 1.0f, false, false},
    };
    for (const auto& c : cases) {
        xhwSystemUpdateOffer[c.type] = true;
        info.m_hardware = c.type;
        info.m_firmware = c.firmware;
        info.m_bootstrapFlag = c.bootstrap;
        m_boxesShown.m_calls.clear();
        m_boxesShown.AnswerNo();
        m_doc.CheckSystemSoftware();
        EXPECT_EQ(m_boxesShown.m_calls.size(), c.asked ? 1u : 0u) << c.type << " " << c.firmware;
        EXPECT_FALSE(m_doc.m_systemPrompt);
        if (!c.asked)
            continue;
        EXPECT_FALSE(xhwSystemUpdateOffer[c.type]); // declined: not asked again
        m_boxesShown.m_calls.clear();
        m_doc.CheckSystemSoftware();
        EXPECT_TRUE(m_boxesShown.m_calls.empty());
        xhwSystemUpdateOffer[c.type] = true;
    }
    // While an installation runs nothing is asked.
    info.m_hardware = BOX_TYPE_TUNDRANE;
    info.m_firmware = 1.0f;
    info.m_bootstrapFlag = false;
    m_doc.m_boxInfo.m_install.m_stage = 2;
    m_boxesShown.m_calls.clear();
    m_doc.CheckSystemSoftware();
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
    m_doc.ReloadSystemSoftware();
    EXPECT_TRUE(m_boxesShown.m_calls.empty());
}
