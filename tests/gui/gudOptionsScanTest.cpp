// The Options dialog and the Bluetooth LE scan dialog in the running program
// with the simulated logger, whose simulated Bluetooth LE adapter has two
// loggers in range.
#include "app/appOptions.h"
#include "app/gudOptions.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/base/gumIds.h"
#include "dialogs/gudBLEScan.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/dialogDriver.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"
#include "transport/zxBtle.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/filename.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>

using qvtest::DialogDriver;

namespace {

const wxString kSim1 = "Kestilon SIM-1";
const wxString kSim2 = "Tundrane 2 SIM-2";

class OptionsScan : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        qvtest::CappTest::SetUp();
        ASSERT_TRUE(qvtest::PumpUntil([this] {
            CdocDoc* doc = m_app->GetCurrentDocDoc();
            return doc && doc->m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED;
        }));
    }

    void TearDown() override
    {
        qvtest::CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    // A click on the scan check box, which toggles it before the event.
    static void ToggleScan(CgudBLEScan& dialog)
    {
        dialog.m_scanBox->SetValue(!dialog.m_scanBox->GetValue());
        wxCommandEvent click(wxEVT_CHECKBOX, ID_BLE_SCAN_CHECK);
        click.SetEventObject(dialog.m_scanBox);
        dialog.GetEventHandler()->ProcessEvent(click);
    }

    static void Pick(CgudBLEScan& dialog, int row)
    {
        dialog.m_list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        wxListEvent selected(wxEVT_LIST_ITEM_SELECTED, ID_BLE_SCAN_LIST);
        selected.m_itemIndex = row;
        selected.SetEventObject(dialog.m_list);
        dialog.GetEventHandler()->ProcessEvent(selected);
    }

    static std::vector<wxString> Rows(CgudBLEScan& dialog)
    {
        std::vector<wxString> rows;
        for (int row = 0; row < dialog.m_list->GetItemCount(); ++row)
            rows.push_back(dialog.m_list->GetItemText(row));
        return rows;
    }

    static int SelectedRow(CgudBLEScan& dialog)
    {
        return int(dialog.m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
    }

    static bool OkEnabled(CgudBLEScan& dialog) { return dialog.FindWindow(wxID_OK)->IsEnabled(); }

    wxString UserOptionsFile()
    {
        wxFileName file;
        m_app->m_res.GetUserOptionsFile(file);
        return file.GetFullPath();
    }

};

} // namespace

TEST_F(OptionsScan, ScanListsTheLastFoundFirstAndTheOptionsTakeThePick)
{
    CxhwBoxes& boxes = m_app->m_boxes;
    const int searching = boxes.GetState();
    bool scanned = false;
    DialogDriver<CgudOptions> options([&](CgudOptions& dialog) {
        DialogDriver<CgudBLEScan> scan([&](CgudBLEScan& scanDialog) {
            scanned = true;
            // The logger search pauses while the dialog is open.
            EXPECT_EQ(boxes.GetAckState(), BOXES_STATE_IDLE);
            // Nothing remembered yet: an empty list, no scan, OK disabled.
            EXPECT_TRUE(Rows(scanDialog).empty());
            EXPECT_FALSE(scanDialog.m_scanBox->GetValue());
            EXPECT_FALSE(zxGetBtle().IsScanning());
            EXPECT_FALSE(OkEnabled(scanDialog));
            ToggleScan(scanDialog);
            EXPECT_TRUE(zxGetBtle().IsScanning());
            ASSERT_TRUE(qvtest::PumpUntil([&] { return Rows(scanDialog).size() == 2; }));
            EXPECT_EQ(Rows(scanDialog), (std::vector<wxString>{kSim2, kSim1}));
            EXPECT_TRUE(scanDialog.m_scanBox->GetValue());
            EXPECT_FALSE(OkEnabled(scanDialog));
            Pick(scanDialog, 1);
            EXPECT_EQ(scanDialog.m_selectedIndex, 0);
            EXPECT_TRUE(OkEnabled(scanDialog));
            EXPECT_FALSE(qvtest::SaveScreenshot(&scanDialog, "bluetooth-scan").empty());
            Press(scanDialog, wxID_OK);
        });
        Press(dialog, ID_OPTIONS_SMART_SEARCH);
        EXPECT_TRUE(scan.m_done);
        // The scan stopped with the dialog, and the search goes on.
        EXPECT_FALSE(zxGetBtle().IsScanning());
        EXPECT_EQ(boxes.GetState(), searching);
        EXPECT_EQ(dialog.m_smartName, kSim1);
        EXPECT_EQ(dialog.m_smartUUID, "5A1E0001-7C3E-4A1D-9E85-3D6B20C4F9A1");
        EXPECT_EQ(dialog.m_smartNameText->GetLabel(), kSim1);
        EXPECT_TRUE(dialog.m_smartBox->GetValue());
        Press(dialog, wxID_OK);
    });
    ASSERT_EQ(searching, BOXES_STATE_CONNECT);
    Command(ID_TOOL_OPTIONS);
    ASSERT_TRUE(options.m_done);
    ASSERT_TRUE(scanned);
    const CappOptionsFile applied = m_app->m_options.GetCurrentCopy();
    EXPECT_EQ(applied.BluetoothSmartName, kSim1);
    EXPECT_EQ(applied.BluetoothSmartUUID, "5A1E0001-7C3E-4A1D-9E85-3D6B20C4F9A1");
    // Applied: the link now holds it as the selected logger, last in its list.
    EXPECT_EQ(zxGetBtle().GetSelectedIndex(), zxGetBtle().GetLoggerCount() - 1);
}

