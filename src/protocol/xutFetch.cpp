#include "protocol/xutFetch.h"

#include "app/base/gumResCore.h"

#include <utility>

CxutFetch::CxutFetch() : m_mutex(wxMUTEX_RECURSIVE) {}

CxutFetch::~CxutFetch() = default;

void CxutFetch::ClearFiles()
{
    wxMutexLocker lock(m_mutex);
    m_count = 0;
}

int32_t CxutFetch::GetCount()
{
    wxMutexLocker lock(m_mutex);
    return m_count;
}

void CxutFetch::AddFile(const CxutFetchFile& file)
{
    wxMutexLocker lock(m_mutex);
    if (m_count >= kMaxFiles)
        return;
    m_files[m_count++] = file;
}

bool CxutFetch::GetFile(int32_t i, CxutFetchFile& file)
{
    wxMutexLocker lock(m_mutex);
    if (i < 0 || i >= m_count)
        return false;
    // Only the file part, when the output is a header.
    static_cast<CxutFetchFile&>(file) = m_files[i];
    return true;
}

void CxutFetch::SetListResult(int32_t n)
{
    wxMutexLocker lock(m_mutex);
    m_listResult = n;
}

int32_t CxutFetch::GetListResult()
{
    wxMutexLocker lock(m_mutex);
    return m_listResult;
}

namespace {

bool IsNewer(const CxutFetchFile& a, const CxutFetchFile& b)
{
    return a.m_date > b.m_date || (a.m_date == b.m_date && a.m_time > b.m_time);
}

} // namespace

void CxutFetch::SortNewestFirst()
{
    wxMutexLocker lock(m_mutex);
    for (int32_t i = 0; i < m_count; ++i) {
        int32_t best = i;
        for (int32_t j = i + 1; j < m_count; ++j)
            if (IsNewer(m_files[j], m_files[best]))
                best = j;
        if (best != i)
            std::swap(m_files[i], m_files[best]);
    }
}

void CxutFetch::NumberFileNames()
{
    wxMutexLocker lock(m_mutex);
    const wxString word = gumGetString(351);
    for (int32_t i = 0; i < m_count; ++i)
        m_files[i].m_name = wxString::Format("%s %d", word, int(i + 1));
}

void CxutFetch::SetFetchNumber(int32_t n)
{
    wxMutexLocker lock(m_mutex);
    m_fetchNumber = n;
}

int32_t CxutFetch::GetFetchNumber()
{
    wxMutexLocker lock(m_mutex);
    return m_fetchNumber;
}

void CxutFetch::ResetResult()
{
    wxMutexLocker lock(m_mutex);
    m_headerState = 0;
    m_resultReady = false;
    m_result = 0;
}

int32_t CxutFetch::GetHeaderState()
{
    wxMutexLocker lock(m_mutex);
    return m_headerState;
}

void CxutFetch::SetHeader(const CxutFetchHeader& header)
{
    wxMutexLocker lock(m_mutex);
    m_header.Assign(header);
    m_headerState = 1;
}

bool CxutFetch::TakeHeader(CxutFetchHeader& header)
{
    wxMutexLocker lock(m_mutex);
    header.Assign(m_header);
    if (m_headerState != 1)
        return false;
    m_headerState = 2;
    return true;
}

void CxutFetch::SetProgress(int32_t n)
{
    wxMutexLocker lock(m_mutex);
    m_progress = n;
}

int32_t CxutFetch::GetProgress()
{
    wxMutexLocker lock(m_mutex);
    return m_progress;
}

void CxutFetch::SetResult(int32_t code)
{
    wxMutexLocker lock(m_mutex);
    m_result = code;
    m_resultReady = true;
}

bool CxutFetch::IsResultReady()
{
    wxMutexLocker lock(m_mutex);
    return m_resultReady;
}

int32_t CxutFetch::GetResult()
{
    wxMutexLocker lock(m_mutex);
    return m_result;
}
