#pragma once
#include "document/docDoc.h"

#include <wx/docview.h>

// The application's document; the experiment's data object lives inside it.
class CgumDoc : public wxDocument, public CdocDocOwner
{
public:
    CgumDoc();
    ~CgumDoc() override;

    // What the data object asks of its document.
    void UpdateDocViews(CdocHint& hint) override;
    void ModifyDoc() override;
    // The channel-details dialog. Still thin: answers OK until the dialog exists.
    bool ShowNewChannelDetails(CdocFieldKey& key, int mode) override;
    bool ShowCalcChannelDetails(CdocFieldKey& key, int mode) override;
    bool ShowCalcResultDetails(CdocFieldKey& key, int mode) override;

    CdocDoc m_doc;

private:
    wxDECLARE_DYNAMIC_CLASS(CgumDoc);
};
