#pragma once
#include "data/docControlItem.h"
#include "data/docRoot.h"

#include <array>


// Control outputs of a logger, one rule each.
constexpr int DOC_MAX_OUTPUT_RULES = 6;

// The output rules of a document. Evaluating them hands the output mask to
// the logger manager, which sends it to the logger.
class CdocControl : public CdocRoot
{
public:
    CdocControl();
    ~CdocControl() override;

    void UpdateOutputs();
    void SwitchAllOff();
    void SwitchOffAtStop();

    std::array<CdocControlItem, DOC_MAX_OUTPUT_RULES> m_rules;

private:
    void SendMask(int mask);
};

