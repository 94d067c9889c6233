// The digits panel's view in the running program with the simulated logger:
// changed values drawn alone during a run, the hints that lay out anew,
// clicks on cells and printing.
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/simAppTest.h"
#include "views/gumView.h"
#include "views/guvDigitsPanel.h"
#include "views/guvDigitsView.h"
#include "views/guvDigitsWin.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <wx/dcmemory.h>

namespace {

using PaintCounter = qvtest::CtestPaintCounter;
using HintTap = qvtest::CtestHintTap;

// A digits view of the document that records the channel commands it would
// run instead of running them.
class RecordingDigitsView : public qvtest::CtestSideView<CguvDigitsView>
{
public:
    explicit RecordingDigitsView(CguvDigitsView& real) : CtestSideView(real) { m_renderer.SetDoc(GetDocDoc()); }

    std::string m_calls;
    int m_key = 0;

protected:
    void ShowChannelDetails(CdocFieldKey key) override
    {
        m_calls += 'D';
        m_key = key.m_key;
    }
    void ShowChannelOpsMenu(CdocFieldKey key) override
    {
        m_calls += 'M';
        m_key = key.m_key;
    }
};

class DigitsView : public qvtest::CsimAppTest
{
protected:
    void SetUp() override
    {
        CsimAppTest::SetUp();
        if (HasFatalFailure())
            return;
        m_app->m_options.SetUserLevel(4);
        Run().m_viewDigits = true;
        Run().m_viewTable = false;
        m_window = m_app->m_frame->m_content->m_digitsPanel->m_window;
        m_window->PushEventHandler(&m_counter);
        m_counter.Bind(wxEVT_PAINT, &PaintCounter::OnPaint, &m_counter);
    }

    void TearDown() override
    {
        if (m_window && m_app->m_frame) {
            m_window->PopEventHandler();
            m_window->m_view = View();
        }
        CsimAppTest::TearDown();
    }

    CguvDigitsView* View() { return FindView<CguvDigitsView>(); }
    CgrnDigits& Renderer() { return View()->m_renderer; }

    // Shown, painted and laid out; from then on every hint that leaves the
    // renderer without the layout it had counts as a relayout.
    void Settle()
    {
        const int paints = m_counter.m_paints;
        m_window->Refresh();
        ASSERT_TRUE(qvtest::PumpUntil([&] {
            m_window->Update();
            return m_counter.m_paints > paints && Renderer().m_layoutValid &&
                   Renderer().m_rect == wxRect(wxPoint(0, 0), m_window->GetClientSize());
        }));
        if (m_watching)
            return;
        m_watching = true;
        auto* before = new HintTap([this](int) { m_laidOutBefore = View() && Renderer().m_layoutValid; });
        before->SetDocument(Doc());
        Doc()->GetViews().DeleteObject(before);
        Doc()->GetViews().Insert(before);
        auto* after = new HintTap([this](int code) {
            const bool relaid = m_laidOutBefore && View() && !Renderer().m_layoutValid;
            m_relayouts += relaid;
            if (m_onHint)
                m_onHint(code, relaid);
        });
        after->SetDocument(Doc());
    }

    // Whether the action made the view lay out and paint anew.
    bool Relays(const std::function<void()>& act)
    {
        EXPECT_TRUE(qvtest::PumpUntil([this] { return Renderer().m_layoutValid; }));
        const int before = m_relayouts;
        act();
        const bool relaid = m_relayouts > before;
        EXPECT_TRUE(qvtest::PumpUntil([this] { return Renderer().m_layoutValid; }));
        return relaid;
    }

    void Mouse(wxEventType type, const wxPoint& at)
    {
        wxMouseEvent event(type);
        event.m_x = at.x;
        event.m_y = at.y;
        event.SetEventObject(m_window);
        m_window->GetEventHandler()->ProcessEvent(event);
    }

