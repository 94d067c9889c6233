#include "app/barHelp.h"

#include "app/gumApp.h"
#include "document/docDoc.h"

#include <wx/dcclient.h>

wxBEGIN_EVENT_TABLE(CbarHelp, CbarBase)
    EVT_PAINT(CbarHelp::OnPaint)
wxEND_EVENT_TABLE()

CbarHelp::CbarHelp(wxWindow* parent)
    : CbarBase(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxTB_BOTTOM | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER | wxNO_BORDER, "toolbar")
{
    CbarHelp::SaveState();
}

CbarHelp::~CbarHelp() = default;

CbarHelp* barNewHelpBar(wxWindow* parent)
{
    return new CbarHelp(parent);
}

void CbarHelp::SaveState()
{
    SetBackgroundColour(GetBackgroundColour());
    m_autoIconSize = true;
    m_largeIcons = 0;
    m_state = barCurrentDocState();
    m_userLevel = wxGetApp().m_options.GetUserLevel();
}

bool CbarHelp::StateChanged()
{
    const int state = barCurrentDocState();
    const int level = wxGetApp().m_options.GetUserLevel();
    const bool changed = state != m_state || level != m_userLevel;
    m_state = state;
    m_userLevel = level;
    return changed;
}

void CbarHelp::UpdateTools()
{
    ClearTools();
    FitBitmapSize(wxGetApp().m_res.m_sideBitmaps[BMP_AUTOLOG]);
    const wxSize size = GetToolBitmapSize();
    SetToolPacking(size.y > 32 ? 0 : size.y / 4);
    SetMargins((21 * GetCharWidth() - 2 * size.x) / 2, GetMargins().y);
    AddCommandTool(5);
    AddCommandTool(6);
    FinishTools(2, 1);
    Refresh(true);
}

// The bar takes the colour of the boxes panel around it.
void CbarHelp::OnPaint(wxPaintEvent& event)
{
    PaintLikeParent();
}
