// Test label: threads
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

bool AnySensorMark(const CxhwSensor& s)
{
    return s.m_changedId || s.m_changedCal || s.m_changedEnable || s.m_changedRaw;
}

} // namespace

// Working state -> published copy -> the caller's copy: each step marks what
// differs from the previous copy at that step, and nothing else.
TEST(BoxPublication, ChangeMarksAcrossTheThreeCopies)
{
    CxhwBoxes boxes;
    CxhwBox& box = boxes.m_box;
    CxutBoxPublicInfo doc;

    EXPECT_FALSE(box.Publish()); // nothing learnt yet
    EXPECT_TRUE(doc.m_info.m_changed);
    EXPECT_FALSE(box.GetPublicInfo(doc)); // the same as the new copy held
    EXPECT_FALSE(doc.m_info.m_changed);

    box.m_info.m_hardware = BOX_TYPE_SIMULATED;
    box.m_info.m_maxSensors = 4;
    box.m_sensors[0].m_idCode = 9;
    box.m_stamp = "Lab 3";
    EXPECT_TRUE(box.Publish());
    EXPECT_FALSE(box.Publish()); // twice with nothing learnt in between

    boxes.GetPublicInfo(doc);
    EXPECT_TRUE(doc.m_info.m_changed);
    EXPECT_EQ(doc.m_info.m_hardware, BOX_TYPE_SIMULATED);
    EXPECT_TRUE(doc.m_sensors[0].m_changedId);
    EXPECT_FALSE(AnySensorMark(doc.m_sensors[1]));
    EXPECT_TRUE(doc.m_stampChanged);
    EXPECT_FALSE(doc.m_powerChanged);
    EXPECT_EQ(doc.m_boxStamp, "Lab 3");
    EXPECT_EQ(doc.m_boxTimingIdentify, 7); // the simulated logger's own

    // The reader missed no publication: the marks tell only the new change.
    box.m_power = 60;
    EXPECT_TRUE(box.Publish());
    box.m_power = 61;
    EXPECT_TRUE(box.Publish());
    boxes.GetPublicInfo(doc);
    EXPECT_TRUE(doc.m_powerChanged);
    EXPECT_FALSE(doc.m_stampChanged);
    EXPECT_FALSE(doc.m_info.m_changed);
    EXPECT_FALSE(AnySensorMark(doc.m_sensors[0]));
    EXPECT_EQ(doc.m_boxPower, 61);
    EXPECT_FALSE(boxes.m_box.GetPublicInfo(doc));
}

TEST(BoxPublication, UserChoicesReachTheWorkingSensors)
{
    CxhwBoxes boxes;
    CxhwBox& box = boxes.m_box;
    box.m_info.m_hardware = BOX_TYPE_PARDOVINE;
    box.m_sensors[0].m_idCode = 17;
    box.m_sensors[0].m_idType = box.m_sensors[0].m_calType = 0x83;
    box.m_sensors[1].m_idCode = 9;
    box.m_sensors[1].m_idType = box.m_sensors[1].m_calType = 7;
    box.m_sensors[1].m_raw = 1234;
    box.m_timingMask = 7;
    box.Publish();
    CxutBoxPublicInfo doc;
    boxes.GetPublicInfo(doc);
    EXPECT_EQ(doc.m_boxTimingIdentify, 1);

    boxes.SetSensorEnable(0, false);
    boxes.SetSensorCalibration(1, 3, -1); // -1: the sensor's own type
    boxes.SetSensorCalibration(2, 3, 5);
    boxes.GetPublicInfo(doc); // seen at once, before the box thread acts
    EXPECT_FALSE(doc.m_sensors[0].m_enable);
    EXPECT_TRUE(doc.m_sensors[0].m_changedEnable);
    EXPECT_EQ(doc.m_boxTimingIdentify, 0);
    EXPECT_EQ(doc.m_sensors[2].m_calType, 5);

    box.Publish(); // carries the choices into the working sensors
    EXPECT_FALSE(box.m_sensors[0].m_enable);
    EXPECT_EQ(box.m_sensors[1].m_calType, 7);
    EXPECT_EQ(box.m_sensors[1].m_raw, 0x20000); // the old reading meant another calibration
    EXPECT_EQ(box.m_sensors[2].m_calType, 5);

    // A driver's next look at the same sensors does not undo the choice.
    box.m_sensors[0].m_changedEnable = false;
    box.Publish();
    boxes.GetPublicInfo(doc);
    EXPECT_FALSE(doc.m_sensors[0].m_enable);
    EXPECT_FALSE(doc.m_sensors[0].m_userEnable);
    EXPECT_FALSE(box.m_sensors[0].m_enable);

    boxes.SetSensorEnable(9, true); // out of range: ignored
    boxes.SetSensorCalibration(-1, 3, 5);
}

