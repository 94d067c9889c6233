// The graph renderer on a full store: 20 channels (a reading-number x and 19
// traces) of 20001 records each, into a 1600 × 1000 bitmap: a whole redraw,
// and the incremental drawing of one new record during a run.
#include "app/gumApp.h"
#include "document/docDoc.h"
#include "views/grnGraph.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

wxAppConsole* wxCreateApp();

namespace {

const wxRect RECT(0, 0, 1600, 1000);

void FillStore(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    CdocFieldV& fields = data.m_fields;
    CdocField& x = *fields.GetAt(fields.Add(1));
    x.InitReading(DOC_MAX_SAMPLES - 1, DOC_MAX_SAMPLES - 1, DOC_MAX_SAMPLES - 1);
    x.m_now.Set(float(DOC_MAX_SAMPLES - 1), 0.0f);
    for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
        x.m_samples[i] = float(i);
    uint32_t noise = 12345;
    while (fields.GetCount() < DOC_MAX_FIELDS) {
        const int c = fields.GetCount();
        CdocField& y = *fields.GetAt(fields.Add(1));
        y.InitManual();
        y.m_now.Set(100.0f, 0.0f);
        y.m_colour = CdocColour(uint8_t(37 * c), uint8_t(255 - 23 * c), uint8_t(90 + 7 * c));
        for (int i = 0; i < DOC_MAX_SAMPLES; ++i) {
            noise = noise * 1664525u + 1013904223u;
            const float jitter = float(noise >> 24) / 64.0f;
            y.m_samples[i] = 50.0f + 40.0f * std::sin(float(i) * 0.0005f * float(c)) + jitter;
        }
        y.m_current = y.m_samples[DOC_MAX_SAMPLES - 1];
    }
    data.m_records = DOC_MAX_SAMPLES;
    doc.m_graph.SetAxes(&x, fields.GetAt(1), fields.GetAt(2));
    doc.m_graph.m_lines = true;
    doc.m_graph.m_grid = true;
    doc.m_viewGauge = true;
    doc.m_viewTitle = true;
    doc.m_title = "Twenty channels";
}

struct CbenchGraph
{
    CbenchGraph() : bitmap(RECT.width, RECT.height, 24), memory(bitmap)
    {
        FillStore(doc);
        graph.SetDoc(&doc);
        memory.SetBackground(*wxWHITE_BRUSH);
    }
    CdocDoc doc;
    CgrnGraph graph;
    wxBitmap bitmap;
    wxMemoryDC memory;
};

// The argument is the number of records drawn (0: the axes, grid and
// gauges alone).
void FullRedraw(benchmark::State& state)
{
    CbenchGraph b;
    b.doc.m_data.m_records = int(state.range(0));
    for (auto _ : state) {
        b.memory.Clear();
        benchmark::DoNotOptimize(b.graph.Draw(b.memory, RECT, false));
    }
}
BENCHMARK(FullRedraw)->Arg(0)->Arg(DOC_MAX_SAMPLES)->Unit(benchmark::kMillisecond);

// The argument says whether the gauges are shown.
void NewRecord(benchmark::State& state)
{
    CbenchGraph b;
    b.doc.m_viewGauge = state.range(0) != 0;
    b.memory.Clear();
    b.graph.Draw(b.memory, RECT, false);
    const int last = DOC_MAX_SAMPLES - 1;
    float value = 10.0f;
    for (auto _ : state) {
        // The newest record and each channel's reading change, as in a run.
        value = value > 90.0f ? 10.0f : value + 1.0f;
        for (int c = 1; c < DOC_MAX_FIELDS; ++c) {
            CdocField& y = *b.doc.m_data.m_fields.GetAt(c);
            y.m_samples[last] = value;
            y.m_current = value;
        }
        if (!b.graph.DrawSamples(b.memory, RECT, last, last))
            state.SkipWithError("incremental drawing refused");
    }
}
BENCHMARK(NewRecord)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    wxApp::SetInitializerFunction(wxCreateApp);
    int wxArgc = 1;
    char name[] = "quorvanti";
    char* wxArgv[] = {name, nullptr};
    if (!wxEntryStart(wxArgc, wxArgv))
        return EXIT_FAILURE;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxEntryCleanup();
    return EXIT_SUCCESS;
}
