// The channel pickers: the drop-down of the dialogs and the graph's pop-up,
// which list the same channels under the same titles.
#include "app/base/gumIds.h"
#include "app/gumApp.h"
#include "app/gumWindowHelpers.h"
#include "data/dataTestSupport.h"
#include "support/guiSupport.h"
#include "views/gpmChannel.h"
#include "views/gucChannel.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/timer.h>

namespace {

class ChannelPickers : public testing::Test
{
protected:
    ChannelPickers()
    {
        qvtest::CreateApp();
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
    }

    void TearDown() override
    {
        gumSetPopupMenuHook(nullptr);
        if (m_frame)
            m_frame->Destroy();
        qvtest::Pump(50);
    }

    // Channels by letter: R reading number, T elapsed time, S a sensor on,
    // O a sensor switched off, E a sensor input without sensor, M manual.
    void Make(const std::string& letters)
    {
        CdocFieldV& fields = m_doc.m_data.m_fields;
        int manual = 0;
        for (char c : letters) {
            CdocField& field = *fields.GetAt(fields.Add(1));
            switch (c) {
            case 'R': field.InitReading(100.0f, 100.0f, 100.0f); break;
            case 'T': field.InitElapsedTime(); break;
            case 'S': field.InitSensor(0, qvtest::MakeSensor(10, 1)); break;
            case 'O':
                field.InitSensor(1, qvtest::MakeSensor(11, 1));
                field.m_fieldEnable = false;
                break;
            case 'E': field.InitSensorNone(); break;
            default:
                field.InitManual();
                field.m_name = wxString::Format("Manual%d", ++manual);
                field.m_unit = "cm";
                break;
            }
            field.m_name = field.m_name.empty() ? wxString(c) : field.m_name;
            m_fields.push_back(&field);
        }
    }

    wxFrame* Frame()
    {
        if (!m_frame) {
            m_frame = new wxFrame(nullptr, wxID_ANY, "pickers", wxDefaultPosition, wxSize(400, 300));
            m_frame->Show();
        }
        return m_frame;
    }

    // The names of the pop-up's items, "-" for separators, a "*" after a ticked one.
    static std::string Items(const wxMenu& menu)
    {
        std::string out;
        for (const wxMenuItem* item : menu.GetMenuItems()) {
            if (!out.empty())
                out += "|";
            out += item->IsSeparator() ? std::string("-") : item->GetItemLabelText().ToStdString();
            if (item->IsCheckable() && item->IsChecked())
                out += "*";
        }
        return out;
    }

    CgumResCore m_res;
    CappOptions m_options;
    qvtest::CtestDocOwner m_owner;
    CdocDoc m_doc;
    std::vector<CdocField*> m_fields;
    wxFrame* m_frame = nullptr;
};

} // namespace

