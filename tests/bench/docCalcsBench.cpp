// Recalculating 20 formula channels over a full store of 20001 records, as
// after every change of a channel that the formulas read.
#include "../data/calcTestSupport.h"
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"

#include <benchmark/benchmark.h>
#include <string>
#include <wx/init.h>

namespace {

// 20 formula channels, each formula of about 25 tokens reading the channel
// before it (this record), itself (the previous record) and numbers.
void SetUpFormulas(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    std::vector<CdocField*> channels;
    for (int i = 0; i < DOC_MAX_CALCS; ++i) {
        CdocFieldKey key;
        if (!data.AddFormulaField(&key))
            return;
        channels.push_back(data.m_fields.Find(key));
        channels.back()->m_manual = float(i);
    }
    for (int i = 0; i < DOC_MAX_CALCS; ++i) {
        const std::string self(1, char('A' + i));
        const std::string before(1, char('A' + (i + DOC_MAX_CALCS - 1) % DOC_MAX_CALCS));
        const std::string keys =
            "(" + before + "*1.5+s" + self + "^2+1))-" + before + "/(" + self + "+2)+-" + self + "*0.001";
        CdocCalc* calc = doc.m_calcs.FindByChannel(channels[size_t(i)]);
        calc->Clear();
        qvtest::PressKeys(*calc, keys, channels);
        calc->Parse();
    }
    data.m_records = DOC_MAX_SAMPLES;
}

void RecalculateAll(benchmark::State& state)
{
    CgumResCore res;
    res.LoadStrings();
    CappOptions options;
    CdocDoc doc;
    SetUpFormulas(doc);
    int nodes = 0;
    for (int i = 0; i < doc.m_calcs.m_count; ++i)
        nodes += doc.m_calcs.GetAt(i)->m_nodes.m_count;
    for (auto _ : state) {
        doc.m_calcs.RecalculateAll();
        benchmark::DoNotOptimize(doc.m_data.m_fields.GetAt(19)->m_samples[20000]);
    }
    state.SetItemsProcessed(state.iterations() * DOC_MAX_SAMPLES);
    state.counters["formulas"] = doc.m_calcs.m_count;
    state.counters["nodes"] = nodes;
    // Seconds per record, all 20 formulas.
    state.counters["per_record"] = benchmark::Counter(double(state.iterations()) * DOC_MAX_SAMPLES,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(RecalculateAll)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
