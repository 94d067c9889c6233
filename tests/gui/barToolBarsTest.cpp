// The four tool bars of the running program with the simulated logger: what
// each holds by user level, document state and icon size, how they rebuild,
// and screenshots of them.
#include "app/barActivity.h"
#include "app/barHelp.h"
#include "app/barSide.h"
#include "app/barTool.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "app/base/gumIds.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "views/guvBoxesPanel.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Ids = std::vector<int>;
constexpr int SEP = -1;

const Ids kMainTools[5] = {
    {},
    {ID_VIEW_GAUGE, ID_VIEW_DIGITS, SEP, ID_AUTO_ZOOM, ID_DEFAULT_ZOOM},
    {ID_VIEW_GAUGE, ID_VIEW_TABLE, ID_VIEW_DIGITS, SEP, ID_NOTES, SEP, ID_AUTO_ZOOM, ID_DEFAULT_ZOOM, ID_ANNOTATE,
     SEP, ID_COPY_GRAPH, ID_COPY_TABLE},
    {ID_VIEW_GAUGE, ID_VIEW_TABLE, ID_VIEW_DIGITS, SEP, ID_NOTES, ID_INFORMATION, SEP, ID_AUTO_ZOOM,
     ID_DEFAULT_ZOOM, ID_ANNOTATE, SEP, ID_COPY_GRAPH, ID_COPY_TABLE, SEP, ID_DELETE_LAST},
    {ID_VIEW_GAUGE, ID_VIEW_TABLE, ID_VIEW_DIGITS, SEP, ID_NOTES, ID_INFORMATION, SEP, ID_AUTO_ZOOM,
     ID_DEFAULT_ZOOM, ID_ANNOTATE, SEP, ID_COPY_GRAPH, ID_COPY_TABLE, SEP, ID_DELETE_LAST},
};

const Ids kActivityTools[5] = {
    {},
    {ID_MODE_AUTOLOG, ID_MODE_SNAPSHOT},
    {ID_MODE_AUTOLOG, ID_MODE_SNAPSHOT, ID_MODE_SETUP},
    {ID_MODE_AUTOLOG, ID_MODE_SNAPSHOT, ID_MODE_SCOPE, ID_MODE_SETUP},
    {ID_MODE_AUTOLOG, ID_MODE_SNAPSHOT, ID_MODE_SCOPE, ID_MODE_SETUP},
};

const Ids kHelpTools = {ID_USER_LEVEL, wxID_HELP};
const Ids kSideNoDocument = {wxID_NEW, wxID_EXIT};
const Ids kSideReady = {ID_START, wxID_CLOSE, SEP, wxID_OPEN, ID_FETCH};
const Ids kSideAutoLogRun = {ID_MARK, ID_STOP, SEP, wxID_SAVE, wxID_PRINT};

Ids Tools(wxToolBar* bar)
{
    Ids ids;
    for (size_t i = 0; i < bar->GetToolsCount(); ++i) {
        const wxToolBarToolBase* tool = bar->GetToolByPos(int(i));
        ids.push_back(tool->IsSeparator() ? SEP : tool->GetId());
    }
    return ids;
}

bool SamePicture(const wxBitmap& a, const wxBitmap& b)
{
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return false;
    const wxImage x = a.ConvertToImage();
    const wxImage y = b.ConvertToImage();
    const size_t bytes = size_t(x.GetWidth()) * size_t(x.GetHeight()) * 3;
    return std::equal(x.GetData(), x.GetData() + bytes, y.GetData());
}

