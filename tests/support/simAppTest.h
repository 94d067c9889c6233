#pragma once
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "document/docHint.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <wx/docview.h>

namespace qvtest {

// Counts the paint events of a window; the window still paints.
class CtestPaintCounter : public wxEvtHandler
{
public:
    void OnPaint(wxPaintEvent& event)
    {
        ++m_paints;
        event.Skip();
    }
    int m_paints = 0;
};

// A view that only passes each hint's code on.
class CtestHintTap : public wxView
{
public:
    explicit CtestHintTap(std::function<void(int code)> tap) : m_tap(std::move(tap)) {}
    void OnDraw(wxDC*) override {}
    void OnUpdate(wxView*, wxObject* hint) override
    {
        auto* docHint = dynamic_cast<CdocHint*>(hint);
        m_tap(docHint ? docHint->m_code : 0);
    }

private:
    std::function<void(int code)> m_tap;
};

// A view beside the real one of a panel, on its window and document, that
// the document does not know of: the document neither updates nor deletes it.
template <class View>
class CtestSideView : public View
{
public:
    explicit CtestSideView(View& real)
    {
        this->m_master = real.m_master;
        this->m_viewDocument = real.GetDocument();
    }
    ~CtestSideView() override { this->m_viewDocument = nullptr; }
};

// The whole program started in this process with the simulated logger,
// message boxes recorded, until the document has found the logger.
class CsimAppTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        m_app = &CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<CtestBoxes>();
        ASSERT_TRUE(PumpUntil([this] { return Doc() && Run().m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }));
        ASSERT_TRUE(WaitForMaximisedFrame(*m_app));
    }

    void TearDown() override
    {
        if (CgumDoc* doc = Doc())
            doc->Modify(false);
        EXPECT_TRUE(CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    CgumDoc* Doc() { return m_app->GetCurrentDocument(); }
    CdocDoc& Run() { return Doc()->m_doc; }

    // The document's view of the class; none when it has none.
    template <class View>
    View* FindView()
    {
        for (wxList::compatibility_iterator node = Doc()->GetViews().GetFirst(); node; node = node->GetNext())
            if (auto* view = dynamic_cast<View*>(static_cast<wxView*>(node->GetData())))
                return view;
        return nullptr;
    }

    // A key as the main window's key filter takes it.
    bool Key(int code)
    {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = code;
        const bool taken = m_app->FilterEvent(key) == 1;
        HandlePending();
        return taken;
    }

    // An AutoLog run started with the L key, until it holds the records.
    void StartRun(int records)
    {
        ASSERT_EQ(Run().m_activity, ACTIVITY_AUTOLOG);
        ASSERT_TRUE(PumpUntil([this] { return Key('L'); }));
        ASSERT_TRUE(PumpUntil([this] { return Run().m_state == DOC_STATE_RUNNING; }));
        ASSERT_TRUE(PumpUntil([&] { return Run().m_data.m_records >= records; }));
    }

    // The run stopped with the P key.
    void Stop()
    {
        ASSERT_TRUE(PumpUntil([this] { return Key('P'); }));
        ASSERT_TRUE(PumpUntil([this] { return Run().m_state == DOC_STATE_STOPPED; }));
    }

    // A run of some records, stopped with the P key.
    void RecordAndStop(int records)
    {
        StartRun(records);
        Stop();
    }

    std::unique_ptr<CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
};

} // namespace qvtest
