// The meter renderer: its layout, header, status screens, channel boxes and
// hit areas, drawn into an image.
#include "app/gumApp.h"
#include "document/docDoc.h"
#include "gui/views/testImageDC.h"
#include "gui/views/testMeterDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/guiSupport.h"
#include "views/grnMeter.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <wx/image.h>

namespace {

const wxColour BAND(213, 255, 255);
const wxColour RED(255, 0, 0);
const wxColour BLUE(0, 0, 200);
const wxColour GREEN(0, 150, 0);
const wxColour PURPLE(150, 0, 150);
const wxColour BROWN(140, 90, 20);
// The stock medium grey pen.
const wxColour FRAME_GREY(100, 100, 100);

constexpr int ICON = 32;
constexpr int ARROW_WIDTH = (2 * ICON) / 3;

class MeterRenderer : public testing::Test, protected qvtest::CtestPixels
{
protected:
    void SetUp() override
    {
        CgumApp& app = qvtest::CreateApp();
        // The built-in pictures are PNG images.
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        ASSERT_TRUE(app.m_res.Load());
        NewDoc();
    }

    void NewDoc()
    {
        m_doc = std::make_unique<CdocDoc>();
        qvtest::SetUpMeterDoc(*m_doc);
    }

    CdocField& AddSensor(int input, const wxColour& colour, float value, const char* name = "Temperature")
    {
        return qvtest::AddMeterSensor(*m_doc, input, colour, value, name);
    }
    CdocField& AddExtra(bool formula, const wxColour& colour, float value)
    {
        return qvtest::AddMeterExtra(*m_doc, formula, colour, value);
    }

    wxImage Render(CgrnMeter& meter, const wxSize& size, bool drawn = true)
    {
        wxImage image = qvtest::MakeWhiteImage(size.x, size.y);
        {
            qvtest::CtestImageDC dc(image, 96);
            EXPECT_EQ(meter.Draw(dc, wxRect(wxPoint(0, 0), size)), drawn);
        }
        return image;
    }

    static int CountNot(const wxImage& image, const wxColour& colour, const wxRect& area)
    {
        return area.width * area.height - Count(image, colour, area);
    }

    // The coloured rows inside the frame of box i's bar.
    static int BarRows(const wxImage& image, const CgrnMeter& m, int i, const wxColour& colour)
    {
        const int x = m.m_barLeft + i * m.m_boxWidth + m.m_barWidth / 2;
        return Count(image, colour, wxRect(x, m.m_scaleTop, 1, m.m_scaleBottom - m.m_scaleTop + 1));
    }

    static int BarHeight(const CgrnMeter& m) { return m.m_scaleBottom - m.m_scaleTop + 1; }

    // The button's outline of box i with a sensor icon or without.
    static wxRect Button(const CgrnMeter& m, int i, bool withSensor)
    {
        const int sw = withSensor ? ICON : 0;
        const int w = sw + ARROW_WIDTH + 6;
        const int h = 6 + ICON;
        return wxRect(m.m_barLeft + i * m.m_boxWidth + m.m_barWidth / 2 - w / 2, m.m_buttonBottom - (h - 6) - 3, w, h);
    }

    // The text rows of box i from the name line down.
    static wxRect Captions(const CgrnMeter& m, int i)
    {
        return wxRect(m.m_ix + i * m.m_boxWidth, m.m_nameLine, m.m_boxWidth, m.m_iy + m.m_ih - m.m_nameLine);
    }

    static wxRect ValueRow(const CgrnMeter& m, int i)
    {
        return wxRect(m.m_ix + i * m.m_boxWidth, m.m_valueLine, m.m_boxWidth, m.m_valueHeight);
    }

    int Hit(CgrnMeter& meter, int x, int y, CdocFieldKey* key = nullptr)
    {
        CgrnMeterHit hit;
        hit.m_x = x;
        hit.m_y = y;
        meter.HitTest(hit);
        if (key)
            *key = hit.m_key;
        return hit.m_area;
    }

