#include "support/testBoxes.h"
#include "transport/zxMessageBox.h"

#include <gtest/gtest.h>

TEST(QuestionCancelBox, AnswersInOrderThenNo)
{
    qvtest::CtestBoxes boxes;
    boxes.AnswerYes();
    boxes.AnswerCancel();
    boxes.AnswerCancel(); // a Yes/No box takes it as No
    EXPECT_EQ(zxQuestionCancelBox("save?", "Q"), wxID_YES);
    EXPECT_EQ(zxQuestionCancelBox("save?", "Q"), wxID_CANCEL);
    EXPECT_FALSE(zxQuestionBox("sure?"));
    EXPECT_EQ(zxQuestionCancelBox("save?", "Q"), wxID_NO);
    ASSERT_EQ(boxes.m_calls.size(), 4u);
    EXPECT_EQ(boxes.m_calls[0].kind, zxBOX_QUESTION_CANCEL);
    EXPECT_EQ(boxes.m_calls[0].caption, "Q");
}

TEST(QuestionCancelBox, WithoutPresenterItIsNo)
{
    zxBoxPresenter previous = zxSetBoxPresenter(nullptr);
    EXPECT_EQ(zxQuestionCancelBox("unattended?", "Q"), wxID_NO);
    zxSetBoxPresenter(previous);
}
