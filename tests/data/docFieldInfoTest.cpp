// A channel's lines of the information text.
#include "data/calcTestSupport.h"
#include "data/opsTestSupport.h"

#include <gtest/gtest.h>

using qvtest::OpsTest;

namespace {

class FieldInfo : public OpsTest
{
protected:
    wxString Info(const CdocField& field)
    {
        wxString text = "before\n";
        field.GetInfoText(text, Data().m_records, Fields().GetLetterNumber(&field));
        return text.Mid(7);
    }
};

TEST_F(FieldInfo, StatisticsLines)
{
    CdocField& a = AddManual({2, 4, 4, NAN, 4, 5, 5, 7, 9}, "Mass", "kg");
    a.m_descript = "a trolley";
    a.m_places = 1;
    EXPECT_EQ(Info(a), " Channel: A\n Name: Mass\n Units: kg\n Description: a trolley\n Maximum: 9.0 kg\n"
                       " Minimum: 2.0 kg\n Mean: 5.00 kg\n Standard deviation: 2.00\n");

    // Only at the user levels that allow it.
    m_options.SetUserLevel(0);
    EXPECT_EQ(Info(a).Find("Standard deviation"), wxNOT_FOUND);
}

TEST_F(FieldInfo, PlacesSeparateMaximumAndMinimum)
{
    CdocField& a = AddManual({1.01, 1.04}, "Level", "m");
    a.m_places = 1;
    EXPECT_NE(Info(a).Find(" Maximum: 1.04 m\n Minimum: 1.01 m\n Mean: 1.025 m\n"), wxNOT_FOUND) << Info(a);
    CdocField& b = AddManual({3, 3}, "Flat", "m");
    b.m_places = 1;
    EXPECT_NE(Info(b).Find(" Maximum: 3.0 m\n Minimum: 3.0 m\n Mean: 3.00 m\n Standard deviation: 0.00\n"), wxNOT_FOUND)
        << Info(b);
}

TEST_F(FieldInfo, ChannelWithoutValues)
{
    CdocField& a = AddManual({NAN, NAN}, "Empty", "V");
    EXPECT_EQ(Info(a), " Channel: A\n Name: Empty\n Units: V\n Description: \n Maximum:  V\n Minimum:  V\n");
    Data().m_records = 0;
    EXPECT_EQ(Info(a), " Channel: A\n Name: Empty\n Units: V\n Description: \n Maximum:  V\n Minimum:  V\n");
}

TEST_F(FieldInfo, TimeChannelsHaveNoDeviation)
{
    CdocField& t = AddTime({0, 1, 2});
    EXPECT_EQ(Info(t).Find("Standard deviation"), wxNOT_FOUND);
    EXPECT_NE(Info(t).Find(" Channel: T\n"), wxNOT_FOUND);
}

TEST_F(FieldInfo, FormulaLine)
{
    CdocField& a = AddManual({1, 2}, "A");
    CdocFieldKey key;
    ASSERT_TRUE(Data().AddFormulaField(&key));
    CdocField& f = *Fields().Find(key);
    // No tokens yet: no formula line.
    EXPECT_EQ(Info(f).Find(" Formula: "), wxNOT_FOUND);
    CdocCalc* calc = m_doc.m_calcs.FindByChannel(&f);
    ASSERT_EQ(qvtest::PressKeys(*calc, "A*2", {&a}), 3u);
    wxString formula;
    calc->GetFormulaText(formula);
    ASSERT_FALSE(formula.empty());
    EXPECT_NE(Info(f).Find(" Description: " + f.m_descript + "\n Formula: " + formula + "\n"), wxNOT_FOUND) << Info(f);
    // A formula channel that no formula fills has no formula line.
    m_doc.m_calcs.RemoveAt(m_doc.m_calcs.IndexOf(calc));
    EXPECT_EQ(Info(f).Find(" Formula: "), wxNOT_FOUND);
}

} // namespace
