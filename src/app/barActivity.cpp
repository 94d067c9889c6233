#include "app/barActivity.h"

#include "app/appOptions.h"
#include "app/gumApp.h"
#include "document/docDoc.h"

#include <wx/dcclient.h>

wxBEGIN_EVENT_TABLE(CbarActivity, CbarBase)
    EVT_PAINT(CbarActivity::OnPaint)
wxEND_EVENT_TABLE()

CbarActivity::CbarActivity(wxWindow* parent)
    : CbarBase(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxTB_RIGHT | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER | wxNO_BORDER, "toolbar")
{
    CbarActivity::SaveState();
}

CbarActivity::~CbarActivity() = default;

CbarActivity* barNewActivityBar(wxWindow* parent)
{
    return new CbarActivity(parent);
}

void CbarActivity::SaveState()
{
    SetBackgroundColour(GetBackgroundColour());
    m_autoIconSize = true;
    m_largeIcons = UseLargeIcons() ? 1 : 0;
    m_state = barCurrentDocState();
    m_userLevel = wxGetApp().m_options.GetUserLevel();
}

bool CbarActivity::StateChanged()
{
    const bool size = CheckIconSize();
    const int state = barCurrentDocState();
    const int level = wxGetApp().m_options.GetUserLevel();
    const bool changed = size || state != m_state || level != m_userLevel;
    m_state = state;
    m_userLevel = level;
    return changed;
}

void CbarActivity::UpdateTools()
{
    ClearTools();
    FitBitmapSize(wxGetApp().m_res.m_sideBitmaps[BMP_AUTOLOG]);
    const int h = GetToolBitmapSize().y;
    SetMargins(0, h / 4);
    SetToolPacking(h / 4);
    AddCommandTool(26);
    AddCommandTool(25);
    if (appIsAllowed(FEATURE_SCOPE))
        AddCommandTool(27);
    if (appIsAllowed(FEATURE_SETUP))
        AddCommandTool(28);
    FinishTools(0, 0);
}

// The bar takes the colour of the boxes panel around it.
void CbarActivity::OnPaint(wxPaintEvent& event)
{
    PaintLikeParent();
}
