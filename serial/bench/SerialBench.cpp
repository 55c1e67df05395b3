// An open TPcUart on a pseudo-terminal, the device played on the master side:
// - Latency: from a byte written by the device to its OnRxdDatas on the main
//   thread, one-byte packets (the monitor's setting): median and 99th
//   percentile in microseconds.
// - Throughput with no filter and with one-byte packets, in bytes per second.
// - Cost of an open, idle port over 10 s, and of a port whose device has
//   hung up: CPU time and the context switches of the whole process (the
//   main thread only sleeps meanwhile).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

#include "YVclCtrl/PcUart.h"
#include "rtl/MessageBox.h"
#include "rtl/PlainLoop.h"
#include "simdevice/PtyDevice.h"

namespace {

using namespace YVclCtrl;
using TClock = std::chrono::steady_clock;
constexpr unsigned Com = 7;

// A main loop, a device and an open port.
struct TBench {
    explicit TBench(TRxdFilter Filter)
    {
        Uart.pw_UartPortNumber(Com);
        Uart.pw_UartBaud(921600);
        Uart.RxdFilter_Style = Filter;
        Uart.OnRxdDatas = [this](TObject*, int Bytes, char*) { Received += static_cast<std::size_t>(Bytes); };
    }
    bool Open() { return Uart.Open(); }

    TPlainLoop Loop;
    TMainLoopScope Scope{Loop};
    simdevice::TPtyDevice Device{Com};
    OrbCtrl::TPcUart Uart{nullptr};
    std::size_t Received = 0;
};

double Percentile(std::vector<double> Samples, double P)
{
    std::sort(Samples.begin(), Samples.end());
    const std::size_t Index = std::min(Samples.size() - 1, static_cast<std::size_t>(P * Samples.size()));
    return Samples[Index];
}

void BM_Latency(benchmark::State& State)
{
    TBench B(rfs_ByBytesOfPacket);
    if (!B.Open()) {
        State.SkipWithError(B.Uart.LastErrMsg().c_str());
        return;
    }
    std::vector<double> Micros;
    for (auto _ : State) {
        const std::size_t Before = B.Received;
        const auto Start = TClock::now();
        B.Device.Write("x");
        if (!B.Loop.RunUntil([&] { return B.Received > Before; }, 10000)) {
            State.SkipWithError("no delivery");
            return;
        }
        Micros.push_back(std::chrono::duration<double, std::micro>(TClock::now() - Start).count());
    }
    State.counters["median_us"] = Percentile(Micros, 0.5);
    State.counters["p99_us"] = Percentile(Micros, 0.99);
}
BENCHMARK(BM_Latency)->Iterations(5000)->Unit(benchmark::kMicrosecond);

void Throughput(benchmark::State& State, TRxdFilter Filter, std::size_t Total)
{
    TBench B(Filter);
    if (!B.Open()) {
        State.SkipWithError(B.Uart.LastErrMsg().c_str());
        return;
    }
    const std::string Block(4096, 'T');
    for (auto _ : State) {
        B.Received = 0;
        std::thread Writer([&] {
            for (std::size_t Sent = 0; Sent < Total; Sent += Block.size())
                B.Device.Write(Block);
        });
        const bool All = B.Loop.RunUntil([&] { return B.Received >= Total; }, 120000);
        Writer.join();
        if (!All) {
            State.SkipWithError("not all bytes arrived");
            return;
        }
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * Total));
}

void BM_ThroughputNoFilter(benchmark::State& State)
{
    Throughput(State, rfs_None, 16 << 20);
}
BENCHMARK(BM_ThroughputNoFilter)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ThroughputOneBytePackets(benchmark::State& State)
{
    Throughput(State, rfs_ByBytesOfPacket, 256 << 10);
}
BENCHMARK(BM_ThroughputOneBytePackets)->Unit(benchmark::kMillisecond)->UseRealTime();

struct TUsage {
    double CpuMs;
    long Switches;
};

TUsage ProcessUsage()
{
    rusage U{};
    getrusage(RUSAGE_SELF, &U);
    const double Cpu = (U.ru_utime.tv_sec + U.ru_stime.tv_sec) * 1000.0 + (U.ru_utime.tv_usec + U.ru_stime.tv_usec) / 1000.0;
    return TUsage{Cpu, U.ru_nvcsw + U.ru_nivcsw};
}

// CPU and context switches of the process while the main thread sleeps.
void MeasureWhileSleeping(benchmark::State& State, unsigned Seconds)
{
    for (auto _ : State) {
        const TUsage Before = ProcessUsage();
        std::this_thread::sleep_for(std::chrono::seconds(Seconds));
        const TUsage After = ProcessUsage();
        State.counters["cpu_percent"] = (After.CpuMs - Before.CpuMs) / (Seconds * 10.0);
        State.counters["switches"] = static_cast<double>(After.Switches - Before.Switches);
    }
}

void BM_IdlePort10s(benchmark::State& State)
{
    TBench B(rfs_ByBytesOfPacket);
    if (!B.Open()) {
        State.SkipWithError(B.Uart.LastErrMsg().c_str());
        return;
    }
    MeasureWhileSleeping(State, 10);
}
BENCHMARK(BM_IdlePort10s)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_HungUpPort5s(benchmark::State& State)
{
    TBench B(rfs_ByBytesOfPacket);
    if (!B.Open()) {
        State.SkipWithError(B.Uart.LastErrMsg().c_str());
        return;
    }
    B.Device.HangUp();
    MeasureWhileSleeping(State, 5);
}
BENCHMARK(BM_HungUpPort5s)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
