#include "data/docTable.h"

#include "transport/zxMessageBox.h"

#include <wx/intl.h>

CdocTable::CdocTable() = default;

CdocTable::~CdocTable() = default;

bool CdocTable::ShowNotImplemented()
{
    zxInfoBox(_("Not implemented yet"));
    return true;
}