TEST_F(OptionsScan, PoweredOffAdapterIsReportedAndCancelChangesNothing)
{
    CzxBtleManager::Shared().UseSimulated().SetState(BTLE_STATE_POWERED_OFF);
    wxString identifier = "unchanged", name = "unchanged";
    DialogDriver<CgudBLEScan> scan([&](CgudBLEScan& dialog) {
        EXPECT_EQ(dialog.GetTitle(), "Bluetooth Smart Devices");
        EXPECT_FALSE(dialog.m_failedText->IsShown());
        ToggleScan(dialog);
        EXPECT_FALSE(dialog.m_scanBox->GetValue());
        EXPECT_TRUE(dialog.m_failedText->IsShown());
        EXPECT_EQ(dialog.m_failedText->GetLabel(), "Scan failed to start - Bluetooth is powered off");
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "bluetooth-scan-powered-off").empty());
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_FALSE(gudShowBLEScan(nullptr, identifier, name, false));
    ASSERT_TRUE(scan.m_done);
    EXPECT_EQ(identifier, "unchanged");
    EXPECT_EQ(name, "unchanged");
}

TEST_F(OptionsScan, PickSurvivesDiscoveriesAndClearKeepsScanning)
{
    CzxBtleAdapter& adapter = CzxBtleManager::Shared().UseSimulated();
    adapter.AddInRange({"5A1E0003-7C3E-4A1D-9E85-3D6B20C4F9A1", ""});
    wxString identifier, name = "before";
    DialogDriver<CgudBLEScan> scan([&](CgudBLEScan& dialog) {
        ToggleScan(dialog);
        ASSERT_TRUE(qvtest::PumpUntil([&] { return Rows(dialog).size() == 3; }));
        // An unnamed logger is listed as Unknown.
        EXPECT_EQ(Rows(dialog), (std::vector<wxString>{"Unknown", kSim2, kSim1}));
        Pick(dialog, 2);
        adapter.AddInRange({"5A1E0004-7C3E-4A1D-9E85-3D6B20C4F9A1", "Late"});
        ASSERT_TRUE(qvtest::PumpUntil([&] { return Rows(dialog).size() == 4; }));
        EXPECT_EQ(dialog.m_selectedIndex, 0);
        EXPECT_EQ(SelectedRow(dialog), 3);
        EXPECT_EQ(dialog.m_list->GetItemText(3), kSim1);

        // Clear during a scan: an empty list, the remembered ones forgotten, still scanning.
        Press(dialog, ID_BLE_SCAN_CLEAR);
        EXPECT_TRUE(zxGetBtle().IsScanning());
        EXPECT_TRUE(dialog.m_scanBox->GetValue());
        EXPECT_FALSE(OkEnabled(dialog));
        EXPECT_EQ(CzxBtleManager::Shared().GetIdentifiers().GetCount(), 0u);
        ASSERT_TRUE(qvtest::PumpUntil([&] { return Rows(dialog).size() == 4; }));
        // The unnamed one, found third, is returned with its empty name.
        EXPECT_EQ(dialog.m_list->GetItemText(1), "Unknown");
        Pick(dialog, 1);
        EXPECT_EQ(dialog.m_selectedIndex, 2);
        Press(dialog, wxID_OK);
    });
    EXPECT_TRUE(gudShowBLEScan(nullptr, identifier, name, true));
    ASSERT_TRUE(scan.m_done);
    // Closing the dialog stopped the scan.
    EXPECT_FALSE(zxGetBtle().IsScanning());
    EXPECT_EQ(name, "");
    EXPECT_EQ(identifier, "5A1E0003-7C3E-4A1D-9E85-3D6B20C4F9A1");
}

