// The channel pop-up menus the document builds for the views, read through
// the pop-up seam.
#include "app/base/gumIds.h"
#include "app/gumWindowHelpers.h"
#include "hardware/xhwSenFile.h"
#include "gui/document/docCommandsTest.h"

#include <gtest/gtest.h>
#include <string>
#include <wx/menu.h>

namespace {

class DocMenus : public qvtest::CdocCommandsTest
{
protected:
    DocMenus()
    {
        SimulatedLogger();
        gumSetPopupMenuHook([this](wxWindow*, wxMenu& menu) {
            ++m_shown;
            m_items = Items(menu);
            m_popupDuring = m_doc->m_popupChannel;
            m_smoothDuring = Update(ID_CHANNEL_SMOOTH).first;
            return wxID_NONE;
        });
    }

    ~DocMenus() override { gumSetPopupMenuHook(nullptr); }

    // The items' labels, "-" for separators.
    static std::string Items(const wxMenu& menu)
    {
        std::string out;
        for (const wxMenuItem* item : menu.GetMenuItems()) {
            if (!out.empty())
                out += "|";
            out += item->IsSeparator() ? std::string("-") : item->GetItemLabelText().ToStdString();
        }
        return out;
    }

    CdocFieldKey Key(CdocField& field) { return CdocFieldKey(field.m_key, Fields().IndexOf(&field), &field); }

    int m_shown = 0;
    std::string m_items;
    CdocFieldKey m_popupDuring;
    char m_smoothDuring = '?';
};

const char kDataItemsReady[] = "Edit Details...|Unit Conversions...|Custom Scale...|Invert Values|Calibrate...|-|"
                               "Add Channel...|Calculate...|-|Delete Channel...";

} // namespace

// A working sensor: the input switch, then the channel items governed by
// its calibration's dialogs (no Tare, but Calibrate for a pH-capable one).
TEST_F(DocMenus, ChannelMenuOfAWorkingSensor)
{
    Add('T');
    CdocField& sensor = Add('S');
    const CdocFieldKey key = Key(sensor);
    m_doc->ShowChannelMenu(nullptr, key);
    ASSERT_EQ(m_shown, 1);
    EXPECT_EQ(m_items, std::string("Disable|-|") + kDataItemsReady);
    EXPECT_EQ(m_popupDuring.m_key, key.m_key);
    EXPECT_TRUE(m_doc->m_popupChannel.IsEmpty());
}

TEST_F(DocMenus, ChannelMenuOfASwitchedOffInputOffersOnlyEnable)
{
    Add('T');
    m_doc->ShowChannelMenu(nullptr, Key(Add('O')));
    ASSERT_EQ(m_shown, 1);
    EXPECT_EQ(m_items, "Enable");
}

TEST_F(DocMenus, AnInputWithoutSensorShowsNothing)
{
    CdocField& none = *Fields().GetAt(Fields().Add(1));
    none.InitSensorNone();
    m_doc->ShowChannelMenu(nullptr, Key(none));
    m_doc->ShowChannelMenu(nullptr, CdocFieldKey());
    EXPECT_EQ(m_shown, 0);
}

// A manual channel gets the operations menu; while it is shown the commands
// act on it, also where the default channel would be another.
TEST_F(DocMenus, ManualAndTimeChannelsGetTheOperationsMenu)
{
    Add('T');
    CdocField& manual = Add('M');
    Records(2);
    Doc().SetState(DOC_STATE_STOPPED);
    m_doc->ShowChannelMenu(nullptr, Key(manual));
    ASSERT_EQ(m_shown, 1);
    EXPECT_EQ(m_items, "Edit Details...|Smooth...|Tare to...|Unit Conversions...|Custom Scale...|Invert Values|-|"
                       "Add Channel...|Duplicate Channel|Function Plot...|Calculate...|-|Delete Channel...");
    EXPECT_EQ(m_smoothDuring, 'E');

    // On the elapsed-time channel Smooth is disabled: no other channel is tried.
    m_doc->ShowChannelOpsMenu(nullptr, Key(*Fields().GetAt(0)));
    ASSERT_EQ(m_shown, 2);
    EXPECT_EQ(m_smoothDuring, '.');
    EXPECT_EQ(Update(ID_CHANNEL_SMOOTH).first, 'E');
}

// The sensor database marks only the pH electrode for the pH calibration:
// the pop-up offers Calibrate and the command is enabled for it alone.
TEST_F(DocMenus, CalibrateIsOfferedForThePhSensorOnly)
{
    CxhwSenFile db;
    ASSERT_TRUE(db.Load());
    const struct
    {
        int ident;
        bool offered;
    } cases[] = {{11, true}, {1, false}, {5, false}, {26, false}, {255, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ident);
        Doc().m_data.RemoveAllFields();
        CxhwSensor& sensor = Doc().m_boxInfo.m_sensors[0];
        sensor.m_idCode = c.ident;
        sensor.m_idType = 1;
        ASSERT_TRUE(db.AssignSensor(sensor));
        Add('T');
        const CdocFieldKey key = Key(Add('S'));
        m_items.clear();
        m_doc->ShowChannelMenu(nullptr, key);
        EXPECT_EQ(m_items.find("Calibrate...") != std::string::npos, c.offered) << m_items;
        m_doc->m_popupChannel = key;
        EXPECT_EQ(Update(ID_CALIBRATE).first, c.offered ? 'E' : '.');
        m_doc->m_popupChannel.Clear();
    }
}

// Below the channel operations' level a working sensor still offers its
// switch, and the operations menu shows nothing.
TEST_F(DocMenus, BelowTheChannelMenuLevel)
{
    m_options.SetUserLevel(1);
    Add('T');
    m_doc->ShowChannelMenu(nullptr, Key(Add('S')));
    ASSERT_EQ(m_shown, 1);
    EXPECT_EQ(m_items, "Disable");
    m_doc->ShowChannelMenu(nullptr, Key(Add('M')));
    m_doc->ShowChannelOpsMenu(nullptr, Key(*Fields().GetAt(0)));
    EXPECT_EQ(m_shown, 1);
}

TEST_F(DocMenus, GraphMenu)
{
    Doc().SetState(DOC_STATE_STOPPED);
    m_doc->ShowGraphMenu(nullptr);
    ASSERT_EQ(m_shown, 1);
    EXPECT_EQ(m_items.rfind("Font...|Annotate...|-|Auto Zoom|Default Zoom|", 0), 0u) << m_items;
    m_options.SetUserLevel(1);
    m_doc->ShowGraphMenu(nullptr);
    EXPECT_EQ(m_shown, 1);
}
