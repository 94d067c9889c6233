#pragma once
#include "data/docFieldKey.h"
#include "data/docFieldV.h"

class CdocDoc;
class CdocFieldList;

enum
{
    FIELDA_NONE = 0,
    FIELDA_TIME_AND_DATE = 1,
    FIELDA_CHANNEL = 2,
};

// Bytes of an entry's text, its ending zero included.
constexpr int DOC_FIELDA_TEXT = 101;
// Entries of a choice list: every channel, "None" and "Time and Date".
constexpr int DOC_FIELDA_SIZE = DOC_MAX_FIELDS + 2;

// One entry of a picker's choice list, with its texts ready for drawing.
struct CdocFieldAEntry
{
    int m_kind = FIELDA_NONE;
    int m_key = 0;
    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    char m_title[DOC_FIELDA_TEXT] = {};
    char m_name[DOC_FIELDA_TEXT] = {};
    char m_units[DOC_FIELDA_TEXT] = {};
    char m_width[DOC_FIELDA_TEXT] = {};
};

// A picker's choice list: channels, optionally followed by a "None" entry and
// a "Time and Date" entry, and the selected entry. Filled once, after its
// switches are chosen; a fill stops at the list's capacity.
class CdocFieldA
{
public:
    CdocFieldA() = default;
    virtual ~CdocFieldA() = default;

    CdocField* GetField(CdocDoc* doc, int i) const;
    CdocFieldKey GetKey(int i) const;
    int IndexOfField(const CdocField* field) const;
    int IndexOfKey(CdocFieldKey key) const;
    int SelectField(const CdocField* field);
    CdocField* GetSelectedField(CdocDoc* doc) const;

    void Fill(CdocDoc* doc, const CdocField* exclude);
    void FillFromList(CdocDoc* doc, const CdocFieldList& list);

    bool m_includeReadingTime = true;
    bool m_includeAll = true;
    bool m_addNone = false;
    bool m_addTimeAndDate = false;
    int m_count = 0;
    int m_selected = 0;
    CdocFieldAEntry m_entries[DOC_FIELDA_SIZE];
    int m_records = 0;

private:
    CdocFieldAEntry* NewEntry(int kind, int key);
};