    std::unique_ptr<CdocDoc> m_doc;
};

TEST_F(MeterRenderer, NothingWithoutADocument)
{
    CgrnMeter meter;
    const wxImage image = Render(meter, wxSize(300, 200), false);
    EXPECT_FALSE(meter.m_layoutValid);
    EXPECT_EQ(CountNot(image, *wxWHITE, wxRect(0, 0, 300, 200)), 0);
}

TEST_F(MeterRenderer, BoxesShareTheInnerWidth)
{
    struct Case
    {
        const char* name;
        int maxSensors;
        int manual;
        int formula;
        int innerWidth;
        int inputBoxes;
        int boxWidth;
        int barWidth;
    } cases[] = {
        {"three inputs", 3, 0, 0, 300, 3, 100, 16},
        {"no inputs reported", 0, 0, 0, 17, 1, 17, 3},
        {"width 18", 2, 1, 0, 54, 2, 18, 3},
        {"width 30 with a manual and a formula channel", 3, 1, 1, 150, 3, 30, 5},
        {"more inputs than sensor records", 8, 0, 0, 600, 6, 100, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_doc->m_data.RemoveAllFields();
        m_doc->m_boxInfo.m_info.m_maxSensors = c.maxSensors;
        for (int n = 0; n < c.manual; ++n)
            AddExtra(false, GREEN, 50.0f);
        for (int n = 0; n < c.formula; ++n)
            AddExtra(true, PURPLE, 50.0f);
        CgrnMeter meter;
        meter.SetDoc(m_doc.get());
        // A 96-ppi context: margins of 12 pixels.
        Render(meter, wxSize(c.innerWidth + 24, 420));
        ASSERT_TRUE(meter.m_layoutValid);
        EXPECT_EQ(meter.m_ix, 12);
        EXPECT_EQ(meter.m_iw, c.innerWidth);
        EXPECT_EQ(meter.m_inputBoxes, c.inputBoxes);
        EXPECT_EQ(meter.m_extraBoxes, c.manual + c.formula);
        EXPECT_EQ(meter.m_boxWidth, c.boxWidth);
        EXPECT_EQ(meter.m_barWidth, c.barWidth);
        EXPECT_EQ(meter.m_headerRight, meter.m_ix + c.inputBoxes * c.boxWidth);
        EXPECT_GE(meter.m_gap, 1);
        EXPECT_LT(meter.m_scaleTop, meter.m_scaleBottom);
    }
}

TEST_F(MeterRenderer, FontsFitTheirTexts)
{
    // No channel: "Temperature" and "000000" are fitted.
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    const wxSize size(24 + 3 * 60, 400);
    wxImage image = qvtest::MakeWhiteImage(size.x, size.y);
    qvtest::CtestImageDC dc(image, 96);
    meter.Layout(dc, wxRect(wxPoint(0, 0), size));
    ASSERT_TRUE(meter.m_layoutValid);
    dc.SetFont(meter.m_captionFont);
    EXPECT_LE(dc.GetTextExtent("Temperature").x, meter.m_boxWidth);
    EXPECT_EQ(meter.m_captionHeight, dc.GetCharHeight());
    dc.SetFont(meter.m_valueFont);
    EXPECT_LE(dc.GetTextExtent("000000").x, meter.m_boxWidth);
    EXPECT_EQ(meter.m_valueHeight, dc.GetCharHeight());
    EXPECT_TRUE(meter.m_captionFont.GetWeight() == wxFONTWEIGHT_BOLD);

    // A long channel name shrinks the captions to fit it.
    AddSensor(0, BLUE, 20.0f, "Relative humidity outside");
    meter.SetDoc(m_doc.get());
    meter.Layout(dc, wxRect(wxPoint(0, 0), size));
    dc.SetFont(meter.m_captionFont);
    EXPECT_LE(dc.GetTextExtent("Relative humidity outside").x, meter.m_boxWidth);
}

TEST_F(MeterRenderer, PowerIconsByLevel)
{
    const struct
    {
        int power;
        int icon;
    } cases[] = {{0, 0}, {12, 0}, {13, 1}, {24, 1}, {25, 2}, {88, 7}, {99, 7}, {100, 7},
                 {101, 8}, {102, 8}, {103, -1}, {-1, -1}, {500, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(CgrnMeter::GetPowerIcon(c.power), c.icon) << "power " << c.power;
}

TEST_F(MeterRenderer, StampHalvesAreTrimmedAndJoined)
{
    const struct
    {
        const char* stamp;
        const char* shown;
    } cases[] = {
        {"ABCDEFGHIJKLMNOP  XYZ  ", "ABCDEFGHIJKLMNOP XYZ"},
        {"  Lab 3 ", "Lab 3 "},
        {"", " "},
        {"Room 12         Bench 4", "Room 12 Bench 4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CgrnMeter::GetStampText(c.stamp), wxString(c.shown)) << "'" << c.stamp << "'";
}

TEST_F(MeterRenderer, StatusScreensByPrecedence)
{
    struct Case
    {
        const char* name;
        std::function<void(CdocDoc&)> set;
        bool header;
        bool boxes;
        bool redLabel;
    } cases[] = {
        {"waiting wins over everything",
         [](CdocDoc& d) {
             d.m_waitingForFind = true;
             d.m_boxInfo.m_info.m_hardware = BOX_TYPE_NONE;
             d.m_boxInfo.m_install.m_stage = 2;
         },
         false, false, false},
        {"no logger wins over the header",
         [](CdocDoc& d) {
             d.m_boxInfo.m_info.m_hardware = BOX_TYPE_NONE;
             d.m_boxInfo.m_info.m_loggerBusy = true;
         },
         false, false, false},
        {"installation wins over bootstrap",
         [](CdocDoc& d) {
             d.m_boxInfo.m_install.m_stage = 3;
             d.m_boxInfo.m_info.m_bootstrapFlag = true;
         },
         true, false, false},
        {"bootstrap wins over busy",
         [](CdocDoc& d) {
             d.m_boxInfo.m_info.m_bootstrapFlag = true;
             d.m_boxInfo.m_info.m_loggerBusy = true;
         },
         true, false, false},
        {"busy", [](CdocDoc& d) { d.m_boxInfo.m_info.m_loggerBusy = true; }, true, false, false},
        {"boxes", [](CdocDoc&) {}, true, true, false},
        {"no sensors",
         [](CdocDoc& d) {
             for (int i = 0; i < 6; ++i)
                 d.m_boxInfo.m_sensors[i].m_idCode = 0;
         },
         true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewDoc();
        AddSensor(0, BLUE, 50.0f);
        AddExtra(false, GREEN, 50.0f);
        c.set(*m_doc);
        CgrnMeter meter;
        meter.SetDoc(m_doc.get());
        const wxSize size(24 + 4 * 120, 480);
        const wxImage image = Render(meter, size);
        const wxRect all(0, 0, size.x, size.y);
        EXPECT_EQ(Count(image, BAND, all) > 0, c.header);
        EXPECT_EQ(Count(image, GREEN, all) > 0, c.boxes) << "the manual channel's box";
        EXPECT_EQ(Count(image, RED, all) > 0, c.redLabel);
        // Every screen says something.
        EXPECT_GT(Count(image, *wxBLACK, all), 0);
    }
}

TEST_F(MeterRenderer, WaitAndNoLoggerTextsStandAtTheTop)
{
    for (bool waiting : {true, false}) {
        NewDoc();
        m_doc->m_waitingForFind = waiting;
        m_doc->m_boxInfo.m_info.m_hardware = BOX_TYPE_NONE;
        CgrnMeter meter;
        meter.SetDoc(m_doc.get());
        const wxImage image = Render(meter, wxSize(600, 400));
        const int statusHeight = meter.m_pictureHeight;
        const int lines = waiting ? 1 : 2;
        const wxRect text(meter.m_ix, meter.m_headerLine1, 600 - meter.m_ix, lines * 2 * statusHeight);
        EXPECT_GT(Count(image, *wxBLACK, text), 0);
        EXPECT_EQ(CountNot(image, *wxWHITE, wxRect(0, 0, 600, 400)) - CountNot(image, *wxWHITE, text), 0)
            << "nothing but the text";
    }
}

TEST_F(MeterRenderer, InstallationProgressBar)
{
    m_doc->m_boxInfo.m_install.m_stage = 2;
    m_doc->m_boxInfo.m_install.m_progress = 0.5f;
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    const wxImage image = Render(meter, wxSize(24 + 3 * 150, 400));
    const int full = meter.m_headerRight - meter.m_ix - 2 * meter.m_gap;
    const int row = meter.m_buttonBottom - 1;
    EXPECT_EQ(Count(image, RED, wxRect(0, row, image.GetWidth(), 1)), int(0.5f * float(full)));
    EXPECT_EQ(At(image, meter.m_ix + meter.m_gap, row), RED);
    const int height = (3 * meter.m_pictureHeight) / 4;
    EXPECT_EQ(Count(image, RED, wxRect(meter.m_ix + meter.m_gap, 0, 1, image.GetHeight())), height);
}

TEST_F(MeterRenderer, OneBoxPerInputAndPerManualOrFormulaChannel)
{
    // Input 1 has no channel and stays an empty box.
    CdocField& first = AddSensor(0, BLUE, 75.0f);
    CdocField& third = AddSensor(2, BROWN, 150.0f);
    CdocField& manual = AddExtra(false, GREEN, -20.0f);
    CdocField& formula = AddExtra(true, PURPLE, DOC_NO_VALUE);
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    const wxImage image = Render(meter, wxSize(24 + 5 * 120, 480));
    ASSERT_EQ(meter.m_inputBoxes + meter.m_extraBoxes, 5);
    const int hb = BarHeight(meter);

    // Bars in the channels' colours: three quarters (truncated), full, empty,
    // empty for no value. The frame covers the outer rows.
    EXPECT_EQ(BarRows(image, meter, 0, BLUE), int(0.75f * float(hb)) - 1);
    EXPECT_EQ(BarRows(image, meter, 2, BROWN), hb - 2);
    EXPECT_EQ(BarRows(image, meter, 3, GREEN), 0);
    EXPECT_EQ(BarRows(image, meter, 4, PURPLE), 0);
    for (int i : {0, 2, 3, 4})
        EXPECT_EQ(At(image, meter.m_barLeft + i * meter.m_boxWidth, meter.m_scaleTop), FRAME_GREY) << "box " << i;
    EXPECT_EQ(CountNot(image, *wxWHITE,
                       wxRect(meter.m_ix + meter.m_boxWidth, meter.m_channelTop + 1, meter.m_boxWidth,
                              meter.m_iy + meter.m_ih - meter.m_channelTop - 1)),
              0)
        << "the input without a channel";

    // Names, units and values in the channels' colours; no value, no text.
    EXPECT_GT(Count(image, BLUE, ValueRow(meter, 0)), 0);
    EXPECT_GT(Count(image, BROWN, ValueRow(meter, 2)), 0);
    EXPECT_GT(Count(image, GREEN, ValueRow(meter, 3)), 0);
    EXPECT_EQ(Count(image, PURPLE, ValueRow(meter, 4)), 0);
    EXPECT_GT(Count(image, PURPLE, Captions(meter, 4)), 0);

    // The band covers the input boxes only.
    EXPECT_EQ(At(image, meter.m_headerRight - 1, meter.m_iy + 1), BAND);
    EXPECT_EQ(At(image, meter.m_headerRight + 2, meter.m_iy + 1), *wxWHITE);

    // Buttons: with the sensor icon over an input, the arrow alone over the
    // extra boxes; normal look, white at the top.
    for (int i : {0, 2, 3}) {
        const wxRect b = Button(meter, i, i < 3);
        EXPECT_NEAR(image.GetRed(b.x + b.width / 2, b.y + 1), 255, 4) << "box " << i;
        EXPECT_EQ(At(image, b.x + 4, b.y), FRAME_GREY) << "box " << i;
    }
    (void)first;
    (void)third;
    (void)manual;
    (void)formula;
}

TEST_F(MeterRenderer, APressedButtonLooksPressed)
{
    CdocField& channel = AddSensor(0, BLUE, 50.0f);
    AddSensor(1, BROWN, 50.0f);
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    meter.m_pressedKey = CdocFieldKey(channel.m_key, -1, nullptr);
    const wxImage image = Render(meter, wxSize(24 + 3 * 120, 480));
    const wxRect pressed = Button(meter, 0, true);
    const wxRect normal = Button(meter, 1, true);
    EXPECT_EQ(At(image, pressed.x + 4, pressed.y), *wxBLACK);
    EXPECT_NEAR(image.GetRed(pressed.x + pressed.width / 2, pressed.y + 2), 240, 4);
    EXPECT_EQ(At(image, normal.x + 4, normal.y), FRAME_GREY);
    EXPECT_NEAR(image.GetRed(normal.x + normal.width / 2, normal.y + 2), 255, 4);
}

TEST_F(MeterRenderer, DisabledAndBareChannels)
{
    CdocField& disabled = AddSensor(0, BLUE, 80.0f);
    disabled.m_fieldEnable = false;
    CdocField& bare = AddSensor(1, BROWN, 80.0f);
    bare.m_fieldSensor = CxhwSensor();
    CdocField& manual = AddExtra(false, GREEN, 80.0f);
    manual.m_fieldEnable = false;
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    const wxImage image = Render(meter, wxSize(24 + 4 * 120, 480));
    const int fivePercent = int(0.05f * float(BarHeight(meter))) - 1;

    // Disabled input: 5 % bar, no scale, "Disabled" in black, no value.
    EXPECT_EQ(BarRows(image, meter, 0, BLUE), fivePercent);
    EXPECT_EQ(Count(image, BLUE, wxRect(meter.m_ix, meter.m_scaleTop, meter.m_barLeft - meter.m_ix,
                                        meter.m_scaleBottom - meter.m_scaleTop)),
              0);
    EXPECT_GT(Count(image, *wxBLACK, Captions(meter, 0)), 0);
    EXPECT_EQ(Count(image, BLUE, Captions(meter, 0)), 0);

    // A sensor channel without a sensor record: only its 5 % bar.
    EXPECT_EQ(BarRows(image, meter, 1, BROWN), fivePercent);
    EXPECT_EQ(CountNot(image, *wxWHITE, Captions(meter, 1)), 0);
    const wxRect button = Button(meter, 1, true);
    EXPECT_EQ(At(image, button.x + button.width / 2, button.y + 1), BAND) << "no button";

    // A disabled manual channel keeps its value.
    EXPECT_EQ(BarRows(image, meter, 3, GREEN), fivePercent);
    EXPECT_GT(Count(image, GREEN, ValueRow(meter, 3)), 0);
}

TEST_F(MeterRenderer, AnUnsetColourDrawsBlack)
{
    CdocField& channel = AddSensor(0, BLUE, 100.0f);
    channel.m_colour = CdocColour();
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    const wxImage image = Render(meter, wxSize(24 + 3 * 120, 480));
    EXPECT_EQ(BarRows(image, meter, 0, *wxBLACK), BarHeight(meter) - 2);
}

TEST_F(MeterRenderer, AnEmptyDefRangeLeavesTheBarEmpty)
{
    CdocField& channel = AddExtra(false, GREEN, 5.0f);
    channel.m_def.Set(5.0f, 5.0f);
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    const wxImage image = Render(meter, wxSize(24 + 4 * 120, 480));
    EXPECT_EQ(BarRows(image, meter, 3, GREEN), 0);
}

TEST_F(MeterRenderer, HitAreasFindTheChannelAndThePart)
{
    CdocField& sensor = AddSensor(0, BLUE, 50.0f);
    CdocField& manual = AddExtra(false, GREEN, 50.0f);
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    Render(meter, wxSize(24 + 4 * 150, 480));
    ASSERT_GT(meter.m_labelWidth, 0);
    const CgrnMeter& m = meter;
    const wxRect b0 = Button(m, 0, true);
    const wxRect b3 = Button(m, 3, false);
    const int bw = m.m_boxWidth;
    struct Case
    {
        const char* name;
        int x;
        int y;
        int area;
        const CdocField* channel;
    } cases[] = {
        {"sensor icon", b0.x + 5, m.m_buttonBottom - 5, METER_HIT_SENSOR, &sensor},
        {"drop-down arrow", b0.x + 3 + ICON + 5, m.m_buttonBottom - 5, METER_HIT_ARROW, &sensor},
        {"scale labels", m.m_scaleRight - 3, m.m_scaleTop + 20, METER_HIT_SCALE, &sensor},
        {"bar", m.m_barLeft + 1, m.m_scaleTop + 20, METER_HIT_BAR, &sensor},
        {"name row", m.m_ix + bw / 2, m.m_nameLine + 1, METER_HIT_CAPTION, &sensor},
        {"value row", m.m_ix + 2, m.m_valueLine + 2, METER_HIT_CAPTION, &sensor},
        {"strip above the scale", m.m_scaleRight - m.m_labelWidth, m.m_scaleTop - 1, METER_HIT_ABOVE, &sensor},
        {"right of the bar", m.m_barLeft + m.m_barWidth + 2, m.m_scaleTop + 20, METER_HIT_NONE, nullptr},
        {"input without a channel", m.m_barLeft + bw + 1, m.m_scaleTop + 20, METER_HIT_NONE, nullptr},
        {"extra box's arrow", b3.x + 5, m.m_buttonBottom - 5, METER_HIT_ARROW, &manual},
        {"extra box's bar", m.m_barLeft + 3 * bw + 1, m.m_scaleTop + 20, METER_HIT_BAR, &manual},
        {"power icon", m.m_powerRight - 5, m.m_powerY + 5, METER_HIT_POWER, nullptr},
        {"logger picture", m.m_ix + 2, m.m_iy + 2, METER_HIT_LOGGER, nullptr},
        {"outside", 1, 1, METER_HIT_NONE, nullptr},
    };
    for (const Case& c : cases) {
        CdocFieldKey key;
        EXPECT_EQ(Hit(meter, c.x, c.y, &key), c.area) << c.name;
        if (c.channel) {
            EXPECT_EQ(key.m_key, c.channel->m_key) << c.name;
        }
    }

    // Busy, in bootstrap mode or installing: only the header answers.
    const std::function<void(CdocDoc&, bool)> states[] = {
        [](CdocDoc& d, bool on) { d.m_boxInfo.m_info.m_loggerBusy = on; },
        [](CdocDoc& d, bool on) { d.m_boxInfo.m_info.m_bootstrapFlag = on; },
        [](CdocDoc& d, bool on) { d.m_boxInfo.m_install.m_stage = on ? 1 : 0; },
    };
    for (const auto& state : states) {
        state(*m_doc, true);
        for (const Case& c : cases) {
            const int expected = c.area == METER_HIT_POWER || c.area == METER_HIT_LOGGER ? c.area : METER_HIT_NONE;
            EXPECT_EQ(Hit(meter, c.x, c.y), expected) << c.name;
        }
        state(*m_doc, false);
    }

    // Waiting for the logger search or without a logger: nothing at all.
    m_doc->m_waitingForFind = true;
    EXPECT_EQ(Hit(meter, m.m_powerRight - 5, m.m_powerY + 5), METER_HIT_NONE);
    m_doc->m_waitingForFind = false;
    m_doc->m_boxInfo.m_info.m_hardware = BOX_TYPE_NONE;
    EXPECT_EQ(Hit(meter, m.m_ix + 2, m.m_iy + 2), METER_HIT_NONE);
}

TEST_F(MeterRenderer, ABareSensorChannelStillHasItsHitAreas)
{
    CdocField& bare = AddSensor(0, BLUE, 50.0f);
    bare.m_fieldSensor = CxhwSensor();
    AddExtra(false, GREEN, 50.0f);
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    Render(meter, wxSize(24 + 4 * 150, 480));
    const wxRect b0 = Button(meter, 0, true);
    CdocFieldKey key;
    EXPECT_EQ(Hit(meter, meter.m_barLeft + 1, meter.m_scaleTop + 20, &key), METER_HIT_BAR);
    EXPECT_EQ(key.m_key, bare.m_key);
    EXPECT_EQ(Hit(meter, b0.x + 3 + ICON + 5, meter.m_buttonBottom - 5), METER_HIT_ARROW);
}

TEST_F(MeterRenderer, ANewSizeLaysOutAgain)
{
    AddSensor(0, BLUE, 50.0f);
    CgrnMeter meter;
    meter.SetDoc(m_doc.get());
    Render(meter, wxSize(400, 300));
    const int width = meter.m_boxWidth;
    Render(meter, wxSize(700, 300));
    EXPECT_GT(meter.m_boxWidth, width);
    meter.SetDoc(nullptr);
    EXPECT_FALSE(meter.m_layoutValid);
}

} // namespace
