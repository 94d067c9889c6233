#pragma once
#include "data/docRoot.h"

#include <wx/string.h>

// The table view's settings, saved with the document.
class CdocTable : public CdocRoot
{
public:
    CdocTable();
    ~CdocTable() override;

    // Answers the table-font command, which is not offered yet.
    bool ShowNotImplemented();

    // The font as its description text; empty: the application's default
    // drawing font. The table view makes the font from it.
    wxString m_font;
    bool m_colour = true;
    bool m_elapsed = true;
    bool m_date = true;
};
