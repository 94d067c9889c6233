// Saving and opening a full store as the own data file: 20 channels of
// 20001 records, through memory as Save and Open do it.
#include "app/appOptions.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "files/gumFile.h"

#include <benchmark/benchmark.h>
#include <wx/init.h>
#include <wx/mstream.h>

namespace {

void Fill(CdocDoc& doc)
{
    CdocData& data = doc.m_data;
    data.m_maxRecords = DOC_MAX_SAMPLES;
    data.AddFields(DOC_MAX_FIELDS);
    for (int f = 0; f < DOC_MAX_FIELDS; ++f) {
        CdocField& field = *data.m_fields.GetAt(f);
        field.InitManual();
        field.m_name = wxString::Format("Channel %d", f);
        field.m_places = 2;
        for (int i = 0; i < DOC_MAX_SAMPLES; ++i)
            field.m_samples[i] = field.m_unsmoothed[i] = float(i % 1000) * 0.37f + float(f);
    }
    data.SetRecords(DOC_MAX_SAMPLES);
    data.m_interval = 0.1;
}

std::string Save(CdocDoc& doc)
{
    wxMemoryOutputStream memory;
    CgumFile file;
    file.WriteStream(memory, doc, DOC_FORMAT_OWN);
    const wxStreamBuffer* buffer = memory.GetOutputStreamBuffer();
    return std::string(static_cast<const char*>(buffer->GetBufferStart()), size_t(memory.GetLength()));
}

struct Fixture
{
    Fixture() { res.LoadStrings(); }
    CgumResCore res;
    CappOptions options;
};

void SaveOwnFile(benchmark::State& state)
{
    Fixture fixture;
    auto doc = std::make_unique<CdocDoc>();
    Fill(*doc);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = Save(*doc);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(SaveOwnFile)->Unit(benchmark::kMillisecond);

void OpenOwnFile(benchmark::State& state)
{
    Fixture fixture;
    auto source = std::make_unique<CdocDoc>();
    Fill(*source);
    const std::string text = Save(*source);
    for (auto _ : state) {
        auto doc = std::make_unique<CdocDoc>();
        wxMemoryInputStream input(text.data(), text.size());
        CgumFile file;
        if (!file.ReadStream(input, *doc))
            state.SkipWithError("the file did not open");
        benchmark::DoNotOptimize(doc->m_data.m_fields.GetAt(19)->m_samples[20000]);
    }
}
BENCHMARK(OpenOwnFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
