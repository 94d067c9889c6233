#include "app/base/gumActivity.h"
#include "document/docDoc.h"

#include <gtest/gtest.h>

namespace {

struct Counts
{
    int begun = 0;
    int ended = 0;
};

class FakeSystem : public CgumActivitySystem
{
public:
    FakeSystem(Counts& counts, bool available) : m_counts(counts), m_available(available) {}
    bool Available() override { return m_available; }
    std::shared_ptr<void> Begin(const char* reason) override
    {
        EXPECT_STREQ(reason, "busy");
        ++m_counts.begun;
        return std::make_shared<int>(1);
    }
    void End(std::shared_ptr<void> token) override { ++m_counts.ended; }

private:
    Counts& m_counts;
    bool m_available;
};

} // namespace

TEST(BusyActivity, FetchAndRunHoldOneToken)
{
    Counts counts;
    CgumActivityHolder& holder = gumGetActivityHolder();
    holder.SetSystem(std::make_unique<FakeSystem>(counts, true));
    CdocDoc doc;
    doc.SetState(DOC_STATE_STOPPED); // ending with none held does nothing
    EXPECT_EQ(counts.ended, 0);
    doc.SetState(DOC_STATE_FETCHING);
    doc.SetState(DOC_STATE_RUNNING);
    EXPECT_EQ(counts.begun, 1);
    EXPECT_TRUE(holder.IsHeld());
    doc.SetState(DOC_STATE_READY);
    EXPECT_EQ(counts.ended, 1);
    EXPECT_FALSE(holder.IsHeld());
    doc.SetState(DOC_STATE_STOPPED);
    EXPECT_EQ(counts.ended, 1);
    holder.SetSystem(nullptr);
}

TEST(BusyActivity, NothingWithoutSystemActivities)
{
    Counts counts;
    CgumActivityHolder holder(std::make_unique<FakeSystem>(counts, false));
    gumSetBusyActivity(holder, true);
    gumSetBusyActivity(holder, false);
    EXPECT_EQ(counts.begun + counts.ended, 0);
}
