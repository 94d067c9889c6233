#include "support/testBoxes.h"

namespace qvtest {

CtestBoxes::CtestBoxes()
{
    m_previous = zxSetBoxPresenter([this](const CzxBoxCall& call) {
        m_calls.push_back(call);
        if (call.kind != zxBOX_QUESTION)
            return 5100; // OK
        bool yes = false;
        if (!m_answers.empty()) {
            yes = m_answers.front();
            m_answers.pop_front();
        }
        return yes ? 5103 : 5104;
    });
}

CtestBoxes::~CtestBoxes()
{
    zxSetBoxPresenter(m_previous);
}

} // namespace qvtest
