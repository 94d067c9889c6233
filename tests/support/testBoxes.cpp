#include "support/testBoxes.h"

namespace qvtest {

CtestBoxes::CtestBoxes()
{
    m_previous = zxSetBoxPresenter([this](const CzxBoxCall& call) {
        m_calls.push_back(call);
        if (call.kind != zxBOX_QUESTION && call.kind != zxBOX_QUESTION_CANCEL)
            return int(wxID_OK);
        int answer = wxID_NO;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        if (answer == wxID_CANCEL && call.kind != zxBOX_QUESTION_CANCEL)
            answer = wxID_NO;
        return answer;
    });
}

CtestBoxes::~CtestBoxes()
{
    zxSetBoxPresenter(m_previous);
}

} // namespace qvtest
