#include "views/guvMeterView.h"

#include "app/gumApp.h"
#include "document/docDoc.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "views/gumView.h"
#include "views/guvMeterWin.h"

#include <wx/dcclient.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvMeterView, CguvView);

CguvMeterView::CguvMeterView() = default;

CguvMeterView::~CguvMeterView() = default;

void CguvMeterView::AttachRenderer()
{
    m_renderer.SetDoc(GetDocDoc());
}

wxWindow* CguvMeterView::GetWindow()
{
    return m_master ? m_master->GetMeterWin() : nullptr;
}

bool CguvMeterView::HoldsCapture()
{
    wxWindow* window = GetWindow();
    return window && window->HasCapture();
}

void CguvMeterView::OnDraw(wxDC* dc)
{
    if (!dc)
        return;
    auto* window = dynamic_cast<CguvPanelWin*>(GetWindow());
    const bool onWindow = window && window->m_painting;
    const wxSize size = onWindow ? window->GetClientSize() : dc->GetSize();
    // Only the window shows a pressed button, and only while it holds the mouse.
    m_renderer.m_pressedKey = onWindow && m_pressed && HoldsCapture() ? m_hoverKey : CdocFieldKey();
    m_renderer.Draw(*dc, wxRect(wxPoint(0, 0), size));
    m_renderer.m_pressedKey = CdocFieldKey();
}

void CguvMeterView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        RefreshWindow();
        return;
    }
    switch (guvHintCode(hint)) {
    case HINT_BOX_LINKED:
    case HINT_BOX_SENSORS:
    case HINT_BOX_VALUES:
    case HINT_BOX_STATUS:
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_VALUES:
    case HINT_CHANNEL_LAYOUT:
        Reattach();
        break;
    default:
        break;
    }
}

bool CguvMeterView::EnsureLayout()
{
    return EnsureRendererLayout(m_renderer);
}

void CguvMeterView::RefreshHeader()
{
    wxWindow* window = GetWindow();
    if (!window)
        return;
    if (EnsureLayout()) {
        const CgrnMeter& r = m_renderer;
        const wxRect header(r.m_ix, r.m_iy, r.m_iw, r.m_channelTop - r.m_iy);
        window->Refresh(true, &header);
        return;
    }
    Reattach();
}

wxString CguvMeterView::GetPowerText(int power)
{
    if (power == 103)
        return wxString();
    auto entry = [](int n) { return wxTheApp ? wxGetApp().m_res.GetString(n) : wxString(); };
    wxString text = entry(230) + " ";
    int level = 0;
    if (power >= 0 && power <= 19)
        level = 231;
    else if (power >= 20 && power <= 49)
        level = 232;
    else if (power >= 50 && power <= 100)
        level = 233;
    else if (power == 101)
        level = 234;
    else if (power == 102)
        level = 235;
    if (level != 0)
        text += "(" + entry(level) + ")";
    return text;
}

void CguvMeterView::UpdateToolTip()
{
    wxString text;
    CdocDoc* doc = GetDocDoc();
    switch (m_hit.m_area) {
    case METER_HIT_SENSOR:
        if (doc) {
            if (const CdocField* channel = doc->m_data.m_fields.Find(m_hit.m_key))
                text = channel->GetListTitle();
        }
        break;
    case METER_HIT_LOGGER:
        if (doc)
            xhwGetBoxName(text, 0, doc->m_boxInfo.m_info);
        break;
    case METER_HIT_POWER:
        if (doc)
            text = GetPowerText(doc->m_boxInfo.m_boxPower);
        break;
    default:
        break;
    }
    if (text == m_toolTip)
        return;
    m_toolTip = text;
    if (wxWindow* window = GetWindow())
        window->SetToolTip(text);
}

void CguvMeterView::OnWindowMouse(wxMouseEvent& event)
{
    wxWindow* window = GetWindow();
    if (!window)
        return;
    m_hit.m_area = METER_HIT_NONE;
    m_hit.m_x = event.GetX();
    m_hit.m_y = event.GetY();
    if (EnsureLayout())
        m_renderer.HitTest(m_hit);
    UpdateToolTip();

    const int area = m_hit.m_area;
    CdocFieldKey newKey;
    bool newArmed = false;
    bool hand = true;
    switch (area) {
    case METER_HIT_SCALE:
    case METER_HIT_BAR:
    case METER_HIT_ABOVE:
        newKey = m_hit.m_key;
        break;
    case METER_HIT_SENSOR:
    case METER_HIT_ARROW:
        newKey = m_hit.m_key;
        newArmed = true;
        break;
    default:
        hand = false;
        break;
    }
    window->SetCursor(wxCursor(hand ? wxCURSOR_HAND : wxCURSOR_ARROW));

    CdocDoc* doc = GetDocDoc();
    auto find = [doc](CdocFieldKey& key) { return doc ? doc->m_data.m_fields.Find(key) : nullptr; };
    if (find(m_hoverKey) != find(newKey) || m_armed != newArmed) {
        m_hoverKey = newKey;
        m_armed = newArmed;
        m_pressed = false;
        if (window->HasCapture())
            window->ReleaseMouse();
        RefreshHeader();
    }

    const bool onChannel = area == METER_HIT_SENSOR || area == METER_HIT_SCALE || area == METER_HIT_BAR ||
                           area == METER_HIT_ARROW || area == METER_HIT_ABOVE;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_RIGHT_UP) {
        if (onChannel)
            ShowChannelMenu(m_hit.m_key);
    } else if (type == wxEVT_LEFT_UP) {
        if (window->HasCapture()) {
            window->ReleaseMouse();
            RefreshHeader();
            if (area == METER_HIT_ARROW)
                ShowChannelMenu(m_hit.m_key);
            else if (onChannel)
                ToggleChannelInput(m_hit.m_key);
        }
    } else if (type == wxEVT_LEFT_DOWN) {
        if (onChannel && !window->HasCapture()) {
            window->CaptureMouse();
            m_pressed = true;
            RefreshHeader();
        }
    }

    if (m_pressed && !window->HasCapture()) {
        m_pressed = false;
        RefreshHeader();
    }
}

void CguvMeterView::OnCaptureLost()
{
    wxWindow* window = GetWindow();
    if (!m_pressed || (window && window->HasCapture()))
        return;
    m_armed = false;
    m_pressed = false;
    RefreshHeader();
}

void CguvMeterView::ToggleChannelInput(const CdocFieldKey& key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ToggleChannelInput(key);
}

void CguvMeterView::ShowChannelMenu(const CdocFieldKey& key)
{
    if (auto* doc = dynamic_cast<CgumDoc*>(GetDocument()))
        doc->ShowChannelMenu(GetWindow(), key);
}
