// The six output rules and the prediction curve.
#include "data/opsTestSupport.h"
#include "hardware/xhwBoxes.h"

#include <gtest/gtest.h>

using qvtest::OpsTest;

namespace {

class Control : public OpsTest
{
protected:
    CdocControl& Rules() { return m_doc.m_control; }
    int SentMask()
    {
        m_boxes.SetOutputs(-1);
        Rules().UpdateOutputs();
        return m_boxes.GetRequestedOutputs();
    }

    CxhwBoxes m_boxes;
};

TEST_F(Control, NewRulesAreOffAndSendNothing)
{
    for (const CdocControlItem& rule : Rules().m_rules) {
        EXPECT_FALSE(rule.m_enabled);
        EXPECT_EQ(rule.m_reserved, 0);
        EXPECT_TRUE(rule.m_field.IsEmpty());
        EXPECT_TRUE(rule.m_above);
        EXPECT_EQ(rule.m_threshold, 0.0f);
        EXPECT_EQ(rule.m_thresholdText, "0");
    }
    EXPECT_EQ(SentMask(), 0);
}

TEST_F(Control, RulesAtAboveAndBelowTheirThresholds)
{
    CdocField& a = AddManual({});
    struct Case
    {
        bool above;
        float threshold, value;
        bool on;
    };
    const Case cases[] = {
        {true, 5, 5, false},
        {true, 5, 5.01f, true},
        {true, 5, 4.99f, false},
        {false, 5, 5, false},
        {false, 5, 4.99f, true},
        {false, 5, 5.01f, false},
        {true, -2, -1, true},
        {false, 0, -0.5f, true},
        {true, 5, DOC_NO_VALUE, false},
        {false, 5, DOC_NO_VALUE, false},
        {true, 5, NAN, false},
        {false, 5, NAN, false},
    };
    for (int output = 0; output < DOC_MAX_OUTPUT_RULES; ++output) {
        for (const Case& c : cases) {
            for (CdocControlItem& rule : Rules().m_rules)
                rule.Reset();
            CdocControlItem& rule = Rules().m_rules[size_t(output)];
            rule.m_enabled = true;
            rule.m_field = KeyOf(a);
            rule.m_above = c.above;
            rule.m_threshold = c.threshold;
            a.m_current = c.value;
            EXPECT_EQ(rule.IsOn(&m_doc), c.on) << output << " " << c.value;
            EXPECT_EQ(SentMask(), c.on ? 1 << output : 0) << output << " " << c.value;
        }
    }
}

TEST_F(Control, MaskOfSeveralRules)
{
    CdocField& a = AddManual({});
    CdocField& b = AddManual({});
    a.m_current = 10;
    b.m_current = -10;
    auto set = [&](int i, bool enabled, const CdocField& field, bool above, float threshold) {
        CdocControlItem& rule = Rules().m_rules[size_t(i)];
        rule.m_enabled = enabled;
        rule.m_field = KeyOf(field);
        rule.m_above = above;
        rule.m_threshold = threshold;
    };
    set(0, true, a, true, 5);
    set(1, false, a, true, 5);
    set(2, true, b, false, 0);
    EXPECT_EQ(SentMask(), 5);
    set(5, true, a, false, 11);
    EXPECT_EQ(SentMask(), 5 | 32);

    // A deleted channel switches its rule off; so does a document without channels.
    ASSERT_TRUE(Data().DeleteField(KeyOf(b)));
    EXPECT_EQ(SentMask(), 1 | 32);
    Data().RemoveAllFields();
    EXPECT_EQ(SentMask(), 0);
    EXPECT_EQ(Rules().m_rules[0].GetField(&m_doc), nullptr);
    EXPECT_EQ(Rules().m_rules[0].GetField(nullptr), nullptr);

    Rules().m_rules[0].m_enabled = true;
    m_boxes.SetOutputs(7);
    Rules().SwitchAllOff();
    EXPECT_EQ(m_boxes.GetRequestedOutputs(), 0);
    m_boxes.SetOutputs(7);
    Rules().SwitchOffAtStop();
    EXPECT_EQ(m_boxes.GetRequestedOutputs(), 0);
}

class Predict : public OpsTest
{
protected:
    CdocPredict& Curve() { return m_doc.m_predict; }
    void Fill(int n)
    {
        Curve().ClearPoints();
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(Curve().AddPoint(float(i), 1.0f));
    }
};

TEST_F(Predict, Capacity)
{
    Fill(DOC_MAX_PREDICT_POINTS - 2);
    EXPECT_TRUE(Curve().StartStroke(5, 6));
    EXPECT_EQ(Curve().m_count, DOC_MAX_PREDICT_POINTS);
    EXPECT_EQ(Curve().m_x[DOC_MAX_PREDICT_POINTS - 2], DOC_NO_VALUE);
    EXPECT_EQ(Curve().m_y[DOC_MAX_PREDICT_POINTS - 2], DOC_NO_VALUE);
    EXPECT_EQ(Curve().m_x[DOC_MAX_PREDICT_POINTS - 1], 5.0f);
    EXPECT_FALSE(Curve().AddPoint(1, 1));

    Fill(DOC_MAX_PREDICT_POINTS - 1);
    EXPECT_FALSE(Curve().StartStroke(5, 6));
    EXPECT_EQ(Curve().m_count, DOC_MAX_PREDICT_POINTS - 1);
    EXPECT_TRUE(Curve().AddPoint(5, 6));
    EXPECT_EQ(Curve().m_count, DOC_MAX_PREDICT_POINTS);
}

TEST_F(Predict, DrawingStatesAndHints)
{
    bool enabled = false, ticked = true;
    Curve().GetStopDrawingState(&enabled, &ticked);
    EXPECT_FALSE(enabled);
    EXPECT_FALSE(ticked);
    Curve().StartDrawing();
    Curve().GetStartDrawingState(&enabled, &ticked);
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(ticked);
    Curve().GetClearState(&enabled, &ticked);
    EXPECT_TRUE(enabled);
    EXPECT_FALSE(ticked);
    Curve().AddPoint(1, 2);
    Curve().StopDrawing();
    EXPECT_EQ(Curve().m_count, 1);
    Curve().Clear();
    EXPECT_EQ(Curve().m_count, 0);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_ON), 1);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_OFF), 1);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_CLEARED), 1);
    EXPECT_EQ(m_owner.m_modified, 3);
}

