#include "data/docControl.h"

#include "hardware/xhwBoxes.h"

CdocControl::CdocControl() = default;

CdocControl::~CdocControl() = default;

void CdocControl::SendMask(int mask)
{
    // The masks go to the application's logger manager; without one, nowhere.
    if (CxhwBoxes* boxes = xhwGetBoxes())
        boxes->SetOutputs(mask);
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
