// The formula set: taking formulas into use, order numbers, dependencies,
// recalculation over the stored records and calculation while logging.
#include "data/calcTestSupport.h"
#include "data/dataTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using qvtest::DataTest;
using qvtest::PressKeys;

namespace {

class Calcs : public DataTest
{
protected:
    CdocCalcs& Set() { return m_doc.m_calcs; }

    CdocField& AddManual(std::vector<float> samples)
    {
        CdocField& field = At(Fields().Add(1));
        field.InitManual();
        for (size_t i = 0; i < samples.size(); ++i)
            field.SetSample(int(i), samples[i]);
        Data().m_records = std::max(Data().m_records, int(samples.size()));
        m_channels.push_back(&field);
        return field;
    }

    // A formula channel with its own formula; its letter is the next one.
    CdocField& AddFormula(float initial = 0.0f)
    {
        CdocFieldKey key;
        EXPECT_TRUE(Data().AddFormulaField(&key));
        CdocField& field = *Fields().Find(key);
        field.m_manual = initial;
        m_channels.push_back(&field);
        return field;
    }

    // Types the channel's formula; letters name channels in creation order.
    CdocCalc& Write(CdocField& channel, const std::string& keys)
    {
        CdocCalc* calc = Set().FindByChannel(&channel);
        EXPECT_NE(calc, nullptr);
        calc->Clear();
        EXPECT_EQ(PressKeys(*calc, keys, m_channels), keys.size()) << keys;
        EXPECT_TRUE(calc->Parse()) << keys;
        return *calc;
    }

    std::vector<float> Samples(const CdocField& field)
    {
        return std::vector<float>(field.m_samples, field.m_samples + Data().m_records);
    }

    // Logs the stored records again through the logging step, with an
    // unstored reading before each stored one.
    void Relog()
    {
        m_doc.m_state = DOC_STATE_RUNNING;
        Data().m_logNext = 0;
        Data().InitCurrentValues();
        const int raw[DOC_RAW_VALUES] = {0, 0, 0, 0, 0, 0};
        for (int n = Data().m_records; n > 0; --n) {
            ASSERT_TRUE(Data().SetCurrentValues(raw, false, false));
            ASSERT_TRUE(Data().SetCurrentValues(raw, true, false));
        }
    }

    std::vector<CdocField*> m_channels;
};

} // namespace

TEST_F(Calcs, RecurrencesAreTheSameRecalculatedAndLogged)
{
    CdocField& a = AddManual({1.0f, 2.5f, -3.0f, 4.0f, 0.25f});
    CdocField& h = AddFormula(7.0f);   // B = C: reads C before C is calculated
    CdocField& f = AddFormula(0.5f);   // C = A + C: a running sum
    CdocField& g = AddFormula();       // D = C * 2: reads C after it
    f.m_gain = 2.0f;
    f.m_offset = 1.0f;
    Write(h, "C");
    Write(f, "A+C");
    Write(g, "C*2");
    Set().RecalculateAll();

    float previous = 0.5f;
    for (int i = 0; i < 5; ++i) {
        const float sum = (a.m_samples[i] + previous) * 2.0f + 1.0f;
        EXPECT_EQ(f.m_samples[i], sum) << i;
        EXPECT_EQ(f.m_unsmoothed[i], sum) << i;
        EXPECT_EQ(g.m_samples[i], sum * 2.0f) << i;
        EXPECT_EQ(h.m_samples[i], i == 0 ? 0.5f : previous) << i; // the previous record
        previous = sum;
    }
    const auto [lo, hi] = std::minmax_element(f.m_samples, f.m_samples + 5);
    EXPECT_EQ(f.m_dataRange, CxhwMinMax(*hi, *lo));

    const std::vector<float> recalculated[] = {Samples(h), Samples(f), Samples(g)};
    for (CdocField* field : {&h, &f, &g})
        field->FillAllSamples(DOC_NO_VALUE);
    Relog();
    EXPECT_EQ(Samples(h), recalculated[0]);
    EXPECT_EQ(Samples(f), recalculated[1]);
    EXPECT_EQ(Samples(g), recalculated[2]);
    EXPECT_EQ(f.m_current, f.m_samples[4]);

    // In dependency order B reads the same record of C.
    Set().SortByDependency();
    EXPECT_EQ(Set().GetAt(0), Set().FindByChannel(&f));
    Set().RecalculateAll();
    EXPECT_EQ(Samples(h), Samples(f));
    const std::vector<float> sorted = Samples(h);
    Relog();
    EXPECT_EQ(Samples(h), sorted);
}

