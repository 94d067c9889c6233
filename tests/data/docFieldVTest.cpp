#include "data/dataTestSupport.h"

#include <climits>
#include <gtest/gtest.h>

using qvtest::DataTest;

namespace {

class FieldV : public DataTest
{
protected:
    std::vector<int> Keys()
    {
        std::vector<int> keys;
        for (int i = 0; i < Fields().GetCount(); ++i)
            keys.push_back(At(i).m_key);
        return keys;
    }
};

} // namespace

TEST_F(FieldV, KeysComeFromOneCounterAndAreNeverReused)
{
    const int first = docPeekFieldKey();
    ASSERT_EQ(Fields().Add(3), 2);
    EXPECT_EQ(Keys(), (std::vector<int>{first, first + 1, first + 2}));
    Fields().RemoveAt(1);
    ASSERT_EQ(Fields().Add(1), 2);
    EXPECT_EQ(At(2).m_key, first + 3);

    CdocDoc second;
    ASSERT_EQ(second.m_data.m_fields.Add(1), 0);
    EXPECT_EQ(second.m_data.m_fields.GetAt(0)->m_key, first + 4);
    EXPECT_EQ(second.m_data.m_fields.GetAt(0)->m_doc, &second);
}

TEST(FieldKeys, CounterWrapsWithoutOverflowAndSkipsZero)
{
    const int saved = docPeekFieldKey();
    docSetFieldKeyCounter(INT_MAX - 1);
    EXPECT_EQ(docTakeFieldKey(), INT_MAX - 1);
    EXPECT_EQ(docTakeFieldKey(), INT_MAX);
    EXPECT_EQ(docTakeFieldKey(), INT_MIN);
    docSetFieldKeyCounter(-2);
    EXPECT_EQ(docTakeFieldKey(), -2);
    EXPECT_EQ(docTakeFieldKey(), -1);
    EXPECT_EQ(docTakeFieldKey(), 1);
    docSetFieldKeyCounter(0);
    EXPECT_EQ(docTakeFieldKey(), 1);
    CdocField field;
    docSetFieldKeyCounter(-1);
    EXPECT_EQ(field.AssignNewKey(), -1);
    EXPECT_EQ(field.AssignNewKey(), 1);
    docSetFieldKeyCounter(saved);
}

TEST_F(FieldV, AddStopsAtTwentyChannels)
{
    ASSERT_EQ(Fields().Add(18), 17);
    EXPECT_EQ(Fields().Add(3), -1);
    EXPECT_EQ(Fields().GetCount(), 18);
    EXPECT_EQ(Fields().Add(2), 19);
    EXPECT_EQ(Fields().Add(1), -1);
    EXPECT_EQ(Fields().Add(0), -1);
    EXPECT_EQ(Fields().Add(-3), -1);
}

TEST_F(FieldV, RemovedObjectsAreSparesReusedWithoutAllocation)
{
    ASSERT_EQ(Fields().Add(5), 4);
    CdocField* removed = &At(2);
    CdocField* third = &At(3);
    Fields().RemoveAt(2);
    EXPECT_EQ(Fields().GetCount(), 4);
    EXPECT_EQ(&At(2), third);
    EXPECT_EQ(Fields().GetAllocated(), 5);
    EXPECT_EQ(Fields().GetAt(4), nullptr);
    const int oldKey = removed->m_key;
    ASSERT_EQ(Fields().Add(1), 4);
    EXPECT_EQ(&At(4), removed);
    EXPECT_NE(At(4).m_key, oldKey);
    EXPECT_EQ(Fields().GetAllocated(), 5);

    Fields().RemoveAt(-1);
    Fields().RemoveAt(5);
    EXPECT_EQ(Fields().GetCount(), 5);
}

