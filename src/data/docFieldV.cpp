#include "data/docFieldV.h"

#include "data/docField.h"

#include <algorithm>
#include <new>

CdocFieldV::CdocFieldV()
{
    m_fields.reserve(DOC_MAX_FIELDS);
}

CdocFieldV::~CdocFieldV() = default;

CdocField* CdocFieldV::CreateField()
{
    std::unique_ptr<CdocField> field(new (std::nothrow) CdocField);
    if (!field)
        return nullptr;
    field->m_doc = m_doc;
    m_fields.push_back(std::move(field));
    return m_fields.back().get();
}

bool CdocFieldV::Reserve(int n)
{
    while (GetAllocated() < n)
        if (!CreateField())
            return false;
    return true;
}

int CdocFieldV::Add(int n)
{
    if (n < 1 || n > DOC_MAX_FIELDS - m_count)
        return -1;
    if (!Reserve(m_count + n))
        return -1;
    for (int i = m_count; i < m_count + n; ++i)
        m_fields[size_t(i)]->AssignNewKey();
    m_count += n;
    return m_count - 1;
}

void CdocFieldV::RemoveAt(int position)
{
    if (position < 0 || position >= m_count)
        return;
    std::unique_ptr<CdocField> field = std::move(m_fields[size_t(position)]);
    m_fields.erase(m_fields.begin() + position);
    m_fields.push_back(std::move(field));
    --m_count;
}

void CdocFieldV::Move(int from, int to)
{
    if (from < 0 || from >= m_count || to < 0 || to >= m_count || from == to)
        return;
    std::unique_ptr<CdocField> field = std::move(m_fields[size_t(from)]);
    m_fields.erase(m_fields.begin() + from);
    m_fields.insert(m_fields.begin() + to, std::move(field));
}

CdocField* CdocFieldV::GetAt(int position) const
{
    return position >= 0 && position < m_count ? m_fields[size_t(position)].get() : nullptr;
}

int CdocFieldV::IndexOf(const CdocFieldHdr* field) const
{
    for (int i = 0; i < m_count; ++i)
        if (m_fields[size_t(i)].get() == field)
            return i;
    return -1;
}

int CdocFieldV::Search(int key) const
{
    if (key == 0)
        return -1;
    for (int i = 0; i < m_count; ++i)
        if (m_fields[size_t(i)]->m_key == key)
            return i;
    return -1;
}

CdocField* CdocFieldV::Lookup(const CdocFieldKey& ref) const
{
    if (ref.m_key == 0)
        return nullptr;
    if (CdocField* cached = GetAt(ref.m_index); cached && cached->m_key == ref.m_key)
        return cached;
    return GetAt(Search(ref.m_key));
}

CdocField* CdocFieldV::Find(CdocFieldKey& ref) const
{
    CdocField* field = nullptr;
    CdocField* cached = ref.m_key == 0 ? nullptr : GetAt(ref.m_index);
    if (cached && cached->m_key == ref.m_key) {
        field = cached;
    } else {
        ref.m_index = Search(ref.m_key);
        field = GetAt(ref.m_index);
    }
    ref.m_field = field;
    return field;
}

bool CdocFieldV::Answer(CdocFieldKey& out, int position) const
{
    CdocField* field = GetAt(position);
    if (!field) {
        out.Clear();
        return false;
    }
    out = CdocFieldKey(field->m_key, position, field);
    return true;
}

bool CdocFieldV::FindContent(CdocFieldKey& out, int first, int content) const
{
    for (int i = std::max(first, 0); i < m_count; ++i)
        if (m_fields[size_t(i)]->m_content == content)
            return Answer(out, i);
    return Answer(out, -1);
}

bool CdocFieldV::FindSensor(CdocFieldKey& out, int input) const
{
    for (int i = 0; i < m_count; ++i) {
        const CdocField& field = *m_fields[size_t(i)];
        if (field.m_content == CONTENT_SENSOR && field.m_socket == input)
            return Answer(out, i);
    }
    return Answer(out, -1);
}

bool CdocFieldV::FindTiming(CdocFieldKey& out, int result) const
{
    for (int i = 0; i < m_count; ++i) {
        const CdocField& field = *m_fields[size_t(i)];
        if (field.m_content == CONTENT_TIMING && field.m_socket == result)
            return Answer(out, i);
    }
    return Answer(out, -1);
}

namespace {

template <typename Test> int NthMatching(const CdocFieldV& fields, int n, Test test)
{
    for (int i = 0; i < fields.GetCount(); ++i)
        if (test(*fields.GetAt(i)) && n-- == 0)
            return i;
    return -1;
}

} // namespace

bool CdocFieldV::GetSensor(CdocFieldKey& out, int n) const
{
    return Answer(out, NthMatching(*this, n, [](const CdocField& f) { return f.m_content == CONTENT_SENSOR; }));
}

bool CdocFieldV::GetNonTime(CdocFieldKey& out, int n) const
{
    return Answer(out, NthMatching(*this, n, [](const CdocField& f) {
                      return f.m_content != CONTENT_READING && f.m_content != CONTENT_ELAPSED_TIME;
                  }));
}

bool CdocFieldV::GetNonSource(CdocFieldKey& out, int n) const
{
    return Answer(out, NthMatching(*this, n, [](const CdocField& f) {
                      return f.m_content != CONTENT_READING && f.m_content != CONTENT_ELAPSED_TIME &&
                             f.m_content != CONTENT_SENSOR;
                  }));
}

bool CdocFieldV::FindMarker(CdocFieldKey& out, int first) const
{
    for (int i = std::max(first, 0); i < m_count; ++i) {
        const CdocField& field = *m_fields[size_t(i)];
        if (field.m_name.IsSameAs("MARKER", false) && field.m_unit.IsSameAs("MARK", false))
            return Answer(out, i);
    }
    return Answer(out, -1);
}

bool CdocFieldV::HasData() const
{
    for (int i = 0; i < m_count; ++i) {
        const CdocField& field = *m_fields[size_t(i)];
        if (field.m_content != CONTENT_READING && field.m_content != CONTENT_ELAPSED_TIME && field.HasData())
            return true;
    }
    return false;
}

int CdocFieldV::GetLetterNumber(const CdocFieldHdr* field) const
{
    int number = 0;
    for (int i = 0; i < m_count; ++i) {
        const CdocField* f = m_fields[size_t(i)].get();
        if (f->m_content == CONTENT_READING || f->m_content == CONTENT_ELAPSED_TIME)
            continue;
        if (f == field)
            return number;
        ++number;
    }
    return number;
}
