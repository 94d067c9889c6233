#pragma once
#include "data/docFieldKey.h"
#include "data/docRoot.h"

#include <array>
#include <wx/string.h>

// Annotations a graph holds.
constexpr int DOC_MAX_ANNOTATIONS = 50;

// A text on the graph, tied to a point in the units of two channels. One that
// has not been added yet has no owner.
class CdocAnnotation : public CdocRoot
{
public:
    CdocAnnotation() = default;
    ~CdocAnnotation() override = default;

    void Clear();

    wxString m_text;
    float m_x = 0.0f;
    float m_y = 0.0f;
    CdocFieldKey m_fieldX;
    CdocFieldKey m_fieldY;
};

// The graph's annotations in the order they were made, and the one waiting to
// be placed. Still thin: placing, drawing look-ups and orphan removal are to
// come.
class CdocAnnotations : public CdocRoot
{
public:
    CdocAnnotations() = default;
    ~CdocAnnotations() override = default;
    CdocAnnotations(const CdocAnnotations&) = delete;
    CdocAnnotations& operator=(const CdocAnnotations&) = delete;

    // Takes the next slot into use, cleared and owned by the document; -1
    // when all 50 are in use.
    int Add();

    std::array<CdocAnnotation, DOC_MAX_ANNOTATIONS> m_slots;
    int m_count = 0;
    CdocAnnotation m_pending;
};
