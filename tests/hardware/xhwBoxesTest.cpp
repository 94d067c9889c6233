#include "hardware/xhwBoxes.h"

#include <gtest/gtest.h>

TEST(LoggerManager, StartsTwoIdleThreadsOnceAndStopsThem)
{
    CxhwBoxes boxes;
    EXPECT_TRUE(boxes.StopThreads()); // never started: nothing to do
    ASSERT_TRUE(boxes.StartThreads());
    EXPECT_TRUE(boxes.HasThread());
    EXPECT_TRUE(boxes.m_box.HasThread());
    EXPECT_TRUE(boxes.StartThreads()); // already running: starts nothing
    EXPECT_TRUE(boxes.WaitAckState(zxTHREAD_IDLE, 1.0f));
    EXPECT_TRUE(boxes.StopThreads());
    EXPECT_FALSE(boxes.HasThread());
    EXPECT_FALSE(boxes.m_box.HasThread());
    EXPECT_FALSE(boxes.ThreadsStarted());
}

TEST(LoggerManager, ThreadsAcknowledgeLoggerStates)
{
    CxhwBoxes boxes;
    ASSERT_TRUE(boxes.StartThreads());
    boxes.SetState(BOXES_STATE_IDLE);
    EXPECT_TRUE(boxes.WaitAckState(BOXES_STATE_IDLE, 1.0f));
    boxes.SetState(BOXES_STATE_RESET);
    EXPECT_TRUE(boxes.WaitAckState(BOXES_STATE_RESET, 1.0f));
    EXPECT_TRUE(boxes.StopThreads());
}