class Bars : public testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<qvtest::CtestBoxes>();
        ASSERT_TRUE(qvtest::PumpUntil(
            [this] { return Doc() && Doc()->m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }));
        m_frame = m_app->m_frame;
        m_side = m_frame->m_content->m_sideBar;
        m_activity = m_frame->m_content->m_boxesPanel->m_activityBar;
        m_help = m_frame->m_content->m_boxesPanel->m_helpBar;
    }

    void TearDown() override
    {
        if (CgumDoc* doc = m_app->GetCurrentDocument()) {
            if (doc->m_doc.m_state == DOC_STATE_RUNNING)
                Command(ID_STOP);
            doc->Modify(false);
        }
        EXPECT_TRUE(qvtest::CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    CdocDoc* Doc() { return m_app->GetCurrentDocDoc(); }

    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(event);
        qvtest::Pump(50);
    }

    // A click on a tool: the bar sends its command, which climbs to the frame.
    void Click(wxToolBar* bar, int id)
    {
        ASSERT_NE(bar->FindById(id), nullptr) << id;
        wxCommandEvent event(wxEVT_TOOL, id);
        event.SetEventObject(bar);
        bar->GetEventHandler()->ProcessEvent(event);
        qvtest::Pump(50);
    }

    // The level as the Options dialog's OK applies it.
    void SetLevel(int level)
    {
        CappOptionsFile record = m_app->m_options.GetCurrentCopy();
        record.UserLevel = level;
        m_app->m_options.Set(record, false);
    }

    bool BarsHold(int level, const Ids& side, bool boxes)
    {
        return Tools(m_frame->m_toolBar) == kMainTools[level] && Tools(m_side) == side &&
               (!boxes || (Tools(m_activity) == kActivityTools[level] && Tools(m_help) == kHelpTools));
    }

    const wxBitmap& LevelPicture(int level, int large)
    {
        return m_app->m_res.m_sideBitmaps[size_t(BMP_LEVEL1 + level - 1)].Get(large);
    }

    std::unique_ptr<qvtest::CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
    CgumFrame* m_frame = nullptr;
    CbarSide* m_side = nullptr;
    CbarActivity* m_activity = nullptr;
    CbarHelp* m_help = nullptr;
};

enum Situation
{
    NO_DOCUMENT,
    READY,
    RUNNING,
};

struct Shot
{
    const char* name;
    int level;
    bool large;
    Situation situation;
};

void PrintTo(const Shot& shot, std::ostream* out)
{
    *out << shot.name;
}

class BarShots : public Bars, public testing::WithParamInterface<Shot>
{
};

} // namespace

