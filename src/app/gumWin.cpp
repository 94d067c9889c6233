#include "app/gumWin.h"

#include "app/barSide.h"
#include "app/gumApp.h"
#include "app/gumIdle.h"
#include "document/docDoc.h"
#include "views/guvBoxesPanel.h"
#include "views/guvDigitsPanel.h"
#include "views/guvGraphPanel.h"
#include "views/guvMeterPanel.h"
#include "views/guvScopePanel.h"
#include "views/guvTablePanel.h"

#include <wx/sizer.h>
#include <wx/toplevel.h>

CgumWin::CgumWin(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER, "panel")
{
    m_sizerMain = new wxBoxSizer(wxHORIZONTAL);
    m_sizerColumn = new wxBoxSizer(wxVERTICAL);
    m_sizerLower = new wxBoxSizer(wxHORIZONTAL);
    m_sizerUpper = new wxBoxSizer(wxHORIZONTAL);

    m_idle = new CgumIdle(this);
    m_meterPanel = new CguvMeterPanel(this);
    m_graphPanel = new CguvGraphPanel(this);
    m_tablePanel = new CguvTablePanel(this);
    m_digitsPanel = new CguvDigitsPanel(this);
    m_scopePanel = new CguvScopePanel(this);
    m_boxesPanel = new CguvBoxesPanel(this);
    m_sideBar = barNewSideBar(this);

    m_sizerUpper->Add(m_scopePanel, 1, wxEXPAND | wxTOP, 1);
    m_sizerUpper->Add(m_idle, 1, wxEXPAND | wxTOP, 0);
    m_sizerUpper->Add(m_meterPanel, 1, wxEXPAND | wxTOP, 0);
    m_sizerUpper->Add(m_graphPanel, 1, wxEXPAND | wxTOP, 0);
    m_sizerLower->Add(m_digitsPanel, 1, wxEXPAND | wxTOP, 1);
    m_sizerLower->Add(m_tablePanel, 1, wxEXPAND | wxBOTTOM, 0);
    m_sizerColumn->Add(m_sizerUpper, 2, wxEXPAND | wxALL, 0);
    m_sizerColumn->Add(m_sizerLower, 1, wxEXPAND | wxALL, 0);
    m_sizerMain->Add(m_sideBar, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    m_sizerMain->Add(m_sizerColumn, 1, wxEXPAND | wxALL, 0);
    m_sizerMain->Add(m_boxesPanel, 0, wxEXPAND | wxLEFT | wxRIGHT, 2);
    SetSizer(m_sizerMain, true);

    Record();
    UpdateLayout(true);
}

CgumWin::~CgumWin() = default;

void CgumWin::Record()
{
    CdocDoc* doc = wxTheApp ? wxGetApp().GetCurrentDocDoc() : nullptr;
    m_state = doc ? doc->m_state : 1;
    m_activity = doc ? doc->m_activity : 0;
    m_viewTable = doc ? doc->m_viewTable : false;
    m_viewDigits = doc ? doc->m_viewDigits : false;
}

void CgumWin::UpdateLayout(bool force)
{
    const int stateWas = m_state;
    const bool tableWas = m_viewTable;
    const bool digitsWas = m_viewDigits;
    Record();
    if (!force && m_state == stateWas && m_viewTable == tableWas && m_viewDigits == digitsWas)
        return;

    const bool none = m_state != DOC_STATE_READY && m_state != DOC_STATE_FETCHING &&
                      m_state != DOC_STATE_RUNNING && m_state != DOC_STATE_STOPPED;
    const bool ready = m_state == DOC_STATE_READY;
    const bool data = !none && !ready;
    m_idle->Show(none);
    m_sideBar->Show(true);
    m_meterPanel->Show(ready);
    m_graphPanel->Show(data);
    m_tablePanel->Show(data && m_viewTable);
    m_digitsPanel->Show(data && m_viewDigits);
    m_scopePanel->Show(m_state == DOC_STATE_RUNNING && m_activity == ACTIVITY_SCOPE);
    m_boxesPanel->Show(!none);
    Layout();
}

void CgumWin::UpdateWindowUI(long flags)
{
    UpdateLayout(false);
    KeepFocus();
    wxPanel::UpdateWindowUI(flags);
}

// The toolkit hands a key press only to the window that holds the focus: with
// none (at start-up, or once the focused view was hidden) the single keys of
// the frame's key map would go nowhere until a click gave a window the focus.
void CgumWin::KeepFocus()
{
    auto* frame = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(this));
    if (frame && frame->IsActive() && !wxWindow::FindFocus())
        SetFocus();
}

bool CgumWin::Layout()
{
    wxWindow* windows[] = {m_idle, m_meterPanel, m_graphPanel, m_tablePanel,
                           m_digitsPanel, m_scopePanel, m_boxesPanel};
    for (wxWindow* window : windows) {
        if (window)
            window->Layout();
    }
    wxSizer* sizers[] = {m_sizerUpper, m_sizerLower, m_sizerColumn, m_sizerMain};
    for (wxSizer* sizer : sizers) {
        if (sizer)
            sizer->Layout();
    }
    return wxPanel::Layout();
}
