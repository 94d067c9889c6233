// The channel commands: the channel they act on, when they ask first, and
// what they change.
#include "app/base/gumIds.h"
#include "dialogs/gucListChannel.h"
#include "dialogs/gudChannel.h"
#include "dialogs/gudCustomScale.h"
#include "dialogs/gudFieldDetails.h"
#include "dialogs/gudSmooth.h"
#include "dialogs/gudUnitConversions.h"
#include "gui/document/docCommandFixture.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "support/appTest.h"
#include "views/gucChannel.h"

#include <cstdlib>
#include <functional>
#include <wx/slider.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class DocChannels : public qvtest::DocCommandTest
{
};

TEST_F(DocChannels, InvertAndDuplicateActAtOnceFromAPopupAndAskFromTheMenu)
{
    struct Case
    {
        const char* name;
        void (CgumDoc::*command)();
        bool popup;
    };
    const Case cases[] = {
        {"invert from the menu", &CgumDoc::InvertChannel, false},
        {"invert from a pop-up", &CgumDoc::InvertChannel, true},
        {"duplicate from the menu", &CgumDoc::DuplicateChannel, false},
        {"duplicate from a pop-up", &CgumDoc::DuplicateChannel, true},
    };
    Make("TMM");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The default channel is the first that is no time or sensor
        // channel; the pop-up names the second manual channel.
        CdocField* target = c.popup ? At(2) : At(1);
        m_gumDoc->m_popupChannel = c.popup ? KeyOf(At(2)) : CdocFieldKey();
        const float before = target->m_samples[3];
        const int count = Fields().GetCount();
        CdocField* preselected = nullptr;
        DialogDriver<CgudChannel> driver([&](CgudChannel& dialog) {
            preselected = dialog.m_list->GetSelectedChannel();
            Press(dialog, wxID_OK);
        });
        (m_gumDoc.get()->*c.command)();
        m_gumDoc->m_popupChannel.Clear();
        qvtest::Pump(120);
        EXPECT_EQ(driver.m_done, !c.popup);
        EXPECT_EQ(preselected, c.popup ? nullptr : target);
        if (c.command == &CgumDoc::InvertChannel) {
            EXPECT_EQ(target->m_samples[3], -before);
            target->m_samples[3] = before;
        } else {
            ASSERT_EQ(Fields().GetCount(), count + 1);
            EXPECT_EQ(At(count)->m_samples[3], before);
            Doc().m_data.DeleteField(KeyOf(At(count)));
        }
    }
}

TEST_F(DocChannels, DuplicateAtTheLimitShowsTheMessageAndChangesNothing)
{
    Make("TMMMMMMMMMMMMMMMMMMM");
    ASSERT_EQ(Fields().GetCount(), DOC_MAX_FIELDS);
    m_gumDoc->m_popupChannel = KeyOf(At(1));
    m_gumDoc->DuplicateChannel();
    ASSERT_EQ(m_boxes.m_calls.size(), 1u);
    EXPECT_EQ(m_boxes.m_calls[0].text, gumGetString(691));
    EXPECT_EQ(Fields().GetCount(), DOC_MAX_FIELDS);
}

TEST_F(DocChannels, CancelledSmoothingRestoresEveryWindow)
{
    Make("TMM", 9);
    At(1)->SetSample(4, 40.0f); // a spike that smoothing flattens
    const float spike = At(1)->m_samples[4];
    float whileOpen = spike;
    DialogDriver<CgudSmooth> driver([&](CgudSmooth& dialog) {
        EXPECT_EQ(dialog.m_channelCtrl->GetSelectedChannel(), At(1));
        auto* slider = static_cast<wxSlider*>(dialog.FindWindow(ID_SMOOTH_SLIDER));
        slider->SetValue(3);
        wxCommandEvent moved(wxEVT_SLIDER, ID_SMOOTH_SLIDER);
        moved.SetInt(3);
        dialog.GetEventHandler()->ProcessEvent(moved);
        whileOpen = At(1)->m_samples[4];
        EXPECT_EQ(At(1)->m_smoothEpsilon, 3);
        dialog.EndModal(wxID_CANCEL);
    });
    m_gumDoc->SmoothChannel();
    ASSERT_TRUE(driver.m_done);
    EXPECT_LT(whileOpen, spike);
    EXPECT_EQ(At(1)->m_smoothEpsilon, 0);
    EXPECT_EQ(At(1)->m_samples[4], spike);
}

