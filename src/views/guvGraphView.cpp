#include "views/guvGraphView.h"

#include "app/appOptions.h"
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "app/gumDocPrintout.h"
#include "document/docDoc.h"
#include "document/gumDoc.h"
#include "views/gpmChannel.h"
#include "views/gumView.h"
#include "views/guvGraphWin.h"

#include <algorithm>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

wxIMPLEMENT_DYNAMIC_CLASS(CguvGraphView, CguvView);

CguvGraphView::CguvGraphView() = default;

CguvGraphView::~CguvGraphView() = default;

void CguvGraphView::AttachRenderer()
{
    m_renderer.SetDoc(GetDocDoc());
}

wxWindow* CguvGraphView::GetWindow()
{
    return m_master ? m_master->GetGraphWin() : nullptr;
}

void CguvGraphView::OnDraw(wxDC* dc)
{
    if (!dc)
        return;
    auto* window = dynamic_cast<CguvGraphWin*>(GetWindow());
    const bool onWindow = window && window->m_painting;
    const wxSize size = onWindow ? window->GetClientSize() : dc->GetSize();
    const wxRect rect(wxPoint(0, 0), size);
    if (!onWindow || !CursorsShown() || !DrawPicture(size)) {
        m_pictureValid = false;
        m_renderer.Draw(*dc, rect, false);
        DrawOverlay(*dc);
        return;
    }
    // With cursors shown the window shows a copy of the picture with the
    // cursors on it: the toolkit's window contexts can neither be read back
    // nor take an overlay.
    wxBitmap shown = m_picture.GetSubBitmap(rect);
    {
        wxMemoryDC copy(shown);
        DrawOverlay(copy);
    }
    dc->DrawBitmap(shown, 0, 0);
}

bool CguvGraphView::CursorsShown()
{
    CdocDoc* doc = GetDocDoc();
    return doc && doc->m_tool.m_now.m_active && !doc->m_tool.m_now.m_annotate;
}

bool CguvGraphView::DrawPicture(const wxSize& size)
{
    wxWindow* window = GetWindow();
    if (!window || size.x <= 0 || size.y <= 0)
        return false;
    if (m_pictureValid && m_picture.IsOk() && m_picture.GetSize() == size)
        return true;
    if (!m_picture.IsOk() || m_picture.GetSize() != size)
        m_picture.Create(size.x, size.y, 24);
    wxMemoryDC picture(m_picture);
    picture.SetBackground(wxBrush(window->GetBackgroundColour()));
    picture.Clear();
    m_pictureValid = m_renderer.Draw(picture, wxRect(wxPoint(0, 0), size), false);
    return m_pictureValid;
}

void CguvGraphView::DrawOverlay(wxDC& dc)
{
    // The picture under the cursors is the one on the context now.
    m_overlay.Reset();
    if (!CursorsShown() || !m_renderer.m_layoutValid)
        return;
    {
        // The cursors keep to the plot (its edges included).
        wxDCOverlay under(m_overlay, &dc, 0, 0, m_renderer.m_plotRight + 1, m_renderer.m_plotBottom + 1);
    }
    m_renderer.DrawToolCursors(dc, wxRect(wxPoint(0, 0), dc.GetSize()), m_overlay);
}

void CguvGraphView::OnSize()
{
    m_overlay.Reset();
    m_pictureValid = false;
}

bool CguvGraphView::EnsureLayout()
{
    return EnsureRendererLayout(m_renderer);
}

void CguvGraphView::Rebuild()
{
    m_pictureValid = false;
    m_pendingFirst = -1;
    m_pendingLast = -1;
    Reattach();
}