// After a screen capture the display stops showing later repaints of this
// process, so each case is a test of its own with one screenshot at its end.
TEST_P(BarShots, ToolsOfTheLevelStateAndSize)
{
    const Shot& shot = GetParam();
    SetLevel(shot.level);
    Command(shot.large ? ID_BARS_FLAG_ON : ID_BARS_FLAG_OFF);
    Ids side = kSideReady;
    if (shot.situation == NO_DOCUMENT) {
        m_app->m_docManager->CloseDocuments(false);
        side = kSideNoDocument;
    } else if (shot.situation == RUNNING) {
        Click(m_activity, ID_MODE_AUTOLOG);
        ASSERT_TRUE(qvtest::PumpUntil([&] { return Doc() && Doc()->m_state == DOC_STATE_RUNNING; }));
        side = kSideAutoLogRun;
    }
    const bool boxes = shot.situation != NO_DOCUMENT;
    EXPECT_TRUE(qvtest::PumpUntil([&] { return BarsHold(shot.level, side, boxes); }))
        << "level " << shot.level;
    EXPECT_EQ(Tools(m_frame->m_toolBar), kMainTools[shot.level]);
    EXPECT_EQ(Tools(m_side), side);
    if (boxes) {
        EXPECT_EQ(Tools(m_activity), kActivityTools[shot.level]);
        EXPECT_EQ(Tools(m_help), kHelpTools);
        // The activity bar stands in for the boxes only while the document is ready.
        EXPECT_EQ(m_activity->IsShown(), shot.situation == READY);
        EXPECT_TRUE(m_help->IsShown());
        EXPECT_TRUE(SamePicture(m_help->FindById(ID_USER_LEVEL)->GetNormalBitmap(),
                                LevelPicture(shot.level, shot.large)));
    }
    // The main bar shows from level 3 on.
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_frame->m_toolBar->IsShown() == (shot.level >= 3); }));

    const int mainSize = shot.large ? 32 : 16;
    const int sideSize = shot.large ? 48 : 32;
    EXPECT_EQ(m_frame->m_toolBar->GetToolBitmapSize(), wxSize(mainSize, mainSize));
    EXPECT_EQ(m_side->GetToolBitmapSize(), wxSize(sideSize, sideSize));
    EXPECT_EQ(m_activity->GetToolBitmapSize(), wxSize(sideSize, sideSize));
    EXPECT_EQ(m_help->GetToolBitmapSize(), wxSize(sideSize, sideSize));
    EXPECT_EQ(m_side->FindById(side[0])->GetNormalBitmap().GetSize(), wxSize(sideSize, sideSize));

    m_frame->Refresh();
    m_frame->Update();
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, std::string("bars-") + shot.name).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bars, BarShots,
    testing::Values(Shot{"level1-ready-large", 1, true, READY}, Shot{"level1-ready-small", 1, false, READY},
                    Shot{"level2-ready-large", 2, true, READY}, Shot{"level2-ready-small", 2, false, READY},
                    Shot{"level3-ready-large", 3, true, READY}, Shot{"level3-ready-small", 3, false, READY},
                    Shot{"level4-ready-large", 4, true, READY}, Shot{"level4-ready-small", 4, false, READY},
                    Shot{"level4-none-large", 4, true, NO_DOCUMENT},
                    Shot{"level1-none-small", 1, false, NO_DOCUMENT},
                    Shot{"level4-running-large", 4, true, RUNNING},
                    Shot{"level2-running-small", 2, false, RUNNING}),
    [](const testing::TestParamInfo<Shot>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (c == '-')
                c = '_';
        }
        return name;
    });

TEST_F(Bars, LevelToolCyclesTheLevelAndEveryBarFollows)
{
    ASSERT_EQ(m_app->m_options.GetUserLevel(), 4);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return BarsHold(4, kSideReady, true); }));
    for (int level : {1, 2, 3, 4}) {
        Click(m_help, ID_USER_LEVEL);
        ASSERT_EQ(m_app->m_options.GetUserLevel(), level);
        EXPECT_TRUE(qvtest::PumpUntil([&] { return BarsHold(level, kSideReady, true); })) << level;
        EXPECT_TRUE(SamePicture(m_help->FindById(ID_USER_LEVEL)->GetNormalBitmap(), LevelPicture(level, 0)))
            << level;
    }
}

