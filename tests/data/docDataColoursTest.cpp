// Channel colours by the standard and the high-contrast scheme.
#include "data/dataTestSupport.h"
#include "data/docPalette.h"
#include "hardware/xhwBoxTypes.h"

#include <gtest/gtest.h>

using qvtest::DataTest;
using qvtest::MakeSensor;

namespace {

const CdocColour kBlack(0, 0, 0);

class Colours : public DataTest
{
protected:
    // The simulated logger's layout: reading number, elapsed time and a
    // sensor on each of its four inputs.
    void AddLoggerChannels()
    {
        m_doc.m_boxInfo.m_info.m_hardware = BOX_TYPE_SIMULATED;
        ASSERT_TRUE(Data().AddReadingField(false, false));
        ASSERT_TRUE(Data().AddTimeField(false, false));
        for (int input = 0; input < 4; ++input)
            AddSensor(input, CONTENT_SENSOR);
    }
    CdocField& AddSensor(int input, int content)
    {
        CdocField& field = At(Fields().Add(1));
        field.InitSensor(input, MakeSensor(10 + input, 1));
        field.m_content = content;
        return field;
    }
    CdocField& AddPlain()
    {
        CdocField& field = At(Fields().Add(1));
        field.InitManual();
        return field;
    }
    std::vector<CdocColour> ColoursOf() const
    {
        std::vector<CdocColour> out;
        for (int i = 0; i < m_doc.m_data.m_fields.GetCount(); ++i)
            out.push_back(m_doc.m_data.m_fields.GetAt(i)->m_colour);
        return out;
    }
};

} // namespace

// Sensors take their input's colour (standard) or the next free colour of
// the high-contrast list; a channel of no input keeps clear of the loggers'
// input colours only while the document is ready.
TEST_F(Colours, SimulatedLoggerChannelsInBothSchemes)
{
    const CdocColour red(255, 0, 0), green(0, 224, 0), blue(0, 0, 255), yellow(224, 224, 0);
    const struct
    {
        int scheme;
        int state;
        std::vector<CdocColour> expected; // reading, time, four sensors, plain
    } cases[] = {
        {0, DOC_STATE_READY, {kBlack, kBlack, red, green, blue, yellow, CdocColour(128, 64, 0)}},
        {0, DOC_STATE_STOPPED, {kBlack, kBlack, red, green, blue, yellow, CdocColour(255, 128, 0)}},
        {1,
         DOC_STATE_READY,
         {kBlack, kBlack, red, CdocColour(0, 192, 0), blue, CdocColour(255, 128, 0), CdocColour(0, 192, 192)}},
    };
    for (const auto& c : cases) {
        Data().RemoveAllFields();
        m_doc.m_colours = c.scheme;
        m_doc.m_state = c.state;
        AddLoggerChannels();
        AddPlain();
        Data().AssignColours();
        EXPECT_EQ(ColoursOf(), c.expected) << "scheme " << c.scheme << ", state " << c.state;
        // Given colours stay; the time channels are black whatever they held.
        At(0).m_colour = CdocColour(1, 2, 3);
        Data().AssignColours();
        EXPECT_EQ(ColoursOf(), c.expected) << "scheme " << c.scheme << ", again";
    }
}

