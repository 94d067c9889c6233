// The sensor-matching dialog on the simulated logger (sound, light,
// temperature and voltage on inputs 1 to 4), and template matching on Start.
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "app/gumApp.h"
#include "app/gumDocManager.h"
#include "app/gumFrame.h"
#include "document/gumDoc.h"
#include "files/gumFile.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "support/dialogDriver.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"
#include "support/testEnvironment.h"
#include "wizard/gudMatch.h"
#include "wizard/gudMatchTemplate.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <wx/stattext.h>

namespace {

using qvtest::DialogDriver;

class MatchDialog : public testing::Test
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        m_app = &qvtest::CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        m_boxes = std::make_unique<qvtest::CtestBoxes>();
        ASSERT_TRUE(LoggerShown());
        m_app->m_options.SetUserLevel(4);
    }

    void TearDown() override
    {
        if (CgumDoc* doc = m_app->GetCurrentDocument()) {
            doc->m_doc.Stop();
            doc->Modify(false);
        }
        EXPECT_TRUE(qvtest::CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
        ::unsetenv("QUORVANTI_SIMULATE");
    }

    CdocDoc& Doc() { return m_app->GetCurrentDocument()->m_doc; }

    // A classic sensor record as the database gives it.
    static CxhwSensor Sensor(int ident)
    {
        CxhwSensor sensor;
        sensor.m_idCode = ident;
        sensor.m_idType = 7;
        sensor.m_calType = 7;
        const CxhwSenFile* db = xhwGetSenFile();
        db->GetCalib(sensor.m_calib, db->FindNext(ident, -1, true, false, false, false));
        return sensor;
    }

    static wxString Label(CgudMatch& dialog, int id)
    {
        wxWindow* window = dialog.FindWindow(id);
        return window ? window->GetLabel() : wxString("<none>");
    }
    static bool Shown(CgudMatch& dialog, int id)
    {
        wxWindow* window = dialog.FindWindow(id);
        return window && window->IsShown();
    }

    static void Press(wxDialog& dialog, int id)
    {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(dialog.FindWindow(id));
        dialog.GetEventHandler()->ProcessEvent(click);
    }

    // A dialog still open after OK (a question answered No) ends with
    // Cancel, so that a failing case fails rather than waits.
    static void PressOk(CgudMatch& dialog)
    {
        Press(dialog, wxID_OK);
        if (dialog.IsModal())
            dialog.EndModal(wxID_CANCEL);
    }

    // The dialog asks the logger manager to connect, after which the sensors
    // may be identified again: its table follows them on its timer.
    static bool Settle(const std::function<bool()>& done) { return qvtest::PumpUntil(done); }

    // The simulated logger's four sensors published to the document.
    bool LoggerShown()
    {
        return qvtest::PumpUntil([this] {
            CgumDoc* doc = m_app->GetCurrentDocument();
            return doc && !doc->m_doc.m_waitingForFind
                   && doc->m_doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED
                   && doc->m_doc.m_boxInfo.m_sensors[3].m_idCode != 0;
        });
    }

    std::unique_ptr<qvtest::CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
};

} // namespace

// Stored: sound and light where they are now, a humidity sensor on input 4
// (the voltage sensor's), a current sensor with no input left, the
// temperature sensor moved to input 6.
TEST_F(MatchDialog, ShowsThePairingAndAsksWhenIncomplete)
{
    CdocDoc& doc = Doc();
    doc.m_fileBoxInfo = doc.m_boxInfo;
    doc.m_fileBoxInfo.m_sensors[2] = CxhwSensor();
    doc.m_fileBoxInfo.m_sensors[3] = Sensor(15);
    doc.m_fileBoxInfo.m_sensors[4] = Sensor(10);
    doc.m_fileBoxInfo.m_sensors[5] = Sensor(1);
    const wxString input = gumGetString(32);

    bool askedOnce = false;
    DialogDriver<CgudMatch> driver([&](CgudMatch& dialog) {
        ASSERT_TRUE(Settle([&] { return doc.m_matchInput[5] == 2 && doc.m_matchInput[3] == 3; }));
        EXPECT_EQ(dialog.GetId(), ID_MATCH_DIALOG);
        EXPECT_EQ(dialog.GetTitle(), "Match sensors");
        const wxString stored[] = {Sensor(9).m_calib.m_name, Sensor(8).m_calib.m_name, Sensor(15).m_calib.m_name,
                                   Sensor(10).m_calib.m_name, Sensor(1).m_calib.m_name};
        const CxhwSenCalib volts = Sensor(19).m_calib;
        const wxString connected[] = {input + " 1", input + " 2", volts.m_name + ", " + volts.m_units + ", " + input + " 4",
                                      "", input + " 3"};
        for (int r = 0; r < 5; ++r) {
            SCOPED_TRACE(r);
            EXPECT_TRUE(Shown(dialog, CgudMatch::StoredNameId(r)));
            EXPECT_EQ(Label(dialog, CgudMatch::StoredNameId(r)), stored[r]);
            EXPECT_EQ(Shown(dialog, CgudMatch::ConnectedTextId(r)), r != 3);
            if (r != 3) {
                EXPECT_EQ(Label(dialog, CgudMatch::ConnectedTextId(r)), connected[r]);
            }
            EXPECT_FALSE(Shown(dialog, CgudMatch::DisableId(r))); // not a type-5 logger
        }
        for (int r = 5; r < CgudMatch::kRows; ++r)
            EXPECT_FALSE(Shown(dialog, CgudMatch::StoredNameId(r))) << r;
        EXPECT_FALSE(Shown(dialog, ID_MATCH_REFRESH));
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "match-sensors").empty());

        // Incomplete: OK asks; No keeps the dialog open, Yes goes on.
        Press(dialog, wxID_OK);
        askedOnce = dialog.IsModal();
        m_boxes->AnswerYes();
        PressOk(dialog);
    });
    EXPECT_TRUE(gudRunMatchDialog(doc));
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(askedOnce);
    ASSERT_EQ(m_boxes->m_calls.size(), 2u);
    EXPECT_EQ(m_boxes->m_calls[0].text,
              "The connected sensors do not match the template.\nWould you like to continue anyway?");
}

