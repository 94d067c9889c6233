#include "data/docControl.h"

#include "hardware/xhwBoxes.h"

namespace {

CxhwBoxes* g_outputManager = nullptr;

} // namespace

void docSetOutputManager(CxhwBoxes* boxes)
{
    g_outputManager = boxes;
}

CxhwBoxes* docGetOutputManager()
{
    return g_outputManager;
}

CdocControl::CdocControl() = default;

CdocControl::~CdocControl() = default;

void CdocControl::SendMask(int mask)
{
    if (g_outputManager)
        g_outputManager->SetOutputs(mask);
}

void CdocControl::UpdateOutputs()
{
    int mask = 0;
    for (int i = 0; i < DOC_MAX_OUTPUT_RULES; ++i)
        if (m_rules[size_t(i)].IsOn(m_doc))
            mask |= 1 << i;
    SendMask(mask);
}

void CdocControl::SwitchAllOff()
{
    SendMask(0);
}

void CdocControl::SwitchOffAtStop()
{
    SendMask(0);
}