TEST_F(DocChannels, UnitConversionNoneAppliesGainAndOffsetAndKeepsTheUnits)
{
    Make("TM");
    m_gumDoc->m_popupChannel = KeyOf(At(1));
    const float before = At(1)->m_samples[2];
    DialogDriver<CgudUnitConversions> driver([&](CgudUnitConversions& dialog) {
        EXPECT_FALSE(dialog.m_channelCtrl->IsEnabled());
        static_cast<wxTextCtrl*>(dialog.FindWindow(ID_UNIT_CONVERSIONS_GAIN))->SetValue("2");
        static_cast<wxTextCtrl*>(dialog.FindWindow(ID_UNIT_CONVERSIONS_OFFSET))->SetValue("1.5");
        Press(dialog, wxID_OK);
    });
    m_gumDoc->ConvertChannelUnits();
    ASSERT_TRUE(driver.m_done);
    EXPECT_EQ(At(1)->m_samples[2], before * 2.0f + 1.5f);
    EXPECT_EQ(At(1)->m_unit, "cm");
    EXPECT_EQ(At(1)->m_name, "Manual2");
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

TEST_F(DocChannels, CustomScaleTakesTwoPointsANameAndUnits)
{
    Make("TM");
    const float before = At(1)->m_samples[2];
    DialogDriver<CgudCustomScale> driver([&](CgudCustomScale& dialog) {
        EXPECT_TRUE(dialog.m_channelCtrl->IsEnabled());
        const struct
        {
            int id;
            const char* text;
        } typed[] = {{ID_CUSTOM_SCALE_PRESENT_1, "0"},   {ID_CUSTOM_SCALE_NEW_1, "32"},
                     {ID_CUSTOM_SCALE_PRESENT_2, "100"}, {ID_CUSTOM_SCALE_NEW_2, "212"},
                     {ID_CUSTOM_SCALE_NAME, "Heat"},     {ID_CUSTOM_SCALE_UNITS, "F"}};
        for (const auto& t : typed)
            static_cast<wxTextCtrl*>(dialog.FindWindow(t.id))->SetValue(t.text);
        Press(dialog, wxID_OK);
    });
    m_gumDoc->CustomScaleChannel();
    ASSERT_TRUE(driver.m_done);
    EXPECT_FLOAT_EQ(At(1)->m_samples[2], before * 1.8f + 32.0f);
    EXPECT_EQ(At(1)->m_name, "Heat");
    EXPECT_EQ(At(1)->m_unit, "F");
}

TEST_F(DocChannels, ANewChannelStaysOnlyWhenItsDetailsAreConfirmed)
{
    Make("TM");
    for (int answer : {wxID_CANCEL, wxID_OK}) {
        SCOPED_TRACE(answer);
        const int count = Fields().GetCount();
        DialogDriver<CgudFieldDetails> driver([&](CgudFieldDetails& dialog) {
            EXPECT_FALSE(dialog.m_channelCtrl->IsEnabled());
            static_cast<wxTextCtrl*>(dialog.FindWindow(ID_FIELD_DETAILS_NAME))->SetValue("Added");
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        CdocFieldKey key;
        EXPECT_EQ(Doc().m_data.NewManualField(&key), answer == wxID_OK);
        ASSERT_TRUE(driver.m_done);
        ASSERT_EQ(Fields().GetCount(), answer == wxID_OK ? count + 1 : count);
        if (answer == wxID_OK) {
            EXPECT_EQ(At(count)->m_name, "Added");
        }
    }
}

// With the simulated logger: the sensor channels of a ready document.
class LiveChannels : public qvtest::CappTest
{
protected:
    void SetUp() override
    {
        ::setenv("QUORVANTI_SIMULATE", "1", 1);
        CappTest::SetUp();
        ASSERT_TRUE(qvtest::PumpUntil([this] {
            CgumDoc* doc = m_app->GetCurrentDocument();
            CdocFieldKey sensor;
            return doc && doc->m_doc.m_boxInfo.m_info.m_hardware == BOX_TYPE_SIMULATED &&
                   doc->m_doc.m_data.m_fields.GetSensor(sensor, 0);
        }));
    }

    void TearDown() override
    {
        CappTest::TearDown();
        ::unsetenv("QUORVANTI_SIMULATE");
    }
};

TEST_F(LiveChannels, DeleteAlwaysAsksAndSwitchesAWorkingSensorsInputOff)
{
    CgumDoc* doc = m_app->GetCurrentDocument();
    CdocFieldV& fields = doc->m_doc.m_data.m_fields;
    CdocFieldKey sensor;
    ASSERT_TRUE(fields.GetSensor(sensor, 0));
    CdocField* field = fields.Find(sensor);
    ASSERT_NE(field, nullptr);
    const int socket = field->m_socket;
    const int key = field->m_key;
    ASSERT_TRUE(doc->m_doc.m_boxInfo.m_sensors[socket].m_enable);

    // Cancelled from a pop-up: asked all the same, nothing deleted.
    for (int answer : {wxID_CANCEL, wxID_OK}) {
        SCOPED_TRACE(answer);
        doc->m_popupChannel = CdocFieldKey(key, -1, nullptr);
        CdocField* preselected = nullptr;
        DialogDriver<CgudChannel> driver([&](CgudChannel& dialog) {
            EXPECT_EQ(dialog.GetTitle(), "Delete Channel");
            preselected = dialog.m_list->GetSelectedChannel();
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        doc->DeleteChannel();
        doc->m_popupChannel.Clear();
        ASSERT_TRUE(driver.m_done);
        CdocFieldKey again(key, -1, nullptr);
        ASSERT_NE(preselected, nullptr);
        EXPECT_EQ(preselected->m_key, key);
        EXPECT_EQ(fields.Find(again) != nullptr, answer == wxID_CANCEL);
    }
    CxutBoxPublicInfo published;
    ASSERT_TRUE(qvtest::PumpUntil([&] {
        xhwGetBoxes()->GetPublicInfo(published);
        return !published.m_sensors[socket].m_enable;
    }));
}

} // namespace
