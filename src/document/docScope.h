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
};