// Channels made by the user take a colour at once: a new manual channel
// while ready and while stopped, and the duplicate of one.
TEST_F(Colours, NewAndDuplicatedChannelsAreColoured)
{
    AddLoggerChannels();
    Data().AssignColours();
    CdocFieldKey ready;
    ASSERT_TRUE(Data().NewManualField(&ready));
    EXPECT_EQ(Fields().Find(ready)->m_colour, CdocColour(128, 64, 0));
    m_doc.m_state = DOC_STATE_STOPPED;
    CdocFieldKey stopped;
    ASSERT_TRUE(Data().NewManualField(&stopped));
    EXPECT_EQ(Fields().Find(stopped)->m_colour, CdocColour(255, 128, 0));
    CdocFieldKey copy;
    ASSERT_TRUE(Data().DuplicateField(stopped, &copy));
    EXPECT_EQ(Fields().Find(copy)->m_colour, CdocColour(0, 192, 192));
    // Every channel holds a colour of its own.
    const std::vector<CdocColour> colours = ColoursOf();
    for (size_t i = 2; i < colours.size(); ++i) {
        EXPECT_TRUE(colours[i].IsOk()) << i;
        for (size_t j = i + 1; j < colours.size(); ++j)
            EXPECT_NE(colours[i], colours[j]) << i << " " << j;
    }
}

// Inputs whose first colour is taken try their further ranges, then the
// standard list.
TEST_F(Colours, TakenInputColoursFallToTheNextRangeThenTheList)
{
    m_doc.m_boxInfo.m_info.m_hardware = BOX_TYPE_PARDOVINE; // inputs 0 and 3 share their colours
    m_doc.m_state = DOC_STATE_STOPPED;
    AddSensor(0, CONTENT_SENSOR);
    AddSensor(3, CONTENT_SENSOR);
    for (int i = 0; i < 3; ++i)
        AddSensor(0, CONTENT_STORED_SENSOR);
    Data().AssignColours();
    EXPECT_EQ(ColoursOf(), (std::vector<CdocColour>{docPaletteColour(32), docPaletteColour(35), docPaletteColour(33),
                                                    docPaletteColour(34), docPaletteColour(20)}));
}

// The connected logger's own type may colour an input differently from the
// same type's defaults.
TEST_F(Colours, ConnectedLoggerColoursItsOwnInputs)
{
    for (int connected : {BOX_TYPE_KESTILON, BOX_TYPE_SIMULATED}) {
        Data().RemoveAllFields();
        m_doc.m_boxInfo.m_info.m_hardware = connected;
        CdocField& field = AddSensor(3, CONTENT_STORED_SENSOR);
        field.m_hardware = BOX_TYPE_KESTILON;
        Data().AssignColours();
        EXPECT_EQ(field.m_colour, connected == BOX_TYPE_KESTILON ? docPaletteColour(48) : docPaletteColour(44));
    }
}

TEST_F(Colours, SchemeChangeRecoloursEveryChannel)
{
    AddLoggerChannels();
    AddPlain();
    Data().AssignColours();
    Data().SetColourScheme(1);
    EXPECT_EQ(m_doc.m_colours, 1);
    EXPECT_EQ(m_options.m_colourTheme, 1);
    const std::vector<int> entries = {0, 0, 8, 10, 14, 20, 30};
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(At(int(i)).m_colour, docPaletteColour(entries[i])) << i;
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_ADDED), 1);
    EXPECT_EQ(m_owner.m_modified, 1);

    Data().SetColourScheme(0);
    EXPECT_EQ(At(2).m_colour, docPaletteColour(32));
    EXPECT_EQ(m_options.m_colourTheme, 0);
}

TEST_F(Colours, LoggerInputColours)
{
    EXPECT_TRUE(Data().IsLoggerInputColour(CdocColour(255, 128, 0))); // the packet logger's fourth input
    EXPECT_TRUE(Data().IsLoggerInputColour(CdocColour(0, 160, 160)));
    EXPECT_FALSE(Data().IsLoggerInputColour(CdocColour(128, 64, 0)));
    EXPECT_FALSE(Data().IsLoggerInputColour(kBlack));
    // Every colour of both lists is free in an empty store; none is black.
    for (const int* list : {docStandardColours, docHighContrastColours}) {
        EXPECT_EQ(Data().PickFreeColour(list, false), docPaletteColour(list[0]));
        for (int i = 0; i < DOC_COLOUR_LIST_SIZE; ++i)
            EXPECT_NE(docPaletteColour(list[i]), kBlack);
    }
}