void CguvGraphView::OnUpdate(wxView* sender, wxObject* hint)
{
    if (!GetWindow())
        return;
    if (!hint) {
        // Drawn again, the picture under any cursors too.
        m_pictureValid = false;
        RefreshWindow();
        return;
    }
    const void* data = guvHintData(hint);
    switch (guvHintCode(hint)) {
    case HINT_STORE_COMPACTED:
    case HINT_TITLE:
    case HINT_VIEW_TITLE:
    case HINT_VIEW_GAUGE:
    case HINT_OPTIONS:
    case HINT_RESCAN:
    case HINT_AXES:
    case HINT_SCALES:
    case HINT_GRAPH_STYLE:
    case HINT_VALUE_EDITED:
    case HINT_CHANNEL_CHANGED:
    case HINT_CHANNEL_ADDED:
    case HINT_CHANNEL_REMOVED:
    case HINT_CHANNEL_VALUES:
    case HINT_CHANNEL_LAYOUT:
    case HINT_RUN_RESET:
    case HINT_RUN_STARTED:
    case HINT_DELETED_ALL:
    case HINT_DELETED_LAST:
    case HINT_VIEW_TIME_AND_DATE:
    case HINT_SCOPE_STORED:
    case HINT_GRAPH_REDRAW:
        Rebuild();
        break;
    case HINT_RUN_STOPPED:
        DrawPendingSamples();
        Rebuild();
        break;
    case HINT_NEW_DATA:
        DrawPendingSamples();
        break;
    case HINT_MARKED:
        if (data) {
            const int i = *static_cast<const int*>(data);
            if (!DrawSampleMarks(i, i + 1))
                Rebuild();
        }
        break;
    case HINT_SAMPLE_UPDATED:
        if (data) {
            const int i = *static_cast<const int*>(data);
            if (m_pendingFirst == -1 || m_pendingFirst > i)
                m_pendingFirst = i;
            if (m_pendingLast == -1 || m_pendingLast < i)
                m_pendingLast = i;
        }
        break;
    case HINT_TOOL:
        if (CdocDoc* doc = GetDocDoc()) {
            switch (doc->m_tool.m_now.m_msg) {
            case TOOL_MSG_TYPE:
            case TOOL_MSG_PLACED:
            case TOOL_MSG_REMOVED:
                Rebuild();
                break;
            case TOOL_MSG_MOVED:
            case TOOL_MSG_DRAGGED:
                if (!DrawToolChange())
                    Rebuild();
                break;
            default:
                break;
            }
        }
        break;
    default:
        break;
    }
}

void CguvGraphView::DrawPendingSamples()
{
    CdocDoc* doc = GetDocDoc();
    if (doc && doc->m_graph.AdjustScalesForSample(m_pendingLast)) {
        Rebuild();
        return;
    }
    if (!DrawSampleRange(m_pendingFirst, m_pendingLast))
        Rebuild();
    m_pendingFirst = -1;
    m_pendingLast = -1;
}

bool CguvGraphView::DrawOnWindow(const std::function<bool(wxDC& dc, const wxRect& rect)>& draw)
{
    wxWindow* window = GetShownWindow();
    if (!window)
        return false;
    if (!CursorsShown())
        return DrawOnShownWindow(draw);
    // On the picture under the cursors (drawn first when the cursors have
    // just come); the window then shows it again.
    if (!DrawPicture(window->GetClientSize()))
        return false;
    bool drawn = false;
    {
        wxMemoryDC picture(m_picture);
        drawn = draw(picture, wxRect(wxPoint(0, 0), m_picture.GetSize()));
    }
    if (drawn)
        window->Refresh(false);
    return drawn;
}

bool CguvGraphView::DrawSampleRange(int first, int last)
{
    return DrawOnWindow(
        [&](wxDC& dc, const wxRect& rect) { return m_renderer.DrawSamples(dc, rect, first, last); });
}

bool CguvGraphView::DrawSampleMarks(int first, int last)
{
    return DrawOnWindow([&](wxDC& dc, const wxRect& rect) { return m_renderer.DrawMarks(dc, rect, first, last); });
}

