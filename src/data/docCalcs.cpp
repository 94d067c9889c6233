// The formula set: taking formulas into and out of use, order numbers, and
// which formulas depend on which channels.
#include "data/docCalcs.h"

#include "data/docData.h"
#include "data/docField.h"
#include "document/docDoc.h"

#include <algorithm>
#include <array>
#include <new>

CdocCalcs::~CdocCalcs() = default;

CdocCalc* CdocCalcs::CreateCalc()
{
    std::unique_ptr<CdocCalc> calc(new (std::nothrow) CdocCalc);
    if (!calc)
        return nullptr;
    calc->m_doc = m_doc;
    m_calcs.push_back(std::move(calc));
    return m_calcs.back().get();
}

bool CdocCalcs::CreateMore(int n)
{
    for (int i = 0; i < n; ++i)
        if (!CreateCalc())
            return false;
    return true;
}

bool CdocCalcs::Reserve(int n)
{
    while (int(m_calcs.size()) < n)
        if (!CreateCalc())
            return false;
    return true;
}

int CdocCalcs::Add(int n)
{
    if (n < 1 || n > DOC_MAX_CALCS - m_count || !Reserve(m_count + n))
        return -1;
    for (int i = m_count; i < m_count + n; ++i)
        m_calcs[size_t(i)]->Reset();
    m_count += n;
    return m_count - 1;
}

void CdocCalcs::DeleteAll()
{
    m_calcs.clear();
    m_count = 0;
}

CdocCalc* CdocCalcs::GetAt(int index) const
{
    return index >= 0 && index < m_count && index < int(m_calcs.size()) ? m_calcs[size_t(index)].get() : nullptr;
}

int CdocCalcs::IndexOf(const CdocCalc* calc) const
{
    for (int i = 0; i < m_count; ++i)
        if (calc && GetAt(i) == calc)
            return i;
    return -1;
}

void CdocCalcs::RemoveAt(int index)
{
    if (!GetAt(index))
        return;
    std::unique_ptr<CdocCalc> calc = std::move(m_calcs[size_t(index)]);
    m_calcs.erase(m_calcs.begin() + index);
    m_calcs.push_back(std::move(calc));
    --m_count;
}

void CdocCalcs::Move(int from, int to)
{
    if (from == to || !GetAt(from) || !GetAt(to))
        return;
    std::unique_ptr<CdocCalc> calc = std::move(m_calcs[size_t(from)]);
    m_calcs.erase(m_calcs.begin() + from);
    m_calcs.insert(m_calcs.begin() + to, std::move(calc));
}

CdocCalc* CdocCalcs::FindByChannel(const CdocField* field) const
{
    // By key, not by the cached pointer: channel objects are reused, so a
    // stale pointer could name a different channel.
    if (!field || field->m_key == 0)
        return nullptr;
    for (int i = 0; i < m_count; ++i)
        if (GetAt(i)->m_field.m_key == field->m_key)
            return GetAt(i);
    return nullptr;
}

CdocField* CdocCalcs::GetResult(CdocCalc& calc) const
{
    CdocField* field = m_doc ? m_doc->m_data.m_fields.Find(calc.m_field) : nullptr;
    return field && field->m_content == CONTENT_FORMULA ? field : nullptr;
}

void CdocCalcs::RenumberOrder()
{
    // Numbered formulas keep their relative order (list order among equal
    // numbers) and close up from 0; unnumbered ones follow in list order.
    std::array<CdocCalc*, DOC_MAX_CALCS> numbered{};
    int count = 0;
    for (int i = 0; i < m_count && count < DOC_MAX_CALCS; ++i)
        if (GetAt(i)->m_order >= 0)
            numbered[size_t(count++)] = GetAt(i);
    std::stable_sort(numbered.begin(), numbered.begin() + count,
                     [](const CdocCalc* a, const CdocCalc* b) { return a->m_order < b->m_order; });
    for (int i = 0; i < count; ++i)
        numbered[size_t(i)]->m_order = i;
    for (int i = 0; i < m_count; ++i)
        if (GetAt(i)->m_order < 0)
            GetAt(i)->m_order = count++;
}

void CdocCalcs::ClearMarks()
{
    for (int i = 0; i < m_count; ++i)
        GetAt(i)->m_visited = false;
}

bool CdocCalcs::UsesFieldRecursive(CdocCalc* calc, const CdocField* field)
{
    if (!calc || calc->m_visited)
        return false;
    calc->m_visited = true;
    if (!m_doc || !field)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    const int count = std::min(calc->m_tokens.m_count, DOC_MAX_CALC_TOKENS);
    for (int i = 0; i < count; ++i) {
        CdocCalcToken& token = calc->m_tokens.m_tokens[i];
        if (token.m_kind != CALC_TOKEN_CHANNEL)
            continue;
        const CdocField* used = fields.Find(token.m_field);
        if (!used)
            continue;
        if (used == field)
            return true;
        if (UsesFieldRecursive(FindByChannel(used), field))
            return true;
    }
    return false;
}

bool CdocCalcs::UsesField(CdocCalc* calc, const CdocField* field)
{
    ClearMarks();
    return UsesFieldRecursive(calc, field);
}

bool CdocCalcs::UsesKey(CdocCalc* calc, CdocFieldKey key)
{
    const CdocField* field = m_doc ? m_doc->m_data.m_fields.Find(key) : nullptr;
    return field && UsesField(calc, field);
}

bool CdocCalcs::IsFieldUsed(const CdocField* field)
{
    for (int i = 0; i < m_count; ++i)
        if (UsesField(GetAt(i), field))
            return true;
    return false;
}

bool CdocCalcs::UsesSourceField(CdocCalc* calc)
{
    if (!m_doc)
        return false;
    const CdocFieldV& fields = m_doc->m_data.m_fields;
    for (int i = 0; i < fields.GetCount(); ++i) {
        const int content = fields.GetAt(i)->m_content;
        const bool source = content == CONTENT_READING || content == CONTENT_ELAPSED_TIME || content == CONTENT_SENSOR;
        if (source && UsesField(calc, fields.GetAt(i)))
            return true;
    }
    return false;
}

bool CdocCalcs::MustFollow(CdocCalc* a, CdocCalc* b)
{
    if (!a || !b)
        return false;
    const CdocField* resultA = GetResult(*a);
    const CdocField* resultB = GetResult(*b);
    if (!resultB || !UsesField(a, resultB))
        return false;
    // Two formulas that read each other go by their order numbers.
    return !resultA || !UsesField(b, resultA) || b->m_order < a->m_order;
}

void CdocCalcs::SortByDependency()
{
    for (int i = 0; i < m_count; ++i) {
        int candidate = i;
        for (int k = i + 1; k < m_count; ++k)
            if (MustFollow(GetAt(candidate), GetAt(k)))
                candidate = k;
        if (candidate != i)
            std::swap(m_calcs[size_t(i)], m_calcs[size_t(candidate)]);
    }
}