TEST_F(OptionsScan, LevelAppliesForThisRunAndOnlySaveWritesTheFile)
{
    m_app->m_options.m_settings.UserSave = true;
    const wxString file = UserOptionsFile();
    ASSERT_FALSE(wxFileExists(file));
    DialogDriver<CgudOptions> first([&](CgudOptions& dialog) {
        EXPECT_TRUE(dialog.m_saveButton->IsShown());
        Press(dialog, ID_OPTIONS_LEVEL); // 4 -> 1
        EXPECT_EQ(dialog.m_userLevel, 1);
        const wxBitmap& shown = dialog.m_levelButton->GetBitmap();
        EXPECT_EQ(shown.GetSize(), wxSize(32, 32));
        Press(dialog, wxID_OK);
    });
    Command(ID_TOOL_OPTIONS);
    ASSERT_TRUE(first.m_done);
    EXPECT_EQ(m_app->m_options.GetUserLevel(), 1);
    EXPECT_FALSE(wxFileExists(file));

    // Level 1 has no Options command; the administrator's key still opens the dialog,
    // so the options go back to level 3 through a fresh Options run there.
    m_app->m_options.SetUserLevel(3);
    DialogDriver<CgudOptions> second([&](CgudOptions& dialog) {
        Press(dialog, ID_OPTIONS_LEVEL); // 3 -> 4
        Press(dialog, ID_OPTIONS_LEVEL); // 4 -> 1
        Press(dialog, ID_OPTIONS_LEVEL); // 1 -> 2
        Press(dialog, ID_OPTIONS_SAVE);
    });
    Command(ID_TOOL_OPTIONS);
    ASSERT_TRUE(second.m_done);
    EXPECT_EQ(m_app->m_options.GetUserLevel(), 2);
    ASSERT_TRUE(wxFileExists(file));
    EXPECT_NE(qvtest::ReadFile(file.ToStdString()).find("UserLevel=2\n"), std::string::npos);
}

TEST_F(OptionsScan, CancelledFolderChooserKeepsTheDataFolder)
{
    const std::string folder = qvtest::MakeTempDir("data");
    const std::string chosen = qvtest::MakeTempDir("chosen");
    std::vector<wxString> starts;
    wxString answer;
    gudSetFolderChooser([&](const wxString& message, const wxString& start) {
        EXPECT_EQ(message, "Select a directory");
        starts.push_back(start);
        return answer;
    });
    DialogDriver<CgudOptions> options([&](CgudOptions& dialog) {
        dialog.m_folder = folder;
        dialog.TransferDataToWindow();
        Press(dialog, ID_OPTIONS_BROWSE); // cancelled
        EXPECT_EQ(dialog.m_folder, folder);
        answer = chosen;
        Press(dialog, ID_OPTIONS_BROWSE);
        EXPECT_EQ(dialog.m_folder, chosen);
        answer.clear();
        Press(dialog, ID_OPTIONS_BROWSE); // cancelled again
        Press(dialog, wxID_OK);
    });
    Command(ID_TOOL_OPTIONS);
    gudSetFolderChooser(nullptr);
    ASSERT_TRUE(options.m_done);
    EXPECT_EQ(starts, (std::vector<wxString>{folder, folder, chosen}));
    EXPECT_EQ(m_app->m_options.GetCurrentCopy().FileFolder, chosen);
}