bool CguvGraphView::DrawToolChange()
{
    CdocDoc* doc = GetDocDoc();
    if (!doc)
        return false;
    return DrawOnWindow([&](wxDC& dc, const wxRect& rect) {
        if (doc->m_tool.m_now.m_annotate) {
            wxRect area = rect;
            if (!m_renderer.DrawAnnotationCursor(dc, area))
                return false;
            GetWindow()->Refresh(true, &area);
            return true;
        }
        return m_renderer.DrawToolReadouts(dc, rect);
    });
}

void CguvGraphView::ClearGesture()
{
    m_clickToggles = false;
    m_pressed = false;
}

void CguvGraphView::Deactivate()
{
    if (CdocDoc* doc = GetDocDoc())
        doc->m_tool.Deactivate();
}

void CguvGraphView::OnMouse(wxMouseEvent& event)
{
    CdocDoc* doc = GetDocDoc();
    if (!GetWindow() || !doc)
        return;
    CdocTool& tool = doc->m_tool;
    m_hit = CgrnGraphHit();
    m_hit.m_x = event.GetX();
    m_hit.m_y = event.GetY();
    const bool valid = EnsureLayout();
    if (valid)
        m_renderer.HitTest(m_hit);

    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DCLICK) {
        ClearGesture();
        Deactivate();
        if (m_hit.m_area == HIT_PLOT)
            doc->m_graph.ToggleZoom();
    } else if (type == wxEVT_LEFT_DOWN) {
        m_clickToggles = !tool.m_now.m_active;
        m_pressed = true;
        m_press = m_hit;
        if (tool.m_now.m_active && tool.m_now.m_annotate)
            tool.PlaceAnnotation(m_hit.m_fx, m_hit.m_fy);
        else
            Deactivate();
    } else if (type == wxEVT_RIGHT_DOWN) {
        ClearGesture();
        Deactivate();
    } else if (type == wxEVT_LEFT_UP) {
        if (tool.m_now.m_active && tool.m_now.m_dragBox) {
            tool.EndDragZoom(m_press.m_fx, m_press.m_fy, m_hit.m_fx, m_hit.m_fy);
            ClearGesture();
            return;
        }
        if (!m_pressed) {
            ClearGesture();
            return;
        }
        switch (m_hit.m_area) {
        case HIT_TITLE:
            Deactivate();
            gumPostCommand(ID_EDIT_TITLE_INPLACE, 0);
            break;
        case HIT_AXIS_X:
            Deactivate();
            if (appIsAllowed(FEATURE_SCALE_X))
                gumPostCommand(ID_SCALE_X_EDIT, 0);
            break;
        case HIT_AXIS_LEFT:
            Deactivate();
            if (appIsAllowed(FEATURE_SCALE_LEFT))
                gumPostCommand(ID_SCALE_LEFT_EDIT, 0);
            break;
        case HIT_AXIS_RIGHT:
            Deactivate();
            if (appIsAllowed(FEATURE_SCALE_RIGHT))
                gumPostCommand(ID_SCALE_RIGHT_EDIT, 0);
            break;
        case HIT_PLOT:
            if (m_clickToggles)
                tool.ClickAt(m_hit.m_fx, m_hit.m_fy);
            break;
        default:
            Deactivate();
            break;
        }
        ClearGesture();
    } else if (type == wxEVT_RIGHT_UP) {
        ClearGesture();
        Deactivate();
        OnRightUp();
    } else if (type == wxEVT_MOTION) {
        if (!valid)
            return;
        if (!event.ButtonIsDown(wxMOUSE_BTN_ANY)) {
            tool.MoveCursor(m_hit.m_fx, m_hit.m_fy);
            return;
        }
        bool dragging = m_pressed && event.LeftIsDown();
        if (dragging && !(tool.m_now.m_active && tool.m_now.m_dragBox)) {
            const int dx = std::max(0, wxSystemSettings::GetMetric(wxSYS_DRAG_X, GetWindow()));
            const int dy = std::max(0, wxSystemSettings::GetMetric(wxSYS_DRAG_Y, GetWindow()));
            if (m_hit.m_x >= m_press.m_x - dx && m_hit.m_x <= m_press.m_x + dx && m_hit.m_y >= m_press.m_y - dy &&
                m_hit.m_y <= m_press.m_y + dy)
                dragging = false;
        }
        if (dragging)
            tool.DragZoom(m_press.m_fx, m_press.m_fy, m_hit.m_fx, m_hit.m_fy);
        else
            tool.MoveCursor(m_hit.m_fx, m_hit.m_fy);
    } else if (type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_UP || type == wxEVT_MIDDLE_DCLICK ||
               type == wxEVT_AUX1_DOWN || type == wxEVT_AUX1_UP || type == wxEVT_AUX1_DCLICK ||
               type == wxEVT_AUX2_DOWN || type == wxEVT_AUX2_UP || type == wxEVT_AUX2_DCLICK) {
        ClearGesture();
        Deactivate();
    } else if (type == wxEVT_ENTER_WINDOW || type == wxEVT_LEAVE_WINDOW) {
        ClearGesture();
    }
}

