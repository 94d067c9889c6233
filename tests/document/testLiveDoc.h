#pragma once
// A document on the simulated logger without a display: the logger threads,
// the document and a main loop of the test's own that delivers the threads'
// events and calls the 100 ms tick.
#include "app/appOptions.h"
#include "app/base/gumCommands.h"
#include "app/base/gumIds.h"
#include "app/base/gumResCore.h"
#include "data/dataTestSupport.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSimulatedDriver.h"
#include "support/testBoxes.h"
#include "support/testWait.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <wx/utils.h>

namespace qvtest {

template <class Owner = CtestDocOwner>
class CtestLiveDoc : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        gumSetCommandPoster([this](int id, int) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_posted.push_back(id);
        });
        m_doc.m_owner = &m_owner;
        PrepareLogger();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(m_boxes.StartThreads());
        m_doc.OnNew();
        const int hardware = ExpectedHardware();
        RunUntil([this, hardware] { return m_doc.m_boxInfo.m_info.m_hardware == hardware; });
        ASSERT_EQ(m_doc.m_boxInfo.m_info.m_hardware, hardware);
    }

    // The logger the threads are to find; a fixture of another logger sets
    // up its emulator here.
    virtual void PrepareLogger() { m_boxes.SetSimulated(true); }
    virtual int ExpectedHardware() const { return BOX_TYPE_SIMULATED; }

    void TearDown() override
    {
        xhwSimulatedSetLinkBroken(false);
        m_boxes.StopThreads();
        gumSetCommandPoster(nullptr);
    }

    // The main loop until done holds: the threads' events as they come, the
    // tick every 100 ms. Whether done came within the tests' bound.
    bool RunUntil(const std::function<bool()>& done)
    {
        CzxStopWatch watch;
        long nextTick = 0;
        return qvtest::WaitUntil([&] {
            if (done())
                return true;
            std::deque<int> events;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                events.swap(m_posted);
            }
            for (int id : events) {
                if (id == ID_EVT_BOX_CHANGED)
                    m_doc.OnBoxChanged();
                else if (id == ID_EVT_LINK_BROKEN)
                    m_doc.OnLinkBroken();
            }
            if (watch.Time() >= nextTick) {
                m_doc.OnTimerTick();
                ++m_ticks;
                nextTick += 100;
            }
            return done();
        });
    }

    // The main loop for n more ticks.
    bool RunTicks(int n)
    {
        const int64_t end = m_ticks + n;
        return RunUntil([this, end] { return m_ticks >= end; });
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CappOptions m_options;
    CtestBoxes m_boxesShown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    Owner m_owner;
    std::mutex m_mutex;
    std::deque<int> m_posted;
    int64_t m_ticks = 0;
};

} // namespace qvtest
