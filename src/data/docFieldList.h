#pragma once
#include "data/docFieldKey.h"
#include "data/docFieldV.h"

class CdocDoc;

// Entries of a channel list: every channel, and the time-and-date entry.
constexpr int DOC_FIELD_LIST_SIZE = DOC_MAX_FIELDS + 1;

// The channels a picker lists, in one of several orders. An empty key stands
// for the time-and-date entry. A fill starts afresh and stops at the list's
// capacity.
class CdocFieldList
{
public:
    CdocFieldList() = default;
    virtual ~CdocFieldList() = default;

    CdocField* GetField(CdocDoc* doc, int i);
    int IndexOfKey(CdocFieldKey key) const;

    void FillAll(CdocDoc* doc);
    void FillAxisChoices(CdocDoc* doc);
    void FillShown(CdocDoc* doc);
    void FillValueChoices(CdocDoc* doc);
    void FillTableChoices(CdocDoc* doc, bool all);
    void FillTableShown(CdocDoc* doc);

    int m_count = 0;
    CdocFieldKey m_keys[DOC_FIELD_LIST_SIZE];

private:
    bool Append(const CdocFieldKey& key);
    bool Append(const CdocField* field);
};
