// Test label: threads
// The clock and stamp dialogs against a published logger whose requests a
// stand-in box thread answers.
#include "dialogs/gudClock.h"
#include "dialogs/gudStamp.h"
#include "gui/dialogs/fakeLogger.h"
#include "gui/document/docCommandFixture.h"
#include "hardware/xhwBoxTypes.h"

#include <memory>
#include <wx/datetime.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace {

using qvtest::DialogDriver;

class LoggerDialogs : public qvtest::DocCommandTest
{
protected:
    static bool OkEnabled(wxDialog& dialog)
    {
        dialog.UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return dialog.FindWindow(wxID_OK)->IsEnabled();
    }

    static wxString Refused(wxTextCtrl* field, const wxString& text)
    {
        return static_cast<wxTextValidator*>(field->GetValidator())->IsValid(text);
    }

    // The last message box and its text, or an empty text.
    wxString LastBox(zxBoxKind kind)
    {
        if (m_boxes.m_calls.empty() || m_boxes.m_calls.back().kind != kind)
            return {};
        return m_boxes.m_calls.back().text;
    }

    static wxString BoxName(int type, float firmware)
    {
        CxutBoxInfo info;
        info.m_hardware = type;
        info.m_firmware = firmware;
        wxString name;
        xhwGetBoxName(name, 1, info);
        return name;
    }
};

TEST_F(LoggerDialogs, ClockWithoutLoggerSaysSoAtOnceAndSendsNothing)
{
    DialogDriver<CgudClock> driver([&](CgudClock& dialog) {
        // Shown from the first refresh at init, before any tick.
        EXPECT_EQ(dialog.m_statusLabel->GetLabel(), "No logger connected");
        EXPECT_EQ(dialog.m_loggerLabel->GetLabel(), BoxName(0, 0.0f));
        EXPECT_FALSE(OkEnabled(dialog));
        EXPECT_FALSE(qvtest::SaveScreenshot(&dialog, "clock-no-logger").empty());
        dialog.Close();
    });
    m_gumDoc->SetLoggerClock();
    ASSERT_TRUE(driver.m_done);
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

TEST_F(LoggerDialogs, ClockFollowsTheLoggerAndReportsTheTimeWritten)
{
    qvtest::CfakeLogger logger;
    logger.Connect(BOX_TYPE_2, 1.0f, wxString());
    const wxDateTime written(2, wxDateTime::Mar, 2021, 10, 20, 30);
    logger.m_time = written.GetValue().GetValue();
    CgudClock dialog(nullptr, ID_CLOCK_DIALOG, "Set Logger's Clock");
    DialogDriver<CgudClock> driver([&](CgudClock& shown) {
        EXPECT_EQ(shown.m_statusLabel->GetLabel(), "Connected logger is");
        EXPECT_EQ(shown.m_loggerLabel->GetLabel(), BoxName(BOX_TYPE_2, 1.0f));
        EXPECT_TRUE(OkEnabled(shown));
        EXPECT_FALSE(qvtest::SaveScreenshot(&shown, "clock-ready").empty());

        // Unplugged and plugged back while open: within a tick each.
        logger.Connect(BOX_TYPE_NONE, 0.0f, wxString());
        EXPECT_TRUE(qvtest::PumpUntil([&] { return !shown.m_ready; }));
        EXPECT_EQ(shown.m_statusLabel->GetLabel(), "No logger connected");
        EXPECT_FALSE(OkEnabled(shown));
        logger.Connect(BOX_TYPE_2, 1.0f, wxString());
        EXPECT_TRUE(qvtest::PumpUntil([&] { return shown.m_ready; }));

        // A failed or refused setting leaves the dialog open.
        for (const auto& [answer, entry] : {std::pair{BOX_ANSWER_FAILED, 895}, {BOX_ANSWER_UNSUPPORTED, 426}}) {
            logger.m_answer = answer;
            Press(shown, wxID_OK);
            EXPECT_EQ(LastBox(zxBOX_ERROR), gumGetString(entry));
            EXPECT_TRUE(shown.IsModal());
        }
        logger.m_answer = BOX_ANSWER_DONE;
        Press(shown, wxID_OK);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(LastBox(zxBOX_INFO), gumGetString(896) + " " + written.Format("%c"));
    const auto requests = logger.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests.back().m_code, BOX_REQUEST_SET_CLOCK);
}

TEST_F(LoggerDialogs, LinesOfAStampAndOfAName)
{
    struct Case
    {
        const char* stamp;
        bool name;
        const char* line1;
        const char* line2;
    };
    const Case cases[] = {
        {"ABC             DEF             ", false, "ABC", "DEF"},
        // A stamp of one short line has no second line to write back twice.
        {"ABC", false, "ABC", ""},
        {"0123456789ABCDEF", false, "0123456789ABCDEF", ""},
        {"0123456789ABCDEFG", false, "0123456789ABCDEF", "G"},
        {"", false, "", ""},
        {"Group2", true, "Group2", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stamp);
        wxString line1, line2;
        gudSplitStamp(c.stamp, c.name, line1, line2);
        EXPECT_EQ(line1, c.line1);
        EXPECT_EQ(line2, c.line2);
    }
    EXPECT_EQ(gudJoinStamp("ABC", "DEF"), "ABC             DEF             ");
    EXPECT_EQ(gudJoinStamp("", ""), wxString(' ', 32));
    EXPECT_EQ(gudJoinStamp("0123456789ABCDEFXY", "Z"), "0123456789ABCDEFZ               ");
}

TEST_F(LoggerDialogs, StampShowsTheLoggersLinesKeepsEditsAndWritesBoth)
{
    qvtest::CfakeLogger logger;
    logger.Connect(BOX_TYPE_TUNDRANE, 1.0f, "ABC             DEF             ");
    CgudStamp dialog(nullptr, ID_STAMP_DIALOG, "Set Logger's Security Stamp");
    DialogDriver<CgudStamp> driver([&](CgudStamp& shown) {
        EXPECT_EQ(shown.m_line1Ctrl->GetValue(), "ABC");
        EXPECT_EQ(shown.m_line2Ctrl->GetValue(), "DEF");
        EXPECT_TRUE(shown.m_line2Ctrl->IsShown());
        EXPECT_FALSE(shown.m_warningLabel->GetLabel().empty());
        EXPECT_TRUE(OkEnabled(shown));
        // The sign and the space are a stamp's characters; 16 to a line.
        EXPECT_TRUE(Refused(shown.m_line1Ctrl, "A #$-+*/ 9").empty());
        EXPECT_FALSE(Refused(shown.m_line2Ctrl, "A_B").empty());
        shown.m_line2Ctrl->Clear();
        shown.m_line2Ctrl->WriteText("0123456789ABCDEF");
        shown.m_line2Ctrl->WriteText("G");
        EXPECT_EQ(shown.m_line2Ctrl->GetValue(), "0123456789ABCDEF");
        shown.m_line2Ctrl->ChangeValue("DEF");
        EXPECT_FALSE(qvtest::SaveScreenshot(&shown, "stamp-stamp-mode").empty());

        // Typing survives the refreshes while the logger's text stays.
        shown.m_line1Ctrl->ChangeValue("XYZ");
        qvtest::Pump(500);
        EXPECT_EQ(shown.m_line1Ctrl->GetValue(), "XYZ");
        Press(shown, wxID_OK);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(LastBox(zxBOX_INFO), gumGetString(418));
    const auto requests = logger.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].m_code, BOX_REQUEST_SET_NAME);
    EXPECT_EQ(requests[0].m_text, "XYZ             DEF             ");
}

TEST_F(LoggerDialogs, ShortStampIsWrittenBackOnce)
{
    qvtest::CfakeLogger logger;
    logger.Connect(BOX_TYPE_TUNDRANE, 1.0f, "ABC");
    CgudStamp dialog(nullptr, ID_STAMP_DIALOG, "Set Logger's Security Stamp");
    DialogDriver<CgudStamp> driver([&](CgudStamp& shown) {
        EXPECT_EQ(shown.m_line2Ctrl->GetValue(), "");
        Press(shown, wxID_OK);
    });
    EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    const auto requests = logger.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].m_text, "ABC" + wxString(' ', 29));
}

