#include "views/guvScopePanel.h"

#include "document/docDoc.h"
#include "hardware/xhwSenCalibChoiceV.h"
#include "views/grnScope.h"
#include "views/guvScopeTrigger.h"
#include "views/guvScopeView.h"
#include "views/guvScopeWin.h"

#include <algorithm>
#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/intl.h>
#include <wx/sizer.h>

wxBEGIN_EVENT_TABLE(CguvScopePanel, wxPanel)
    EVT_CHOICE(CguvScopePanel::kTimebaseId, CguvScopePanel::OnTimebaseChoice)
    EVT_CHOICE(CguvScopePanel::kGainId, CguvScopePanel::OnGainChoice)
    EVT_SIZE(CguvScopePanel::OnSize)
wxEND_EVENT_TABLE()

namespace {

// Refills a choice only when its texts changed, so that an open list is
// left alone by repeated updates.
void FillChoice(wxChoice* choice, const wxArrayString& items, int selection)
{
    bool same = choice->GetCount() == items.size();
    for (unsigned i = 0; same && i < items.size(); ++i)
        same = choice->GetString(i) == items[i];
    if (!same) {
        choice->Clear();
        choice->Append(items);
    }
    if (selection >= 0 && unsigned(selection) < choice->GetCount())
        choice->SetSelection(selection);
}

CdocDoc* DocOf(CguvScopeWin* window)
{
    return window && window->m_view ? window->m_view->GetDocDoc() : nullptr;
}

} // namespace

CguvScopePanel::CguvScopePanel(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size,
                               long style)
    : wxPanel(parent, id, position, size, style, "panel")
{
    SetBackgroundColour(grnScopeBackground());
    m_sizer = new wxBoxSizer(wxVERTICAL);
    m_controls = new wxBoxSizer(wxHORIZONTAL);
    m_window = new CguvScopeWin(this);
    m_timebaseChoice = new wxChoice(this, kTimebaseId, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                    wxDefaultValidator, "choice");
    m_gainChoice = new wxChoice(this, kGainId, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                wxDefaultValidator, "choice");
    m_labelLong = _("Trigger");
    m_labelMid = _("Trig");
    m_labelShort = _("T");
    m_trigger = new CguvScopeTrigger(this);
    m_controls->AddStretchSpacer(1);
    m_controls->Add(m_gainChoice, 0, wxALL, 0);
    m_controls->AddStretchSpacer(1);
    m_controls->Add(m_timebaseChoice, 0, wxALL, 0);
    m_controls->AddStretchSpacer(1);
    m_controls->Add(m_trigger, 0, wxALL, 0);
    m_controls->AddStretchSpacer(1);
    m_sizer->Add(m_controls, 0, wxEXPAND | wxALL, 2);
    m_sizer->Add(m_window, 1, wxEXPAND | wxALL, 0);
    SetSizer(m_sizer, true);
    Layout();
}

CguvScopePanel::~CguvScopePanel() = default;

void CguvScopePanel::UpdateControls()
{
    CdocDoc* doc = DocOf(m_window);
    if (!doc)
        return;
    CdocScope& scope = doc->m_scope;
    const int panelWidth = GetClientSize().GetWidth();
    wxClientDC dc(this);
    dc.SetFont(m_timebaseChoice->GetFont());
    auto widest = [&dc](const wxString& a, const wxString& b) {
        return std::max(dc.GetTextExtent(a).GetWidth(), dc.GetTextExtent(b).GetWidth());
    };
    const int last = scope.GetTimebaseCount() - 1;
    const int gl = widest(scope.GetGainText(0, false), scope.GetGainText(10, false));
    const int gs = widest(scope.GetGainText(0, true), scope.GetGainText(10, true));
    const int tl = widest(scope.GetTimebaseText(0, false), scope.GetTimebaseText(last, false));
    const int ts = widest(scope.GetTimebaseText(0, true), scope.GetTimebaseText(last, true));
    dc.SetFont(m_trigger->GetFont());
    const int w7 = dc.GetTextExtent(m_labelLong).GetWidth();
    const int w4 = dc.GetTextExtent(m_labelMid).GetWidth();
    const int hg = m_gainChoice->GetSize().GetHeight();
    const int ht = m_timebaseChoice->GetSize().GetHeight();
    auto need = [](int textWidth, int height) { return int(1.25 * textWidth + height); };

    wxString label = m_labelLong;
    if (panelWidth < need(gs, hg) + w4 + 4 + need(ts, ht))
        label = m_labelShort;
    else if (panelWidth < w7 + 4 + need(tl, ht) + need(gl, hg))
        label = m_labelMid;
    m_trigger->SetLabel(label);
    m_trigger->Refresh();

    scope.KeepTimebase();
    const bool shortForm = panelWidth < need(tl, ht) + need(gl, hg) + w4 + 4;

    wxArrayString timebases;
    for (int i = 0; i < scope.GetTimebaseCount(); ++i)
        timebases.Add(scope.GetTimebaseText(i, shortForm));
    FillChoice(m_timebaseChoice, timebases, scope.m_timebase);

    wxArrayString gains;
    size_t longest = 0;
    for (int i = 0; i < CdocScope::kGains; ++i) {
        gains.Add(scope.GetGainText(i, shortForm));
        longest = std::max(longest, gains.Last().length());
    }
    CxhwSenCalibChoiceV ranges;
    scope.GetInputInfo().FindCalibChoice(ranges, doc->m_boxInfo.m_info, false, true);
    if (ranges.GetCount() > 1) {
        gains.Add(wxString('-', std::min<size_t>(longest, 40)));
        for (int i = 0; i < ranges.GetCount(); ++i)
            gains.Add(ranges[i].m_label);
    }
    FillChoice(m_gainChoice, gains, scope.m_gainbase);

    m_timebaseChoice->SetToolTip(
        _("Set the Timebase to adjust the rate at which the trace moves from left to right (X axis)"));
    m_gainChoice->SetToolTip(_("Set the Gain to adjust the vertical (Y axis) size of the signal"));
    Layout();
}

void CguvScopePanel::OnSize(wxSizeEvent&)
{
    // Refilling the choices makes the toolkit send the same size again; only
    // a new size needs new controls, else they are refilled without end.
    if (m_updating || GetSize() == m_laidOutSize)
        return;
    m_laidOutSize = GetSize();
    m_updating = true;
    UpdateControls();
    m_updating = false;
    // Without a document the controls still follow the panel's size.
    Layout();
}

void CguvScopePanel::OnTimebaseChoice(wxCommandEvent&)
{
    if (CdocDoc* doc = DocOf(m_window))
        doc->m_scope.SetTimebase(m_timebaseChoice->GetSelection());
}

void CguvScopePanel::OnGainChoice(wxCommandEvent&)
{
    CdocDoc* doc = DocOf(m_window);
    if (!doc)
        return;
    const int s = m_gainChoice->GetSelection();
    if (s >= 0 && s < CdocScope::kGains) {
        doc->m_scope.SetGainbase(s);
        return;
    }
    // The separator and the ranges never stay selected.
    if (doc->m_scope.m_gainbase >= 0 && unsigned(doc->m_scope.m_gainbase) < m_gainChoice->GetCount())
        m_gainChoice->SetSelection(doc->m_scope.m_gainbase);
    if (s >= CdocScope::kGains + 1)
        doc->m_scope.SetSensorRange(s - CdocScope::kGains - 1);
}