TEST_F(Calcs, DependencyOrder)
{
    CdocField& a = AddManual({1.0f});
    CdocField& b = AddFormula(); // B = C + 1
    CdocField& c = AddFormula(); // C = D * 2
    CdocField& d = AddFormula(); // D = A
    Write(b, "C+1");
    Write(c, "D*2");
    Write(d, "A");
    CdocCalc* fb = Set().FindByChannel(&b);
    CdocCalc* fc = Set().FindByChannel(&c);
    CdocCalc* fd = Set().FindByChannel(&d);

    // Through other formulas.
    EXPECT_TRUE(Set().UsesField(fb, &a));
    EXPECT_TRUE(Set().UsesKey(fb, CdocFieldKey(a.m_key, -1, nullptr)));
    EXPECT_FALSE(Set().UsesKey(fb, CdocFieldKey(12345678, -1, nullptr)));
    EXPECT_FALSE(Set().UsesField(fd, &b));
    EXPECT_TRUE(Set().IsFieldUsed(&a));
    EXPECT_FALSE(Set().IsFieldUsed(&b));
    EXPECT_TRUE(Set().MustFollow(fb, fc));
    EXPECT_FALSE(Set().MustFollow(fc, fb));

    Set().SortByDependency();
    EXPECT_EQ(Set().GetAt(0), fd);
    EXPECT_EQ(Set().GetAt(1), fc);
    EXPECT_EQ(Set().GetAt(2), fb);
    Set().RecalculateAll();
    EXPECT_EQ(b.m_samples[0], 3.0f);
}

TEST_F(Calcs, CyclesEndAndGoByOrderNumber)
{
    AddManual({1.0f, 1.0f});
    CdocField& p = AddFormula(0.0f);  // B = C + 1
    CdocField& q = AddFormula(10.0f); // C = B + 1
    Write(p, "C+1");
    Write(q, "B+1");
    CdocCalc* fp = Set().FindByChannel(&p);
    CdocCalc* fq = Set().FindByChannel(&q);
    ASSERT_EQ(fp->m_order, 0);
    ASSERT_EQ(fq->m_order, 1);

    EXPECT_TRUE(Set().UsesField(fp, &p));
    EXPECT_FALSE(Set().IsFieldUsed(m_channels[0]));
    EXPECT_FALSE(Set().MustFollow(fp, fq));
    EXPECT_TRUE(Set().MustFollow(fq, fp));
    Set().Move(0, 1);
    ASSERT_EQ(Set().GetAt(0), fq);
    Set().SortByDependency();
    EXPECT_EQ(Set().GetAt(0), fp);
    Set().RecalculateAll();
    EXPECT_EQ(Samples(p), (std::vector<float>{11.0f, 13.0f}));
    EXPECT_EQ(Samples(q), (std::vector<float>{12.0f, 14.0f}));
}

TEST_F(Calcs, NoValueAndNothingNonFiniteIsStored)
{
    const float nv = DOC_NO_VALUE;
    AddManual({4.0f, 1e30f, -8.0f, nv, 2.0f});
    AddManual({2.0f, 1e-30f, 0.0f, 1.0f, 0.5f});
    CdocField& f = AddFormula(); // C = A / B
    CdocField& r = AddFormula(); // D = B ^ 0.5 * A
    CdocField& s = AddFormula(); // E = A, scaled beyond the float range
    f.m_gain = 2.0f;
    f.m_offset = 3.0f;
    s.m_gain = 1e30f;
    Write(f, "A/B");
    Write(r, "A^0.5*B");
    Write(s, "A");
    Set().RecalculateAll();
    Relog();
    EXPECT_EQ(Samples(f), (std::vector<float>{7.0f, nv, nv, nv, 11.0f}));
    EXPECT_EQ(Samples(r), (std::vector<float>{4.0f, std::pow(1e30f, 0.5f) * 1e-30f, nv, nv, std::sqrt(2.0f) * 0.5f}));
    EXPECT_EQ(Samples(s), (std::vector<float>{4e30f, nv, -8e30f, nv, 2e30f}));
    for (const CdocField* field : {&f, &r, &s}) {
        for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
            ASSERT_TRUE(std::isfinite(field->m_samples[i]) && std::isfinite(field->m_unsmoothed[i]));
        EXPECT_TRUE(std::isfinite(field->m_dataRange.m_max) && std::isfinite(field->m_dataRange.m_min));
        EXPECT_TRUE(std::isfinite(field->m_current) && std::isfinite(field->m_running));
    }
}