TEST_F(Predict, GraphPoints)
{
    CdocField& x = AddManual({}, "X");
    CdocField& y = AddManual({}, "Y");
    CdocField& z = AddManual({}, "Z");
    x.m_now.Set(10, 0);
    y.m_now.Set(200, 100);
    z.m_now.Set(1, -1);
    m_doc.m_graph.m_axisX = KeyOf(x);
    m_doc.m_graph.m_axisL = KeyOf(y);

    Curve().AddGraphPoint(true, 0.5f, 0.5f); // drawing is off
    EXPECT_EQ(Curve().m_count, 0);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_POINT), 0);

    Curve().StartDrawing();
    // The first point belongs to no channels yet: the curve starts on the graph's.
    Curve().AddGraphPoint(true, 0.5f, 0.25f);
    EXPECT_EQ(Curve().m_fieldX.m_key, x.m_key);
    EXPECT_EQ(Curve().m_fieldY.m_key, y.m_key);
    ASSERT_EQ(Curve().m_count, 2);
    EXPECT_EQ(Curve().m_x[1], 5.0f);
    EXPECT_EQ(Curve().m_y[1], 125.0f);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_CLEARED), 1);

    // Axes exchanged: the point lands on the prediction's own channels.
    m_doc.m_graph.m_axisX = KeyOf(y);
    m_doc.m_graph.m_axisL = KeyOf(x);
    Curve().AddGraphPoint(false, 0.75f, 0.2f);
    ASSERT_EQ(Curve().m_count, 3);
    EXPECT_EQ(Curve().m_x[2], 2.0f);
    EXPECT_EQ(Curve().m_y[2], 175.0f);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_CLEARED), 1);

    // Any other change starts afresh.
    m_doc.m_graph.m_axisL = KeyOf(z);
    Curve().AddGraphPoint(false, 0.5f, 1.0f);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_CLEARED), 2);
    ASSERT_EQ(Curve().m_count, 1);
    EXPECT_EQ(Curve().m_x[0], 150.0f);
    EXPECT_EQ(Curve().m_y[0], 1.0f);
    EXPECT_EQ(m_owner.Count(HINT_PREDICT_POINT), 3);

    // A graph without an axis channel takes no point.
    m_doc.m_graph.m_axisL.Clear();
    Curve().AddGraphPoint(true, 0.5f, 0.5f);
    EXPECT_EQ(Curve().m_count, 0);
}

} // namespace
