#pragma once
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"

#include <gtest/gtest.h>
#include <vector>

namespace qvtest {

// A document that records the hints its data object posts and answers the
// channel-details dialog as told.
class CtestDocOwner : public CdocDocOwner
{
public:
    struct Hint
    {
        int code;
        CdocTableMessage table; // for HINT_TABLE_MESSAGE
        int row;                // for hints that point at a row
    };

    void UpdateDocViews(CdocHint& hint) override
    {
        Hint h{hint.m_code, {}, -1};
        if (hint.m_code == HINT_TABLE_MESSAGE && hint.m_data)
            h.table = *static_cast<CdocTableMessage*>(hint.m_data);
        else if (hint.m_data)
            h.row = *static_cast<int*>(hint.m_data);
        m_hints.push_back(h);
    }
    void ModifyDoc() override { ++m_modified; }
    bool ShowNewChannelDetails(CdocFieldKey&, int) override { return m_answer; }
    bool ShowCalcChannelDetails(CdocFieldKey&, int) override { return m_answer; }
    bool ShowCalcResultDetails(CdocFieldKey&, int) override { return m_answer; }
    void RenewFrameTitle() override { ++m_titleRenewals; }

    // The table messages posted, as {id, first, second}.
    std::vector<std::vector<int>> TableMessages() const
    {
        std::vector<std::vector<int>> out;
        for (const Hint& h : m_hints)
            if (h.code == HINT_TABLE_MESSAGE)
                out.push_back({h.table.m_id, h.table.m_int1, h.table.m_int2});
        return out;
    }
    int Count(int code) const
    {
        int n = 0;
        for (const Hint& h : m_hints)
            n += h.code == code;
        return n;
    }

    std::vector<Hint> m_hints;
    int m_modified = 0;
    int m_titleRenewals = 0;
    bool m_answer = true;
};

// A document with the shipped string table and a recording owner.
class DataTest : public testing::Test
{
protected:
    DataTest()
    {
        m_res.LoadStrings();
        m_doc.m_owner = &m_owner;
    }

    CdocData& Data() { return m_doc.m_data; }
    CdocFieldV& Fields() { return m_doc.m_data.m_fields; }
    CdocField& At(int i) { return *m_doc.m_data.m_fields.GetAt(i); }

    CgumResCore m_res;
    CappOptions m_options; // user level 4: every feature allowed
    CdocDoc m_doc;
    CtestDocOwner m_owner;
};

// A classic sensor record with a plain calibration (raw reading as value).
inline CxhwSensor MakeSensor(int ident, int calType, float calMax = 100.0f, float calMin = 0.0f)
{
    CxhwSensor sensor;
    sensor.m_idCode = ident;
    sensor.m_idType = calType;
    sensor.m_calType = calType;
    sensor.m_calib.m_index = ident;
    sensor.m_calib.m_ident = ident;
    sensor.m_calib.m_name = "Sensor " + wxString::Format("%d", ident);
    sensor.m_calib.m_units = "V";
    sensor.m_calib.m_calMax = calMax;
    sensor.m_calib.m_calMin = calMin;
    return sensor;
}

} // namespace qvtest
