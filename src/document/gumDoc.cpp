#include "document/gumDoc.h"

wxIMPLEMENT_DYNAMIC_CLASS(CgumDoc, wxDocument);

CgumDoc::CgumDoc()
{
    m_doc.m_owner = this;
}

void CgumDoc::UpdateDocViews(CdocHint& hint)
{
    UpdateAllViews(nullptr, &hint);
}

void CgumDoc::ModifyDoc()
{
    Modify(true);
}

bool CgumDoc::ShowNewChannelDetails(CdocFieldKey& key, int mode)
{
    return true;
}

bool CgumDoc::ShowCalcChannelDetails(CdocFieldKey& key, int mode)
{
    return true;
}

bool CgumDoc::ShowCalcResultDetails(CdocFieldKey& key, int mode)
{
    return true;
}

CgumDoc::~CgumDoc() = default;
