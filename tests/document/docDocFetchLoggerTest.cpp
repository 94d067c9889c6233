// A stored file of an emulated box type 10 logger downloaded over USB into
// the document, the test standing in for the box thread's fetch state.
#include "app/base/gumCommands.h"
#include "app/base/gumResCore.h"
#include "data/dataTestSupport.h"
#include "hardware/xhwBox.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "protocol/xutXLoggerTestPort.h"
#include "document/testStoredFileFetch.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

class LoggerFetch : public testing::Test
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

        CxhwBox& box = m_boxes.m_box;
        auto port = std::make_unique<CtestXLoggerPort>();
        CemuXLoggerConfig& config = port->Logger().Config();
        config.usb = true;
        // 15 July 2009 13:45:30; input 1 only; six readings 2 s apart; one
        // mark at 5 s.
        config.fileHeader = {0x15, 0x07, 0x09, 0x13, 0x45, 0x30, 0, 69, 0, 0, 0, 6, 0, 2, 4, 1};
        config.marks = {5};
        for (int i = 0; i < 6; ++i) {
            config.fileData.push_back(uint8_t(i + 1));
            config.fileData.push_back(0x80);
        }
        box.m_xlogger.SetUSBPort(std::move(port));
        box.m_xlogger.SetLinkKind(BOX_LINK_USB);
        ASSERT_TRUE(box.m_xlogger.Open());
        box.m_info.m_hardware = BOX_TYPE_KESTILON;
        box.m_info.m_firmware = 1.05f;
    }

    void TearDown() override { gumSetCommandPoster(nullptr); }

    CgumResCore m_res;
    CxhwSenFile m_db;
    CappOptions m_options;
    qvtest::CtestBoxes m_shown;
    CxhwBoxes m_boxes;
    CdocDoc m_doc;
    qvtest::CtestDocOwner m_owner;
};

} // namespace

TEST_F(LoggerFetch, StoredFileBecomesTheDocument)
{
    qvtest::FetchAndCheckStoredFile(m_doc, m_boxes.m_box);
}
