// Operations on whole channels: duplicate, function channels, invert, tare,
// conversion, smoothing and the refresh that follows them.
#include "data/calcTestSupport.h"
#include "data/opsTestSupport.h"
#include "support/testBoxes.h"

#include <gtest/gtest.h>

using qvtest::OpsTest;
using qvtest::PressKeys;

namespace {

std::vector<float> Head(const CdocField& f, int n)
{
    return std::vector<float>(f.m_samples, f.m_samples + n);
}

class DataOps : public OpsTest
{
protected:
    // An annotation at a point in the units of two channels.
    void Annotate(CdocField& x, CdocField& y, const wxString& text)
    {
        const int slot = m_doc.m_annotations.Add();
        ASSERT_GE(slot, 0);
        CdocAnnotation& annotation = m_doc.m_annotations.m_slots[size_t(slot)];
        annotation.m_text = text;
        annotation.m_fieldX = KeyOf(x);
        annotation.m_fieldY = KeyOf(y);
    }

    // Shown channels of one unit share one displayed scale, and it holds
    // the channel's data.
    void ExpectSharedScale(const CdocField& n)
    {
        for (int i = 0; i < Fields().GetCount(); ++i) {
            const CdocField& f = At(i);
            const bool time = f.m_content == CONTENT_READING || f.m_content == CONTENT_ELAPSED_TIME;
            if (f.m_show && !time && f.m_unit == n.m_unit) {
                EXPECT_EQ(f.m_now, n.m_now) << f.m_name.utf8_string() << " beside " << n.m_unit.utf8_string();
            }
        }
        EXPECT_TRUE(n.m_now.Contains(n.m_dataRange.m_min) && n.m_now.Contains(n.m_dataRange.m_max));
    }

    // T (s), then A "Distance" (m), B "Force" (N) and C "Height" (m).
    void MakeChannels()
    {
        m_t = &AddTime({0, 1, 2, 3});
        m_a = &AddManual({0, 2, 4, 6}, "Distance", "m");
        m_b = &AddManual({1, 1, 2, NAN}, "Force", "N");
        m_c = &AddManual({1, 1, 1, 1}, "Height", "m");
    }

    // A formula channel whose formula reads the channels given, in the keys' letters.
    CdocField& AddFormulaOf(const std::string& keys, const std::vector<CdocField*>& channels)
    {
        CdocFieldKey key;
        EXPECT_TRUE(Data().AddFormulaField(&key));
        CdocField& field = *Fields().Find(key);
        CdocCalc* calc = m_doc.m_calcs.FindByChannel(&field);
        EXPECT_EQ(PressKeys(*calc, keys, channels), keys.size());
        EXPECT_TRUE(calc->Parse());
        m_doc.m_calcs.RecalculateAll();
        return field;
    }

