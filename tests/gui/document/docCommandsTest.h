#pragma once
// A document of the application without the application's start: the
// command table, the exports and the pop-up menus act on it directly.
#include "app/appOptions.h"
#include "app/gumApp.h"
#include "data/dataTestSupport.h"
#include "document/gumDoc.h"
#include "hardware/xhwBoxTypes.h"
#include "support/guiSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace qvtest {

class CdocCommandsTest : public testing::Test
{
protected:
    CdocCommandsTest()
    {
        m_res.LoadStrings();
        m_doc = std::make_unique<CgumDoc>();
        Fields().Reserve(DOC_MAX_FIELDS);
        // Known view switches, whatever the options gave the new document.
        Doc().m_viewTitle = false;
        Doc().m_viewTable = false;
        Doc().m_viewDigits = false;
        Doc().m_viewGauge = true;
        Doc().m_graph.m_heavy = true;
    }

    CdocDoc& Doc() { return m_doc->m_doc; }
    CdocFieldV& Fields() { return Doc().m_data.m_fields; }

    // Channels by letter: R reading number, T elapsed time, S the sensor on
    // input 0, O a sensor switched off on input 1, M manual.
    CdocField& Add(char c)
    {
        CdocField& field = *Fields().GetAt(Fields().Add(1));
        switch (c) {
        case 'R': field.InitReading(100.0f, 100.0f, 100.0f); break;
        case 'T': field.InitElapsedTime(); break;
        case 'S': field.InitSensor(0, Doc().m_boxInfo.m_sensors[0]); break;
        case 'O':
            field.InitSensor(1, MakeSensor(11, 1));
            field.m_fieldEnable = false;
            break;
        default: field.InitManual(); break;
        }
        field.m_name = wxString(c);
        return field;
    }

    void Records(int n)
    {
        for (int f = 0; f < Fields().GetCount(); ++f)
            for (int i = 0; i < n; ++i)
                Fields().GetAt(f)->SetSample(i, float(i));
        Doc().m_data.SetRecords(n);
        Doc().m_data.m_logNext = n;
    }

    void SimulatedLogger()
    {
        CxutBoxInfo& info = Doc().m_boxInfo.m_info;
        info.m_hardware = BOX_TYPE_SIMULATED;
        info.m_firmware = 1.0f;
        info.m_maxSensors = 4;
        Doc().m_boxInfo.m_sensors[0] = MakeSensor(10, 1);
        Doc().m_waitingForFind = false;
    }

    void XAxis(char c)
    {
        for (int f = 0; f < Fields().GetCount(); ++f)
            if (Fields().GetAt(f)->m_name == wxString(c))
                Doc().m_graph.SetFieldX(Fields().GetAt(f));
    }

    // The update answer: 'E' enabled, '.' disabled, '-' not answered; and
    // 'x' ticked, '.' not, '-' no check mark set.
    std::pair<char, char> Update(int id)
    {
        wxUpdateUIEvent event(id);
        if (!m_doc->ProcessEvent(event))
            return {'-', '-'};
        const char enabled = !event.GetSetEnabled() ? '-' : event.GetEnabled() ? 'E' : '.';
        const char ticked = !event.GetSetChecked() ? '-' : event.GetChecked() ? 'x' : '.';
        return {enabled, ticked};
    }

    bool Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        return m_doc->ProcessEvent(event);
    }

    // First: the application's own options must not replace the test's.
    CgumApp& m_app = CreateApp();
    CgumResCore m_res;
    CappOptions m_options; // user level 4: every feature allowed
    CtestBoxes m_boxes;
    std::unique_ptr<CgumDoc> m_doc;
};

} // namespace qvtest
