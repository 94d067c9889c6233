// Test label: threads
// A stored file of an emulated box type 10 logger downloaded into the
// document over each real transport: the simulated USB device the driver
// finds and opens, and the simulated Bluetooth LE peripheral. The test
// stands in for the box thread's fetch state.
#include "app/base/gumCommands.h"
#include "app/base/gumResCore.h"
#include "data/dataTestSupport.h"
#include "emulators/emuXLoggerFar.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwKestilonDriver.h"
#include "hardware/xhwLink.h"
#include "hardware/xhwSenFile.h"
#include "document/testStoredFileFetch.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class FetchOver : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_res.LoadStrings());
        ASSERT_TRUE(m_db.Load());
        gumSetCommandPoster([](int, int) {});
        m_doc.m_owner = &m_owner;
        m_doc.m_boxInfo.m_info.m_hardware = BOX_TYPE_KESTILON;
        m_doc.m_boxInfo.m_info.m_maxSensors = 4;
        m_doc.m_waitingForFind = false;
        m_doc.m_data.AddReadingField(true, true);
        m_doc.m_data.AddTimeField(true, true);

        m_far = std::make_unique<CemuXLoggerFar>(GetParam());
        m_far->With([](CemuXLogger& logger) {
            CemuXLoggerConfig& config = logger.Config();
            // 15 July 2009 13:45:30; input 1 only; six readings 2 s apart;
            // one mark at 5 s.
            config.fileHeader = {0x15, 0x07, 0x09, 0x13, 0x45, 0x30, 0, 69, 0, 0, 0, 6, 0, 2, 4, 1};
            config.marks = {5};
            for (int i = 0; i < 6; ++i) {
                config.fileData.push_back(uint8_t(i + 1));
                config.fileData.push_back(0x80);
            }
        });
        CxhwBox& box = m_boxes.m_box;
        const int link = GetParam() ? BOX_LINK_USB : BOX_LINK_BTLE;
        ASSERT_TRUE(xhwKestilonOpen(box, link, wxString(), nullptr));
        ASSERT_TRUE(xhwKestilonIdentify(box, false, false));
        ASSERT_EQ(box.m_info.m_hardware, BOX_TYPE_KESTILON);
    }

    void TearDown() override
    {
        xhwResetLink(m_boxes.m_box);
        gumSetCommandPoster(nullptr);
    }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CappOptions m_options;
    qvtest::CtestBoxes m_shown;
    std::unique_ptr<CemuXLoggerFar> m_far;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    qvtest::CtestDocOwner m_owner;
};

std::string TransportName(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "Usb" : "Btle";
}

INSTANTIATE_TEST_SUITE_P(Transports, FetchOver, testing::Bool(), TransportName);

TEST_P(FetchOver, StoredFileBecomesTheDocument)
{
    qvtest::FetchAndCheckStoredFile(m_doc, m_boxes.m_box);
}

} // namespace