    CdocField* m_t = nullptr;
    CdocField* m_a = nullptr;
    CdocField* m_b = nullptr;
    CdocField* m_c = nullptr;
};

TEST_F(DataOps, FunctionChannels)
{
    const float no = DOC_NO_VALUE;
    struct Case
    {
        int mode;
        char b; // 'B', 'C' or none
        const char* unit;
        wxString descript;
        std::vector<float> samples;
    };
    const Case cases[] = {
        {FUNCTION_DUPLICATE, 0, "m", "distance moved", {0, 2, 4, 6}},
        {FUNCTION_FIT,
         0,
         "m",
         "Best straight line fit to \"A\" with respect to \"T\" : y = 2.0000 x + 0.0000",
         {0, 2, 4, 6}},
        {FUNCTION_GRADIENT, 0, "m/s", gumGetString(2483), {2, 2, 2, 2}},
        {FUNCTION_AREA, 0, "m.s", gumGetString(2484), {0, 1, 4, 9}},
        {FUNCTION_DIFFERENCE, 'C', "m", "Difference between \"A\" and \"C\"", {-1, 1, 3, 5}},
        {FUNCTION_DIFFERENCE, 'B', "m-N", "Difference between \"A\" and \"B\"", {-1, 1, 2, no}},
        {FUNCTION_PRODUCT, 'B', "m.N", "Product of \"A\" and \"B\"", {0, 2, 8, no}},
    };
    for (const Case& c : cases) {
        Data().RemoveAllFields();
        MakeChannels();
        m_a->m_descript = "distance moved";
        m_owner.m_hints.clear();
        qvtest::CtestBoxes boxes;
        const CdocField* b = c.b == 'B' ? m_b : c.b == 'C' ? m_c : nullptr;
        CdocFieldKey out;
        ASSERT_TRUE(Data().CreateFunctionField(KeyOf(*m_a), b ? KeyOf(*b) : CdocFieldKey(), c.mode, &out)) << c.mode;
        const CdocField* n = Resolve(out);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(Fields().GetCount(), 5);
        EXPECT_EQ(n->m_name, "'Distance") << c.mode;
        EXPECT_EQ(n->m_unit, c.unit) << c.mode;
        EXPECT_EQ(n->m_descript, c.descript) << c.mode;
        EXPECT_EQ(Head(*n, 4), c.samples) << c.mode;
        EXPECT_EQ(Head(*n, 4), std::vector<float>(n->m_unsmoothed, n->m_unsmoothed + 4)) << c.mode;
        EXPECT_FALSE(n->m_manualLogOverNull);
        EXPECT_EQ(m_owner.Count(HINT_CHANNEL_ADDED), 1);
        ExpectSharedScale(*n);
        if (c.mode != FUNCTION_DUPLICATE) {
            EXPECT_EQ(n->m_cal, n->m_dataRange) << c.mode;
        }
        // Only the fit shows its line in a box.
        ASSERT_EQ(boxes.m_calls.size(), c.mode == FUNCTION_FIT ? 1u : 0u);
        if (c.mode == FUNCTION_FIT) {
            EXPECT_EQ(boxes.m_calls[0].text, c.descript);
        }
    }
}

TEST_F(DataOps, FunctionChannelFailures)
{
    MakeChannels();
    const CdocFieldKey a = KeyOf(*m_a);
    const CdocFieldKey gone(987654, -1, nullptr);
    struct Case
    {
        const char* what;
        CdocFieldKey a, b;
        int mode;
    };
    const Case cases[] = {
        {"mode below 0", a, a, -1},
        {"mode above 5", a, a, 6},
        {"no channel A", gone, a, FUNCTION_FIT},
        {"no channel B for a difference", a, gone, FUNCTION_DIFFERENCE},
        {"no channel B for a product", a, CdocFieldKey(), FUNCTION_PRODUCT},
    };
    for (const Case& c : cases) {
        CdocFieldKey out(5, 5, nullptr);
        EXPECT_FALSE(Data().CreateFunctionField(c.a, c.b, c.mode, &out)) << c.what;
        EXPECT_EQ(out.m_key, 5) << c.what;
        EXPECT_EQ(Fields().GetCount(), 4) << c.what;
    }
    // Without an elapsed-time or reading-number channel nothing is made.
    Data().RemoveTimeField();
    EXPECT_FALSE(Data().CreateFunctionField(a, a, FUNCTION_GRADIENT, nullptr));
    EXPECT_EQ(Fields().GetCount(), 3);
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_ADDED), 0);
}

TEST_F(DataOps, TwentyChannelsAreTheLimit)
{
    MakeChannels();
    while (Fields().GetCount() < DOC_MAX_FIELDS)
        AddManual({1, 2, 3, 4}, "More");
    m_owner.m_hints.clear();
    CdocFieldKey out;
    EXPECT_FALSE(Data().DuplicateField(KeyOf(*m_a), &out));
    for (int mode = FUNCTION_DUPLICATE; mode <= FUNCTION_PRODUCT; ++mode)
        EXPECT_FALSE(Data().CreateFunctionField(KeyOf(*m_a), KeyOf(*m_b), mode, &out)) << mode;
    EXPECT_EQ(Fields().GetCount(), DOC_MAX_FIELDS);
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_TRUE(m_owner.m_hints.empty());
    EXPECT_EQ(Head(*m_a, 4), (std::vector<float>{0, 2, 4, 6}));
}

