// The logging step of a full store: 20 channels, 20001 records, through
// SetCurrentValues and StoreCurrentValues, as the 100 ms tick does it.
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"

#include <benchmark/benchmark.h>
#include <wx/init.h>

namespace {

void SetUpStore(CdocDoc& doc)
{
    for (int i = 0; i < 6; ++i) {
        CxhwSensor& sensor = doc.m_boxInfo.m_sensors[i];
        sensor = CxhwSensor();
        sensor.m_idCode = sensor.m_calib.m_ident = sensor.m_calib.m_index = 10 + i;
        sensor.m_idType = sensor.m_calType = 2;
        sensor.m_calib.m_gain = 0.01f;
    }
    doc.m_boxInfo.m_info.m_maxSensors = 6;
    CdocData& data = doc.m_data;
    data.m_maxRecords = DOC_MAX_SAMPLES;
    data.AddTimeField(true, false);
    data.AddReadingField(true, false);
    data.SyncSensorFields(false, true, -1, -1);
    while (data.m_fields.GetCount() < DOC_MAX_FIELDS)
        data.AddManualField(nullptr);
    doc.m_state = DOC_STATE_RUNNING;
}

void StoreRecords(benchmark::State& state)
{
    CgumResCore res;
    res.LoadStrings();
    CappOptions options;
    CdocDoc doc;
    SetUpStore(doc);
    int raw[6] = {100, 200, 300, 400, 500, 600};
    for (auto _ : state) {
        doc.m_data.m_logNext = 0;
        doc.m_data.InitCurrentValues();
        for (int n = 0; n < DOC_MAX_SAMPLES; ++n) {
            raw[0] = n & 0xFFFF;
            doc.m_data.SetCurrentValues(raw, true, false);
        }
        benchmark::DoNotOptimize(doc.m_data.m_fields.GetAt(5)->m_samples[20000]);
    }
    state.SetItemsProcessed(state.iterations() * DOC_MAX_SAMPLES);
    // Seconds per record; the 100 ms tick allows well under 1 ms.
    state.counters["per_record"] = benchmark::Counter(double(state.iterations()) * DOC_MAX_SAMPLES,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(StoreRecords)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
