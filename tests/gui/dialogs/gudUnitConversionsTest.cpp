// The unit conversions dialog and its conversion picker: the conversions
// offered, the formula, the fields and the checks of OK.
#include "app/gumApp.h"
#include "dialogs/gucConversion.h"
#include "dialogs/gudUnitConversions.h"
#include "gui/document/docCommandFixture.h"
#include "hardware/xhwSenFile.h"
#include "views/gucChannel.h"

#include <wx/checkbox.h>
#include <wx/textctrl.h>

namespace {

using qvtest::DialogDriver;

class UnitConversions : public qvtest::DocCommandTest
{
protected:
    UnitConversions()
    {
        // The application's string table is the current one: the formula
        // names the gain and the offset from it.
        wxGetApp().m_res.LoadStrings();
        CxhwSenFile& database = *xhwGetSenFile();
        const struct
        {
            const char* from;
            const char* to;
            float factor;
            float offset;
        } rows[] = {{"'C", "'F", 1.8f, 32.0f}, {"cm", "mm", 10.0f, 0.0f}, {"cm", "m", 0.01f, 0.0f}};
        int n = 0;
        for (const auto& row : rows) {
            CxhwSenConvert& conversion = database.m_conversions[size_t(n++)];
            conversion.m_fromUnits = row.from;
            conversion.m_toUnits = row.to;
            conversion.m_factor = row.factor;
            conversion.m_offset = row.offset;
            conversion.m_description = wxString(row.from) + " to " + row.to;
        }
        database.m_conversionCount = n;
        Make("TM"); // the manual channel is in cm
        m_dialog = std::make_unique<CgudUnitConversions>(nullptr, ID_UNIT_CONVERSIONS_DIALOG, "Unit Conversions");
        m_dialog->m_channelCtrl->AddChannels(&Doc());
        m_dialog->SetChannel(At(1));
        m_dialog->SelectConversion(nullptr);
        m_dialog->TransferDataToWindow();
    }

    ~UnitConversions() override { m_dialog.reset(); }

    std::vector<wxString> Offered() const
    {
        std::vector<wxString> items;
        for (unsigned i = 0; i < m_dialog->m_conversionCtrl->GetCount(); ++i)
            items.push_back(m_dialog->m_conversionCtrl->GetString(i));
        return items;
    }

    void ShowAll(bool on)
    {
        auto* box = static_cast<wxCheckBox*>(m_dialog->FindWindow(ID_UNIT_CONVERSIONS_SHOW_ALL));
        box->SetValue(on);
        wxCommandEvent toggled(wxEVT_CHECKBOX, ID_UNIT_CONVERSIONS_SHOW_ALL);
        toggled.SetEventObject(box);
        toggled.SetInt(on);
        m_dialog->GetEventHandler()->ProcessEvent(toggled);
    }

    void Pick(int item)
    {
        m_dialog->m_conversionCtrl->SetSelection(item);
        wxCommandEvent picked(wxEVT_COMBOBOX, ID_UNIT_CONVERSIONS_CONVERSION);
        picked.SetEventObject(m_dialog->m_conversionCtrl);
        m_dialog->GetEventHandler()->ProcessEvent(picked);
    }

    wxString Gain() const { return m_dialog->m_gainCtrl->GetValue(); }
    wxString Offset() const { return m_dialog->m_offsetCtrl->GetValue(); }

