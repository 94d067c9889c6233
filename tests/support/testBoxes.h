#pragma once
#include "transport/zxMessageBox.h"

#include <deque>
#include <vector>

namespace qvtest {

// Answers the program's message boxes while it lives and records them.
// Questions take the queued answers in order, then "No".
class CtestBoxes
{
public:
    CtestBoxes();
    ~CtestBoxes();

    void AnswerYes() { m_answers.push_back(true); }
    void AnswerNo() { m_answers.push_back(false); }

    std::vector<CzxBoxCall> m_calls;

private:
    std::deque<bool> m_answers;
    zxBoxPresenter m_previous;
};

} // namespace qvtest
