#pragma once
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "document/gumDoc.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/dialog.h>

namespace qvtest {

// The whole application started in this process, as the program starts it,
// with message boxes recorded and the logger search's first answer in.
class CappTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app = &CreateApp();
        ASSERT_TRUE(m_app->CallOnInit());
        // After start-up, which installs the real boxes.
        m_boxes = std::make_unique<CtestBoxes>();
        ASSERT_TRUE(WaitForLoggerSearch(*m_app));
        ASSERT_TRUE(WaitForMaximisedFrame(*m_app));
        m_frame = m_app->m_frame;
    }

    void TearDown() override
    {
        if (CgumDoc* doc = m_app->GetCurrentDocument())
            doc->Modify(false); // no save question at the end
        EXPECT_TRUE(CloseMainFrame(*m_app));
        m_app->OnExit();
        m_boxes.reset();
    }

    // Runs a command through the frame's whole routing, as a menu item does.
    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(m_frame);
        m_frame->GetEventHandler()->ProcessEvent(event);
        HandlePending();
    }

    static void Press(wxDialog& dialog, int id)
    {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(dialog.FindWindow(id));
        dialog.GetEventHandler()->ProcessEvent(click);
    }

    std::unique_ptr<CtestBoxes> m_boxes;
    CgumApp* m_app = nullptr;
    CgumFrame* m_frame = nullptr;
};

} // namespace qvtest
