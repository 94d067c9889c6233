#pragma once
#include "app/base/gumResCore.h"

#include <wx/image.h>

// The application's resources: the paths and string table of CgumResCore
// and the pictures.
class CgumRes : public CgumResCore
{
public:
    CgumRes();
    ~CgumRes() override;

    bool Load();

    wxImage m_scopeImage;
};
