#include "support/testBoxes.h"

namespace qvtest {

CtestBoxes::CtestBoxes()
{
    m_previous = zxSetBoxPresenter([this](const CzxBoxCall& call) {
        m_calls.push_back(call);
        if (call.kind != zxBOX_QUESTION && call.kind != zxBOX_QUESTION_CANCEL)
            return 5100; // OK
        int answer = 5104;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        if (answer == 5101 && call.kind != zxBOX_QUESTION_CANCEL)
            answer = 5104;
        return answer;
    });
}

CtestBoxes::~CtestBoxes()
{
    zxSetBoxPresenter(m_previous);
}

} // namespace qvtest