TEST_F(ChannelPickers, BothListTheChannelsTheFlagsAdmit)
{
    Make("RTSOEM");
    // The title is the letter, counted over the channels other than the two
    // index channels, then name and units.
    EXPECT_EQ(gucChannelTitle(m_doc, *m_fields[2]), m_fields[2]->GetTitle(0));
    EXPECT_EQ(gucChannelTitle(m_doc, *m_fields[5]), m_fields[5]->GetTitle(3));

    struct Case
    {
        bool index;
        bool allSensors;
        std::vector<int> listed;
    };
    const Case cases[] = {
        {true, true, {0, 1, 2, 3, 4, 5}},
        {false, true, {2, 3, 4, 5}},
        {true, false, {0, 1, 2, 5}},
        {false, false, {2, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "index " << c.index << ", all sensors " << c.allSensors);
        auto* combo = new CgucChannel(Frame(), wxID_ANY);
        combo->m_includeIndex = c.index;
        combo->m_includeAllSensors = c.allSensors;
        combo->AddChannels(&m_doc);
        CgpmChannel menu;
        menu.BuildItems(&m_doc, nullptr, false, false, c.index, c.allSensors);
        ASSERT_EQ(combo->GetCount(), c.listed.size());
        ASSERT_EQ(menu.GetMenuItemCount(), c.listed.size());
        for (size_t i = 0; i < c.listed.size(); ++i) {
            CdocField* field = m_fields[size_t(c.listed[i])];
            EXPECT_EQ(combo->GetString(unsigned(i)), gucChannelTitle(m_doc, *field));
            EXPECT_EQ(menu.FindItemByPosition(i)->GetItemLabelText(), gucChannelTitle(m_doc, *field));
            EXPECT_EQ(menu.FindItemByPosition(i)->GetId(), ID_PICK_CHANNEL_FIRST + int(i));
            EXPECT_EQ(combo->SelectChannel(field), int(i));
            EXPECT_EQ(combo->GetSelectedChannel(), field);
        }
        combo->Destroy();
    }
    EXPECT_EQ(m_fields[3]->GetTitle(1), gucChannelTitle(m_doc, *m_fields[3]));
}

TEST_F(ChannelPickers, ComboSelectionWithItemsOfTheCallersOwn)
{
    Make("SM");
    const wxString choose = "Choose a channel";
    auto* combo = new CgucChannel(Frame(), wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxArrayString(1, &choose));
    // Nothing selected yet: no channel; a plain item is no channel either.
    EXPECT_EQ(combo->GetSelectedChannel(), nullptr);
    EXPECT_EQ(combo->SelectChannel(m_fields[0]), -1);
    combo->AddChannels(&m_doc);
    ASSERT_EQ(combo->GetCount(), 3u);
    EXPECT_EQ(combo->GetString(0), "Choose a channel");
    EXPECT_EQ(combo->SelectChannel(m_fields[1]), 2);
    // None selects the first item without a channel.
    EXPECT_EQ(combo->SelectChannel(nullptr), 0);
    EXPECT_EQ(combo->GetSelection(), 0);
    EXPECT_EQ(combo->GetSelectedChannel(), nullptr);
    // A channel it does not hold leaves the selection alone.
    CdocField stranger;
    combo->SetSelection(1);
    EXPECT_EQ(combo->SelectChannel(&stranger), -1);
    EXPECT_EQ(combo->GetSelection(), 1);
    // Items appended again keep the earlier ones.
    combo->AddChannels(&m_doc);
    EXPECT_EQ(combo->GetCount(), 5u);
    EXPECT_EQ(combo->SelectChannel(m_fields[0]), 1);
}

TEST_F(ChannelPickers, PopUpWithTwentyChannelsChoosesEachByItsId)
{
    Make(std::string(20, 'M'));
    for (int n = 0; n < 20; ++n) {
        CgpmChannel menu;
        wxWindow* poppedOn = nullptr;
        gumSetPopupMenuHook([&](wxWindow* window, wxMenu& shown) {
            poppedOn = window;
            EXPECT_EQ(&shown, &menu);
            return ID_PICK_CHANNEL_FIRST + n;
        });
        ASSERT_TRUE(menu.ShowPopup(Frame(), &m_doc, nullptr, true, false, true, true));
        EXPECT_EQ(poppedOn, Frame());
        EXPECT_EQ(menu.GetChosenChannel(), m_fields[size_t(n)]) << n;
        EXPECT_EQ(menu.m_chosenKey.m_key, m_fields[size_t(n)]->m_key);
        if (n == 19) {
            EXPECT_EQ(menu.FindItemByPosition(19)->GetId(), ID_PICK_CHANNEL_LAST);
        }
    }
}

TEST_F(ChannelPickers, PopUpNoneTimeAndDateAndNoChoice)
{
    Make("RTSM");
    CdocField* manual = m_fields[3];
    struct Case
    {
        bool none;
        bool timeAndDate;
        CdocField* current;
        std::string items;
    };
    const std::string r = gucChannelTitle(m_doc, *m_fields[0]).ToStdString();
    const std::string t = gucChannelTitle(m_doc, *m_fields[1]).ToStdString();
    const std::string s = gucChannelTitle(m_doc, *m_fields[2]).ToStdString();
    const std::string m = gucChannelTitle(m_doc, *manual).ToStdString();
    const Case cases[] = {
        // The x axis: no "None"; no current channel ticks "Time and Date".
        {false, true, nullptr, r + "|" + t + "|" + s + "|" + m + "|-|Time and Date*"},
        {false, true, m_fields[1], r + "|" + t + "*|" + s + "|" + m + "|-|Time and Date"},
        // A y axis: "None" ticked when there is no channel.
        {true, false, nullptr, r + "|" + t + "|" + s + "|" + m + "|-|None*"},
        {true, false, manual, r + "|" + t + "|" + s + "|" + m + "*|-|None"},
    };
    for (const Case& c : cases) {
        CgpmChannel menu;
        std::string shown;
        gumSetPopupMenuHook([&](wxWindow*, wxMenu& popped) {
            shown = Items(popped);
            return ID_PICK_NONE;
        });
        EXPECT_TRUE(menu.ShowPopup(Frame(), &m_doc, c.current, c.none, c.timeAndDate, true, true));
        EXPECT_EQ(shown, c.items);
        EXPECT_TRUE(menu.m_chosen);
        EXPECT_EQ(menu.GetChosenChannel(), nullptr);
        EXPECT_TRUE(menu.m_chosenKey.IsEmpty());
    }

    // Closed without a choice; the main frame stands in for a missing window.
    CgpmChannel menu;
    gumSetPopupMenuHook([](wxWindow*, wxMenu&) { return int(wxID_NONE); });
    EXPECT_FALSE(menu.ShowPopup(nullptr, &m_doc, manual, true, false, true, true));
    EXPECT_EQ(menu.GetChosenChannel(), nullptr);
}

TEST_F(ChannelPickers, ComboDrawsEachChannelInItsColour)
{
    Make("SM");
    m_fields[0]->m_colour = CdocColour(0, 160, 0);
    m_fields[0]->m_name = "WWWWWWWW";
    m_fields[1]->m_colour = CdocColour(); // never chosen: black
    m_fields[1]->m_name = "WWWWWWWW";
    // Read-only, as the dialogs make it, on a panel of its own.
    auto* panel = new wxPanel(Frame(), wxID_ANY);
    auto* combo = new CgucChannel(panel, wxID_ANY, wxEmptyString, wxPoint(10, 10), wxSize(300, -1),
                                  wxArrayString(), wxCB_READONLY);
    combo->AddChannels(&m_doc);
    combo->Append("Choose a channel");
    // Every item is one text line high.
    EXPECT_EQ(combo->OnMeasureItem(0), combo->GetCharHeight());
    EXPECT_EQ(combo->OnMeasureItemWidth(0), -1);

    // The text colours of an item drawn as the list draws it.
    auto textColours = [&](int item, int flags) {
        const int height = combo->GetCharHeight();
        wxBitmap bitmap(300, height, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            dc.SetFont(combo->GetFont());
            const wxRect rect(0, 0, 300, height);
            combo->OnDrawBackground(dc, rect, item, flags);
            combo->OnDrawItem(dc, rect, item, flags);
        }
        std::map<std::string, int> counts;
        const wxImage image = bitmap.ConvertToImage();
        const wxColour back = *wxWHITE;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x) {
                const wxColour c(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
                if (c == back)
                    continue;
                ++counts[c.GetAsString(wxC2S_HTML_SYNTAX).ToStdString()];
            }
        return counts;
    };
    const auto green = textColours(0, 0);
    EXPECT_GT(green.count("#00A000"), 0u);
    EXPECT_EQ(green.count("#000000"), 0u);
    const auto black = textColours(1, 0);
    EXPECT_GT(black.count("#000000"), 0u);
    EXPECT_EQ(black.count("#00A000"), 0u);

    // The list as it drops down, for a look, once the frame is on screen.
    EXPECT_TRUE(qvtest::PumpUntil([&] { return combo->IsShownOnScreen(); }));
    qvtest::Pump(100);
    combo->SetSelection(0);
    combo->Popup();
    ASSERT_TRUE(qvtest::PumpUntil([&] { return combo->IsPopupShown(); }));
    wxWindow* list = combo->GetPopupWindow();
    ASSERT_NE(list, nullptr);
    // The list is one text line taller than its items need (within the screen).
    EXPECT_GE(list->GetSize().y, 3 * combo->GetCharHeight() + combo->GetCharHeight());
    // The screen under the frame shows the dropped-down list as well.
    EXPECT_FALSE(qvtest::SaveScreenshot(Frame(), "channel-combo").empty());
    combo->Dismiss();
}

TEST_F(ChannelPickers, PopUpShownOnTheScreen)
{
    Make("RTSOM");
    m_fields[2]->m_colour = CdocColour(0, 160, 0);
    // The toolkit's own pop-up, looked at while it is up, then closed as a
    // press of Escape would.
    using Popdown = void (*)(void*);
    auto popdown = reinterpret_cast<Popdown>(dlsym(RTLD_DEFAULT, "gtk_menu_popdown"));
    ASSERT_NE(popdown, nullptr);
    wxFrame* frame = Frame();
    ASSERT_TRUE(qvtest::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    qvtest::Pump(100);
    frame->WarpPointer(40, 40);
    CgpmChannel menu;
    std::string shot;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        shot = qvtest::SaveScreenshot(frame, "channel-popup");
        popdown(menu.m_menu);
    });
    // A loaded display may refuse the menu's grab, so that it returns at
    // once without showing: it is tried again.
    for (int attempt = 0; attempt < 5 && shot.empty(); ++attempt) {
        timer.StartOnce(500);
        EXPECT_FALSE(menu.ShowPopup(frame, &m_doc, nullptr, false, true, true, false));
        timer.Stop();
        if (shot.empty())
            qvtest::Pump(200);
    }
    EXPECT_FALSE(shot.empty());
    EXPECT_FALSE(menu.m_chosen);
}