// Disabling a row's input drops its pairing and brings up the refresh
// button, which enables every identified input again.
TEST_F(MatchDialog, DisableAndRefreshFollowTheLogger)
{
    CdocDoc& doc = Doc();
    doc.m_fileBoxInfo = doc.m_boxInfo;
    bool refreshShown = false, refreshHidden = false, connectedGone = false;
    DialogDriver<CgudMatch> driver([&](CgudMatch& dialog) {
        ASSERT_TRUE(Settle([&] { return gudMatchAllKept(doc) && doc.m_matchInput[0] == 0; }));
        dialog.DisableRowSensor(0);
        connectedGone = !Shown(dialog, CgudMatch::ConnectedTextId(0));
        refreshShown = Shown(dialog, ID_MATCH_REFRESH);
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "match-sensors-disabled").empty());
        Press(dialog, ID_MATCH_REFRESH);
        dialog.Refresh();
        refreshHidden = !Shown(dialog, ID_MATCH_REFRESH);
        EXPECT_TRUE(Shown(dialog, CgudMatch::ConnectedTextId(0)));
        // All paired and kept again: OK asks nothing.
        PressOk(dialog);
    });
    EXPECT_TRUE(gudRunMatchDialog(doc));
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(connectedGone);
    EXPECT_TRUE(refreshShown);
    EXPECT_TRUE(refreshHidden);
    EXPECT_TRUE(m_boxes->m_calls.empty());
}

TEST_F(MatchDialog, CancelDeclinesAndOkWaitsForTheLogger)
{
    CdocDoc& doc = Doc();
    doc.m_fileBoxInfo = doc.m_boxInfo;
    bool okWhileWaiting = true;
    DialogDriver<CgudMatch> driver([&](CgudMatch& dialog) {
        doc.m_waitingForFind = true;
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        okWhileWaiting = dialog.FindWindow(wxID_OK)->IsEnabled();
        doc.m_waitingForFind = false;
        dialog.EndModal(wxID_CANCEL);
    });
    EXPECT_FALSE(gudRunMatchDialog(doc));
    ASSERT_TRUE(driver.m_done);
    EXPECT_FALSE(okWhileWaiting);
}

// A template saved with the simulated logger, opened again and started: the
// stored sensors are paired with the connected ones first. With two stored
// sensors swapped the dialog shows, and OK starts the run with the channels
// following their sensors.
TEST_F(MatchDialog, StartingAnOpenedTemplateRunsTheMatch)
{
    const std::string path = qvtest::MakeTempDir("match") + "/swap.qvt";
    {
        CgumFile writer;
        ASSERT_TRUE(writer.WriteFile(path, Doc(), DOC_FORMAT_TEMPLATE));
    }
    ASSERT_TRUE(m_app->m_docManager->CreateDocument(path, wxDOC_SILENT));
    ASSERT_TRUE(qvtest::PumpUntil([this] { return Doc().m_data.m_dataSource == DATA_SOURCE_FILE; }));
    CdocDoc& doc = Doc();
    ASSERT_EQ(doc.m_state, DOC_STATE_STOPPED);
    // The pairing reads the logger's sensors from the logger manager.
    ASSERT_TRUE(qvtest::PumpUntil([] {
        CxutBoxPublicInfo info;
        xhwGetBoxes()->GetPublicInfo(info);
        return info.m_info.m_hardware == BOX_TYPE_SIMULATED && info.m_sensors[3].m_idCode != 0;
    }));
    std::swap(doc.m_fileBoxInfo.m_sensors[0], doc.m_fileBoxInfo.m_sensors[1]);
    CdocFieldKey key;
    ASSERT_TRUE(doc.m_data.m_fields.FindSensor(key, 0));
    const int soundKey = key.m_key;

    int rows = 0;
    DialogDriver<CgudMatch> driver([&](CgudMatch& dialog) {
        EXPECT_TRUE(Settle([&] { return gudMatchAllKept(doc) && doc.m_matchInput[0] == 1; }));
        for (int r = 0; r < CgudMatch::kRows; ++r)
            rows += Shown(dialog, CgudMatch::StoredNameId(r));
        PressOk(dialog);
    });
    wxCommandEvent start(wxEVT_MENU, ID_START);
    m_app->m_frame->GetEventHandler()->ProcessEvent(start);
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(doc.m_state, DOC_STATE_RUNNING);
    EXPECT_EQ(doc.m_matchInput[0], 1);
    EXPECT_EQ(doc.m_matchInput[1], 0);
    EXPECT_EQ(doc.m_matchCode, START_CODE_NONE);
    CdocField* sound = doc.m_data.m_fields.Lookup(CdocFieldKey(soundKey, -1, nullptr));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->m_socket, 1);
    EXPECT_TRUE(m_boxes->m_calls.empty());
}
