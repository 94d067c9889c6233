#pragma once
#include "data/docTimer.h"

#include <memory>
#include <vector>

// The timing measurements in progress, in the order they started. The list
// owns them: removing a measurement deletes it.
class CdocTimerV
{
public:
    CdocTimerV() = default;
    virtual ~CdocTimerV() = default;
    CdocTimerV(const CdocTimerV&) = delete;
    CdocTimerV& operator=(const CdocTimerV&) = delete;

    CdocTimer* AddTimer();
    void DeleteTimer(CdocTimer* timer);
    void DeleteAll();
    void RemoveFinished();

    // Searches; a key is a trigger input number.
    CdocTimer* FindOpen(const CdocTiming& timing) const;
    CdocTimer* FindOpenForKey(const CdocTiming& timing, int key) const;
    CdocTimer* FindLastUnfinished() const;
    CdocTimer* FindLastUnfinishedForKey(int key) const;
    CdocTimer* FindForKey(int key) const;
    int CountForKey(int key) const;
    int CountOpenForKey(const CdocTiming& timing, int key) const;
    bool HasOpen(const CdocTiming& timing) const;

    CdocTimer* AdvanceAll(CdocTiming& timing);
    void SetPendingAll(const CdocTiming& timing);

    int GetCount() const { return int(m_timers.size()); }
    // The measurement at a list position; null outside 0..GetCount()-1.
    CdocTimer* GetAt(int i) const;

private:
    std::vector<std::unique_ptr<CdocTimer>> m_timers;
};
