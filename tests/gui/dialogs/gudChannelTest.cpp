// The channel list and the one-channel dialog built on it.
#include "dialogs/gucListChannel.h"
#include "dialogs/gudChannel.h"
#include "gui/document/docCommandFixture.h"

#include <wx/button.h>

namespace {

using qvtest::DialogDriver;

class ChannelList : public qvtest::DocCommandTest
{
protected:
    ChannelList()
    {
        m_dialog = std::make_unique<CgudChannel>(nullptr, ID_CHANNEL_DIALOG, "Channel");
        m_list = m_dialog->m_list;
    }

    ~ChannelList() override { m_dialog.reset(); }

    void Fill(bool index, bool allSensors, bool none, bool timeAndDate)
    {
        m_list->ClearAll();
        m_list->m_includeIndex = index;
        m_list->m_includeAllSensors = allSensors;
        m_list->m_includeNone = none;
        m_list->m_includeTimeAndDate = timeAndDate;
        m_list->FillChannels(&Doc());
    }

    std::unique_ptr<CgudChannel> m_dialog;
    CgucListChannel* m_list = nullptr;
};

TEST_F(ChannelList, AnEmptyDocumentGivesOnlyTheTwoExtraRows)
{
    Fill(true, true, true, true);
    ASSERT_EQ(m_list->GetItemCount(), 2);
    EXPECT_EQ(m_list->GetItemText(0), "None");
    EXPECT_EQ(m_list->GetItemText(1), "Time and Date");
    for (int row : {0, 1}) {
        m_list->SelectRow(row);
        EXPECT_EQ(m_list->GetFirstSelectedRow(), row);
        EXPECT_EQ(m_list->GetSelectedChannel(), nullptr);
    }
}

TEST_F(ChannelList, RowsCarryTheirChannelInItsColour)
{
    Make("RTSM");
    At(3)->m_colour = CdocColour(10, 120, 30);
    At(2)->m_colour = CdocColour();
    Fill(true, true, false, false);
    ASSERT_EQ(m_list->GetItemCount(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(m_list->GetItemText(row), At(row)->GetTitle(Fields().GetLetterNumber(At(row))));
        m_list->SelectRow(row);
        EXPECT_EQ(m_list->GetSelectedChannel(), At(row));
    }
    EXPECT_EQ(m_list->GetItemTextColour(3), wxColour(10, 120, 30));
    EXPECT_EQ(m_list->GetItemTextColour(2), wxColour(0, 0, 0));
}

TEST_F(ChannelList, FlagsLeaveOutTimeChannelsAndDeadSensors)
{
    Make("RTSSM");
    At(2)->m_fieldSensor = CxhwSensor();
    At(3)->m_fieldEnable = false;
    struct Case
    {
        bool index;
        bool allSensors;
        int rows;
    };
    for (const Case& c : {Case{true, true, 5}, Case{false, true, 3}, Case{true, false, 3}, Case{false, false, 1}}) {
        SCOPED_TRACE(testing::Message() << c.index << c.allSensors);
        Fill(c.index, c.allSensors, false, false);
        EXPECT_EQ(m_list->GetItemCount(), c.rows);
    }
}

TEST_F(ChannelList, SelectingAChannelNotListedKeepsTheSelection)
{
    Make("RTM");
    Fill(false, true, true, false);
    EXPECT_EQ(m_list->SelectChannel(At(2)), 0);
    EXPECT_EQ(m_list->SelectChannel(At(0)), -1);
    EXPECT_EQ(m_list->GetSelectedChannel(), At(2));
    // The "None" row is the first row without a channel.
    EXPECT_EQ(m_list->SelectChannel(nullptr), 1);
}

TEST_F(ChannelList, FillingTwiceWithoutClearingAddsAgain)
{
    Make("TM");
    Fill(true, true, true, false);
    m_list->FillChannels(&Doc());
    EXPECT_EQ(m_list->GetColumnCount(), 2);
    EXPECT_EQ(m_list->GetItemCount(), 6);
}

TEST_F(ChannelList, OkSelectsTheLastRowAndNeedsOne)
{
    auto* ok = static_cast<wxButton*>(m_dialog->FindWindow(wxID_OK));
    Fill(true, true, false, false);
    m_dialog->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(ok->IsEnabled());

    Make("TMM");
    Fill(true, true, false, false);
    m_dialog->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(ok->IsEnabled());
    EXPECT_EQ(m_list->GetFirstSelectedRow(), 2);
}

TEST_F(ChannelList, ADoubleClickClosesOnlyWithASelection)
{
    Make("TMM");
    bool openAfterEmptyClick = false;
    DialogDriver<CgudChannel> driver([&](CgudChannel& dialog) {
        wxMouseEvent click(wxEVT_LEFT_DCLICK);
        click.SetEventObject(dialog.m_list);
        dialog.m_list->SelectRow(-1);
        dialog.OnListDoubleClick(click);
        openAfterEmptyClick = dialog.IsModal();
        dialog.m_list->SelectRow(1);
        qvtest::SaveScreenshot(&dialog, "channel-invert");
        dialog.OnListDoubleClick(click);
    });
    // From the menu, so the dialog asks which channel.
    m_dialog.reset();
    m_gumDoc->m_popupChannel.Clear();
    const float before = At(1)->m_samples[0];
    m_gumDoc->InvertChannel();
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(openAfterEmptyClick);
    EXPECT_FLOAT_EQ(At(1)->m_samples[0], -before);
}

} // namespace
