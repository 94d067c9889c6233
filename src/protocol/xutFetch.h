#pragma once
#include <cstdint>
#include <wx/thread.h>

// The stored-file mailbox between the user interface and the box thread: the
// list of the logger's stored files, the file chosen for download and the
// download's result. Every operation holds the mailbox's own mutex.
class CxutFetch
{
public:
    CxutFetch();
    virtual ~CxutFetch();
    CxutFetch(const CxutFetch&) = delete;
    CxutFetch& operator=(const CxutFetch&) = delete;

    void ClearFiles();
    int32_t GetCount();
    void SetListResult(int32_t n);
    int32_t GetListResult();

    void SetFetchNumber(int32_t n);
    int32_t GetFetchNumber();
    void ResetResult();
    int32_t GetHeaderState();
    void SetProgress(int32_t n);
    int32_t GetProgress();
    void SetResult(int32_t code);
    bool IsResultReady();
    int32_t GetResult();

private:
    wxMutex m_mutex;
    int32_t m_count = 0;
    int32_t m_listResult = 0;
    int32_t m_fetchNumber = 0;
    int32_t m_headerState = 0;
    bool m_resultReady = false;
    int32_t m_result = 0;
    int32_t m_progress = 0;
};
