#pragma once
#include "data/docFieldKey.h"

#include <memory>
#include <vector>

class CdocDoc;
class CdocField;
class CdocFieldHdr;

// Channels in use per document.
constexpr int DOC_MAX_FIELDS = 20;

// A document's channels: at most 20 in use, in display order, at the front of
// the array; the objects behind them are spares kept allocated for reuse.
class CdocFieldV
{
public:
    CdocFieldV();
    virtual ~CdocFieldV();
    CdocFieldV(const CdocFieldV&) = delete;
    CdocFieldV& operator=(const CdocFieldV&) = delete;

    CdocField* CreateField();
    bool Reserve(int n);
    int Add(int n);
    void RemoveAt(int position);
    void Move(int from, int to);
    void Clear() { m_count = 0; }

    CdocField* Find(CdocFieldKey& ref) const;
    CdocField* Lookup(const CdocFieldKey& ref) const;
    bool FindContent(CdocFieldKey& out, int first, int content) const;
    bool FindSensor(CdocFieldKey& out, int input) const;
    bool FindTiming(CdocFieldKey& out, int result) const;
    bool GetSensor(CdocFieldKey& out, int n) const;
    bool GetNonTime(CdocFieldKey& out, int n) const;
    bool GetNonSource(CdocFieldKey& out, int n) const;
    bool FindMarker(CdocFieldKey& out, int first) const;
    bool HasData() const;
    int GetLetterNumber(const CdocFieldHdr* field) const;

    // The channel in use at a position; null outside 0..m_count-1.
    CdocField* GetAt(int position) const;
    int GetCount() const { return m_count; }
    // Channel objects allocated, in use or spare.
    int GetAllocated() const { return int(m_fields.size()); }
    // Position of a channel in use; -1 when it is not in use here.
    int IndexOf(const CdocFieldHdr* field) const;

    CdocDoc* m_doc = nullptr;
    int m_count = 0;

private:
    int Search(int key) const;
    bool Answer(CdocFieldKey& out, int position) const;

    std::vector<std::unique_ptr<CdocField>> m_fields;
};
