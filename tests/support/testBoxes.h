#pragma once
#include "transport/zxMessageBox.h"

#include <deque>
#include <vector>

namespace qvtest {

// Answers the program's message boxes while it lives and records them.
// Questions (two- and three-way) take the queued answers in order, then "No".
class CtestBoxes
{
public:
    CtestBoxes();
    ~CtestBoxes();

    void AnswerYes() { m_answers.push_back(5103); }
    void AnswerNo() { m_answers.push_back(5104); }
    // Only a Yes/No/Cancel box can be cancelled; a Yes/No box takes it as No.
    void AnswerCancel() { m_answers.push_back(5101); }

    std::vector<CzxBoxCall> m_calls;

private:
    std::deque<int> m_answers;
    zxBoxPresenter m_previous;
};

} // namespace qvtest