TEST_F(FieldV, FindResolvesByKey)
{
    ASSERT_EQ(Fields().Add(6), 5);
    CdocFieldKey ref(At(5).m_key, 5, nullptr);
    CdocField* target = &At(5);
    EXPECT_EQ(Fields().Find(ref), target);
    EXPECT_EQ(ref.m_index, 5);
    EXPECT_EQ(ref.m_field, target);

    Fields().Move(5, 0);
    EXPECT_EQ(Fields().Lookup(ref), target);
    EXPECT_EQ(ref.m_index, 5); // Lookup writes nothing
    EXPECT_EQ(Fields().Find(ref), target);
    EXPECT_EQ(ref.m_index, 0);

    CdocFieldKey unplaced(target->m_key, -1, nullptr);
    EXPECT_EQ(Fields().Find(unplaced), target);
    EXPECT_EQ(unplaced.m_index, 0);

    CdocFieldKey empty;
    EXPECT_EQ(Fields().Find(empty), nullptr);
    EXPECT_EQ(empty.m_index, -1);

    Fields().RemoveAt(0);
    EXPECT_EQ(Fields().Find(ref), nullptr);
    EXPECT_EQ(ref.m_index, -1);
    EXPECT_EQ(ref.m_field, nullptr);

    // Moves out of range do nothing.
    const std::vector<int> before = Keys();
    Fields().Move(0, 5);
    Fields().Move(-1, 2);
    Fields().Move(2, 2);
    EXPECT_EQ(Keys(), before);
    Fields().Move(0, 4);
    EXPECT_EQ(Keys(), (std::vector<int>{before[1], before[2], before[3], before[4], before[0]}));
}

TEST_F(FieldV, Searches)
{
    ASSERT_EQ(Fields().Add(6), 5);
    At(0).InitElapsedTime();
    At(1).InitReading(10.0f, 10.0f, 10.0f);
    At(2).InitSensor(3, qvtest::MakeSensor(7, 2));
    At(3).InitSensor(1, qvtest::MakeSensor(8, 2));
    At(4).InitManual();
    At(4).m_name = "Marker";
    At(4).m_unit = "mark";
    At(5).InitTiming(2);

    CdocFieldKey ref;
    EXPECT_TRUE(Fields().GetNonTime(ref, 0));
    EXPECT_EQ(ref.m_index, 2);
    EXPECT_EQ(Fields().GetLetterNumber(&At(3)), 1);
    EXPECT_EQ(Fields().GetLetterNumber(&At(0)), 4); // not counted: the count
    EXPECT_TRUE(Fields().GetNonSource(ref, 0));
    EXPECT_EQ(ref.m_index, 4);
    EXPECT_TRUE(Fields().FindSensor(ref, 1));
    EXPECT_EQ(ref.m_index, 3);
    EXPECT_EQ(ref.m_key, At(3).m_key);
    EXPECT_TRUE(Fields().GetSensor(ref, 1));
    EXPECT_EQ(ref.m_index, 3);
    EXPECT_FALSE(Fields().GetSensor(ref, 2));
    EXPECT_EQ(ref.m_key, 0);
    EXPECT_EQ(ref.m_index, -1);
    EXPECT_TRUE(Fields().FindTiming(ref, 2));
    EXPECT_EQ(ref.m_index, 5);
    EXPECT_TRUE(Fields().FindContent(ref, 0, CONTENT_SENSOR));
    EXPECT_EQ(ref.m_index, 2);
    EXPECT_TRUE(Fields().FindContent(ref, 3, CONTENT_SENSOR));
    EXPECT_EQ(ref.m_index, 3);
    EXPECT_FALSE(Fields().FindContent(ref, 6, CONTENT_SENSOR));

    EXPECT_TRUE(Fields().FindMarker(ref, 0));
    EXPECT_EQ(ref.m_index, 4);
    At(4).m_unit = "MARKS";
    EXPECT_FALSE(Fields().FindMarker(ref, 0));

    EXPECT_FALSE(Fields().HasData());
    Data().m_records = 1;
    At(0).m_samples[0] = 0.0f; // time channels do not count
    EXPECT_FALSE(Fields().HasData());
    At(4).m_samples[0] = 3.0f;
    EXPECT_TRUE(Fields().HasData());

    CdocFieldV emptyV;
    EXPECT_EQ(emptyV.GetLetterNumber(&At(0)), 0);
}