    // The value texts of the listed channels as they are now.
    std::vector<wxString> CurrentTexts()
    {
        std::vector<wxString> texts;
        CgrnDigits& digits = Renderer();
        for (int i = 0; i < digits.m_count; ++i) {
            wxString text;
            if (CdocField* field = Run().m_data.m_fields.Find(digits.m_keys[size_t(i)]))
                digits.GetValueText(*field, text);
            texts.push_back(text);
        }
        return texts;
    }

    CguvDigitsWin* m_window = nullptr;
    PaintCounter m_counter;
    bool m_watching = false;
    bool m_laidOutBefore = false;
    int m_relayouts = 0;
    std::function<void(int code, bool relaid)> m_onHint;
};

} // namespace

TEST_F(DigitsView, DuringARunOnlyTheChangedValuesAreDrawn)
{
    StartRun(2);
    Settle();
    ASSERT_GT(Renderer().m_count, 0);

    // Each tick's values drawn alone: what the cells hold is the channels'
    // current texts, and the window is not painted anew.
    int ticks = 0;
    int relaid = 0;
    int stale = 0;
    m_onHint = [&](int code, bool again) {
        if (code != HINT_NEW_DATA)
            return;
        ++ticks;
        relaid += again;
        if (!again) {
            const std::vector<wxString> texts = CurrentTexts();
            for (size_t i = 0; i < texts.size(); ++i)
                stale += Renderer().m_texts[i] != texts[i];
        }
    };
    const int paints = m_counter.m_paints;
    const int from = Run().m_data.m_records;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return ticks >= 20 && Run().m_data.m_records >= from + 10; }));
    EXPECT_EQ(stale, 0);
    EXPECT_LE(relaid * 4, ticks) << relaid << " relayouts in " << ticks << " ticks";
    EXPECT_LE(m_counter.m_paints - paints, relaid + 2);
    m_onHint = nullptr;
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "digits-live-run").empty());

    Stop();
    Settle();
    EXPECT_FALSE(qvtest::SaveScreenshot(m_app->m_frame, "digits-after-run").empty());
}

TEST_F(DigitsView, ToolCursorsAndColumnChangesLayOutOnlyWhenTheyMust)
{
    StartRun(20);
    Stop();
    // Readings of one width wherever the cursor goes: a sign or a figure more
    // than the cells were laid out for rightly lays them out anew.
    CdocData& data = Run().m_data;
    for (int n = 0; n < data.m_fields.GetCount(); ++n) {
        CdocField& field = *data.m_fields.GetAt(n);
        if (field.m_content != CONTENT_ELAPSED_TIME && field.m_content != CONTENT_READING)
            for (int i = 0; i < data.m_records; ++i)
                field.m_samples[i] = 20.0f + float(i % 50);
    }
    Settle();
    CdocTool& tool = Run().m_tool;
    tool.SetTool(TOOL_READING);

    // Placing the cursor lays out anew (the headings change); moving it
    // redraws the readings alone.
    EXPECT_TRUE(Relays([&] { tool.ClickAt(0.5f, 0.5f); }));
    ASSERT_TRUE(tool.m_now.m_active);
    EXPECT_FALSE(Relays([&] { tool.MoveCursor(0.3f, 0.5f); }));
    EXPECT_EQ(tool.m_now.m_msg, TOOL_MSG_MOVED);
    const std::vector<wxString> texts = CurrentTexts();
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(Renderer().m_texts[i], texts[i]) << "cell " << i;
    EXPECT_TRUE(Relays([&] { tool.Deactivate(); }));

    // Row messages leave the digits; column messages and layout hints do not.
    CdocTableMessage rows{TABLE_ROWS_APPENDED, 1, 0};
    CdocTableMessage columns{TABLE_COLS_INSERTED, 0, 1};
    EXPECT_FALSE(Relays([&] { Run().UpdateViews(HINT_TABLE_MESSAGE, &rows); }));
    EXPECT_TRUE(Relays([&] { Run().UpdateViews(HINT_TABLE_MESSAGE, &columns); }));
    EXPECT_TRUE(Relays([&] { Run().UpdateViews(HINT_AXES, nullptr); }));
    EXPECT_FALSE(Relays([&] { Run().UpdateViews(HINT_CHANNELS_RESET, nullptr); }));
    EXPECT_FALSE(Relays([&] { Run().UpdateViews(HINT_CHANNEL_VALUES, nullptr); }));

    // A new value that is wider than the cell lays out anew, in smaller figures.
    CdocField* field = Run().m_data.m_fields.Find(Renderer().m_keys[0]);
    ASSERT_NE(field, nullptr);
    const int size = Renderer().m_valueFont.GetPointSize();
    field->m_current = 123456789.0f;
    EXPECT_TRUE(Relays([&] { Run().UpdateViews(HINT_VALUE_EDITED, nullptr); }));
    EXPECT_LT(Renderer().m_valueFont.GetPointSize(), size);
}