TEST_F(LoggerDialogs, NameModeRefusesSignsAndAnEmptyNameThenFollowsAStampLogger)
{
    qvtest::CfakeLogger logger;
    logger.Connect(BOX_TYPE_KESTILON, 1.0f, "Group2");
    DialogDriver<CgudStamp> driver([&](CgudStamp& shown) {
        EXPECT_EQ(shown.m_line1Ctrl->GetValue(), "Group2");
        EXPECT_FALSE(shown.m_line2Ctrl->IsShown());
        EXPECT_TRUE(shown.m_warningLabel->GetLabel().empty());
        EXPECT_EQ(shown.m_hintLabel->GetLabel(), "Use only: A-Z a-z 0-9");
        EXPECT_FALSE(Refused(shown.m_line1Ctrl, "A#").empty());
        EXPECT_FALSE(Refused(shown.m_line1Ctrl, "A B").empty());
        EXPECT_TRUE(Refused(shown.m_line1Ctrl, "Group9").empty());
        shown.m_line1Ctrl->Clear();
        shown.m_line1Ctrl->WriteText("0123456789ABCDE");
        shown.m_line1Ctrl->WriteText("F");
        EXPECT_EQ(shown.m_line1Ctrl->GetValue(), "0123456789ABCDE");
        EXPECT_FALSE(qvtest::SaveScreenshot(&shown, "stamp-name-mode").empty());

        // An empty name is refused before anything is sent.
        shown.m_line1Ctrl->Clear();
        Press(shown, wxID_OK);
        EXPECT_EQ(LastBox(zxBOX_ERROR), gumGetString(419));
        EXPECT_TRUE(logger.Requests().empty());
        // Failures keep the dialog open.
        shown.m_line1Ctrl->ChangeValue("Bench4");
        for (const auto& [answer, entry] : {std::pair{BOX_ANSWER_FAILED, 419}, {BOX_ANSWER_UNSUPPORTED, 426}}) {
            logger.m_answer = answer;
            Press(shown, wxID_OK);
            EXPECT_EQ(LastBox(zxBOX_ERROR), gumGetString(entry));
            EXPECT_TRUE(shown.IsModal());
        }
        EXPECT_EQ(logger.Requests().back().m_text, "Bench4");

        // Another logger, with a stamp: the form follows at a tick.
        logger.Connect(BOX_TYPE_TUNDRANE, 1.0f, "LAB 1");
        EXPECT_TRUE(qvtest::PumpUntil([&] { return shown.m_line2Ctrl->IsShown(); }));
        EXPECT_FALSE(shown.m_warningLabel->GetLabel().empty());
        EXPECT_EQ(shown.m_line1Ctrl->GetValue(), "LAB 1");
        shown.Close();
    });
    m_gumDoc->SetLoggerStamp();
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(logger.Requests().size(), 2u);
}

} // namespace
