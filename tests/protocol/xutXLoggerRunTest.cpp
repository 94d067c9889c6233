// Test label: threads
// A run at 100 ms fed by an emulated logger that streams on its own clock,
// over USB and over Bluetooth LE, read as the box thread reads it.
#include "protocol/xutXLogger.h"
#include "protocol/xutXLoggerTestPort.h"
#include "transport/zxTime.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The record numbers of the readings of a run of about three seconds.
std::vector<int> StreamRun(bool usb)
{
    CxutXLogger link;
    auto owned = std::make_unique<CtestXLoggerPort>();
    CtestXLoggerPort& port = *owned;
    port.Logger().Config().usb = usb;
    if (usb)
        link.SetUSBPort(std::move(owned));
    else
        link.SetBtlePort(std::move(owned));
    link.SetLinkKind(usb ? XLOGGER_LINK_USB : XLOGGER_LINK_BTLE);
    EXPECT_TRUE(link.Open());
    CzxStopWatch runClock;
    link.SetRunClock(&runClock);
    port.Pace();
    constexpr int64_t step = 100;
    EXPECT_TRUE(link.StartStream(0.1));
    int64_t t = zxWrapTime(zxWatchTime(runClock) + 1);
    std::vector<int> records;
    while (runClock.Time() < 3000) {
        int values[CxutXLogger::kMaxStreamReadings * 6];
        int count = 0;
        if (!link.ReadStream(values, count, t, step)) {
            ADD_FAILURE() << "the stream broke";
            break;
        }
        for (int i = 0; i < count; ++i)
            records.push_back(values[6 * i] | values[6 * i + 1] << 16);
        t = zxWrapTime(t + count * step);
        wxMilliSleep(count > 0 ? std::max(1, 20 / count) : 30);
    }
    link.StopStream();
    port.StopPacing();
    return records;
}

void ExpectEvenReadings(const std::vector<int>& records, int perReading)
{
    ASSERT_GE(records.size(), 15u);
    // Readings due before the first record arrived hold it; from then on
    // every reading is the next one due, without gaps or repeats.
    size_t i = 1;
    while (i < records.size() && records[i] == records[0])
        ++i;
    ASSERT_LT(i, records.size());
    // The first step may land part way between records.
    EXPECT_LE(records[i] - records[i - 1], perReading);
    for (++i; i < records.size(); ++i)
        ASSERT_EQ(records[i] - records[i - 1], perReading) << "reading " << i;
}

TEST(XLoggerRun, UsbFeedsOneReadingPerPeriod)
{
    ExpectEvenReadings(StreamRun(true), 1);
}

TEST(XLoggerRun, BtleFeedsOneReadingPerPeriod)
{
    // Records come every 50 ms: each 100 ms reading is two records on.
    ExpectEvenReadings(StreamRun(false), 2);
}

} // namespace
