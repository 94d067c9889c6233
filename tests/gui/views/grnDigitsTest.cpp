// The digits renderer: the grid of cells it chooses, which channels it lists,
// the colours of a pass, hit testing and the redrawing of changed values.
#include "document/docDoc.h"
#include "gui/views/testImageDC.h"
#include "support/guiSupport.h"
#include "views/grnDigits.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

const wxColour RED(200, 0, 0);
const wxColour BLUE(0, 0, 200);
const wxColour MAGENTA(255, 0, 255);

class DigitsRenderer : public testing::Test
{
protected:
    void SetUp() override
    {
        qvtest::CreateApp();
        m_doc = std::make_unique<CdocDoc>();
        m_doc->m_state = DOC_STATE_STOPPED;
        m_doc->m_tool.m_now.m_active = false;
    }

    CdocFieldV& Fields() { return m_doc->m_data.m_fields; }

    CdocField& AddField(int content, const char* name, float current, const wxColour& colour = RED)
    {
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        if (content == CONTENT_READING)
            field.InitReading(100.0f, 100.0f, 100.0f);
        else if (content == CONTENT_ELAPSED_TIME)
            field.InitElapsedTime();
        else
            field.InitManual();
        field.m_name = name;
        field.m_unit = "cm";
        field.m_places = 1;
        field.m_current = current;
        field.m_colour = CdocColour(colour.Red(), colour.Green(), colour.Blue());
        return field;
    }
    void AddChannels(int n)
    {
        for (int i = 0; i < n; ++i)
            AddField(CONTENT_MANUAL, "Level", 12.5f + float(i));
    }

    // The renderer laid out on a bitmap of the size.
    void LayOut(CgrnDigits& digits, int width, int height)
    {
        wxBitmap bitmap(width, height, 24);
        wxMemoryDC dc(bitmap);
        digits.SetDoc(m_doc.get());
        digits.Layout(dc, wxRect(0, 0, width, height));
    }

    std::unique_ptr<CdocDoc> m_doc;
};

int Distance(const wxImage& image, int x, int y, const wxColour& colour)
{
    return std::abs(image.GetRed(x, y) - colour.Red()) + std::abs(image.GetGreen(x, y) - colour.Green()) +
           std::abs(image.GetBlue(x, y) - colour.Blue());
}

// Pixels of about the colour inside the rectangle.
int CountColour(const wxImage& image, const wxRect& rect, const wxColour& colour)
{
    int count = 0;
    for (int y = std::max(0, rect.y); y < std::min(image.GetHeight(), rect.GetBottom() + 1); ++y)
        for (int x = std::max(0, rect.x); x < std::min(image.GetWidth(), rect.GetRight() + 1); ++x)
            count += Distance(image, x, y, colour) < 60;
    return count;
}

} // namespace

