// How much of a processor the logger's threads use, and how long the links
// take where the tests only check what must hold on any machine: the share
// of the process's processor time while the threads monitor, sample and
// time the simulated logger (with the polls a second), and the time of link
// operations that are to come back at once or after a set pause.
#include "app/base/gumCommands.h"
#include "app/base/gumResCore.h"
#include "emulators/emuPtyLogger.h"
#include "hardware/xhwBoxTypes.h"
#include "hardware/xhwBoxes.h"
#include "hardware/xhwSenFile.h"
#include "hardware/xhwSimulatedDriver.h"
#include "transport/zxCom.h"
#include "transport/zxSerialPort.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <unistd.h>
#include <wx/init.h>
#include <wx/utils.h>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// The two threads with the simulated logger connected, in the state of the
// argument; each iteration is 100 ms of their running.
void LoggerThreadsCpu(benchmark::State& state)
{
    CgumResCore res;
    CxhwSenFile db;
    if (!res.LoadStrings() || !db.Load()) {
        state.SkipWithError("no resources");
        return;
    }
    gumSetCommandPoster([](int, int) {});
    CxhwBoxes boxes;
    boxes.SetSimulated(true);
    const int run = int(state.range(0));
    if (!boxes.StartThreads()) {
        state.SkipWithError("no threads");
        return;
    }
    boxes.Connect();
    bool reached = boxes.m_box.WaitAckState(BOX_STATE_MONITOR, 10.0f);
    if (run == BOXES_STATE_SAMPLING)
        boxes.StartSampling(0.05);
    else if (run == BOXES_STATE_TIMING)
        boxes.StartTiming();
    reached = reached && boxes.WaitAckState(run, 10.0f);
    if (!reached) {
        state.SkipWithError("the state was not reached");
    } else {
        const std::clock_t cpu = std::clock();
        const auto start = Clock::now();
        const int64_t polls = xhwSimulatedPollCount();
        for (auto _ : state)
            wxMilliSleep(100);
        const double wall = Seconds(Clock::now() - start);
        state.counters["cpu_share"] = double(std::clock() - cpu) / CLOCKS_PER_SEC / wall;
        state.counters["polls_per_s"] = double(xhwSimulatedPollCount() - polls) / wall;
    }
    boxes.StopThreads();
    gumSetCommandPoster(nullptr);
}
BENCHMARK(LoggerThreadsCpu)
    ->ArgName("state")
    ->Arg(BOXES_STATE_CONNECT)
    ->Arg(BOXES_STATE_SAMPLING)
    ->Arg(BOXES_STATE_TIMING)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// The emulated logger's terminal as serial port n of a folder of its own.
class SerialPorts
{
public:
    SerialPorts()
    {
        char folder[] = "/tmp/qvbenchXXXXXX";
        if (::mkdtemp(folder) == nullptr)
            return;
        m_folder = folder;
        for (int port : {2, 3})
            if (::symlink(m_emu.SlavePath().c_str(), Link(port).c_str()) != 0)
                return;
        ::setenv("QUORVANTI_SERIAL_PREFIX", (m_folder + "/tty").c_str(), 1);
        m_ok = m_emu.IsOpen();
    }
    ~SerialPorts()
    {
        ::unsetenv("QUORVANTI_SERIAL_PREFIX");
        for (int port : {2, 3})
            ::unlink(Link(port).c_str());
        if (!m_folder.empty())
            ::rmdir(m_folder.c_str());
    }
    bool IsOk() const { return m_ok; }
    CemuPtyLogger& Emulator() { return m_emu; }

private:
    std::string Link(int port) const { return m_folder + "/tty" + std::to_string(port); }

    CemuPtyLogger m_emu;
    std::string m_folder;
    bool m_ok = false;
};

// Opening a link by its number: serial port 2 opens at once, port 3 and on
// after a pause of 500 ms; a number of no link (0) and the USB link without
// a device (100) fail at once.
void OpenLink(benchmark::State& state)
{
    SerialPorts ports;
    if (!ports.IsOk()) {
        state.SkipWithError("no emulated logger");
        return;
    }
    const int port = int(state.range(0));
    const bool opens = port == 2 || port == 3;
    for (auto _ : state) {
        CzxCom com;
        com.SetPort(port, wxString());
        if (com.Open() != opens)
            state.SkipWithError("the open went otherwise");
        state.PauseTiming();
        com.Close(false);
        state.ResumeTiming();
    }
}
BENCHMARK(OpenLink)->ArgName("port")->Arg(0)->Arg(2)->Arg(3)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond);

// A serial read with a time-out of zero and nothing there answers at once.
void ReadWithoutTimeOut(benchmark::State& state)
{
    CemuPtyLogger emu;
    emu.Configure([](CemuLoggerConfig& c) { c.answering = false; });
    CzxSerialPort port;
    port.SetPort(0, emu.SlavePath());
    if (!port.Open()) {
        state.SkipWithError("the terminal did not open");
        return;
    }
    port.SetTimeout(0.0f);
    uint8_t bytes[3];
    for (auto _ : state)
        benchmark::DoNotOptimize(port.Read(bytes, 3));
    port.Close();
}
BENCHMARK(ReadWithoutTimeOut)->Unit(benchmark::kMicrosecond);

// Stopping the threads on a Bluetooth RFCOMM link ends once both are gone,
// within the 3 s the stop gives them.
void StopOnRfcomm(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        CxhwBoxes boxes;
        boxes.m_box.m_linkKind = BOX_LINK_RFCOMM;
        const bool started = boxes.StartThreads();
        state.ResumeTiming();
        if (!started || !boxes.StopThreads())
            state.SkipWithError("the threads did not start and stop");
    }
}
BENCHMARK(StopOnRfcomm)->Iterations(5)->Unit(benchmark::kMillisecond);

// Asking for the connect state without threads gives up after 0.1 s.
void ConnectWithoutThreads(benchmark::State& state)
{
    CxhwBoxes boxes;
    for (auto _ : state)
        benchmark::DoNotOptimize(boxes.Connect());
}
BENCHMARK(ConnectWithoutThreads)->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    wxInitializer initializer;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