    std::unique_ptr<CgudUnitConversions> m_dialog;
};

TEST_F(UnitConversions, OffersTheConversionsFromTheChannelsUnitsOrAll)
{
    using Items = std::vector<wxString>;
    EXPECT_EQ(Offered(), (Items{"None", "cm to mm", "cm to m"}));
    const wxString none = "cm = cm x gain + offset";
    EXPECT_EQ(m_dialog->m_formula, none);
    EXPECT_EQ(Gain(), "1");
    EXPECT_EQ(Offset(), "0");

    Pick(2);
    EXPECT_EQ(m_dialog->m_formula, "m = cm x gain + offset");
    EXPECT_EQ(Gain(), "0.01");

    // Show all lists the database in its order; the choice survives while offered.
    ShowAll(true);
    EXPECT_EQ(Offered(), (Items{"None", "'C to 'F", "cm to mm", "cm to m"}));
    EXPECT_EQ(m_dialog->m_conversionCtrl->GetSelection(), 3);
    Pick(1);
    EXPECT_EQ(Gain(), "1.8");
    EXPECT_EQ(Offset(), "32");
    ShowAll(false);
    EXPECT_EQ(Offered(), (Items{"None", "cm to mm", "cm to m"}));
    EXPECT_EQ(m_dialog->m_conversionCtrl->GetSelectedConversion(), nullptr);
    EXPECT_EQ(m_dialog->m_formula, none);
    EXPECT_EQ(Gain(), "1");
    EXPECT_EQ(Offset(), "0");
}

// A refill refits the dialog to the widest conversion, which shows whole.
TEST_F(UnitConversions, TheDialogWidensToTheLongestConversion)
{
    const wxString longest = "'C (degrees Celsius) to 'F (degrees Fahrenheit)";
    xhwGetSenFile()->m_conversions[0].m_description = longest;
    ShowAll(true);
    Pick(1);
    CgucConversion* picker = m_dialog->m_conversionCtrl;
    EXPECT_GT(picker->GetBestSize().x, picker->GetTextExtent(longest).x);
    EXPECT_GE(picker->GetSize().x, picker->GetBestSize().x);
}

TEST_F(UnitConversions, ToggleReplacesATypedGain)
{
    Pick(1);
    m_dialog->m_gainCtrl->SetValue("7");
    ShowAll(true);
    EXPECT_EQ(Gain(), "10");
}

TEST_F(UnitConversions, OkChecksGainAndOffset)
{
    struct Case
    {
        const char* gain;
        const char* offset;
        const char* message; // none: accepted
    };
    const Case cases[] = {
        {"", "", "Gain in not valid"},
        {"2", "+", "Offset is not valid"},
        {"0", "1", "Gain cannot be zero"},
        {"-0", "1", "Gain cannot be zero"},
        {"1e-50", "1", "Gain cannot be zero"}, // 0 in single precision
        {"-2.5", "0.5", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gain);
        m_boxes.m_calls.clear();
        m_dialog->m_gain = c.gain;
        m_dialog->m_offset = c.offset;
        float gain = 0.0f;
        float offset = 0.0f;
        EXPECT_EQ(m_dialog->GetGainOffset(gain, offset), c.message == nullptr);
        if (c.message) {
            ASSERT_EQ(m_boxes.m_calls.size(), 1u);
            EXPECT_EQ(m_boxes.m_calls[0].text, c.message);
        } else {
            EXPECT_TRUE(m_boxes.m_calls.empty());
            EXPECT_EQ(gain, -2.5f);
            EXPECT_EQ(offset, 0.5f);
        }
    }
}

// Through the command: the conversion's factor and offset, overwritten by
// the user, with its to-units; Cancel leaves the channel.
TEST_F(UnitConversions, TheCommandConvertsOnOkOnly)
{
    const float before = At(1)->m_samples[2];
    for (int answer : {wxID_CANCEL, wxID_OK}) {
        SCOPED_TRACE(answer);
        DialogDriver<CgudUnitConversions> driver([&](CgudUnitConversions& dialog) {
            EXPECT_TRUE(dialog.m_channelCtrl->IsEnabled());
            dialog.m_conversionCtrl->SetSelection(1);
            wxCommandEvent picked(wxEVT_COMBOBOX, ID_UNIT_CONVERSIONS_CONVERSION);
            picked.SetEventObject(dialog.m_conversionCtrl);
            dialog.GetEventHandler()->ProcessEvent(picked);
            EXPECT_EQ(dialog.m_gainCtrl->GetValue(), "10");
            dialog.m_offsetCtrl->SetValue("-1");
            qvtest::SaveScreenshot(&dialog, "UnitConversions");
            if (answer == wxID_OK)
                Press(dialog, wxID_OK);
            else
                dialog.EndModal(wxID_CANCEL);
        });
        m_gumDoc->ConvertChannelUnits();
        ASSERT_TRUE(driver.m_done);
        EXPECT_EQ(At(1)->m_samples[2], answer == wxID_OK ? before * 10.0f - 1.0f : before);
        EXPECT_EQ(At(1)->m_unit, answer == wxID_OK ? "mm" : "cm");
        EXPECT_EQ(At(1)->m_name, "Manual2");
    }
    EXPECT_TRUE(m_boxes.m_calls.empty());
}

} // namespace