TEST_F(DigitsRenderer, ChoosesTheGridThatGivesTheLargestFigures)
{
    struct Case
    {
        int channels;
        int width;
        int height;
        int columns;
        int rows;
    };
    const Case cases[] = {
        {1, 400, 300, 1, 1},   {2, 900, 200, 2, 1},  {2, 200, 900, 1, 2},
        {5, 2500, 160, 5, 1},  {5, 200, 1400, 1, 5}, {4, 700, 500, 2, 2},
        {3, 1500, 200, 3, 1},  {6, 600, 500, 2, 3},
    };
    for (const Case& c : cases) {
        SetUp();
        AddChannels(c.channels);
        CgrnDigits digits;
        LayOut(digits, c.width, c.height);
        SCOPED_TRACE(testing::Message() << c.channels << " channels in " << c.width << "x" << c.height);
        ASSERT_TRUE(digits.m_layoutValid);
        EXPECT_EQ(digits.m_count, c.channels);
        EXPECT_EQ(digits.m_columns, c.columns);
        EXPECT_EQ(digits.m_rows, c.rows);
        // Every cell's content lies inside the drawing.
        for (int i = 0; i < digits.m_count; ++i) {
            const wxRect value = digits.GetValueRect(i);
            const wxRect heading = digits.GetHeadingRect(i);
            EXPECT_TRUE(wxRect(0, 0, c.width, c.height).Contains(value)) << "cell " << i;
            EXPECT_TRUE(wxRect(0, 0, c.width, c.height).Contains(heading)) << "cell " << i;
            EXPECT_EQ(heading.y, value.GetBottom() + 1);
        }
    }

    // The figures of one channel fill a large window: much larger than the
    // table font they start from.
    SetUp();
    AddChannels(1);
    CgrnDigits digits;
    LayOut(digits, 800, 400);
    wxFont start;
    grnMakeTableFont(m_doc.get(), start);
    EXPECT_GT(digits.m_valueFont.GetPointSize(), 4 * start.GetPointSize());
    EXPECT_EQ(digits.m_valueFont.GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_LE(digits.m_headingFont.GetPointSize(), start.GetPointSize());
}

TEST_F(DigitsRenderer, ListsShownChannelsAndTheXAxisButNeverTheTimeChannels)
{
    CdocField& reading = AddField(CONTENT_READING, "Reading", 3.0f);
    CdocField& time = AddField(CONTENT_ELAPSED_TIME, "Time", 1.5f);
    CdocField& shown = AddField(CONTENT_MANUAL, "Shown", 1.0f);
    CdocField& hidden = AddField(CONTENT_MANUAL, "Hidden", 2.0f);
    CdocField& axis = AddField(CONTENT_MANUAL, "Axis", 4.0f);
    hidden.m_show = false;
    axis.m_show = false;
    reading.m_show = true;
    time.m_show = true;
    m_doc->m_graph.SetAxes(&axis, &shown, nullptr);
    ASSERT_EQ(m_doc->m_graph.GetFieldX(), &axis);

    CgrnDigits digits;
    LayOut(digits, 600, 300);
    ASSERT_EQ(digits.m_count, 2);
    EXPECT_EQ(digits.m_keys[0].m_key, shown.m_key);
    EXPECT_EQ(digits.m_keys[1].m_key, axis.m_key);
}

TEST_F(DigitsRenderer, WithoutChannelsDrawsNothingAndHitsNothing)
{
    CgrnDigits digits;
    wxImage image = qvtest::MakeWhiteImage(300, 200);
    {
        qvtest::CtestImageDC dc(image, 96);
        // No document: nothing.
        EXPECT_FALSE(digits.Draw(dc, wxRect(0, 0, 300, 200)));
        digits.SetDoc(m_doc.get());
        EXPECT_TRUE(digits.Draw(dc, wxRect(0, 0, 300, 200)));
    }
    EXPECT_EQ(digits.m_count, 0);
    EXPECT_EQ(digits.m_columns, 1);
    EXPECT_EQ(digits.m_rows, 1);
    EXPECT_EQ(CountColour(image, wxRect(0, 0, 300, 200), *wxWHITE), 300 * 200);
    CgrnDigitsHit hit;
    hit.m_x = 150;
    hit.m_y = 100;
    digits.HitTest(hit);
    EXPECT_EQ(hit.m_area, DIGITS_HIT_NONE);
}

TEST_F(DigitsRenderer, HitTestTellsValueHeadingAndTheCellsChannel)
{
    AddChannels(3);
    CgrnDigits digits;
    LayOut(digits, 900, 240);
    ASSERT_EQ(digits.m_columns, 3);
    for (int i = 0; i < 3; ++i) {
        const wxRect value = digits.GetValueRect(i);
        const wxRect heading = digits.GetHeadingRect(i);
        CgrnDigitsHit hit;
        hit.m_x = value.x + value.width / 2;
        hit.m_y = value.y + value.height / 2;
        digits.HitTest(hit);
        EXPECT_EQ(hit.m_area, DIGITS_HIT_VALUE);
        EXPECT_EQ(hit.m_key.m_key, Fields().GetAt(i)->m_key);
        hit.m_x = heading.x + 1;
        hit.m_y = heading.y + heading.height / 2;
        digits.HitTest(hit);
        EXPECT_EQ(hit.m_area, DIGITS_HIT_HEADING);
        EXPECT_EQ(hit.m_key.m_key, Fields().GetAt(i)->m_key);
    }
    // The margin and the space beside the content hit no part.
    for (const wxPoint& p : {wxPoint(1, 1), wxPoint(899, 239), wxPoint(-5, 100)}) {
        CgrnDigitsHit hit;
        hit.m_x = p.x;
        hit.m_y = p.y;
        digits.HitTest(hit);
        EXPECT_EQ(hit.m_area, DIGITS_HIT_NONE) << p.x << "," << p.y;
    }
    // A window smaller than its cells has none to hit.
    CgrnDigits tiny;
    LayOut(tiny, 12, 12);
    ASSERT_TRUE(tiny.m_layoutValid);
    CgrnDigitsHit inTiny;
    inTiny.m_x = 6;
    inTiny.m_y = 6;
    tiny.HitTest(inTiny);
    EXPECT_EQ(inTiny.m_area, DIGITS_HIT_NONE);

    // A channel gone since the layout is not hit.
    const wxRect value = digits.GetValueRect(2);
    Fields().RemoveAt(2);
    CgrnDigitsHit hit;
    hit.m_x = value.x + 2;
    hit.m_y = value.y + 2;
    digits.HitTest(hit);
    EXPECT_EQ(hit.m_area, DIGITS_HIT_NONE);
}

TEST_F(DigitsRenderer, ValuesAreGreyOnceStoppedAndInTheChannelsColourWhileRunning)
{
    AddField(CONTENT_MANUAL, "Red", 88.8f, RED);
    AddField(CONTENT_MANUAL, "Blue", 88.8f, BLUE);
    const wxColour grey(192, 192, 192);
    auto render = [&](CgrnDigits& digits) {
        wxImage image = qvtest::MakeWhiteImage(600, 240);
        qvtest::CtestImageDC dc(image, 96);
        digits.SetDoc(m_doc.get());
        EXPECT_TRUE(digits.Draw(dc, wxRect(0, 0, 600, 240)));
        return image;
    };

    CgrnDigits digits;
    wxImage stopped = render(digits);
    for (int i = 0; i < 2; ++i) {
        const wxColour colour = i == 0 ? RED : BLUE;
        EXPECT_GT(CountColour(stopped, digits.GetValueRect(i), grey), 50) << "cell " << i;
        EXPECT_EQ(CountColour(stopped, digits.GetValueRect(i), colour), 0) << "cell " << i;
        EXPECT_GT(CountColour(stopped, digits.GetHeadingRect(i), colour), 5) << "cell " << i;
    }

    m_doc->m_state = DOC_STATE_RUNNING;
    wxImage running = render(digits);
    for (int i = 0; i < 2; ++i) {
        const wxColour colour = i == 0 ? RED : BLUE;
        EXPECT_GT(CountColour(running, digits.GetValueRect(i), colour), 50) << "cell " << i;
        EXPECT_EQ(CountColour(running, digits.GetValueRect(i), grey), 0) << "cell " << i;
    }
    std::filesystem::create_directories(QV_SCREENSHOT_DIR);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    EXPECT_TRUE(running.SaveFile(std::string(QV_SCREENSHOT_DIR) + "/digits-renderer-running.png", wxBITMAP_TYPE_PNG));
}

TEST_F(DigitsRenderer, UpdateValuesRedrawsOnlyTheValuesThatChanged)
{
    CdocField& first = AddField(CONTENT_MANUAL, "First", 10.0f, RED);
    CdocField& second = AddField(CONTENT_MANUAL, "Second", 20.0f, BLUE);
    m_doc->m_state = DOC_STATE_RUNNING;
    const wxRect rect(0, 0, 600, 240);
    wxBitmap bitmap(rect.width, rect.height, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    CgrnDigits digits;
    digits.SetDoc(m_doc.get());
    ASSERT_TRUE(digits.Draw(dc, rect));

    // Everything painted over: what the update draws shows alone.
    auto paintOver = [&] {
        dc.SetBackground(wxBrush(MAGENTA));
        dc.Clear();
    };
    auto image = [&] {
        dc.SelectObject(wxNullBitmap);
        wxImage out = bitmap.ConvertToImage();
        dc.SelectObject(bitmap);
        return out;
    };

    paintOver();
    second.m_current = 21.0f;
    EXPECT_TRUE(digits.UpdateValues(dc, rect));
    wxImage after = image();
    const wxRect value0 = digits.GetValueRect(0);
    const wxRect value1 = digits.GetValueRect(1);
    EXPECT_EQ(CountColour(after, value0, MAGENTA), value0.width * value0.height) << "an unchanged value is left";
    EXPECT_EQ(CountColour(after, value1, MAGENTA), 0) << "the changed value is drawn whole";
    EXPECT_GT(CountColour(after, value1, BLUE), 50);
    EXPECT_EQ(CountColour(after, digits.GetHeadingRect(1), MAGENTA),
              digits.GetHeadingRect(1).width * digits.GetHeadingRect(1).height)
        << "headings are not drawn";

    // Nothing changed: nothing drawn.
    paintOver();
    EXPECT_TRUE(digits.UpdateValues(dc, rect));
    after = image();
    EXPECT_EQ(CountColour(after, rect, MAGENTA), rect.width * rect.height);

    // A value too wide for its place is not drawn; the caller must lay out anew.
    paintOver();
    first.m_current = 123456.0f;
    EXPECT_FALSE(digits.UpdateValues(dc, rect));
    after = image();
    EXPECT_EQ(CountColour(after, value0, MAGENTA), value0.width * value0.height);
    // Laid out again, the new value fits, in a smaller font.
    const int size = digits.m_valueFont.GetPointSize();
    digits.SetDoc(m_doc.get());
    ASSERT_TRUE(digits.Draw(dc, rect));
    EXPECT_LT(digits.m_valueFont.GetPointSize(), size);
    EXPECT_FALSE(digits.m_overflow);

    // Another size of drawing, or no layout: the whole drawing is needed.
    EXPECT_FALSE(digits.UpdateValues(dc, wxRect(0, 0, 500, 240)));
    EXPECT_FALSE(digits.m_layoutValid);
    EXPECT_FALSE(digits.UpdateValues(dc, wxRect(0, 0, 500, 240)));
}

TEST_F(DigitsRenderer, APrinterPageGetsMarginsOfItsResolution)
{
    AddChannels(2);
    CgrnDigits digits;
    digits.SetDoc(m_doc.get());
    wxImage screen = qvtest::MakeWhiteImage(600, 300);
    {
        qvtest::CtestImageDC dc(screen, 96);
        ASSERT_TRUE(digits.Draw(dc, wxRect(0, 0, 600, 300)));
    }
    EXPECT_EQ(digits.m_margin, 5);
    wxImage page = qvtest::MakeWhiteImage(1800, 900);
    {
        qvtest::CtestImageDC dc(page, 288);
        ASSERT_TRUE(digits.Draw(dc, wxRect(0, 0, 1800, 900)));
    }
    EXPECT_EQ(digits.m_margin, 16);
}