TEST_F(Calcs, TwentyFormulasAtMost)
{
    EXPECT_TRUE(Set().Reserve(0));
    EXPECT_EQ(Set().Add(0), -1);
    EXPECT_EQ(Set().Add(19), 18);
    EXPECT_EQ(Set().Add(2), -1);
    EXPECT_EQ(Set().m_count, 19);
    EXPECT_EQ(Set().Add(1), 19);
    EXPECT_EQ(Set().Add(1), -1);

    // Taken out of use, an object waits at the end and comes back reset.
    CdocCalc* third = Set().GetAt(2);
    third->m_order = 7;
    ASSERT_TRUE(third->AppendDigit(1));
    Set().RemoveAt(2);
    Set().RemoveAt(19);
    EXPECT_EQ(Set().m_count, 19);
    EXPECT_EQ(Set().IndexOf(third), -1);
    EXPECT_EQ(Set().Add(1), 19);
    EXPECT_EQ(Set().GetAt(19), third);
    EXPECT_EQ(third->m_order, -1);
    EXPECT_FALSE(third->HasTokens());
    EXPECT_EQ(Set().GetAt(20), nullptr);

    ASSERT_TRUE(Set().CreateMore(2));
    Set().DeleteAll();
    EXPECT_EQ(Set().m_count, 0);
    EXPECT_EQ(Set().GetAt(0), nullptr);
    EXPECT_EQ(Set().Add(1), 0);
    EXPECT_EQ(Set().GetAt(0)->m_doc, &m_doc);
}

TEST_F(Calcs, Renumbering)
{
    struct Row
    {
        std::vector<int> before, after;
    };
    const Row rows[] = {
        {{5, -1, 2}, {1, 2, 0}},
        {{-1, -1}, {0, 1}},
        {{3, 3, -1, 0}, {1, 2, 3, 0}}, // equal numbers keep list order
    };
    for (const Row& row : rows) {
        Set().Clear();
        Set().Add(int(row.before.size()));
        for (size_t i = 0; i < row.before.size(); ++i)
            Set().GetAt(int(i))->m_order = row.before[i];
        Set().RenumberOrder();
        for (size_t i = 0; i < row.after.size(); ++i)
            EXPECT_EQ(Set().GetAt(int(i))->m_order, row.after[i]) << i;
    }
}

TEST_F(Calcs, InitialValues)
{
    CdocField& f = AddFormula(4.0f); // A = A * 2
    Write(f, "A*2");
    // Without records only the running value and the data range change.
    Set().RecalculateAll();
    EXPECT_EQ(f.m_running, 4.0f);
    EXPECT_EQ(f.m_dataRange, CxhwMinMax(1.0f, 0.0f));

    // An initial value that no result shows recalculates nothing.
    CdocField& a = AddManual({1.0f, 2.0f});
    CdocField& g = AddFormula(); // C = B + 1
    Write(f, "B*2");
    Write(g, "B+1");
    f.m_samples[0] = 99.0f;
    EXPECT_FALSE(Set().RecalculateChannel(&f));
    EXPECT_EQ(f.m_samples[0], 99.0f);
    EXPECT_FALSE(Set().RecalculateChannel(&a));
    EXPECT_FALSE(Set().RecalculateIfUses(&f));

    // Read by a formula earlier in the list, or by its own, it shows.
    Write(f, "C");
    EXPECT_TRUE(Set().RecalculateChannel(&g));
    EXPECT_EQ(Samples(f), (std::vector<float>{0.0f, 2.0f}));
    Write(f, "B+A");
    EXPECT_TRUE(Set().RecalculateChannel(&f));
    EXPECT_EQ(Samples(f), (std::vector<float>{5.0f, 7.0f}));
    EXPECT_TRUE(Set().RecalculateIfUses(&a));
}

TEST_F(Calcs, NewRunClearsFormulasOfLiveChannels)
{
    Data().AddTimeField(true, true);
    m_channels.push_back(&At(0)); // T is no letter; A stands for it here
    AddManual({1.0f, 2.0f});      // B
    CdocField& live = AddFormula(); // C = A * 2, from the time channel
    CdocField& kept = AddFormula(); // D = B + 1
    Write(live, "A*2");
    Write(kept, "B+1");
    Set().RecalculateAll();
    EXPECT_EQ(Samples(live), (std::vector<float>{0.0f, 0.2f}));
    EXPECT_TRUE(Set().UsesSourceField(Set().FindByChannel(&live)));
    EXPECT_FALSE(Set().UsesSourceField(Set().FindByChannel(&kept)));

    Set().StartRun();
    EXPECT_EQ(live.m_samples[1], DOC_NO_VALUE);
    EXPECT_EQ(Samples(kept), (std::vector<float>{2.0f, 3.0f}));
}