TEST_F(DigitsView, ReleasesOverACellOpenItsDetailsOrItsMenu)
{
    StartRun(3);
    Stop();
    Settle();
    RecordingDigitsView recording(*View());
    m_window->m_view = &recording;
    ASSERT_TRUE(recording.EnsureLayout());
    CgrnDigits& digits = recording.m_renderer;
    ASSERT_GT(digits.m_count, 0);
    const wxRect value = digits.GetValueRect(0);
    const wxRect heading = digits.GetHeadingRect(0);
    const wxPoint onValue(value.x + value.width / 2, value.y + value.height / 2);
    const wxPoint onHeading(heading.x + heading.width / 2, heading.y + heading.height / 2);
    struct Case
    {
        int level;
        wxEventType type;
        wxPoint at;
        const char* calls;
    };
    const Case cases[] = {
        {2, wxEVT_LEFT_UP, onValue, "D"},    {2, wxEVT_LEFT_UP, onHeading, "D"},
        {1, wxEVT_LEFT_UP, onValue, ""},     {1, wxEVT_RIGHT_UP, onValue, "M"},
        {4, wxEVT_RIGHT_UP, onHeading, "M"}, {4, wxEVT_LEFT_DOWN, onValue, ""},
        {4, wxEVT_RIGHT_DOWN, onValue, ""},  {4, wxEVT_LEFT_UP, wxPoint(1, 1), ""},
        {4, wxEVT_MOTION, onValue, ""},
    };
    for (const Case& c : cases) {
        m_app->m_options.SetUserLevel(c.level);
        recording.m_calls.clear();
        recording.m_key = 0;
        Mouse(c.type, c.at);
        EXPECT_EQ(recording.m_calls, c.calls) << "level " << c.level << " at " << c.at.x << "," << c.at.y;
        if (!recording.m_calls.empty()) {
            EXPECT_EQ(recording.m_key, digits.m_keys[0].m_key);
        }
    }
    EXPECT_EQ(recording.m_hit.m_area, DIGITS_HIT_VALUE);
    m_window->m_view = View();
    m_app->m_options.SetUserLevel(4);
}

TEST_F(DigitsView, PrintingDrawsAtThePagesSize)
{
    StartRun(3);
    Stop();
    Settle();
    const wxSize window = m_window->GetClientSize();
    wxBitmap page(1200, 900, 24);
    {
        wxMemoryDC dc(page);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        View()->OnDraw(&dc);
    }
    EXPECT_EQ(Renderer().m_rect, wxRect(0, 0, 1200, 900));
    // The window is drawn at its own size again afterwards.
    View()->OnUpdate(nullptr, nullptr);
    m_window->Update();
    EXPECT_TRUE(qvtest::PumpUntil([&] { return Renderer().m_rect == wxRect(wxPoint(0, 0), window); }));
}
