#pragma once
#include "document/docDoc.h"

#include <wx/docview.h>

// The application's document; the experiment's data object lives inside it.
class CgumDoc : public wxDocument
{
public:
    CgumDoc();
    ~CgumDoc() override;

    CdocDoc m_doc;

private:
    wxDECLARE_DYNAMIC_CLASS(CgumDoc);
};
