#pragma once
#include "transport/zxMessageBox.h"

#include <deque>
#include <wx/defs.h>
#include <vector>

namespace qvtest {

// Answers the program's message boxes while it lives and records them.
// Questions (two- and three-way) take the queued answers in order, then "No".
class CtestBoxes
{
public:
    CtestBoxes();
    ~CtestBoxes();

    void AnswerYes() { m_answers.push_back(wxID_YES); }
    void AnswerNo() { m_answers.push_back(wxID_NO); }
    // Only a Yes/No/Cancel box can be cancelled; a Yes/No box takes it as No.
    void AnswerCancel() { m_answers.push_back(wxID_CANCEL); }

    std::vector<CzxBoxCall> m_calls;

private:
    std::deque<int> m_answers;
    zxBoxPresenter m_previous;
};

} // namespace qvtest
