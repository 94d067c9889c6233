// The chooser of paired Bluetooth devices, reached from the Options dialog's
// Bluetooth "Search..." button in the running program.
#include "app/gudOptions.h"
#include "app/base/gumIds.h"
#include "app/gumApp.h"
#include "dialogs/gudBTChooser.h"
#include "support/appTest.h"
#include "support/dialogDriver.h"
#include "support/guiSupport.h"
#include "transport/zxBTDevice.h"

#include <gtest/gtest.h>
#include <wx/listbox.h>

using qvtest::DialogDriver;

namespace {

const std::vector<CzxBTPairedDevice> kDevices = {
    {"Kestilon 1042", "00-1a-7d-da-71-13"},
    {"Tundrane 2", "00-1a-7d-da-71-14"},
};

class BTChooser : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        qvtest::CappTest::SetUp();
        // The system's paired devices vary: the chooser gets a fixed list.
        CzxBTDevice::SetChooser([](wxString& name, wxString& address) {
            CgudBTChooser chooser(nullptr, kDevices);
            if (chooser.ShowModal() != wxID_OK || chooser.GetChoice() < 0)
                return false;
            name = kDevices[size_t(chooser.GetChoice())].m_name;
            address = kDevices[size_t(chooser.GetChoice())].m_address;
            return true;
        });
    }
    void TearDown() override
    {
        CzxBTDevice::SetChooser(&gudChooseBTDevice);
        qvtest::CappTest::TearDown();
    }
};

TEST_F(BTChooser, OptionsTakeTheChosenDeviceAndCancelKeepsThem)
{
    bool chosen = false;
    DialogDriver<CgudOptions> options([&](CgudOptions& dialog) {
        DialogDriver<CgudBTChooser> pick([&](CgudBTChooser& chooser) {
            EXPECT_EQ(chooser.m_list->GetCount(), 2u);
            EXPECT_EQ(chooser.m_list->GetString(1), "Tundrane 2 (00-1a-7d-da-71-14)");
            EXPECT_TRUE(chooser.FindWindow(wxID_OK)->IsEnabled());
            chooser.m_list->SetSelection(1);
            EXPECT_FALSE(qvtest::SaveScreenshot(&chooser, "bluetooth-devices").empty());
            chosen = true;
            chooser.EndModal(wxID_OK);
        });
        Press(dialog, ID_OPTIONS_BT_SEARCH);
        EXPECT_TRUE(pick.m_done);
        EXPECT_EQ(dialog.m_bluetoothName, "Tundrane 2");
        EXPECT_EQ(dialog.m_bluetoothAddress, "00-1a-7d-da-71-14");

        DialogDriver<CgudBTChooser> cancel([](CgudBTChooser& chooser) { chooser.EndModal(wxID_CANCEL); });
        Press(dialog, ID_OPTIONS_BT_SEARCH);
        EXPECT_TRUE(cancel.m_done);
        EXPECT_EQ(dialog.m_bluetoothName, "Tundrane 2");
        dialog.EndModal(wxID_CANCEL);
    });
    Command(ID_TOOL_OPTIONS);
    ASSERT_TRUE(options.m_done);
    EXPECT_TRUE(chosen);
}

TEST_F(BTChooser, WithoutPairedDevicesNothingCanBeChosen)
{
    DialogDriver<CgudBTChooser> pick([](CgudBTChooser& chooser) {
        EXPECT_EQ(chooser.m_list->GetCount(), 0u);
        EXPECT_FALSE(chooser.FindWindow(wxID_OK)->IsEnabled());
        EXPECT_EQ(chooser.GetChoice(), -1);
        chooser.EndModal(wxID_OK);
    });
    CgudBTChooser chooser(nullptr, {});
    EXPECT_EQ(chooser.ShowModal(), wxID_OK);
    EXPECT_TRUE(pick.m_done);
    EXPECT_EQ(chooser.GetChoice(), -1);
}

} // namespace
