#pragma once
#include "data/docFieldKey.h"

#include <wx/string.h>

class CdocDoc;

// One output rule: its output is on while the watched channel's current value
// is above (or below) the threshold.
class CdocControlItem
{
public:
    CdocControlItem();
    ~CdocControlItem();

    void Reset();
    CdocField* GetField(CdocDoc* doc);
    bool IsOn(CdocDoc* doc);

    bool m_enabled = false;
    int m_reserved = 0; // saved and loaded with the rule, read by nothing else
    CdocFieldKey m_field;
    bool m_above = true;
    float m_threshold = 0.0f;
    wxString m_thresholdText;
};