TEST(BoxReadings, HostSamplesAndCounters)
{
    CxhwBox box;
    box.m_sensors[2].m_calType = 1; // a counting input
    const int raw[6] = {100, 200, 0x20000, 400, 500, 600};
    box.SetRawValues(raw);
    box.m_sensors[2].m_raw = 5;

    EXPECT_TRUE(box.PushHostSample(0, true));
    EXPECT_EQ(box.GetSampleCount(), 0);
    EXPECT_EQ(box.m_sensors[2].m_raw, 0);

    box.m_sensors[2].m_raw = 7;
    EXPECT_TRUE(box.PushHostSample(2, true));
    std::vector<int> got(12);
    ASSERT_TRUE(box.GetSamples(got.data(), 12));
    EXPECT_EQ(got, (std::vector<int>{100, 200, 0x20000, 400, 500, 600, 100, 200, 0x20000, 400,
                                     500, 600}));
    box.m_sensors[2].m_raw = 3;
    box.PushHostSample(1, false);
    ASSERT_TRUE(box.GetSamples(got.data(), 6));
    EXPECT_EQ(got[2], 3);
}

TEST(BoxDispatch, NoLoggerAnswersWithTheDefaults)
{
    CxhwBox box;
    int values[6] = {1, 2, 3, 4, 5, 6};
    box.m_run.m_scopeMode = true;
    box.m_run.m_lastSentOutputs = 3;
    EXPECT_FALSE(box.StartPolling(values));
    EXPECT_FALSE(box.m_run.m_scopeMode);
    EXPECT_EQ(box.m_run.m_lastSentOutputs, -1);
    EXPECT_FALSE(box.Poll(values));
    EXPECT_EQ(values[5], 0);
    bool got = true;
    EXPECT_FALSE(box.ReadSetupLogging(values, got));
    EXPECT_FALSE(got);
    EXPECT_FALSE(box.StartTiming());
    int mask = -1;
    EXPECT_TRUE(box.GetTimingMask(mask));
    EXPECT_EQ(mask, 0);
    wxString name = "kept";
    int kind = 9;
    box.ReadName(name, kind);
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(box.WriteName("x", 0, kind), 2);
    EXPECT_EQ(box.GetStoredFileCount(), -1);
    EXPECT_EQ(box.GetStoredFileMask(), 0);
    EXPECT_EQ(box.FetchFile(0), 4);
    EXPECT_TRUE(box.m_fetch.IsResultReady());
    EXPECT_EQ(box.m_fetch.GetResult(), 4);
    EXPECT_FALSE(box.HasFeature(6));
}

TEST(BoxRequests, AnswersByDriverResult)
{
    const int nameAnswers[][2] = {{0, 2}, {1, 3}, {2, 5}, {3, 3}, {4, 3}, {5, 3}, {6, 4}, {9, 3}};
    for (const auto& c : nameAnswers)
        EXPECT_EQ(xhwNameRequestAnswer(c[0]), c[1]) << c[0];
    const int clockAnswers[][2] = {{0, 2}, {2, 5}, {1, 3}, {7, 3}};
    for (const auto& c : clockAnswers)
        EXPECT_EQ(xhwClockRequestAnswer(c[0]), c[1]) << c[0];
}

