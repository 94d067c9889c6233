// The logger's push button and the channel menu's input switch in the running
// program with the simulated logger: the events are posted as the logger
// threads post them.
#include "app/base/gumIds.h"
#include "app/gumWindowHelpers.h"
#include "hardware/xhwBoxTypes.h"
#include "support/appTest.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <wx/menu.h>

namespace {

class DocButton : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        CappTest::SetUp();
        ASSERT_TRUE(qvtest::PumpUntil([this] {
            return Doc() && Run().m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED && SensorChannel();
        }));
    }

    void TearDown() override
    {
        gumSetPopupMenuHook(nullptr);
        CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    CgumDoc* Doc() { return m_app->GetCurrentDocument(); }
    CdocDoc& Run() { return Doc()->m_doc; }

    CdocField* SensorChannel()
    {
        CdocFieldKey key;
        return Run().m_data.m_fields.GetSensor(key, 0) ? key.m_field : nullptr;
    }

    static void Post(int id) { qvtest::PostCommandAndWait(id, 0); }

    bool WaitForRecords(int n)
    {
        return qvtest::PumpUntil([this, n] { return Doc() && Run().m_data.m_logNext >= n; });
    }
};

} // namespace

// The press remembers the newest sample, the click marks that one (not the
// newest at release), the hold stops the run and forgets a remembered mark.
TEST_F(DocButton, MarksTheSampleOfThePressAndStopsOnHold)
{
    Command(ID_START);
    ASSERT_EQ(Run().m_state, DOC_STATE_RUNNING);
    ASSERT_EQ(Run().m_activity, ACTIVITY_AUTOLOG);
    ASSERT_TRUE(WaitForRecords(3));
    Post(ID_EVT_BUTTON_PRESS);
    const int pressed = Run().m_rememberedMark;
    ASSERT_GE(pressed, 2);
    ASSERT_TRUE(WaitForRecords(pressed + 3));
    Post(ID_EVT_BUTTON_CLICK);
    EXPECT_EQ(Run().m_data.m_marks[size_t(pressed)], 1);
    for (int i = pressed + 1; i < Run().m_data.m_logNext; ++i)
        EXPECT_EQ(Run().m_data.m_marks[size_t(i)], 0) << i;
    EXPECT_EQ(Run().m_rememberedMark, -1);

    Post(ID_EVT_BUTTON_PRESS);
    EXPECT_GE(Run().m_rememberedMark, 0);
    Post(ID_EVT_BUTTON_LONG);
    EXPECT_EQ(Run().m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(Run().m_rememberedMark, -1);
    const int records = Run().m_data.m_records;
    EXPECT_GE(records, pressed + 3);

    // From STOPPED the click starts again; the press does nothing there.
    Post(ID_EVT_BUTTON_PRESS);
    EXPECT_EQ(Run().m_rememberedMark, -1);
    Post(ID_EVT_BUTTON_CLICK);
    EXPECT_EQ(Run().m_state, DOC_STATE_RUNNING);
    Post(ID_EVT_BUTTON_LONG);
    EXPECT_EQ(Run().m_state, DOC_STATE_STOPPED);

    // Held while stopped: a new document (the unsaved readings are let go);
    // held while ready: the document closes; then a click opens a new one.
    Post(ID_EVT_BUTTON_LONG);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return Doc() && Run().m_state == DOC_STATE_READY; }));
    EXPECT_EQ(Run().m_data.m_records, 0);
    Post(ID_EVT_BUTTON_LONG);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return !Doc(); }));
    Post(ID_EVT_BUTTON_CLICK);
    ASSERT_TRUE(qvtest::PumpUntil([&] { return Doc(); }));
    EXPECT_EQ(Run().m_state, DOC_STATE_READY);
}

// A snapshot run stores a reading at each click; the click from READY starts.
TEST_F(DocButton, ClickStoresASnapshotAndStartsFromReady)
{
    Command(ID_MODE_SNAPSHOT);
    ASSERT_EQ(Run().m_state, DOC_STATE_RUNNING);
    ASSERT_EQ(Run().m_activity, ACTIVITY_SNAPSHOT);
    const int before = Run().m_data.m_records;
    Post(ID_EVT_BUTTON_PRESS);
    EXPECT_EQ(Run().m_rememberedMark, -1);
    Post(ID_EVT_BUTTON_CLICK);
    Post(ID_EVT_BUTTON_CLICK);
    EXPECT_EQ(Run().m_data.m_records, before + 2);
    Post(ID_EVT_BUTTON_LONG);
    EXPECT_EQ(Run().m_state, DOC_STATE_STOPPED);

    Command(wxID_NEW);
    ASSERT_NE(Doc(), nullptr);
    ASSERT_EQ(Run().m_state, DOC_STATE_READY);
    Post(ID_EVT_BUTTON_CLICK);
    EXPECT_EQ(Run().m_state, DOC_STATE_RUNNING);
    Post(ID_EVT_BUTTON_LONG);
    EXPECT_EQ(Run().m_state, DOC_STATE_STOPPED);
}

// The channel menu switches a sensor's input off and, offering only
// "Enable" then, on again; the device events bring the change back.
TEST_F(DocButton, ChannelMenuSwitchesTheInput)
{
    CdocField* field = SensorChannel();
    ASSERT_NE(field, nullptr);
    const int input = field->m_socket;
    const int key = field->m_key;
    auto channel = [this, key]() -> CdocField* {
        CdocFieldKey ref(key, -1, nullptr);
        return Run().m_data.m_fields.Find(ref);
    };
    std::string items;
    int choose = ID_CHANNEL_ENABLE;
    gumSetPopupMenuHook([&items, &choose](wxWindow*, wxMenu& menu) {
        items.clear();
        for (const wxMenuItem* item : menu.GetMenuItems())
            items += (items.empty() ? "" : "|") + (item->IsSeparator() ? std::string("-")
                                                                         : item->GetItemLabelText().ToStdString());
        return choose;
    });
    Doc()->ShowChannelMenu(nullptr, CdocFieldKey(key, -1, nullptr));
    // The input switch, the sensor's calibration choices, then the channel items.
    EXPECT_EQ(items.rfind("Disable|-|", 0), 0u) << items;
    const size_t details = items.find("|-|Edit Details...|");
    ASSERT_NE(details, std::string::npos) << items;
    EXPECT_GT(details, std::string("Disable|-|").size()) << items;
    ASSERT_TRUE(qvtest::PumpUntil([&] { return !Run().m_boxInfo.m_sensors[input].m_enable; }));
    ASSERT_TRUE(qvtest::PumpUntil([&] { return channel() && !channel()->m_fieldEnable; }));

    Doc()->ShowChannelMenu(nullptr, CdocFieldKey(key, -1, nullptr));
    EXPECT_EQ(items, "Enable");
    EXPECT_TRUE(Doc()->m_popupChannel.IsEmpty());
    ASSERT_TRUE(qvtest::PumpUntil([&] { return channel() && channel()->m_fieldEnable; }));
    EXPECT_TRUE(Run().m_boxInfo.m_sensors[input].m_enable);
}