TEST_F(DataOps, FunctionChannelsTakeTheGraphsXAxis)
{
    MakeChannels();
    CdocField& x = AddManual({0, 1, 2, NAN}, "Push", "N");
    m_doc.m_graph.m_axisX = KeyOf(x);
    qvtest::CtestBoxes boxes;
    CdocFieldKey out;
    ASSERT_TRUE(Data().CreateFunctionField(KeyOf(*m_a), CdocFieldKey(), FUNCTION_FIT, &out));
    // A = 2x; the fit channel is empty where x is.
    EXPECT_EQ(m_a->m_fitLabel, "y = 2.0000 x + 0.0000");
    EXPECT_EQ(Head(*Resolve(out), 4), (std::vector<float>{0, 2, 4, DOC_NO_VALUE}));
    EXPECT_EQ(Resolve(out)->m_descript,
              "Best straight line fit to \"A\" with respect to \"D\" : y = 2.0000 x + 0.0000");

    // Without a graph axis and without elapsed time, the reading number.
    m_doc.m_graph.m_axisX.Clear();
    Data().RemoveTimeField();
    ASSERT_TRUE(Data().AddReadingField(false, false));
    ASSERT_TRUE(Data().CreateFunctionField(KeyOf(*m_a), CdocFieldKey(), FUNCTION_GRADIENT, &out));
    EXPECT_EQ(Resolve(out)->m_unit, "m/");
    EXPECT_EQ(Head(*Resolve(out), 4), (std::vector<float>{2, 2, 2, 2}));
}

// A line that cannot be fitted leaves the fit channel without values, never inf or NaN.
TEST_F(DataOps, FitChannelWithoutALine)
{
    MakeChannels();
    m_doc.m_graph.m_axisX = KeyOf(*m_c); // every x is 1
    qvtest::CtestBoxes boxes;
    CdocFieldKey out;
    ASSERT_TRUE(Data().CreateFunctionField(KeyOf(*m_a), CdocFieldKey(), FUNCTION_FIT, &out));
    const CdocField& n = *Resolve(out);
    EXPECT_EQ(m_a->m_fitM, 1.0f);
    EXPECT_EQ(m_a->m_fitC, 0.0f);
    EXPECT_TRUE(m_a->m_fitLabel.empty());
    for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
        ASSERT_EQ(n.m_samples[i], DOC_NO_VALUE) << i;
    EXPECT_TRUE(n.m_manualLogOverNull);
    EXPECT_TRUE(std::isfinite(n.m_now.m_max) && std::isfinite(n.m_now.m_min));
    ASSERT_EQ(boxes.m_calls.size(), 1u);
    EXPECT_EQ(boxes.m_calls[0].text, "Best straight line fit to \"A\" with respect to \"C\" : ");
}

TEST_F(DataOps, DuplicateCopiesTheChannel)
{
    MakeChannels();
    m_a->m_colour = CdocColour(1, 2, 3);
    CdocFieldKey out;
    ASSERT_TRUE(Data().DuplicateField(KeyOf(*m_a), &out));
    const CdocField& copy = *Resolve(out);
    EXPECT_EQ(copy.m_name, "'Distance");
    EXPECT_EQ(copy.m_content, CONTENT_MANUAL);
    EXPECT_EQ(Head(copy, 4), Head(*m_a, 4));
    EXPECT_EQ(m_owner.TableMessages().back(), (std::vector<int>{TABLE_COLS_INSERTED, 4, 1}));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_ADDED), 1);
    EXPECT_FALSE(Data().DuplicateField(CdocFieldKey(987654, -1, nullptr), &out));
}

TEST_F(DataOps, InvertRecalculatesFormulasAndRefitsLines)
{
    MakeChannels();
    CdocField& f = AddFormulaOf("A*2", {m_a});
    m_doc.m_graph.m_axisX = KeyOf(*m_t);
    EXPECT_EQ(Head(f, 4), (std::vector<float>{0, 4, 8, 12}));
    for (int round = 1; round <= 2; ++round) {
        m_c->m_fitM = 9; // a line that only a refit of every channel puts right
        ASSERT_TRUE(Data().InvertField(KeyOf(*m_a)));
        const float sign = round == 1 ? -1.0f : 1.0f;
        EXPECT_EQ(Head(*m_a, 4), (std::vector<float>{0, sign * 2, sign * 4, sign * 6})) << round;
        EXPECT_EQ(Head(f, 4), (std::vector<float>{0, sign * 4, sign * 8, sign * 12})) << round;
        EXPECT_EQ(m_a->m_fitM, sign * 2) << round;
        EXPECT_EQ(f.m_fitM, sign * 4) << round;
        EXPECT_EQ(m_c->m_fitM, 0.0f) << round;
        EXPECT_EQ(m_owner.Count(HINT_CHANNEL_VALUES), round);
    }
    EXPECT_EQ(m_t->m_fitM, 1.0f); // the x-axis channel keeps no line
}

