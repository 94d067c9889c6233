// The system download form: registered by name, with its texts and gauge.
#include "dialogs/gudSystem.h"
#include "support/guiSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/gauge.h>
#include <wx/stattext.h>

TEST(SystemForm, IsCreatedByNameAndShowsItsTexts)
{
    qvtest::CreateApp();
    std::unique_ptr<wxObject> bare(wxCreateDynamicObject("CgudSystem"));
    EXPECT_NE(dynamic_cast<CgudSystem*>(bare.get()), nullptr);

    auto* form = new CgudSystem(nullptr, wxID_ANY, "System");
    auto text = [form](int id) { return static_cast<wxStaticText*>(form->FindWindow(id))->GetLabel(); };
    EXPECT_EQ(text(ID_SYSTEM_STATUS1), "Static text");
    EXPECT_EQ(text(ID_SYSTEM_STATUS2), "Static text");
    EXPECT_EQ(text(ID_SYSTEM_PROMPT), "Click Download to continue");
    auto* gauge = static_cast<wxGauge*>(form->FindWindow(ID_SYSTEM_GAUGE));
    EXPECT_EQ(gauge->GetRange(), 100);
    EXPECT_EQ(gauge->GetValue(), 1);
    EXPECT_EQ(form->FindWindow(wxID_OK)->GetLabel(), "&Download");
    form->Show();
    EXPECT_FALSE(qvtest::SaveScreenshot(form, "system-form").empty());
    form->Destroy();
    qvtest::Pump(50);
}