TEST_F(Calcs, FormulasWriteOnlyIntoTheirOwnFormulaChannel)
{
    CdocField& a = AddManual({1.0f, 2.0f});
    CdocField& f = AddFormula(); // B = A * 10
    CdocCalc& calc = Write(f, "A*10");

    // Aimed at a manual channel, the formula writes nothing.
    calc.m_field = CdocFieldKey(a.m_key, 0, &a);
    Set().RecalculateAll();
    Relog();
    EXPECT_EQ(Samples(a), (std::vector<float>{1.0f, 2.0f}));

    // A formula left behind by a channel taken out of use does not take over
    // the channel object when it is reused for a new channel.
    calc.m_field = CdocFieldKey(f.m_key, 1, &f);
    Fields().RemoveAt(1);
    CdocField& reused = At(Fields().Add(1));
    ASSERT_EQ(&reused, &f);
    reused.InitFormula();
    EXPECT_EQ(Set().FindByChannel(&reused), nullptr);
    Set().RecalculateAll();
    EXPECT_EQ(Samples(reused), (std::vector<float>{DOC_NO_VALUE, DOC_NO_VALUE}));
}

TEST_F(Calcs, DeletingChannels)
{
    CdocField& a = AddManual({1.0f, 2.0f});
    CdocField& f = AddFormula(); // B = A + 1
    CdocField& g = AddFormula(); // C = 5
    Write(f, "A+1");
    Write(g, "5");
    Set().RecalculateAll();
    m_owner.m_hints.clear();

    // A channel a formula reads: its result is recalculated without it.
    ASSERT_TRUE(Data().DeleteField(CdocFieldKey(a.m_key, 0, &a)));
    EXPECT_EQ(Samples(f), (std::vector<float>{DOC_NO_VALUE, DOC_NO_VALUE}));
    EXPECT_EQ(m_owner.Count(HINT_CHANNEL_REMOVED), 1);
    EXPECT_TRUE(m_owner.TableMessages().empty());
    EXPECT_FALSE(Data().DeleteField(CdocFieldKey(a.m_key, 0, &a)));

    // A formula channel: its formula goes back to the set.
    ASSERT_EQ(Set().m_count, 2);
    ASSERT_TRUE(Data().DeleteField(CdocFieldKey(f.m_key, -1, nullptr)));
    EXPECT_EQ(Set().m_count, 1);
    EXPECT_EQ(Set().GetAt(0), Set().FindByChannel(&g));
}

TEST_F(Calcs, TwentyFormulaChannelsComeAndGo)
{
    CdocFieldKey key;
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(Data().NewFormulaField(&key, false)) << i;
    EXPECT_EQ(Set().m_count, 20);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Set().GetAt(i)->m_field.m_key, At(i).m_key);

    // Delete one and make another, again and again.
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(Data().DeleteField(CdocFieldKey(At(round).m_key, round, nullptr)));
        EXPECT_EQ(Set().m_count, 19);
        ASSERT_TRUE(Data().NewFormulaField(&key, true)) << round;
        EXPECT_NE(Set().FindByChannel(Fields().Find(key)), nullptr);
    }
    // Cancelled in the details dialog, a new one gives its formula back.
    Data().DeleteField(CdocFieldKey(At(0).m_key, 0, nullptr));
    m_owner.m_answer = false;
    EXPECT_FALSE(Data().NewFormulaField(&key, false));
    EXPECT_EQ(Set().m_count, 19);

    // Removals of the store release them too.
    Data().RemoveField(CdocFieldKey(At(0).m_key, 0, nullptr));
    EXPECT_EQ(Set().m_count, 18);
    Data().RemoveDerivedFields();
    EXPECT_EQ(Set().m_count, 0);
    m_owner.m_answer = true;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Data().AddFormulaField(&key));
    Data().RemoveAllFields();
    EXPECT_EQ(Set().m_count, 0);
    ASSERT_TRUE(Data().AddFormulaField(&key));
    Data().Clear();
    EXPECT_EQ(Set().m_count, 0);
}
