// Test label: threads
// A serial-family logger end to end, without a display: the logger threads
// find an emulated box type 8 on a serial port, and the document runs with
// it and downloads its stored file.
#include "document/testLiveDoc.h"
#include "emulators/emuSerialPty.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

constexpr int kPort = 2;

class SerialLive : public qvtest::CtestLiveDoc<>
{
protected:
    void PrepareLogger() override
    {
        ASSERT_TRUE(m_emu.IsOpen());
        char folder[] = "/tmp/qvliveXXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        m_folder = folder;
        ASSERT_EQ(::symlink(m_emu.SlavePath().c_str(), Link().c_str()), 0);
        ::setenv("QUORVANTI_SERIAL_PREFIX", (m_folder + "/tty").c_str(), 1);
        m_emu.With([](CemuSerialLogger& l) {
            l.Config().boxType = BOX_TYPE_ZEMBROW;
            l.Identity().id = 40;
            l.Identity().version = "1.02";
            l.Identity().sensorCode[0] = 2;
            l.Identity().sensorType[0] = 1;
            l.Memory()[0xA6] = 26;
            // Stored file in slot 0: three readings, one second apart.
            l.Config().slotState[0] = 7;
            l.Config().fileCount = 1;
            l.Config().slotData[0] = {1, 0, 0, 30, 9, 9, 10, 25, 0x20, 1, 3, 0, 0, 2, 0, 0};
            for (int i = 0; i < 3; ++i)
                l.Config().slotData[0].insert(l.Config().slotData[0].end(),
                                              {0, 0, 0, uint8_t(0x40 * (i + 1)), 0, 0, 0, 0});
        });
    }

    int ExpectedHardware() const override { return BOX_TYPE_ZEMBROW; }

    void TearDown() override
    {
        qvtest::CtestLiveDoc<>::TearDown();
        ::unsetenv("QUORVANTI_SERIAL_PREFIX");
        if (!m_folder.empty()) {
            ::unlink(Link().c_str());
            ::rmdir(m_folder.c_str());
        }
    }

    std::string Link() const { return m_folder + "/tty" + std::to_string(kPort); }

    CemuSerialPty m_emu;
    std::string m_folder;
};

bool Sent(const std::vector<uint8_t>& received, const std::vector<uint8_t>& bytes)
{
    return std::search(received.begin(), received.end(), bytes.begin(), bytes.end()) != received.end();
}

} // namespace

// A period shorter than the logger's resolution streams 5-byte frames.
TEST_F(SerialLive, ShortPeriodRunStreamsIntoTheDocument)
{
    m_doc.SetActivity(ACTIVITY_PERIODIC);
    m_doc.m_setup.m_setup = SETUP_LOG_PERIODIC_ADVANCED;
    m_doc.m_setup.m_readings = 21;
    m_doc.m_setup.m_period = 0.02;
    ASSERT_EQ(m_doc.Start(), DOC_RESULT_DONE);
    RunUntil([this] { return m_doc.m_state != DOC_STATE_RUNNING; });
    EXPECT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_records, 21);
    EXPECT_TRUE(m_emu.WaitFor([](CemuSerialLogger& l) { return !l.IsStreaming(); }));
    EXPECT_TRUE(Sent(m_emu.Received(), {0x06, 0x86, 0x00, 0x27}));
}

TEST_F(SerialLive, StoredFileIsListedAndFetched)
{
    CxutBoxRequest request;
    request.m_code = BOX_REQUEST_LIST_FILES;
    m_boxes.PostRequest(request);
    ASSERT_EQ(request.m_answer, BOX_ANSWER_DONE);
    CxutFetch& mailbox = m_boxes.m_box.m_fetch;
    RunUntil([&] { return mailbox.GetCount() == 1; });
    ASSERT_EQ(mailbox.GetCount(), 1);
    CxutFetchFile file;
    ASSERT_TRUE(mailbox.GetFile(0, file));
    EXPECT_EQ(file.m_date, 20251009);

    ASSERT_TRUE(m_doc.StartFetch(file));
    RunUntil([this] { return m_doc.m_state != DOC_STATE_FETCHING; });
    ASSERT_EQ(m_doc.m_state, DOC_STATE_STOPPED);
    EXPECT_EQ(m_doc.m_data.m_records, 3);
    CdocFieldKey key;
    ASSERT_TRUE(m_doc.m_data.m_fields.GetSensor(key, 0));
    EXPECT_LT(key.m_field->m_samples[0], key.m_field->m_samples[2]);
}
