#pragma once
#include "protocol/xutFetchFile.h"
#include "protocol/xutFetchHeader.h"

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

    static constexpr int kMaxFiles = 50;

    void ClearFiles();
    int32_t GetCount();
    // Appends a copy; ignored beyond 50 files.
    void AddFile(const CxutFetchFile& file);
    // Copies file i into the file part of the output; false, leaving it
    // untouched, outside the list.
    bool GetFile(int32_t i, CxutFetchFile& file);
    // The number of files the logger reported, or negative when listing failed.
    void SetListResult(int32_t n);
    int32_t GetListResult();
    // Newest date first, then newest time; of equal ones the earlier stays first.
    void SortNewestFirst();
    // Names each file by its place in the list: the word for file and 1, 2, ...
    void NumberFileNames();

    void SetFetchNumber(int32_t n);
    int32_t GetFetchNumber();
    void ResetResult();
    int32_t GetHeaderState();
    // The downloaded file's header: set by the box thread (state 1), taken
    // once by the document (state 2).
    void SetHeader(const CxutFetchHeader& header);
    // Always copies the stored header out; true only when it was waiting.
    bool TakeHeader(CxutFetchHeader& header);
    void SetProgress(int32_t n);
    int32_t GetProgress();
    void SetResult(int32_t code);
    bool IsResultReady();
    int32_t GetResult();

private:
    wxMutex m_mutex;
    int32_t m_count = 0;
    CxutFetchFile m_files[kMaxFiles];
    CxutFetchHeader m_header;
    int32_t m_listResult = 0;
    int32_t m_fetchNumber = 0;
    int32_t m_headerState = 0;
    bool m_resultReady = false;
    int32_t m_result = 0;
    int32_t m_progress = 0;
};