void CguvGraphView::OnRightUp()
{
    switch (m_hit.m_area) {
    case HIT_AXIS_X:
        if (appIsAllowed(FEATURE_SCALE_X))
            ShowAxisChannels(HIT_AXIS_X);
        break;
    case HIT_AXIS_LEFT:
        if (appIsAllowed(FEATURE_SCALE_LEFT))
            ShowAxisChannels(HIT_AXIS_LEFT);
        break;
    case HIT_AXIS_RIGHT:
        if (appIsAllowed(FEATURE_SCALE_RIGHT))
            ShowAxisChannels(HIT_AXIS_RIGHT);
        break;
    case HIT_PLOT:
        if (appIsAllowed(FEATURE_GRAPH_MENU))
            CgumDoc::ShowGraphMenu(GetWindow());
        break;
    default:
        break;
    }
}

void CguvGraphView::ShowAxisChannels(int area)
{
    CdocDoc* doc = GetDocDoc();
    if (!doc)
        return;
    CdocGraph& graph = doc->m_graph;
    CgpmChannel menu;
    if (area == HIT_AXIS_X) {
        CdocFieldKey elapsed;
        const bool hasElapsed = doc->m_data.m_fields.FindContent(elapsed, 0, CONTENT_ELAPSED_TIME);
        const bool offerTimeAndDate = hasElapsed && appIsAllowed(FEATURE_TIME_AND_DATE_AXIS);
        CdocField* current = graph.GetFieldX();
        if (offerTimeAndDate && current == elapsed.m_field && doc->m_graphTimeAndDate)
            current = nullptr;
        if (menu.ShowPopup(GetWindow(), doc, current, false, offerTimeAndDate, true, false))
            graph.SetFieldX(menu.GetChosenChannel());
        return;
    }
    const bool left = area == HIT_AXIS_LEFT;
    if (!menu.ShowPopup(GetWindow(), doc, left ? graph.GetFieldL() : graph.GetFieldR(), true, false, false, false))
        return;
    if (left)
        graph.SetFieldL(menu.GetChosenChannel());
    else
        graph.SetFieldR(menu.GetChosenChannel());
}

bool CguvGraphView::PrintGraph(CgumDocPrintout* printout)
{
    wxDC* dc = printout ? printout->GetDC() : nullptr;
    if (!dc)
        return false;
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    const bool corrected = printout->GetPrintScale(scaleX, scaleY);
    wxRect page;
    printout->GetPrintRect(page);
    CgrnGraph renderer;
    renderer.SetDoc(GetDocDoc());
    renderer.DrawPrint(*dc, page, false, corrected, scaleX, scaleY);
    return true;
}
