#include "document/gumDoc.h"

wxIMPLEMENT_DYNAMIC_CLASS(CgumDoc, wxDocument);

CgumDoc::CgumDoc() = default;

CgumDoc::~CgumDoc() = default;
