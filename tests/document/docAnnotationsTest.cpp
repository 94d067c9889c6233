// Graph annotations: placing, capacity and the annotations of deleted channels.
#include "data/dataTestSupport.h"

#include <gtest/gtest.h>

using qvtest::DataTest;

namespace {

class Annotations : public DataTest
{
protected:
    Annotations()
    {
        m_time = &AddChannel(10.0f, 0.0f);
        m_time->InitElapsedTime();
        m_y = &AddChannel(5.0f, -5.0f);
        m_doc.m_graph.SetAxes(m_time, m_y, nullptr);
        m_owner.m_hints.clear();
    }
    CdocField& AddChannel(float max, float min)
    {
        CdocField& field = At(Fields().Add(1));
        field.InitManual();
        field.m_now.Set(max, min);
        return field;
    }
    CdocAnnotations& Notes() { return m_doc.m_annotations; }
    static CdocFieldKey KeyOf(const CdocField& field) { return CdocFieldKey(field.m_key, -1, nullptr); }

    CdocField* m_time = nullptr;
    CdocField* m_y = nullptr;
};

} // namespace

// The click's fractions become values of the two channels' displayed
// scales; the x channel is the graph's at the moment of the click.
TEST_F(Annotations, PlacingTurnsFractionsIntoChannelValues)
{
    CdocField& other = AddChannel(100.0f, 0.0f);
    Notes().BeginPlace("peak", &other, m_y);
    EXPECT_TRUE(m_doc.m_tool.m_now.m_active);
    EXPECT_TRUE(m_doc.m_tool.m_now.m_annotate);
    EXPECT_EQ(m_owner.Count(HINT_TOOL), 1);

    Notes().Place(0.5f, 0.5f);
    ASSERT_EQ(Notes().m_count, 1);
    CdocAnnotation& placed = Notes().m_slots[0];
    EXPECT_EQ(placed.m_text, "peak");
    EXPECT_FLOAT_EQ(placed.m_x, 5.0f);
    EXPECT_FLOAT_EQ(placed.m_y, 0.0f);
    EXPECT_EQ(placed.GetFieldX(), m_time);
    EXPECT_EQ(placed.GetFieldY(), m_y);
    EXPECT_EQ(m_owner.Count(HINT_GRAPH_STYLE), 1);
    EXPECT_EQ(m_owner.m_modified, 1);

    Notes().Place(1.0f, 0.25f); // the pending annotation stays armed
    ASSERT_EQ(Notes().m_count, 2);
    EXPECT_FLOAT_EQ(Notes().m_slots[1].m_x, 10.0f);
    EXPECT_FLOAT_EQ(Notes().m_slots[1].m_y, -2.5f);
}

TEST_F(Annotations, PlacingNeedsItsChannelsAndRoom)
{
    // Never begun: no owner.
    Notes().Place(0.5f, 0.5f);
    EXPECT_EQ(Notes().m_count, 0);
    // No x channel on the graph.
    Notes().BeginPlace("a", m_time, m_y);
    m_doc.m_graph.SetAxes(nullptr, m_y, nullptr);
    Notes().Place(0.5f, 0.5f);
    EXPECT_EQ(Notes().m_count, 0);
    // No y channel.
    m_doc.m_graph.SetAxes(m_time, m_y, nullptr);
    Notes().BeginPlace("b", m_time, nullptr);
    Notes().Place(0.5f, 0.5f);
    EXPECT_EQ(Notes().m_count, 0);
    EXPECT_EQ(m_owner.Count(HINT_GRAPH_STYLE), 0);

    // Fifty and no more: the fifty-first is neither added nor announced.
    Notes().BeginPlace("c", m_time, m_y);
    for (int i = 0; i < DOC_MAX_ANNOTATIONS; ++i)
        Notes().Place(0.1f, 0.1f);
    EXPECT_EQ(Notes().m_count, DOC_MAX_ANNOTATIONS);
    m_owner.m_hints.clear();
    Notes().Place(0.9f, 0.9f);
    EXPECT_EQ(Notes().m_count, DOC_MAX_ANNOTATIONS);
    EXPECT_TRUE(m_owner.m_hints.empty());
    EXPECT_EQ(Notes().Add(), -1);
    EXPECT_FLOAT_EQ(Notes().m_slots[DOC_MAX_ANNOTATIONS - 1].m_x, 1.0f);
}

// Deleting the y channel of annotations 2 and 4 of 5 leaves 1, 3 and 5 in
// their order.
TEST_F(Annotations, DeletedChannelTakesItsAnnotations)
{
    CdocField& gone = AddChannel(1.0f, 0.0f);
    for (int i = 1; i <= 5; ++i) {
        const int slot = Notes().Add();
        ASSERT_EQ(slot, i - 1);
        CdocAnnotation& note = Notes().m_slots[size_t(slot)];
        note.m_text = wxString::Format("%d", i);
        note.m_fieldX = KeyOf(*m_time);
        note.m_fieldY = KeyOf(i % 2 == 0 ? gone : *m_y);
    }
    ASSERT_TRUE(Data().DeleteField(KeyOf(gone)));
    ASSERT_EQ(Notes().m_count, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Notes().m_slots[size_t(i)].m_text, wxString::Format("%d", 2 * i + 1));
        EXPECT_EQ(Notes().m_slots[size_t(i)].GetFieldY(), m_y);
    }
    // One without an owner goes too.
    Notes().m_slots[1].m_doc = nullptr;
    Notes().RemoveOrphans();
    EXPECT_EQ(Notes().m_count, 2);
    EXPECT_EQ(Notes().m_slots[1].m_text, "5");
}

TEST_F(Annotations, DeleteLastAndAll)
{
    Notes().DeleteLast();
    EXPECT_TRUE(m_owner.m_hints.empty());
    Notes().Add();
    Notes().Add();
    Notes().DeleteLast();
    EXPECT_EQ(Notes().m_count, 1);
    Notes().DeleteAll();
    EXPECT_EQ(Notes().m_count, 0);
    EXPECT_EQ(m_owner.Count(HINT_GRAPH_STYLE), 2);
    EXPECT_EQ(m_owner.m_modified, 2);
}
