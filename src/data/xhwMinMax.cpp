#include "data/xhwMinMax.h"

#include <algorithm>
#include <cmath>

bool CxhwMinMax::Normalise()
{
    if (!(m_max < m_min))
        return false;
    std::swap(m_max, m_min);
    return true;
}

bool CxhwMinMax::Contains(float x) const
{
    if (!IsSet())
        return false;
    const float lo = std::min(m_max, m_min);
    const float hi = std::max(m_max, m_min);
    return x >= lo && x <= hi;
}

void CxhwMinMax::Extend(float x)
{
    if (docIsNoValue(x))
        return;
    if (!IsMinSet())
        m_min = x;
    if (!IsMaxSet())
        m_max = x;
    if (m_max >= m_min) {
        if (x < m_min)
            m_min = x;
        if (x > m_max)
            m_max = x;
    } else {
        if (x > m_min)
            m_min = x;
        if (x < m_max)
            m_max = x;
    }
}

void CxhwMinMax::SetIfUnset(float min, float max)
{
    if (!IsMinSet() && !docIsNoValue(min))
        m_min = min;
    if (!IsMaxSet() && !docIsNoValue(max))
        m_max = max;
}

void CxhwMinMax::SetOrdered(const CxhwMinMax& other)
{
    if ((m_max >= m_min) == (other.m_max >= other.m_min)) {
        m_max = other.m_max;
        m_min = other.m_min;
    } else {
        m_max = other.m_min;
        m_min = other.m_max;
    }
}

namespace {
float MoveToward(float from, float to, float step)
{
    const float distance = std::fabs(to - from);
    const float move = std::min(step, distance);
    return to > from ? from + move : from - move;
}
} // namespace

bool CxhwMinMax::StepToward(const CxhwMinMax& target, float step)
{
    if (!IsSet() || !target.IsSet() || std::isnan(step))
        return false;
    const float s = std::fabs(step);
    const float lo = std::min(m_max, m_min);
    const float hi = std::max(m_max, m_min);
    const float tlo = std::min(target.m_max, target.m_min);
    const float thi = std::max(target.m_max, target.m_min);
    const float newLo = MoveToward(lo, tlo, s);
    const float newHi = MoveToward(hi, thi, s);
    // Compared as they would be stored, so that a reversed range that has
    // reached its target answers false too and a zoom loop ends.
    const bool normal = m_max >= m_min;
    const float storeMax = normal ? newHi : newLo;
    const float storeMin = normal ? newLo : newHi;
    if (storeMax == m_max && storeMin == m_min)
        return false;
    m_max = storeMax;
    m_min = storeMin;
    return true;
}

void CxhwMinMax::Scale(float gain, float offset)
{
    if (IsMaxSet())
        m_max = docFiniteOrNoValue(m_max * gain + offset);
    if (IsMinSet())
        m_min = docFiniteOrNoValue(m_min * gain + offset);
}
