#include "views/guvBoxesPanel.h"

#include "app/barActivity.h"
#include "app/barHelp.h"
#include "app/barBase.h"
#include "document/docDoc.h"
#include "views/guvBoxesWin.h"

#include <wx/sizer.h>

CguvBoxesPanel::CguvBoxesPanel(wxWindow* parent, wxWindowID id, const wxPoint& position,
    const wxSize& size, long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    m_sizer = new wxBoxSizer(wxVERTICAL);
    m_activityBar = barNewActivityBar(this);
    m_helpBar = barNewHelpBar(this);
    m_sizer->Add(m_activityBar, 1, wxLEFT | wxRIGHT | wxALIGN_CENTER_HORIZONTAL, 2);
    m_window = new CguvBoxesWin(this);
    m_sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    bottom->Add(m_helpBar, 1, wxEXPAND | wxALL, 0);
    m_sizer->Add(bottom, 0, wxEXPAND, 0);
    // No fixed minimum: the panel is as wide as its bars, which are built later.
    SetSizer(m_sizer);
    m_state = barCurrentDocState();
    UpdateLayout(true);
    Fit();
}

CguvBoxesPanel::~CguvBoxesPanel() = default;

void CguvBoxesPanel::UpdateLayout(bool force)
{
    if (!m_activityBar) {
        m_activityBar = barNewActivityBar(this);
        m_sizer->Insert(0, m_activityBar, 1, wxLEFT | wxRIGHT | wxALIGN_CENTER_HORIZONTAL, 2);
        m_activityBar->UpdateIfChanged(true);
        force = true;
    }
    const int state = barCurrentDocState();
    const bool changed = state != m_state;
    m_state = state;
    if (!changed && !force)
        return;
    const bool ready = state == 1 || state == DOC_STATE_READY;
    m_activityBar->Show(ready);
    m_window->Show(!ready);
    m_helpBar->Show(true);
    Layout();
}

void CguvBoxesPanel::UpdateWindowUI(long flags)
{
    UpdateLayout(false);
    wxPanel::UpdateWindowUI(flags);
}

bool CguvBoxesPanel::Layout()
{
    if (m_activityBar)
        m_activityBar->Layout();
    if (m_helpBar)
        m_helpBar->Layout();
    if (m_sizer)
        m_sizer->Layout();
    return wxPanel::Layout();
}
