#pragma once
#include "data/docNoValue.h"

// A range of two floats, the upper limit first; either limit may be unset
// (the no-value mark). The limits may be held reversed (max below min).
class CxhwMinMax
{
public:
    CxhwMinMax() = default;
    CxhwMinMax(float max, float min) : m_max(max), m_min(min) {}
    CxhwMinMax(const CxhwMinMax&) = default;
    CxhwMinMax& operator=(const CxhwMinMax&) = default;
    virtual ~CxhwMinMax() {}

    bool IsMaxSet() const { return !docIsNoValue(m_max); }
    bool IsMinSet() const { return !docIsNoValue(m_min); }
    bool IsSet() const { return IsMaxSet() && IsMinSet(); }
    bool IsNormal() const { return m_max >= m_min; }
    void Set(float max, float min) { m_max = max; m_min = min; }
    void Unset() { m_max = m_min = DOC_NO_VALUE; }
    bool operator==(const CxhwMinMax& other) const { return m_max == other.m_max && m_min == other.m_min; }
    bool operator!=(const CxhwMinMax& other) const { return !(*this == other); }

    bool Normalise();
    bool Contains(float x) const;
    void Extend(float x);
    void SetIfUnset(float min, float max);
    void SetOrdered(const CxhwMinMax& other);
    bool StepToward(const CxhwMinMax& target, float step);
    // Unchecked: the caller passes a range with two set, different limits.
    float ToFraction(float x) const { return (x - m_min) / (m_max - m_min); }
    float FromFraction(float f) const { return m_min + (m_max - m_min) * f; }
    void Scale(float gain, float offset);

    float m_max = 10.0f;
    float m_min = 0.0f;
};