TEST_F(Bars, SideBarOffersTheNextStep)
{
    const struct
    {
        int state;
        int activity;
        Ids tools;
    } cases[] = {
        {DOC_STATE_FETCHING, ACTIVITY_AUTOLOG, {ID_START, ID_STOP, SEP, wxID_SAVE, wxID_PRINT}},
        {DOC_STATE_RUNNING, ACTIVITY_AUTOLOG, kSideAutoLogRun},
        {DOC_STATE_RUNNING, ACTIVITY_PERIODIC, kSideAutoLogRun},
        {DOC_STATE_RUNNING, ACTIVITY_SNAPSHOT, {ID_STORE, ID_STOP, SEP, wxID_SAVE, wxID_PRINT}},
        {DOC_STATE_RUNNING, ACTIVITY_SCOPE, {ID_STORE, ID_STOP, SEP, wxID_SAVE, wxID_PRINT}},
        {DOC_STATE_RUNNING, ACTIVITY_TIMING, {ID_START, ID_STOP, SEP, wxID_SAVE, wxID_PRINT}},
        {DOC_STATE_RUNNING, ACTIVITY_FAST, {ID_START, ID_STOP, SEP, wxID_SAVE, wxID_PRINT}},
        {DOC_STATE_STOPPED, ACTIVITY_AUTOLOG, {ID_START, wxID_NEW, SEP, wxID_SAVE, wxID_PRINT}},
        {DOC_STATE_READY, ACTIVITY_AUTOLOG, kSideReady},
    };
    for (const auto& c : cases) {
        Doc()->m_activity = c.activity;
        Doc()->m_state = c.state;
        EXPECT_TRUE(qvtest::PumpUntil([&] { return Tools(m_side) == c.tools; }))
            << "state " << c.state << ", activity " << c.activity;
    }
    // After a run, New carries the Stop picture.
    Doc()->m_state = DOC_STATE_STOPPED;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return Tools(m_side)[1] == wxID_NEW; }));
    EXPECT_TRUE(SamePicture(m_side->GetToolByPos(1)->GetNormalBitmap(),
                            m_app->m_res.m_sideBitmaps[BMP_STOP].Get(m_side->m_largeIcons)));
    Doc()->m_state = DOC_STATE_READY;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return Tools(m_side) == kSideReady; }));

    // Stop closes the document; New and Quit remain, and New makes one again.
    Click(m_side, wxID_CLOSE);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return !Doc() && Tools(m_side) == kSideNoDocument; }));
    Click(m_side, wxID_NEW);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return Doc() && Tools(m_side) == kSideReady; }));
    Click(m_side, wxID_CLOSE);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return !Doc(); }));
    Click(m_side, wxID_EXIT);
    EXPECT_TRUE(qvtest::PumpUntil([&] { return m_app->m_frame == nullptr; }));
}

TEST_F(Bars, IconSizeFollowsTheFrameUntilOneIsChosen)
{
    auto sizes = [&] {
        return std::vector<int>{m_frame->m_toolBar->GetToolBitmapSize().x, m_side->GetToolBitmapSize().x,
                                m_activity->GetToolBitmapSize().x, m_help->GetToolBitmapSize().x};
    };
    // Maximised on a large display: large side and activity pictures, small help pictures.
    ASSERT_TRUE(qvtest::PumpUntil([&] { return sizes() == std::vector<int>{32, 48, 48, 32}; }));
    m_frame->SetMinSize(wxSize(300, 200));
    m_frame->Maximize(false);
    // The window manager sizes the frame in its own time. (A frame lower than
    // 480 pixels is out of reach here: the toolkit keeps the frame as high as
    // its tools need.)
    auto resize = [&](int width, int height) {
        m_frame->SetSize(width, height);
        return qvtest::PumpUntil([&] { return m_frame->GetSize() == wxSize(width, height); });
    };
    ASSERT_TRUE(resize(700, 600));
    EXPECT_TRUE(qvtest::PumpUntil([&] { return sizes() == std::vector<int>{32, 32, 32, 32}; }));
    ASSERT_TRUE(resize(900, 600));
    EXPECT_TRUE(qvtest::PumpUntil([&] { return sizes() == std::vector<int>{32, 48, 48, 32}; }));

    // Chosen sizes hold whatever the frame's size.
    Command(ID_BARS_FLAG_OFF);
    EXPECT_EQ(sizes(), (std::vector<int>{16, 32, 32, 32}));
    ASSERT_TRUE(resize(1000, 700));
    qvtest::Pump(200);
    EXPECT_EQ(sizes(), (std::vector<int>{16, 32, 32, 32}));
    Command(ID_BARS_FLAG_ON);
    EXPECT_EQ(sizes(), (std::vector<int>{32, 48, 48, 48}));
    ASSERT_TRUE(resize(700, 600));
    qvtest::Pump(200);
    EXPECT_EQ(sizes(), (std::vector<int>{32, 48, 48, 48}));
    // The commands have no key: the frame keeps them disabled.
    wxUpdateUIEvent update(ID_BARS_FLAG_ON);
    m_frame->GetEventHandler()->ProcessEvent(update);
    EXPECT_FALSE(update.GetEnabled());
}
