#pragma once
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "data/dataTestSupport.h"
#include "document/gumDoc.h"
#include "support/dialogDriver.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <wx/dialog.h>

namespace qvtest {

// A document of the application with channels of its own, outside any
// frame; its dialogs are driven by DialogDriver.
class DocCommandTest : public testing::Test
{
protected:
    DocCommandTest()
    {
        CreateApp();
        m_res.LoadStrings();
        m_gumDoc = std::make_unique<CgumDoc>();
        Doc().m_data.m_fields.Reserve(DOC_MAX_FIELDS);
        Doc().m_calcs.Reserve(DOC_MAX_CALCS);
    }

    ~DocCommandTest() override
    {
        m_gumDoc.reset();
        Pump(20);
    }

    CdocDoc& Doc() { return m_gumDoc->m_doc; }
    CdocFieldV& Fields() { return Doc().m_data.m_fields; }

    // Channels by letter: T elapsed time, R reading number, S a working
    // sensor, M a manual channel; each holds its position plus i at sample i.
    void Make(const std::string& letters, int records = 5)
    {
        for (char c : letters) {
            CdocField& field = *Fields().GetAt(Fields().Add(1));
            switch (c) {
            case 'T': field.InitElapsedTime(); break;
            case 'R': field.InitReading(100.0f, 100.0f, 100.0f); break;
            case 'S': field.InitSensor(0, MakeSensor(10, 1)); break;
            default:
                field.InitManual();
                field.m_name = wxString::Format("Manual%d", Fields().GetCount());
                field.m_unit = "cm";
                break;
            }
            for (int i = 0; i < records; ++i)
                field.SetSample(i, float(Fields().GetCount() + i));
        }
        Doc().m_data.SetRecords(records);
        Doc().m_data.m_logNext = records;
    }

    CdocField* At(int i) { return Fields().GetAt(i); }
    static CdocFieldKey KeyOf(const CdocField* field) { return CdocFieldKey(field->m_key, -1, nullptr); }

    static void Press(wxDialog& dialog, int id)
    {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(dialog.FindWindow(id));
        dialog.GetEventHandler()->ProcessEvent(click);
    }

    CgumResCore m_res;
    CappOptions m_options; // user level 4: every feature allowed
    CtestBoxes m_boxes;
    std::unique_ptr<CgumDoc> m_gumDoc;
};

} // namespace qvtest