TEST_F(DataOps, InvertOfAnUnusedChannelRefitsOnlyItsLine)
{
    MakeChannels();
    AddFormulaOf("A*2", {m_a});
    m_doc.m_graph.m_axisX = KeyOf(*m_t);
    m_b->m_fitM = 9;
    ASSERT_TRUE(Data().InvertField(KeyOf(*m_c)));
    EXPECT_EQ(Head(*m_c, 4), (std::vector<float>{-1, -1, -1, -1}));
    EXPECT_EQ(m_c->m_fitM, 0.0f);
    EXPECT_EQ(m_b->m_fitM, 9.0f);
}

TEST_F(DataOps, OperationsOnMissingChannels)
{
    MakeChannels();
    const CdocFieldKey gone(987654, -1, nullptr);
    m_owner.m_hints.clear();
    EXPECT_FALSE(Data().InvertField(gone));
    EXPECT_FALSE(Data().TareField(gone, 1));
    EXPECT_FALSE(Data().ConvertField(gone, "x", "y", 2, 0));
    EXPECT_FALSE(Data().SmoothField(gone));
    EXPECT_FALSE(Data().SetFieldSmoothing(gone, 2));
    EXPECT_FALSE(Data().DeleteField(gone));
    EXPECT_FALSE(Data().SmoothField(KeyOf(*m_t)));
    EXPECT_FALSE(Data().SetFieldSmoothing(KeyOf(*m_t), 2));
    EXPECT_TRUE(m_owner.m_hints.empty());
    EXPECT_EQ(Fields().GetCount(), 4);
}

TEST_F(DataOps, TareAndConvertPostTheirHints)
{
    MakeChannels();
    ASSERT_TRUE(Data().TareField(KeyOf(*m_a), -1));
    EXPECT_EQ(Head(*m_a, 4), (std::vector<float>{-1, 1, 3, 5}));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_VALUES), 1);
    ASSERT_TRUE(Data().ConvertField(KeyOf(*m_a), "Distance", "cm", 100, 0));
    EXPECT_EQ(Head(*m_a, 4), (std::vector<float>{-100, 100, 300, 500}));
    EXPECT_EQ(m_a->m_unit, "cm");
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_CHANGED), 1);
    EXPECT_GE(m_owner.m_modified, 2);
}

TEST_F(DataOps, DeleteRecalculatesFormulasThatReadTheChannel)
{
    MakeChannels();
    CdocField& f = AddFormulaOf("A+1", {m_a});
    Annotate(*m_t, *m_a, "on A");
    Annotate(*m_t, *m_c, "on C");
    m_owner.m_hints.clear();
    ASSERT_TRUE(Data().DeleteField(KeyOf(*m_a)));
    EXPECT_EQ(Fields().GetCount(), 4);
    ASSERT_EQ(m_doc.m_annotations.m_count, 1);
    EXPECT_EQ(m_doc.m_annotations.m_slots[0].m_text, "on C");
    EXPECT_EQ(Head(f, 4), std::vector<float>(4, DOC_NO_VALUE));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_REMOVED), 1);
    EXPECT_TRUE(m_owner.TableMessages().empty());
}

TEST_F(DataOps, RestoringSmoothingTouchesOnlyChangedChannels)
{
    MakeChannels();
    m_b->SetSample(3, 5);
    Data().SaveSmoothing();
    ASSERT_TRUE(Data().SetFieldSmoothing(KeyOf(*m_a), 1));
    EXPECT_EQ(Head(*m_a, 4), (std::vector<float>{1, 2, 4, 5}));
    ASSERT_TRUE(Data().SmoothField(KeyOf(*m_b)));
    EXPECT_EQ(m_b->m_smoothTimes, 1);
    m_owner.m_hints.clear();
    Data().RestoreSmoothing(); // the dialog was cancelled
    EXPECT_EQ(Head(*m_a, 4), (std::vector<float>{0, 2, 4, 6}));
    EXPECT_EQ(m_a->m_smoothEpsilon, 0);
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_VALUES), 1);
}

} // namespace
