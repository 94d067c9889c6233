#pragma once
#include <wx/bitmap.h>

// One tool picture in its two sizes: a bar shows the small or the large one
// by its icon size (0 small, 1 large).
class CgumBitmapPair
{
public:
    const wxBitmap& Get(int large) const { return large ? m_large : m_small; }

    wxBitmap m_small;
    wxBitmap m_large;
};
