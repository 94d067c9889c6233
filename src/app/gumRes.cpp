#include "app/gumRes.h"

CgumRes::CgumRes() = default;

CgumRes::~CgumRes() = default;

bool CgumRes::Load()
{
    wxFileName scope;
    GetResourceFile(scope, "bitmaps", "scope", "png");
    if (scope.FileExists())
        m_scopeImage.LoadFile(scope.GetFullPath(), wxBITMAP_TYPE_PNG);
    return LoadStrings();
}
