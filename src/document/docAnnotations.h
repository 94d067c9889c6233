#pragma once
#include "data/docFieldKey.h"
#include "data/docRoot.h"

#include <array>
#include <wx/string.h>

class CdocField;

// Annotations a graph holds.
constexpr int DOC_MAX_ANNOTATIONS = 50;

// A text on the graph, tied to a point in the units of two channels, so that
// it stays on its data when the scales change. One that has not been added
// yet has no owner.
class CdocAnnotation : public CdocRoot
{
public:
    CdocAnnotation() = default;
    ~CdocAnnotation() override = default;
    CdocAnnotation(const CdocAnnotation&) = default;
    CdocAnnotation& operator=(const CdocAnnotation&) = default;

    void Clear();
    // The channels of the point, looked up again; none without an owner or
    // once the channel is gone.
    CdocField* GetFieldX();
    CdocField* GetFieldY();

    wxString m_text;
    float m_x = 0.0f;
    float m_y = 0.0f;
    CdocFieldKey m_fieldX;
    CdocFieldKey m_fieldY;
};

// The graph's annotations in the order they were made, and the one waiting to
// be placed by a click on the graph.
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
    // Drops the annotations whose channels are gone, keeping the order.
    void RemoveOrphans();
    void DeleteAll();
    void DeleteLast();
    // Prepares the pending annotation and arms the graph tool for placing.
    void BeginPlace(const wxString& text, CdocField* x, CdocField* y);
    // The click, as fractions of the plot: the pending annotation goes to the
    // values of the graph's x channel and its own y channel there.
    void Place(float fx, float fy);

    std::array<CdocAnnotation, DOC_MAX_ANNOTATIONS> m_slots;
    int m_count = 0;
    CdocAnnotation m_pending;
};
