#pragma once
#include "data/docRoot.h"

// The oscilloscope part of a document. Still thin: its settings, its run and
// its capture are to come.
class CdocScope : public CdocRoot
{
public:
    CdocScope() = default;
    ~CdocScope() override = default;
    CdocScope(const CdocScope&) = delete;
    CdocScope& operator=(const CdocScope&) = delete;

    // Kept in the data file's "Scope" section.
    int m_timebase = 0;
    int m_gainbase = 0;
    int m_gainbaseDef = 0;
    bool m_reset = false;
    float m_multiplier = 1.0f;
    bool m_triggerIndicator = false;
    bool m_triggered = false;
    int m_timeOut = 0;
    int m_triggerTimeOut = 0;
    int m_logNext = 0;
    int m_dataNext = 0;
    int m_drawStart = 0;
    int m_drawNext = 0;
    bool m_drawClear = false;
    bool m_drawTrigger = false;
    bool m_storeRequested = false;
    bool m_enableStore = false;
};
