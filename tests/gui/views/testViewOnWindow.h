#pragma once
#include "app/gumApp.h"
#include "document/gumDoc.h"
#include "support/guiSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/frame.h>
#include <wx/image.h>

namespace qvtest {

// A panel view drawing on a window the test gives it.
template <class View>
class CtestViewOnWindow : public View
{
public:
    wxWindow* GetWindow() override { return m_window; }

    wxWindow* m_window = nullptr;
};

// A panel view on a window of its own in a frame, with a document of the
// fixture's: OpenFrame, then the fixture's channels, then ShowView.
template <class View, class Window>
class CtestViewFrame : public testing::Test
{
protected:
    void OpenFrame(const wxString& title, const wxSize& size)
    {
        CgumApp& app = CreateApp();
        // The built-in pictures are PNG images.
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        ASSERT_TRUE(app.m_res.Load());
        m_frame = new wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, size);
        m_window = new Window(m_frame);
        m_doc = std::make_unique<CgumDoc>();
    }

    // The view attached to the window and the document, laid out.
    void ShowView()
    {
        m_view = std::make_unique<View>();
        m_view->m_window = m_window;
        m_view->SetDocument(m_doc.get());
        m_view->m_renderer.SetDoc(&Doc());
        m_window->m_view = m_view.get();
        m_frame->Show();
        // Shown, sized by the frame and realised, so that it can hold the mouse.
        ASSERT_TRUE(PumpUntil([this] { return m_window->IsShownOnScreen() && m_window->GetClientSize().x > 200; }));
        Pump(100);
        ASSERT_TRUE(m_view->EnsureLayout());
    }

    void TearDown() override
    {
        if (m_window->HasCapture())
            m_window->ReleaseMouse();
        m_window->m_view = nullptr;
        // A document deletes itself when its last view goes: this one is the
        // fixture's.
        m_doc->GetViews().DeleteObject(m_view.get());
        m_view->SetDocument(nullptr);
        m_view.reset();
        m_frame->Destroy();
        Pump(50);
    }

    CdocDoc& Doc() { return m_doc->m_doc; }

    void Mouse(wxEventType type, const wxPoint& p)
    {
        wxMouseEvent event(type);
        event.SetPosition(p);
        event.SetEventObject(m_window);
        m_window->GetEventHandler()->ProcessEvent(event);
    }

    wxFrame* m_frame = nullptr;
    Window* m_window = nullptr;
    std::unique_ptr<CgumDoc> m_doc;
    std::unique_ptr<View> m_view;
};

} // namespace qvtest
