// The oscilloscope panel and view in the running program with the simulated
// logger: a run triggers, draws its traces and stores one as the document.
#include "app/base/gumIds.h"
#include "app/gumApp.h"
#include "app/gumFrame.h"
#include "app/gumWin.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/appTest.h"
#include "support/guiSupport.h"
#include "views/guvScopePanel.h"
#include "views/guvScopeTrigger.h"
#include "views/guvScopeView.h"
#include "views/guvScopeWin.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <wx/choice.h>

namespace {

class ScopeInProgram : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        CappTest::SetUp();
    }
    void TearDown() override
    {
        CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }
};

} // namespace

TEST_F(ScopeInProgram, RunTriggersDrawsAndStoresATrace)
{
    CgumDoc* gumDoc = m_app->GetCurrentDocument();
    ASSERT_TRUE(gumDoc);
    CdocDoc& doc = gumDoc->m_doc;
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED; }));
    Command(ID_MODE_SCOPE);
    ASSERT_EQ(doc.m_activity, ACTIVITY_SCOPE);
    Command(ID_START);
    ASSERT_EQ(doc.m_state, DOC_STATE_RUNNING);

    CguvScopePanel* panel = m_frame->m_content->m_scopePanel;
    ASSERT_TRUE(qvtest::PumpUntil([panel] { return panel->m_window->IsShownOnScreen(); }));
    // The gains and the timebases of the simulated logger.
    EXPECT_EQ(panel->m_gainChoice->GetCount(), 12u);
    EXPECT_EQ(panel->m_timebaseChoice->GetCount(), 8u);
    EXPECT_EQ(panel->m_timebaseChoice->GetSelection(), doc.m_scope.m_timebase);
    EXPECT_EQ(panel->m_trigger->m_view, panel->m_window->m_view);

    // A trace arrives: the indicator turns green and the trace is drawn.
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.m_scope.m_triggerIndicator; }));
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.m_scope.m_dataNext == doc.m_scope.m_traceSamples; }));
    qvtest::Pump(100);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "scope-running").empty());

    // A narrow panel shortens the trigger label and the choices' texts.
    const wxSize wide = panel->GetSize();
    panel->SetSize(wxSize(220, wide.y));
    panel->UpdateControls();
    EXPECT_EQ(panel->m_trigger->GetLabel(), "T");
    EXPECT_TRUE(panel->m_timebaseChoice->GetString(0).EndsWith("/div"));
    EXPECT_TRUE(panel->m_gainChoice->GetString(0).EndsWith("/div"));
    panel->SetSize(wxSize(2000, wide.y));
    panel->UpdateControls();
    EXPECT_EQ(panel->m_trigger->GetLabel(), "Trigger");
    EXPECT_TRUE(panel->m_timebaseChoice->GetString(0).EndsWith("per X division"));
    EXPECT_EQ(panel->m_timebaseChoice->GetCount(), 8u);
    panel->SetSize(wide);
    panel->UpdateControls();

    // A slower timebase from the panel's choice.
    panel->m_timebaseChoice->SetSelection(5);
    wxCommandEvent choice(wxEVT_CHOICE, CguvScopePanel::kTimebaseId);
    choice.SetEventObject(panel->m_timebaseChoice);
    panel->m_timebaseChoice->GetEventHandler()->ProcessEvent(choice);
    EXPECT_EQ(doc.m_scope.m_timebase, 5);
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.m_scope.m_enableStore; }));
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.m_scope.m_dataNext == doc.m_scope.m_traceSamples; }));
    qvtest::Pump(100);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "scope-slow-timebase").empty());

    // Store: the trace becomes the document's data at the timebase's interval.
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.CanStore(); }));
    Command(ID_STORE);
    ASSERT_TRUE(qvtest::PumpUntil([&doc] { return doc.m_data.m_records > 0; }));
    EXPECT_EQ(doc.m_data.m_records, doc.m_scope.GetTimebaseSamples(5));
    EXPECT_DOUBLE_EQ(doc.m_data.m_interval, doc.m_scope.GetTimebasePeriodSeconds(5));
    CdocFieldKey key;
    ASSERT_TRUE(doc.m_data.m_fields.GetSensor(key, 0));
    EXPECT_FLOAT_EQ(key.m_field->m_samples[0], doc.m_scope.m_storeValues[0]);
    EXPECT_TRUE(doc.m_unsavedData);
    CdocField* time = doc.m_graph.GetFieldX();
    ASSERT_TRUE(time);
    EXPECT_EQ(time->m_content, CONTENT_ELAPSED_TIME);
    const int last = doc.m_data.m_records - 1;
    EXPECT_FLOAT_EQ(time->m_samples[last],
                    float(doc.m_data.m_interval * last) * time->m_gain + time->m_offset);
    Command(ID_STOP);
    EXPECT_EQ(doc.m_state, DOC_STATE_STOPPED);
    qvtest::Pump(200);
    EXPECT_FALSE(qvtest::SaveScreenshot(m_frame, "scope-stored-trace").empty());
}
