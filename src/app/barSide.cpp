#include "app/barSide.h"

#include "document/docDoc.h"

CbarSide::CbarSide(wxWindow* parent)
    : CbarBase(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
               wxTB_VERTICAL | wxTB_FLAT | wxTB_TEXT | wxTB_NODIVIDER, "toolbar")
{
    CbarSide::SaveState();
}

CbarSide::~CbarSide() = default;

CbarSide* barNewSideBar(wxWindow* parent)
{
    return new CbarSide(parent);
}

void CbarSide::SaveState()
{
    SetBackgroundColour(GetBackgroundColour());
    m_autoIconSize = true;
    m_largeIcons = UseLargeIcons() ? 1 : 0;
    m_appState.Save();
}

bool CbarSide::StateChanged()
{
    const bool state = m_appState.Changed();
    const bool size = CheckIconSize();
    return state || size;
}

void CbarSide::UpdateTools()
{
    ClearTools();
    SetBackgroundColour(GetBackgroundColour());
    FitBitmapSize(wxGetApp().m_res.m_sideBitmaps[BMP_START]);
    const int h = GetToolBitmapSize().y;
    SetMargins(0, h / 4);
    SetToolPacking(h / 4);
    const int state = m_appState.m_state;
    const int activity = m_appState.m_activity;
    auto add = [this](std::initializer_list<int> kinds) {
        for (int kind : kinds) {
            if (kind < 0)
                AddSeparator();
            else
                AddCommandTool(unsigned(kind));
        }
    };
    switch (state) {
    case DOC_STATE_READY:
        add({14, 15, -1, 16, 17});
        break;
    case DOC_STATE_FETCHING:
        add({18, 19, -1, 23, 24});
        break;
    case DOC_STATE_RUNNING:
        if (activity == ACTIVITY_AUTOLOG || activity == ACTIVITY_PERIODIC)
            add({21, 19, -1, 23, 24});
        else if (activity == ACTIVITY_SNAPSHOT || activity == ACTIVITY_SCOPE)
            add({20, 19, -1, 23, 24});
        else
            add({18, 19, -1, 23, 24});
        break;
    case DOC_STATE_STOPPED:
        add({18, 22, -1, 23, 24});
        break;
    default:
        add({12, 13});
        break;
    }
    FinishTools(0, 0);
    Refresh(); // the old buttons would stay on screen until something else repaints
}