TEST(BoxRequests, ServedRecordsComeBackWithCodeZero)
{
    CxhwBox box;
    box.m_info.m_hardware = BOX_TYPE_SIMULATED; // keeps no name and no clock
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_NAME;
    request.m_text = "Bench 4";
    box.SetRequest(request);
    box.ServeNameRequest();
    box.GetRequest(request);
    EXPECT_EQ(request.m_code, BOX_REQUEST_NONE);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
    EXPECT_EQ(request.m_text, "Bench 4");

    request = CxutBoxRequest();
    request.m_code = BOX_REQUEST_SET_CLOCK;
    box.SetRequest(request);
    box.ServeClockRequest();
    box.GetRequest(request);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
    EXPECT_GT(request.m_time, 0); // the time it would have written

    request = CxutBoxRequest();
    request.m_code = BOX_REQUEST_PH_CALIBRATE;
    request.m_input = 1;
    box.SetRequest(request);
    box.ServePhRequest();
    box.GetRequest(request);
    EXPECT_EQ(request.m_result, 2);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);

    box.ServeNameRequest(); // nothing pending: nothing happens
    box.GetRequest(request);
    EXPECT_EQ(request.m_answer, BOX_ANSWER_UNSUPPORTED);
}

TEST(BoxRequests, WithdrawnOnlyBeforeTheBoxThreadBeginsIt)
{
    CxhwBox box;
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_SET_NAME;
    const uint64_t first = box.SetRequest(request);
    EXPECT_TRUE(box.WithdrawRequest(first));
    CxutBoxRequest taken;
    EXPECT_FALSE(box.BeginRequest(taken)); // nothing left to carry out
    box.GetRequest(taken);
    EXPECT_EQ(taken.m_code, BOX_REQUEST_NONE);
    EXPECT_EQ(taken.m_answer, BOX_ANSWER_FAILED);

    const uint64_t second = box.SetRequest(request);
    EXPECT_NE(second, first);
    ASSERT_TRUE(box.BeginRequest(taken));
    EXPECT_FALSE(box.BeginRequest(taken)); // taken once
    EXPECT_FALSE(box.WithdrawRequest(second)); // already under way

    // A new request posted while the old one is served is not overwritten by
    // the old one's answer.
    request.m_code = BOX_REQUEST_SET_CLOCK;
    const uint64_t third = box.SetRequest(request);
    taken.m_answer = BOX_ANSWER_DONE;
    box.EndRequest(taken);
    CxutBoxRequest slot;
    box.GetRequest(slot);
    EXPECT_EQ(slot.m_code, BOX_REQUEST_SET_CLOCK);
    EXPECT_EQ(slot.m_answer, BOX_ANSWER_PENDING);
    EXPECT_FALSE(box.WithdrawRequest(second)); // not the one in the slot
    EXPECT_TRUE(box.WithdrawRequest(third));
}

TEST(BoxScope, PendingCaptures)
{
    CxhwBoxes boxes;
    EXPECT_FALSE(boxes.IsScopePending());
    boxes.TriggerScope(3);
    boxes.TriggerScope(4);
    EXPECT_EQ(boxes.GetScopeSetting(), 4);
    boxes.m_box.TakeScopeRequest();
    EXPECT_TRUE(boxes.IsScopePending());
    boxes.m_box.TakeScopeRequest();
    boxes.m_box.TakeScopeRequest(); // never below zero
    EXPECT_FALSE(boxes.IsScopePending());
    boxes.TriggerScope(1);
    boxes.m_box.ResetRunState(true);
    EXPECT_FALSE(boxes.IsScopePending());
}
