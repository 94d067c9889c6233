// Saving and opening a full store as the own data file: 20 channels of
// 20001 records, through memory as Save and Open do it. Each is set beside
// a reference measured in the same run: Python's csv module reading the CSV
// export of the same document and converting every cell with float(). The
// reference is taken before and after the benchmarks, and the faster kept,
// so that a busy machine does not flatter the ratios.
//
// Both sides run with an allocator that keeps large blocks, as a program
// that has run a while does: memory handed back to the system after every
// iteration and mapped again would measure the machine's page faults (very
// slow on a busy virtual machine) rather than the reading and writing.
#include "app/appOptions.h"
#include "app/base/appReplaceFile.h"
#include "app/base/gumResCore.h"
#include "document/docDoc.h"
#include "files/docFileLongLines.h"
#include "files/gumFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <malloc.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/mstream.h>

namespace {

// The reference time in milliseconds; 0 when it could not be measured.
double g_pythonMs = 0.0;
// The best time of one save and one open, in milliseconds.
double g_bestMs[2] = {0.0, 0.0};

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

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Best of five reads of the file, the two title lines read but not converted.
double PythonCsvMs(const wxString& path)
{
    const char* script = "import csv, sys, time\n"
                         "best = None\n"
                         "for _ in range(5):\n"
                         "    t = time.perf_counter()\n"
                         "    with open(sys.argv[1], newline=\"\") as f:\n"
                         "        rows = csv.reader(f)\n"
                         "        next(rows)\n"
                         "        next(rows)\n"
                         "        for row in rows:\n"
                         "            for cell in row:\n"
                         "                float(cell)\n"
                         "    t = time.perf_counter() - t\n"
                         "    best = t if best is None else min(best, t)\n"
                         "print(best * 1000.0)\n";
    const std::string command = std::string("GLIBC_TUNABLES=glibc.malloc.mmap_threshold=33554432:"
                                            "glibc.malloc.trim_threshold=134217728 python3 -c '") +
                                script + "' '" + path.ToStdString() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return 0.0;
    double ms = 0.0;
    if (std::fscanf(pipe, "%lf", &ms) != 1)
        ms = 0.0;
    return pclose(pipe) == 0 ? ms : 0.0;
}

void MeasurePython()
{
    Fixture fixture;
    auto doc = std::make_unique<CdocDoc>();
    Fill(*doc);
    const wxString path = wxFileName::CreateTempFileName("qvbench");
    CgumFile file;
    if (!path.empty() && file.WriteFile(path, *doc, DOC_FORMAT_CSV)) {
        const double ms = PythonCsvMs(path);
        if (ms > 0.0)
            g_pythonMs = g_pythonMs > 0.0 ? std::min(g_pythonMs, ms) : ms;
    }
    if (!path.empty())
        wxRemoveFile(path);
}

void Report(benchmark::State& state, double best)
{
    state.counters["best_ms"] = best;
}

void SaveOwnFile(benchmark::State& state)
{
    Fixture fixture;
    auto doc = std::make_unique<CdocDoc>();
    Fill(*doc);
    size_t bytes = 0;
    double best = 1e300;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const std::string text = Save(*doc);
        best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["bytes"] = double(bytes);
    Report(state, best);
    g_bestMs[0] = best;
}
BENCHMARK(SaveOwnFile)->Unit(benchmark::kMillisecond);

// The saved file written to the disk, flushed as every save is, beside the
// same write with the flushes left out: the difference is what the flush
// costs a full document.
void WriteOwnFile(benchmark::State& state, bool flushed)
{
    Fixture fixture;
    auto doc = std::make_unique<CdocDoc>();
    Fill(*doc);
    const std::string text = Save(*doc);
    const wxString path = wxFileName::GetTempDir() + "/qv-bench-save.qvd";
    if (!flushed)
        appSetFlushHook([](int, bool) { return 0; });
    double best = 1e300;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!appReplaceFile(path, text.data(), text.size()))
            state.SkipWithError("the file was not written");
        best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
    }
    appSetFlushHook({});
    wxRemoveFile(path);
    Report(state, best);
}
void WriteOwnFileFlushed(benchmark::State& state)
{
    WriteOwnFile(state, true);
}
void WriteOwnFileUnflushed(benchmark::State& state)
{
    WriteOwnFile(state, false);
}
BENCHMARK(WriteOwnFileFlushed)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteOwnFileUnflushed)->Unit(benchmark::kMillisecond);

void OpenOwnFile(benchmark::State& state)
{
    Fixture fixture;
    auto source = std::make_unique<CdocDoc>();
    Fill(*source);
    const std::string text = Save(*source);
    double best = 1e300;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto doc = std::make_unique<CdocDoc>();
        wxMemoryInputStream input(text.data(), text.size());
        CgumFile file;
        if (!file.ReadStream(input, *doc))
            state.SkipWithError("the file did not open");
        benchmark::DoNotOptimize(doc->m_data.m_fields.GetAt(19)->m_samples[20000]);
        doc.reset();
        best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
    }
    Report(state, best);
    g_bestMs[1] = best;
}
BENCHMARK(OpenOwnFile)->Unit(benchmark::kMillisecond);

// A data file with one line of each kind at the longest a file may have
// (argument 1) or at a sixteenth of it (argument 0): the time a byte of the
// line, which a reader linear in the line's length keeps alike for both.
void ReadLongLine(benchmark::State& state)
{
    Fixture fixture;
    const bool longest = state.range(0) != 0;
    const size_t length = longest ? qvtest::kLongestLine : qvtest::kLongestLine / 16;
    double nanoseconds = 0.0;
    for (auto _ : state) {
        nanoseconds = 0.0;
        for (const qvtest::LongLineCase& c : qvtest::LongLineCases()) {
            const std::string text = qvtest::LongLineFile(c, length);
            const auto start = std::chrono::steady_clock::now();
            auto doc = std::make_unique<CdocDoc>();
            wxMemoryInputStream input(text.data(), text.size());
            CgumFile file;
            if (file.ReadStream(input, *doc) != c.ok)
                state.SkipWithError(c.what);
            doc.reset();
            const double ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
            nanoseconds = std::max(nanoseconds, ns / double(length));
        }
    }
    // The slowest kind of line.
    state.counters["ns_per_byte"] = nanoseconds;
}
BENCHMARK(ReadLongLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    wxInitializer initializer;
    benchmark::Initialize(&argc, argv);
    MeasurePython();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    MeasurePython();
    if (g_pythonMs > 0.0)
        std::printf("Python csv read of the same data, best: %.1f ms; save best %.1f ms (%.2f of it), "
                    "open best %.1f ms (%.2f of it)\n",
                    g_pythonMs, g_bestMs[0], g_bestMs[0] / g_pythonMs, g_bestMs[1], g_bestMs[1] / g_pythonMs);
    else
        std::printf("No Python reference: python3 could not read the CSV export\n");
    return 0;
}
