#include "support/testBoxes.h"
#include "transport/zxMessageBox.h"

#include <gtest/gtest.h>

TEST(MessageBoxes, CaptionsAndAnswers)
{
    qvtest::CtestBoxes boxes;
    zxMessageBox("broken");
    zxInfoBox("told", "");
    boxes.AnswerYes();
    EXPECT_TRUE(zxQuestionBox("sure?", "Ask"));
    EXPECT_FALSE(zxQuestionBox("again?"));
    zxNotImplementedBox();
    ASSERT_EQ(boxes.m_calls.size(), 5u);
    EXPECT_EQ(boxes.m_calls[0].kind, zxBOX_ERROR);
    EXPECT_EQ(boxes.m_calls[0].caption, "Quorvanti");
    EXPECT_EQ(boxes.m_calls[1].kind, zxBOX_INFO);
    EXPECT_EQ(boxes.m_calls[1].caption, ""); // an empty caption stays empty
    EXPECT_EQ(boxes.m_calls[2].caption, "Ask");
    EXPECT_EQ(boxes.m_calls[3].kind, zxBOX_QUESTION);
    EXPECT_EQ(boxes.m_calls[4].text, "Not implemented yet");
    EXPECT_EQ(zxAppTitle(), "Quorvanti");
    EXPECT_EQ(zxNewLine(), "\n");
}

TEST(MessageBoxes, WithoutPresenterNothingBlocksAndQuestionsSayNo)
{
    zxBoxPresenter previous = zxSetBoxPresenter(nullptr);
    EXPECT_FALSE(zxQuestionBox("unattended?"));
    EXPECT_EQ(zxMessageBox("x"), 0);
    zxSetBoxPresenter(previous);
}
