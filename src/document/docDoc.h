#pragma once
#include "data/docCalcs.h"
#include "data/docData.h"
#include "document/docHint.h"
#include "protocol/xutBoxPublicInfo.h"

enum
{
    DOC_STATE_READY = 2,
    DOC_STATE_FETCHING = 3,
    DOC_STATE_RUNNING = 4,
    DOC_STATE_STOPPED = 5,
};

enum
{
    ACTIVITY_AUTOLOG = 1,
    ACTIVITY_PERIODIC = 2,
    ACTIVITY_SNAPSHOT = 3,
    ACTIVITY_TIMING = 4,
    ACTIVITY_FAST = 5,
    ACTIVITY_SCOPE = 6,
};

// What the data object needs of the document that holds it: the views, the
// modified flag and the channel-details dialog. The application's document
// implements it; without one (no windows) hints go nowhere and the dialog
// answers OK.
class CdocDocOwner
{
public:
    virtual ~CdocDocOwner() = default;
    virtual void UpdateDocViews(CdocHint& hint) = 0;
    virtual void ModifyDoc() = 0;
    virtual bool ShowNewChannelDetails(CdocFieldKey& key, int mode) = 0;
    virtual bool ShowCalcChannelDetails(CdocFieldKey& key, int mode) = 0;
    virtual bool ShowCalcResultDetails(CdocFieldKey& key, int mode) = 0;
};

// All data of one experiment.
class CdocDoc
{
public:
    CdocDoc();
    virtual ~CdocDoc() = default;
    // Every part points back at its data object.
    CdocDoc(const CdocDoc&) = delete;
    CdocDoc& operator=(const CdocDoc&) = delete;

    // Passes a hint to every view; the second form marks the document modified first.
    void UpdateViews(int code, void* data);
    void ModifyAndUpdateViews(int code, void* data);
    // Follow-scroll of the table after a stored record.
    void RequestAutoScroll(int row);
    bool ShowNewChannelDetails(CdocFieldKey& key, int mode);
    bool ShowCalcChannelDetails(CdocFieldKey& key, int mode);
    bool ShowCalcResultDetails(CdocFieldKey& key, int mode);

    // Keeps the system from idle sleep exactly while fetching or running.
    void SetState(int state);

    // Copies the options' view switches (after the user level changed).
    void LoadViewOptions();

    int m_state = DOC_STATE_READY;
    int m_activity = ACTIVITY_AUTOLOG;
    bool m_viewTitle = false;
    bool m_viewTable = false;
    bool m_viewGauge = true;
    bool m_viewDigits = false;

    CdocDocOwner* m_owner = nullptr;
    // The copy of the connected logger's published description.
    CxutBoxPublicInfo m_boxInfo;
    // Not saved: the start code of a template pairing in progress, else 0.
    int m_matchCode = 0;
    CdocCalcs m_calcs;
    CdocData m_data;
    int m_autoScroll = -1;
    int m_autoScrollPending = -1;
    int m_autoScrollCount = 0;
};
